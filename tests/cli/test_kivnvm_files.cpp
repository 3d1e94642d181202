// kivnvm's offline commands, run as the user runs them: the demo phone, inspect, pack and
// unpack, convert and prg3. A failing command must leave no output file, and must not touch
// one that was there before.

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "app/gridtext.h"
#include "catalogue/classify.h"
#include "common/bytes.h"
#include "tests/cli/kivnvmrunner.h"
#include "tests/cli/sampleimages.h"

namespace {

QByteArray ElfProgram(quint32 iconA, quint32 iconB) {
  QByteArray elf(84, '\0');
  SetWordAt(elf, 0, 0x464C457F);
  SetWordAt(elf, 28, 52);
  SetWordAt(elf, 56, 84);
  elf += Word(0x20010000) + QByteArray("Elfie").leftJustified(16, '\0') + Word(iconA) +
         Word(iconB) + QByteArray(500, 'e');
  return elf;
}

QJsonObject JsonObjectOf(const QString& text) {
  return QJsonDocument::fromJson(text.toUtf8()).object();
}

}  // namespace

class TestKivnvmFiles : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void demoPhoneHoldsEveryKind_data();
  void demoPhoneHoldsEveryKind();
  void demoPictureIsAViewableGIF();
  void demoRefusesAnExistingPhone();
  void demoForceReplacesThePhone();
  void inspectJsonHasTheDocumentedForm();
  void inspectMatchesTheCatalogue_data();
  void inspectMatchesTheCatalogue();
  void inspectReadableText();
  void packUnpackRoundTrip_data();
  void packUnpackRoundTrip();
  void packIconCode_data();
  void packIconCode();
  void failuresWriteNoOutput_data();
  void failuresWriteNoOutput();
  void convertForEachFirmware_data();
  void convertForEachFirmware();
  void convertLeavesOtherFilesUnchanged();
  void prg3Image_data();
  void prg3Image();

 private:
  QString Path(const QString& name) const { return work_->filePath(name); }
  QString Put(const QString& name, const QByteArray& bytes) const {
    WriteFileBytes(Path(name), bytes);
    return Path(name);
  }

  TKivnvm kivnvm_;
  std::unique_ptr<QTemporaryDir> work_;
};

void TestKivnvmFiles::init() {
  work_ = std::make_unique<QTemporaryDir>();
}

void TestKivnvmFiles::demoPhoneHoldsEveryKind_data() {
  QTest::addColumn<QString>("address");
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("label");
  QTest::addColumn<bool>("compressed");
  QTest::newRow("UFIF 2.0") << "18-9"
                            << "program"
                            << "Calculator"
                            << "UFIF 2" << false;
  QTest::newRow("UFIF 2.1") << "18-10"
                            << "program"
                            << "Notes"
                            << "UFIF 2.1" << false;
  QTest::newRow("firmware") << "18-11"
                            << "program"
                            << "Torch"
                            << "3.10/4" << false;
  QTest::newRow("ELF") << "18-12"
                       << "program"
                       << "Snake"
                       << "3.6/5" << false;
  QTest::newRow("PRG 3") << "18-13"
                         << "program"
                         << "Clock"
                         << "PRG 3" << false;
  QTest::newRow("PRG 3.5") << "18-14"
                           << "program"
                           << "Radio"
                           << "PRG 3.5" << false;
  QTest::newRow("LZO") << "18-15"
                       << "program"
                       << "Tetris"
                       << "UFIF 2.1" << true;
  QTest::newRow("GIF") << "18-17"
                       << "gif"
                       << "< GIF-File >"
                       << "" << false;
  QTest::newRow("ringer") << "18-18"
                          << "other"
                          << "10 sec ringer: Утренний звон"
                          << "" << false;
  QTest::newRow("pack") << "18-19"
                        << "other"
                        << "< Pixmara pack >"
                        << "" << false;
  QTest::newRow("data") << "18-20"
                        << "other"
                        << "< Data >"
                        << "" << false;
  QTest::newRow("big") << "18-21"
                       << "program"
                       << "Big Game"
                       << "UFIF 2.1" << false;
  QTest::newRow("Cyrillic") << "18-23"
                            << "program"
                            << "Погода"
                            << "5.4.2/6" << false;
  QTest::newRow("small") << "2-10"
                         << "program"
                         << "Mini"
                         << "UFIF 2" << false;
  QTest::newRow("PRG3 library") << "2-16"
                                << "other"
                                << "< PRG3 ExtLibrary ver.3>"
                                << "" << false;
  QTest::newRow("UFIF2 library") << "2-17"
                                 << "other"
                                 << "< UFIF2 ExtLibrary >"
                                 << "" << false;
}

