// Recognition of a section's content: every rule in its order, the fields each rule leaves
// as they were, and reads that are short or longer than the 128 bytes that count.

#include <QtTest>

#include "catalogue/classify.h"
#include "tests/recognition/sectionbytes.h"

Q_DECLARE_METATYPE(TSlotInfo)

char* toString(const TSlotInfo& info) {
  return QTest::toString(QStringLiteral("{Kind %1, \"%2\", Tag 0x%3, Size %4, Compressed %5, "
                                        "Unpacked %6, Icon %7}")
                             .arg(info.Kind)
                             .arg(info.Caption)
                             .arg(info.FormatTag, 0, 16)
                             .arg(info.Size)
                             .arg(info.Compressed)
                             .arg(info.UnpackedSize)
                             .arg(info.IconIndex));
}

namespace {

// A record that differs from every rule's result in every field, so that a field a rule
// must leave alone shows whether it did.
TSlotInfo Before() {
  TSlotInfo info;
  info.Kind = skOther;
  info.Caption = QStringLiteral("old caption");
  info.FormatTag = 0xDEADBEEF;
  info.Size = 1;
  info.Compressed = 1;
  info.UnpackedSize = 777;
  info.IconIndex = 5;
  return info;
}

// The record after a rule other than the LZO one: Compressed cleared, UnpackedSize kept.
TSlotInfo After(TSlotKind kind, const QString& caption, quint32 formatTag, qint32 size,
                qint32 iconIndex) {
  TSlotInfo info = Before();
  info.Kind = kind;
  info.Caption = caption;
  info.FormatTag = formatTag;
  info.Size = size;
  info.Compressed = 0;
  info.IconIndex = iconIndex;
  return info;
}

TSlotInfo Unrecognised(const QString& caption, qint32 size, TSlotKind kind = skOther) {
  return After(kind, caption, Before().FormatTag, size, -1);
}

TSlotInfo Container(TSlotKind kind, const QString& caption, quint32 formatTag, qint32 size,
                    qint32 unpackedSize, qint32 iconIndex) {
  TSlotInfo info = After(kind, caption, formatTag, size, iconIndex);
  info.Compressed = 1;
  info.UnpackedSize = unpackedSize;
  return info;
}

QByteArray LZOContainer(const QByteArray& name, quint32 formatTag, quint32 unpacked,
                        quint32 iconCode) {
  return TBytes(128)
      .Text(0, QByteArray("LZO\0", 4))
      .Text(4, name)
      .Word(20, formatTag)
      .Word(24, unpacked)
      .Word(28, iconCode)
      .Text(32, "\x11\x22\x33");
}

QString Cyrillic(const char* utf8) {
  return QString::fromUtf8(utf8);
}

}  // namespace

class TestClassify : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void emptySizes_data();
  void emptySizes();
  void emptyRecordKeepsFormatTag();
  void sizeOnlyRecord();
  void classifies_data();
  void classifies();
  void onlyTheFirst128BytesCount();
  void decodesWindows1251();
};

void TestClassify::emptySizes_data() {
  QTest::addColumn<qint32>("size");
  QTest::addColumn<bool>("empty");
  QTest::newRow("zero") << 0 << true;
  QTest::newRow("no such section") << -153 << true;
  QTest::newRow("-5") << -5 << true;
  QTest::newRow("other failure") << -7 << false;
  QTest::newRow("-1") << -1 << false;
  QTest::newRow("one byte") << 1 << false;
  QTest::newRow("153") << 153 << false;
}

void TestClassify::emptySizes() {
  QFETCH(qint32, size);
  QFETCH(bool, empty);
  QCOMPARE(SizeMeansEmpty(size), empty);
}

void TestClassify::emptyRecordKeepsFormatTag() {
  TSlotInfo expected;
  expected.Kind = skEmpty;
  expected.Caption = QStringLiteral("< Empty >");
  expected.FormatTag = 0xDEADBEEF;
  expected.IconIndex = 110;
  QCOMPARE(EmptySlotInfo(Before()), expected);
}

void TestClassify::sizeOnlyRecord() {
  TSlotInfo expected;
  expected.Kind = skProgram;
  expected.Size = 5000;
  expected.UnpackedSize = 777;
  expected.IconIndex = -1;
  QCOMPARE(SizeOnlySlotInfo(Before(), 5000), expected);
}

