// The virtual phone shared between processes, as when the manager and kivnvm run at once:
// a killed write leaves the old section, a port is held by one process at a time and freed
// when that process ends, and only stale temporaries are cleared at opening.

#include <QtTest>

#include "phone/gbpexports.h"
#include "tests/phone/virtualphonetest.h"
#include "tests/support/virtualphone.h"

namespace {

QStringList HiddenFiles(const QString& folder) {
  return QDir(folder)
      .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)
      .filter(QRegularExpression(QStringLiteral("^\\.")));
}

// Everything in the folder, hidden or not, sorted.
QStringList Entries(const QString& folder) {
  QStringList names =
      QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  names.sort();
  return names;
}

void Touch(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write("x") != 1)
    qFatal("cannot make %s", qPrintable(path));
}

// Runs the phone from another process, steps as gbpclient takes them; its results, one a
// line.
QByteArray RunClient(const QStringList& steps) {
  QProcess client;
  client.start(QStringLiteral(GBP_CLIENT), steps);
  if (!client.waitForFinished(5000) || client.exitStatus() != QProcess::NormalExit)
    return "did not finish";
  return client.readAllStandardOutput();
}

// Starts gbpclient with steps that end in "wait" and waits until it has printed the results
// expected before it: the other process then holds what those steps left it holding.
bool StartHolding(QProcess& client, const QStringList& steps, const QByteArray& results) {
  client.start(QStringLiteral(GBP_CLIENT), steps);
  QByteArray printed;
  QElapsedTimer timer;
  timer.start();
  while (printed.size() < results.size() && timer.elapsed() < 5000) {
    client.waitForReadyRead(100);
    printed += client.readAllStandardOutput();
  }
  return printed == results;
}

// Lets a holding gbpclient go on past its "wait" and end; what it printed after it.
QByteArray Finish(QProcess& client) {
  client.write("\n");
  client.closeWriteChannel();
  if (!client.waitForFinished(5000))
    return "did not finish";
  return client.readAllStandardOutput();
}

// Another process writing 4,000 bytes into 18-9 at 2,000 baud: 20 seconds, long enough to
// be caught in the middle.
bool StartSlowWriter(QProcess& writer) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("GBP_BAUD"), QStringLiteral("2000"));
  writer.setProcessEnvironment(environment);
  writer.start(QStringLiteral(GBP_CLIENT), {"init", "1", "write", "18", "9", "4000", "66"});
  return writer.waitForStarted(5000);
}

}  // namespace

class TestPhoneProcesses : public TVirtualPhoneTest {
  Q_OBJECT
 private Q_SLOTS:
  void killedWriteKeepsOldSection();
  void portHeldByOneProcess();
  void holdEndsWithTheProcess();
  void staleTemporariesClearedAtOpening();
  void liveWritersTemporaryKept();
};

void TestPhoneProcesses::killedWriteKeepsOldSection() {
  TVirtualPhone phone;
  const QByteArray old = Pattern(2000, 'o');
  phone.Put(18, 9, old);
  QProcess writer;
  QVERIFY(StartSlowWriter(writer));
  QTRY_VERIFY_WITH_TIMEOUT(!HiddenFiles(phone.PortDir(1)).isEmpty(), 3000);
  QTRY_VERIFY_WITH_TIMEOUT(
      QFileInfo(phone.PortDir(1) + "/" + HiddenFiles(phone.PortDir(1)).first()).size() > 0, 3000);
  writer.kill();
  QVERIFY(writer.waitForFinished(5000));
  QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
  QCOMPARE(phone.Get(18, 9), old);
  // The killed writer's temporary file stays until the port is next opened.
  QCOMPARE(HiddenFiles(phone.PortDir(1)).size(), 1);

  // Undisturbed, the same write replaces the section whole.
  QProcess again;
  again.start(QStringLiteral(GBP_CLIENT), {"init", "1", "write", "18", "9", "4000", "66", "end"});
  QVERIFY(again.waitForFinished(5000));
  QCOMPARE(again.readAllStandardOutput(), QByteArray("0\n0\n0\n"));
  QCOMPARE(phone.Get(18, 9), QByteArray(4000, 'B'));
  QCOMPARE(HiddenFiles(phone.PortDir(1)), QStringList());
}

