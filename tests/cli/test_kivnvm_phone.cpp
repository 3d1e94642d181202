// kivnvm's phone commands against the virtual phone and its faults: list, get, put and
// clear, the link's opening and closing, and the settings they start from.

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>
#include <cerrno>

#include "catalogue/classify.h"
#include "catalogue/gridtext.h"
#include "catalogue/slotmap.h"
#include "common/bytes.h"
#include "tests/cli/kivnvmphonetest.h"
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

int Count(const QStringList& journal, const QString& function) {
  int count = 0;
  for (const QString& line : journal)
    count += line.startsWith(function) ? 1 : 0;
  return count;
}

}  // namespace

class TestKivnvmPhone : public TKivnvmPhoneTest {
  Q_OBJECT
 private Q_SLOTS:
  void listMatchesTheCatalogue();
  void listSizesOnlyMakesNoReads();
  void listFailureEndsItsRange_data();
  void listFailureEndsItsRange();
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
};

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
  // Without the reads nothing tells a program's format: the FW column stays empty.
  QCOMPARE(rows[0].toObject()["label"].toString(), QString());
  QCOMPARE(rows[7].toObject()["caption"].toString(), QStringLiteral("< Empty >"));
  QCOMPARE(phone_->Calls("GetNVMFileSize"), 26);
  QCOMPARE(phone_->Calls("ReadNVMFile"), 0);
  QVERIFY(kivnvm_.Run({"list", "--sizes-only"}).OutLines()[0].endsWith(" 3200"));
}

void TestKivnvmPhone::listFailureEndsItsRange_data() {
  QTest::addColumn<QString>("fault");
  QTest::addColumn<QString>("error");
  QTest::addColumn<QString>("caption");
  QTest::newRow("size fails") << "size 18-11=-7"
                              << "Error getting section 18-11 size"
                              << "(Error getting section 18-11 size)";
  // Fewer bytes than asked for are never recognised: no bytes at all were a ringer.
  QTest::newRow("no bytes read") << "read 18-11=0"
                                 << "Error reading section 18-11"
                                 << "(not read)";
  QTest::newRow("fewer bytes read") << "read 18-11=claim 100"
                                    << "Error reading section 18-11"
                                    << "(not read)";
}

void TestKivnvmPhone::listFailureEndsItsRange() {
  QFETCH(QString, fault);
  QFETCH(QString, error);
  QFETCH(QString, caption);
  MakeDemoPhone();
  phone_->SetFaults(fault);
  QVERIFY(kivnvm_.Run({"list"}).OutLines()[2].startsWith(" 3 18-11  " + caption));
  phone_->ClearJournal();
  const TKivnvmRun run = kivnvm_.Run({"list", "--json"});
  QCOMPARE(run.ExitCode, 1);
  QVERIFY(run.Err.contains(error));
  const QJsonArray rows = QJsonDocument::fromJson(run.Out.toUtf8()).array();
  QCOMPARE(rows.size(), 26);
  QCOMPARE(rows[1].toObject()["caption"].toString(), QStringLiteral("Notes"));
  QCOMPARE(rows[2].toObject()["error"].toString(), error);
  QCOMPARE(rows[3].toObject()["error"].toString(), QStringLiteral("not read"));
  QCOMPARE(rows[3].toObject()["caption"].toString(), QStringLiteral("(not read)"));
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
  // A port that is missing gives the system's reason on a line of its own.
  QTest::newRow("no phone on the port")
      << QStringList{"list", "--port", "COM2"} << ""
      << "GBP Error: Can't open port! (COM2, from --port)\nkivnvm: COM2: " +
             qt_error_string(ENOENT);
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
  // The manager's text, then the file tried and the system's reason on a line of its own.
  const QStringList lines = unusable.Err.trimmed().split('\n');
  QCOMPARE(lines.size(), 2);
  QCOMPARE(lines[0], QStringLiteral("kivnvm: Unable to open GPB.DLL"));
  QVERIFY2(lines[1].contains("libgbp.so") && lines[1].contains("No such file"),
           qPrintable(lines[1]));
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
                                  configured.Dir() +
                                  "/KivManager.INI)\nkivnvm: COM4: " + qt_error_string(ENOENT));
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
      {QStringLiteral("read 2-18=claim 99999"),
       QStringLiteral("Error reading section 2-18: the phone claimed 99999 bytes read, but only "
                      "10 can be there")},
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
  const std::optional<TSectionAddress> target = ParseSectionAddress(address);
  QVERIFY(target);
  QCOMPARE(phone_->Get(target->Section, target->SubSection), stored);
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
  // A copy is kept for the history first, and what the clear left is read back at the end.
  QCOMPARE(phone_->Journal(),
           QStringList({"InitGBPMode(1) = 0", "GetNVMFileSize(18,12) = 9",
                        "ReadNVMFile(18,12,65536) = 9", "ClearNVMFile(18,12) = 0",
                        "GetNVMFileSize(18,12) = -153", "GetNVMFileSize(18,12) = -153",
                        "EndGBPMode() = 0"}));

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

QTEST_MAIN(TestKivnvmPhone)
#include "test_kivnvm_phone.moc"
