// The two extension library uploads against the virtual phone: where the bytes go, what
// the user is asked and told, the size check after the write and the refusals.

#include <QLineEdit>
#include <QtTest>

#include "app/windowface.h"
#include "libraries/ops/libraryupload.h"
#include "link/nvmsection.h"
#include "prefs/ui/prefform.h"
#include "tests/support/windowtest.h"
#include "tests/support/words.h"

namespace {

const QString ErrorCaption = QStringLiteral("ERROR");
const QString WriteErrorText = QStringLiteral(
    "Section uploaded with error or out of memory!\nTry to upload again or free some NVM memory");
const QString TooBigText = QStringLiteral("Can't uplod - library file too big!");

QString SuccessText(int size) {
  return QStringLiteral("Section uploaded sucsessfully! Size: %1 bytes").arg(size);
}

QByteArray ValueText(int lines) {
  QByteArray text("RELEASE=1\r\n");
  for (int i = 1; i < lines; ++i)
    text += QByteArray::number(i, 16) + " ; word\r\n";
  return text;
}

}  // namespace

class TestLibraryUpload : public TWindowTest {
  Q_OBJECT
 private:
  void UploadUFIF2(const QByteArray& library) {
    fixture_->Modal.ConfirmAnswers.enqueue(true);
    fixture_->PickFile(library);
    fixture_->Run(&TForm1::Button5Click);
  }
  void UploadPRG3(const QByteArray& text) {
    fixture_->PickFile(text);
    fixture_->Run(&TForm1::Button6Click);
  }

 private Q_SLOTS:

  void sizeCheckTellsTheOutcome_data();
  void sizeCheckTellsTheOutcome();
  void sizeCheckLeavesTheLinkOpen();
  void libraryGoesWhereThePhoneSays_data();
  void libraryGoesWhereThePhoneSays();
  void libraryTooBigIsRefused();
  void cancellingWritesNothing_data();
  void cancellingWritesNothing();
  void unreadablePreferencesAskNothing_data();
  void unreadablePreferencesAskNothing();
  void unreadableFileWritesNothing();
  void linkFailureStopsBeforeWriting();
  void prg3TextBecomesItsImage_data();
  void prg3TextBecomesItsImage();
  void prg3LimitIs512Words();
  void prg3BadReleaseWritesNothing();
  void prg3CancelledWritesNothing();
};

// Every outcome goes through the UFIF2 upload into 2-17 (the phone holds no preferences).
void TestLibraryUpload::sizeCheckTellsTheOutcome_data() {
  QTest::addColumn<int>("size");
  QTest::addColumn<QString>("faults");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("caption");
  QTest::newRow("largest library") << 21504 << "" << SuccessText(21504) << "OK!";
  QTest::newRow("empty file, phone reports 0") << 0 << "" << SuccessText(0) << "OK!";
  QTest::newRow("empty file, phone reports -153")
      << 0 << "size 2-17=-153" << WriteErrorText << ErrorCaption;
  QTest::newRow("empty file, phone reports -5")
      << 0 << "size 2-17=-5" << WriteErrorText << ErrorCaption;
  QTest::newRow("part stored") << 3000 << "write 2-17=truncate 2999" << WriteErrorText
                               << ErrorCaption;
  QTest::newRow("nothing stored") << 3000 << "write 2-17=-6" << WriteErrorText << ErrorCaption;
  QTest::newRow("size failure") << 3000 << "size 2-17=-7" << WriteErrorText << ErrorCaption;
}

