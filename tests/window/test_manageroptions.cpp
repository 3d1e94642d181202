// The main window's options dialog against the virtual phone: the stored values it shows,
// what OK, Default and Cancel take, the fields it refuses, and a save that fails. Every box
// the user would see is read from the scripted modal interface.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/drawgrid.h"
#include "app/mainwindow.h"
#include "settings/ui/expertsform.h"
#include "tests/support/windowtest.h"

class TestManagerOptions : public TWindowTest {
  Q_OBJECT
 public:
  TestManagerOptions() : TWindowTest(TManagerFixture::Unshown) {}

 private Q_SLOTS:
  void optionsShowTheStoredValues();
  void optionsOkTakesTheRanges();
  void optionsDefaultThenOk();
  void optionsOkGivesBackTheLoadedRanges_data();
  void optionsOkGivesBackTheLoadedRanges();
  void optionsCancelUndoesEveryChange();
  void optionsOkStoresTheFirmware();
  void optionsRefuseBadFields_data();
  void optionsRefuseBadFields();
  void optionsTakeNothingFromBadFieldsEvenOnOk();
  void optionsKeepTheGridInStepWhenTheSaveFails();

 private:
  void ClickOk(QDialog* dialog) const;
};

void TestManagerOptions::ClickOk(QDialog* dialog) const {
  dialog->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
}

void TestManagerOptions::optionsShowTheStoredValues() {
  fixture_->Show();
  QStringList seen;
  fixture_->Modal.DialogScripts << [this, &seen](QDialog*) {
    seen << Control<QLineEdit>(Experts(), "BSME1")->text()
         << Control<QLineEdit>(Experts(), "BSME2")->text()
         << Control<QLineEdit>(Experts(), "SSME1")->text()
         << Control<QLineEdit>(Experts(), "SSME2")->text()
         << Control<QComboBox>(Experts(), "FWComboBox")->currentText() << Experts().windowTitle();
    return int(mrCancel);
  };
  Control<QPushButton>("Button7")->click();
  QCOMPARE(seen,
           (QStringList{"09", "29", "10", "14", "0x370000 - J7/70 3.10/4", "Manager options"}));
  QCOMPARE(fixture_->Modal.OpenedDialogs, QStringList{"ExpertsForm"});
  // The settings were saved before the dialog opened.
  QVERIFY(TManagerFixture::ReadSettings().contains(QLatin1String("FirstBig=9")));
}

void TestManagerOptions::optionsOkTakesTheRanges() {
  fixture_->Show();
  Slots()[1].Caption = QStringLiteral("stale");
  fixture_->Modal.DialogScripts << [this](QDialog* dialog) {
    Control<QLineEdit>(Experts(), "BSME1")->setText(QStringLiteral("05"));
    Control<QLineEdit>(Experts(), "BSME2")->setText(QStringLiteral("20"));
    ClickOk(dialog);
    return dialog->result();
  };
  Control<QPushButton>("Button7")->click();
  QCOMPARE(CurrentSlotRanges().FirstBig, 5);
  QCOMPARE(CurrentSlotRanges().BigSlots, 16);
  QCOMPARE(fixture_->Grid()->RowCount(), 22);
  QCOMPARE(Slots()[1].Caption, QString());
  const QString text = TManagerFixture::ReadSettings();
  QVERIFY(text.contains(QLatin1String("FirstBig=5")));
  QVERIFY(text.contains(QLatin1String("BigSlots=16")));
  QVERIFY(fixture_->Modal.Shown.isEmpty());
}

void TestManagerOptions::optionsDefaultThenOk() {
  TManagerFixture::WriteSettings("[Manager]\nFirstBig=3\nBigSlots=4\nFirstSmall=1\nSmallSlots=2\n");
  fixture_->Show();
  fixture_->Modal.DialogScripts << [this](QDialog* dialog) {
    Control<QPushButton>(Experts(), "Button3")->click();
    ClickOk(dialog);
    return dialog->result();
  };
  Control<QPushButton>("Button7")->click();
  const TSlotRanges ranges = CurrentSlotRanges();
  QCOMPARE((QList<int>{ranges.FirstBig, ranges.BigSlots, ranges.FirstSmall, ranges.SmallSlots}),
           (QList<int>{9, 21, 10, 5}));
  QVERIFY(TManagerFixture::ReadSettings().contains(QLatin1String("SmallSlots=5")));
}

