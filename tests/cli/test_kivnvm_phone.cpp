// kivnvm's phone commands against the virtual phone and its faults: list, get, put, clear,
// backup and restore, the link's opening and closing, and the settings they start from.

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

#include "app/gridtext.h"
#include "catalogue/classify.h"
#include "catalogue/slotmap.h"
#include "common/bytes.h"
#include "tests/cli/kivnvmrunner.h"
#include "tests/support/virtualphone.h"

namespace {

QByteArray Program(quint32 tag, const QByteArray& name, int length) {
  QByteArray image;
  AppendWord(image, tag);
  image += name.leftJustified(16, '\0', true);
  for (int i = 0; image.size() < length; ++i)
    image.append(char(0x21 + i % 90));
  return image;
}

// Every section file of a port folder, by name.
QMap<QString, QByteArray> PortContent(const QString& portDir) {
  QMap<QString, QByteArray> content;
  for (const QString& name : QDir(portDir).entryList(QDir::Files))
    content.insert(name, ReadFileBytes(QDir(portDir).filePath(name)));
  return content;
}

int Count(const QStringList& journal, const QString& function) {
  int count = 0;
  for (const QString& line : journal)
    count += line.startsWith(function) ? 1 : 0;
  return count;
}

QByteArray Sha256Hex(const QByteArray& bytes) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// The manifest with entry in place of the one of the same address, or added after the rest.
void PutManifestEntry(const QString& manifestPath, const QByteArray& entryJson) {
  QJsonObject manifest = QJsonDocument::fromJson(ReadFileBytes(manifestPath)).object();
  QJsonArray sections = manifest["sections"].toArray();
  const QJsonObject entry = QJsonDocument::fromJson(entryJson).object();
  int at = 0;
  while (at < sections.size() && sections[at].toObject()["address"] != entry["address"])
    ++at;
  if (at < sections.size())
    sections[at] = entry;
  else
    sections.append(entry);
  manifest["sections"] = sections;
  WriteFileBytes(manifestPath, QJsonDocument(manifest).toJson());
}

}  // namespace

class TestKivnvmPhone : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init();
  void cleanup();
  void listMatchesTheCatalogue();
  void listSizesOnlyMakesNoReads();
  void listSizeFaultEndsItsRange();
  void linkFailures_data();
  void linkFailures();
  void settingsFileGivesPortAndSlots();
  void getWritesTheWholeSection();
  void getFailureWritesNothing();
  void getIntoAFullDevice();
  void putAndGetThroughStandardStreams();
  void putAsTheManagersUpload_data();
  void putAsTheManagersUpload();
  void putRefusesWhatDoesNotFit();
  void putReportsAShortWrite();
  void clearErasesTheSection();
  void backupThenRestoreOntoAnEmptiedPhone();
  void backupRefusesAFolderInUse();
  void backupNamesTheMissingSection();
  void progressOnlyWhenAsked();
  void restoreRefusesATamperedBackup_data();
  void restoreRefusesATamperedBackup();
  void restoreSaysWhatThePhoneAnswered_data();
  void restoreSaysWhatThePhoneAnswered();
  void killedBackupLeavesNoManifest();
  void restoreDryRunWritesNothing();
  void restoreOnlySomeSections();

 private:
  QString Path(const QString& name) const { return work_->filePath(name); }
  void MakeDemoPhone();
  void BackUpDemoPhone();

  std::unique_ptr<TVirtualPhone> phone_;
  std::unique_ptr<QTemporaryDir> work_;
  TKivnvm kivnvm_;
};

void TestKivnvmPhone::init() {
  phone_ = std::make_unique<TVirtualPhone>();
  work_ = std::make_unique<QTemporaryDir>();
}

void TestKivnvmPhone::cleanup() {
  phone_.reset();
}

void TestKivnvmPhone::MakeDemoPhone() {
  QCOMPARE(kivnvm_.Run({"demo", phone_->StoreDir()}).ExitCode, 0);
  phone_->ClearJournal();
}

void TestKivnvmPhone::BackUpDemoPhone() {
  MakeDemoPhone();
  const TKivnvmRun run = kivnvm_.Run({"backup", Path("backup")});
  QCOMPARE(run.ExitCode, 0);
  phone_->ClearJournal();
}

