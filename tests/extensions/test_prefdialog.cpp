// The preferences dialog and its get and set commands against the virtual phone: the
// controls a read fills, the bytes a write stores, and the dialog's own behaviour.

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "link/nvmsection.h"
#include "prefs/ui/prefform.h"
#include "tests/support/managerfixture.h"
#include "ui_prefform.h"

namespace {

const QString ErrorCaption = QStringLiteral("ERROR");

// The controls as one comparable line: RG1's index, the check box, the four edits and
// whether the autorun edits are shown.
QString Controls(const TPrefForm& form) {
  const Ui::TPrefForm& ui = *form.ui;
  return QStringLiteral("%1 %2 [%3-%4] [%5-%6] %7%8")
      .arg(form.RG1ItemIndex())
      .arg(ui.ACheckBox->isChecked() ? "on" : "off")
      .arg(ui.sEdit->text(), ui.ssEdit->text(), ui.AsEdit->text(), ui.AssEdit->text())
      .arg(ui.AsEdit->isHidden() ? "hidden" : "shown")
      .arg(ui.AssEdit->isHidden() == ui.AsEdit->isHidden() ? "" : " mismatch");
}

void Fill(TPrefForm& form, int menu, const QString& s, const QString& ss, bool autorun,
          const QString& as, const QString& ass) {
  form.SetRG1ItemIndex(menu);
  form.ui->sEdit->setText(s);
  form.ui->ssEdit->setText(ss);
  form.ui->ACheckBox->setChecked(autorun);
  form.ui->AsEdit->setText(as);
  form.ui->AssEdit->setText(ass);
}

QStringList TabOrder(const TPrefForm& form) {
  QStringList names;
  for (QWidget* w = form.ui->sEdit->nextInFocusChain(); w != form.ui->sEdit;
       w = w->nextInFocusChain())
    if (w->focusPolicy() & Qt::TabFocus)
      names << w->objectName();
  return QStringList{form.ui->sEdit->objectName()} + names;
}

// Restores the application font a test changed.
class TFontScope {
 public:
  explicit TFontScope(const QFont& font) : previous_(QApplication::font()) {
    QApplication::setFont(font);
  }
  ~TFontScope() { QApplication::setFont(previous_); }
  TFontScope(const TFontScope&) = delete;
  TFontScope& operator=(const TFontScope&) = delete;

 private:
  QFont previous_;
};

}  // namespace

class TestPrefDialog : public QObject {
  Q_OBJECT
 private:
  std::unique_ptr<TManagerFixture> f;

 private Q_SLOTS:
  void init() { f = std::make_unique<TManagerFixture>(); }
  void cleanup() {
    QVERIFY2(f->Modal.Unexpected.isEmpty(), qPrintable(f->Modal.Unexpected.join("; ")));
    f.reset();
  }

  void startsAsDesigned();
  void captionsFitTheFont_data();
  void captionsFitTheFont();
  void getFillsTheControls_data();
  void getFillsTheControls();
  void failedGetEmptiesOnlyTheLibraryFields_data();
  void failedGetEmptiesOnlyTheLibraryFields();
  void setStoresTheRecord_data();
  void setStoresTheRecord();
  void setKeepsWhatTheDialogCannotShow();
  void setRefusesUnconvertibleTexts_data();
  void setRefusesUnconvertibleTexts();
  void setReportsAWriteThatDidNotLand_data();
  void setReportsAWriteThatDidNotLand();
  void negativeNumbersReadBack();
  void updateWritesAndCancelDoesNot();
  void checkBoxShowsAndHidesAutorunEdits();
  void openingWithNoPhone();
  void enterAndEscapeDoNotClose();
};

