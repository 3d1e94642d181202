// Download, GIF preview and clear against the virtual phone.

#include <QDesktopServices>
#include <QFileInfo>
#include <QtTest>

#include "tests/support/windowtest.h"

// Stands in for the desktop's viewer: records what the manager asked it to open.
class TViewerRecorder : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> Opened;
 public Q_SLOTS:
  void Open(const QUrl& url) { Opened << url; }
};

class TestDownload : public TWindowTest {
  Q_OBJECT
 private:
  TViewerRecorder viewer;

 private Q_SLOTS:
  void initTestCase() { QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "Open"); }
  void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
  void init() {
    TWindowTest::init();
    viewer.Opened.clear();
  }

  void downloadSavesTheSection_data();
  void downloadSavesTheSection();
  void downloadReplacesAnExistingFile();
  void cancelledSaveStillDownloads();
  void unwritableTargetEndsWithTheErrorBox();
  void readFailureNamesTheSection_data();
  void readFailureNamesTheSection();
  void previewCopiesAtMostTheGIFBuffer();
  void previewOverwritesThePreviousOne();
  void clearEmptiesTheSectionAndItsRow();
  void linkFailureKeepsTheWorkingText_data();
  void linkFailureKeepsTheWorkingText();
};

void TestDownload::downloadSavesTheSection_data() {
  QTest::addColumn<QByteArray>("section");
  QTest::addColumn<QString>("suggested");  // the save dialog's name, as kivnvm get --all names it
  QTest::newRow("empty section") << QByteArray() << "18-9.bin";
  QTest::newRow("3,000 bytes") << PlainData(3000) << "18-9.bin";
  QTest::newRow("a full big slot") << PlainData(65536) << "18-9.bin";
  QTest::newRow("a program") << Program(3000, "Calc") << "18-9 Calc.prg";
}

void TestDownload::downloadSavesTheSection() {
  QFETCH(QByteArray, section);
  QFETCH(QString, suggested);
  fixture_->Phone.Put(18, 9, section);
  fixture_->Modal.SaveFileNames.enqueue(fixture_->FilePath(QStringLiteral("saved.bin")));
  fixture_->Run(&TForm1::DownloadActionExecute);
  QVERIFY(QFileInfo::exists(fixture_->FilePath(QStringLiteral("saved.bin"))));
  QCOMPARE(fixture_->FileBytes(QStringLiteral("saved.bin")), section);
  QCOMPARE(fixture_->Modal.SuggestedNames, QStringList{suggested});
  QCOMPARE(fixture_->Status(), QStringLiteral("Downloaded!"));
  QVERIFY(fixture_->Modal.Shown.isEmpty());
  // The link is closed before the save dialog is shown.
  QCOMPARE(fixture_->Phone.Journal().last(), QStringLiteral("EndGBPMode() = 0"));
}

void TestDownload::downloadReplacesAnExistingFile() {
  fixture_->Phone.Put(18, 9, "new");
  const QString target = fixture_->PutFile(QStringLiteral("saved.bin"), PlainData(500));
  fixture_->Modal.SaveFileNames.enqueue(target);
  fixture_->Run(&TForm1::DownloadActionExecute);
  QCOMPARE(fixture_->FileBytes(QStringLiteral("saved.bin")), QByteArray("new"));
}

void TestDownload::cancelledSaveStillDownloads() {
  fixture_->Phone.Put(18, 9, PlainData(100));
  fixture_->Modal.SaveFileNames.enqueue(QString());
  fixture_->Run(&TForm1::DownloadActionExecute);
  QCOMPARE(fixture_->Status(), QStringLiteral("Downloaded!"));
  QCOMPARE(QDir(fixture_->FilePath(QString())).entryList(QDir::Files), QStringList());
}

void TestDownload::unwritableTargetEndsWithTheErrorBox() {
  fixture_->Phone.Put(18, 9, PlainData(100));
  const QString target = fixture_->FilePath(QStringLiteral("no-such-folder/saved.bin"));
  fixture_->Modal.SaveFileNames.enqueue(target);
  fixture_->Run(&TForm1::DownloadActionExecute);
  QCOMPARE(fixture_->LastBox().Kind, TShownBox::Error);
  QCOMPARE(fixture_->LastBox().Text, QStringLiteral("Cannot create file ") + target + '.');
  QCOMPARE(fixture_->Status(), QStringLiteral("Downloading data..."));
}

