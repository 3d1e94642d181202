// Uploads, plain and compressed, against the virtual phone: what the phone holds afterwards,
// what the user was asked and told, and the status line.

#include <QComboBox>
#include <QSettings>
#include <QtTest>

#include "app/menurules.h"
#include "catalogue/gridtext.h"
#include "common/bytes.h"
#include "settings/ui/expertsform.h"
#include "tests/support/windowtest.h"
#include "ufif/lzocontainer.h"
#include "ufif/ui/iconform.h"
#include "ufif/ui/okbottomdlg.h"

namespace {

const QString UploadedText = QStringLiteral("Section uploaded sucsessfully!");
const QString UploadErrorText = QStringLiteral(
    "Section uploaded with error or out of memory!\nTry to upload again or free some NVM memory");
const QString TooBigText = QStringLiteral("Can't uplod - file too big!");
const QByteArray Filler("\xC0\x46", 2);

TScriptedModal::TDialogScript Answer(int result) {
  return [result](QDialog*) { return result; };
}

TScriptedModal::TDialogScript PickIcon(const QString& caption) {
  return [caption](QDialog* dialog) {
    QComboBox* items = Control<QComboBox>(*dialog, "ComboBoxEx1");
    items->setCurrentIndex(items->findText(caption));
    return int(mrOk);
  };
}

}  // namespace

class TestUpload : public TWindowTest {
  Q_OBJECT
 private:
  void Upload(const QByteArray& bytes, int row = BigRow) {
    fixture_->Select(row);
    fixture_->Modal.OpenFileNames.enqueue(fixture_->PutFile(QStringLiteral("upload.bin"), bytes));
    fixture_->Run(&TForm1::UploadActionExecute);
  }
  void UploadLZO(const QByteArray& bytes, int row = BigRow) {
    fixture_->Select(row);
    fixture_->Modal.OpenFileNames.enqueue(fixture_->PutFile(QStringLiteral("upload.bin"), bytes));
    fixture_->Run(&TForm1::UploadLZOActionExecute);
  }

 private Q_SLOTS:

  void writesTheFileWithoutItsFiller_data();
  void writesTheFileWithoutItsFiller();
  void refusesWhatDoesNotFitTheSlot_data();
  void refusesWhatDoesNotFitTheSlot();
  void cancelledDialogChangesNothing();
  void unreadableFileEndsWithTheErrorBox();
  void truncatedWriteIsAnError();
  void emptyFileGivesAnEmptySection();
  void ufif20AnsweredYesIsConverted();
  void ufif20AnsweredNoIsWrittenAsRead();
  void ufif20CancelledWritesNothing_data();
  void ufif20CancelledWritesNothing();
  void otherProgramsAreNotOffered_data();
  void otherProgramsAreNotOffered();
  void firmwarePickedInThePromptIsUsedAndStored();
  void tooBigProgramIsOfferedThenRefused();
  void compressedUploadHoldsTheFile();
  void compressedSizeDecidesOnSmallSlots();
  void iconChoiceIsKeptBetweenUploads();
  void iconDialogOnlyForPlainPrograms();
};

void TestUpload::writesTheFileWithoutItsFiller_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<int>("row");
  QTest::addColumn<int>("written");
  const QByteArray data = PlainData(1000);
  QTest::newRow("no filler") << data << BigRow << 1000;
  QTest::newRow("five filler pairs") << data + Filler.repeated(5) << BigRow << 1000;
  QTest::newRow("odd length, pair at odd offset") << PlainData(999) + Filler << BigRow << 999;
  QTest::newRow("only filler") << Filler.repeated(3) << BigRow << 0;
  QTest::newRow("C0 46 inside stays") << Filler + data << BigRow << 1002;
  QTest::newRow("2,050 bytes trimmed onto a small slot")
      << PlainData(2048) + Filler << SmallRow << 2048;
  QTest::newRow("2,049 bytes on a big slot") << PlainData(2049) << BigRow << 2049;
}

