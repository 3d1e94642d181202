// kivnvm's command table against what is made from it or written beside it: the parser,
// the help, the bash completion (run in bash) and the man page.

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include "cli/commands.h"
#include "cli/commandtable.h"
#include "cli/completion.h"
#include "cli/console.h"
#include "cli/help.h"

namespace {

QSet<QString> OptionNamesOf(const TCommandEntry& command) {
  QSet<QString> names;
  for (const TCommandOption& option : command.Options)
    names << option.Def.Name;
  return names;
}

QMap<QString, TCommandOption> EveryOption() {
  QMap<QString, TCommandOption> options;
  for (const TCommandEntry& command : CommandTable()) {
    for (const TCommandOption& option : command.Options)
      options.insert(option.Def.Name, option);
  }
  return options;
}

// The command line of the command with one option (and its value) and as many operands
// as it takes.
QStringList LineWith(const TCommandEntry& command, const TCommandOption& option) {
  QStringList line{command.Name, QStringLiteral("--") + option.Def.Name};
  if (option.Def.TakesValue)
    line << QStringLiteral("value");
  for (int i = 0; i < command.Operands; ++i)
    line << QStringLiteral("operand");
  return line;
}

// The options a help text describes, each on a line of its own that starts with it.
QSet<QString> OptionsDescribedIn(const QString& help) {
  static const QRegularExpression optionLine(QStringLiteral("(?m)^  --([a-z][a-z-]*)"));
  QSet<QString> names;
  for (const QRegularExpressionMatch& match : optionLine.globalMatch(help))
    names << match.captured(1);
  return names;
}

QString Quoted(const QString& word) {
  return QLatin1Char('\'') + word + QLatin1Char('\'');
}

}  // namespace

class TestKivnvmTable : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void parserTakesEachCommandsOptionsOnly();
  void helpDescribesEachCommandsOptions();
  void completionOffersWhatTheTableSays();
  void manPageNamesEveryCommandAndOption();

 private:
  // What the completion offers for the words typed after "kivnvm", the last one being
  // completed; files and folders stand as FILES and FOLDERS.
  QStringList Completions(const QStringList& typed) const;
};

void TestKivnvmTable::parserTakesEachCommandsOptionsOnly() {
  const QMap<QString, TCommandOption> everyOption = EveryOption();
  for (const TCommandEntry& command : CommandTable()) {
    const QSet<QString> own = OptionNamesOf(command);
    for (const TCommandOption& option : everyOption) {
      const QStringList line = LineWith(command, option);
      if (own.contains(option.Def.Name)) {
        QCOMPARE(ReadCommandLine(line).Command, &command);
        continue;
      }
      try {
        ReadCommandLine(line);
        QFAIL(qPrintable(line.join(' ') + " was taken"));
      } catch (const TUsageError& error) {
        QCOMPARE(error.Message(), command.Name + " takes no option --" + option.Def.Name);
      }
    }
    QCOMPARE(ReadCommandLine({command.Name, "-h"}).Shown, CommandHelpText(command.Name));
    if (command.Operands == VariableOperands)
      continue;
    QStringList tooMany{command.Name};
    for (int i = 0; i <= command.Operands; ++i)
      tooMany << QStringLiteral("operand");
    QVERIFY_THROWS_EXCEPTION(TUsageError, ReadCommandLine(tooMany));
  }
}

void TestKivnvmTable::helpDescribesEachCommandsOptions() {
  const QString overview = UsageText();
  for (const TCommandEntry& command : CommandTable()) {
    QVERIFY2(command.Synopsis.startsWith(command.Name), qPrintable(command.Synopsis));
    QVERIFY2(overview.contains("\n  " + command.Synopsis.simplified()), qPrintable(command.Name));
    QCOMPARE(OptionsDescribedIn(CommandHelpText(command.Name)), OptionNamesOf(command));
  }
}