// The reload after Cancel puts back the same ranges: the rows still name the sections their
// records describe, so they keep them.
void TestManagerOptions::optionsCancelUndoesEveryChange() {
  fixture_->Show();
  Slots()[1].Caption = QStringLiteral("kept");
  fixture_->Modal.DialogScripts << [this](QDialog*) {
    Control<QPushButton>(Experts(), "Button3")->click();
    Control<QLineEdit>(Experts(), "BSME1")->setText(QStringLiteral("01"));
    Control<QComboBox>(Experts(), "FWComboBox")->setCurrentIndex(6);
    return int(mrCancel);
  };
  Control<QPushButton>("Button7")->click();
  QCOMPARE(CurrentSlotRanges().FirstBig, 9);
  QCOMPARE(Control<QLineEdit>(Experts(), "BSME1")->text(), QStringLiteral("09"));
  QCOMPARE(Control<QComboBox>(Experts(), "FWComboBox")->currentIndex(), 0);
  QCOMPARE(Slots()[1].Caption, QStringLiteral("kept"));
}

void TestManagerOptions::optionsOkGivesBackTheLoadedRanges_data() {
  QTest::addColumn<QByteArray>("stored");
  QTest::addColumn<int>("bigSlots");
  QTest::addColumn<int>("smallSlots");
  QTest::newRow("empty ranges from 0")
      << QByteArray("FirstBig=0\nBigSlots=0\nFirstSmall=0\nSmallSlots=0\n") << 0 << 0;
  QTest::newRow("first beyond two digits") << QByteArray("FirstBig=120\nBigSlots=3\n") << 3 << 5;
  QTest::newRow("running past 99") << QByteArray("FirstBig=90\nBigSlots=20\n") << 10 << 5;
}

// Opening Options and pressing OK unchanged gives back exactly the ranges that were loaded.
void TestManagerOptions::optionsOkGivesBackTheLoadedRanges() {
  QFETCH(QByteArray, stored);
  QFETCH(int, bigSlots);
  QFETCH(int, smallSlots);
  TManagerFixture::WriteSettings("[Manager]\n" + stored);
  fixture_->Show();
  const TSlotRanges loaded = CurrentSlotRanges();
  QCOMPARE(loaded.BigSlots, bigSlots);
  QCOMPARE(loaded.SmallSlots, smallSlots);
  fixture_->Modal.DialogScripts << [this](QDialog* dialog) {
    ClickOk(dialog);
    return dialog->result();
  };
  Control<QPushButton>("Button7")->click();
  const TSlotRanges back = CurrentSlotRanges();
  QCOMPARE((QList<int>{back.FirstBig, back.BigSlots, back.FirstSmall, back.SmallSlots}),
           (QList<int>{loaded.FirstBig, loaded.BigSlots, loaded.FirstSmall, loaded.SmallSlots}));
  QVERIFY(fixture_->Modal.Shown.isEmpty());
}

void TestManagerOptions::optionsOkStoresTheFirmware() {
  fixture_->Show();
  fixture_->Modal.DialogScripts << [this](QDialog* dialog) {
    Control<QComboBox>(Experts(), "FWComboBox")->setCurrentIndex(6);
    ClickOk(dialog);
    return dialog->result();
  };
  Control<QPushButton>("Button7")->click();
  QCOMPARE(Control<QComboBox>(Experts(), "FWComboBox")->currentText(),
           QStringLiteral("0x37BDD8 - Z7 4.5.6/4"));
  QVERIFY(TManagerFixture::ReadSettings().contains(QLatin1String("UFIFFW=6")));
}

