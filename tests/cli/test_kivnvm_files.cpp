// kivnvm's offline commands, run as the user runs them: the demo phone and inspect.

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "catalogue/classify.h"
#include "catalogue/gridtext.h"
#include "common/bytes.h"
#include "tests/cli/kivnvmfilestest.h"
#include "tests/cli/kivnvmrunner.h"
#include "tests/cli/sampleimages.h"

namespace {

QJsonObject JsonObjectOf(const QString& text) {
  return QJsonDocument::fromJson(text.toUtf8()).object();
}

}  // namespace

class TestKivnvmFiles : public TKivnvmFilesTest {
  Q_OBJECT
 private Q_SLOTS:
  void demoPhoneHoldsEveryKind_data();
  void demoPhoneHoldsEveryKind();
  void demoPictureIsAViewableGIF();
  void demoRefusesAnExistingPhone();
  void demoForceReplacesThePhone();
  void inspectJsonHasTheDocumentedForm();
  void inspectMatchesTheCatalogue_data();
  void inspectMatchesTheCatalogue();
  void inspectReadableText();
};

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

QTEST_MAIN(TestKivnvmFiles)
#include "test_kivnvm_files.moc"
