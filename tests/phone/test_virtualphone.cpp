// The virtual phone (libgbp.so), called directly as the manager's loader would call it: its
// store, result codes, reads, capacity, faults and journal, and a port that vanishes.

#include <QtTest>

#include "phone/gbpexports.h"
#include "tests/phone/virtualphonetest.h"
#include "tests/support/virtualphone.h"

namespace {

int32_t Write(uint32_t section, uint32_t subsection, const QByteArray& data) {
  return WriteNVMFile(section, subsection, data.constData(), uint32_t(data.size()));
}

QByteArray Read(uint32_t section, uint32_t subsection, uint32_t length, int32_t* result) {
  QByteArray buffer(int(length), '\x5A');
  *result = ReadNVMFile(section, subsection, buffer.data(), length);
  return buffer;
}

// Restores an environment variable when the test ends.
class TEnvGuard {
 public:
  explicit TEnvGuard(const char* name)
      : name_(name), had_(qEnvironmentVariableIsSet(name)), value_(qgetenv(name)) {}
  ~TEnvGuard() {
    if (had_)
      qputenv(name_, value_);
    else
      qunsetenv(name_);
  }
  TEnvGuard(const TEnvGuard&) = delete;
  TEnvGuard& operator=(const TEnvGuard&) = delete;

 private:
  const char* name_;
  bool had_;
  QByteArray value_;
};

}  // namespace

class TestVirtualPhone : public TVirtualPhoneTest {
  Q_OBJECT
 private Q_SLOTS:
  void storeLayout();
  void defaultStoreFolder_data();
  void defaultStoreFolder();
  void openingCodes_data();
  void openingCodes();
  void closedLinkRefusesFileOperations();
  void readCopiesAtMostBuffer_data();
  void readCopiesAtMostBuffer();
  void emptyAndMissingSections();
  void sectionSizeLimit();
  void capacity();
  void faults_data();
  void faults();
  void faultsReadAtEachOpening();
  void journal();
  void malformedFaultsToldOnce();
  void vanishedPortIsALinkError();
};

void TestVirtualPhone::storeLayout() {
  TVirtualPhone phone;
  phone.Put(18, 9, "big slot");
  QCOMPARE(InitGBPMode(1), 0);
  QCOMPARE(GetNVMFileSize(18, 9), 8);
  const QByteArray data = Pattern(1000, 'a');
  QCOMPARE(Write(2, 10, data), 0);
  QCOMPARE(phone.Get(2, 10), data);
  QVERIFY(QFile::exists(phone.PortDir(1) + QStringLiteral("/2-10")));
  // Only the low byte of each number reaches the phone.
  QCOMPARE(Write(274, 256 + 17, "x"), 0);
  QCOMPARE(phone.Get(18, 17), QByteArray("x"));
  QCOMPARE(QDir(phone.PortDir(1)).entryList(QDir::Files | QDir::Hidden),
           QStringList({"18-17", "18-9", "2-10"}));
}

void TestVirtualPhone::defaultStoreFolder_data() {
  QTest::addColumn<QByteArray>("phoneDir");
  QTest::addColumn<QByteArray>("xdgDataHome");
  QTest::addColumn<QString>("storeUnderTemp");
  QTest::newRow("xdg data home") << QByteArray() << QByteArray("xdg") << "xdg/kiv-manager/phone";
  QTest::newRow("home") << QByteArray() << QByteArray() << "home/.local/share/kiv-manager/phone";
  QTest::newRow("empty values count as unset")
      << QByteArray("") << QByteArray("") << "home/.local/share/kiv-manager/phone";
}

