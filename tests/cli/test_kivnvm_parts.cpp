// Pieces of kivnvm that a run of the program reaches only in part: the command-line
// parser, the JSON text, the GIF writer and the backup manifest.

#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "cli/args.h"
#include "cli/console.h"
#include "cli/gifwriter.h"
#include "cli/jsontext.h"
#include "cli/options.h"
#include "transfer/backupmanifest.h"

class TestKivnvmParts : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void parsesOptionsAnywhere();
  void jsonStringsSurviveAParser_data();
  void jsonStringsSurviveAParser();
  void addressArguments_data();
  void addressArguments();
  void gifDecodesToItsPixels_data();
  void gifDecodesToItsPixels();
  void gifRefusesAnInconsistentPicture();
  void manifestRoundTrip();
  void damagedManifests_data();
  void damagedManifests();
};

void TestKivnvmParts::parsesOptionsAnywhere() {
  const QList<TOptionDef> options{{"json", false}, {"port", true}};
  const TArgs args = TArgs::Parse({"a", "--port", "COM2", "b", "--json", "--", "--c"}, options);
  QVERIFY(args.Has("json"));
  QCOMPARE(args.Value("port"), QStringLiteral("COM2"));
  QCOMPARE(args.Positional(), QStringList({"a", "b", "--c"}));
  QCOMPARE(TArgs::Parse({"--port=COM3"}, options).Value("port"), QStringLiteral("COM3"));
  QCOMPARE(TArgs::Parse({"--port="}, options).Value("port", "fallback"), QString(""));
  QCOMPARE(TArgs::Parse({}, options).Value("port", "fallback"), QStringLiteral("fallback"));
  QVERIFY_THROWS_EXCEPTION(TUsageError, TArgs::Parse({"--port"}, options));
  QVERIFY_THROWS_EXCEPTION(TUsageError, TArgs::Parse({"--jso"}, options));
}

void TestKivnvmParts::jsonStringsSurviveAParser_data() {
  QTest::addColumn<QString>("text");
  QTest::newRow("plain") << "Calc";
  QTest::newRow("quote and backslash") << "a\"b\\c";
  QTest::newRow("control characters") << QString::fromUtf8("tab\there\nnew\x01\x1f");
  QTest::newRow("Cyrillic") << QStringLiteral("Погода");
  QTest::newRow("empty") << "";
}

void TestKivnvmParts::jsonStringsSurviveAParser() {
  QFETCH(QString, text);
  TJsonLine line;
  line.Add("caption", text).Add("size", qint64(-3)).Add("compressed", true);
  const QJsonObject parsed = QJsonDocument::fromJson(line.Text().toUtf8()).object();
  QCOMPARE(parsed["caption"].toString(), text);
  QCOMPARE(parsed["size"].toInt(), -3);
  QCOMPARE(parsed["compressed"].toBool(), true);
  QVERIFY(line.Text().startsWith("{\"caption\": "));
}

void TestKivnvmParts::addressArguments_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("section");
  QTest::addColumn<int>("subsection");
  QTest::newRow("plain") << "18-9" << 18 << 9;
  QTest::newRow("leading zeros") << "02-10" << 2 << 10;
  QTest::newRow("highest") << "255-255" << 255 << 255;
  QTest::newRow("would wrap to 18-9") << "18-265" << -1 << -1;
  QTest::newRow("no hyphen") << "189" << -1 << -1;
  QTest::newRow("negative") << "18--9" << -1 << -1;
  QTest::newRow("empty") << "" << -1 << -1;
}

void TestKivnvmParts::addressArguments() {
  QFETCH(QString, text);
  QFETCH(int, section);
  QFETCH(int, subsection);
  if (section < 0) {
    QVERIFY_THROWS_EXCEPTION(TUsageError, ParseAddressArgument(text));
    return;
  }
  const TSectionAddress address = ParseAddressArgument(text);
  QCOMPARE(address.Section, section);
  QCOMPARE(address.SubSection, subsection);
}

void TestKivnvmParts::gifDecodesToItsPixels_data() {
  QTest::addColumn<int>("width");
  QTest::addColumn<int>("height");
  QTest::addColumn<int>("colours");
  QTest::newRow("one pixel") << 1 << 1 << 1;
  QTest::newRow("two colours") << 7 << 3 << 2;
  QTest::newRow("sixteen colours") << 40 << 33 << 16;
  QTest::newRow("many sub-blocks") << 120 << 100 << 16;
}

