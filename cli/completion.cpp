#include "cli/completion.h"

#include <QMap>
#include <QStringList>
#include <algorithm>
#include <functional>

#include "cli/commandtable.h"

namespace {

QString Words(const QStringList& words) {
  return words.join(QLatin1Char(' '));
}

QString LongForm(const TOptionDef& option) {
  return QStringLiteral("--") + option.Name;
}

QStringList ShortAndLong(const TOptionDef& option) {
  QStringList forms{LongForm(option)};
  if (!option.Short.isNull())
    forms << QStringLiteral("-") + option.Short;
  return forms;
}

QString CommandNames() {
  QStringList names;
  for (const TCommandEntry& command : CommandTable())
    names << command.Name;
  return Words(names << HelpCommandName());
}

QStringList OptionWords(const QList<TCommandOption>& options) {
  QStringList words;
  for (const TCommandOption& option : options)
    words << LongForm(option.Def);
  return words;
}

// What the shell does with the word that follows an option of this kind, or after a command
// for its operands; each line ends the completion.
QString CompletionOf(TCompletes kind) {
  switch (kind) {
    case TCompletes::Nothing:
      return QString();
    case TCompletes::Files:
      return QStringLiteral("_filedir");
    case TCompletes::Folders:
      return QStringLiteral("_filedir -d");
    case TCompletes::Ports:
      return QStringLiteral("COMPREPLY=($(compgen -W \"COM1 COM2 COM3 COM4\" -- \"$cur\"))");
    case TCompletes::SerialMappings:
      return QStringLiteral(
          "local devices=$(compgen -G \"/dev/ttyUSB*\"; compgen -G \"/dev/ttyACM*\"; "
          "compgen -G \"/dev/ttyS*\")\n"
          "      COMPREPLY=($(compgen -W \"$(for port in COM1 COM2 COM3 COM4; do for device in "
          "$devices; do echo \"$port=$device\"; done; done)\" -- \"$cur\"))");
  }
  return QString();
}

QString CaseLine(const QStringList& patterns, const QString& action) {
  return QStringLiteral("    ") + patterns.join(QStringLiteral(" | ")) + QStringLiteral(")") +
         (action.isEmpty() ? QString() : QStringLiteral("\n      ") + action) +
         QStringLiteral("\n      return ;;\n");
}

// One case per kind of value, for every option that takes one.
QString ValueCases() {
  QList<TCompletes> kinds;  // in the order first met
  QMap<TCompletes, QStringList> optionsOfKind;
  for (const TCommandEntry& command : CommandTable()) {
    for (const TCommandOption& option : command.Options) {
      const QString word = LongForm(option.Def);
      if (!option.Def.TakesValue || optionsOfKind.value(option.Value).contains(word))
        continue;
      if (!kinds.contains(option.Value))
        kinds << option.Value;
      optionsOfKind[option.Value] << word;
    }
  }
  QString cases;
  for (TCompletes kind : kinds)
    cases += CaseLine(optionsOfKind[kind], CompletionOf(kind));
  return cases;
}

bool IsPhoneOption(const TCommandOption& option) {
  const QList<TCommandOption>& phone = PhoneOptions();
  return std::any_of(phone.begin(), phone.end(), [&](const TCommandOption& other) {
    return other.Def.Name == option.Def.Name;
  });
}

// The command's own options; a phone command's phone options by their variable.
QString OptionsOf(const TCommandEntry& command) {
  QStringList words;
  for (const TCommandOption& option : command.Options) {
    if (!command.Phone || !IsPhoneOption(option))
      words << LongForm(option.Def);
  }
  if (command.Phone)
    words << QStringLiteral("$phone_options");
  return Words(words);
}

// One case for the commands that share an action, in the order first met; none for an
// empty action.
QString GroupedCases(const std::function<QString(const TCommandEntry&)>& actionOf) {
  QStringList actions;
  QMap<QString, QStringList> commandsOf;
  for (const TCommandEntry& command : CommandTable()) {
    const QString action = actionOf(command);
    if (!actions.contains(action))
      actions << action;
    commandsOf[action] << command.Name;
  }
  QString cases;
  for (const QString& action : actions) {
    if (!action.isEmpty())
      cases += QStringLiteral("    %1) %2 ;;\n")
                   .arg(commandsOf[action].join(QStringLiteral(" | ")), action);
  }
  return cases;
}

QString OptionCases() {
  return GroupedCases([](const TCommandEntry& command) {
    const QString options = OptionsOf(command);
    return options.isEmpty() ? QString() : QStringLiteral("options=\"%1\"").arg(options);
  });
}

QString OperandCases() {
  return GroupedCases(
      [](const TCommandEntry& command) { return CompletionOf(command.OperandsAre); });
}

}  // namespace

QString BashCompletion() {
  const QString switches = Words(ShortAndLong(HelpSwitch()) + ShortAndLong(VersionSwitch()));
  return QStringLiteral(
             "# bash completion for kivnvm: commands, each command's options, the ports, and "
             "file names\n"
             "# for the rest. Made from kivnvm's command table when kivnvm is built.\n"
             "\n"
             "_kivnvm() {\n"
             "  local cur prev words cword\n"
             "  _init_completion || return\n"
             "\n"
             "  local commands=\"%1\"\n"
             "  local phone_options=\"%2\"\n"
             "\n"
             "  local command=\"\" word\n"
             "  for word in \"${words[@]:1:cword-1}\"; do\n"
             "    case \"$word\" in\n"
             "      -*) ;;\n"
             "      *) command=\"$word\"; break ;;\n"
             "    esac\n"
             "  done\n"
             "\n"
             "  case \"$prev\" in\n"
             "%3"
             "  esac\n"
             "\n"
             "  if [[ -z \"$command\" ]]; then\n"
             "    if [[ \"$cur\" == -* ]]; then\n"
             "      COMPREPLY=($(compgen -W \"%4 $phone_options\" -- \"$cur\"))\n"
             "    else\n"
             "      COMPREPLY=($(compgen -W \"$commands\" -- \"$cur\"))\n"
             "    fi\n"
             "    return\n"
             "  fi\n"
             "  if [[ \"$command\" == %5 ]]; then\n"
             "    COMPREPLY=($(compgen -W \"$commands\" -- \"$cur\"))\n"
             "    return\n"
             "  fi\n"
             "\n"
             "  local options=\"\"\n"
             "  case \"$command\" in\n"
             "%6"
             "  esac\n"
             "\n"
             "  if [[ \"$cur\" == -* ]]; then\n"
             "    COMPREPLY=($(compgen -W \"$options %7\" -- \"$cur\"))\n"
             "    return\n"
             "  fi\n"
             "  case \"$command\" in\n"
             "%8"
             "  esac\n"
             "}\n"
             "complete -F _kivnvm kivnvm\n")
      .arg(CommandNames(), Words(OptionWords(PhoneOptions())), ValueCases(), switches,
           HelpCommandName(), OptionCases(), Words(ShortAndLong(HelpSwitch())), OperandCases());
}