void TestClassify::classifies_data() {
  QTest::addColumn<qint32>("size");
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<TSlotInfo>("expected");

  const QByteArray ufif20 = TBytes(128).Word(0, 0x20000000).Text(4, "Calc");
  QTest::newRow("plain UFIF 2.0") << 3000 << ufif20
                                  << After(skProgram, "Calc", 0x20000000, 3000, 107);
  QTest::newRow("UFIF name of 16 characters")
      << 4000 << QByteArray(TBytes(128).Word(0, 0x20010000).Text(4, "ABCDEFGHIJKLMNOPQRS"))
      << After(skProgram, "ABCDEFGHIJKLMNOP", 0x20010000, 4000, 107);
  QTest::newRow("UFIF for a firmware")
      << 100 << QByteArray(TBytes(128).Word(0, 0x20054206).Text(4, "Fw"))
      << After(skProgram, "Fw", 0x20054206, 100, 107);
  QTest::newRow("Windows-1251 name")
      << 50 << QByteArray(TBytes(128).Word(0, 0x20000000).Text(4, "\xC8\xE3\xF0\xE0 \xA8"))
      << After(skProgram, Cyrillic("Игра Ё"), 0x20000000, 50, 107);
  QTest::newRow("UFIF read short inside the name")
      << 6000 << QByteArray(TBytes().Word(0, 0x20000000).Text(4, "Ca"))
      << After(skProgram, "Ca", 0x20000000, 6000, 107);
  QTest::newRow("UFIF of 4 bytes")
      << 4 << QByteArray(TBytes().Word(0, 0x20000000)) << After(skProgram, "", 0x20000000, 4, 107);

  QTest::newRow("PRG 3") << 700 << QByteArray(TBytes(128).Word(0, 0x30C0DE01).Text(4, "Snake"))
                         << After(skProgram, "Snake", 0x30C0DE01, 700, 107);
  QTest::newRow("PRG 3.5 variant 0")
      << 800 << QByteArray(TBytes(128).Word(0, 0x3500ABCD).Text(4, "Tetris"))
      << After(skProgram, "Tetris", 0x3500, 800, 107);
  QTest::newRow("PRG 3.5 variant 1")
      << 800 << QByteArray(TBytes(128).Word(0, 0x35011234).Text(4, "Tetris"))
      << After(skProgram, "Tetris", 0x3500, 800, 107);
  QTest::newRow("0x3502 is no PRG 3.5")
      << 800 << QByteArray(TBytes(128).Word(0, 0x35020000).Text(4, "Tetris"))
      << Unrecognised("< Data >", 800);

  // e_phoff 52, first segment at 84: tag at 84, name 88..103, icon code at 108.
  QTest::newRow("ELF, header at 84")
      << 9000
      << QByteArray(
             ElfWithHeaderAt(52, 84).Word(84, 0x20010000).Text(88, "ElfProg").Word(108, 0xE800))
      << After(skProgram, "ElfProg", 0x20010000, 9000, 56);
  QTest::newRow("ELF icon word A is not the one shown")
      << 9000
      << QByteArray(
             ElfWithHeaderAt(52, 84).Word(84, 0x20000000).Word(104, 0xE800).Word(108, 0xE852))
      << After(skProgram, "", 0x20000000, 9000, 107);
  QTest::newRow("ELF, e_phoff 120 reads p_offset at 124")
      << 9000 << QByteArray(ElfWithHeaderAt(120, 64).Word(64, 0x20031004).Text(68, "Edge"))
      << After(skProgram, "Edge", 0x20031004, 9000, 0);
  QTest::newRow("ELF, e_phoff 124 means header at 0")
      << 9000 << QByteArray(ElfWithHeaderAt(124, 0).Text(4, "\x01\x01\x01").Word(24, 0xE855))
      << After(skProgram, "\x01\x01\x01", 0x464C457F, 9000, 110);
  QTest::newRow("ELF, e_phoff far beyond") << 9000 << QByteArray(ElfWithHeaderAt(0xFFFFFFFC, 0))
                                           << After(skProgram, "", 0x464C457F, 9000, 0);
  QTest::newRow("ELF, header beyond the bytes read")
      << 9000 << QByteArray(ElfWithHeaderAt(52, 200)) << After(skProgram, "", 0, 9000, 0);
  QTest::newRow("ELF, name running past 128 bytes")
      << 9000 << QByteArray(ElfWithHeaderAt(52, 116).Word(116, 0x20000000).Text(120, "Cut off"))
      << After(skProgram, "Cut off", 0x20000000, 9000, 0);
  QTest::newRow("ELF, read short of its header")
      << 9000 << QByteArray(ElfWithHeaderAt(52, 84, 60)) << After(skProgram, "", 0, 9000, 0);
  QTest::newRow("ELF, p_offset read short")
      << 9000 << QByteArray(ElfWithHeaderAt(52, 0x01010101, 58))
      << After(skProgram, "", 0, 9000, 0);

  QTest::newRow("LZO container of a program")
      << 20032 << LZOContainer("Zip", 0x20010000, 40000, 0xE81A)
      << Container(skProgram, "Zip", 0x20010000, 20032, 40000, 6);
  QTest::newRow("LZO container of a PRG 3 program")
      << 500 << LZOContainer("Snake", 0x30C0DE01, 900, 0xE852)
      << Container(skOther, "< Data >", 0x30C0DE01, 500, 900, 107);
  QTest::newRow("LZO container of data, icon not listed")
      << 500 << LZOContainer(QByteArray(16, '\0'), 0, 400, 0xE82B)
      << Container(skOther, "< Data >", 0, 500, 400, 0);
  QTest::newRow("LZO container, negative unpacked length")
      << 500 << LZOContainer("X", 0x20000000, 0xFFFFFFFF, 0xE852)
      << Container(skProgram, "X", 0x20000000, 500, -1, 107);
  QTest::newRow("LZO container read short")
      << 500 << QByteArray("LZO\0Ab", 6) << Container(skOther, "< Data >", 0, 500, 0, 0);

  QTest::newRow("UFIF2 library") << 21504 << QByteArray("LIB\x01\x02", 5)
                                 << Unrecognised("< UFIF2 ExtLibrary >", 21504);
  QTest::newRow("GIF") << 1234 << QByteArray("GIF89a\x10\x00", 8)
                       << Unrecognised("< GIF-File >", 1234, skGIF);
  QTest::newRow("Pixmara pack") << 3000 << QByteArray("PHF\x00\x01\x02\x03\x04", 8)
                                << Unrecognised("< Pixmara pack >", 3000);

  QTest::newRow("ringer") << 800 << QByteArray(TBytes(128).Utf16(4, "Ring"))
                          << Unrecognised("10 sec ringer: Ring", 800);
  QTest::newRow("ringer with a Cyrillic name")
      << 800 << QByteArray(TBytes(128).Utf16(4, Cyrillic("Звонок 1")))
      << Unrecognised(Cyrillic("10 sec ringer: Звонок 1"), 800);
  QTest::newRow("ringer without a name")
      << 800 << QByteArray(128, '\0') << Unrecognised("10 sec ringer: ", 800);
  QTest::newRow("ringer name up to the 128th byte")
      << 800 << QByteArray(TBytes(140).Utf16(4, QString(68, QLatin1Char('r'))))
      << Unrecognised("10 sec ringer: " + QString(62, QLatin1Char('r')), 800);
  QTest::newRow("ringer name ending in half a unit")
      << 800 << QByteArray("\0\0\0\0R\0i", 7) << Unrecognised("10 sec ringer: Ri", 800);
  QTest::newRow("nothing read counts as zeros")
      << 800 << QByteArray() << Unrecognised("10 sec ringer: ", 800);

  const QByteArray library = TBytes(17).Word(0, 1).Text(4, "abc").Text(8, "def").Text(12, "ghi");
  QTest::newRow("PRG3 library, 17 bytes read")
      << 2048 << library << Unrecognised("< PRG3 ExtLibrary ver.1>", 2048);
  QTest::newRow("PRG3 library, only 16 bytes read")
      << 2048 << library.left(16) << Unrecognised("< Data >", 2048);
  QTest::newRow("PRG3 library, release with the top bit set")
      << 2048 << QByteArray(TBytes(64).Word(0, 0xFFFFFFFE))
      << Unrecognised("< PRG3 ExtLibrary ver.-2>", 2048);
  QTest::newRow("byte 11 set is data")
      << 2048 << QByteArray(TBytes(64).Word(0, 1).Text(11, "x")) << Unrecognised("< Data >", 2048);
  QTest::newRow("anything else") << 5 << QByteArray("MZ\x90\x00\x03", 5)
                                 << Unrecognised("< Data >", 5);
  QTest::newRow("two letters of GIF") << 2 << QByteArray("GI") << Unrecognised("< Data >", 2);
}