QStringList TestKivnvmTable::Completions(const QStringList& typed) const {
  QStringList words{QStringLiteral("kivnvm")};
  for (const QString& word : typed)
    words << Quoted(word);
  const QString script =
      BashCompletion() + QStringLiteral(
                             "_init_completion() { words=(\"${COMP_WORDS[@]}\"); cword=$COMP_CWORD;"
                             " cur=${words[cword]}; prev=${words[cword-1]}; }\n"
                             "_filedir() { if [[ $1 == -d ]]; then COMPREPLY=(FOLDERS); else "
                             "COMPREPLY=(FILES); fi; }\n"
                             "COMP_WORDS=(%1); COMP_CWORD=%2; _kivnvm\n"
                             "printf '%s\\n' \"${COMPREPLY[@]}\"\n")
                             .arg(words.join(QLatin1Char(' ')), QString::number(typed.size()));
  QProcess bash;
  bash.start(QStringLiteral("bash"), {QStringLiteral("-c"), script});
  if (!bash.waitForFinished() || bash.exitCode() != 0)
    return {QStringLiteral("bash failed: ") + QString::fromUtf8(bash.readAllStandardError())};
  QStringList offered = QString::fromUtf8(bash.readAllStandardOutput()).split('\n');
  offered.removeAll(QString());
  offered.sort();
  return offered;
}

void TestKivnvmTable::completionOffersWhatTheTableSays() {
  QStringList commands{HelpCommandName()};
  for (const TCommandEntry& command : CommandTable())
    commands << command.Name;
  commands.sort();
  QCOMPARE(Completions({""}), commands);
  QCOMPARE(Completions({"help", ""}), commands);

  const QMap<TCompletes, QStringList> offeredFor{
      {TCompletes::Nothing, {}},
      {TCompletes::Files, {"FILES"}},
      {TCompletes::Folders, {"FOLDERS"}},
      {TCompletes::Ports, {"COM1", "COM2", "COM3", "COM4"}}};
  for (const TCommandEntry& command : CommandTable()) {
    QStringList options{"--help", "-h"};
    for (const TCommandOption& option : command.Options) {
      options << "--" + option.Def.Name;
      if (!option.Def.TakesValue)
        continue;
      const QStringList values = Completions({command.Name, "--" + option.Def.Name, ""});
      if (option.Value == TCompletes::SerialMappings) {
        for (const QString& value : values)
          QVERIFY2(QRegularExpression("^COM[1-4]=/dev/tty").match(value).hasMatch(),
                   qPrintable(value));
      } else {
        QCOMPARE(values, offeredFor.value(option.Value));
      }
    }
    options.sort();
    QCOMPARE(Completions({command.Name, "-"}), options);
    QCOMPARE(Completions({command.Name, ""}), offeredFor.value(command.OperandsAre));
  }
}

void TestKivnvmTable::manPageNamesEveryCommandAndOption() {
  QFile file(QStringLiteral(KIV_SOURCE_DIR "/packaging/man/kivnvm.1.in"));
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QString page = QString::fromUtf8(file.readAll());
  for (const TCommandEntry& command : CommandTable()) {
    const QRegularExpression named("(?m)^\\.B[IR]? " + command.Name + "( |$)");
    QVERIFY2(named.match(page).hasMatch(),
             qPrintable("kivnvm.1 lacks the command " + command.Name));
  }
  const QMap<QString, TCommandOption> options = EveryOption();
  for (const TCommandOption& option : options) {
    const QString escaped = "\\-\\-" + QString(option.Def.Name).replace('-', "\\-");
    QVERIFY2(page.contains(escaped), qPrintable("kivnvm.1 lacks the option --" + option.Def.Name));
  }
  // Nor does it name an option that is gone: --help and --version stand beside the table.
  static const QRegularExpression optionWord("\\\\-\\\\-([a-z](?:[a-z0-9]|\\\\-)*)");
  for (const QRegularExpressionMatch& word : optionWord.globalMatch(page)) {
    const QString name = word.captured(1).remove('\\');
    QVERIFY2(options.contains(name) || name == "help" || name == "version",
             qPrintable("kivnvm.1 names --" + name + ", which no command takes"));
  }
}

QTEST_GUILESS_MAIN(TestKivnvmTable)
#include "test_kivnvm_table.moc"
