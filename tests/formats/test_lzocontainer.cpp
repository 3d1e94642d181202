// The LZO container: its header values, the trailer block, and unpacking back to the
// original file, including the refusal of damaged containers.

#include <QtTest>

#include <lzo/lzo1x.h>

#include <QRandomGenerator>

#include "common/bytes.h"
#include "ufif/lzocontainer.h"
#include "ufif/ufifheader.h"

namespace {

constexpr quint32 DefaultIcon = 0xE852;

QByteArray Random(int size, quint32 seed) {
  QRandomGenerator random(seed);
  QByteArray bytes(size, Qt::Uninitialized);
  for (char& byte : bytes)
    byte = char(random.bounded(256));
  return bytes;
}

// Something like a program body: Thumb instructions from a small set, literal words near
// the firmware's table and a few strings, so that it compresses as programs do.
QByteArray ProgramLike(int size, quint32 seed) {
  QRandomGenerator random(seed);
  QByteArray bytes = QByteArray::fromHex("00000120") + QByteArray("Program\0\0\0\0\0\0\0\0\0", 16);
  const quint16 opcodes[] = {0xB500, 0xBD00, 0x2000, 0x1C00, 0x4800, 0x6800, 0xF000, 0x46C0};
  while (bytes.size() < size) {
    switch (random.bounded(8)) {
      case 0:
        AppendWord(bytes, 0x36A658 + 4 * random.bounded(0x200));
        break;
      case 1:
        bytes.append("Hello, phone!\0\0\0", 16);
        break;
      default: {
        const quint16 instruction = opcodes[random.bounded(8)] | quint16(random.bounded(0x40));
        bytes.append(char(instruction & 0xFF)).append(char(instruction >> 8));
      }
    }
  }
  bytes.truncate(size);
  return bytes;
}

// data followed by a trailer block of the given length whose offset word points at it.
QByteArray WithTrailer(const QByteArray& data, int length, quint32 seed) {
  QByteArray trailer = Random(length - 8, seed);
  AppendWord(trailer, quint32(data.size()));
  AppendWord(trailer, TrailerMagic);
  return data + trailer;
}

// The decompressed stream of a container whose stream has the given length.
QByteArray Decompressed(const QByteArray& container, int streamLength, int unpackedLength) {
  QByteArray out(unpackedLength, Qt::Uninitialized);
  lzo_uint produced = lzo_uint(out.size());
  const int result = lzo1x_decompress_safe(
      reinterpret_cast<const lzo_bytep>(container.constData() + LZOHeaderSize),
      lzo_uint(streamLength), reinterpret_cast<lzo_bytep>(out.data()), &produced, nullptr);
  return result == LZO_E_OK && produced == lzo_uint(out.size()) ? out : QByteArray("(damaged)");
}

QByteArray Elf(quint32 headerOffset, int size, quint32 phoff = 52) {
  QByteArray elf(size, '\x5A');
  SetWordAt(elf, 0, ElfMagic);
  SetWordAt(elf, 28, phoff);
  SetWordAt(elf, 56, headerOffset);  // p_offset of the program header at 52
  SetWordAt(elf, headerOffset, 0x20000000);
  for (int i = 0; i < 16; ++i)
    if (headerOffset + 4 + i < quint32(size))
      elf[headerOffset + 4 + i] = i < 6 ? "ElfApp"[i] : '\0';
  SetWordAt(elf, headerOffset + 20, 0xE81A);  // icon word A
  SetWordAt(elf, headerOffset + 24, 0xE80B);  // icon word B
  return elf;
}

}  // namespace

class TestLZOContainer : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void headerValues_data();
  void headerValues();
  void plainProgramLayout();
  void trailerBlock_data();
  void trailerBlock();
  void needsIconChoice_data();
  void needsIconChoice();
  void roundTrip_data();
  void roundTrip();
  void refusesDamagedContainers_data();
  void refusesDamagedContainers();
};

