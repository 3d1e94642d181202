// The Windows kivnvm.exe, run as Windows runs it (under Wine here), against the 64-bit
// virtual phone gbp.dll: each phone command gives the phone's own bytes, through files and
// through the standard streams, which Windows opens as text, alike; a backup restores
// what was changed, a hang and a crash of the library in its link host are ended within their
// deadlines with the next command working, Find phone tries each COM port as the port it is,
// and a 32-bit gbp.dll runs in the 32-bit link host where 32-bit programs can run.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "tests/support/listedports.h"
#include "tests/support/virtualphone.h"

namespace {

struct TRun {
  int ExitCode = -1;
  QByteArray Bytes;  // standard output as it came
  QString Out;
  QString Err;
};

QString Beside(const QString& name) {
  return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestWindowsKivnvm : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void cleanup();
  void commandsGiveThePhonesBytes();
  void standardStreamsCarryBytesUnchanged();
  void backupRestoresWhatChanged();
  void hangAndCrashEndWithinTheirDeadlines_data();
  void hangAndCrashEndWithinTheirDeadlines();
  void findPhoneTriesEachComPortAsThePortItIs();
  void thirtyTwoBitLibraryRunsInItsHost();

 private:
  QString Path(const QString& name) const { return work_->filePath(name); }
  TRun Run(QStringList arguments, const QString& library = TVirtualPhone::LibraryPath(),
           const QByteArray& input = QByteArray()) const {
    if (!library.isEmpty())  // the phone commands' link; the others take none
      arguments << QStringLiteral("--link") << library;
    QProcess process;
    process.start(Beside(QStringLiteral("kivnvm.exe")), arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
      process.kill();
    TRun run{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
             process.readAllStandardOutput(), QString(),
             QString::fromUtf8(process.readAllStandardError())};
    run.Out = QString::fromUtf8(run.Bytes);
    if (run.ExitCode != 0)
      qInfo().noquote() << arguments.join(QLatin1Char(' ')) << "ended with" << run.ExitCode
                        << run.Err;
    return run;
  }

  std::unique_ptr<TVirtualPhone> phone_;
  std::unique_ptr<QTemporaryDir> work_;
};

void TestWindowsKivnvm::init() {
  phone_ = std::make_unique<TVirtualPhone>();
  work_ = std::make_unique<QTemporaryDir>();
  QCOMPARE(Run({"demo", phone_->StoreDir()}, QString()).ExitCode, 0);
  phone_->ClearJournal();
}

// The phone goes before the next one comes, which would otherwise see its variables unset.
void TestWindowsKivnvm::cleanup() {
  phone_.reset();
  work_.reset();
}

void TestWindowsKivnvm::commandsGiveThePhonesBytes() {
  const TRun list = Run({"list", "--json"});
  QCOMPARE(list.ExitCode, 0);
  QVERIFY2(list.Out.contains(QStringLiteral("\"18-9\"")), qPrintable(list.Out));

  QCOMPARE(Run({"get", "18-9", Path("got")}).ExitCode, 0);
  QCOMPARE(ReadAll(Path("got")), phone_->Get(18, 9));

  const QByteArray bytes("data of the Windows test");
  QFile file(Path("put"));
  QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
  file.close();
  QCOMPARE(Run({"put", "18-20", Path("put")}).ExitCode, 0);
  QCOMPARE(phone_->Get(18, 20), bytes);

  QCOMPARE(Run({"clear", "--force", "18-20"}).ExitCode, 0);
  QVERIFY(!phone_->Holds(18, 20));
}

// CR LF, a lone LF and Ctrl+Z, which text mode would change or stop at.
void TestWindowsKivnvm::standardStreamsCarryBytesUnchanged() {
  const QByteArray bytes(
      "A\nB\r\nC\x1a"
      "D\0E\n",
      11);
  QCOMPARE(Run({"put", "18-20", "-"}, TVirtualPhone::LibraryPath(), bytes).ExitCode, 0);
  QCOMPARE(phone_->Get(18, 20), bytes);
  const TRun got = Run({"get", "18-20", "-"});
  QCOMPARE(got.ExitCode, 0);
  QCOMPARE(got.Bytes, bytes);
}

void TestWindowsKivnvm::backupRestoresWhatChanged() {
  const QByteArray before = phone_->Get(18, 9);
  QCOMPARE(Run({"backup", Path("backup")}).ExitCode, 0);
  QVERIFY(QFile::exists(Path("backup/manifest.json")));
  phone_->Put(18, 9, "changed after the backup");
  QCOMPARE(Run({"restore", "--only", "18-9", Path("backup")}).ExitCode, 0);
  QCOMPARE(phone_->Get(18, 9), before);
}

void TestWindowsKivnvm::hangAndCrashEndWithinTheirDeadlines_data() {
  QTest::addColumn<QString>("fault");
  QTest::addColumn<QString>("told");
  QTest::newRow("hang") << "size 18-9=hang"
                        << "The phone-link library did not answer GetNVMFileSize 18-9 within 3 s";
  QTest::newRow("crash") << "read 18-9=crash"
                         << "The phone-link library stopped during ReadNVMFile 18-9 (";
}

void TestWindowsKivnvm::hangAndCrashEndWithinTheirDeadlines() {
  QFETCH(QString, fault);
  QFETCH(QString, told);
  phone_->SetFaults(fault);
  QElapsedTimer took;
  took.start();
  // In its link host the library may hang or crash: the start and the size query get 3 s each.
  const TRun run = Run({"get", "--isolate", "--timeout-factor", "0.2", "18-9", Path("out")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY2(run.Err.contains(told), qPrintable(run.Err));
  QVERIFY2(took.elapsed() < 10000, qPrintable(QString::number(took.elapsed())));
  QVERIFY(!QFile::exists(Path("out")));
  phone_->SetFaults(QString());
  QCOMPARE(Run({"get", "--isolate", "18-9", Path("out")}).ExitCode, 0);
  QCOMPARE(ReadAll(Path("out")), phone_->Get(18, 9));
}

// The window's port is COM2, where the phone has nothing: COM1 answers as itself, and COM7 is
// beyond the ports the library opens.
void TestWindowsKivnvm::findPhoneTriesEachComPortAsThePortItIs() {
  const TListedPorts listed({{"\\Device\\KivTest1", "COM1"}, {"\\Device\\KivTest7", "COM7"}});
  const TRun run = Run({"link", "--find", "--json", "--port", "COM2", "COM1", "COM7"});
  QCOMPARE(run.ExitCode, 0);
  const QJsonObject found = QJsonDocument::fromJson(run.Out.toUtf8()).object();
  QCOMPARE(found["answering"].toString(), QStringLiteral("COM1"));
  QStringList results;
  for (const QJsonValue& device : found["devices"].toArray())
    results << device["device"].toString() + ": " + device["result"].toString();
  QCOMPARE(results, (QStringList{"COM1: answers", "COM7: out of reach"}));
  QCOMPARE(phone_->Calls("InitGBPMode"), 1);
}

void TestWindowsKivnvm::thirtyTwoBitLibraryRunsInItsHost() {
  // The 32-bit host asked for nothing answers with its usage; a system that runs no 32-bit
  // programs does not start it at all.
  QProcess probe;
  probe.start(Beside(QStringLiteral("kiv-linkhost-win32.exe")), {});
  probe.closeWriteChannel();
  const bool ran = probe.waitForStarted(20000) && probe.waitForFinished(20000) &&
                   probe.exitStatus() == QProcess::NormalExit && probe.exitCode() != 0 &&
                   !probe.readAllStandardError().isEmpty();
  if (!ran)
    QSKIP(
        "32-bit Windows programs cannot run here (wine64 alone, or a kernel without 32-bit "
        "support)");
  QCOMPARE(Run({"get", "18-9", Path("got")}, Beside(QStringLiteral("win32/gbp.dll"))).ExitCode, 0);
  QCOMPARE(ReadAll(Path("got")), phone_->Get(18, 9));
}

QTEST_GUILESS_MAIN(TestWindowsKivnvm)
#include "test_windows_kivnvm.moc"