void TestPrefDialog::startsAsDesigned() {
  const TPrefForm& form = f->Pref();
  QCOMPARE(form.windowTitle(), QStringLiteral("Kiv Mod Parameters"));
  QCOMPARE(Controls(form), QStringLiteral("-1 off [02-17] [18-09] shown"));
  QCOMPARE(form.ui->AsEdit->geometry(), QRect(56, 52, 25, 21));
  QCOMPARE(TabOrder(form), (QStringList{"sEdit", "ssEdit", "RG1Item0", "RG1Item1", "RG1Item2",
                                        "Button1", "Button2", "ACheckBox", "AssEdit", "AsEdit"}));
  QVERIFY(!form.ui->Button1->isDefault() && !form.ui->Button1->autoDefault());
  QVERIFY(!form.ui->Button2->isDefault() && !form.ui->Button2->autoDefault());
}

void TestPrefDialog::captionsFitTheFont_data() {
  QTest::addColumn<int>("pixels");
  QTest::addColumn<bool>("designedPlaces");
  QTest::newRow("narrow: the designed layout") << 10 << true;
  QTest::newRow("the application's font") << 11 << false;
  QTest::newRow("large") << 13 << false;
}

void TestPrefDialog::captionsFitTheFont() {
  QFETCH(int, pixels);
  QFETCH(bool, designedPlaces);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixels);
  const TFontScope scope(font);
  const TPrefForm form;
  const Ui::TPrefForm& ui = *form.ui;
  // Every label holds its text; the note may reach past the window's edge with blank room.
  for (const QLabel* label : {ui.Label1, ui.Label2, ui.Label3}) {
    QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
    QVERIFY2(label->x() + label->sizeHint().width() <= label->parentWidget()->width(),
             qPrintable(label->objectName()));
  }
  QVERIFY(ui.Label1->x() + ui.Label1->sizeHint().width() < ui.sEdit->x());
  QCOMPARE(ui.ssEdit->pos(), ui.sEdit->pos() + QPoint(24, 0));
  QCOMPARE(ui.Label2->pos(), ui.sEdit->pos() + QPoint(48, 6));
  if (designedPlaces) {
    QCOMPARE(ui.sEdit->geometry(), QRect(110, 96, 25, 21));
    QCOMPARE(form.size(), QSize(245, 145));
  }
}

void TestPrefDialog::getFillsTheControls_data() {
  QTest::addColumn<QByteArray>("record");
  QTest::addColumn<QString>("controls");
  QTest::newRow("everything set") << PrefRecord({7, 0, 20, 2, 9, 18, 0, 0})
                                  << "1 on [2-20] [18-9] shown";
  QTest::newRow("autorun off: byte 8 zero")
      << PrefRecord({255, 0, 20, 2, 0, 18, 0, 0}) << "2 off [2-20] [55-66] hidden";
  QTest::newRow("short read: autorun off")
      << PrefRecord({3, 0, 20, 2, 9, 18, 0}) << "0 off [2-20] [55-66] hidden";
  QTest::newRow("byte 7 zero") << PrefRecord({3, 0, 20, 0, 9, 18, 0, 0})
                               << "0 on [2-17] [18-9] shown";
  QTest::newRow("byte 4 unknown: selection kept")
      << PrefRecord({0, 0, 20, 2, 9, 18, 0, 0}) << "1 on [2-20] [18-9] shown";
  QTest::newRow("signed bytes") << PrefRecord({3, 0, 255, 200, 128, 127, 0, 0})
                                << "0 on [-56--1] [127--128] shown";
  QTest::newRow("record of 6 bytes") << PrefRecord({3, 0}) << "0 off [2-17] [55-66] hidden";
  QTest::newRow("no record") << QByteArray() << "1 off [2-17] [55-66] hidden";
}

void TestPrefDialog::getFillsTheControls() {
  QFETCH(QByteArray, record);
  QFETCH(QString, controls);
  if (!record.isNull())
    f->Phone.Put(2, 18, record);
  Fill(f->Pref(), 1, "x", "y", true, "55", "66");
  f->Run(&TForm1::GetPrefActionExecute);
  QCOMPARE(Controls(f->Pref()), controls);
  QVERIFY(f->Modal.Shown.isEmpty());
  QCOMPARE(
      f->Phone.Journal(),
      (QStringList{"InitGBPMode(1) = 0", "ReadNVMFile(2,18,12) = " + QString::number(record.size()),
                   "EndGBPMode() = 0"}));
}