void TestLibraryUpload::sizeCheckTellsTheOutcome() {
  QFETCH(int, size);
  QFETCH(QString, faults);
  QFETCH(QString, text);
  QFETCH(QString, caption);
  fixture_->Phone.SetFaults(faults);
  UploadUFIF2(NumberedBytes(size));
  QCOMPARE(fixture_->Writes().size(), 1);
  QVERIFY(fixture_->Writes().first().startsWith(QStringLiteral("WriteNVMFile(2,17,%1)").arg(size)));
  QCOMPARE(fixture_->Modal.Shown.last().Text, text);
  QCOMPARE(fixture_->Modal.Shown.last().Caption, caption);
  // "Uploaded!" whatever the check found; the link is closed and the grid not refreshed.
  QCOMPARE(fixture_->Status(), QStringLiteral("Uploaded!"));
  QCOMPARE(fixture_->Phone.Journal().last(), QStringLiteral("EndGBPMode() = 0"));
  QCOMPARE(fixture_->Phone.Calls("ReadNVMFile"), 1);
  QVERIFY(!Window().Link().LinkOpen());
  if (faults.isEmpty())
    QCOMPARE(fixture_->Phone.Get(2, 17), NumberedBytes(size));
}

void TestLibraryUpload::sizeCheckLeavesTheLinkOpen() {
  fixture_->Phone.Put(2, 17, NumberedBytes(100));
  TWindowFace face(Window(), Window(), Window().Dialogs());
  const TSectionAddress library{2, 17};
  QVERIFY(Window().Link().InitGBP());
  const TVerifyResult whole = VerifyWrite(Window().Link(), library, 100, face);
  QCOMPARE(whole.State, TVerifyResult::Whole);
  QCOMPARE(whole.Size, 100);
  const TVerifyResult wrong = VerifyWrite(Window().Link(), library, 99, face);
  QCOMPARE(wrong.State, TVerifyResult::WrongSize);
  QCOMPARE(wrong.Size, 100);
  QVERIFY(Window().Link().LinkOpen());
  QCOMPARE(fixture_->Phone.Calls("EndGBPMode"), 0);
  QCOMPARE(fixture_->Phone.Calls("InitGBPMode"), 1);
  QCOMPARE(fixture_->Status(), QStringLiteral("Checking data..."));
  QCOMPARE(fixture_->Modal.ShownTexts(), (QStringList{SuccessText(100), WriteErrorText}));

  // A link that cannot open says so, with the link's message only.
  Window().Link().EndGBP();
  fixture_->Phone.SetFaults("init=-3");
  fixture_->Modal.Clear();
  QCOMPARE(VerifyWrite(Window().Link(), library, 100, face).State, TVerifyResult::NoLink);
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{QStringLiteral("GBP Error: No AT response!")});
}

void TestLibraryUpload::libraryGoesWhereThePhoneSays_data() {
  QTest::addColumn<QByteArray>("record");
  QTest::addColumn<QString>("question");
  QTest::addColumn<int>("section");
  QTest::addColumn<int>("subsection");
  QTest::newRow("no record") << QByteArray() << "2-17" << 2 << 17;
  QTest::newRow("no library location")
      << PrefRecord({3, 0, 40, 0, 0, 0, 0, 0}) << "2-17" << 2 << 17;
  QTest::newRow("location named") << PrefRecord({3, 0, 20, 2, 0, 0, 0, 0}) << "2-20" << 2 << 20;
  QTest::newRow("short record") << PrefRecord({3, 0, 11, 18}) << "18-11" << 18 << 11;
}

void TestLibraryUpload::libraryGoesWhereThePhoneSays() {
  QFETCH(QByteArray, record);
  QFETCH(QString, question);
  QFETCH(int, section);
  QFETCH(int, subsection);
  if (!record.isNull())
    fixture_->Phone.Put(2, 18, record);
  // Values left in the dialog must not steer the upload: the phone is read again.
  Control<QLineEdit>(Pref(), "sEdit")->setText("5");
  UploadUFIF2(NumberedBytes(21504));
  QCOMPARE(fixture_->Modal.Shown.first().Kind, TShownBox::Confirmation);
  QCOMPARE(fixture_->Modal.Shown.first().Text,
           QStringLiteral("Are you sure to upload library into section %1?").arg(question));
  QCOMPARE(fixture_->Phone.Get(section, subsection), NumberedBytes(21504));
  QCOMPARE(fixture_->Writes().size(), 1);
  QCOMPARE(fixture_->Phone.Get(2, 18), record);
}

