// Several rows at once: choosing them with the mouse and the keyboard as in desktop lists,
// what assistive technology is told, and the context menu's items over them, saving and
// clearing the slots of the virtual phone.

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QtTest>

#include "app/drawgrid.h"
#include "app/workpanel.h"
#include "tests/support/windowtest.h"

class TestManySlots : public TWindowTest {
  Q_OBJECT
 public:
  TestManySlots() : TWindowTest(TManagerFixture::Unshown) {}

 private Q_SLOTS:
  void gesturesChooseRows_data();
  void gesturesChooseRows();
  void menuOffersTheSelectedSlots();
  void assistiveTechnologySeesTheSelection();
  void downloadAsksAboutATakenName_data();
  void downloadAsksAboutATakenName();
  void clearListsTheSlotsAndClearsThem();
  void cancelLeavesTheRestAndSaysSo();

 private:
  // Right-clicks row, and returns the menu's visible items after "Details...".
  QStringList MenuAfterDetails(int row) const;
  // Full Refresh; then row 1 chosen, and row with the modifier; the boxes so far forgotten.
  void Refresh() const;
  void SelectFromFirst(Qt::KeyboardModifier modifier, int row) const;
};

QStringList TestManySlots::MenuAfterDetails(int row) const {
  QTest::mouseClick(fixture_->Grid()->viewport(), Qt::RightButton, Qt::NoModifier,
                    fixture_->Grid()->CellRect(1, row).center());
  PopupMenu()->hide();
  const QList<QAction*> actions = PopupMenu()->actions();
  QStringList shown;
  for (int i = int(actions.indexOf(DetailsAction())) + 1; i < actions.size(); ++i) {
    if (actions.at(i)->isVisible() && !actions.at(i)->isSeparator())
      shown << actions.at(i)->text();
  }
  return shown;
}

void TestManySlots::Refresh() const {
  Control<QAbstractButton>("Button1")->click();
}

void TestManySlots::SelectFromFirst(Qt::KeyboardModifier modifier, int row) const {
  fixture_->Select(1);
  QTest::mouseClick(fixture_->Grid()->viewport(), Qt::LeftButton, modifier,
                    fixture_->Grid()->CellRect(1, row).center());
  fixture_->Modal.Clear();
}

// Gestures, one a word: "3" a click on row 3, "^3" with Ctrl, "+3" with Shift, "^+3" with
// both, ">3" the right button; "+down" Shift with the arrow, "down" alone, "all" Ctrl+A.
void TestManySlots::gesturesChooseRows_data() {
  QTest::addColumn<QString>("gestures");
  QTest::addColumn<QList<int>>("selected");
  QTest::addColumn<int>("current");
  QTest::newRow("ctrl adds") << "3 ^5 ^7" << QList<int>{3, 5, 7} << 7;
  QTest::newRow("ctrl again takes away") << "3 ^5 ^7 ^5" << QList<int>{3, 7} << 7;
  QTest::newRow("the current one taken away") << "3 ^5 ^7 ^7" << QList<int>{3, 5} << 5;
  QTest::newRow("the last one stays") << "3 ^3" << QList<int>{3} << 3;
  QTest::newRow("shift runs from the anchor") << "6 +3" << QList<int>{3, 4, 5, 6} << 3;
  QTest::newRow("shift again moves the end") << "3 +6 +4" << QList<int>{3, 4} << 4;
  QTest::newRow("ctrl shift adds a run") << "2 ^6 ^+8" << QList<int>{2, 6, 7, 8} << 8;
  QTest::newRow("shift arrows") << "4 +down +down" << QList<int>{4, 5, 6} << 6;
  QTest::newRow("an arrow alone") << "4 +down down" << QList<int>{6} << 6;
  QTest::newRow("right button inside keeps") << "3 +5 >4" << QList<int>{3, 4, 5} << 4;
  QTest::newRow("right button outside") << "3 +5 >9" << QList<int>{9} << 9;
}

