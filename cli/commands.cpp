#include "cli/commands.h"

#include <algorithm>
#include <functional>

#include "cli/args.h"
#include "cli/backup.h"
#include "cli/console.h"
#include "cli/demo.h"
#include "cli/filecommands.h"
#include "cli/help.h"
#include "cli/historycommands.h"
#include "cli/linkcommand.h"
#include "cli/manycommands.h"
#include "cli/phonecommands.h"
#include "common/errors.h"
#include "common/texts.h"

namespace {

struct TCommand {
  QString Name;
  QList<TOptionDef> Options;
  int Positional = 0;  // VariablePositional: the command checks its own
  std::function<int(const TArgs&)> Run;
};

constexpr int VariablePositional = -1;

// How the phone-link library is reached.
const QList<TOptionDef> LinkOptions{{QStringLiteral("link"), true},
                                    {QStringLiteral("isolate"), false},
                                    {QStringLiteral("timeout-factor"), true},
                                    {QStringLiteral("serial"), true, QChar(), true}};
const QList<TOptionDef> PhoneOptions = QList<TOptionDef>{{QStringLiteral("port"), true},
                                                         {QStringLiteral("slots"), true},
                                                         {QStringLiteral("progress"), false}} +
                                       LinkOptions;

QList<TOptionDef> WithPhoneOptions(QList<TOptionDef> options) {
  return options + PhoneOptions;
}

const QList<TCommand>& Commands() {
  static const TOptionDef json{QStringLiteral("json"), false};
  static const TOptionDef icon{QStringLiteral("icon"), true};
  static const TOptionDef firmware{QStringLiteral("firmware"), true};
  static const TOptionDef firmwareIndex{QStringLiteral("firmware-index"), true};
  static const TOptionDef force{QStringLiteral("force"), false};
  static const QList<TCommand> commands{
      {QStringLiteral("demo"), {force}, 1, DemoCommand},
      {QStringLiteral("inspect"), {json}, 1, InspectCommand},
      {QStringLiteral("pack"), {icon}, 2, PackCommand},
      {QStringLiteral("unpack"), {}, 2, UnpackCommand},
      {QStringLiteral("convert"), {firmware, firmwareIndex}, 2, ConvertCommand},
      {QStringLiteral("prg3"), {}, 2, PRG3Command},
      {QStringLiteral("firmwares"), {}, 0, FirmwaresCommand},
      {QStringLiteral("list"), WithPhoneOptions({json, {QStringLiteral("sizes-only"), false}}), 0,
       ListCommand},
      {QStringLiteral("get"),
       WithPhoneOptions({{QStringLiteral("all"), false},
                         {QStringLiteral("into"), true},
                         {QStringLiteral("replace"), false}}),
       VariablePositional, GetAnyCommand},
      {QStringLiteral("put"),
       WithPhoneOptions({{QStringLiteral("compress"), false},
                         icon,
                         {QStringLiteral("convert"), false},
                         firmware,
                         firmwareIndex,
                         force,
                         {QStringLiteral("into-free"), false},
                         {QStringLiteral("from"), true},
                         {QStringLiteral("dry-run"), false}}),
       VariablePositional, PutAnyCommand},
      {QStringLiteral("clear"), WithPhoneOptions({force}), VariablePositional, ClearAnyCommand},
      {QStringLiteral("backup"), PhoneOptions, 1, BackupCommand},
      {QStringLiteral("restore"),
       WithPhoneOptions({{QStringLiteral("dry-run"), false},
                         {QStringLiteral("only"), true},
                         {QStringLiteral("clear-missing"), false}}),
       1, RestoreCommand},
      {QStringLiteral("link"),
       WithPhoneOptions({json, {QStringLiteral("test"), false}, {QStringLiteral("find"), false}}),
       VariablePositional, LinkCommand},
      {QStringLiteral("history"), {json}, 0, HistoryCommand},
      {QStringLiteral("undo"), PhoneOptions, VariablePositional, UndoCommand},
  };
  return commands;
}

const QString HelpCommand = QStringLiteral("help");
const TOptionDef HelpSwitch{QStringLiteral("help"), false, QLatin1Char('h')};
const TOptionDef VersionSwitch{QStringLiteral("version"), false};

// Every option of every command and the two switches. Options may stand before the command
// is named, so whether one takes a value must not depend on the command.
QList<TOptionDef> AllOptions() {
  QList<TOptionDef> all{HelpSwitch, VersionSwitch};
  for (const TCommand& command : Commands()) {
    for (const TOptionDef& option : command.Options) {
      const bool known = std::any_of(all.begin(), all.end(), [&](const TOptionDef& other) {
        return other.Name == option.Name;
      });
      if (!known)
        all << option;
    }
  }
  return all;
}

const TCommand& CommandNamed(const QString& name) {
  for (const TCommand& command : Commands()) {
    if (command.Name == name)
      return command;
  }
  throw TUsageError(TCliText::tr("unknown command '%1'").arg(name));
}

void CheckOptionsOf(const TCommand& command, const TArgs& args) {
  for (const QString& name : args.Given()) {
    const bool allowed = std::any_of(command.Options.begin(), command.Options.end(),
                                     [&](const TOptionDef& option) { return option.Name == name; });
    if (!allowed)
      throw TUsageError(TCliText::tr("%1 takes no option --%2").arg(command.Name, name));
  }
}

// Commands of several forms check their operands themselves, by form.
void CheckOperandsOf(const TCommand& command, const TArgs& args) {
  if (command.Positional != VariablePositional && args.Positional().size() != command.Positional)
    ThrowUsageOf(command.Name);
}

int Print(const QString& text) {
  PrintOut(text);
  return exitOk;
}

// "kivnvm help [COMMAND]".
int RunHelpCommand(const QStringList& operands) {
  if (operands.isEmpty())
    return Print(UsageText());
  if (operands.size() > 1)
    throw TUsageError(TCliText::tr("help takes one command"));
  return Print(CommandHelpText(CommandNamed(operands.first()).Name));
}

int RunCommand(const QStringList& arguments) {
  TArgs args = TArgs::Parse(arguments, AllOptions());
  if (args.Has(VersionSwitch.Name))
    return Print(QStringLiteral("kivnvm " KIV_VERSION));
  const QString name = args.TakeFirstPositional();
  if (name.isEmpty() && args.Has(HelpSwitch.Name))
    return Print(UsageText());
  if (name.isEmpty())
    throw TUsageError(TCliText::tr("no command given"));
  if (name == HelpCommand)
    return RunHelpCommand(args.Positional());
  const TCommand& command = CommandNamed(name);
  if (args.Has(HelpSwitch.Name))
    return Print(CommandHelpText(command.Name));
  CheckOptionsOf(command, args);
  CheckOperandsOf(command, args);
  return command.Run(args);
}

}  // namespace

bool AsksForJson(const QStringList& arguments) {
  try {
    return TArgs::Parse(arguments, AllOptions()).Has(QStringLiteral("json"));
  } catch (const TUsageError&) {
    return false;
  }
}

int RunKivnvm(const QStringList& arguments) {
  try {
    return RunCommand(arguments);
  } catch (const TUsageError& error) {
    PrintErr(TCliText::tr("%1\nTry 'kivnvm --help'.").arg(error.Message()));
    return exitUsage;
  } catch (const TCommandFailed& error) {
    PrintErr(error.Message());
  } catch (const Exception& error) {
    PrintErr(ErrorText(error));
  } catch (const std::exception& error) {
    PrintErr(QString::fromLocal8Bit(error.what()));
  }
  return exitFailed;
}
