// The grid rows' texts as assistive technology reads them: each row's built once after each
// change of its record, and, when the event loop turns, only the cells that now read
// differently from what assistive technology was last told.

#include <QtTest>

#include "app/gridrowtexts.h"

class TestGridRowTexts : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void builtOncePerChange();
  void changesTold_data();
  void changesTold();
};

namespace {

// Five data rows whose texts the test sets, counting how often each row is built.
struct TRows {
  QMap<int, QStringList> Cells;
  QMap<int, int> Builds;
  TGridRowTexts Texts{6, [this](int row) {
                        ++Builds[row];
                        return TRowTexts{Cells.value(row), QStringLiteral("row %1").arg(row)};
                      }};

  TRows() {
    for (int row = 1; row < 6; ++row)
      Cells[row] = {QStringLiteral("%1.").arg(row), QStringLiteral("0"), QString()};
  }
};

using TCells = QList<TGridRowTexts::TCell>;

}  // namespace

Q_DECLARE_METATYPE(TCells)

void TestGridRowTexts::builtOncePerChange() {
  TRows rows;
  QCOMPARE(rows.Texts.Texts(2).Cells, (QStringList{"2.", "0", ""}));
  QCOMPARE(rows.Texts.Texts(2).Description, QStringLiteral("row 2"));
  rows.Cells[2][1] = QStringLiteral("Calc, 3000");
  QCOMPARE(rows.Texts.Texts(2).Cells.at(1), QStringLiteral("0"));  // no change told yet
  rows.Texts.Changed(2);
  rows.Texts.Changed(2);
  QCOMPARE(rows.Texts.Texts(2).Cells.at(1), QStringLiteral("Calc, 3000"));
  rows.Texts.Texts(2);
  rows.Texts.TakeChanges();
  QCOMPARE(rows.Builds.value(2), 2);
  QCOMPARE(rows.Builds.value(3), 0);
  rows.Texts.Changed(0);  // the header and rows beyond the grid are no data rows
  rows.Texts.Changed(6);
  QVERIFY(!rows.Texts.ChangesWaiting());
}

// "told": when what the rows read counts as told (never, before the changes, after the first
// of them: a row changed before that is told whole); "changes": row, column and new text, in
// the order the rows change within one turn of the event loop.
void TestGridRowTexts::changesTold_data() {
  QTest::addColumn<QString>("told");
  QTest::addColumn<QStringList>("changes");
  QTest::addColumn<TCells>("expected");
  QTest::newRow("refreshed to what it read") << "before" << QStringList{"3:1:0"} << TCells{};
  QTest::newRow("a new size") << "before" << QStringList{"3:1:Calc, 3000"} << TCells{{3, 1}};
  QTest::newRow("content and label")
      << "before" << QStringList{"3:1:Calc, 3000", "3:2:UFIF 2"} << TCells{{3, 1}, {3, 2}};
  QTest::newRow("rows in order, each once")
      << "before" << QStringList{"5:1:9", "2:1:7", "5:1:8"} << TCells{{2, 1}, {5, 1}};
  QTest::newRow("changed and changed back")
      << "before" << QStringList{"4:1:7", "4:1:0"} << TCells{};
  QTest::newRow("nothing told: the whole row")
      << "never" << QStringList{"3:1:0"} << TCells{{3, 0}, {3, 1}, {3, 2}};
  QTest::newRow("changed before the rest was told")
      << "after" << QStringList{"2:1:0", "3:1:0"} << TCells{{2, 0}, {2, 1}, {2, 2}};
}

void TestGridRowTexts::changesTold() {
  QFETCH(QString, told);
  QFETCH(QStringList, changes);
  QFETCH(TCells, expected);
  TRows rows;
  if (told == QLatin1String("before"))
    rows.Texts.TellUntold();
  for (const QString& change : changes) {
    const int row = change.section(QLatin1Char(':'), 0, 0).toInt();
    rows.Cells[row][change.section(QLatin1Char(':'), 1, 1).toInt()] =
        change.section(QLatin1Char(':'), 2);
    rows.Texts.Changed(row);
    if (told == QLatin1String("after"))
      rows.Texts.TellUntold();
  }
  QVERIFY(rows.Texts.ChangesWaiting());
  QCOMPARE(rows.Texts.TakeChanges(), expected);
  // What was taken counts as told: the same texts again tell nothing.
  QVERIFY(!rows.Texts.ChangesWaiting());
  for (const TGridRowTexts::TCell& cell : expected)
    rows.Texts.Changed(cell.Row);
  QCOMPARE(rows.Texts.TakeChanges(), TCells{});
}

QTEST_MAIN(TestGridRowTexts)
#include "test_gridrowtexts.moc"