void TestPrefDialog::failedGetEmptiesOnlyTheLibraryFields_data() {
  QTest::addColumn<QString>("faults");
  QTest::addColumn<QString>("message");
  QTest::newRow("no phone") << "init=-3"
                            << "GBP Error: No AT response!";
  QTest::newRow("read error") << "read 2-18=-5"
                              << "Error reading section 2-18";
}

void TestPrefDialog::failedGetEmptiesOnlyTheLibraryFields() {
  QFETCH(QString, faults);
  QFETCH(QString, message);
  f->Phone.Put(2, 18, PrefRecord({3, 0, 20, 2, 9, 18, 0, 0}));
  f->Phone.SetFaults(faults);
  Fill(f->Pref(), 2, "2", "20", true, "18", "9");
  f->Run(&TForm1::GetPrefActionExecute);
  QCOMPARE(Controls(f->Pref()), QStringLiteral("2 on [-] [18-9] shown"));
  QCOMPARE(f->Modal.ShownTexts(), QStringList{message});
  QCOMPARE(f->Modal.Shown.last().Caption, ErrorCaption);
  QVERIFY(!Form1->NVM->LinkOpen());
}

void TestPrefDialog::setStoresTheRecord_data() {
  QTest::addColumn<int>("menu");
  QTest::addColumn<QStringList>("texts");  // sEdit, ssEdit, AsEdit, AssEdit
  QTest::addColumn<bool>("autorun");
  QTest::addColumn<QByteArray>("record");
  QTest::newRow("as shown at start")
      << 0 << QStringList{"02", "17", "18", "09"} << true << PrefRecord({3, 0, 17, 2, 9, 18, 0, 0});
  QTest::newRow("0x12 and $12") << 1 << QStringList{"0x12", "$12", "$12", "0x12"} << true
                                << PrefRecord({7, 0, 18, 18, 18, 18, 0, 0});
  QTest::newRow("300 and -1") << 2 << QStringList{"300", "-1", "-1", "300"} << true
                              << PrefRecord({255, 0, 255, 44, 44, 255, 0, 0});
  QTest::newRow("autorun unticked")
      << 0 << QStringList{"2", "17", "18", "9"} << false << PrefRecord({3, 0, 17, 2, 0, 0, 0, 0});
  QTest::newRow("autorun unticked ignores bad texts")
      << 0 << QStringList{"2", "17", "", "zz"} << false << PrefRecord({3, 0, 17, 2, 0, 0, 0, 0});
  QTest::newRow("no item, nothing read: show all")
      << -1 << QStringList{"2", "17", "18", "9"} << false
      << PrefRecord({255, 0, 17, 2, 0, 0, 0, 0});
}

void TestPrefDialog::setStoresTheRecord() {
  QFETCH(int, menu);
  QFETCH(QStringList, texts);
  QFETCH(bool, autorun);
  QFETCH(QByteArray, record);
  Fill(f->Pref(), menu, texts[0], texts[1], autorun, texts[2], texts[3]);
  f->Run(&TForm1::SetPrefActionExecute);
  QCOMPARE(f->Phone.Get(2, 18), record);
  QVERIFY(f->Modal.Shown.isEmpty());
  QCOMPARE(f->Status(), QStringLiteral("Uploaded!"));
  QCOMPARE(f->Phone.Journal().last(), QStringLiteral("EndGBPMode() = 0"));
}

