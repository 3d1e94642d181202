// kivnvm's command line, run as the user types it: the help of the tool and of each
// command, which words are switches, usage errors, and the form of every message.

#include <unistd.h>

#include <QtTest>

#include "tests/cli/kivnvmrunner.h"

class TestKivnvmUsage : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void helpAndVersion();
  void helpOfEachCommand_data();
  void helpOfEachCommand();
  void firmwareTable();
  void switchesOnlyWhereTheyStandAsOptions_data();
  void switchesOnlyWhereTheyStandAsOptions();
  void usageErrors_data();
  void usageErrors();
  void messagesNameTheProgramAndTheReason_data();
  void messagesNameTheProgramAndTheReason();
  void settingsOfACopyTheUserMayNotWriteGoToTheConfigFolder();

 private:
  QString Put(const QString& name, const QByteArray& bytes) const {
    WriteFileBytes(work_->filePath(name), bytes);
    return work_->filePath(name);
  }

  TKivnvm kivnvm_;
  std::unique_ptr<QTemporaryDir> work_;
};

void TestKivnvmUsage::init() {
  work_ = std::make_unique<QTemporaryDir>();
}

void TestKivnvmUsage::helpAndVersion() {
  const TKivnvmRun help = kivnvm_.Run({QStringLiteral("--help")});
  QCOMPARE(help.ExitCode, 0);
  for (const char* command : {"inspect", "pack", "unpack", "convert", "prg3", "firmwares", "demo",
                              "list", "get", "put", "clear", "backup", "restore", "link", "--port",
                              "--slots", "--link", "--isolate", "--timeout-factor"})
    QVERIFY2(help.Out.contains(QLatin1String(command)), command);
  QVERIFY(help.Out.contains(QLatin1String("--serial COMn=DEVICE")));
  QCOMPARE(kivnvm_.Run({"-h"}).Out, help.Out);
  QCOMPARE(kivnvm_.Run({"help"}).Out, help.Out);
  const TKivnvmRun version = kivnvm_.Run({QStringLiteral("--version")});
  QCOMPARE(version.ExitCode, 0);
  QCOMPARE(version.Out, QStringLiteral("kivnvm " KIV_VERSION "\n"));
}

void TestKivnvmUsage::helpOfEachCommand_data() {
  QTest::addColumn<QString>("command");
  for (const char* command : {"inspect", "pack", "unpack", "convert", "prg3", "firmwares", "demo",
                              "list", "get", "put", "clear", "backup", "restore", "link"})
    QTest::newRow(command) << command;
}

void TestKivnvmUsage::helpOfEachCommand() {
  QFETCH(QString, command);
  const TKivnvmRun help = kivnvm_.Run({"help", command});
  QCOMPARE(help.ExitCode, 0);
  QVERIFY2(help.Out.startsWith("Usage: kivnvm " + command), qPrintable(help.Out));
  for (const QStringList& asked :
       {QStringList{command, "--help"}, QStringList{command, "-h"}, QStringList{"-h", command}}) {
    const TKivnvmRun run = kivnvm_.Run(asked);
    QCOMPARE(run.ExitCode, 0);
    QCOMPARE(run.Out, help.Out);
  }
}

void TestKivnvmUsage::firmwareTable() {
  const TKivnvmRun run = kivnvm_.Run({"firmwares"});
  QCOMPARE(run.ExitCode, 0);
  const QStringList lines = run.OutLines();
  QCOMPARE(lines.size(), 7);
  QCOMPARE(lines[0], QStringLiteral("0  0x370000 - J7/70 3.10/4"));
  QCOMPARE(lines[6], QStringLiteral("6  0x37BDD8 - Z7 4.5.6/4"));
  for (const char* command : {"convert", "put"})
    QVERIFY(kivnvm_.Run({"help", command}).Out.contains("kivnvm firmwares"));
}

