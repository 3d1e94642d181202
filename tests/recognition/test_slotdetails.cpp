// The Details dialog's rules: for each kind of content, the fields shown, their values and
// where they lie; the hex view's lines and the spans of a field in it.

#include <QtTest>

#include "details/slotdetails.h"
#include "tests/recognition/sectionbytes.h"
#include "ufif/lzocontainer.h"

namespace {

const TSectionAddress Big{18, 9};

QByteArray PlainProgram(quint32 tag, const QByteArray& name) {
  return TBytes(300).Word(0, tag).Text(4, name).Word(20, 0x11111111).Word(24, 0x22222222);
}

// An ELF file whose first program header (at 52) puts the UFIF header at 96.
QByteArray ElfProgram() {
  return TBytes(400)
      .Word(0, 0x464C457F)
      .Word(28, 52)
      .Word(56, 96)
      .Word(96, 0x20010000)
      .Text(100, "Elfie")
      .Word(116, 0xE852)
      .Word(120, 0xE80A);
}

QByteArray Container() {
  return BuildLZOContainer(PlainProgram(0x20000000, "Calc").repeated(10), 0xE852);
}

}  // namespace

class TestSlotDetails : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void fieldsOfEachKind_data();
  void fieldsOfEachKind();
  void hexView();
};

// Each expectation: "Group/Field=Value", "Group/Field@offset+length=Value", or a value that
// ends in "..." for its beginning only.
void TestSlotDetails::fieldsOfEachKind_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<int>("subsection");
  QTest::addColumn<QStringList>("expected");

  QTest::newRow("UFIF program") << PlainProgram(0x20000000, "Calc") << 9
                                << QStringList{
                                       "Catalogue/Kind=UFIF program",
                                       "Catalogue/Caption=Calc",
                                       "Catalogue/Size=300 bytes",
                                       "Catalogue/Format word@0+4=0x20000000, UFIF 2",
                                       "Catalogue/Icon code=none",
                                       "Catalogue/Icon picture=107",
                                       "Program header/Header offset=0 (plain header)",
                                       "Program header/Name bytes@4+16=\"Calc\" (43 61 6C 63 00...",
                                       "Program header/Icon word A@20+4=0x11111111 (body...",
                                       "Program header/Icon word B@24+4=0x22222222 (body..."};
  QTest::newRow("UFIF program in ELF")
      << ElfProgram() << 9
      << QStringList{"Catalogue/Kind=UFIF program in an ELF file",
                     "Catalogue/Caption=Elfie",
                     "Catalogue/Format word@96+4=0x20010000, UFIF 2.1",
                     "Catalogue/Icon code@120+4=0xE80A",
                     "Catalogue/Icon picture=0",
                     "Program header/ELF magic@0+4=7F 45 4C 46",
                     "Program header/Program headers at (e_phoff)@28+4=52",
                     "Program header/First segment at (p_offset)@56+4=96",
                     "Program header/Header offset=96",
                     "Program header/Name bytes@100+16=\"Elfie\"...",
                     "Program header/Icon word A@116+4=0x0000E852",
                     "Program header/Icon word B@120+4=0xE80A, picture 0"};
  QTest::newRow("PRG 3 program") << PlainProgram(0x30C0DE01, "Old") << 9
                                 << QStringList{"Catalogue/Kind=PRG 3 program",
                                                "Program header/Format word@0+4=0x30C0DE01, PRG 3",
                                                "Program header/Name bytes@4+16=\"Old\"..."};
  QTest::newRow("PRG 3.5 program")
      << PlainProgram(0x35010007, "New") << 9
      << QStringList{"Catalogue/Kind=PRG 3.5 program",
                     "Catalogue/Format word@0+4=0x00003500, PRG 3.5",
                     "Program header/Format word@0+4=0x35010007, PRG 3.5"};

  const QByteArray container = Container();
  QTest::newRow("LZO container")
      << container << 9
      << QStringList{
             "Catalogue/Kind=LZO container",
             "Catalogue/Caption=Calc",
             "Catalogue/Unpacked size@24+4=3000 bytes",
             "Catalogue/Ratio=LZO(...",
             "Catalogue/Icon code@28+4=0xE852",
             "LZO container/Magic@0+4=\"LZO\\0\"",
             "LZO container/Name bytes@4+16=\"Calc\"...",
             "LZO container/Format word@20+4=0x20000000, UFIF 2",
             "LZO container/Unpacked length@24+4=3000 bytes",
             "LZO container/Icon code@28+4=0xE852, picture 107",
             QStringLiteral("LZO container/LZO1X stream@32+%1=%1 bytes").arg(container.size() - 32),
             "LZO container/Unpacks=yes: 3000 bytes, the stored length",
             "LZO container/Contents=UFIF program"};
  QByteArray damaged = container;
  for (int at = 40; at < 60; ++at)
    damaged[at] = char(0xFF);
  QTest::newRow("LZO container, damaged stream")
      << damaged << 9
      << QStringList{"LZO container/Unpacks=no: The LZO container's compressed data is damaged"};
  QByteArray longer = container;
  SetWordAt(longer, LZOUnpackedAt, 3001);
  QTest::newRow("LZO container, stored length too long")
      << longer << 9
      << QStringList{"LZO container/Unpacked length@24+4=3001 bytes",
                     "LZO container/Unpacks=no: The LZO container's compressed data is damaged"};

  QByteArray huge = container;
  SetWordAt(huge, LZOUnpackedAt, 0xFFFFFFFF);
  QTest::newRow("LZO container, stored length past the int range")
      << huge << 9 << QStringList{"LZO container/Unpacked length@24+4=4294967295 bytes"};

  QTest::newRow("GIF picture") << QByteArray::fromHex("474946383961020003008100") +
                                      QByteArray(20, '\0')
                               << 11
                               << QStringList{"Catalogue/Kind=GIF picture",
                                              "Catalogue/Format word=none: not a program",
                                              "GIF picture/Signature@0+6=GIF89a",
                                              "GIF picture/Width@6+2=2",
                                              "GIF picture/Height@8+2=3",
                                              "GIF picture/Global colour table@10+1=4 colours"};
  QTest::newRow("PRG3 library") << QByteArray::fromHex("02000000AAAAAA00BBBBBB00CCCCCC0007") << 10
                                << QStringList{"Catalogue/Kind=PRG3 library",
                                               "PRG3 library/Release@0+4=2", "PRG3 library/Words=3",
                                               "PRG3 library/Word 2@8+4=0x00BBBBBB",
                                               "PRG3 library/Left over@16+1=07"};
  QTest::newRow("preferences record")
      << QByteArray("Kiv2") + QByteArray::fromHex("07001102091800FF") << 18
      << QStringList{"Catalogue/Kind=Preferences record",
                     "Preferences record/Signature@0+4=\"Kiv2\"",
                     "Preferences record/Menu show mode@4+1=7: Progs and data",
                     "Preferences record/UFIF2 library@6+2=2-17",
                     "Preferences record/Autorun@8+2=24-9",
                     "Preferences record/Reserved@10+2=00 FF"};
  QTest::newRow("preferences record, nothing set")
      << QByteArray("Kiv2") + QByteArray::fromHex("0900000000000000") << 18
      << QStringList{"Preferences record/Menu show mode@4+1=9: unknown to the dialog",
                     "Preferences record/UFIF2 library@6+2=2-17 (not set: the default)",
                     "Preferences record/Autorun@8+2=disabled"};
  QTest::newRow("ringer") << QByteArray(TBytes(40).Utf16(4, QStringLiteral("Ring"))) << 9
                          << QStringList{"Catalogue/Kind=10 second ringer",
                                         "Ringer/Name@4+8=\"Ring\""};
  QTest::newRow("data") << QByteArray(40, '\x5A') << 9
                        << QStringList{"Catalogue/Kind=Data", "Catalogue/Caption=< Data >",
                                       "Catalogue/Icon picture=none"};
}

