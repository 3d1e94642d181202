// The conversion prompt and the icon dialog on their own: their buttons, their answers and
// the firmware field they borrow.

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include "common/errors.h"
#include "settings/ui/expertsform.h"
#include "tests/support/windowtest.h"
#include "ufif/icons.h"
#include "ufif/ui/iconform.h"
#include "ufif/ui/okbottomdlg.h"

class TestDialogs : public TWindowTest {
  Q_OBJECT
 private Q_SLOTS:

  void promptAnswers_data();
  void promptAnswers();
  void promptSaveFailureEndsTheUpload();
  void iconCodeFromTheDialog_data();
  void iconCodeFromTheDialog();
  void iconItemsCarryTheirPictures();
  void iconListShowsEightRowsOf16Pixels();
};

void TestDialogs::promptAnswers_data() {
  QTest::addColumn<QString>("action");
  QTest::addColumn<int>("result");
  QTest::newRow("Yes") << "OKBtn" << int(mrYes);
  QTest::newRow("No") << "Button1" << int(mrNo);
  QTest::newRow("Cancel") << "CancelBtn" << int(mrCancel);
  QTest::newRow("Escape") << "Escape" << int(mrCancel);
}

void TestDialogs::promptAnswers() {
  QFETCH(QString, action);
  QFETCH(int, result);
  QPoint offCentre;
  fixture_->Modal.DialogScripts.enqueue([this, action, &offCentre](QDialog* dialog) {
    offCentre = dialog->frameGeometry().center() - Window().screen()->availableGeometry().center();
    if (action == QLatin1String("Escape"))
      QTest::keyClick(dialog, Qt::Key_Escape);
    else
      dialog->findChild<QPushButton*>(action)->click();
    return dialog->result();
  });
  int answer = 0;
  GuardCommand([this, &answer] { answer = OKBottom().Ask(); });
  QCOMPARE(answer, result);
  QVERIFY2(offCentre.manhattanLength() <= 8, "the prompt stands in the middle of the screen");
  QCOMPARE(Experts().FirmwareField()->parentWidget(), static_cast<QWidget*>(&Experts()));
}

void TestDialogs::promptSaveFailureEndsTheUpload() {
  // A folder where the settings file should be: the firmware pick cannot be stored.
  QVERIFY(QDir().mkpath(Window().SettingsPath()));
  fixture_->Modal.DialogScripts.enqueue([](QDialog*) { return int(mrYes); });
  fixture_->Modal.OpenFileNames.enqueue(
      fixture_->PutFile(QStringLiteral("program.bin"), UFIFProgram(0x20000000, 3000)));
  fixture_->Run(&TForm1::UploadActionExecute);
  QDir().rmdir(Window().SettingsPath());
  QCOMPARE(fixture_->LastBox().Kind, TShownBox::Error);
  QVERIFY(fixture_->LastBox().Text.startsWith(QStringLiteral("Unable to write to ")));
  QCOMPARE(fixture_->Phone.Calls("WriteNVMFile"), 0);
  QCOMPARE(Experts().FirmwareField()->parentWidget(), static_cast<QWidget*>(&Experts()));
}

void TestDialogs::iconCodeFromTheDialog_data() {
  QTest::addColumn<QString>("caption");
  QTest::addColumn<int>("result");
  QTest::addColumn<quint32>("code");
  QTest::newRow("E80A, OK") << "E80A" << int(mrOk) << 0xE80Au;
  QTest::newRow("E800, OK") << "E800" << int(mrOk) << 0xE800u;
  QTest::newRow("E899, OK") << "E899" << int(mrOk) << 0xE899u;
  QTest::newRow("E800, Cancel") << "E800" << int(mrCancel) << 0xE852u;
  QTest::newRow("nothing chosen, OK") << "" << int(mrOk) << 0xE852u;
}

void TestDialogs::iconCodeFromTheDialog() {
  QFETCH(QString, caption);
  QFETCH(int, result);
  QFETCH(quint32, code);
  QComboBox* items = Control<QComboBox>(Icons(), "ComboBoxEx1");
  items->setCurrentIndex(items->findText(caption));
  QCOMPARE(Icons().ChosenIconCode(result), code);
}

void TestDialogs::iconItemsCarryTheirPictures() {
  QComboBox* items = Control<QComboBox>(Icons(), "ComboBoxEx1");
  QCOMPARE(items->count(), IconItems().size());
  QCOMPARE(items->count(), 147);
  QCOMPARE(Icons().ImageList1.size(), IconPictureCount);
  for (int i = 0; i < items->count(); ++i) {
    QCOMPARE(items->itemText(i), IconItems()[i].Caption());
    QVERIFY2(!items->itemIcon(i).isNull(), qPrintable(items->itemText(i)));
  }
}

void TestDialogs::iconListShowsEightRowsOf16Pixels() {
  QComboBox* items = Control<QComboBox>(Icons(), "ComboBoxEx1");
  Icons().show();
  items->showPopup();
  const int rowHeight = items->view()->sizeHintForRow(0);
  const int listHeight = items->view()->viewport()->height();
  items->hidePopup();
  Icons().hide();
  QCOMPARE(rowHeight, 16);
  QCOMPARE(listHeight, 8 * 16);
}

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