void TestKivnvmFiles::demoPhoneHoldsEveryKind() {
  QFETCH(QString, address);
  QFETCH(QString, kind);
  QFETCH(QString, caption);
  QFETCH(QString, label);
  QFETCH(bool, compressed);
  QCOMPARE(kivnvm_.Run({"demo", Path("store")}).ExitCode, 0);
  const TKivnvmRun run = kivnvm_.Run({"inspect", "--json", Path("store/COM1/" + address)});
  QCOMPARE(run.ExitCode, 0);
  const QJsonObject json = JsonObjectOf(run.Out);
  QCOMPARE(json["kind"].toString(), kind);
  QCOMPARE(json["caption"].toString(), caption);
  QCOMPARE(json["label"].toString(), label);
  QCOMPARE(json["compressed"].toBool(), compressed);
}

void TestKivnvmFiles::demoPictureIsAViewableGIF() {
  QCOMPARE(kivnvm_.Run({"demo", Path("store")}).ExitCode, 0);
  QImage picture;
  QVERIFY(picture.loadFromData(ReadFileBytes(Path("store/COM1/18-17")), "GIF"));
  QCOMPARE(picture.size(), QSize(32, 32));
  QSet<QRgb> colours;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x)
      colours.insert(picture.pixel(x, y));
  }
  QVERIFY2(colours.size() >= 8, "a picture, not a blank");
  // Empty slots and the rest of the default ranges.
  QVERIFY(!QFile::exists(Path("store/COM1/18-16")));
  QVERIFY(ReadFileBytes(Path("store/COM1/18-21")).size() > 21504);
  QCOMPARE(ReadFileBytes(Path("store/COM1/2-18")).left(4), QByteArray("Kiv2"));
}