void TestUpload::writesTheFileWithoutItsFiller() {
  QFETCH(QByteArray, file);
  QFETCH(int, row);
  QFETCH(int, written);
  Upload(file, row);
  const TSectionAddress target = Window().CurrentSlotAddress();
  QCOMPARE(fixture_->Phone.Get(target.Section, target.SubSection), file.left(written));
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{UploadedText});
  QCOMPARE(fixture_->LastBox().Caption, QStringLiteral("OK!"));
  QCOMPARE(fixture_->Status(), QStringLiteral("Uploaded!"));
  QCOMPARE(Slots()[row].Size, written);
}

void TestUpload::refusesWhatDoesNotFitTheSlot_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<int>("row");
  QTest::newRow("2,049 bytes on a small slot") << PlainData(2049) << SmallRow;
  QTest::newRow("70,000 bytes on a big slot") << PlainData(70000) << BigRow;
  QTest::newRow("65,537 bytes, filler beyond the buffer") << PlainData(65535) + Filler << BigRow;
}

void TestUpload::refusesWhatDoesNotFitTheSlot() {
  QFETCH(QByteArray, file);
  QFETCH(int, row);
  fixture_->Phone.Put(18, 9, "old");
  fixture_->Phone.Put(2, 10, "old");
  Upload(file, row);
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{TooBigText});
  QCOMPARE(fixture_->LastBox().Caption, QStringLiteral("ERROR"));
  QCOMPARE(fixture_->Phone.Calls("WriteNVMFile"), 0);
  QCOMPARE(fixture_->Phone.Get(18, 9), QByteArray("old"));
  QCOMPARE(fixture_->Phone.Get(2, 10), QByteArray("old"));
  QCOMPARE(fixture_->Status(), QStringLiteral("Uploading data..."));
}

void TestUpload::cancelledDialogChangesNothing() {
  Window().SetStatusText(QStringLiteral("before"));
  fixture_->Modal.OpenFileNames.enqueue(QString());
  fixture_->Run(&TForm1::UploadActionExecute);
  fixture_->Modal.OpenFileNames.enqueue(QString());
  fixture_->Run(&TForm1::UploadLZOActionExecute);
  QCOMPARE(fixture_->Status(), QStringLiteral("before"));
  QVERIFY(fixture_->Modal.Shown.isEmpty());
  QVERIFY(fixture_->Phone.Journal().isEmpty());
}

void TestUpload::unreadableFileEndsWithTheErrorBox() {
  const QString missing = fixture_->FilePath(QStringLiteral("missing.bin"));
  fixture_->Modal.OpenFileNames.enqueue(missing);
  fixture_->Run(&TForm1::UploadActionExecute);
  QCOMPARE(fixture_->LastBox().Kind, TShownBox::Error);
  QCOMPARE(fixture_->LastBox().Text, QStringLiteral("Cannot open file ") + missing + '.');
  QCOMPARE(fixture_->Status(), QStringLiteral("Uploading data..."));
  QVERIFY(fixture_->Phone.Journal().isEmpty());
}

void TestUpload::truncatedWriteIsAnError() {
  fixture_->Phone.SetFaults(QStringLiteral("write 18-9=truncate 100"));
  Upload(PlainData(3000));
  QCOMPARE(fixture_->Phone.Get(18, 9).size(), 100);
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{UploadErrorText});
  QCOMPARE(fixture_->LastBox().Caption, QStringLiteral("ERROR"));
  QCOMPARE(fixture_->Status(), QStringLiteral("Upload error!"));
  QCOMPARE(Slots()[BigRow].Size, 100);
}

void TestUpload::emptyFileGivesAnEmptySection() {
  fixture_->Phone.Put(18, 9, PlainData(50));
  Upload(QByteArray());
  QVERIFY(fixture_->Phone.Journal().contains(QStringLiteral("WriteNVMFile(18,9,0) = 0")));
  QVERIFY(fixture_->Phone.Get(18, 9).isEmpty());
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{UploadedText});
}

void TestUpload::ufif20AnsweredYesIsConverted() {
  fixture_->Modal.DialogScripts.enqueue(Answer(mrYes));
  Upload(UFIFProgram(0x20000000, 3000));
  const QByteArray held = fixture_->Phone.Get(18, 9);
  QCOMPARE(held.size(), 3000);
  QCOMPARE(WordAt(held, 0), 0x20010000u);
  QCOMPARE(WordAt(held, 108), 0x37037Du);  // default firmware 0x370000 - J7/70 3.10/4
  QCOMPARE(WordAt(held, 204), 0x3707C0u);
  QCOMPARE(WordAt(held, 200), 0x820000u);
  QCOMPARE(fixture_->Modal.OpenedDialogs, QStringList{QStringLiteral("OKBottomDlg")});
  QCOMPARE(FormatLabel(Slots()[BigRow].FormatTag), QStringLiteral("UFIF 2.1"));
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{UploadedText});
}