// A mode the dialog does not know, and the reserved bytes, go back as the phone had them.
void TestPrefDialog::setKeepsWhatTheDialogCannotShow() {
  f->Phone.Put(2, 18, PrefRecord({42, 5, 20, 2, 9, 18, 0xAB, 0xCD}));
  f->Run(&TForm1::GetPrefActionExecute);
  QCOMPARE(f->Pref().RG1ItemIndex(), -1);
  f->Pref().ui->ssEdit->setText("21");
  f->Run(&TForm1::SetPrefActionExecute);
  QCOMPARE(f->Phone.Get(2, 18), PrefRecord({42, 0, 21, 2, 9, 18, 0xAB, 0xCD}));

  // A choice made in the dialog wins; what a failed read found is not used.
  f->Pref().SetRG1ItemIndex(0);
  f->Run(&TForm1::SetPrefActionExecute);
  QCOMPARE(f->Phone.Get(2, 18), PrefRecord({3, 0, 21, 2, 9, 18, 0xAB, 0xCD}));
}

void TestPrefDialog::setRefusesUnconvertibleTexts_data() {
  QTest::addColumn<QStringList>("texts");
  QTest::addColumn<QString>("message");
  QTest::newRow("empty library field")
      << QStringList{"", "17", "18", "9"} << "'' is not a valid integer value.";
  QTest::newRow("section before subsection")
      << QStringList{"a", "b", "18", "9"} << "'a' is not a valid integer value.";
  QTest::newRow("autorun section before subsection")
      << QStringList{"2", "17", "c", "d"} << "'c' is not a valid integer value.";
  QTest::newRow("autorun subsection")
      << QStringList{"2", "17", "18", "9 "} << "'9 ' is not a valid integer value.";
}

void TestPrefDialog::setRefusesUnconvertibleTexts() {
  QFETCH(QStringList, texts);
  QFETCH(QString, message);
  const QByteArray before = PrefRecord({3, 0, 20, 2, 9, 18, 0, 0});
  f->Phone.Put(2, 18, before);
  Fill(f->Pref(), 0, texts[0], texts[1], true, texts[2], texts[3]);
  f->Run(&TForm1::SetPrefActionExecute);
  QCOMPARE(f->Modal.ShownTexts(), QStringList{message});
  QCOMPARE(f->Modal.Shown.last().Kind, TShownBox::Error);
  QVERIFY(f->Phone.Journal().isEmpty());
  QCOMPARE(f->Phone.Get(2, 18), before);
  QCOMPARE(f->Status(), QStringLiteral("Uploading data..."));
}

void TestPrefDialog::setReportsAWriteThatDidNotLand_data() {
  QTest::addColumn<QString>("faults");
  QTest::addColumn<QStringList>("shown");
  const QString writeError = QStringLiteral(
      "Section uploaded with error or out of memory!\nTry to upload again or free some NVM "
      "memory");
  QTest::newRow("no phone") << "init=-1" << QStringList{"GBP Error: Port already opened!"};
  QTest::newRow("write refused") << "write 2-18=-5" << QStringList{writeError};
  QTest::newRow("write cut short") << "write 2-18=truncate 8" << QStringList{writeError};
}

void TestPrefDialog::setReportsAWriteThatDidNotLand() {
  QFETCH(QString, faults);
  QFETCH(QStringList, shown);
  f->Phone.SetFaults(faults);
  f->Run(&TForm1::SetPrefActionExecute);
  QCOMPARE(f->Modal.ShownTexts(), shown);
  QCOMPARE(f->Modal.Shown.last().Caption, ErrorCaption);
  QCOMPARE(f->Status(), QStringLiteral("Uploading data..."));
  QVERIFY(!Form1->NVM->LinkOpen());
}

void TestPrefDialog::negativeNumbersReadBack() {
  Fill(f->Pref(), 2, "-1", "-56", true, "-128", "-1");
  f->Run(&TForm1::SetPrefActionExecute);
  Fill(f->Pref(), 0, "", "", false, "", "");
  f->Run(&TForm1::GetPrefActionExecute);
  QCOMPARE(Controls(f->Pref()), QStringLiteral("2 on [-1--56] [-128--1] shown"));
}