void TestLibraryUpload::libraryTooBigIsRefused() {
  UploadUFIF2(NumberedBytes(21505));
  QCOMPARE(fixture_->Modal.Shown.last().Text, TooBigText);
  QCOMPARE(fixture_->Modal.Shown.last().Caption, ErrorCaption);
  QVERIFY(fixture_->Writes().isEmpty());
  QVERIFY(!fixture_->Phone.Holds(2, 17));
  QCOMPARE(fixture_->Status(), QStringLiteral("Uploading data..."));
}

void TestLibraryUpload::cancellingWritesNothing_data() {
  QTest::addColumn<bool>("confirm");
  QTest::newRow("question") << false;
  QTest::newRow("file dialog") << true;
}

void TestLibraryUpload::cancellingWritesNothing() {
  QFETCH(bool, confirm);
  const QByteArray record = PrefRecord({3, 0, 20, 2, 9, 18, 0, 0});
  fixture_->Phone.Put(2, 18, record);
  Window().SetStatusText("before");
  fixture_->Modal.ConfirmAnswers.enqueue(confirm);
  if (confirm)
    fixture_->Modal.OpenFileNames.enqueue(QString());
  fixture_->Run(&TForm1::Button5Click);
  QVERIFY(fixture_->Writes().isEmpty());
  QCOMPARE(fixture_->Phone.Get(2, 18), record);
  QCOMPARE(fixture_->Modal.Shown.size(), 1);
  QCOMPARE(fixture_->Status(), QStringLiteral("before"));
}

void TestLibraryUpload::unreadablePreferencesAskNothing_data() {
  QTest::addColumn<QString>("faults");
  QTest::addColumn<QString>("message");
  QTest::newRow("no phone") << "init=-3"
                            << "GBP Error: No AT response!";
  QTest::newRow("read error") << "read 2-18=-5"
                              << "Error reading section 2-18";
}

void TestLibraryUpload::unreadablePreferencesAskNothing() {
  QFETCH(QString, faults);
  QFETCH(QString, message);
  fixture_->Phone.SetFaults(faults);
  fixture_->Run(&TForm1::Button5Click);
  QCOMPARE(fixture_->Modal.ShownTexts(),
           (QStringList{message, QStringLiteral("'' is not a valid integer value.")}));
  QCOMPARE(fixture_->Modal.Shown.last().Kind, TShownBox::Error);
  QVERIFY(fixture_->Writes().isEmpty());
}

void TestLibraryUpload::unreadableFileWritesNothing() {
  const QString missing = QDir::temp().filePath(QStringLiteral("no-such-library-file"));
  fixture_->Modal.ConfirmAnswers.enqueue(true);
  fixture_->Modal.OpenFileNames.enqueue(missing);
  fixture_->Run(&TForm1::Button5Click);
  QCOMPARE(fixture_->Modal.Shown.last().Text, QStringLiteral("Cannot open file %1.").arg(missing));
  QCOMPARE(fixture_->Modal.Shown.last().Kind, TShownBox::Error);
  QVERIFY(fixture_->Writes().isEmpty());
  QCOMPARE(fixture_->Status(), QStringLiteral("Uploading data..."));

  fixture_->Modal.OpenFileNames.enqueue(missing);
  fixture_->Run(&TForm1::Button6Click);
  QCOMPARE(fixture_->Modal.Shown.last().Text, QStringLiteral("Cannot open file %1.").arg(missing));
  QVERIFY(fixture_->Writes().isEmpty());
}

void TestLibraryUpload::linkFailureStopsBeforeWriting() {
  fixture_->Phone.SetFaults("init=-2");
  UploadPRG3("RELEASE=3\n10 x\n");
  QCOMPARE(fixture_->Modal.ShownTexts(),
           QStringList{QStringLiteral("GBP Error: Can't open port!")});
  QVERIFY(fixture_->Writes().isEmpty());
  QCOMPARE(fixture_->Status(), QStringLiteral("Uploading data..."));
}

