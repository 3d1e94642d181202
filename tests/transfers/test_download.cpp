// Download, GIF preview and clear against the virtual phone.

#include <QDesktopServices>
#include <QFileInfo>
#include <QtTest>

#include "tests/support/managerfixture.h"

// Stands in for the desktop's viewer: records what the manager asked it to open.
class TViewerRecorder : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> Opened;
 public Q_SLOTS:
  void Open(const QUrl& url) { Opened << url; }
};

class TestDownload : public QObject {
  Q_OBJECT
 private:
  std::unique_ptr<TManagerFixture> f;
  TViewerRecorder viewer;

 private Q_SLOTS:
  void initTestCase() { QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "Open"); }
  void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
  void init() {
    f = std::make_unique<TManagerFixture>();
    viewer.Opened.clear();
  }
  void cleanup() {
    QVERIFY2(f->Modal.Unexpected.isEmpty(), qPrintable(f->Modal.Unexpected.join("; ")));
    f.reset();
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
  QTest::newRow("empty section") << QByteArray();
  QTest::newRow("3,000 bytes") << PlainData(3000);
  QTest::newRow("a full big slot") << PlainData(65536);
}

void TestDownload::downloadSavesTheSection() {
  QFETCH(QByteArray, section);
  f->Phone.Put(18, 9, section);
  f->Modal.SaveFileNames.enqueue(f->FilePath(QStringLiteral("saved.bin")));
  f->Run(&TForm1::DownloadActionExecute);
  QVERIFY(QFileInfo::exists(f->FilePath(QStringLiteral("saved.bin"))));
  QCOMPARE(f->FileBytes(QStringLiteral("saved.bin")), section);
  QCOMPARE(f->Status(), QStringLiteral("Downloaded!"));
  QVERIFY(f->Modal.Shown.isEmpty());
  // The link is closed before the save dialog is shown.
  QCOMPARE(f->Phone.Journal().last(), QStringLiteral("EndGBPMode() = 0"));
}

void TestDownload::downloadReplacesAnExistingFile() {
  f->Phone.Put(18, 9, "new");
  const QString target = f->PutFile(QStringLiteral("saved.bin"), PlainData(500));
  f->Modal.SaveFileNames.enqueue(target);
  f->Run(&TForm1::DownloadActionExecute);
  QCOMPARE(f->FileBytes(QStringLiteral("saved.bin")), QByteArray("new"));
}

void TestDownload::cancelledSaveStillDownloads() {
  f->Phone.Put(18, 9, PlainData(100));
  f->Modal.SaveFileNames.enqueue(QString());
  f->Run(&TForm1::DownloadActionExecute);
  QCOMPARE(f->Status(), QStringLiteral("Downloaded!"));
  QCOMPARE(QDir(f->FilePath(QString())).entryList(QDir::Files), QStringList());
}

void TestDownload::unwritableTargetEndsWithTheErrorBox() {
  f->Phone.Put(18, 9, PlainData(100));
  const QString target = f->FilePath(QStringLiteral("no-such-folder/saved.bin"));
  f->Modal.SaveFileNames.enqueue(target);
  f->Run(&TForm1::DownloadActionExecute);
  QCOMPARE(f->LastBox().Kind, TShownBox::Error);
  QCOMPARE(f->LastBox().Text, QStringLiteral("Cannot create file ") + target + '.');
  QCOMPARE(f->Status(), QStringLiteral("Downloading data..."));
}

void TestDownload::readFailureNamesTheSection_data() {
  QTest::addColumn<int>("command");
  QTest::newRow("download") << 0;
  QTest::newRow("preview") << 1;
}

void TestDownload::readFailureNamesTheSection() {
  QFETCH(int, command);
  FirstSmall = 9;  // row 22 is then 2-9
  f->Select(SmallRow);
  f->Phone.Put(2, 9, PlainData(100));
  f->Phone.SetFaults(QStringLiteral("read 2-9=-5"));
  f->Run(command == 0 ? &TForm1::DownloadActionExecute : &TForm1::PlayGIFActionExecute);
  FirstSmall = 10;
  QCOMPARE(f->Modal.ShownTexts(), QStringList{QStringLiteral("Error reading section 2-9")});
  QCOMPARE(f->LastBox().Caption, QStringLiteral("ERROR"));
  QCOMPARE(f->Status(), QStringLiteral("Downloading data..."));
  QVERIFY(!QFileInfo::exists(f->FilePath(QStringLiteral("temp.gif"))));
  QVERIFY(viewer.Opened.isEmpty());
}

void TestDownload::previewCopiesAtMostTheGIFBuffer() {
  QByteArray gif = "GIF89a" + PlainData(29994);
  f->Phone.Put(18, 9, gif);
  f->Run(&TForm1::PlayGIFActionExecute);
  QCOMPARE(f->FileBytes(QStringLiteral("temp.gif")), gif.left(21504));
  QCOMPARE(f->Status(), QStringLiteral("Downloaded!"));
  const QString expected = QFileInfo(f->FilePath(QStringLiteral("temp.gif"))).absoluteFilePath();
  QCOMPARE(viewer.Opened, QList<QUrl>{QUrl::fromLocalFile(expected)});
}

void TestDownload::previewOverwritesThePreviousOne() {
  f->PutFile(QStringLiteral("temp.gif"), PlainData(25000));
  f->Phone.Put(18, 9, "GIF89a-small");
  f->Run(&TForm1::PlayGIFActionExecute);
  QCOMPARE(f->FileBytes(QStringLiteral("temp.gif")), QByteArray("GIF89a-small"));
}

void TestDownload::clearEmptiesTheSectionAndItsRow() {
  f->Phone.Put(18, 9, PlainData(3000));
  Form1->Slots[BigRow].Kind = skOther;
  Form1->Slots[BigRow].Size = 3000;
  f->Run(&TForm1::ClearActionExecute);
  QVERIFY(!f->Phone.Holds(18, 9));
  QCOMPARE(Form1->Slots[BigRow].Kind, skEmpty);
  QCOMPARE(Form1->Slots[BigRow].Size, 0);
  QCOMPARE(f->Status(), QStringLiteral("Erased!"));
  QVERIFY(f->Modal.Shown.isEmpty());
  QCOMPARE(f->Phone.Journal().last(), QStringLiteral("EndGBPMode() = 0"));
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
  f->Phone.Put(18, 9, PlainData(100));
  f->Phone.SetFaults(QStringLiteral("init=-3"));
  f->Run(commands[command]);
  QCOMPARE(f->Status(), status);
  QCOMPARE(f->Modal.Shown.size(), 1);  // the link's own message
  QVERIFY(f->Phone.Holds(18, 9));
  QCOMPARE(f->Phone.Calls("ReadNVMFile") + f->Phone.Calls("ClearNVMFile"), 0);
}

QTEST_MAIN(TestDownload)
#include "test_download.moc"
