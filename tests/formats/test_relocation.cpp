// The UFIF 2.0 relocation scan, the firmware text and the firmware table.

#include <QtTest>

#include <initializer_list>

#include "common/bytes.h"
#include "common/errors.h"
#include "common/strtoint.h"
#include "tests/support/words.h"
#include "ufif/firmwares.h"
#include "ufif/relocation.h"

namespace {

constexpr quint32 StubA = 0x4801B403;
constexpr quint32 StubB = 0x4809B407;
constexpr quint32 Filler = 0x11111111;  // a word no rule touches

const QString J7_310_4 = QStringLiteral("0x370000 - J7/70 3.10/4");
const QString J5_542_5 = QStringLiteral("0x36A658 - J5/6 5.4.2/5");
const QString Z7_456_4 = QStringLiteral("0x37BDD8 - Z7 4.5.6/4");

// A plain UFIF 2.1 image whose body (from byte 20) holds the given words.
QByteArray Program(std::initializer_list<quint32> body) {
  QByteArray image = Words({0x20010000});
  image.append(QByteArray("Relocated\0\0\0\0\0\0\0", 16));
  return image + Words(body);
}

}  // namespace

class TestRelocation : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void relocates_data();
  void relocates();
  void leavesSharedCopiesAlone();
  void badBaseChangesNothing_data();
  void badBaseChangesNothing();
  void parsesFirmwareText_data();
  void parsesFirmwareText();
  void firmwareTableEntries_data();
  void firmwareTableEntries();
  void reportLineText();
};