void TestKivnvmParts::gifDecodesToItsPixels() {
  QFETCH(int, width);
  QFETCH(int, height);
  QFETCH(int, colours);
  TGIFPicture picture;
  picture.Width = width;
  picture.Height = height;
  for (int i = 0; i < colours; ++i)
    picture.Palette << quint32(0x102030 * (i + 1)) % 0x1000000;
  for (int i = 0; i < width * height; ++i)
    picture.Pixels.append(char((i * 7 + i / width) % colours));
  QImage image;
  QVERIFY(image.loadFromData(EncodeGIF(picture), "GIF"));
  QCOMPARE(image.size(), QSize(width, height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const quint32 expected = picture.Palette[quint8(picture.Pixels[y * width + x])];
      QCOMPARE(image.pixel(x, y) & 0xFFFFFF, expected);
    }
  }
}

void TestKivnvmParts::gifRefusesAnInconsistentPicture() {
  TGIFPicture picture;
  picture.Width = 2;
  picture.Height = 2;
  picture.Palette = {0, 0xFFFFFF};
  picture.Pixels = QByteArray("\0\1\1", 3);
  QVERIFY(EncodeGIF(picture).isEmpty());  // a pixel short
  picture.Pixels = QByteArray("\0\1\1\2", 4);
  QVERIFY(EncodeGIF(picture).isEmpty());  // an index outside the palette
  picture.Pixels = QByteArray("\0\1\1\1", 4);
  picture.Palette = QVector<quint32>(17, 0);
  QVERIFY(EncodeGIF(picture).isEmpty());  // too many colours
}

void TestKivnvmParts::manifestRoundTrip() {
  TManifest manifest;
  manifest.Port = "COM2";
  manifest.Time = QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9), Qt::UTC);
  TManifestEntry stored;
  stored.Address = {18, 9};
  stored.Size = 3;
  stored.Sha256 = Sha256Hex("abc");
  TManifestEntry empty;
  empty.Address = {2, 10};
  empty.State = TManifestEntry::Empty;
  TManifestEntry missing;
  missing.Address = {2, 17};
  missing.State = TManifestEntry::Missing;
  missing.Error = "Error reading section 2-17";
  manifest.Entries = {stored, empty, missing};
  const TBackupRead<TManifest> read = ParseManifest(ManifestJson(manifest));
  QVERIFY2(read.Ok(), qPrintable(read.Problem));
  const TManifest& back = read.Value;
  QCOMPARE(back.Port, manifest.Port);
  QCOMPARE(back.Time, manifest.Time);
  QCOMPARE(back.Entries.size(), 3);
  QCOMPARE(back.Entries[0].Sha256,
           QByteArray("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"));
  QCOMPARE(back.Entries[0].Size, 3);
  QCOMPARE(back.Entries[1].State, TManifestEntry::Empty);
  QCOMPARE(back.Entries[2].State, TManifestEntry::Missing);
  QCOMPARE(back.Entries[2].Error, missing.Error);
}

void TestKivnvmParts::damagedManifests_data() {
  QTest::addColumn<QByteArray>("json");
  const QByteArray sha = QByteArray(64, 'a');
  QTest::newRow("not JSON") << QByteArray("{");
  QTest::newRow("no sections") << QByteArray("{\"port\": \"COM1\"}");
  QTest::newRow("address with a path")
      << "{\"sections\": [{\"address\": \"../18-9\", \"size\": 1, \"sha256\": \"" + sha + "\"}]}";
  QTest::newRow("size too big")
      << "{\"sections\": [{\"address\": \"18-9\", \"size\": 65537, \"sha256\": \"" + sha + "\"}]}";
  QTest::newRow("no size") << "{\"sections\": [{\"address\": \"18-9\", \"sha256\": \"" + sha +
                                  "\"}]}";
  QTest::newRow("short hash") << QByteArray(
      "{\"sections\": [{\"address\": \"18-9\", \"size\": 1, \"sha256\": \"abc\"}]}");
  QTest::newRow("empty with a size")
      << QByteArray("{\"sections\": [{\"address\": \"18-9\", \"empty\": true, \"size\": 5}]}");
  QTest::newRow("twice") << QByteArray(
      "{\"sections\": [{\"address\": \"18-9\", \"empty\": true}, {\"address\": \"18-09\", "
      "\"empty\": true}]}");
}

void TestKivnvmParts::damagedManifests() {
  QFETCH(QByteArray, json);
  const QString problem = ParseManifest(json).Problem;
  QVERIFY2(problem.startsWith("The backup's manifest is damaged: "), qPrintable(problem));
}

QTEST_MAIN(TestKivnvmParts)
#include "test_kivnvm_parts.moc"