void TestLZOContainer::headerValues_data() {
  QTest::addColumn<QByteArray>("data");
  QTest::addColumn<quint32>("chosenIcon");
  QTest::addColumn<QByteArray>("name");
  QTest::addColumn<quint32>("formatWord");
  QTest::addColumn<quint32>("iconCode");

  const QByteArray elfName("ElfApp\0\0\0\0\0\0\0\0\0\0", 16);
  QTest::newRow("ELF takes icon word A")
      << Elf(84, 400) << 0xE800u << elfName << 0x20000000u << 0xE81Au;
  QTest::newRow("ELF cut inside the name")
      << Elf(84, 92) << 0xE800u << QByteArray("ElfA\0\0\0\0\0\0\0\0\0\0\0\0", 16) << 0x20000000u
      << 0u;
  // With e_phoff past 120 the header is read at 0: the ELF magic and the bytes after it.
  QTest::newRow("ELF with e_phoff beyond 120")
      << Elf(84, 400, 121) << 0xE800u << QByteArray(16, '\x5A') << ElfMagic << 0x5A5A5A5Au;
  QTest::newRow("plain UFIF 2.1 takes the chosen icon")
      << QByteArray::fromHex("00000120") + QByteArray("Calc\0\0\0\0\0\0\0\0\0\0\0\0", 16) +
             QByteArray(100, '\x07')
      << 0xE81Au << QByteArray("Calc\0\0\0\0\0\0\0\0\0\0\0\0", 16) << 0x20010000u << 0xE81Au;
  QTest::newRow("plain firmware program, 16-character name")
      << QByteArray::fromHex("04100320") + QByteArray("SixteenCharsName") + QByteArray(8, '\x01')
      << 0xE852u << QByteArray("SixteenCharsName") << 0x20031004u << 0xE852u;
  QTest::newRow("plain UFIF of four bytes") << QByteArray::fromHex("00000020") << 0xE80Au
                                            << QByteArray(16, '\0') << 0x20000000u << 0xE80Au;
  QTest::newRow("GIF gets zeros") << QByteArray("GIF89a") + Random(500, 3) << 0xE81Au
                                  << QByteArray(16, '\0') << 0u << DefaultIcon;
  QTest::newRow("PRG 3 is other data")
      << QByteArray::fromHex("01DEC030") + QByteArray("Prg3Name") + QByteArray(40, '\0') << 0xE81Au
      << QByteArray(16, '\0') << 0u << DefaultIcon;
  QTest::newRow("empty file") << QByteArray() << 0xE81Au << QByteArray(16, '\0') << 0u
                              << DefaultIcon;
}

void TestLZOContainer::headerValues() {
  QFETCH(QByteArray, data);
  QFETCH(quint32, chosenIcon);
  QFETCH(QByteArray, name);
  QFETCH(quint32, formatWord);
  QFETCH(quint32, iconCode);
  const QByteArray container = BuildLZOContainer(data, chosenIcon);
  QVERIFY(container.size() > LZOHeaderSize);
  QCOMPARE(container.left(4), QByteArray("LZO\0", 4));
  QCOMPARE(container.mid(4, 16).toHex(), name.toHex());
  QCOMPARE(WordAt(container, 20), formatWord);
  QCOMPARE(WordAt(container, 24), quint32(data.size()));
  QCOMPARE(WordAt(container, 28), iconCode);
  QCOMPARE(Decompressed(container, container.size() - LZOHeaderSize, data.size()), data);
}

void TestLZOContainer::plainProgramLayout() {
  const QByteArray program = ProgramLike(40000, 7);
  const QByteArray container = BuildLZOContainer(program, 0xE81A);
  // A program body compresses; the stream fills the container after the header.
  QVERIFY(container.size() < program.size() * 3 / 4);
  QCOMPARE(container.left(32).toHex(' '),
           QByteArray("4c 5a 4f 00 50 72 6f 67 72 61 6d 00 00 00 00 00 00 00 00 00 00 00 01 20 "
                      "40 9c 00 00 1a e8 00 00"));
  QCOMPARE(Decompressed(container, container.size() - LZOHeaderSize, 40000), program);
}

void TestLZOContainer::trailerBlock_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<int>("trailerLength");

  const QByteArray body = ProgramLike(1000, 11);
  QTest::newRow("100-byte trailer") << WithTrailer(body, 100, 1) << 100;
  QTest::newRow("smallest trailer") << WithTrailer(body, 8, 2) << 8;
  QTest::newRow("whole file is the trailer") << WithTrailer(QByteArray(), 64, 3) << 64;
  QTest::newRow("trailer after incompressible data") << WithTrailer(Random(5000, 4), 300, 5) << 300;
  QByteArray beyond = WithTrailer(body, 100, 6);
  SetWordAt(beyond, beyond.size() - 8, quint32(beyond.size() - 7));
  QTest::newRow("offset beyond n - 8 means no trailer") << beyond << 0;
  QByteArray farBeyond = WithTrailer(body, 100, 7);
  SetWordAt(farBeyond, farBeyond.size() - 8, 0xFFFFFFF0);
  QTest::newRow("offset far beyond the file") << farBeyond << 0;
  QTest::newRow("magic alone is too short") << QByteArray::fromHex("7F415A53") << 0;
  QTest::newRow("magic with zero offset, 7 bytes") << QByteArray::fromHex("0000007F415A53") << 0;
}

void TestLZOContainer::trailerBlock() {
  QFETCH(QByteArray, file);
  QFETCH(int, trailerLength);
  const int unpacked = file.size() - trailerLength;
  const QByteArray container = BuildLZOContainer(file, DefaultIcon);
  const int streamLength = container.size() - LZOHeaderSize - trailerLength;
  QCOMPARE(WordAt(container, 24), quint32(unpacked));
  QCOMPARE(Decompressed(container, streamLength, unpacked), file.left(unpacked));
  if (trailerLength > 0) {
    QByteArray expectedTrailer = file.right(trailerLength);
    SetWordAt(expectedTrailer, trailerLength - 8, quint32(LZOHeaderSize + streamLength));
    QCOMPARE(container.right(trailerLength).toHex(), expectedTrailer.toHex());
  }
}