void TestVirtualPhone::defaultStoreFolder() {
  QFETCH(QByteArray, phoneDir);
  QFETCH(QByteArray, xdgDataHome);
  QFETCH(QString, storeUnderTemp);
  const TEnvGuard guards[] = {TEnvGuard("GBP_PHONE_DIR"), TEnvGuard("XDG_DATA_HOME"),
                              TEnvGuard("HOME"), TEnvGuard("GBP_JOURNAL")};
  QTemporaryDir temp;
  qunsetenv("GBP_JOURNAL");
  qputenv("HOME", temp.filePath(QStringLiteral("home")).toLocal8Bit());
  if (phoneDir.isNull())
    qunsetenv("GBP_PHONE_DIR");
  else
    qputenv("GBP_PHONE_DIR", phoneDir);
  if (xdgDataHome.isNull())
    qunsetenv("XDG_DATA_HOME");
  else
    qputenv("XDG_DATA_HOME",
            xdgDataHome.isEmpty() ? xdgDataHome : temp.filePath(xdgDataHome).toLocal8Bit());

  QCOMPARE(InitGBPMode(1), -2);
  const QString port = temp.filePath(storeUnderTemp + QStringLiteral("/COM1"));
  QVERIFY(QDir().mkpath(port));
  QCOMPARE(InitGBPMode(1), 0);
  QCOMPARE(Write(2, 10, "kept"), 0);
  QVERIFY(QFile::exists(port + QStringLiteral("/2-10")));
}

void TestVirtualPhone::openingCodes_data() {
  QTest::addColumn<QString>("faults");
  QTest::addColumn<uint>("port");
  QTest::addColumn<int>("result");
  QTest::addColumn<int>("thenCOM1");  // a second opening, on COM1
  QTest::newRow("COM1") << "" << 1u << 0 << -1;
  QTest::newRow("port 0") << "" << 0u << -7 << 0;
  QTest::newRow("port 5") << "" << 5u << -7 << 0;
  QTest::newRow("port 257 is COM1") << "" << 257u << 0 << -1;
  QTest::newRow("no phone on COM2") << "" << 2u << -2 << 0;
  QTest::newRow("fault") << "init=-3" << 1u << -3 << -3;
  QTest::newRow("unknown fault") << "init=3" << 1u << 3 << 3;
  QTest::newRow("fault zero opens") << "init=0" << 1u << 0 << -1;
  QTest::newRow("bad port before fault") << "init=-3" << 9u << -7 << -3;
}

void TestVirtualPhone::openingCodes() {
  QFETCH(QString, faults);
  QFETCH(uint, port);
  QFETCH(int, result);
  QFETCH(int, thenCOM1);
  TVirtualPhone phone;
  phone.SetFaults(faults);
  QCOMPARE(InitGBPMode(port), result);
  // A failed opening leaves the link closed.
  QCOMPARE(GetNVMFileSize(18, 9), result == 0 ? -153 : -4);
  QCOMPARE(InitGBPMode(1), thenCOM1);
}

void TestVirtualPhone::closedLinkRefusesFileOperations() {
  TVirtualPhone phone;
  phone.Put(18, 9, "content");
  char buffer[16] = {};
  QCOMPARE(ReadNVMFile(18, 9, buffer, sizeof buffer), -4);
  QCOMPARE(WriteNVMFile(18, 9, "new", 3), -4);
  QCOMPARE(ClearNVMFile(18, 9), -4);
  QCOMPARE(GetNVMFileSize(18, 9), -4);
  QCOMPARE(EndGBPMode(), 0);
  QCOMPARE(phone.Get(18, 9), QByteArray("content"));
  QCOMPARE(InitGBPMode(1), 0);
  QCOMPARE(EndGBPMode(), 0);
  QCOMPARE(GetNVMFileSize(18, 9), -4);
}

void TestVirtualPhone::readCopiesAtMostBuffer_data() {
  QTest::addColumn<int>("stored");
  QTest::addColumn<uint>("length");
  QTest::newRow("buffer smaller") << 300 << 128u;
  QTest::newRow("buffer larger") << 100 << 128u;
  QTest::newRow("exact") << 65536 << 65536u;
  QTest::newRow("zero length") << 10 << 0u;
  QTest::newRow("empty section") << 0 << 16u;
}

