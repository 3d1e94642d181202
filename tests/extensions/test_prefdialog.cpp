// The preferences dialog and its get and set commands against the virtual phone: the
// controls a read fills, the bytes a write stores, and the dialog's own behaviour.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QtTest>

#include "link/nvmsection.h"
#include "prefs/ui/prefform.h"
#include "tests/support/pseudotranslator.h"
#include "tests/support/windowtest.h"

namespace {

const QString ErrorCaption = QStringLiteral("ERROR");

// The controls as one comparable line: RG1's index, the check box, the four edits and
// whether the autorun edits are shown.
QString Controls(const TPrefForm& form) {
  return QStringLiteral("%1 %2 [%3-%4] [%5-%6] %7%8")
      .arg(form.RG1ItemIndex())
      .arg(Control<QCheckBox>(form, "ACheckBox")->isChecked() ? "on" : "off")
      .arg(Control<QLineEdit>(form, "sEdit")->text(), Control<QLineEdit>(form, "ssEdit")->text(),
           Control<QLineEdit>(form, "AsEdit")->text(), Control<QLineEdit>(form, "AssEdit")->text())
      .arg(Control<QLineEdit>(form, "AsEdit")->isHidden() ? "hidden" : "shown")
      .arg(Control<QLineEdit>(form, "AssEdit")->isHidden() ==
                   Control<QLineEdit>(form, "AsEdit")->isHidden()
               ? ""
               : " mismatch");
}

void Fill(TPrefForm& form, int menu, const QString& s, const QString& ss, bool autorun,
          const QString& as, const QString& ass) {
  form.SetRG1ItemIndex(menu);
  Control<QLineEdit>(form, "sEdit")->setText(s);
  Control<QLineEdit>(form, "ssEdit")->setText(ss);
  Control<QCheckBox>(form, "ACheckBox")->setChecked(autorun);
  Control<QLineEdit>(form, "AsEdit")->setText(as);
  Control<QLineEdit>(form, "AssEdit")->setText(ass);
}

QStringList TabOrder(const TPrefForm& form) {
  QStringList names;
  for (QWidget* w = Control<QLineEdit>(form, "sEdit")->nextInFocusChain();
       w != Control<QLineEdit>(form, "sEdit"); w = w->nextInFocusChain())
    if (w->focusPolicy() & Qt::TabFocus)
      names << w->objectName();
  return QStringList{Control<QLineEdit>(form, "sEdit")->objectName()} + names;
}

// What a control takes of its parent: a label its text, the rest their place.
QRect TakenRect(const QWidget& control) {
  const auto* label = qobject_cast<const QLabel*>(&control);
  return label ? QRect(label->pos(), QSize(label->sizeHint().width(), label->height()))
               : control.geometry();
}

// The width a push button gives its text: its own less the padding its style puts round any
// text (measured round a text too wide for the style's least width of a button).
int TextRoom(const QPushButton& button) {
  QStyleOptionButton option;
  option.initFrom(&button);
  const QSize wide(1000, button.height());
  return button.width() -
         (button.style()->sizeFromContents(QStyle::CT_PushButton, &option, wide, &button).width() -
          wide.width());
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

class TestPrefDialog : public TWindowTest {
  Q_OBJECT
 private Q_SLOTS:

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
  const TPrefForm& form = Pref();
  QCOMPARE(form.windowTitle(), QStringLiteral("Kiv Mod Parameters"));
  QCOMPARE(Controls(form), QStringLiteral("-1 off [02-17] [18-09] shown"));
  QCOMPARE(Control<QLineEdit>(form, "AsEdit")->geometry(), QRect(56, 52, 25, 21));
  QCOMPARE(TabOrder(form), (QStringList{"sEdit", "ssEdit", "RG1Item0", "RG1Item1", "RG1Item2",
                                        "Button1", "Button2", "ACheckBox", "AssEdit", "AsEdit"}));
  QVERIFY(!Control<QPushButton>(form, "Button1")->isDefault() &&
          !Control<QPushButton>(form, "Button1")->autoDefault());
  QVERIFY(!Control<QPushButton>(form, "Button2")->isDefault() &&
          !Control<QPushButton>(form, "Button2")->autoDefault());
}

void TestPrefDialog::captionsFitTheFont_data() {
  QTest::addColumn<int>("pixels");
  QTest::addColumn<bool>("longerWords");
  QTest::addColumn<bool>("designedPlaces");
  QTest::newRow("narrow: the designed layout") << 10 << false << true;
  QTest::newRow("the application's font") << 11 << false << false;
  QTest::newRow("large") << 13 << false << false;
  QTest::newRow("narrow, words half as long again") << 10 << true << false;
  QTest::newRow("large, words half as long again") << 13 << true << false;
}

void TestPrefDialog::captionsFitTheFont() {
  QFETCH(int, pixels);
  QFETCH(bool, longerWords);
  QFETCH(bool, designedPlaces);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixels);
  const TFontScope scope(font);
  // Russian runs about half as long again as the English.
  const TPseudoTranslator longer([longerWords](const QString& context, const QString& source) {
    return longerWords && context == QLatin1String("TPrefForm")
               ? source + QString(int(source.size()) / 2, QChar(0x0436))
               : QString();
  });
  const TPrefForm form;
  // Every caption holds its text and stays inside its box and the window; a label's blank
  // room may reach past the edge.
  for (const QWidget* caption : form.findChildren<QWidget*>()) {
    const auto* label = qobject_cast<const QLabel*>(caption);
    const auto* button = qobject_cast<const QPushButton*>(caption);
    const QString name = caption->objectName();
    if (button)
      QVERIFY2(TextRoom(*button) >= button->fontMetrics().horizontalAdvance(button->text()),
               qPrintable(name));
    else if (qobject_cast<const QAbstractButton*>(caption) || label)
      QVERIFY2(caption->width() >= caption->sizeHint().width(), qPrintable(name));
    else if (const auto* box = qobject_cast<const QGroupBox*>(caption))
      QVERIFY2(box->width() >= box->minimumSizeHint().width(), qPrintable(name));
    QVERIFY2(TakenRect(*caption).right() < caption->parentWidget()->width(), qPrintable(name));
  }
  // The designed places touch by a pixel; more would hide a caption's text.
  const QList<QWidget*> controls = form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (const QWidget* one : controls)
    for (const QWidget* other : controls)
      QVERIFY2(one == other || TakenRect(*one).intersected(TakenRect(*other)).width() <= 1,
               qPrintable(one->objectName() + " " + other->objectName()));
  QVERIFY(Control<QLabel>(form, "Label1")->x() +
              Control<QLabel>(form, "Label1")->sizeHint().width() <
          Control<QLineEdit>(form, "sEdit")->x());
  QCOMPARE(Control<QLineEdit>(form, "ssEdit")->pos(),
           Control<QLineEdit>(form, "sEdit")->pos() + QPoint(24, 0));
  QCOMPARE(Control<QLabel>(form, "Label2")->pos(),
           Control<QLineEdit>(form, "sEdit")->pos() + QPoint(48, 6));
  if (designedPlaces && kWindowsBuild)
    QSKIP(kPlacesMeasuredOnLinux);
  if (designedPlaces) {
    QCOMPARE(Control<QLineEdit>(form, "sEdit")->geometry(), QRect(110, 96, 25, 21));
    QCOMPARE(Control<QGroupBox>(form, "GroupBox1")->geometry(), QRect(128, 8, 113, 81));
    QCOMPARE(Control<QPushButton>(form, "Button2")->geometry(), QRect(152, 120, 75, 25));
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
    fixture_->Phone.Put(2, 18, record);
  Fill(Pref(), 1, "x", "y", true, "55", "66");
  fixture_->Run(&TForm1::GetPrefActionExecute);
  QCOMPARE(Controls(Pref()), controls);
  QVERIFY(fixture_->Modal.Shown.isEmpty());
  QCOMPARE(
      fixture_->Phone.Journal(),
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
  fixture_->Phone.Put(2, 18, PrefRecord({3, 0, 20, 2, 9, 18, 0, 0}));
  fixture_->Phone.SetFaults(faults);
  Fill(Pref(), 2, "2", "20", true, "18", "9");
  fixture_->Run(&TForm1::GetPrefActionExecute);
  QCOMPARE(Controls(Pref()), QStringLiteral("2 on [-] [18-9] shown"));
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{message});
  QCOMPARE(fixture_->Modal.Shown.last().Caption, ErrorCaption);
  QVERIFY(!Window().Link().LinkOpen());
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
  Fill(Pref(), menu, texts[0], texts[1], autorun, texts[2], texts[3]);
  fixture_->Run(&TForm1::SetPrefActionExecute);
  QCOMPARE(fixture_->Phone.Get(2, 18), record);
  QVERIFY(fixture_->Modal.Shown.isEmpty());
  QCOMPARE(fixture_->Status(), QStringLiteral("Uploaded!"));
  QCOMPARE(fixture_->Phone.Journal().last(), QStringLiteral("EndGBPMode() = 0"));
}

// A mode the dialog does not know, and the reserved bytes, go back as the phone had them.
void TestPrefDialog::setKeepsWhatTheDialogCannotShow() {
  fixture_->Phone.Put(2, 18, PrefRecord({42, 5, 20, 2, 9, 18, 0xAB, 0xCD}));
  fixture_->Run(&TForm1::GetPrefActionExecute);
  QCOMPARE(Pref().RG1ItemIndex(), -1);
  Control<QLineEdit>(Pref(), "ssEdit")->setText("21");
  fixture_->Run(&TForm1::SetPrefActionExecute);
  QCOMPARE(fixture_->Phone.Get(2, 18), PrefRecord({42, 0, 21, 2, 9, 18, 0xAB, 0xCD}));

  // A choice made in the dialog wins; what a failed read found is not used.
  Pref().SetRG1ItemIndex(0);
  fixture_->Run(&TForm1::SetPrefActionExecute);
  QCOMPARE(fixture_->Phone.Get(2, 18), PrefRecord({3, 0, 21, 2, 9, 18, 0xAB, 0xCD}));
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
  fixture_->Phone.Put(2, 18, before);
  Fill(Pref(), 0, texts[0], texts[1], true, texts[2], texts[3]);
  fixture_->Run(&TForm1::SetPrefActionExecute);
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{message});
  QCOMPARE(fixture_->Modal.Shown.last().Kind, TShownBox::Error);
  QVERIFY(fixture_->Phone.Journal().isEmpty());
  QCOMPARE(fixture_->Phone.Get(2, 18), before);
  QCOMPARE(fixture_->Status(), QStringLiteral("Uploading data..."));
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
  fixture_->Phone.SetFaults(faults);
  fixture_->Run(&TForm1::SetPrefActionExecute);
  QCOMPARE(fixture_->Modal.ShownTexts(), shown);
  QCOMPARE(fixture_->Modal.Shown.last().Caption, ErrorCaption);
  QCOMPARE(fixture_->Status(), QStringLiteral("Uploading data..."));
  QVERIFY(!Window().Link().LinkOpen());
}

void TestPrefDialog::negativeNumbersReadBack() {
  Fill(Pref(), 2, "-1", "-56", true, "-128", "-1");
  fixture_->Run(&TForm1::SetPrefActionExecute);
  Fill(Pref(), 0, "", "", false, "", "");
  fixture_->Run(&TForm1::GetPrefActionExecute);
  QCOMPARE(Controls(Pref()), QStringLiteral("2 on [-1--56] [-128--1] shown"));
}

void TestPrefDialog::updateWritesAndCancelDoesNot() {
  fixture_->Phone.Put(2, 18, PrefRecord({3, 0, 20, 2, 0, 0, 0, 0}));
  QString seen;
  fixture_->Modal.DialogScripts.enqueue([&seen](QDialog* dialog) {
    auto* form = static_cast<TPrefForm*>(dialog);
    seen = Controls(*form);
    form->SetRG1ItemIndex(1);
    Control<QLineEdit>(*form, "ssEdit")->setText("22");
    return int(mrCancel);
  });
  fixture_->Run(&TForm1::Button3Click);
  QCOMPARE(fixture_->Modal.OpenedDialogs, QStringList{"PrefForm"});
  QCOMPARE(seen, QStringLiteral("0 off [2-20] [18-09] hidden"));
  QCOMPARE(fixture_->Phone.Calls("WriteNVMFile"), 0);
  QCOMPARE(Controls(Pref()), QStringLiteral("1 off [2-22] [18-09] hidden"));

  fixture_->Modal.DialogScripts.enqueue([](QDialog* dialog) {
    auto* form = static_cast<TPrefForm*>(dialog);
    Control<QLineEdit>(*form, "ssEdit")->setText("23");
    Control<QCheckBox>(*form, "ACheckBox")->click();
    Control<QLineEdit>(*form, "AssEdit")->setText("10");
    return int(mrOk);
  });
  fixture_->Run(&TForm1::Button3Click);
  QCOMPARE(fixture_->Phone.Get(2, 18), PrefRecord({3, 0, 23, 2, 10, 18, 0, 0}));
  QCOMPARE(fixture_->Status(), QStringLiteral("Uploaded!"));
}

void TestPrefDialog::checkBoxShowsAndHidesAutorunEdits() {
  TPrefForm& form = Pref();
  Control<QCheckBox>(form, "ACheckBox")->setChecked(true);
  form.ACheckBoxClick();
  Control<QLineEdit>(form, "AsEdit")->setText("18");
  Control<QLineEdit>(form, "AssEdit")->setText("9");
  QTest::mouseClick(Control<QCheckBox>(form, "ACheckBox"), Qt::LeftButton);
  QCOMPARE(Controls(form), QStringLiteral("-1 off [02-17] [18-9] hidden"));
  QVERIFY(!Control<QLabel>(form, "Label3")->isHidden());
  QTest::mouseClick(Control<QCheckBox>(form, "ACheckBox"), Qt::LeftButton);
  QCOMPARE(Controls(form), QStringLiteral("-1 on [02-17] [18-9] shown"));
}

// The link message comes first, then the dialog with empty library fields; "Update" then
// ends in the conversion error with nothing written.
void TestPrefDialog::openingWithNoPhone() {
  fixture_->Phone.SetFaults("init=-3");
  QStringList shownBefore;
  QString seen;
  fixture_->Modal.DialogScripts.enqueue([&](QDialog* dialog) {
    shownBefore = fixture_->Modal.ShownTexts();
    seen = Controls(*static_cast<TPrefForm*>(dialog));
    return int(mrOk);
  });
  fixture_->Run(&TForm1::Button3Click);
  QCOMPARE(shownBefore, QStringList{"GBP Error: No AT response!"});
  QCOMPARE(seen, QStringLiteral("-1 off [-] [18-09] shown"));
  QCOMPARE(fixture_->Modal.Shown.last().Text, QStringLiteral("'' is not a valid integer value."));
  QCOMPARE(fixture_->Modal.Shown.last().Kind, TShownBox::Error);
  QCOMPARE(fixture_->Phone.Calls("WriteNVMFile"), 0);
}

void TestPrefDialog::enterAndEscapeDoNotClose() {
  TPrefForm& form = Pref();
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  QTest::keyClick(Control<QLineEdit>(form, "sEdit"), Qt::Key_Return);
  QTest::keyClick(Control<QLineEdit>(form, "sEdit"), Qt::Key_Escape);
  QTest::keyClick(&form, Qt::Key_Escape);
  QVERIFY(form.isVisible());
  form.close();
  QVERIFY(!form.isVisible());
  QCOMPARE(form.result(), int(mrCancel));
  QCOMPARE(fixture_->Phone.Calls("WriteNVMFile"), 0);
}

QTEST_MAIN(TestPrefDialog)
#include "test_prefdialog.moc"