void TestClassify::classifies() {
  QFETCH(qint32, size);
  QFETCH(QByteArray, bytes);
  QFETCH(TSlotInfo, expected);
  QCOMPARE(ClassifySection(Before(), size, bytes), expected);
}

void TestClassify::onlyTheFirst128BytesCount() {
  // A ringer name and an ELF header that go on past byte 128: what lies there is not read.
  const QByteArray ringer = TBytes(200).Utf16(4, QString(62, QLatin1Char('a'))).Utf16(128, "ZZ");
  QCOMPARE(ClassifySection(Before(), 200, ringer).Caption,
           "10 sec ringer: " + QString(62, QLatin1Char('a')));
  const QByteArray elf = ElfWithHeaderAt(52, 128, 200).Word(128, 0x20000000).Text(132, "Far");
  const TSlotInfo info = ClassifySection(Before(), 200, elf);
  QCOMPARE(info.FormatTag, 0u);
  QCOMPARE(info.Caption, QString());
}

void TestClassify::decodesWindows1251() {
  for (int byte = 0; byte < 0x80; ++byte)
    QCOMPARE(DecodeWindows1251(QByteArray(1, char(byte))), QString(QChar(byte)));
  for (int byte = 0xC0; byte <= 0xFF; ++byte)
    QCOMPARE(DecodeWindows1251(QByteArray(1, char(byte))), QString(QChar(0x410 + byte - 0xC0)));
  QCOMPARE(DecodeWindows1251("\x80\x88\x98\xA8\xB8\xB9\xA5\xB4\xAA\xAF\xB2\xB3\xA1"),
           Cyrillic("Ђ€\uFFFDЁё№ҐґЄЇІіЎ"));
}

QTEST_MAIN(TestClassify)
#include "test_classify.moc"