void TestKivnvmFiles::demoRefusesAnExistingPhone() {
  QDir().mkpath(Path("store/COM1"));
  QCOMPARE(kivnvm_.Run({"demo", Path("store")}).ExitCode, 0);  // an empty folder is no phone
  Put("store/COM1/18-9", "mine");
  const TKivnvmRun again = kivnvm_.Run({"demo", Path("store")});
  QCOMPARE(again.ExitCode, 1);
  QVERIFY(again.Err.contains(QStringLiteral("already holds a phone")));
  QCOMPARE(ReadFileBytes(Path("store/COM1/18-9")), QByteArray("mine"));
  QCOMPARE(QDir(Path("store")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
           QStringList{"COM1"});
}

void TestKivnvmFiles::demoForceReplacesThePhone() {
  QCOMPARE(kivnvm_.Run({"demo", Path("store")}).ExitCode, 0);
  const QByteArray demoSection = ReadFileBytes(Path("store/COM1/18-9"));
  Put("store/COM1/18-9", "mine");
  Put("store/COM1/18-16", "mine too");
  const TKivnvmRun run = kivnvm_.Run({"demo", "--force", Path("store")});
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(ReadFileBytes(Path("store/COM1/18-9")), demoSection);
  QVERIFY(!QFile::exists(Path("store/COM1/18-16")));
  // The old phone is gone, not left beside the new one.
  QCOMPARE(QDir(Path("store")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
           QStringList{"COM1"});

  // A link is not followed: the folder it points to keeps its files.
  QVERIFY(QDir().mkpath(Path("elsewhere")));
  Put("elsewhere/18-9", "mine");
  QVERIFY(QDir(Path("store/COM1")).removeRecursively());
  QVERIFY(QFile::link(Path("elsewhere"), Path("store/COM1")));
  QCOMPARE(kivnvm_.Run({"demo", "--force", Path("store")}).ExitCode, 1);
  QCOMPARE(ReadFileBytes(Path("elsewhere/18-9")), QByteArray("mine"));
}

void TestKivnvmFiles::inspectJsonHasTheDocumentedForm() {
  const QString file = Put("calc", PlainProgram(0x20000000, "Calc", 3000));
  const TKivnvmRun run = kivnvm_.Run({"inspect", "--json", file});
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(run.Out,
           QStringLiteral("{\"kind\": \"program\", \"caption\": \"Calc\", \"format_tag\": "
                          "\"0x20000000\", \"label\": \"UFIF 2\", \"icon_index\": 107, "
                          "\"compressed\": false, \"unpacked_size\": 0, \"size\": 3000}\n"));
}

void TestKivnvmFiles::inspectMatchesTheCatalogue_data() {
  QTest::addColumn<QByteArray>("bytes");
  QByteArray ringer(4, '\0');
  ringer += QByteArray("R\0i\0n\0g\0\"\0\0\0", 12);
  QByteArray library = Word(1) + QByteArray(12, '\0') + Word(5);
  library[4] = 7;
  QTest::newRow("empty") << QByteArray();
  QTest::newRow("16-character name") << PlainProgram(0x20000000, "ABCDEFGHIJKLMNOP", 100);
  QTest::newRow("ELF icon B") << ElfProgram(0xE800, 0xE864);
  QTest::newRow("ringer with a quote") << ringer;
  QTest::newRow("PRG3 library") << library;
  QTest::newRow("PRG3 library 16 bytes") << library.left(16);
  QTest::newRow("GIF") << QByteArray("GIF89a") + QByteArray(200, '\1');
  QTest::newRow("tag low byte") << PlainProgram(0x20000001, "Tag", 64);
  QTest::newRow("one byte") << QByteArray("\x20");
}

void TestKivnvmFiles::inspectMatchesTheCatalogue() {
  QFETCH(QByteArray, bytes);
  const TKivnvmRun run = kivnvm_.Run({"inspect", "--json", Put("file", bytes)});
  QCOMPARE(run.ExitCode, 0);
  const QJsonObject json = JsonObjectOf(run.Out);
  const TSlotInfo expected = bytes.isEmpty()
                                 ? EmptySlotInfo(TSlotInfo())
                                 : ClassifySection(TSlotInfo(), bytes.size(), bytes.left(128));
  QCOMPARE(json.keys().size(), 8);
  QCOMPARE(json["caption"].toString(), expected.Caption);
  QCOMPARE(json["format_tag"].toString().toUInt(nullptr, 16), expected.FormatTag);
  QCOMPARE(json["icon_index"].toInt(), expected.IconIndex);
  QCOMPARE(json["unpacked_size"].toInt(), expected.UnpackedSize);
  QCOMPARE(json["size"].toInt(), bytes.size());
  QCOMPARE(json["label"].toString(),
           expected.Kind == skProgram ? FormatLabel(expected.FormatTag) : QString());
}

void TestKivnvmFiles::inspectReadableText() {
  const QByteArray program = PlainProgram(0x20010000, "Long Program", 40000);
  const QString packed = Path("packed");
  QCOMPARE(kivnvm_.Run({"pack", Put("program", program), packed}).ExitCode, 0);
  const TKivnvmRun run = kivnvm_.Run({"inspect", packed});
  QCOMPARE(run.ExitCode, 0);
  const QStringList lines = run.OutLines();
  QVERIFY(lines.contains("Kind: program"));
  QVERIFY(lines.contains("Caption: Long Program"));
  QVERIFY(lines.contains("Format: 0x20010000 (UFIF 2.1)"));
  const qint32 size = qint32(QFileInfo(packed).size());
  QVERIFY(lines.contains(QStringLiteral("Compressed: %1, 40000 bytes unpacked")
                             .arg(CompressionRatioText(size, 40000, QLatin1Char('.')))));
  QVERIFY(lines.contains(QStringLiteral("Size: %1 bytes").arg(size)));
}

void TestKivnvmFiles::packUnpackRoundTrip_data() {
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

void TestKivnvmFiles::packUnpackRoundTrip() {
  QFETCH(QByteArray, original);
  const QString packed = Path("packed");
  QCOMPARE(kivnvm_.Run({"pack", Put("original", original), packed}).ExitCode, 0);
  QCOMPARE(WordAt(ReadFileBytes(packed), 0), 0x004F5A4Cu);
  const TKivnvmRun run = kivnvm_.Run({"unpack", packed, Path("unpacked")});
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(ReadFileBytes(Path("unpacked")), original);
}

void TestKivnvmFiles::packIconCode_data() {
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

void TestKivnvmFiles::packIconCode() {
  QFETCH(QByteArray, original);
  QFETCH(QStringList, options);
  QFETCH(quint32, iconCode);
  const TKivnvmRun run =
      kivnvm_.Run(QStringList{"pack"} + options + QStringList{Put("in", original), Path("out")});
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(WordAt(ReadFileBytes(Path("out")), 28), iconCode);
}

void TestKivnvmFiles::failuresWriteNoOutput_data() {
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

void TestKivnvmFiles::failuresWriteNoOutput() {
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

void TestKivnvmFiles::convertForEachFirmware_data() {
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

void TestKivnvmFiles::convertForEachFirmware() {
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

void TestKivnvmFiles::convertLeavesOtherFilesUnchanged() {
  for (const quint32 tag : {0x20010000u, 0x20000001u, 0x30C0DE01u}) {
    const QByteArray original = PlainProgram(tag, "Other", 600) + Word(0x820000);
    const TKivnvmRun run = kivnvm_.Run({"convert", Put("in", original), Path("out")});
    QCOMPARE(run.ExitCode, 0);
    QVERIFY(run.Out.isEmpty());
    QVERIFY(run.Err.contains(QStringLiteral("not a UFIF 2.0 program")));
    QCOMPARE(ReadFileBytes(Path("out")), original);
  }
}

void TestKivnvmFiles::prg3Image_data() {
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

void TestKivnvmFiles::prg3Image() {
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

QTEST_MAIN(TestKivnvmFiles)
#include "test_kivnvm_files.moc"