void TestLZOContainer::needsIconChoice_data() {
  QTest::addColumn<QByteArray>("data");
  QTest::addColumn<bool>("needed");
  QTest::newRow("UFIF 2.0") << QByteArray::fromHex("00000020") << true;
  QTest::newRow("UFIF 2.1") << QByteArray::fromHex("00000120") << true;
  QTest::newRow("firmware program") << QByteArray::fromHex("04100320") << true;
  QTest::newRow("ELF") << Elf(84, 200) << false;
  QTest::newRow("GIF") << QByteArray("GIF89a") << false;
  QTest::newRow("PRG 3") << QByteArray::fromHex("01DEC030") << false;
  QTest::newRow("empty") << QByteArray() << false;
  QTest::newRow("three bytes") << QByteArray::fromHex("000000") << false;
}

void TestLZOContainer::needsIconChoice() {
  QFETCH(QByteArray, data);
  QFETCH(bool, needed);
  QCOMPARE(NeedsIconChoice(data), needed);
}

void TestLZOContainer::roundTrip_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::newRow("empty") << QByteArray();
  QTest::newRow("one byte") << QByteArray("\x7F", 1);
  QTest::newRow("random 100") << Random(100, 21);
  QTest::newRow("random 65,536") << Random(65536, 22);
  QTest::newRow("zeros 65,536") << QByteArray(65536, '\0');
  QTest::newRow("repeated pattern") << QByteArray("C046").repeated(5000);
  QTest::newRow("program-like 65,536") << ProgramLike(65536, 23);
  QTest::newRow("ELF program") << Elf(84, 3000);
  QTest::newRow("program with trailer") << WithTrailer(ProgramLike(20000, 24), 256, 25);
  QTest::newRow("trailer only") << WithTrailer(QByteArray(), 8, 26);
  QByteArray malformed = WithTrailer(ProgramLike(500, 27), 40, 28);
  SetWordAt(malformed, malformed.size() - 8, 0x7FFFFFFF);
  QTest::newRow("malformed trailer kept as data") << malformed;
  QTest::newRow("larger than an upload") << ProgramLike(200000, 29);
}

void TestLZOContainer::roundTrip() {
  QFETCH(QByteArray, file);
  const QByteArray container = BuildLZOContainer(file, 0xE81A);
  QVERIFY(!container.isEmpty());
  const TUnpacked unpacked = UnpackLZOContainer(container);
  QCOMPARE(unpacked.Problem, QString());
  QCOMPARE(unpacked.Original.size(), file.size());
  QVERIFY(unpacked.Original == file);
}

void TestLZOContainer::refusesDamagedContainers_data() {
  QTest::addColumn<QByteArray>("container");
  QTest::addColumn<QString>("errorPart");

  const QByteArray good = BuildLZOContainer(ProgramLike(3000, 31), DefaultIcon);
  const QByteArray trailed = BuildLZOContainer(WithTrailer(ProgramLike(3000, 32), 64, 33), 0);
  const auto changed = [](QByteArray bytes, qint64 offset, quint32 word) {
    SetWordAt(bytes, offset, word);
    return bytes;
  };

  QTest::newRow("empty") << QByteArray() << "too short";
  QTest::newRow("header cut") << good.left(31) << "too short";
  QTest::newRow("bad magic") << changed(good, 0, 0x004F5A4D) << "Not an LZO container";
  QTest::newRow("negative length") << changed(good, 24, 0xFFFFFFFF) << "out of range";
  QTest::newRow("length over 16 MiB") << changed(good, 24, 0x01000001) << "out of range";
  QTest::newRow("length one more") << changed(good, 24, 3001) << "damaged";
  QTest::newRow("length one less") << changed(good, 24, 2999) << "damaged";
  QTest::newRow("length zero") << changed(good, 24, 0) << "damaged";
  QTest::newRow("stream cut") << good.left(good.size() - 1) << "damaged";
  QTest::newRow("header only") << good.left(32) << "damaged";
  QTest::newRow("bytes after the stream") << good + QByteArray(5, '\0') << "damaged";
  QTest::newRow("trailer offset below the stream")
      << changed(trailed, trailed.size() - 8, 31) << "trailer block is damaged";
  QTest::newRow("trailer offset beyond n - 8")
      << changed(trailed, trailed.size() - 8, trailed.size() - 7) << "trailer block is damaged";
  QTest::newRow("trailer offset inside the stream")
      << changed(trailed, trailed.size() - 8, trailed.size() - 100) << "damaged";
  QTest::newRow("no stream before the trailer")
      << QByteArray("LZO\0", 4) + QByteArray(20, '\0') + QByteArray::fromHex("0000000052e80000") +
             QByteArray::fromHex("200000007F415A53")
      << "damaged";
}

void TestLZOContainer::refusesDamagedContainers() {
  QFETCH(QByteArray, container);
  QFETCH(QString, errorPart);
  const TUnpacked unpacked = UnpackLZOContainer(container);
  QCOMPARE(unpacked.Original, QByteArray());
  QVERIFY2(unpacked.Problem.contains(errorPart), qPrintable(unpacked.Problem));
}

QTEST_GUILESS_MAIN(TestLZOContainer)
#include "test_lzocontainer.moc"
