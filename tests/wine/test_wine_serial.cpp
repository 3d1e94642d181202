// The cable through real Wine: a COM port mapped to a pseudo-terminal, where the test's
// serial library opens \\.\COM1 and talks with the test at the other end; a missing device
// and one the account may not open, each told before any prefix is made; and Find phone
// over two pseudo-terminals, one answering and one silent, which leaves the prefix's mapping
// as it was; and one device giving one answer try after try, in kivnvm and in the window's
// Test link and Find phone, whatever the try before left in the line.

#include <unistd.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "link/findphone.h"
#include "link/gbplibrary.h"
#include "link/linktest.h"
#include "tests/cli/kivnvmrunner.h"
#include "tests/wine/ptyphone.h"
#include "tests/wine/winetest.h"

class TestWineSerial : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void initTestCase();
  void theLibraryTalksOverTheMappedPort();
  void aDeviceThatCannotOpenIsToldBeforeAnyPrefix_data();
  void aDeviceThatCannotOpenIsToldBeforeAnyPrefix();
  void findPhoneTellsWhichDeviceAnswers();
  void aDeviceGivesTheSameAnswerEveryTry_data();
  void aDeviceGivesTheSameAnswerEveryTry();

 private:
  TKivnvmRun Serial(QStringList arguments) const {
    return kivnvm_.Run(arguments << QStringLiteral("--link") << SerialPhone());
  }
  static QString Prefix() { return qEnvironmentVariable("WINEPREFIX"); }
  static QString PortsRecord() {
    return QString::fromUtf8(ReadFileBytes(Prefix() + "/kiv-manager-ports"));
  }

  TKivnvm kivnvm_;
};

void TestWineSerial::initTestCase() {
  kivnvm_.AddBeside(QStringLiteral("kiv-linkhost-win%1.exe").arg(WineBits()));
}

void TestWineSerial::theLibraryTalksOverTheMappedPort() {
  const TPtyPhone cable(true, 12);
  TKivnvmRun run =
      Serial({"link", "--test", "--port", "COM1", "--serial", "COM1=" + cable.Device()});
  QCOMPARE(run.ExitCode, 0);
  QVERIFY2(
      run.Out.contains("Link test on COM1: The link works on COM1: section 2-18 holds 12 bytes."),
      qPrintable(run.Out));
  QCOMPARE(cable.Received(), QByteArray("AT\rSIZE 2-18\r"));
  // The silent end of another cable: the library's own "No AT response!".
  const TPtyPhone silent(false);
  run = Serial({"link", "--test", "--port", "COM1", "--serial", "COM1=" + silent.Device()});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY2(run.Out.contains("Link test on COM1: GBP Error: No AT response!"), qPrintable(run.Out));
  QCOMPARE(silent.Received(), QByteArray("AT\r"));
}

void TestWineSerial::aDeviceThatCannotOpenIsToldBeforeAnyPrefix_data() {
  QTest::addColumn<bool>("present");
  QTest::addColumn<QString>("told");
  QTest::newRow("missing") << false << "which does not exist: is the cable plugged in?";
  QTest::newRow("no permission") << true << "Your account may not open ";
}

void TestWineSerial::aDeviceThatCannotOpenIsToldBeforeAnyPrefix() {
  QFETCH(bool, present);
  QFETCH(QString, told);
  const QTemporaryDir dir;
  const QString prefix = dir.filePath(QStringLiteral("new-prefix"));
  QString device = dir.filePath(QStringLiteral("ttyUSB7"));
  QStringList command{QStringLiteral("list"), QStringLiteral("--port"), QStringLiteral("COM1")};
  std::unique_ptr<TPtyPhone> cable;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("WINEPREFIX"), prefix);
  if (present) {
    cable = std::make_unique<TPtyPhone>(true);
    device = cable->Device();
    QVERIFY(QFile::setPermissions(device, QFile::ReadOwner | QFile::WriteOwner));
  }
  command << QStringLiteral("--serial") << "COM1=" + device << QStringLiteral("--link")
          << SerialPhone();
  QProcess kivnvm;
  kivnvm.setProcessEnvironment(environment);
  // Root may open anything: the check is made as an account that owns neither the device
  // nor the program's folder.
  if (present && geteuid() == 0) {
    QVERIFY(QFile::setPermissions(
        kivnvm_.Dir(), QFile::permissions(kivnvm_.Dir()) | QFile::ExeOther | QFile::ReadOther));
    environment.insert(QStringLiteral("HOME"), dir.path());
    kivnvm.setProcessEnvironment(environment);
    kivnvm.start(
        QStringLiteral("setpriv"),
        QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", kivnvm_.Dir() + "/kivnvm"} +
            command);
  } else {
    kivnvm.start(kivnvm_.Dir() + "/kivnvm", command);
  }
  QElapsedTimer took;
  took.start();
  QVERIFY(kivnvm.waitForFinished(60000));
  const QString err = QString::fromUtf8(kivnvm.readAllStandardError());
  QCOMPARE(kivnvm.exitCode(), 1);
  QVERIFY2(err.startsWith("kivnvm: GBP Error: Can't open port! (COM1, from --port)\nkivnvm: "),
           qPrintable(err));
  QVERIFY2(err.contains(told), qPrintable(err));
  QVERIFY2(took.elapsed() < 2000, qPrintable(QString::number(took.elapsed())));
  QVERIFY(!QFileInfo::exists(prefix));
}