void TestSlotDetails::fieldsOfEachKind() {
  QFETCH(QByteArray, bytes);
  QFETCH(int, subsection);
  QFETCH(QStringList, expected);
  const TSectionAddress address{subsection == 18 ? 2 : 18, subsection};
  const TSlotDetails details = DescribeSection(address, bytes, TSlotInfo{});
  QCOMPARE(details.Bytes, bytes);
  for (const QString& expectation : expected) {
    const QString key = expectation.section(QLatin1Char('='), 0, 0);
    QString value = expectation.section(QLatin1Char('='), 1);
    const QString name = key.section(QLatin1Char('@'), 0, 0);
    const TDetailField* field =
        details.Field(name.section(QLatin1Char('/'), 0, 0), name.section(QLatin1Char('/'), 1));
    QVERIFY2(field, qPrintable(name));
    if (value.endsWith(QLatin1String("..."))) {
      value.chop(3);
      QVERIFY2(field->Value.startsWith(value), qPrintable(name + ": " + field->Value));
    } else {
      QCOMPARE(field->Value, value);
    }
    const QString where = key.section(QLatin1Char('@'), 1);
    if (!where.isEmpty()) {
      QCOMPARE(field->Offset, where.section(QLatin1Char('+'), 0, 0).toLongLong());
      QCOMPARE(field->Length, where.section(QLatin1Char('+'), 1).toLongLong());
    }
  }
}

void TestSlotDetails::hexView() {
  const QByteArray bytes = QByteArray("LZO") + QByteArray(1, '\0') + QByteArray(14, 'A');
  QCOMPARE(
      HexDumpLines(bytes),
      (QStringList{"00000000  4C 5A 4F 00 41 41 41 41 41 41 41 41 41 41 41 41  LZO.AAAAAAAAAAAA",
                   "00000010  41 41                                            AA"}));
  QCOMPARE(HexDumpLines(QByteArray()), QStringList());
  // Bytes 14 to 17: the end of the first line and the start of the second.
  QCOMPARE(HexSpans(14, 4, bytes.size()),
           (QList<THexSpan>{{0, 52, 57, 73, 75}, {1, 10, 15, 59, 61}}));
  QCOMPARE(HexSpans(14, 10, 17), (QList<THexSpan>{{0, 52, 57, 73, 75}, {1, 10, 12, 59, 60}}));
  QVERIFY(HexSpans(20, 4, bytes.size()).isEmpty());
}

QTEST_GUILESS_MAIN(TestSlotDetails)
#include "test_slotdetails.moc"