void TestDownload::readFailureNamesTheSection_data() {
  QTest::addColumn<int>("command");
  QTest::newRow("download") << 0;
  QTest::newRow("preview") << 1;
}

void TestDownload::readFailureNamesTheSection() {
  QFETCH(int, command);
  const TSlotRanges usual = CurrentSlotRanges();
  TSlotRanges ranges = usual;
  ranges.FirstSmall = 9;  // row 22 is then 2-9
  SetCurrentSlotRanges(ranges);
  fixture_->Select(SmallRow);
  fixture_->Phone.Put(2, 9, PlainData(100));
  fixture_->Phone.SetFaults(QStringLiteral("read 2-9=-5"));
  fixture_->Run(command == 0 ? &TForm1::DownloadActionExecute : &TForm1::PlayGIFActionExecute);
  SetCurrentSlotRanges(usual);
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{QStringLiteral("Error reading section 2-9")});
  QCOMPARE(fixture_->LastBox().Caption, QStringLiteral("ERROR"));
  QCOMPARE(fixture_->Status(), QStringLiteral("Downloading data..."));
  QVERIFY(!QFileInfo::exists(fixture_->FilePath(QStringLiteral("temp.gif"))));
  QVERIFY(viewer.Opened.isEmpty());
}

void TestDownload::previewCopiesAtMostTheGIFBuffer() {
  QByteArray gif = "GIF89a" + PlainData(29994);
  fixture_->Phone.Put(18, 9, gif);
  fixture_->Run(&TForm1::PlayGIFActionExecute);
  QCOMPARE(fixture_->FileBytes(QStringLiteral("temp.gif")), gif.left(21504));
  QCOMPARE(fixture_->Status(), QStringLiteral("Downloaded!"));
  const QString expected =
      QFileInfo(fixture_->FilePath(QStringLiteral("temp.gif"))).absoluteFilePath();
  QCOMPARE(viewer.Opened, QList<QUrl>{QUrl::fromLocalFile(expected)});
}

void TestDownload::previewOverwritesThePreviousOne() {
  fixture_->PutFile(QStringLiteral("temp.gif"), PlainData(25000));
  fixture_->Phone.Put(18, 9, "GIF89a-small");
  fixture_->Run(&TForm1::PlayGIFActionExecute);
  QCOMPARE(fixture_->FileBytes(QStringLiteral("temp.gif")), QByteArray("GIF89a-small"));
}

void TestDownload::clearEmptiesTheSectionAndItsRow() {
  fixture_->Phone.Put(18, 9, PlainData(3000));
  Slots()[BigRow].Kind = skOther;
  Slots()[BigRow].Size = 3000;
  fixture_->Run(&TForm1::ClearActionExecute);
  QVERIFY(!fixture_->Phone.Holds(18, 9));
  QCOMPARE(Slots()[BigRow].Kind, skEmpty);
  QCOMPARE(Slots()[BigRow].Size, 0);
  QCOMPARE(fixture_->Status(), QStringLiteral("Erased!"));
  QVERIFY(fixture_->Modal.Shown.isEmpty());
  QCOMPARE(fixture_->Phone.Journal().last(), QStringLiteral("EndGBPMode() = 0"));
}

void TestDownload::linkFailureKeepsTheWorkingText_data() {
  QTest::addColumn<int>("command");
  QTest::addColumn<QString>("status");
  QTest::newRow("download") << 0 << "Downloading data...";
  QTest::newRow("preview") << 1 << "Downloading data...";
  QTest::newRow("clear") << 2 << "Erasing section...";
}

void TestDownload::linkFailureKeepsTheWorkingText() {
  QFETCH(int, command);
  QFETCH(QString, status);
  void (TForm1::*commands[])() = {&TForm1::DownloadActionExecute, &TForm1::PlayGIFActionExecute,
                                  &TForm1::ClearActionExecute};
  fixture_->Phone.Put(18, 9, PlainData(100));
  fixture_->Phone.SetFaults(QStringLiteral("init=-3"));
  fixture_->Run(commands[command]);
  QCOMPARE(fixture_->Status(), status);
  QCOMPARE(fixture_->Modal.Shown.size(), 1);  // the link's own message
  QVERIFY(fixture_->Phone.Holds(18, 9));
  QCOMPARE(fixture_->Phone.Calls("ReadNVMFile") + fixture_->Phone.Calls("ClearNVMFile"), 0);
}

QTEST_MAIN(TestDownload)
#include "test_download.moc"