void TestWineSerial::findPhoneTellsWhichDeviceAnswers() {
  const TPtyPhone answering(true, 12);
  const TPtyPhone silent(false);
  const QTemporaryDir dir;
  const QString other = dir.filePath(QStringLiteral("ttyS2"));
  WriteFileBytes(other, QByteArray());
  // The prefix as this choice leaves it.
  Serial({"link", "--test", "--port", "COM2", "--serial", "COM2=" + other});
  const QString recorded = PortsRecord();
  const QString com1 = QFileInfo(Prefix() + "/dosdevices/com1").symLinkTarget();
  TKivnvmRun run = Serial({"link", "--find", "--port", "COM1", "--serial", "COM2=" + other,
                           silent.Device(), answering.Device()});
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(
      run.OutLines(),
      (QStringList{silent.Device() + " (no description): no answer", "  GBP Error: No AT response!",
                   answering.Device() + " (no description): answers (2-18 holds 12 bytes)",
                   "Keep it for COM1 with --serial COM1=" + answering.Device() + ", or COM1=" +
                       answering.Device() + " in [Link] of " + kivnvm_.Dir() + "/KivManager.INI"}));
  QCOMPARE(answering.Received(), QByteArray("AT\rSIZE 2-18\r"));
  // The tries only borrowed COM1.
  QCOMPARE(PortsRecord(), recorded);
  QCOMPARE(QFileInfo(Prefix() + "/dosdevices/com1").symLinkTarget(), com1);

  run = Serial({"link", "--find", "--json", silent.Device()});
  QCOMPARE(run.ExitCode, 1);
  const QJsonObject json = QJsonDocument::fromJson(run.OutBytes).object();
  QCOMPARE(json["port"].toString(), QStringLiteral("COM1"));
  QCOMPARE(json["answering"].toString(), QString());
  QCOMPARE(json["devices"].toArray()[0].toObject()["result"].toString(),
           QStringLiteral("no answer"));
}

void TestWineSerial::aDeviceGivesTheSameAnswerEveryTry_data() {
  QTest::addColumn<bool>("echoes");
  QTest::addColumn<QString>("tested");
  QTest::addColumn<QString>("found");
  QTest::newRow("answers") << false << "The link works on COM1: section 2-18 holds 12 bytes."
                           << "answers (2-18 holds 12 bytes)";
  // The library reads the echo where it waits for "OK" and gives up, leaving the "OK" in the
  // line, where the next try would take it for its own.
  QTest::newRow("echoes") << true << "GBP Error: No AT response!"
                          << "no answer";
}

void TestWineSerial::aDeviceGivesTheSameAnswerEveryTry() {
  QFETCH(bool, echoes);
  QFETCH(QString, tested);
  QFETCH(QString, found);
  constexpr int kTries = 10;
  const TPtyPhone cable(true, 12, echoes);
  TLinkChoice choice = LibraryChoice(SerialPhone());
  choice.Serial.insert(1, cable.Device());
  QStringList kivnvm;
  QStringList window;
  const std::atomic<bool> never{false};
  for (int i = 0; i < kTries; ++i) {
    const TKivnvmRun run =
        Serial({"link", "--test", "--port", "COM1", "--serial", "COM1=" + cable.Device()});
    kivnvm << run.OutLines().filter("Link test on COM1: ").value(0);
    window << TestLink(*MakeGBPLibrary(choice), 1).Text;
  }
  // Find phone, the device tried again and again in one search.
  QStringList searched;
  const TFindOutcome search =
      FindPhone(choice, 1, QList<TSerialDeviceInfo>(kTries, TSerialDeviceInfo{cable.Device(), {}}),
                never, [](const TFoundDevice&) {});
  for (const TFoundDevice& device : search.Devices)
    searched << device.Text;
  QCOMPARE(kivnvm, QStringList(kTries, "Link test on COM1: " + tested +
                                           (echoes ? " (COM1, from --port)" : "")));
  QCOMPARE(window, QStringList(kTries, tested));
  QCOMPARE(searched, QStringList(kTries, found));
}

WINE_TEST_MAIN(TestWineSerial, QCoreApplication)
#include "test_wine_serial.moc"