void TestVirtualPhone::readCopiesAtMostBuffer() {
  QFETCH(int, stored);
  QFETCH(uint, length);
  TVirtualPhone phone;
  const QByteArray data = Pattern(stored, '0');
  phone.Put(18, 9, data);
  QCOMPARE(InitGBPMode(1), 0);
  int32_t result = 0;
  const QByteArray buffer = Read(18, 9, length, &result);
  const int copied = qMin(stored, int(length));
  QCOMPARE(result, copied);
  QCOMPARE(buffer.left(copied), data.left(copied));
  QCOMPARE(buffer.mid(copied), QByteArray(int(length) - copied, '\x5A'));
}

void TestVirtualPhone::emptyAndMissingSections() {
  TVirtualPhone phone;
  QCOMPARE(InitGBPMode(1), 0);
  QCOMPARE(GetNVMFileSize(2, 14), -153);
  int32_t result = -1;
  QCOMPARE(Read(2, 14, 8, &result), QByteArray(8, '\x5A'));
  QCOMPARE(result, 0);
  QCOMPARE(WriteNVMFile(2, 14, nullptr, 0), 0);
  QVERIFY(phone.Holds(2, 14));
  QCOMPARE(GetNVMFileSize(2, 14), 0);
  QCOMPARE(ClearNVMFile(2, 14), 0);
  QVERIFY(!phone.Holds(2, 14));
  QCOMPARE(GetNVMFileSize(2, 14), -153);
  QCOMPARE(ClearNVMFile(2, 14), 0);
  QCOMPARE(WriteNVMFile(2, 14, nullptr, 5), -7);
  QCOMPARE(ReadNVMFile(2, 14, nullptr, 5), -7);
}

void TestVirtualPhone::sectionSizeLimit() {
  TVirtualPhone phone;
  phone.Put(18, 9, "old");
  QCOMPARE(InitGBPMode(1), 0);
  QVERIFY(Write(18, 9, Pattern(65537, 'a')) < 0);
  QCOMPARE(phone.Get(18, 9), QByteArray("old"));
  const QByteArray largest = Pattern(65536, 'b');
  QCOMPARE(Write(18, 9, largest), 0);
  QCOMPARE(phone.Get(18, 9), largest);
}

void TestVirtualPhone::capacity() {
  TVirtualPhone phone;
  QCOMPARE(InitGBPMode(1), 0);
  // The default capacity holds exactly six of the largest sections.
  for (uint32_t subsection = 9; subsection < 15; ++subsection)
    QCOMPARE(Write(18, subsection, Pattern(65536, 'c')), 0);
  QVERIFY(Write(18, 15, "x") < 0);
  QVERIFY(!phone.Holds(18, 15));
  EndGBPMode();

  TVirtualPhone small;
  small.SetCapacity(1000);
  small.AddPort(2);
  small.Put(2, 10, Pattern(600, 'd'));
  small.Put(2, 10, Pattern(900, 'e'), 2);  // another port counts apart
  small.Put(18, 9, "old");
  QCOMPARE(InitGBPMode(1), 0);
  QVERIFY(Write(18, 9, Pattern(401, 'f')) < 0);
  QCOMPARE(small.Get(18, 9), QByteArray("old"));
  QCOMPARE(Write(18, 9, Pattern(400, 'f')), 0);
  // Replacing a section counts its new size only.
  QCOMPARE(Write(2, 10, Pattern(600, 'g')), 0);
  QCOMPARE(Write(18, 9, Pattern(400, 'h')), 0);
  QCOMPARE(small.Get(18, 9), Pattern(400, 'h'));
}