void TestPhoneProcesses::portHeldByOneProcess() {
  TVirtualPhone phone;
  phone.AddPort(2);
  phone.Put(18, 24, "first");
  const QStringList portListing = Entries(phone.PortDir(1));
  const QStringList storeListing = Entries(phone.StoreDir());
  QCOMPARE(InitGBPMode(1), 0);
  // Another process is refused the port, and its link stays closed; other ports are free.
  QCOMPARE(RunClient({"init", "1", "write", "18", "24", "3", "66", "end"}),
           QByteArray("-2\n-4\n0\n"));
  QCOMPARE(phone.Get(18, 24), QByteArray("first"));
  QCOMPARE(RunClient({"init", "2", "end"}), QByteArray("0\n0\n"));
  // Within the process, a second opening answers as before.
  QCOMPARE(InitGBPMode(1), -1);
  QCOMPARE(InitGBPMode(2), -1);
  QCOMPARE(GetNVMFileSize(18, 24), 5);
  // The hold leaves no file behind, neither among the sections nor beside them.
  QCOMPARE(Entries(phone.PortDir(1)), portListing);
  QCOMPARE(Entries(phone.StoreDir()), storeListing);
  QCOMPARE(EndGBPMode(), 0);
  QCOMPARE(RunClient({"init", "1", "size", "18", "24", "end"}), QByteArray("0\n5\n0\n"));

  // The other way round: while another process holds the port, this one is refused.
  QProcess holder;
  QVERIFY(
      StartHolding(holder, {"init", "1", "wait", "write", "18", "24", "3", "66", "end"}, "0\n"));
  QCOMPARE(InitGBPMode(1), -2);
  QCOMPARE(GetNVMFileSize(18, 24), -4);
  QCOMPARE(WriteNVMFile(18, 24, "lost", 4), -4);
  QCOMPARE(Finish(holder), QByteArray("0\n0\n0\n"));
  QCOMPARE(phone.Get(18, 24), QByteArray("BBB"));
  QCOMPARE(InitGBPMode(1), 0);
  QCOMPARE(Entries(phone.PortDir(1)), portListing);
  QCOMPARE(Entries(phone.StoreDir()), storeListing);
}

void TestPhoneProcesses::holdEndsWithTheProcess() {
  TVirtualPhone phone;
  // A killed holder lets the port go.
  QProcess killed;
  QVERIFY(StartHolding(killed, {"init", "1", "wait"}, "0\n"));
  QCOMPARE(InitGBPMode(1), -2);
  killed.kill();
  QVERIFY(killed.waitForFinished(5000));
  QCOMPARE(InitGBPMode(1), 0);

  // A program started while the port is held does not keep it once the holder lets go.
  QProcess started;
  QVERIFY(StartHolding(started, {"wait"}, ""));
  QVERIFY(started.waitForStarted(5000));
  QCOMPARE(EndGBPMode(), 0);
  QCOMPARE(RunClient({"init", "1", "end"}), QByteArray("0\n0\n"));
  QCOMPARE(Finish(started), QByteArray("0\n"));
}

void TestPhoneProcesses::staleTemporariesClearedAtOpening() {
  TVirtualPhone phone;
  phone.Put(18, 9, "kept");
  const QString port = phone.PortDir(1);
  const QStringList stale = {".18-9.4194304.0.tmp", ".2-10.17.12.tmp"};
  for (const QString& name : stale)
    Touch(port + "/" + name);
  // Only the names of the phone's own temporary files go.
  const QStringList others = {".18-9.tmp", ".18-9.x.0.tmp", ".notes.17.0.tmp", ".hidden",
                              "notes.txt"};
  for (const QString& name : others)
    Touch(port + "/" + name);
  QVERIFY(QDir(port).mkdir(QStringLiteral(".3-3.1.1.tmp")));
  QCOMPARE(InitGBPMode(1), 0);
  QStringList left = others + QStringList{"18-9", ".3-3.1.1.tmp"};
  left.sort();
  QCOMPARE(Entries(port), left);
  QCOMPARE(phone.Get(18, 9), QByteArray("kept"));
}

void TestPhoneProcesses::liveWritersTemporaryKept() {
  TVirtualPhone phone;
  const QByteArray old = Pattern(2000, 'o');
  phone.Put(18, 9, old);
  QProcess writer;
  QVERIFY(StartSlowWriter(writer));
  QTRY_COMPARE_WITH_TIMEOUT(HiddenFiles(phone.PortDir(1)).size(), 1, 3000);
  const QStringList writing = HiddenFiles(phone.PortDir(1));
  // An opening refused while the writer lives leaves its temporary file alone.
  QCOMPARE(InitGBPMode(1), -2);
  QCOMPARE(HiddenFiles(phone.PortDir(1)), writing);
  writer.kill();
  QVERIFY(writer.waitForFinished(5000));
  QCOMPARE(HiddenFiles(phone.PortDir(1)), writing);
  QCOMPARE(InitGBPMode(1), 0);
  QCOMPARE(HiddenFiles(phone.PortDir(1)), QStringList());
  QCOMPARE(GetNVMFileSize(18, 9), 2000);
  QCOMPARE(phone.Get(18, 9), old);
}

QTEST_MAIN(TestPhoneProcesses)
#include "test_phoneprocesses.moc"