void TestKivnvmPhone::listMatchesTheCatalogue() {
  MakeDemoPhone();
  const TKivnvmRun run = kivnvm_.Run({"list", "--json"});
  QCOMPARE(run.ExitCode, 0);
  const QJsonArray rows = QJsonDocument::fromJson(run.Out.toUtf8()).array();
  const TSlotRanges ranges;
  QCOMPARE(rows.size(), 26);
  int nonEmpty = 0;
  for (int row = 1; row <= 26; ++row) {
    const QJsonObject json = rows[row - 1].toObject();
    const TSectionAddress address = SlotAddress(row, ranges);
    const QByteArray bytes = phone_->Get(address.Section, address.SubSection);
    const TSlotInfo expected = phone_->Holds(address.Section, address.SubSection)
                                   ? ClassifySection(TSlotInfo(), bytes.size(), bytes.left(128))
                                   : EmptySlotInfo(TSlotInfo());
    nonEmpty += expected.Kind == skEmpty ? 0 : 1;
    QCOMPARE(json["row"].toInt(), row);
    QCOMPARE(json["address"].toString(), address.Text());
    QCOMPARE(json["caption"].toString(), expected.Caption);
    QCOMPARE(json["format_tag"].toString().toUInt(nullptr, 16), expected.FormatTag);
    QCOMPARE(json["icon_index"].toInt(), expected.IconIndex);
    QCOMPARE(json["compressed"].toBool(), expected.Compressed != 0);
    QCOMPARE(json["unpacked_size"].toInt(), expected.UnpackedSize);
    QCOMPARE(json["size"].toInt(), expected.Size);
    QCOMPARE(json["label"].toString(),
             expected.Kind == skProgram ? FormatLabel(expected.FormatTag) : QString());
  }
  const QStringList journal = phone_->Journal();
  QCOMPARE(Count(journal, "GetNVMFileSize"), 26);
  QCOMPARE(Count(journal, "ReadNVMFile"), nonEmpty);
  QVERIFY(journal.contains("ReadNVMFile(18,9,128) = 128"));

  // The readable form: one line per row with address, caption, size, ratio and label.
  const QStringList lines = kivnvm_.Run({"list"}).OutLines();
  QCOMPARE(lines.size(), 26);
  QVERIFY(lines[0].contains(QRegularExpression("^ 1 18-9 +Calculator +3200 +UFIF 2$")));
  QVERIFY(
      lines[6].contains(QRegularExpression("18-15 +Tetris +\\d+ LZO\\(\\d+\\.0%\\) +UFIF 2.1")));
  QVERIFY(lines[25].contains(QRegularExpression("^26 2-14 +< Empty > +0$")));
}

void TestKivnvmPhone::listSizesOnlyMakesNoReads() {
  MakeDemoPhone();
  const TKivnvmRun run = kivnvm_.Run({"list", "--json", "--sizes-only"});
  QCOMPARE(run.ExitCode, 0);
  const QJsonArray rows = QJsonDocument::fromJson(run.Out.toUtf8()).array();
  QCOMPARE(rows[0].toObject()["size"].toInt(), 3200);
  QCOMPARE(rows[0].toObject()["caption"].toString(), QString());
  QCOMPARE(rows[0].toObject()["label"].toString(), QStringLiteral("0.0.0/0"));
  QCOMPARE(rows[7].toObject()["caption"].toString(), QStringLiteral("< Empty >"));
  QCOMPARE(phone_->Calls("GetNVMFileSize"), 26);
  QCOMPARE(phone_->Calls("ReadNVMFile"), 0);
}

void TestKivnvmPhone::listSizeFaultEndsItsRange() {
  MakeDemoPhone();
  phone_->SetFaults("size 18-11=-7");
  const TKivnvmRun run = kivnvm_.Run({"list", "--json"});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY(run.Err.contains("Error getting section 18-11 size"));
  const QJsonArray rows = QJsonDocument::fromJson(run.Out.toUtf8()).array();
  QCOMPARE(rows.size(), 26);
  QCOMPARE(rows[1].toObject()["caption"].toString(), QStringLiteral("Notes"));
  QCOMPARE(rows[2].toObject()["error"].toString(),
           QStringLiteral("Error getting section 18-11 size"));
  QCOMPARE(rows[3].toObject()["error"].toString(), QStringLiteral("not read"));
  QCOMPARE(rows[20].toObject()["error"].toString(), QStringLiteral("not read"));
  // The small slots are still refreshed.
  QCOMPARE(rows[21].toObject()["caption"].toString(), QStringLiteral("Mini"));
  QVERIFY(!rows[21].toObject().contains("error"));
  QCOMPARE(phone_->Calls("GetNVMFileSize"), 3 + 5);
}

void TestKivnvmPhone::linkFailures_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<QString>("faults");
  QTest::addColumn<QString>("message");
  QTest::newRow("no phone on the port") << QStringList{"list", "--port", "COM2"} << ""
                                        << "GBP Error: Can't open port! (COM2, from --port)";
  QTest::newRow("no AT response") << QStringList{"clear", "18-9"} << "init=-3"
                                  << "GBP Error: No AT response! (COM1, the default: "
                                     "no settings file %1)";
  QTest::newRow("unknown code") << QStringList{"get", "18-9", "out"} << "init=-8"
                                << "GBP Error: Unknown error #-8! (COM1, the default: "
                                   "no settings file %1)";
  QTest::newRow("backup") << QStringList{"backup", "bk", "--port", "COM1"} << "init=-5"
                          << "GBP Error: COMM Error! (COM1, from --port)";
}