void TestLibraryUpload::prg3TextBecomesItsImage_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QByteArray>("image");
  QTest::newRow("three lines, CR LF")
      << QByteArray("RELEASE=3\r\n10 first\r\nABCD second\r\n") << Words({3, 0x10, 0xABCD});
  QTest::newRow("CR and LF, no last break")
      << QByteArray("RELEASE=12\r1F a\n0x10 b\r\n-5 c\nZZ d\n10\n\nA=1 RELEASE=3")
      << Words({1, 31, 16, 4294967291u, 1});
  QTest::newRow("two release lines in place")
      << QByteArray("7 a\nRELEASE=2\n8 b\nRELEASE=4\n") << Words({7, 2, 8, 4});
  QTest::newRow("nothing contributes") << QByteArray("; comment\n\n10\n") << QByteArray();
}

void TestLibraryUpload::prg3TextBecomesItsImage() {
  QFETCH(QByteArray, text);
  QFETCH(QByteArray, image);
  UploadPRG3(text);
  QCOMPARE(fixture_->Phone.Get(2, 16), image);
  const QString size = QString::number(image.size());
  QCOMPARE(fixture_->Phone.Journal(),
           (QStringList{"InitGBPMode(1) = 0", "WriteNVMFile(2,16," + size + ") = 0",
                        "GetNVMFileSize(2,16) = " + size, "EndGBPMode() = 0"}));
  QCOMPARE(fixture_->Modal.Shown.size(), 1);
  QCOMPARE(fixture_->Modal.Shown.last().Text, SuccessText(image.size()));
  QCOMPARE(fixture_->Modal.Shown.last().Caption, QStringLiteral("OK!"));
  QCOMPARE(fixture_->Status(), QStringLiteral("Uploaded!"));
}

void TestLibraryUpload::prg3LimitIs512Words() {
  UploadPRG3(ValueText(512) + "no value line\n");
  QCOMPARE(fixture_->Phone.Get(2, 16).size(), 2048);
  QCOMPARE(fixture_->Phone.Get(2, 16).left(8), Words({1, 1}));
  QCOMPARE(fixture_->Modal.Shown.last().Text, SuccessText(2048));

  fixture_->Phone.Remove(2, 16);
  fixture_->Phone.ClearJournal();
  UploadPRG3(ValueText(513));
  QCOMPARE(fixture_->Modal.Shown.last().Text, TooBigText);
  QCOMPARE(fixture_->Modal.Shown.last().Caption, ErrorCaption);
  QVERIFY(fixture_->Phone.Journal().isEmpty());
  QVERIFY(!fixture_->Phone.Holds(2, 16));
  QCOMPARE(fixture_->Status(), QStringLiteral("Uploading data..."));
}

void TestLibraryUpload::prg3BadReleaseWritesNothing() {
  fixture_->Phone.Put(2, 16, Words({3, 1}));
  UploadPRG3("RELEASE=3\n10 a\nRELEASE=\n20 b\n");
  QCOMPARE(fixture_->Modal.ShownTexts(),
           QStringList{QStringLiteral("'' is not a valid integer value.")});
  QCOMPARE(fixture_->Modal.Shown.last().Kind, TShownBox::Error);
  QVERIFY(fixture_->Phone.Journal().isEmpty());
  QCOMPARE(fixture_->Phone.Get(2, 16), Words({3, 1}));
  QCOMPARE(fixture_->Status(), QStringLiteral("Uploading data..."));
}

void TestLibraryUpload::prg3CancelledWritesNothing() {
  Window().SetStatusText("before");
  fixture_->Modal.OpenFileNames.enqueue(QString());
  fixture_->Run(&TForm1::Button6Click);
  QVERIFY(fixture_->Phone.Journal().isEmpty());
  QVERIFY(fixture_->Modal.Shown.isEmpty());
  QCOMPARE(fixture_->Status(), QStringLiteral("before"));
}

QTEST_MAIN(TestLibraryUpload)
#include "test_libraryupload.moc"