void TestManySlots::gesturesChooseRows() {
  QFETCH(QString, gestures);
  QFETCH(QList<int>, selected);
  QFETCH(int, current);
  fixture_->Show();
  TDrawGrid* grid = fixture_->Grid();
  grid->setFocus();
  for (QString gesture : gestures.split(' ')) {
    Qt::KeyboardModifiers modifiers;
    Qt::MouseButton button = Qt::LeftButton;
    for (; !gesture.isEmpty() && !gesture.at(0).isLetterOrNumber(); gesture.remove(0, 1)) {
      const QChar mark = gesture.at(0);
      modifiers |= mark == '^'   ? Qt::ControlModifier
                   : mark == '+' ? Qt::ShiftModifier
                                 : Qt::NoModifier;
      if (mark == '>')
        button = Qt::RightButton;
    }
    if (gesture == "down") {
      QTest::keyClick(grid, Qt::Key_Down, modifiers);
    } else {
      QTest::mouseClick(grid->viewport(), button, modifiers,
                        grid->CellRect(1, gesture.toInt()).center());
      PopupMenu()->hide();
    }
  }
  QCOMPARE(grid->SelectedRows(), selected);
  QCOMPARE(Window().CurrentRow(), current);
}

// The specified items act on the current row whatever else is selected; the two items over
// the selection show only while it holds more than one row.
void TestManySlots::menuOffersTheSelectedSlots() {
  fixture_->Show();
  Slots()[4].Kind = skGIF;
  QCOMPARE(MenuAfterDetails(4), QStringList{"Upload files..."});
  QTest::keyClick(fixture_->Grid(), Qt::Key_A, Qt::ControlModifier);
  QCOMPARE(Window().SelectedRows().size(), 26);
  QCOMPARE(MenuAfterDetails(4),
           (QStringList{"Upload files...", "Download 26 slots...", "Clear 26 slots..."}));
  // The row pointed at became current within the selection, and the items judge it alone.
  QCOMPARE(Window().SelectedRows().size(), 26);
  QCOMPARE(Window().CurrentRow(), 4);
  QVERIFY(Control<QAction>("PlayGIFAction")->isEnabled());
  QVERIFY(!Control<QAction>("ConvertAction")->isEnabled());
}

void TestManySlots::assistiveTechnologySeesTheSelection() {
  fixture_->Show();
  QAccessibleTableInterface* table =
      QAccessible::queryAccessibleInterface(fixture_->Grid())->tableInterface();
  QVERIFY(table);
  fixture_->Select(2);
  QVERIFY(table->selectRow(4));
  QCOMPARE(table->selectedRows(), (QList<int>{1, 4}));
  QVERIFY(table->cellAt(4, 0)->state().selected);
  QCOMPARE(Window().CurrentRow(), 5);
  QVERIFY(!table->unselectRow(4));  // the current row stays selected
  QVERIFY(table->unselectRow(1));
  QCOMPARE(table->selectedRows(), QList<int>{4});
  QVERIFY(!table->cellAt(1, 0)->state().selected);
}

void TestManySlots::downloadAsksAboutATakenName_data() {
  QTest::addColumn<int>("answer");  // Replace, Skip, Replace all, Skip all
  QTest::addColumn<bool>("replaced");
  QTest::newRow("replace") << 0 << true;
  QTest::newRow("skip") << 1 << false;
  QTest::newRow("skip all") << 3 << false;
}

