// kivnvm's commands that make one file from another, run as the user runs them: pack and
// unpack, convert and prg3. A failing command must leave no output file, and must not touch
// one that was there before.

#include <QDir>
#include <QFile>
#include <QtTest>

#include "common/bytes.h"
#include "tests/cli/kivnvmfilestest.h"
#include "tests/cli/kivnvmrunner.h"
#include "tests/cli/sampleimages.h"

class TestKivnvmConvert : public TKivnvmFilesTest {
  Q_OBJECT
 private Q_SLOTS:
  void packUnpackRoundTrip_data();
  void packUnpackRoundTrip();
  void packIconCode_data();
  void packIconCode();
  void failuresWriteNoOutput_data();
  void failuresWriteNoOutput();
  void convertForEachFirmware_data();
  void convertForEachFirmware();
  void convertRefusesOtherFiles();
  void prg3Image_data();
  void prg3Image();
};

void TestKivnvmConvert::packUnpackRoundTrip_data() {
  QTest::addColumn<QByteArray>("original");
  QByteArray noise;
  quint32 state = 1;
  for (int i = 0; i < 5000; ++i) {
    state = state * 1103515245u + 12345u;
    noise.append(char(state >> 24));
  }
  QByteArray trailer = PlainProgram(0x20010000, "Trail", 3000);
  const int blockStart = trailer.size();
  trailer += QByteArray(92, 'T') + Word(blockStart) + Word(0x535A417F);
  QTest::newRow("empty") << QByteArray();
  QTest::newRow("plain program") << PlainProgram(0x20000000, "Calc", 3000);
  QTest::newRow("ELF") << ElfProgram(0xE81A, 0xE864);
  QTest::newRow("noise") << noise;
  QTest::newRow("trailer block") << trailer;
  QTest::newRow("largest") << PlainProgram(0x20010000, "Max", 65536);
  QTest::newRow("ends in filler") << PlainProgram(0x20010000, "Nops", 100) + "\xC0\x46\xC0\x46";
}

void TestKivnvmConvert::packUnpackRoundTrip() {
  QFETCH(QByteArray, original);
  const QString packed = Path("packed");
  QCOMPARE(kivnvm_.Run({"pack", Put("original", original), packed}).ExitCode, 0);
  QCOMPARE(WordAt(ReadFileBytes(packed), 0), 0x004F5A4Cu);
  const TKivnvmRun run = kivnvm_.Run({"unpack", packed, Path("unpacked")});
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(ReadFileBytes(Path("unpacked")), original);
}

void TestKivnvmConvert::packIconCode_data() {
  QTest::addColumn<QByteArray>("original");
  QTest::addColumn<QStringList>("options");
  QTest::addColumn<quint32>("iconCode");
  const QByteArray plain = PlainProgram(0x20000000, "Calc", 3000);
  QTest::newRow("default") << plain << QStringList{} << 0xE852u;
  QTest::newRow("chosen") << plain << QStringList{"--icon", "E81A"} << 0xE81Au;
  QTest::newRow("lower case") << plain << QStringList{"--icon", "e800"} << 0xE800u;
  QTest::newRow("ELF: its word A")
      << ElfProgram(0xE81B, 0xE864) << QStringList{"--icon", "E800"} << 0xE81Bu;
  QTest::newRow("data: no choice")
      << QByteArray(300, 'd') << QStringList{"--icon", "E800"} << 0xE852u;
}

void TestKivnvmConvert::packIconCode() {
  QFETCH(QByteArray, original);
  QFETCH(QStringList, options);
  QFETCH(quint32, iconCode);
  const TKivnvmRun run =
      kivnvm_.Run(QStringList{"pack"} + options + QStringList{Put("in", original), Path("out")});
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(WordAt(ReadFileBytes(Path("out")), 28), iconCode);
}

