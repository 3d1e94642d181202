// The device behind a COM port: the mapping as typed, the permission rule over mode, owner
// and groups (tests run as root, who may open anything, so the rule is tested on its own),
// and a missing device refused before the library is called.

#include <QtTest>

#include "link/gbplibrary.h"
#include "link/deviceaccess.h"
#include "link/serialdevice.h"
#include "tests/support/virtualphone.h"

class TestSerialDevice : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void parsesMappings_data();
  void parsesMappings();
  void permissionRule_data();
  void permissionRule();
  void missingDeviceIsToldAndTheLibraryNotCalled();
};

void TestSerialDevice::parsesMappings_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("port");
  QTest::addColumn<QString>("device");
  QTest::newRow("usb") << "COM1=/dev/ttyUSB0" << 1 << "/dev/ttyUSB0";
  QTest::newRow("lower case, spaces") << "com4= /dev/ttyACM0 " << 4 << "/dev/ttyACM0";
  QTest::newRow("no device") << "COM2=" << 0 << "";
  QTest::newRow("no such port") << "COM5=/dev/ttyS0" << 0 << "";
  QTest::newRow("no equals") << "COM1" << 0 << "";
  QTest::newRow("path alone") << "/dev/ttyUSB0" << 0 << "";
}

void TestSerialDevice::parsesMappings() {
  QFETCH(QString, text);
  QFETCH(int, port);
  QFETCH(QString, device);
  const std::optional<TSerialMapping> parsed = ParseSerialMapping(text);
  QCOMPARE(parsed.has_value(), port != 0);
  QCOMPARE(parsed.value_or(TSerialMapping()).Port, port);
  QCOMPARE(parsed.value_or(TSerialMapping()).Device, device);
}

void TestSerialDevice::permissionRule_data() {
  QTest::addColumn<uint>("mode");
  QTest::addColumn<uint>("owner");
  QTest::addColumn<uint>("user");
  QTest::addColumn<QList<uint>>("groups");
  QTest::addColumn<bool>("may");
  const uint dialout = 20;
  // A typical USB-serial device: root:dialout 0660.
  QTest::newRow("in dialout") << 0660u << 0u << 1000u << QList<uint>{100, dialout} << true;
  QTest::newRow("not in dialout") << 0660u << 0u << 1000u << QList<uint>{100} << false;
  QTest::newRow("root") << 0600u << 5u << 0u << QList<uint>{} << true;
  QTest::newRow("owner") << 0600u << 1000u << 1000u << QList<uint>{} << true;
  // The owner's bits decide for the owner, even where the group's would allow.
  QTest::newRow("owner, read only") << 0466u << 1000u << 1000u << QList<uint>{dialout} << false;
  QTest::newRow("group read only") << 0640u << 0u << 1000u << QList<uint>{dialout} << false;
  QTest::newRow("others") << 0666u << 0u << 1000u << QList<uint>{} << true;
}

void TestSerialDevice::permissionRule() {
  QFETCH(uint, mode);
  QFETCH(uint, owner);
  QFETCH(uint, user);
  QFETCH(QList<uint>, groups);
  QFETCH(bool, may);
  TAccount account;
  account.User = user;
  account.Group = 100;
  for (const uint group : groups)
    account.Groups << gid_t(group);
  QCOMPARE(MayOpenReadWrite(TDeviceAccess{mode_t(mode), uid_t(owner), 20}, account), may);
}

void TestSerialDevice::missingDeviceIsToldAndTheLibraryNotCalled() {
  TVirtualPhone phone;
  TLinkChoice choice = LibraryChoice(TVirtualPhone::LibraryPath());
  choice.Serial.insert(1, QStringLiteral("/dev/kiv-no-such-cable"));
  const auto library = MakeGBPLibrary(choice);
  const TLinkStatus refused = library->Open(1);
  QCOMPARE(refused.Code, GBPCantOpenPort);
  QVERIFY(refused.Reason == TLinkReason::Device);
  QCOMPARE(refused.Why,
           QStringLiteral(
               "COM1 is /dev/kiv-no-such-cable, which does not exist: is the cable plugged in?"));
  QVERIFY(phone.Journal().isEmpty());
  // Another port has no device named: the library opens it as before.
  phone.AddPort(2);
  const TLinkStatus opened = library->Open(2);
  QCOMPARE(opened.Code, 0);
  QVERIFY(opened.Reason == TLinkReason::None);
  library->Close();
}

QTEST_GUILESS_MAIN(TestSerialDevice)
#include "test_serialdevice.moc"