void TestPrefDialog::updateWritesAndCancelDoesNot() {
  f->Phone.Put(2, 18, PrefRecord({3, 0, 20, 2, 0, 0, 0, 0}));
  QString seen;
  f->Modal.DialogScripts.enqueue([&seen](QDialog* dialog) {
    auto* form = static_cast<TPrefForm*>(dialog);
    seen = Controls(*form);
    form->SetRG1ItemIndex(1);
    form->ui->ssEdit->setText("22");
    return int(mrCancel);
  });
  f->Run(&TForm1::Button3Click);
  QCOMPARE(f->Modal.OpenedDialogs, QStringList{"PrefForm"});
  QCOMPARE(seen, QStringLiteral("0 off [2-20] [18-09] hidden"));
  QCOMPARE(f->Phone.Calls("WriteNVMFile"), 0);
  QCOMPARE(Controls(f->Pref()), QStringLiteral("1 off [2-22] [18-09] hidden"));

  f->Modal.DialogScripts.enqueue([](QDialog* dialog) {
    auto* form = static_cast<TPrefForm*>(dialog);
    form->ui->ssEdit->setText("23");
    form->ui->ACheckBox->click();
    form->ui->AssEdit->setText("10");
    return int(mrOk);
  });
  f->Run(&TForm1::Button3Click);
  QCOMPARE(f->Phone.Get(2, 18), PrefRecord({3, 0, 23, 2, 10, 18, 0, 0}));
  QCOMPARE(f->Status(), QStringLiteral("Uploaded!"));
}

void TestPrefDialog::checkBoxShowsAndHidesAutorunEdits() {
  TPrefForm& form = f->Pref();
  form.ui->ACheckBox->setChecked(true);
  form.ACheckBoxClick();
  form.ui->AsEdit->setText("18");
  form.ui->AssEdit->setText("9");
  QTest::mouseClick(form.ui->ACheckBox, Qt::LeftButton);
  QCOMPARE(Controls(form), QStringLiteral("-1 off [02-17] [18-9] hidden"));
  QVERIFY(!form.ui->Label3->isHidden());
  QTest::mouseClick(form.ui->ACheckBox, Qt::LeftButton);
  QCOMPARE(Controls(form), QStringLiteral("-1 on [02-17] [18-9] shown"));
}

// The link message comes first, then the dialog with empty library fields; "Update" then
// ends in the conversion error with nothing written.
void TestPrefDialog::openingWithNoPhone() {
  f->Phone.SetFaults("init=-3");
  QStringList shownBefore;
  QString seen;
  f->Modal.DialogScripts.enqueue([&](QDialog* dialog) {
    shownBefore = f->Modal.ShownTexts();
    seen = Controls(*static_cast<TPrefForm*>(dialog));
    return int(mrOk);
  });
  f->Run(&TForm1::Button3Click);
  QCOMPARE(shownBefore, QStringList{"GBP Error: No AT response!"});
  QCOMPARE(seen, QStringLiteral("-1 off [-] [18-09] shown"));
  QCOMPARE(f->Modal.Shown.last().Text, QStringLiteral("'' is not a valid integer value."));
  QCOMPARE(f->Modal.Shown.last().Kind, TShownBox::Error);
  QCOMPARE(f->Phone.Calls("WriteNVMFile"), 0);
}

void TestPrefDialog::enterAndEscapeDoNotClose() {
  TPrefForm& form = f->Pref();
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QTest::keyClick(form.ui->sEdit, Qt::Key_Return);
  QTest::keyClick(form.ui->sEdit, Qt::Key_Escape);
  QTest::keyClick(&form, Qt::Key_Escape);
  QVERIFY(form.isVisible());
  form.close();
  QVERIFY(!form.isVisible());
  QCOMPARE(form.result(), int(mrCancel));
  QCOMPARE(f->Phone.Calls("WriteNVMFile"), 0);
}

QTEST_MAIN(TestPrefDialog)
#include "test_prefdialog.moc"