void TestUpload::ufif20AnsweredNoIsWrittenAsRead() {
  const QByteArray program = UFIFProgram(0x20000000, 3000);
  fixture_->Modal.DialogScripts.enqueue(Answer(mrNo));
  Upload(program);
  QCOMPARE(fixture_->Phone.Get(18, 9), program);
  QCOMPARE(Slots()[BigRow].Kind, skProgram);
  QCOMPARE(FormatLabel(Slots()[BigRow].FormatTag), QStringLiteral("UFIF 2"));
  QVERIFY(MenuStateFor(Slots()[BigRow]).Convert);
}

void TestUpload::ufif20CancelledWritesNothing_data() {
  QTest::addColumn<bool>("byTitleBar");
  QTest::newRow("Cancel button") << false;
  QTest::newRow("window closed") << true;
}

void TestUpload::ufif20CancelledWritesNothing() {
  QFETCH(bool, byTitleBar);
  fixture_->Modal.DialogScripts.enqueue([byTitleBar](QDialog* dialog) {
    if (!byTitleBar)
      return int(mrCancel);
    dialog->close();
    return dialog->result();
  });
  Upload(UFIFProgram(0x20000000, 3000));
  QVERIFY(fixture_->Phone.Journal().isEmpty());
  QVERIFY(fixture_->Modal.Shown.isEmpty());
  QCOMPARE(fixture_->Status(), QStringLiteral("Uploading data..."));
}

void TestUpload::otherProgramsAreNotOffered_data() {
  QTest::addColumn<quint32>("tag");
  QTest::newRow("UFIF 2 build 1") << 0x20000001u;
  QTest::newRow("UFIF 2.1") << 0x20010000u;
  QTest::newRow("firmware 3.10/4") << 0x20031004u;
}

void TestUpload::otherProgramsAreNotOffered() {
  QFETCH(quint32, tag);
  const QByteArray program = UFIFProgram(tag, 3000);
  Upload(program);
  QVERIFY(fixture_->Modal.OpenedDialogs.isEmpty());
  QCOMPARE(fixture_->Phone.Get(18, 9), program);
}

void TestUpload::firmwarePickedInThePromptIsUsedAndStored() {
  QPoint shownAt;
  QObject* shownOn = nullptr;
  fixture_->Modal.DialogScripts.enqueue([&](QDialog*) {
    QComboBox* field = Experts().FirmwareField();
    shownOn = field->parentWidget();
    shownAt = field->pos();
    field->setCurrentIndex(6);  // 0x37BDD8 - Z7 4.5.6/4
    return int(mrYes);
  });
  Upload(UFIFProgram(0x20000000, 3000));
  QCOMPARE(shownOn, static_cast<QObject*>(&OKBottom()));
  if (!kWindowsBuild)  // where the designed places hold
    QCOMPARE(shownAt, QPoint(16, 107));
  const QByteArray held = fixture_->Phone.Get(18, 9);
  QCOMPARE(WordAt(held, 0), 0x20010000u);
  QCOMPARE(WordAt(held, 200), 0x8A0000u);
  QCOMPARE(WordAt(held, 204), 0x37C598u);
  QCOMPARE(WordAt(held, 108), 0x37C155u);
  QComboBox* field = Experts().FirmwareField();
  QCOMPARE(field->parentWidget(), static_cast<QWidget*>(&Experts()));
  QCOMPARE(field->pos(), QPoint(8, 24));
  QCOMPARE(field->currentIndex(), 6);
  QSettings settings(Window().SettingsPath(), QSettings::IniFormat);
  QCOMPARE(settings.value(QStringLiteral("Manager/UFIFFW")).toInt(), 6);
}