void TestManySlots::downloadAsksAboutATakenName() {
  QFETCH(int, answer);
  QFETCH(bool, replaced);
  const QByteArray calc = Program(3000, "Calc");
  const QByteArray picture = QByteArray("GIF89a") + QByteArray(300, '\1');
  fixture_->Phone.Put(18, 9, calc);
  fixture_->Phone.Put(18, 11, picture);
  fixture_->Show();
  Refresh();
  const QString dir = fixture_->FilePath(QStringLiteral("saved"));
  QVERIFY(QDir().mkpath(dir));
  const QString taken = dir + QStringLiteral("/18-9 Calc.prg");
  QFile stale(taken);
  QVERIFY(stale.open(QIODevice::WriteOnly) && stale.write("stale") == 5);
  stale.close();

  SelectFromFirst(Qt::ShiftModifier, 3);
  fixture_->Modal.FolderNames.enqueue(dir);
  fixture_->Modal.Choices.enqueue(answer);
  // The summary stands alone: the last slot's progress is gone from beside it.
  bool progressBesideSummary = true;
  fixture_->Modal.WhenShown = [&] {
    progressBesideSummary = !Control<QLabel>(Window(), "WorkText")->isHidden();
  };
  ManySlots().DownloadSlotsAction()->trigger();
  QVERIFY(!progressBesideSummary);

  QCOMPARE(fixture_->Modal.FileDialogTitles, QStringList{"Download 3 slots into"});
  QCOMPARE(fixture_->Modal.Shown.first().Kind, TShownBox::Choice);
  QVERIFY(fixture_->Modal.Shown.first().Text.startsWith("18-9 Calc.prg is there already"));
  QFile kept(taken);
  QVERIFY(kept.open(QIODevice::ReadOnly));
  QCOMPARE(kept.readAll() == calc, replaced);
  QFile gif(dir + QStringLiteral("/18-11.gif"));
  QVERIFY(gif.open(QIODevice::ReadOnly));
  QCOMPARE(gif.readAll(), picture);
  // The empty 18-10 is skipped, which is no failure.
  QCOMPARE(fixture_->LastBox().Caption, QStringLiteral("OK!"));
  QCOMPARE(fixture_->LastBox().Detail, QString());
}

void TestManySlots::clearListsTheSlotsAndClearsThem() {
  fixture_->Phone.Put(18, 9, Program(3000, "Calc"));
  fixture_->Phone.Put(18, 12, QByteArray(100, 'x'));
  fixture_->Phone.Put(18, 13, Program(500, "Keep"));
  fixture_->Show();
  Refresh();
  SelectFromFirst(Qt::ControlModifier, 4);
  fixture_->Modal.ConfirmAnswers.enqueue(false);
  ManySlots().ClearSlotsAction()->trigger();
  QVERIFY(!fixture_->Phone.Get(18, 9).isEmpty());

  fixture_->Modal.ConfirmAnswers.enqueue(true);
  ManySlots().ClearSlotsAction()->trigger();
  const QStringList asked = fixture_->Modal.Shown.first().Text.split('\n');
  QCOMPARE(asked.first(), QStringLiteral("Are you sure to clear these 2 sections?"));
  QVERIFY(asked.at(1).startsWith("18-9: Calc"));
  QVERIFY(asked.at(2).startsWith("18-12: "));
  QVERIFY(fixture_->Phone.Get(18, 9).isEmpty());
  QVERIFY(fixture_->Phone.Get(18, 12).isEmpty());
  QVERIFY(!fixture_->Phone.Get(18, 13).isEmpty());
  QCOMPARE(Slots()[1].Kind, skEmpty);
  QCOMPARE(fixture_->LastBox().Text, QStringLiteral("2 of 2 slots done"));
}

// Cancel pressed while the first slot is cleared: the others stay as they are, and the
// summary names them.
void TestManySlots::cancelLeavesTheRestAndSaysSo() {
  for (int subsection : {9, 10, 11})
    fixture_->Phone.Put(18, subsection, QByteArray(200, char(subsection)));
  fixture_->Show();
  Refresh();
  SelectFromFirst(Qt::ShiftModifier, 3);
  fixture_->Modal.ConfirmAnswers.enqueue(true);
  qputenv("GBP_BAUD", "9600");
  QTimer cancel;
  connect(&cancel, &QTimer::timeout, [&] {
    if (fixture_->Phone.Calls("ClearNVMFile") > 0)
      Window().Work().RequestCancel();
  });
  cancel.start(0);
  ManySlots().ClearSlotsAction()->trigger();
  QCOMPARE(fixture_->Phone.Calls("ClearNVMFile"), 1);
  QVERIFY(fixture_->Phone.Get(18, 9).isEmpty());
  QCOMPARE(fixture_->Phone.Get(18, 11), QByteArray(200, char(11)));
  const TShownBox summary = fixture_->LastBox();
  QCOMPARE(summary.Caption, QStringLiteral("ERROR"));
  QCOMPARE(summary.Text, QStringLiteral("1 of 3 slots done; 2 not reached"));
  QCOMPARE(summary.Detail, QStringLiteral("18-10: not reached\n18-11: not reached"));
}

QTEST_MAIN(TestManySlots)
#include "test_manyslots.moc"
