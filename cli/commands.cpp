#include "cli/commands.h"

#include <functional>

#include "cli/args.h"
#include "cli/backup.h"
#include "cli/console.h"
#include "cli/demo.h"
#include "cli/filecommands.h"
#include "cli/phonecommands.h"
#include "common/errors.h"

namespace {

struct TCommand {
  QString Name;
  QList<TOptionDef> Options;
  int Positional = 0;
  std::function<int(const TArgs&)> Run;
};

const QList<TOptionDef> PhoneOptions{{QStringLiteral("port"), true},
                                     {QStringLiteral("slots"), true},
                                     {QStringLiteral("progress"), false}};

QList<TOptionDef> WithPhoneOptions(QList<TOptionDef> options) {
  return options + PhoneOptions;
}

const QList<TCommand>& Commands() {
  static const TOptionDef json{QStringLiteral("json"), false};
  static const TOptionDef icon{QStringLiteral("icon"), true};
  static const TOptionDef firmware{QStringLiteral("firmware"), true};
  static const TOptionDef firmwareIndex{QStringLiteral("firmware-index"), true};
  static const QList<TCommand> commands{
      {QStringLiteral("demo"), {{QStringLiteral("force"), false}}, 1, DemoCommand},
      {QStringLiteral("inspect"), {json}, 1, InspectCommand},
      {QStringLiteral("pack"), {icon}, 2, PackCommand},
      {QStringLiteral("unpack"), {}, 2, UnpackCommand},
      {QStringLiteral("convert"), {firmware, firmwareIndex}, 2, ConvertCommand},
      {QStringLiteral("prg3"), {}, 2, PRG3Command},
      {QStringLiteral("list"), WithPhoneOptions({json, {QStringLiteral("sizes-only"), false}}), 0,
       ListCommand},
      {QStringLiteral("get"), PhoneOptions, 2, GetCommand},
      {QStringLiteral("put"),
       WithPhoneOptions({{QStringLiteral("compress"), false},
                         icon,
                         {QStringLiteral("convert"), false},
                         firmware,
                         firmwareIndex}),
       2, PutCommand},
      {QStringLiteral("clear"), PhoneOptions, 1, ClearCommand},
      {QStringLiteral("backup"), PhoneOptions, 1, BackupCommand},
      {QStringLiteral("restore"),
       WithPhoneOptions({{QStringLiteral("dry-run"), false}, {QStringLiteral("only"), true}}), 1,
       RestoreCommand},
  };
  return commands;
}

const TCommand* FindCommand(const QString& name) {
  for (const TCommand& command : Commands()) {
    if (command.Name == name)
      return &command;
  }
  return nullptr;
}

int RunCommand(const QStringList& arguments) {
  const TCommand* command = FindCommand(arguments.first());
  if (!command)
    throw TUsageError(QStringLiteral("unknown command '%1'").arg(arguments.first()));
  return command->Run(TArgs::Parse(arguments.mid(1), command->Options, command->Positional));
}

}  // namespace

QString UsageText() {
  return QStringLiteral(
      "Usage: kivnvm COMMAND [OPTIONS] ARGUMENTS\n"
      "\n"
      "Files:\n"
      "  inspect [--json] FILE           describe FILE as the manager describes a section\n"
      "  pack [--icon CODE] IN OUT       LZO container of IN, as the compressed upload writes it\n"
      "  unpack IN OUT                   the original file from an LZO container\n"
      "  convert [--firmware TEXT | --firmware-index N] IN OUT\n"
      "                                  UFIF 2.0 program to UFIF 2.1 for a firmware\n"
      "  prg3 TEXT OUT                   PRG3 library image from its text\n"
      "  demo [--force] DIR              create a demo phone in DIR/COM1 for the virtual phone;\n"
      "                                  --force replaces the phone there\n"
      "\n"
      "Phone (sections written S-SS, e.g. 18-9 or 02-10):\n"
      "  list [--json] [--sizes-only]    every slot as the manager's grid shows it\n"
      "  get S-SS FILE                   the whole section into FILE\n"
      "  put [--compress] [--icon CODE] [--convert [--firmware TEXT | --firmware-index N]]\n"
      "      S-SS FILE                   upload FILE as the manager does\n"
      "  clear S-SS                      erase a section\n"
      "  backup DIR                      every slot and 2-16, 2-17, 2-18 into a new folder\n"
      "  restore [--dry-run] [--only S-SS,...] DIR\n"
      "                                  write back what differs from a backup\n"
      "\n"
      "Phone options:\n"
      "  --port COM1..COM4               default: COM-Port of KivManager.INI, else COM1\n"
      "  --slots FIRSTBIG-LASTBIG,FIRSTSMALL-LASTSMALL\n"
      "                                  default: the ranges of KivManager.INI, else 9-29,10-14\n"
      "  --progress                      progress on stderr even when it is not a terminal\n"
      "\n"
      "  --help, --version\n"
      "\n"
      "Exit status: 0 done, 1 failed, 2 the command line was not understood.");
}

int RunKivnvm(const QStringList& arguments) {
  if (arguments.contains(QStringLiteral("--help"))) {
    PrintOut(UsageText());
    return exitOk;
  }
  if (arguments.contains(QStringLiteral("--version"))) {
    PrintOut(QStringLiteral("kivnvm " KIV_VERSION));
    return exitOk;
  }
  try {
    if (arguments.isEmpty())
      throw TUsageError(QStringLiteral("no command given"));
    return RunCommand(arguments);
  } catch (const TUsageError& error) {
    PrintErr(QStringLiteral("kivnvm: %1\nTry 'kivnvm --help'.").arg(error.Message()));
    return exitUsage;
  } catch (const TCommandFailed& error) {
    PrintErr(error.Message());
  } catch (const Exception& error) {
    PrintErr(error.Message());
  } catch (const std::exception& error) {
    PrintErr(QString::fromLocal8Bit(error.what()));
  }
  return exitFailed;
}