void TestKivnvmConvert::failuresWriteNoOutput_data() {
  QTest::addColumn<QStringList>("command");
  QTest::addColumn<QByteArray>("input");
  QTest::addColumn<QString>("message");
  QTest::newRow("input missing") << QStringList{"inspect"} << QByteArray() << "Cannot open file";
  QTest::newRow("pack too big") << QStringList{"pack"} << QByteArray(65537, 'x')
                                << "more than 65536 bytes";
  QTest::newRow("unpack too big") << QStringList{"unpack"} << QByteArray(65537, 'x')
                                  << "more than 65536 bytes";
  QTest::newRow("convert too big")
      << QStringList{"convert"} << ConvertibleImage() + QByteArray(65536, '\0')
      << "more than 65536 bytes";
  QTest::newRow("prg3 text too big")
      << QStringList{"prg3"} << QByteArray(1024 * 1024 + 1, '\n') << "more than 1048576 bytes";
  QTest::newRow("unpack not a container")
      << QStringList{"unpack"} << QByteArray("GIF89a") + QByteArray(40, 'g')
      << "Not an LZO container";
  QTest::newRow("unpack damaged stream") << QStringList{"unpack"}
                                         << Word(0x004F5A4C) + QByteArray(16, '\0') + Word(0) +
                                                Word(5000) + Word(0xE852) + QByteArray(40, '\xFF')
                                         << "damaged";
  QTest::newRow("convert bad base") << QStringList{"convert", "--firmware", "0x370000"}
                                    << ConvertibleImage() << "'' is not a valid integer value";
  QTest::newRow("convert bad hex base")
      << QStringList{"convert", "--firmware", "0xZZ - J7/70"} << ConvertibleImage()
      << "'0xZZ' is not a valid integer value";
  QByteArray tooManyWords = "RELEASE=3\n";
  for (int i = 0; i < 512; ++i)
    tooManyWords += "10 word\n";
  QTest::newRow("prg3 too big") << QStringList{"prg3"} << tooManyWords
                                << "Can't uplod - library file too big!";
  QTest::newRow("prg3 bad release") << QStringList{"prg3"} << QByteArray("10 a\nRELEASE=x\n")
                                    << "'x' is not a valid integer value";
  QTest::newRow("prg3 release at the end")
      << QStringList{"prg3"} << QByteArray("RELEASE=") << "'' is not a valid integer value";
}

void TestKivnvmConvert::failuresWriteNoOutput() {
  QFETCH(QStringList, command);
  QFETCH(QByteArray, input);
  QFETCH(QString, message);
  const QString in = command.first() == "inspect" ? Path("missing") : Put("in", input);
  const QStringList arguments = command.first() == "inspect"
                                    ? command + QStringList{in}
                                    : command + QStringList{in, Path("out")};
  TKivnvmRun run = kivnvm_.Run(arguments);
  QCOMPARE(run.ExitCode, 1);
  QVERIFY2(run.Err.contains(message), qPrintable(run.Err));
  QVERIFY(run.Out.isEmpty());
  QVERIFY(!QFile::exists(Path("out")));
  QCOMPARE(QDir(work_->path()).entryList(QDir::Files).size(), in == Path("in") ? 1 : 0);

  // An output file that was there before is left as it was.
  if (command.first() == "inspect")
    return;
  Put("out", "before");
  run = kivnvm_.Run(arguments);
  QCOMPARE(run.ExitCode, 1);
  QCOMPARE(ReadFileBytes(Path("out")), QByteArray("before"));
}

void TestKivnvmConvert::convertForEachFirmware_data() {
  QTest::addColumn<QStringList>("options");
  QTest::addColumn<quint32>("stubA1");
  QTest::addColumn<quint32>("stubA2");
  QTest::addColumn<quint32>("dataWord");
  QTest::addColumn<quint32>("modelWord");
  QTest::newRow("default entry 0")
      << QStringList{} << 0x37037Du << 0x3709A9u << 0x3707C0u << 0x820000u;
  QTest::newRow("entry 0") << QStringList{"--firmware-index", "0"} << 0x37037Du << 0x3709A9u
                           << 0x3707C0u << 0x820000u;
  QTest::newRow("entry 5: same base")
      << QStringList{"--firmware-index", "5"} << 0x36A9D5u << 0x36B001u << 0x36AE18u << 0x820000u;
  QTest::newRow("entry 6: Z7") << QStringList{"--firmware-index", "6"} << 0x37C155u << 0x37C781u
                               << 0x37C598u << 0x8A0000u;
  QTest::newRow("typed text") << QStringList{"--firmware", "0x37BDD8 - Z7 4.5.6/4"} << 0x37C155u
                              << 0x37C781u << 0x37C598u << 0x8A0000u;
  QTest::newRow("decimal base") << QStringList{"--firmware", "3581528 - z7"} << 0x36A9D5u
                                << 0x36B001u << 0x36AE18u << 0x8A0000u;
}