void TestVirtualPhone::faults_data() {
  QTest::addColumn<QString>("faults");
  QTest::addColumn<int>("size");       // GetNVMFileSize(18,9) of a 300-byte section
  QTest::addColumn<int>("read");       // ReadNVMFile(18,9) into 128 bytes
  QTest::addColumn<int>("writeSize");  // size after writing 200 bytes
  QTest::newRow("none") << "" << 300 << 128 << 200;
  QTest::newRow("size") << "size 18-9=-7" << -7 << 128 << -7;
  QTest::newRow("size -5") << "size 18-9=-5" << -5 << 128 << -5;
  QTest::newRow("read") << "read 18-9=-5" << 300 << -5 << 200;
  QTest::newRow("read claim") << "read 18-9=claim 99999" << 300 << 99999 << 200;
  QTest::newRow("truncate") << "write 18-9=truncate 100" << 300 << 128 << 100;
  QTest::newRow("truncate beyond") << "write 18-9=truncate 5000" << 300 << 128 << 200;
  QTest::newRow("write code") << "write 18-9=-5" << 300 << 128 << 300;
  QTest::newRow("other address") << "size 18-10=-7; read 2-9=-5; write 9-18=truncate 1" << 300
                                 << 128 << 200;
  QTest::newRow("all, loosely spaced")
      << "  size  18-9 = -7 ;read 18-9=-5;; write 18-9= truncate 10;" << -7 << -5 << -7;
  QTest::newRow("later item wins") << "size 18-9=-7; size 18-9=-6" << -6 << 128 << -6;
  QTest::newRow("malformed: no value") << "size 18-9=; read 18-9=-5" << 300 << 128 << 200;
  QTest::newRow("malformed: unknown kind") << "read 18-9=-5; erase 18-9=-1" << 300 << 128 << 200;
  QTest::newRow("malformed: section over 255") << "size 274-9=-7" << 300 << 128 << 200;
  QTest::newRow("malformed: no address") << "size=-7" << 300 << 128 << 200;
  QTest::newRow("malformed: truncate sign") << "write 18-9=truncate -1" << 300 << 128 << 200;
  QTest::newRow("malformed: text code") << "size 18-9=big" << 300 << 128 << 200;
  QTest::newRow("malformed: huge code") << "size 18-9=99999999999" << 300 << 128 << 200;
  QTest::newRow("malformed: claim past the result")
      << "read 18-9=claim 2147483648" << 300 << 128 << 200;
}

void TestVirtualPhone::faults() {
  QFETCH(QString, faults);
  QFETCH(int, size);
  QFETCH(int, read);
  QFETCH(int, writeSize);
  TVirtualPhone phone;
  phone.Put(18, 9, Pattern(300, 'a'));
  phone.SetFaults(faults);
  QCOMPARE(InitGBPMode(1), 0);
  QCOMPARE(GetNVMFileSize(18, 9), size);
  int32_t result = 0;
  const QByteArray got = Read(18, 9, 128, &result);
  QCOMPARE(result, read);
  if (read == 99999)  // a lie about the count, the bytes copied all the same
    QCOMPARE(got, Pattern(300, 'a').left(128));
  const QByteArray data = Pattern(200, 'w');
  Write(18, 9, data);
  QCOMPARE(GetNVMFileSize(18, 9), writeSize);
  if (writeSize >= 0)
    QCOMPARE(phone.Get(18, 9), writeSize == 300 ? Pattern(300, 'a') : data.left(writeSize));
}

void TestVirtualPhone::faultsReadAtEachOpening() {
  TVirtualPhone phone;
  phone.SetFaults(QStringLiteral("size 18-9=-7"));
  QCOMPARE(InitGBPMode(1), 0);
  phone.SetFaults(QString());
  QCOMPARE(GetNVMFileSize(18, 9), -7);
  QCOMPARE(EndGBPMode(), 0);
  QCOMPARE(InitGBPMode(1), 0);
  QCOMPARE(GetNVMFileSize(18, 9), -153);
}