void TestUpload::tooBigProgramIsOfferedThenRefused() {
  fixture_->Modal.DialogScripts.enqueue(Answer(mrYes));
  Upload(UFIFProgram(0x20000000, 2100), SmallRow);
  QCOMPARE(fixture_->Modal.OpenedDialogs, QStringList{QStringLiteral("OKBottomDlg")});
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{TooBigText});
  QCOMPARE(fixture_->Phone.Calls("WriteNVMFile"), 0);
}

void TestUpload::compressedUploadHoldsTheFile() {
  QByteArray file = PlainData(5000);
  file.append(QByteArray(5000, 'z'));
  UploadLZO(file);
  const QByteArray held = fixture_->Phone.Get(18, 9);
  QCOMPARE(WordAt(held, 0), LZOMagic);
  const TUnpacked unpacked = UnpackLZOContainer(held);
  QVERIFY2(unpacked.Ok(), qPrintable(unpacked.Problem));
  QCOMPARE(unpacked.Original, file);
  QVERIFY(fixture_->Modal.OpenedDialogs.isEmpty());  // plain data: no icon to choose
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{UploadedText});
  QCOMPARE(Slots()[BigRow].Size, held.size());
}

void TestUpload::compressedSizeDecidesOnSmallSlots() {
  QByteArray file = PlainData(1500);
  file.append(QByteArray(1500, '\0'));
  UploadLZO(file, SmallRow);
  const QByteArray held = fixture_->Phone.Get(2, 10);
  QVERIFY(held.size() > 1500 && held.size() <= 2048);
  QCOMPARE(WordAt(held, 24), 3000u);
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{UploadedText});

  fixture_->Modal.Clear();
  UploadLZO(PlainData(2100), SmallRow);  // does not compress: the container is larger
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{TooBigText});
  QCOMPARE(fixture_->Phone.Get(2, 10), held);
}

void TestUpload::iconChoiceIsKeptBetweenUploads() {
  const QByteArray program = UFIFProgram(0x20010000, 3000);
  QComboBox* items = Control<QComboBox>(Icons(), "ComboBoxEx1");
  QCOMPARE(items->currentIndex(), -1);
  QCOMPARE(items->placeholderText(), QStringLiteral("Select icon"));

  fixture_->Modal.DialogScripts.enqueue(Answer(mrCancel));
  UploadLZO(program);
  QCOMPARE(WordAt(fixture_->Phone.Get(18, 9), 28), 0xE852u);

  fixture_->Modal.DialogScripts.enqueue(PickIcon(QStringLiteral("E81A")));
  UploadLZO(program);
  const QByteArray held = fixture_->Phone.Get(18, 9);
  QCOMPARE(WordAt(held, 28), 0xE81Au);
  QCOMPARE(WordAt(held, 20), 0x20010000u);
  QCOMPARE(held.mid(4, 4), QByteArray("Demo"));

  QString offered;
  fixture_->Modal.DialogScripts.enqueue([&offered](QDialog* dialog) {
    offered = Control<QComboBox>(*dialog, "ComboBoxEx1")->currentText();
    return int(mrOk);
  });
  UploadLZO(program);
  QCOMPARE(offered, QStringLiteral("E81A"));
  QCOMPARE(WordAt(fixture_->Phone.Get(18, 9), 28), 0xE81Au);
  QCOMPARE(fixture_->Modal.OpenedDialogs, QStringList(3, QStringLiteral("IconForm")));
}

void TestUpload::iconDialogOnlyForPlainPrograms() {
  // A UFIF 2.0 program: the prompt first, then the icon dialog.
  fixture_->Modal.DialogScripts.enqueue(Answer(mrNo));
  fixture_->Modal.DialogScripts.enqueue(PickIcon(QStringLiteral("E800")));
  UploadLZO(UFIFProgram(0x20000000, 3000));
  QCOMPARE(fixture_->Modal.OpenedDialogs,
           QStringList({QStringLiteral("OKBottomDlg"), QStringLiteral("IconForm")}));
  const QByteArray held = fixture_->Phone.Get(18, 9);
  QCOMPARE(WordAt(held, 20), 0x20000000u);
  QCOMPARE(WordAt(held, 28), 0xE800u);
  QVERIFY(MenuStateFor(Slots()[BigRow]).Convert);
}

QTEST_MAIN(TestUpload)
#include "test_upload.moc"