void TestManagerOptions::optionsRefuseBadFields_data() {
  QTest::addColumn<QStringList>("fields");
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("text");
  QTest::newRow("empty last big slot") << QStringList{"05", "", "10", "14"} << int(TShownBox::Error)
                                       << "'' is not a valid integer value.";
  QTest::newRow("empty last small slot")
      << QStringList{"05", "20", "10", ""} << int(TShownBox::Error)
      << "'' is not a valid integer value.";
  QTest::newRow("last big below first")
      << QStringList{"20", "05", "10", "14"} << int(TShownBox::Message)
      << "Invalid big slot range: the last subsection comes before the first one.";
  QTest::newRow("more than 99 slots")
      << QStringList{"00", "99", "00", "10"} << int(TShownBox::Message)
      << "The manager shows at most 99 slots; these ranges hold 111.";
}

// The dialog stays open with the reason; closing it then changes nothing.
void TestManagerOptions::optionsRefuseBadFields() {
  QFETCH(QStringList, fields);
  QFETCH(int, kind);
  QFETCH(QString, text);
  fixture_->Show();
  Slots()[2].Caption = QStringLiteral("kept");
  bool stayedOpen = false;
  fixture_->Modal.DialogScripts << [&](QDialog* dialog) {
    Control<QLineEdit>(Experts(), "BSME1")->setText(fields[0]);
    Control<QLineEdit>(Experts(), "BSME2")->setText(fields[1]);
    Control<QLineEdit>(Experts(), "SSME1")->setText(fields[2]);
    Control<QLineEdit>(Experts(), "SSME2")->setText(fields[3]);
    ClickOk(dialog);
    stayedOpen = dialog->isVisible();
    return int(mrCancel);
  };
  Control<QPushButton>("Button7")->click();
  QVERIFY(stayedOpen);
  QCOMPARE(fixture_->Modal.Shown.size(), 1);
  QCOMPARE(int(fixture_->Modal.Shown.first().Kind), kind);
  QCOMPARE(fixture_->Modal.Shown.first().Text, text);
  const TSlotRanges ranges = CurrentSlotRanges();
  QCOMPARE((QList<int>{ranges.FirstBig, ranges.BigSlots, ranges.FirstSmall, ranges.SmallSlots}),
           (QList<int>{9, 21, 10, 5}));
  QVERIFY(TManagerFixture::ReadSettings().contains(QLatin1String("FirstBig=9")));
}

void TestManagerOptions::optionsTakeNothingFromBadFieldsEvenOnOk() {
  fixture_->Show();
  fixture_->Modal.DialogScripts << [this](QDialog*) {
    Control<QLineEdit>(Experts(), "BSME1")->setText(QStringLiteral("05"));
    Control<QLineEdit>(Experts(), "SSME2")->clear();
    return int(mrOk);
  };
  Control<QPushButton>("Button7")->click();
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{"'' is not a valid integer value."});
  QCOMPARE(CurrentSlotRanges().FirstBig, 9);
  QVERIFY(TManagerFixture::ReadSettings().contains(QLatin1String("FirstBig=9")));
}

// The new ranges are in force once taken, so the grid must show them although they could
// not be stored: otherwise its rows would address other sections than they show.
void TestManagerOptions::optionsKeepTheGridInStepWhenTheSaveFails() {
  fixture_->Show();
  Slots()[1].Caption = QStringLiteral("stale");
  const QString path = TManagerFixture::SettingsPath();
  fixture_->Modal.DialogScripts << [this, &path](QDialog* dialog) {
    QFile::remove(path);  // written as the dialog opened; from now on nothing can be
    QDir().mkpath(path);
    Control<QLineEdit>(Experts(), "BSME1")->setText(QStringLiteral("05"));
    Control<QLineEdit>(Experts(), "BSME2")->setText(QStringLiteral("20"));
    ClickOk(dialog);
    return dialog->result();
  };
  Control<QPushButton>("Button7")->click();
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{"Unable to write to " + path + "."});
  QCOMPARE(CurrentSlotRanges().BigSlots, 16);
  QCOMPARE(fixture_->Grid()->RowCount(), 22);
  QCOMPARE(Slots()[1].Caption, QString());
  QCOMPARE(Control<QLineEdit>(Experts(), "BSME2")->text(), QStringLiteral("20"));
}

QTEST_MAIN(TestManagerOptions)
#include "test_manageroptions.moc"