void TestVirtualPhone::journal() {
  TVirtualPhone phone;
  phone.Put(18, 9, Pattern(100, 'j'));
  char buffer[128];
  InitGBPMode(257);
  InitGBPMode(1);
  GetNVMFileSize(18 + 256, 9);
  ReadNVMFile(18, 9, buffer, sizeof buffer);
  const QByteArray data(3000, 'w');
  WriteNVMFile(2, 10, data.constData(), 3000);
  ClearNVMFile(2, 10);
  EndGBPMode();
  EndGBPMode();
  QCOMPARE(phone.Journal(),
           QStringList({"InitGBPMode(1) = 0", "InitGBPMode(1) = -1", "GetNVMFileSize(18,9) = 100",
                        "ReadNVMFile(18,9,128) = 100", "WriteNVMFile(2,10,3000) = 0",
                        "ClearNVMFile(2,10) = 0", "EndGBPMode() = 0", "EndGBPMode() = 0"}));
  QCOMPARE(phone.Calls(QStringLiteral("EndGBPMode")), 2);
}

void TestVirtualPhone::malformedFaultsToldOnce() {
  TVirtualPhone phone;
  QProcess client;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("GBP_FAULTS"), QStringLiteral("init=-3; size 18-9"));
  client.setProcessEnvironment(environment);
  client.start(QStringLiteral(GBP_CLIENT), {"init", "1", "end", "init", "1", "size", "18", "9"});
  QVERIFY(client.waitForFinished(5000));
  QCOMPARE(client.exitCode(), 0);
  QCOMPARE(client.readAllStandardOutput(), QByteArray("0\n0\n0\n-153\n"));
  const QList<QByteArray> told = client.readAllStandardError().trimmed().split('\n');
  QCOMPARE(told.size(), 1);
  QVERIFY(told.first().contains("GBP_FAULTS"));
}

void TestVirtualPhone::vanishedPortIsALinkError() {
  TVirtualPhone phone;
  phone.Put(18, 9, "content");
  phone.SetFaults(QStringLiteral("size 18-10=-153; read 18-10=-5"));
  QCOMPARE(InitGBPMode(1), 0);
  QCOMPARE(GetNVMFileSize(18, 9), 7);
  phone.RemovePort(1);
  QVERIFY(!QFileInfo::exists(phone.PortDir(1)));
  // Not "holds nothing" (-153, nor -5, which the manager takes for the same): the port.
  char buffer[16] = {};
  for (const uint32_t subsection : {9u, 10u, 11u}) {
    QCOMPARE(GetNVMFileSize(18, subsection), -4);
    QCOMPARE(ReadNVMFile(18, subsection, buffer, sizeof buffer), -4);
    QCOMPARE(WriteNVMFile(18, subsection, "new", 3), -4);
    QCOMPARE(ClearNVMFile(18, subsection), -4);
  }
  QVERIFY(!QFileInfo::exists(phone.PortDir(1)));

  // A folder put back in its place is another phone: the link must be opened anew.
  phone.AddPort(1);
  phone.Put(18, 9, "new phone");
  QCOMPARE(GetNVMFileSize(18, 9), -4);
  QCOMPARE(WriteNVMFile(2, 10, "x", 1), -4);
  QVERIFY(!phone.Holds(2, 10));
  QCOMPARE(EndGBPMode(), 0);
  QCOMPARE(InitGBPMode(1), 0);
  QCOMPARE(GetNVMFileSize(18, 9), 9);

  // The same folder moved away and back answers again.
  const QString away = phone.StoreDir() + QStringLiteral("/away");
  QVERIFY(QDir().rename(phone.PortDir(1), away));
  QCOMPARE(GetNVMFileSize(18, 9), -4);
  QVERIFY(QDir().rename(away, phone.PortDir(1)));
  QCOMPARE(GetNVMFileSize(18, 9), 9);
  QCOMPARE(ReadNVMFile(18, 9, buffer, sizeof buffer), 9);
}

QTEST_MAIN(TestVirtualPhone)
#include "test_virtualphone.moc"