void TestRelocation::relocates_data() {
  QTest::addColumn<QString>("firmware");
  QTest::addColumn<QByteArray>("image");
  QTest::addColumn<QByteArray>("expected");
  QTest::addColumn<QStringList>("report");

  QTest::newRow("J7 3.10/4 stub A remapped entry")
      << J7_310_4 << Program({StubA, Filler, 0x36A9D1}) << Program({StubA, Filler, 0x37037D})
      << QStringList();
  QTest::newRow("J7 3.10/4 stub A literal") << J7_310_4 << Program({StubA, Filler, 0x36B001})
                                            << Program({StubA, Filler, 0x3709A9}) << QStringList();
  QTest::newRow("J7 3.10/4 data word and model word")
      << J7_310_4 << Program({0x36AE18, 0x820000}) << Program({0x3707C0, 0x820000})
      << QStringList();
  QTest::newRow("J7 3.10/4 all six data words")
      << J7_310_4 << Program({0x36A97C, 0x36AA84, 0x36AC74, 0x36AE14, 0x36AE18, 0x36AE1C})
      << Program({0x370324, 0x37042C, 0x37061C, 0x3707BC, 0x3707C0, 0x3707C4}) << QStringList();
  QTest::newRow("Z7 model word, data word, stub A")
      << Z7_456_4 << Program({0x820000, 0x36AE18, StubA, Filler, 0x36A9D1, 0x820000})
      << Program({0x8A0000, 0x37C598, StubA, Filler, 0x37C155, 0x8A0000}) << QStringList();
  QTest::newRow("J5 5.4.2/5 changes only the remapped entry")
      << J5_542_5 << Program({0x36AE18, 0x820000, StubA, Filler, 0x36A9D1, StubA, 0, 0x36B001})
      << Program({0x36AE18, 0x820000, StubA, Filler, 0x36A9D5, StubA, 0, 0x36B001})
      << QStringList();
  QTest::newRow("report bounds") << J7_310_4
                                 << Program({0x36A640, 0x36A630, 0x370000, 0x36B000, 0x36FFFF})
                                 << Program({0x36A640, 0x36A630, 0x370000, 0x36B000, 0x36FFFF})
                                 << QStringList{"offset: 20; UFIF Address:3581504",
                                                "offset: 32; UFIF Address:3584000",
                                                "offset: 36; UFIF Address:3604479"};
  QTest::newRow("J5 report too") << J5_542_5 << Program({Filler, 0x36A640})
                                 << Program({Filler, 0x36A640})
                                 << QStringList{"offset: 24; UFIF Address:3581504"};
  QTest::newRow("stub A literal at the table base is passed by 4")
      << J7_310_4 << Program({StubA, 0x36AE18, 0x36A658}) << Program({StubA, 0x3707C0, 0x36A658})
      << QStringList{"offset: 28; UFIF Address:3581528"};
  QTest::newRow("stub A literal at the area end is passed by 4")
      << J7_310_4 << Program({StubA, 0x36AE18, 0x370000}) << Program({StubA, 0x3707C0, 0x370000})
      << QStringList();
  QTest::newRow("patched stub A skips the word before its literal")
      << J7_310_4 << Program({StubA, 0x36AE18, 0x36B001, 0x36AE18})
      << Program({StubA, 0x36AE18, 0x3709A9, 0x3707C0}) << QStringList();
  QTest::newRow("patched stub A does not report the skipped word")
      << J7_310_4 << Program({StubA, 0x36A640, 0x36B001}) << Program({StubA, 0x36A640, 0x3709A9})
      << QStringList();
  QTest::newRow("patched stub B skips seven words")
      << J7_310_4
      << Program(
             {StubB, 0x36AE18, 0x36A640, 0x820000, StubA, 0x36AE18, 0x36B001, 0x36AE18, 0x36AE18})
      << Program(
             {StubB, 0x36AE18, 0x36A640, 0x820000, StubA, 0x36AE18, 0x3709A9, 0x36AE18, 0x3707C0})
      << QStringList();
  QTest::newRow("stub B literal is not remapped")
      << J7_310_4 << Program({StubB, 0, 0, 0, 0, 0, 0x36A9D1})
      << Program({StubB, 0, 0, 0, 0, 0, 0x370379}) << QStringList();
  QTest::newRow("stub B literal out of range is passed by 4")
      << Z7_456_4 << Program({StubB, 0x820000, 0, 0, 0, 0, 0x500000, 0x36AE18})
      << Program({StubB, 0x8A0000, 0, 0, 0, 0, 0x500000, 0x37C598}) << QStringList();
  QTest::newRow("stub A marker as last word")
      << J7_310_4 << Program({0x36AE18, StubA}) << Program({0x3707C0, StubA}) << QStringList();
  QTest::newRow("stub A literal before a partial word")
      << J7_310_4 << Program({StubA, Filler, 0x36A9D1}) + QByteArray(3, '\x18')
      << Program({StubA, Filler, 0x37037D}) + QByteArray(3, '\x18') << QStringList();
  QTest::newRow("stub A literal cut by the end")
      << J7_310_4 << Program({StubA, 0x36AE18}) + QByteArray("\xD1\xA9\x36", 3)
      << Program({StubA, 0x3707C0}) + QByteArray("\xD1\xA9\x36", 3) << QStringList();
  QTest::newRow("stub B literal beyond the data")
      << J7_310_4 << Program({StubB, 0x36AE18, 0, 0, 0, 0})
      << Program({StubB, 0x3707C0, 0, 0, 0, 0}) << QStringList();
  QTest::newRow("unaligned tail is left alone")
      << J7_310_4 << Program({0x36AE18}) + QByteArray("\x18\xAE\x36", 3)
      << Program({0x3707C0}) + QByteArray("\x18\xAE\x36", 3) << QStringList();
  QTest::newRow("first 20 bytes never examined")
      << Z7_456_4 << Words({0x820000, 0x36AE18, StubA, 0x36A640, 0x36A9D1, 0x36AE18})
      << Words({0x820000, 0x36AE18, StubA, 0x36A640, 0x36A9D1, 0x37C598}) << QStringList();
  QTest::newRow("20 bytes scan nothing")
      << Z7_456_4 << Words({0x820000, 0x36AE18, 0x36A640, 0x36AE1C, 0x36A97C})
      << Words({0x820000, 0x36AE18, 0x36A640, 0x36AE1C, 0x36A97C}) << QStringList();
  QTest::newRow("23 bytes scan nothing")
      << Z7_456_4
      << Words({0x820000, 0x36AE18, 0x36A640, 0x36AE1C, 0x36A97C}) + QByteArray("\0\0\x82", 3)
      << Words({0x820000, 0x36AE18, 0x36A640, 0x36AE1C, 0x36A97C}) + QByteArray("\0\0\x82", 3)
      << QStringList();
  QTest::newRow("empty image") << Z7_456_4 << QByteArray() << QByteArray() << QStringList();
  QTest::newRow("decimal base with Z7")
      << QStringLiteral("12345 - Z7 custom") << Program({0x36AE18, 0x820000})
      << Program({14329, 0x8A0000}) << QStringList();
  QTest::newRow("base below the table wraps")
      << QStringLiteral("0 - J7") << Program({StubA, 0, 0x36A9D1, 0x36A97C})
      << Program({StubA, 0, 0x37D, 0x324}) << QStringList();
  QTest::newRow("negative base wraps")
      << QStringLiteral("-1 - J7") << Program({0x36AE18}) << Program({0x7BF}) << QStringList();
}

void TestRelocation::relocates() {
  QFETCH(QString, firmware);
  QFETCH(QByteArray, image);
  QFETCH(QByteArray, expected);
  QFETCH(QStringList, report);
  QCOMPARE(RelocateUFIF20(image, firmware), report);
  QCOMPARE(image.toHex(' '), expected.toHex(' '));
}

void TestRelocation::leavesSharedCopiesAlone() {
  const QByteArray original = Program({0x36AE18, 0x820000});
  QByteArray image = original;
  RelocateUFIF20(image, Z7_456_4);
  QCOMPARE(image, Program({0x37C598, 0x8A0000}));
  QCOMPARE(original, Program({0x36AE18, 0x820000}));
}

