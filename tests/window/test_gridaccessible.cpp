// The grid as assistive technology reads it, in process: a table of the slot rows with the
// header captions, each cell with the texts the grid draws, the current row selected; and a
// row's tooltip.

#include <QAccessible>
#include <QAction>
#include <QHelpEvent>
#include <QToolTip>
#include <QtTest>

#include "app/drawgrid.h"
#include "app/mainwindow.h"
#include "tests/support/windowtest.h"

class TestGridAccessible : public TWindowTest {
  Q_OBJECT
 private Q_SLOTS:

  void gridIsATableOfTheSlotRows();
  void refreshedRowReadsAsDrawn();
  void currentRowIsSelected();
  void rowToolTipDescribesTheSlot();

 private:
  QAccessibleInterface* Grid() const {
    return QAccessible::queryAccessibleInterface(fixture_->Grid());
  }
  QString Cell(int row, int col) const {
    QAccessibleInterface* cell = Grid()->tableInterface()->cellAt(row, col);
    return cell ? cell->text(QAccessible::Name) : QStringLiteral("<none>");
  }
};

void TestGridAccessible::gridIsATableOfTheSlotRows() {
  QAccessibleInterface* grid = Grid();
  QVERIFY(grid);
  QCOMPARE(grid->role(), QAccessible::Table);
  QAccessibleTableInterface* table = grid->tableInterface();
  QVERIFY(table);
  QCOMPARE(table->rowCount(), 26);
  QCOMPARE(table->columnCount(), 3);
  QCOMPARE((QStringList{table->columnDescription(0), table->columnDescription(1),
                        table->columnDescription(2)}),
           (QStringList{"#", "Program & Size", "FW"}));
  // The header cells come first among the children, then the rows' cells.
  QCOMPARE(grid->childCount(), 27 * 3);
  QCOMPARE(grid->child(1)->role(), QAccessible::ColumnHeader);
  QCOMPARE(grid->child(1)->text(QAccessible::Name), QStringLiteral("Program & Size"));
  QCOMPARE(grid->child(3), table->cellAt(0, 0));
  QCOMPARE(grid->indexOfChild(table->cellAt(25, 2)), 26 * 3 + 2);
  QCOMPARE(Cell(21, 0), QStringLiteral("1. {2-10}"));
  QVERIFY(!table->cellAt(26, 0));

  TManagerFixture::WriteSettings("[Manager]\nBigSlots=5\nSmallSlots=2\n");
  Window().LoadSettings();
  QCOMPARE(table->rowCount(), 7);
  QCOMPARE(Cell(6, 0), QStringLiteral("2. {2-11}"));
}

void TestGridAccessible::refreshedRowReadsAsDrawn() {
  fixture_->Phone.Put(18, 10, Program(3000, "Calc"));
  fixture_->Show();
  Window().SelectRow(2);
  // What was read before the refresh is not what is read after it.
  QCOMPARE(Cell(1, 1), QStringLiteral("0"));
  QVERIFY(Grid()
              ->tableInterface()
              ->cellAt(1, 1)
              ->text(QAccessible::Description)
              .contains(QLatin1String("Not refreshed yet")));
  Control<QAction>("RefreshAction")->trigger();
  QCOMPARE((QStringList{Cell(1, 0), Cell(1, 1), Cell(1, 2)}),
           (QStringList{"2. {18-10}", "Calc, 3000", "UFIF 2"}));
  QAccessibleInterface* cell = Grid()->tableInterface()->cellAt(1, 1);
  QCOMPARE(cell->role(), QAccessible::Cell);
  QAccessibleTableCellInterface* place = cell->tableCellInterface();
  QVERIFY(place);
  QCOMPARE(place->rowIndex(), 1);
  QCOMPARE(place->columnIndex(), 1);
  QCOMPARE(place->columnHeaderCells().first()->text(QAccessible::Name),
           QStringLiteral("Program & Size"));
  QCOMPARE(place->table(), Grid());
  QVERIFY(cell->text(QAccessible::Description).contains(QLatin1String("Name: Calc")));
  QVERIFY(cell->rect().isValid());
}

void TestGridAccessible::currentRowIsSelected() {
  QAccessibleTableInterface* table = Grid()->tableInterface();
  Window().SelectRow(3);
  QCOMPARE(table->selectedRows(), QList<int>{2});
  QVERIFY(table->isRowSelected(2));
  QVERIFY(table->cellAt(2, 1)->state().selected);
  QVERIFY(!table->cellAt(1, 1)->state().selected);
  QCOMPARE(table->selectedCellCount(), 3);
  // Assistive technology may move the current row itself.
  QVERIFY(table->selectRow(4));
  QCOMPARE(Window().CurrentRow(), 5);
}

void TestGridAccessible::rowToolTipDescribesTheSlot() {
  fixture_->Show();
  Slots()[2] = {skProgram, QStringLiteral("Calc"), 0x20000000, 3000, 0, 0, 107};
  QWidget* viewport = fixture_->Grid()->viewport();
  const QPoint at = fixture_->Grid()->CellRect(1, 2).center();
  QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
  QApplication::sendEvent(viewport, &help);
  QCOMPARE(QToolTip::text(), QStringLiteral("Section 18-10, big slot 2\nKind: Program\nName: Calc\n"
                                            "Size: 3000 bytes\nFormat: UFIF 2\nIcon: E852"));
  QToolTip::hideText();
}

QTEST_MAIN(TestGridAccessible)
#include "test_gridaccessible.moc"
