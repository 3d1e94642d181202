// The UFIF header in both containers: where it lies, the UFIF 2.0 test, the 2.1 mark that
// touches one byte only, and images too short for the fields.

#include <QtTest>

#include "catalogue/gridtext.h"
#include "tests/recognition/sectionbytes.h"
#include "ufif/ufifheader.h"

class TestUFIFHeader : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void headerOffset_data();
  void headerOffset();
  void recognisesUFIF20_data();
  void recognisesUFIF20();
  void marksOneByte_data();
  void marksOneByte();
  void markedProgramIsUFIF21();
  void readsHeaderFields();
  void readsShortImagesAsZeros();
  void nameFieldText_data();
  void nameFieldText();
};

void TestUFIFHeader::headerOffset_data() {
  QTest::addColumn<QByteArray>("image");
  QTest::addColumn<quint32>("offset");
  QTest::newRow("e_phoff 52, p_offset 84") << QByteArray(ElfWithHeaderAt(52, 84)) << 84u;
  QTest::newRow("e_phoff 120") << QByteArray(ElfWithHeaderAt(120, 4000)) << 4000u;
  QTest::newRow("e_phoff 121") << QByteArray(
                                      TBytes(200).Word(0, ElfMagic).Word(28, 121).Word(125, 84))
                               << 0u;
  QTest::newRow("e_phoff with the top bit set")
      << QByteArray(TBytes(200).Word(0, ElfMagic).Word(28, 0x80000034).Word(56, 84)) << 0u;
  QTest::newRow("p_offset beyond the image") << QByteArray(ElfWithHeaderAt(52, 84, 56)) << 0u;
  QTest::newRow("e_phoff beyond the image") << QByteArray(ElfWithHeaderAt(52, 84, 30)) << 0u;
}

void TestUFIFHeader::headerOffset() {
  QFETCH(QByteArray, image);
  QFETCH(quint32, offset);
  QCOMPARE(UFIFHeaderOffset(image), offset);
}

void TestUFIFHeader::recognisesUFIF20_data() {
  QTest::addColumn<QByteArray>("image");
  QTest::addColumn<bool>("ufif20");
  QTest::newRow("plain 2.0") << QByteArray(TBytes(40).Word(0, 0x20000000)) << true;
  QTest::newRow("plain with low byte set") << QByteArray(TBytes(40).Word(0, 0x20000001)) << false;
  QTest::newRow("plain 2.1") << QByteArray(TBytes(40).Word(0, 0x20010000)) << false;
  QTest::newRow("plain for a firmware") << QByteArray(TBytes(40).Word(0, 0x20031004)) << false;
  QTest::newRow("ELF holding 2.0")
      << QByteArray(ElfWithHeaderAt(52, 84).Word(84, 0x20000000)) << true;
  QTest::newRow("ELF holding 2.1")
      << QByteArray(ElfWithHeaderAt(52, 84).Word(84, 0x20010000)) << false;
  QTest::newRow("ELF with e_phoff 124") << QByteArray(ElfWithHeaderAt(124, 0)) << false;
  QTest::newRow("ELF header cut off") << QByteArray(ElfWithHeaderAt(52, 84, 86)) << false;
  QTest::newRow("2.0 word not at the start")
      << QByteArray(TBytes(40).Word(0, 0x30C0DE01).Word(84, 0x20000000)) << false;
  QTest::newRow("empty") << QByteArray() << false;
  QTest::newRow("three bytes") << QByteArray("\0\0\0", 3) << false;
}

void TestUFIFHeader::recognisesUFIF20() {
  QFETCH(QByteArray, image);
  QFETCH(bool, ufif20);
  QCOMPARE(IsUFIF20(image), ufif20);
}

void TestUFIFHeader::marksOneByte_data() {
  QTest::addColumn<QByteArray>("image");
  QTest::addColumn<int>("changedByte");  // -1: nothing changes
  QTest::newRow("plain 2.0") << QByteArray(TBytes(64).Word(0, 0x20000000).Text(4, "Calc")) << 2;
  QTest::newRow("ELF, header at 84")
      << QByteArray(ElfWithHeaderAt(52, 84, 200).Word(84, 0x20000000)) << 86;
  QTest::newRow("ELF, header beyond the image") << QByteArray(ElfWithHeaderAt(52, 84, 86)) << -1;
  QTest::newRow("ELF, header far beyond") << QByteArray(ElfWithHeaderAt(52, 0xFFFFFFFF, 100)) << -1;
  QTest::newRow("not a program") << QByteArray("GIF89a......") << -1;
  QTest::newRow("empty") << QByteArray() << -1;
}