void TestKivnvmUsage::switchesOnlyWhereTheyStandAsOptions_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<int>("exitCode");
  QTest::addColumn<QString>("output");
  QTest::newRow("after the operands") << QStringList{"pack", "a", "b", "--help"} << 0 << "Usage:";
  QTest::newRow("version after the command") << QStringList{"list", "--version"} << 0 << "kivnvm ";
  QTest::newRow("operand after --") << QStringList{"inspect", "--", "--help"} << 1 << "";
  QTest::newRow("an option's value")
      << QStringList{"convert", "--firmware", "--help", "a", "b"} << 1 << "";
  QTest::newRow("version as a value")
      << QStringList{"convert", "--firmware", "--version", "a", "b"} << 1 << "";
  QTest::newRow("short help, not a folder")
      << QStringList{"backup", "-h"} << 0 << "Usage: kivnvm backup";
  QTest::newRow("short help after --") << QStringList{"inspect", "--", "-h"} << 1 << "";
}

void TestKivnvmUsage::switchesOnlyWhereTheyStandAsOptions() {
  QFETCH(QStringList, arguments);
  QFETCH(int, exitCode);
  QFETCH(QString, output);
  QDir::setCurrent(work_->path());  // where the files a and b do not exist
  const TKivnvmRun run = kivnvm_.Run(arguments);
  QCOMPARE(run.ExitCode, exitCode);
  if (output.isEmpty())
    QVERIFY2(run.Out.isEmpty(), qPrintable(run.Out));
  else
    QVERIFY2(run.Out.startsWith(output), qPrintable(run.Out));
  QCOMPARE(QDir(work_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void TestKivnvmUsage::usageErrors_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<QString>("message");
  QTest::newRow("nothing") << QStringList{} << "no command given";
  QTest::newRow("unknown command") << QStringList{"frobnicate"} << "unknown command 'frobnicate'";
  QTest::newRow("unknown option") << QStringList{"inspect", "--xml", "f"} << "unknown option --xml";
  QTest::newRow("unknown short option") << QStringList{"-x", "list"} << "unknown option -x";
  QTest::newRow("another command's option")
      << QStringList{"pack", "--json", "a", "b"} << "pack takes no option --json";
  QTest::newRow("help of no command") << QStringList{"help", "frob"} << "unknown command 'frob'";
  QTest::newRow("missing argument")
      << QStringList{"get", "18-9"}
      << "kivnvm: usage: kivnvm get S-SS FILE | --all DIR | --into DIR S-SS...\n";
  QTest::newRow("extra argument") << QStringList{"inspect", "a", "b"}
                                  << "kivnvm: usage: kivnvm inspect [--json] FILE\n";
  QTest::newRow("value missing") << QStringList{"pack", "a", "b", "--icon"}
                                 << "--icon needs a value";
  QTest::newRow("flag with value") << QStringList{"inspect", "--json=1", "a"} << "takes no value";
  QTest::newRow("twice") << QStringList{"inspect", "--json", "--json", "a"} << "given twice";
  QTest::newRow("icon not in list") << QStringList{"pack", "--icon", "E82B", "a", "b"} << "E82B";
  QTest::newRow("icon not hex") << QStringList{"pack", "--icon", "E8G2", "a", "b"} << "E8G2";
  QTest::newRow("firmware index") << QStringList{"convert", "--firmware-index", "7", "a", "b"}
                                  << "--firmware-index takes 0 to 6";
  QTest::newRow("both firmwares") << QStringList{"convert",  "--firmware",
                                                 "0x1 - J7", "--firmware-index",
                                                 "1",        "a",
                                                 "b"}
                                  << "either --firmware or --firmware-index";
  QTest::newRow("bad port") << QStringList{"list", "--port", "COM5"} << "COM5";
  QTest::newRow("bad address") << QStringList{"clear", "18-256"} << "'18-256'";
  QTest::newRow("slots backwards") << QStringList{"list", "--slots", "9-8,10-8"} << "ends before";
  QTest::newRow("too many slots") << QStringList{"list", "--slots", "0-98,1-1"} << "at most 99";
  QTest::newRow("icon without compress")
      << QStringList{"put", "--icon", "E852", "18-9", "f"} << "--icon goes with --compress";
  QTest::newRow("firmware without convert")
      << QStringList{"put", "--firmware-index", "1", "18-9", "f"} << "go with --convert";
}

void TestKivnvmUsage::usageErrors() {
  QFETCH(QStringList, arguments);
  QFETCH(QString, message);
  const TKivnvmRun run = kivnvm_.Run(arguments);
  QCOMPARE(run.ExitCode, 2);
  QVERIFY2(run.Err.contains(message), qPrintable(run.Err));
  QVERIFY(run.Err.contains(QStringLiteral("kivnvm --help")));
  QVERIFY(run.Out.isEmpty());
}

void TestKivnvmUsage::messagesNameTheProgramAndTheReason_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<QString>("message");  // %1 is the work folder
  QTest::newRow("no such input")
      << QStringList{"inspect", "%1/missing"}
      << "kivnvm: Cannot open file %1/missing: No such file or directory";
  QTest::newRow("input is a folder")
      << QStringList{"inspect", "%1"} << "kivnvm: Cannot open file %1: Is a directory";
  QTest::newRow("output is a folder")
      << QStringList{"prg3", "%1/in", "%1"} << "kivnvm: Cannot create file %1: Is a directory";
  QTest::newRow("output in no folder")
      << QStringList{"prg3", "%1/in", "%1/none/out"}
      << "kivnvm: Cannot create file %1/none/out: No such file or directory";
  QTest::newRow("the manager's words")
      << QStringList{"prg3", "%1/words", "%1/out"} << "kivnvm: Can't uplod - library file too big!";
  // A name that looks like a placeholder stays as it is.
  QTest::newRow("a name holding %2") << QStringList{"pack", "%1/big%2", "%1/out"}
                                     << "kivnvm: %1/big%2 is too big: more than 65536 bytes";
  QTest::newRow("usage") << QStringList{"frob"}
                         << "kivnvm: unknown command 'frob'\nTry 'kivnvm --help'.";
}

void TestKivnvmUsage::messagesNameTheProgramAndTheReason() {
  QFETCH(QStringList, arguments);
  QFETCH(QString, message);
  QByteArray words = "RELEASE=3\n";
  for (int i = 0; i < 512; ++i)
    words += "10 word\n";
  Put("words", words);
  Put("in", "RELEASE=3\n10 a\n");
  Put("big%2", QByteArray(65537, 'x'));
  for (QString& argument : arguments)
    argument = argument.arg(work_->path());
  const TKivnvmRun run = kivnvm_.Run(arguments);
  QVERIFY(run.ExitCode > 0);
  QCOMPARE(run.Err.trimmed(), message.arg(work_->path()));
}

// A copy unpacked into a folder its user may not write: its settings file there could be
// read but never saved, so the user's configuration folder takes over, starting from it.
void TestKivnvmUsage::settingsOfACopyTheUserMayNotWriteGoToTheConfigFolder() {
  const TKivnvm copy;
  copy.WriteSettings("[Manager]\nCOM-Port=2\n");
  QVERIFY(QFile::setPermissions(copy.Dir(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                QFile::ExeGroup | QFile::ReadOther |
                                                QFile::ExeOther));
  QVERIFY(QFile::setPermissions(work_->path(), QFileDevice::Permissions(0x7777)));
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("HOME", work_->path());
  environment.insert("XDG_CONFIG_HOME", work_->path());
  process.setProcessEnvironment(environment);
  const QString kivnvm = copy.Dir() + "/kivnvm";
  // Root may write anywhere: the copy runs as nobody then.
  if (geteuid() == 0)
    process.start("setpriv", {"--reuid=nobody", "--regid=nogroup", "--clear-groups", kivnvm, "link",
                              "--json"});
  else
    process.start(kivnvm, {"link", "--json"});
  QVERIFY(process.waitForFinished(60000));
  QCOMPARE(ReadFileBytes(work_->filePath("kiv-manager/kiv-manager/KivManager.INI")),
           QByteArray("[Manager]\nCOM-Port=2\n"));
  QVERIFY(
      QFile::setPermissions(copy.Dir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

QTEST_MAIN(TestKivnvmUsage)
#include "test_kivnvm_usage.moc"
