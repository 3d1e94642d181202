#include "cli/commands.h"

#include <algorithm>

#include "cli/commandtable.h"
#include "cli/console.h"
#include "cli/ending.h"
#include "cli/help.h"
#include "common/texts.h"

namespace {

// Every option of every command and the two switches. Options may stand before the command
// is named, so whether one takes a value must not depend on the command.
QList<TOptionDef> AllOptions() {
  QList<TOptionDef> all{HelpSwitch(), VersionSwitch()};
  for (const TCommandEntry& command : CommandTable()) {
    for (const TCommandOption& option : command.Options) {
      const bool known = std::any_of(all.begin(), all.end(), [&](const TOptionDef& other) {
        return other.Name == option.Def.Name;
      });
      if (!known)
        all << option.Def;
    }
  }
  return all;
}

const TCommandEntry& CommandNamed(const QString& name) {
  if (const TCommandEntry* command = FindCommand(name))
    return *command;
  throw TUsageError(TCliText::tr("unknown command '%1'").arg(name));
}

void CheckOptionsOf(const TCommandEntry& command, const TArgs& args) {
  for (const QString& name : args.Given()) {
    const bool allowed =
        std::any_of(command.Options.begin(), command.Options.end(),
                    [&](const TCommandOption& option) { return option.Def.Name == name; });
    if (!allowed)
      throw TUsageError(TCliText::tr("%1 takes no option --%2").arg(command.Name, name));
  }
}

void CheckOperandsOf(const TCommandEntry& command, const TArgs& args) {
  if (command.Operands != VariableOperands && args.Positional().size() != command.Operands)
    ThrowUsageOf(command.Name);
}

TCommandLine Shows(const QString& text) {
  TCommandLine line;
  line.Shown = text;
  return line;
}

// "kivnvm help [COMMAND]".
TCommandLine HelpCommandLine(const QStringList& operands) {
  if (operands.isEmpty())
    return Shows(UsageText());
  if (operands.size() > 1)
    throw TUsageError(TCliText::tr("help takes one command"));
  return Shows(CommandHelpText(CommandNamed(operands.first()).Name));
}

int RunCommand(const QStringList& arguments) {
  const TCommandLine line = ReadCommandLine(arguments);
  if (!line.Command) {
    PrintOut(line.Shown);
    return exitOk;
  }
  return line.Command->Run(line.Args);
}

}  // namespace

TCommandLine ReadCommandLine(const QStringList& arguments) {
  TCommandLine line;
  line.Args = TArgs::Parse(arguments, AllOptions());
  if (line.Args.Has(VersionSwitch().Name))
    return Shows(QStringLiteral("kivnvm " KIV_VERSION));
  const QString name = line.Args.TakeFirstPositional();
  if (name.isEmpty() && line.Args.Has(HelpSwitch().Name))
    return Shows(UsageText());
  if (name.isEmpty())
    throw TUsageError(TCliText::tr("no command given"));
  if (name == HelpCommandName())
    return HelpCommandLine(line.Args.Positional());
  const TCommandEntry& command = CommandNamed(name);
  if (line.Args.Has(HelpSwitch().Name))
    return Shows(CommandHelpText(command.Name));
  CheckOptionsOf(command, line.Args);
  CheckOperandsOf(command, line.Args);
  line.Command = &command;
  return line;
}

bool AsksForJson(const QStringList& arguments) {
  try {
    return TArgs::Parse(arguments, AllOptions()).Has(QStringLiteral("json"));
  } catch (const TUsageError&) {
    return false;
  }
}

int RunKivnvm(const QStringList& arguments) {
  return ExitStatusOf([&] { return RunCommand(arguments); });
}