void TestKivnvmPhone::linkFailures() {
  QFETCH(QStringList, arguments);
  QFETCH(QString, faults);
  QFETCH(QString, message);
  phone_->Put(18, 9, "content");
  phone_->SetFaults(faults);
  QDir::setCurrent(work_->path());
  const TKivnvmRun run = kivnvm_.Run(arguments);
  QCOMPARE(run.ExitCode, 1);
  QCOMPARE(run.Err.trimmed(),
           "kivnvm: " +
               (message.contains("%1") ? message.arg(kivnvm_.Dir() + "/KivManager.INI") : message));
  QVERIFY(run.Out.isEmpty());
  QCOMPARE(QDir(work_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
  QCOMPARE(phone_->Get(18, 9), QByteArray("content"));
  QCOMPARE(phone_->Calls("InitGBPMode"), 1);
  QCOMPARE(phone_->Calls("GetNVMFileSize") + phone_->Calls("ClearNVMFile"), 0);

  const TKivnvm withoutLibrary(TKivnvm::WithoutLibrary);
  const TKivnvmRun unusable = withoutLibrary.Run(arguments);
  QCOMPARE(unusable.ExitCode, 1);
  QCOMPARE(unusable.Err.trimmed(), QStringLiteral("kivnvm: Unable to open GPB.DLL"));
}

void TestKivnvmPhone::settingsFileGivesPortAndSlots() {
  phone_->AddPort(3);
  phone_->Put(18, 5, Program(0x20010000, "Five", 500), 3);
  phone_->Put(2, 20, Program(0x30C0DE01, "Twenty", 300), 3);
  const TKivnvm configured;
  configured.WriteSettings(
      "[Manager]\nCOM-Port=2\nFirstBig=5\nBigSlots=$2\nFirstSmall=20\nSmallSlots=1\n");
  TKivnvmRun run = configured.Run({"list"});
  QCOMPARE(run.ExitCode, 0);
  QStringList lines = run.OutLines();
  QCOMPARE(lines.size(), 3);
  QVERIFY(lines[0].contains("18-5") && lines[0].contains("Five"));
  QVERIFY(lines[1].contains("18-6") && lines[1].contains("< Empty >"));
  QVERIFY(lines[2].contains("2-20") && lines[2].contains("Twenty"));
  QCOMPARE(phone_->Journal().first(), QStringLiteral("InitGBPMode(3) = 0"));

  // The command line wins over the file, its options before or after the command.
  run = configured.Run({"list", "--port", "com1", "--slots", "9-10,10-10"});
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(run.OutLines().size(), 3);
  QVERIFY(run.OutLines()[2].contains("2-10"));
  QCOMPARE(configured.Run({"--port", "com1", "--slots", "9-10,10-10", "list"}).Out, run.Out);

  // Counts beyond the table are bounded, an unknown port index falls back to COM1.
  phone_->ClearJournal();
  configured.WriteSettings("[Manager]\nCOM-Port=9\nBigSlots=90\nSmallSlots=90\n");
  run = configured.Run({"list", "--sizes-only"});
  QCOMPARE(run.ExitCode, 0);
  QVERIFY(run.OutLines().size() <= 99);
  QVERIFY(phone_->Journal().contains("InitGBPMode(1) = 0"));

  // A port that fails is named with the file it came from.
  configured.WriteSettings("[Manager]\nCOM-Port=3\n");
  run = configured.Run({"list"});
  QCOMPARE(run.ExitCode, 1);
  QCOMPARE(run.Err.trimmed(), "kivnvm: GBP Error: Can't open port! (COM4, from the settings file " +
                                  configured.Dir() + "/KivManager.INI)");
}

void TestKivnvmPhone::getWritesTheWholeSection() {
  QByteArray big(65536, '\0');
  for (int i = 0; i < big.size(); ++i)
    big[i] = char(i * 7);
  phone_->Put(18, 9, big);
  TKivnvmRun run = kivnvm_.Run({"get", "18-09", Path("big")});
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(ReadFileBytes(Path("big")), big);
  QCOMPARE(phone_->Calls("InitGBPMode"), 1);
  QCOMPARE(phone_->Journal().last(), QStringLiteral("EndGBPMode() = 0"));

  run = kivnvm_.Run({"get", "02-10", Path("empty")});
  QCOMPARE(run.ExitCode, 0);
  QVERIFY(QFile::exists(Path("empty")));
  QCOMPARE(QFileInfo(Path("empty")).size(), 0);
}

void TestKivnvmPhone::getFailureWritesNothing() {
  phone_->Put(2, 18, "Kiv2-prefs");
  // A size answer of -5 tells nothing of the section: no empty file stands for it.
  const QMap<QString, QString> errors{
      {QStringLiteral("read 2-18=-5"), QStringLiteral("Error reading section 2-18")},
      {QStringLiteral("size 2-18=-7"), QStringLiteral("Error getting section 2-18 size")},
      {QStringLiteral("size 2-18=-5"),
       QStringLiteral("Section 2-18: the phone did not tell what it holds (size answer -5)")}};
  for (const QString& fault : errors.keys()) {
    phone_->SetFaults(fault);
    const TKivnvmRun run = kivnvm_.Run({"get", "2-18", Path("prefs")});
    QCOMPARE(run.ExitCode, 1);
    QVERIFY2(run.Err.contains(errors[fault]), qPrintable(run.Err));
    QVERIFY(!QFile::exists(Path("prefs")));
    QCOMPARE(phone_->Journal().last(), QStringLiteral("EndGBPMode() = 0"));
  }
}

void TestKivnvmPhone::getIntoAFullDevice() {
  phone_->Put(18, 9, "content");
  if (!MakeSpecialFile(Path("full"), sfFullDevice))
    QSKIP("making a device node needs root");
  const TKivnvmRun run = kivnvm_.Run({"get", "18-9", Path("full")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY2(run.Err.contains("Cannot create file " + Path("full")), qPrintable(run.Err));
  QVERIFY(IsSpecialFile(Path("full"), sfFullDevice));
}

void TestKivnvmPhone::putAndGetThroughStandardStreams() {
  const QByteArray program = Program(0x20010000, "Piped", 3000);
  QCOMPARE(kivnvm_.Run({"put", "18-9", "-"}, program).ExitCode, 0);
  QCOMPARE(phone_->Get(18, 9), program);
  const TKivnvmRun got = kivnvm_.Run({"get", "18-9", "-"});
  QCOMPARE(got.ExitCode, 0);
  QCOMPARE(got.OutBytes, program);

  // What a file may not hold, standard input may not either.
  const TKivnvmRun tooBig = kivnvm_.Run({"put", "18-10", "-"}, QByteArray(70000, 'a'));
  QCOMPARE(tooBig.ExitCode, 1);
  QVERIFY2(tooBig.Err.contains("Can't uplod - file too big!"), qPrintable(tooBig.Err));
  QVERIFY(!phone_->Holds(18, 10));
}

void TestKivnvmPhone::putAsTheManagersUpload_data() {
  QTest::addColumn<QStringList>("options");
  QTest::addColumn<QString>("address");
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QByteArray>("stored");
  const QByteArray program = Program(0x20010000, "Prog", 3000);
  QTest::newRow("plain") << QStringList{} << "18-9" << program << program;
  QTest::newRow("filler trimmed") << QStringList{} << "18-9"
                                  << program + "\xC0\x46\xC0\x46\xC0\x46\xC0\x46\xC0\x46"
                                  << program;
  QTest::newRow("filler at odd offsets")
      << QStringList{} << "18-9" << QByteArray("aaa\xC0\x46\xC0\x46") << QByteArray("aaa");
  QTest::newRow("2,050 bytes trimmed to fit a small slot")
      << QStringList{} << "2-10" << QByteArray(2048, 'b') + "\xC0\x46" << QByteArray(2048, 'b');
  QTest::newRow("2,049 bytes on a big slot")
      << QStringList{} << "18-29" << QByteArray(2049, 'c') << QByteArray(2049, 'c');
  QTest::newRow("empty file") << QStringList{} << "18-9" << QByteArray() << QByteArray();
  QTest::newRow("library outside the slots")
      << QStringList{} << "2-17" << QByteArray(21504, 'L') << QByteArray(21504, 'L');
  QByteArray ufif20 = Program(0x20000000, "Old", 400);
  SetWordAt(ufif20, 100, 0x820000);
  SetWordAt(ufif20, 104, 0x36AE18);
  QTest::newRow("UFIF 2.0 unconverted") << QStringList{} << "18-9" << ufif20 << ufif20;
  QByteArray converted = ufif20;
  converted[2] = 1;
  SetWordAt(converted, 100, 0x8A0000);
  SetWordAt(converted, 104, 0x37C598);
  QTest::newRow("converted for the Z7")
      << QStringList{"--convert", "--firmware-index", "6"} << "18-9" << ufif20 << converted;
  QTest::newRow("convert leaves UFIF 2.1 alone")
      << QStringList{"--convert"} << "18-9" << program << program;
}

void TestKivnvmPhone::putAsTheManagersUpload() {
  QFETCH(QStringList, options);
  QFETCH(QString, address);
  QFETCH(QByteArray, file);
  QFETCH(QByteArray, stored);
  phone_->Put(18, 9, "old content");
  WriteFileBytes(Path("file"), file);
  const TKivnvmRun run =
      kivnvm_.Run(QStringList{"put"} + options + QStringList{address, Path("file")});
  QCOMPARE(run.ExitCode, 0);
  QVERIFY2(run.Err.contains("Section uploaded sucsessfully!"), qPrintable(run.Err));
  TSectionAddress target;
  QVERIFY(ParseSectionAddress(address, target));
  QCOMPARE(phone_->Get(target.Section, target.SubSection), stored);
  QCOMPARE(phone_->Calls("WriteNVMFile"), 1);
  QCOMPARE(phone_->Calls("InitGBPMode"), 1);
  QCOMPARE(phone_->Journal().last(), QStringLiteral("EndGBPMode() = 0"));
}

void TestKivnvmPhone::putRefusesWhatDoesNotFit() {
  const QList<QPair<QString, QByteArray>> cases{{"2-10", QByteArray(2049, 'a')},
                                                {"18-9", QByteArray(70000, 'a')},
                                                {"2-14", QByteArray(2045, 'a') + "\xC0\x46xyzw"}};
  for (const auto& [address, file] : cases) {
    WriteFileBytes(Path("file"), file);
    const TKivnvmRun run = kivnvm_.Run({"put", address, Path("file")});
    QCOMPARE(run.ExitCode, 1);
    QCOMPARE(run.Err.trimmed(), QStringLiteral("kivnvm: Can't uplod - file too big!"));
  }
  QCOMPARE(phone_->Calls("WriteNVMFile"), 0);

  // The compressed upload checks the container: 3,000 bytes that pack small fit a small slot.
  WriteFileBytes(Path("file"), Program(0x20000000, "Small", 3000));
  TKivnvmRun run = kivnvm_.Run({"put", "--compress", "--icon", "E81A", "2-10", Path("file")});
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(kivnvm_.Run({"pack", "--icon", "E81A", Path("file"), Path("packed")}).ExitCode, 0);
  QCOMPARE(phone_->Get(2, 10), ReadFileBytes(Path("packed")));
  QVERIFY(phone_->Get(2, 10).size() <= 2048);
}

void TestKivnvmPhone::putReportsAShortWrite() {
  phone_->SetFaults("write 18-9=truncate 100");
  WriteFileBytes(Path("file"), Program(0x20010000, "Prog", 3000));
  TKivnvmRun run = kivnvm_.Run({"put", "18-9", Path("file")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY(
      run.Err.contains("Section uploaded with error or out of memory!\nTry to upload again or free "
                       "some NVM memory"));
  QVERIFY(!run.Err.contains("sucsessfully"));

  // A write refused for want of room, over a section of the same size, is no success either.
  phone_->SetFaults(QString());
  phone_->Put(18, 10, QByteArray(3000, 'o'));
  phone_->Put(18, 11, QByteArray(1000, 'p'));
  phone_->SetCapacity(3500);
  run = kivnvm_.Run({"put", "18-10", Path("file")});
  QCOMPARE(run.ExitCode, 1);
  QCOMPARE(phone_->Get(18, 10), QByteArray(3000, 'o'));
}

void TestKivnvmPhone::clearErasesTheSection() {
  phone_->Put(18, 12, "something");
  const TKivnvmRun run = kivnvm_.Run({"clear", "18-12"});
  QCOMPARE(run.ExitCode, 0);
  QVERIFY(!phone_->Holds(18, 12));
  QCOMPARE(phone_->Journal(), QStringList({"InitGBPMode(1) = 0", "ClearNVMFile(18,12) = 0",
                                           "GetNVMFileSize(18,12) = -153", "EndGBPMode() = 0"}));

  // An erase the phone refuses, or one it answers with -5 afterwards, is no "Erased!".
  phone_->Put(18, 12, "something");
  const QMap<QString, QString> refusals{
      {QStringLiteral("clear 18-12=-5"),
       QStringLiteral("Section 18-12 was not erased: the phone answered GBP Error: COMM Error!")},
      {QStringLiteral("size 18-12=-5"),
       QStringLiteral("Section 18-12: the phone did not confirm the erase (size answer -5)")}};
  for (const QString& fault : refusals.keys()) {
    phone_->SetFaults(fault);
    const TKivnvmRun refused = kivnvm_.Run({"clear", "18-12"});
    QCOMPARE(refused.ExitCode, 1);
    QVERIFY2(refused.Err.contains(refusals[fault]), qPrintable(refused.Err));
    QVERIFY(!refused.Err.contains("Erased!"));
  }
}

void TestKivnvmPhone::backupThenRestoreOntoAnEmptiedPhone() {
  BackUpDemoPhone();
  const QMap<QString, QByteArray> original = PortContent(phone_->PortDir());
  QCOMPARE(original.size(), 19);

  const QJsonObject manifest =
      QJsonDocument::fromJson(ReadFileBytes(Path("backup/manifest.json"))).object();
  QCOMPARE(manifest["port"].toString(), QStringLiteral("COM1"));
  QVERIFY(QDateTime::fromString(manifest["time"].toString(), Qt::ISODate).isValid());
  const QJsonArray sections = manifest["sections"].toArray();
  QCOMPARE(sections.size(), 26 + 3);
  for (const QJsonValue& value : sections) {
    const QJsonObject entry = value.toObject();
    const QString address = entry["address"].toString();
    if (original.contains(address)) {
      QCOMPARE(entry["size"].toInt(), original[address].size());
      QCOMPARE(entry["sha256"].toString().toLatin1(),
               QCryptographicHash::hash(original[address], QCryptographicHash::Sha256).toHex());
      QCOMPARE(ReadFileBytes(Path("backup/" + address)), original[address]);
    } else {
      QVERIFY2(entry["empty"].toBool(), qPrintable(address));
      QVERIFY(!QFile::exists(Path("backup/" + address)));
    }
  }

  // Wipe the phone, leave something where the backup holds nothing, and restore.
  for (const QString& name : original.keys())
    QFile::remove(QDir(phone_->PortDir()).filePath(name));
  phone_->Put(18, 16, "stray");
  const TKivnvmRun run = kivnvm_.Run({"restore", Path("backup")});
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(PortContent(phone_->PortDir()), original);
  QCOMPARE(phone_->Calls("InitGBPMode"), 1);
  QCOMPARE(phone_->Calls("WriteNVMFile"), 19);
  QCOMPARE(phone_->Calls("ClearNVMFile"), 1);

  // A second restore finds nothing to change.
  phone_->ClearJournal();
  QCOMPARE(kivnvm_.Run({"restore", Path("backup")}).ExitCode, 0);
  QCOMPARE(phone_->Calls("WriteNVMFile") + phone_->Calls("ClearNVMFile"), 0);
}

void TestKivnvmPhone::backupRefusesAFolderInUse() {
  QDir().mkpath(Path("used"));
  WriteFileBytes(Path("used/notes.txt"), "mine");
  TKivnvmRun run = kivnvm_.Run({"backup", Path("used")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY(run.Err.contains("not empty"));
  QCOMPARE(QDir(Path("used")).entryList(QDir::Files), QStringList{"notes.txt"});
  QCOMPARE(phone_->Calls("InitGBPMode"), 0);

  // A backup that cannot open the link leaves no folder behind.
  run = kivnvm_.Run({"backup", "--port", "COM4", Path("new")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY(!QFile::exists(Path("new")));
}

void TestKivnvmPhone::backupNamesTheMissingSection() {
  MakeDemoPhone();
  // A size answer of -5 tells nothing: the program in 18-15 must survive a restore.
  phone_->SetFaults("size 18-11=-7; size 18-15=-5; read 2-17=-5");
  const TKivnvmRun run = kivnvm_.Run({"backup", Path("backup")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY(run.Err.contains(
      "Section 18-11 is missing from the backup: Error getting section 18-11 size"));
  QVERIFY2(run.Err.contains("Section 18-15 is missing from the backup: Section 18-15: the phone "
                            "did not tell what it holds (size answer -5)"),
           qPrintable(run.Err));
  QVERIFY(run.Err.contains("Section 2-17 is missing from the backup: Error reading section 2-17"));
  QVERIFY(run.Err.contains("Backed up 26 of 29 sections"));
  const QJsonArray sections = QJsonDocument::fromJson(ReadFileBytes(Path("backup/manifest.json")))
                                  .object()["sections"]
                                  .toArray();
  QStringList missing;
  for (const QJsonValue& value : sections) {
    if (value.toObject()["missing"].toBool())
      missing << value.toObject()["address"].toString();
  }
  QCOMPARE(missing, QStringList({"18-11", "18-15", "2-17"}));
  QVERIFY(!QFile::exists(Path("backup/18-11")));
  QVERIFY(QFile::exists(Path("backup/18-12")));

  // Restoring it writes what it holds and says that the missing ones were left alone.
  phone_->SetFaults(QString());
  phone_->Remove(18, 12);
  const TKivnvmRun restore = kivnvm_.Run({"restore", Path("backup")});
  QCOMPARE(restore.ExitCode, 1);
  QVERIFY(restore.Err.contains("Section 18-11 is missing from the backup"));
  QVERIFY(restore.Err.contains("Section 18-15 is missing from the backup"));
  QVERIFY(restore.Err.contains("3 failed"));
  QVERIFY(phone_->Holds(18, 12));
  QVERIFY(phone_->Holds(18, 15));
  QCOMPARE(phone_->Calls("ClearNVMFile"), 0);
}

void TestKivnvmPhone::progressOnlyWhenAsked() {
  MakeDemoPhone();
  // The tests' stderr is no terminal: quiet unless asked.
  TKivnvmRun run = kivnvm_.Run({"backup", Path("quiet")});
  QCOMPARE(run.ExitCode, 0);
  QVERIFY2(!run.Err.contains("section 1 of"), qPrintable(run.Err));

  run = kivnvm_.Run({"backup", "--progress", Path("shown")});
  QCOMPARE(run.ExitCode, 0);
  const QStringList steps =
      run.Err.split('\n').filter(QRegularExpression("^kivnvm: section \\d+ of 29 "));
  QCOMPARE(steps.size(), 29);
  QCOMPARE(steps[0], QStringLiteral("kivnvm: section 1 of 29 (18-9), 0 bytes"));
  const qint64 first = phone_->Get(18, 9).size();
  QCOMPARE(steps[1], QStringLiteral("kivnvm: section 2 of 29 (18-10), %1 bytes").arg(first));
  QVERIFY(steps[28].startsWith("kivnvm: section 29 of 29 (2-18), "));

  phone_->Remove(18, 9);
  run = kivnvm_.Run({"restore", "--progress", "--only", "18-9,18-10", Path("shown")});
  QCOMPARE(run.ExitCode, 0);
  QVERIFY2(
      run.Err.contains("kivnvm: section 1 of 2 (18-9), 0 bytes\nkivnvm: section 2 of 2 (18-10), " +
                       QString::number(first) + " bytes"),
      qPrintable(run.Err));

  // get and put: the running time of the one long transfer, never a percentage.
  qputenv("GBP_BAUD", "9600");
  phone_->Put(18, 20, QByteArray(1500, 'g'));
  run = kivnvm_.Run({"get", "18-20", Path("got")});
  QVERIFY2(!run.Err.contains("reading"), qPrintable(run.Err));
  run = kivnvm_.Run({"get", "--progress", "18-20", Path("got")});
  QVERIFY2(run.Err.contains("kivnvm: reading 18-20\nkivnvm: reading 18-20: 1 s\n"),
           qPrintable(run.Err));
  QVERIFY2(run.Err.contains(QRegularExpression("kivnvm: read 18-20: 1500 bytes in 1\\.\\d s\n")),
           qPrintable(run.Err));
  run = kivnvm_.Run({"put", "--progress", "18-21", Path("got")});
  QCOMPARE(run.ExitCode, 0);
  QVERIFY2(run.Err.contains("kivnvm: writing 18-21\n"), qPrintable(run.Err));
  QVERIFY2(run.Err.contains("kivnvm: wrote and checked 18-21: 1500 bytes in "),
           qPrintable(run.Err));
  qunsetenv("GBP_BAUD");
}

void TestKivnvmPhone::restoreRefusesATamperedBackup_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<QString>("message");
  QTest::addColumn<QByteArray>("entry");  // put into the manifest when given
  const QByteArray big(3000, 'b');
  QTest::newRow("section outside the backup")
      << "" << QByteArray() << "Section 0-0 is not one a backup holds"
      << QByteArray(R"({"address": "0-0", "empty": true})");
  QTest::newRow("stored outside the backup")
      << "5-5" << QByteArray("abc") << "Section 5-5 is not one a backup holds"
      << R"({"address": "5-5", "size": 3, "sha256": ")" + Sha256Hex("abc") + "\"}";
  QTest::newRow("more than the small slot takes")
      << "2-10" << big << "Section 2-10 holds 3000 bytes in the backup, more than its slot "
      << R"({"address": "2-10", "size": 3000, "sha256": ")" + Sha256Hex(big) + "\"}";
  QTest::newRow("empty with a hash")
      << "" << QByteArray() << "section 18-16 is both empty and stored"
      << R"({"address": "18-16", "empty": true, "size": 0, "sha256": ")" + Sha256Hex("") + "\"}";
  QTest::newRow("listed twice") << "" << QByteArray() << "section 18-9 is listed twice"
                                << QByteArray(R"({"address": "18-09", "empty": true})");
  QTest::newRow("changed byte") << "18-13" << QByteArray() << "does not match its SHA-256"
                                << QByteArray();
  QTest::newRow("file gone") << "2-16" << QByteArray("-") << "Cannot open file" << QByteArray();
  QTest::newRow("manifest damaged")
      << "manifest.json" << QByteArray("{\"sections\": [{\"address\": \"18-300\"}]}")
      << "manifest is damaged" << QByteArray();
  QTest::newRow("manifest not JSON")
      << "manifest.json" << QByteArray("not json") << "manifest is damaged" << QByteArray();
  QTest::newRow("linked file") << "18-13" << QByteArray("@") << "18-13 is a symbolic link"
                               << QByteArray();
}

void TestKivnvmPhone::restoreRefusesATamperedBackup() {
  QFETCH(QString, file);
  QFETCH(QByteArray, content);
  QFETCH(QString, message);
  QFETCH(QByteArray, entry);
  BackUpDemoPhone();
  const QString path = Path("backup/" + file);
  if (!entry.isEmpty()) {
    PutManifestEntry(Path("backup/manifest.json"), entry);
    if (!file.isEmpty())
      WriteFileBytes(path, content);
  } else if (content == "@") {
    // A link to a file outside the folder with the very bytes the manifest expects.
    QFile::rename(path, Path("outside"));
    QVERIFY(QFile::link(Path("outside"), path));
  } else if (content.isEmpty()) {
    QByteArray bytes = ReadFileBytes(path);
    bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 1);
    WriteFileBytes(path, bytes);
  } else if (content == "-") {
    QFile::remove(path);
  } else {
    WriteFileBytes(path, content);
  }
  phone_->Remove(18, 9);  // a section the restore would otherwise write
  const TKivnvmRun run = kivnvm_.Run({"restore", Path("backup")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY2(run.Err.contains(message), qPrintable(run.Err));
  QCOMPARE(phone_->Calls("WriteNVMFile"), 0);
  QCOMPARE(phone_->Calls("ClearNVMFile"), 0);
  QVERIFY(!phone_->Holds(18, 9));
}

void TestKivnvmPhone::restoreSaysWhatThePhoneAnswered_data() {
  QTest::addColumn<QString>("fault");
  QTest::addColumn<QString>("answer");
  QTest::newRow("refused") << "write 18-9=-6"
                           << "the phone refused the write (GBP Error: No Memory!)";
  QTest::newRow("not taken") << "write 18-9=truncate 0"
                             << "the phone did not take the section (out of memory or refused)";
  QTest::newRow("truncated") << "write 18-9=truncate 100"
                             << "the phone holds 100 of the 3200 bytes written: the section now "
                                "holds neither the old nor the new content";
}

// A failed section is named with the phone's answer and the restore goes on with the rest.
void TestKivnvmPhone::restoreSaysWhatThePhoneAnswered() {
  QFETCH(QString, fault);
  QFETCH(QString, answer);
  BackUpDemoPhone();
  for (int subsection : {9, 10, 11})
    phone_->Remove(18, subsection);
  phone_->SetFaults(fault + "; write 18-11=-5");
  const TKivnvmRun run = kivnvm_.Run({"restore", Path("backup")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY2(run.Err.contains("Section 18-9 not restored: " + answer), qPrintable(run.Err));
  QVERIFY(run.Err.contains(
      "Section 18-11 not restored: the phone refused the write (GBP Error: COMM Error!)"));
  QVERIFY(run.Err.contains("2 failed"));
  QVERIFY(!run.Out.contains("wrote 18-9"));
  QVERIFY(run.Out.contains("wrote 18-10 (2400 bytes)"));
  QCOMPARE(phone_->Get(18, 10), ReadFileBytes(Path("backup/18-10")));
}

// Killed half-way, a backup leaves nothing at the target that a restore would take.
void TestKivnvmPhone::killedBackupLeavesNoManifest() {
  MakeDemoPhone();
  qputenv("GBP_BAUD", "19200");
  QProcess backup;
  backup.start(QDir(kivnvm_.Dir()).filePath("kivnvm"), {"backup", Path("target")});
  QVERIFY(backup.waitForStarted());
  const auto sectionsWritten = [this] {
    const QStringList partial =
        work_->path().isEmpty()
            ? QStringList()
            : QDir(work_->path()).entryList({".target.partial-*"}, QDir::Dirs | QDir::Hidden);
    return !partial.isEmpty() && QDir(Path(partial[0])).entryList(QDir::Files).size() >= 2;
  };
  QTRY_VERIFY_WITH_TIMEOUT(sectionsWritten(), 20000);
  backup.kill();
  backup.waitForFinished();
  qunsetenv("GBP_BAUD");
  QVERIFY(!QFile::exists(Path("target/manifest.json")));
  QVERIFY(!QFile::exists(Path("target")));
  const TKivnvmRun restore = kivnvm_.Run({"restore", Path("target")});
  QCOMPARE(restore.ExitCode, 1);
  QCOMPARE(phone_->Calls("WriteNVMFile") + phone_->Calls("ClearNVMFile"), 0);
}

void TestKivnvmPhone::restoreDryRunWritesNothing() {
  BackUpDemoPhone();
  phone_->Remove(18, 9);
  phone_->Put(18, 10, "changed");
  phone_->Put(18, 16, "stray");
  const QMap<QString, QByteArray> before = PortContent(phone_->PortDir());
  const TKivnvmRun run = kivnvm_.Run({"restore", "--dry-run", Path("backup")});
  QCOMPARE(run.ExitCode, 0);
  QCOMPARE(run.OutLines(), QStringList({"would clear 18-16", "would write 18-9 (3200 bytes)",
                                        "would write 18-10 (2400 bytes)"}));
  QCOMPARE(phone_->Calls("WriteNVMFile"), 0);
  QCOMPARE(phone_->Calls("ClearNVMFile"), 0);
  QCOMPARE(PortContent(phone_->PortDir()), before);
}

void TestKivnvmPhone::restoreOnlySomeSections() {
  BackUpDemoPhone();
  phone_->Remove(18, 9);
  phone_->Remove(2, 10);
  phone_->Remove(2, 18);
  TKivnvmRun run = kivnvm_.Run({"restore", "--only", "18-09,02-10", Path("backup")});
  QCOMPARE(run.ExitCode, 0);
  QVERIFY(phone_->Holds(18, 9));
  QVERIFY(phone_->Holds(2, 10));
  QVERIFY(!phone_->Holds(2, 18));
  QCOMPARE(phone_->Calls("WriteNVMFile"), 2);

  run = kivnvm_.Run({"restore", "--only", "18-30", Path("backup")});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY(run.Err.contains("Section 18-30 is not in the backup"));
}

QTEST_MAIN(TestKivnvmPhone)
#include "test_kivnvm_phone.moc"