void TestKivnvmConvert::convertForEachFirmware() {
  QFETCH(QStringList, options);
  QFETCH(quint32, stubA1);
  QFETCH(quint32, stubA2);
  QFETCH(quint32, dataWord);
  QFETCH(quint32, modelWord);
  const QByteArray original = ConvertibleImage();
  const TKivnvmRun run =
      kivnvm_.Run(QStringList{"convert"} + options + QStringList{Put("in", original), Path("out")});
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(run.Out, QStringLiteral("offset: 400; UFIF Address:3581504\n"));
  const QByteArray converted = ReadFileBytes(Path("out"));
  QCOMPARE(converted.size(), original.size());
  QCOMPARE(WordAt(converted, 0), 0x20010000u);
  QCOMPARE(WordAt(converted, 72), stubA1);
  QCOMPARE(WordAt(converted, 136), stubA2);
  QCOMPARE(WordAt(converted, 256), dataWord);
  QCOMPARE(WordAt(converted, 300), modelWord);
  QCOMPARE(WordAt(converted, 400), 0x36A640u);
  QCOMPARE(converted.mid(4, 16), original.mid(4, 16));
}

// A script must see that nothing was converted: no output, exit status 1.
void TestKivnvmConvert::convertRefusesOtherFiles() {
  for (const QByteArray& original :
       {PlainProgram(0x20010000u, "Other", 600) + Word(0x820000),
        PlainProgram(0x30C0DE01u, "Other", 600), QByteArray("hello\n")}) {
    const TKivnvmRun run = kivnvm_.Run({"convert", Put("in", original), Path("out")});
    QCOMPARE(run.ExitCode, 1);
    QVERIFY(run.Out.isEmpty());
    QCOMPARE(run.Err, "kivnvm: " + Path("in") +
                          " is not a UFIF 2.0 program: nothing converted, nothing written\n");
    QVERIFY(!QFile::exists(Path("out")));
  }
}

void TestKivnvmConvert::prg3Image_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QByteArray>("image");
  QTest::addColumn<QStringList>("ignored");  // after "line "
  QTest::newRow("example") << QByteArray("RELEASE=3\r\n10 first\r\nABCD second\r\n")
                           << Word(3) + Word(0x10) + Word(0xABCD) << QStringList{};
  QTest::newRow("CR lines, ignored lines")
      << QByteArray("RELEASE=12\r\rZZ no\r-5 minus\r0x10 hex\r42\r")
      << Word(1) + Word(0xFFFFFFFB) + Word(0x10)
      << QStringList{"3 ignored, it gives no word: ZZ no", "6 ignored, it gives no word: 42"};
  QTest::newRow("no words") << QByteArray("nothing here\n") << QByteArray()
                            << QStringList{"1 ignored, it gives no word: nothing here"};
  QByteArray full = "RELEASE=3\n";
  QByteArray fullImage = Word(3);
  for (int i = 1; i < 512; ++i) {
    full += QByteArray::number(i, 16) + " w\n";
    fullImage += Word(quint32(i));
  }
  QTest::newRow("512 words") << full << fullImage << QStringList{};
}

void TestKivnvmConvert::prg3Image() {
  QFETCH(QByteArray, text);
  QFETCH(QByteArray, image);
  QFETCH(QStringList, ignored);
  const QString textFile = Put("text", text);
  const TKivnvmRun run = kivnvm_.Run({"prg3", textFile, Path("out")});
  QCOMPARE(run.ExitCode, 0);
  QVERIFY(QFile::exists(Path("out")));
  QCOMPARE(ReadFileBytes(Path("out")), image);
  QStringList expected;
  for (const QString& line : ignored)
    expected << "kivnvm: " + textFile + ": line " + line;
  QCOMPARE(run.Err.split('\n', Qt::SkipEmptyParts), expected);
}

QTEST_MAIN(TestKivnvmConvert)
#include "test_kivnvm_convert.moc"
