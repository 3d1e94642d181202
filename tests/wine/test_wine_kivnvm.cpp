// kivnvm through real Wine, with the Windows link host and the Windows virtual phone of the
// run's width: every phone command gives what it gives in process, a restore refuses a
// tampered backup and tells a truncated write, a hang and a crash of the library are each
// ended and told within their deadlines with the next command working, a link host whose
// kivnvm is killed ends with it, a link host that runs keeps working while another kivnvm
// changes the prefix's serial mapping, and commands back to back under load, each right after
// one whose host ended early, all work.

#include <unistd.h>
#include <QtTest>
#include <memory>

#include "link/gbplibrary.h"
#include "link/winehost.h"
#include "tests/cli/killedmanager.h"
#include "tests/cli/kivnvmrunner.h"
#include "tests/support/virtualphone.h"
#include "tests/wine/winetest.h"

class TestWineKivnvm : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void initTestCase();
  void init();
  void cleanup();
  void commandsGiveWhatTheyGiveInProcess();
  void restoreRefusesATamperedBackupAndTellsATruncatedWrite();
  void hangAndCrashEndWithinTheirDeadlines_data();
  void hangAndCrashEndWithinTheirDeadlines();
  void hostEndsWithItsKilledManager();
  void aRunningHostOutlivesAMappingChange();
  void commandsBackToBackUnderLoad();
  void a32BitLibraryHealsAPrefixMadeBefore32BitWine();

 private:
  QString Path(const QString& name) const { return work_->filePath(name); }
  // kivnvm with the Windows library of the run's width.
  TKivnvmRun Wine(QStringList arguments) const {
    return kivnvm_.Run(arguments << QStringLiteral("--link") << WindowsPhone());
  }
  // The same, for a command that must work: what it told is shown when it does not.
  bool Done(const QStringList& arguments) const {
    const TKivnvmRun run = Wine(arguments);
    if (run.ExitCode != 0)
      qWarning().noquote() << arguments.join(' ') << "ended with" << run.ExitCode << run.Err;
    return run.ExitCode == 0;
  }

  std::unique_ptr<TVirtualPhone> phone_;
  std::unique_ptr<QTemporaryDir> work_;
  TKivnvm kivnvm_;
};

void TestWineKivnvm::initTestCase() {
  kivnvm_.AddBeside(QStringLiteral("kiv-linkhost-win%1.exe").arg(WineBits()));
}

void TestWineKivnvm::init() {
  phone_ = std::make_unique<TVirtualPhone>();
  work_ = std::make_unique<QTemporaryDir>();
  ShareWithWindows(*phone_);
  QCOMPARE(kivnvm_.Run({"demo", phone_->StoreDir()}).ExitCode, 0);
  phone_->ClearJournal();
}

void TestWineKivnvm::cleanup() {
  phone_.reset();
}

void TestWineKivnvm::commandsGiveWhatTheyGiveInProcess() {
  const TKivnvmRun native = kivnvm_.Run({"list"});
  const QStringList nativeJournal = phone_->Journal();
  phone_->ClearJournal();
  const TKivnvmRun list = Wine({"list"});
  QCOMPARE(list.ExitCode, 0);
  QCOMPARE(list.Out, native.Out);
  QCOMPARE(phone_->Journal(), nativeJournal);

  QVERIFY(Done({"get", "18-9", Path("18-9.prg")}));
  QCOMPARE(ReadFileBytes(Path("18-9.prg")), phone_->Get(18, 9));
  WriteFileBytes(Path("data.bin"), QByteArray(3000, 'w'));
  QVERIFY(Done({"put", "18-25", Path("data.bin")}));
  QCOMPARE(phone_->Get(18, 25), QByteArray(3000, 'w'));
  QVERIFY(Done({"clear", "18-25"}));
  QVERIFY(!phone_->Holds(18, 25));

  const TKivnvmRun backup = Wine({"backup", Path("backup")});
  QCOMPARE(backup.ExitCode, 0);
  const QByteArray held = phone_->Get(18, 9);
  phone_->Remove(18, 9);
  QVERIFY(Done({"restore", Path("backup")}));
  QCOMPARE(phone_->Get(18, 9), held);
}