void TestUFIFHeader::marksOneByte() {
  QFETCH(QByteArray, image);
  QFETCH(int, changedByte);
  QByteArray expected = image;
  if (changedByte >= 0)
    expected[changedByte] = 0x01;
  MarkAsUFIF21(image);
  QCOMPARE(image, expected);
}

void TestUFIFHeader::markedProgramIsUFIF21() {
  const QByteArray plain = TBytes(64).Word(0, 0x20000000);
  const QByteArray elf = ElfWithHeaderAt(52, 84, 200).Word(84, 0x20000000);
  for (QByteArray image : {plain, elf}) {
    MarkAsUFIF21(image);
    QVERIFY(!IsUFIF20(image));
    const TUFIFHeader header = ReadUFIFHeader(image);
    QCOMPARE(header.FormatTag, 0x20010000u);
    QCOMPARE(FormatLabel(header.FormatTag), QStringLiteral("UFIF 2.1"));
  }
}

void TestUFIFHeader::readsHeaderFields() {
  const QByteArray elf = ElfWithHeaderAt(52, 84, 200)
                             .Word(84, 0x20054206)
                             .Text(88, "ABCDEFGHIJKLMNOP")
                             .Word(104, 0xE81A)
                             .Word(108, 0xE800);
  const TUFIFHeader header = ReadUFIFHeader(elf);
  QCOMPARE(header.Offset, 84u);
  QCOMPARE(header.FormatTag, 0x20054206u);
  QCOMPARE(header.Name, QByteArray("ABCDEFGHIJKLMNOP"));
  QCOMPARE(header.IconWordA, 0xE81Au);
  QCOMPARE(header.IconWordB, 0xE800u);

  const TUFIFHeader plain = ReadUFIFHeader(TBytes(64).Word(0, 0x20000000).Text(4, "Calc"));
  QCOMPARE(plain.Offset, 0u);
  QCOMPARE(plain.FormatTag, 0x20000000u);
  QCOMPARE(plain.Name, QByteArray("Calc").append(QByteArray(12, '\0')));
}

void TestUFIFHeader::readsShortImagesAsZeros() {
  const TUFIFHeader header =
      ReadUFIFHeader(ElfWithHeaderAt(52, 84).Word(84, 0x20000000).Text(88, "Ab").Size(90));
  QCOMPARE(header.FormatTag, 0x20000000u);
  QCOMPARE(header.Name, QByteArray("Ab").append(QByteArray(14, '\0')));
  QCOMPARE(header.IconWordA, 0u);
  QCOMPARE(header.IconWordB, 0u);
}

void TestUFIFHeader::nameFieldText_data() {
  QTest::addColumn<QByteArray>("data");
  QTest::addColumn<qint64>("offset");
  QTest::addColumn<QByteArray>("text");
  QTest::newRow("three characters")
      << QByteArray("....Abc\0\0\0xyz", 14) << qint64(4) << QByteArray("Abc");
  QTest::newRow("sixteen characters, no terminator")
      << QByteArray("....0123456789ABCDEFGH") << qint64(4) << QByteArray("0123456789ABCDEF");
  QTest::newRow("empty name") << QByteArray("....\0Abc", 8) << qint64(4) << QByteArray();
  QTest::newRow("data ends inside the name")
      << QByteArray("....Ab") << qint64(4) << QByteArray("Ab");
  QTest::newRow("offset beyond the data") << QByteArray("Abc") << qint64(10) << QByteArray();
  QTest::newRow("huge offset") << QByteArray("Abc") << qint64(0xFFFFFFFF) << QByteArray();
  QTest::newRow("negative offset") << QByteArray("Abc") << qint64(-2) << QByteArray();
}

void TestUFIFHeader::nameFieldText() {
  QFETCH(QByteArray, data);
  QFETCH(qint64, offset);
  QFETCH(QByteArray, text);
  QCOMPARE(NameFieldText(data, offset), text);
}

QTEST_MAIN(TestUFIFHeader)
#include "test_ufifheader.moc"