void TestRelocation::badBaseChangesNothing_data() {
  QTest::addColumn<QString>("firmware");
  QTest::addColumn<QString>("message");
  QTest::newRow("no blank") << "0x370000"
                            << "'' is not a valid integer value";
  QTest::newRow("empty") << ""
                         << "'' is not a valid integer value";
  QTest::newRow("leading blank") << " 0x370000 - J7"
                                 << "'' is not a valid integer value";
  QTest::newRow("not a number") << "zz - Z7"
                                << "'zz' is not a valid integer value";
  QTest::newRow("too big") << "0x123456789 - J7"
                           << "'0x123456789' is not a valid integer value";
}

void TestRelocation::badBaseChangesNothing() {
  QFETCH(QString, firmware);
  QFETCH(QString, message);
  const QByteArray original = Program({StubA, 0, 0x36A9D1, 0x36AE18, 0x820000, 0x36A640});
  QByteArray image = original;
  try {
    RelocateUFIF20(image, firmware);
    QFAIL("no conversion error");
  } catch (const EConvertError& error) {
    QCOMPARE(error.Message(), message);
  }
  QCOMPARE(image, original);
}

void TestRelocation::parsesFirmwareText_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("address");
  QTest::addColumn<QString>("model");
  QTest::addColumn<quint32>("modelWord");
  QTest::newRow("table entry") << "0x370000 - J7/70 3.10/4"
                               << "0x370000"
                               << "J7" << 0x820000u;
  QTest::newRow("Z7 entry") << "0x37BDD8 - Z7 4.5.6/4"
                            << "0x37BDD8"
                            << "Z7" << 0x8A0000u;
  QTest::newRow("lower-case z7") << "12345 - z7"
                                 << "12345"
                                 << "z7" << 0x8A0000u;
  QTest::newRow("no dash: third and fourth characters") << "abZ7 x"
                                                        << "abZ7"
                                                        << "Z7" << 0x8A0000u;
  QTest::newRow("no blank") << "0x370000"
                            << ""
                            << "37" << 0x820000u;
  QTest::newRow("one character after the dash") << "1 - Z"
                                                << "1"
                                                << "Z" << 0x820000u;
  QTest::newRow("first dash counts") << "1 - J5 - Z7"
                                     << "1"
                                     << "J5" << 0x820000u;
  QTest::newRow("two blanks before the dash") << "1  - Z7"
                                              << "1"
                                              << "Z7" << 0x8A0000u;
  QTest::newRow("dash without blanks") << "1 -Z7"
                                       << "1"
                                       << "-Z" << 0x820000u;
  QTest::newRow("empty") << ""
                         << ""
                         << "" << 0x820000u;
}

void TestRelocation::parsesFirmwareText() {
  QFETCH(QString, text);
  QFETCH(QString, address);
  QFETCH(QString, model);
  QFETCH(quint32, modelWord);
  const TFirmwareChoice choice = ParseFirmwareText(text);
  QCOMPARE(choice.AddressText, address);
  QCOMPARE(choice.ModelCode, model);
  QCOMPARE(choice.ModelWord, modelWord);
}

void TestRelocation::firmwareTableEntries_data() {
  QTest::addColumn<int>("index");
  QTest::addColumn<QString>("text");
  QTest::addColumn<quint32>("base");
  QTest::addColumn<QString>("model");
  QTest::newRow("0") << 0 << "0x370000 - J7/70 3.10/4" << 0x370000u << "J7";
  QTest::newRow("1") << 1 << "0x36A658 - J7/70 3.10/5" << 0x36A658u << "J7";
  QTest::newRow("2") << 2 << "0x36A658 - J7/70 3.6/5" << 0x36A658u << "J7";
  QTest::newRow("3") << 3 << "0x36A658 - J5/6 5.4.2/1" << 0x36A658u << "J5";
  QTest::newRow("4") << 4 << "0x37BDD8 - J5/6 5.4.2/4" << 0x37BDD8u << "J5";
  QTest::newRow("5") << 5 << "0x36A658 - J5/6 5.4.2/5" << 0x36A658u << "J5";
  QTest::newRow("6") << 6 << "0x37BDD8 - Z7 4.5.6/4" << 0x37BDD8u << "Z7";
}

void TestRelocation::firmwareTableEntries() {
  QFETCH(int, index);
  QFETCH(QString, text);
  QFETCH(quint32, base);
  QFETCH(QString, model);
  QCOMPARE(FirmwareTable().size(), 7);
  QCOMPARE(FirmwareTable().at(index), text);
  const TFirmwareChoice choice = ParseFirmwareText(text);
  QCOMPARE(quint32(StrToInt(choice.AddressText)), base);
  QCOMPARE(choice.ModelCode, model);
  // Each entry moves a free data word by its own base.
  QByteArray image = Program({0x36AE18});
  RelocateUFIF20(image, text);
  QCOMPARE(WordAt(image, 20), 0x7C0 + base);
}

void TestRelocation::reportLineText() {
  QCOMPARE(BadAddressLine(1236, 3582000), QStringLiteral("offset: 1236; UFIF Address:3582000"));
  QCOMPARE(BadAddressLine(65532, 0xFFFFFFFF),
           QStringLiteral("offset: 65532; UFIF Address:4294967295"));
}

QTEST_GUILESS_MAIN(TestRelocation)
#include "test_relocation.moc"