void TestWineKivnvm::restoreRefusesATamperedBackupAndTellsATruncatedWrite() {
  QVERIFY(Done({"backup", Path("backup")}));
  const QByteArray held = phone_->Get(18, 9);
  phone_->Remove(18, 9);
  QByteArray bytes = ReadFileBytes(Path("backup/18-13"));
  bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 1);
  WriteFileBytes(Path("backup/18-13.changed"), bytes);
  QVERIFY(QFile::rename(Path("backup/18-13"), Path("backup/18-13.kept")));
  QVERIFY(QFile::rename(Path("backup/18-13.changed"), Path("backup/18-13")));
  phone_->ClearJournal();
  TKivnvmRun run = Wine({"restore", Path("backup")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY2(run.Err.contains("does not match its SHA-256"), qPrintable(run.Err));
  QCOMPARE(phone_->Calls("WriteNVMFile"), 0);

  QVERIFY(QFile::remove(Path("backup/18-13")));
  QVERIFY(QFile::rename(Path("backup/18-13.kept"), Path("backup/18-13")));
  phone_->SetFaults("write 18-9=truncate 100");
  run = Wine({"restore", Path("backup")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY2(run.Err.contains(
               QStringLiteral("the phone holds 100 of the %1 bytes written").arg(held.size())),
           qPrintable(run.Err));
}

void TestWineKivnvm::hangAndCrashEndWithinTheirDeadlines_data() {
  QTest::addColumn<QString>("fault");
  QTest::addColumn<QString>("told");
  QTest::newRow("hang") << "size 18-9=hang"
                        << "The phone-link library did not answer GetNVMFileSize 18-9 within 3 s";
  QTest::newRow("crash") << "read 18-9=crash"
                         << "The phone-link library stopped during ReadNVMFile 18-9 (";
}

void TestWineKivnvm::hangAndCrashEndWithinTheirDeadlines() {
  QFETCH(QString, fault);
  QFETCH(QString, told);
  phone_->SetFaults(fault);
  QElapsedTimer took;
  took.start();
  // The host's start gets 0.2 x (15 s + 45 s for Wine's boot of the prefix), the size query
  // 0.2 x 15 s.
  const TKivnvmRun run = Wine({"get", "--timeout-factor", "0.2", "18-9", Path("out")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY2(run.Err.contains(told), qPrintable(run.Err));
  QVERIFY2(took.elapsed() < 15000, qPrintable(QString::number(took.elapsed())));
  QVERIFY(!QFile::exists(Path("out")));
  phone_->SetFaults(QString());
  QVERIFY(Done({"get", "18-9", Path("out")}));
  QCOMPARE(ReadFileBytes(Path("out")), phone_->Get(18, 9));
}

namespace {

// Whatever Wine runs in the test's prefix for a program (the prefix's services, devices),
// but its wineserver, which ends by itself.
bool StartedByWine(const TRunningProcess& process) {
  QFile environment(QStringLiteral("/proc/%1/environ").arg(process.Pid));
  QFile name(QStringLiteral("/proc/%1/comm").arg(process.Pid));
  if (process.Pid == getpid() || !environment.open(QIODevice::ReadOnly) ||
      !name.open(QIODevice::ReadOnly) || name.readAll().startsWith("wineserver"))
    return false;
  return environment.readAll().split('\0').contains(
      "WINEPREFIX=" + qEnvironmentVariable("WINEPREFIX").toLocal8Bit());
}

}  // namespace

// Killing the manager kills Wine's own process, which is the host; the processes Wine started
// for it end once it has gone, and the next kivnvm opens the port the host held.
void TestWineKivnvm::hostEndsWithItsKilledManager() {
  phone_->SetFaults("size 18-9=hang;read 18-9=hang");
  const TKilledManager killed =
      KillManagerInCall(kivnvm_, {"get", "18-9", Path("out"), "--link", WindowsPhone()},
                        [&] { return phone_->Journal().contains("InitGBPMode(1) = 0"); });
  QVERIFY(killed.Host > 0);
  QVERIFY2(killed.HostGoneMs >= 0 && killed.HostGoneMs < 1000,
           qPrintable(QString::number(killed.HostGoneMs)));
  const qint64 helpersGone = MsUntilGone(StartedByWine, 5000);
  QVERIFY2(helpersGone >= 0 && helpersGone < 2000, qPrintable(QString::number(helpersGone)));
  phone_->SetFaults(QString());
  QVERIFY(Done({"get", "18-9", Path("out")}));
  QCOMPARE(ReadFileBytes(Path("out")), phone_->Get(18, 9));
}

// A library of this process stands for the window's link: its host runs on while kivnvm
// changes the serial mapping of the prefix, and ends without a fault.
void TestWineKivnvm::aRunningHostOutlivesAMappingChange() {
  const auto window = MakeGBPLibrary(LibraryChoice(WindowsPhone()));
  QCOMPARE(window->Open(1).Code, 0);
  QCOMPARE(window->GetSize(18, 9).Code, phone_->Get(18, 9).size());
  QCOMPARE(window->Close().Code, 0);
  const QString device = Path("ttyS7");
  WriteFileBytes(device, QByteArray());
  const TKivnvmRun run = Wine({"link", "--test", "--port", "COM1", "--serial", "COM2=" + device});
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(QFileInfo(qEnvironmentVariable("WINEPREFIX") + "/dosdevices/com2").symLinkTarget(),
           device);
  QCOMPARE(window->Open(1).Code, 0);
  QCOMPARE(window->GetSize(18, 9).Code, phone_->Get(18, 9).size());
  const TLinkStatus closed = window->Close();
  QCOMPARE(closed.Code, 0);
  QVERIFY(!closed.HostFailed());
  // Showing the link changes nothing; it names the host's width and the Wine loader.
  const QString before = ReadFileBytes(qEnvironmentVariable("WINEPREFIX") + "/kiv-manager-ports");
  const TKivnvmRun shown = Wine({"link", "--serial", "COM2=/dev/kiv-elsewhere"});
  QCOMPARE(shown.ExitCode, 0);
  const QStringList lines = shown.OutLines();
  QVERIFY2(
      lines.contains(QStringLiteral("Runs: in the %1-bit link host under Wine").arg(WineBits())),
      qPrintable(shown.Out));
  QVERIFY2(lines.filter(QRegularExpression(
                            "^Wine: " + QRegularExpression::escape(FindWine(WineBits()).Loader) +
                            " \\(wine-.+\\)$"))
                   .size() == 1,
           qPrintable(shown.Out));
  QVERIFY2(lines.contains("Wine prefix: " + qEnvironmentVariable("WINEPREFIX") + " (made)"),
           qPrintable(shown.Out));
  QCOMPARE(QString(ReadFileBytes(qEnvironmentVariable("WINEPREFIX") + "/kiv-manager-ports")),
           before);
}

// A host that ended early (here a library that crashes at once) used to take the prefix's boot
// with it, which Wine was still running for it, and the next command's host waited for that
// boot until its start deadline passed. KIV_TEST_WINE_ROUNDS sets the rounds, 3 unless given
// (backup, restore and list once each): 34 makes a long run of 102 commands.
void TestWineKivnvm::commandsBackToBackUnderLoad() {
  std::vector<std::unique_ptr<QProcess>> busy;
  for (int i = 0; i < 2; ++i) {
    busy.push_back(std::make_unique<QProcess>());
    busy.back()->start(QStringLiteral("sh"),
                       {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
  }
  const int rounds = qEnvironmentVariableIsSet("KIV_TEST_WINE_ROUNDS")
                         ? qEnvironmentVariableIntValue("KIV_TEST_WINE_ROUNDS")
                         : 3;
  QStringList failed;
  for (int round = 0; round < rounds; ++round) {
    phone_->SetFaults(QStringLiteral("read 18-9=crash"));
    QCOMPARE(Wine({"get", "18-9", Path("out")}).ExitCode, 1);
    phone_->SetFaults(QString());
    const QString backup = Path(QStringLiteral("backup%1").arg(round / 3 * 3));
    const QStringList commands[] = {{"backup", backup}, {"restore", backup}, {"list"}};
    const QStringList& command = commands[round % 3];
    const TKivnvmRun run = Wine(command);
    if (run.ExitCode != 0)
      failed << QStringLiteral("%1 (round %2): %3").arg(command[0]).arg(round).arg(run.Err);
  }
  for (const auto& process : busy) {
    process->kill();
    process->waitForFinished();
  }
  QCOMPARE(failed, QStringList());
}

// A prefix made while Wine ran only 64-bit programs has its syswow64 empty, as wine64 alone
// leaves it; the 32-bit library brings it up to date and runs.
void TestWineKivnvm::a32BitLibraryHealsAPrefixMadeBefore32BitWine() {
  if (WineBits() != 32)
    QSKIP("needs the 32-bit host: wine32_kivnvm does this where 32-bit programs run");
  const QString prefix = Path(QStringLiteral("prefix"));
  QProcess boot;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("WINEPREFIX"), prefix);
  environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
  boot.setProcessEnvironment(environment);
  boot.start(FindWine(64).Loader, {QStringLiteral("wineboot"), QStringLiteral("-i")});
  QVERIFY(boot.waitForFinished(300000));
  EndWineserver(prefix);
  QDir syswow64(prefix + QStringLiteral("/drive_c/windows/syswow64"));
  QVERIFY(syswow64.removeRecursively() && QDir().mkpath(syswow64.path()));
  kivnvm_.SetVariable(QStringLiteral("WINEPREFIX"), prefix);
  const TKivnvmRun run = Wine({"list", "--sizes-only"});
  kivnvm_.SetVariable(QStringLiteral("WINEPREFIX"), qEnvironmentVariable("WINEPREFIX"));
  EndWineserver(prefix);
  QVERIFY2(run.ExitCode == 0, qPrintable(run.Err));
  QVERIFY2(run.Out.contains("18-9"), qPrintable(run.Out));
  QVERIFY(QFile::exists(syswow64.filePath(QStringLiteral("kernel32.dll"))));
}

WINE_TEST_MAIN(TestWineKivnvm, QCoreApplication)
#include "test_wine_kivnvm.moc"
