// The main window's rules without widgets: the grid's cell geometry, the window's placement
// on the screens, the options dialog's range fields, the context menu's enabled sets, and
// the texts a row gives its tooltip and assistive technology.

#include <QtTest>

#include "app/gridgeometry.h"
#include "app/menurules.h"
#include "app/placement.h"
#include "catalogue/gridtext.h"
#include "common/errors.h"
#include "settings/settingsfile.h"

Q_DECLARE_METATYPE(TSlotInfo)

class TestWindowRules : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void headerStaysWhileRowsScroll();
  void scrollIsBounded();
  void scrollToShowMovesTheFewestRows();
  void hitTests_data();
  void hitTests();
  void lastDrawnRowIncludesPartlyShownOne();

  void rangeFields_data();
  void rangeFields();
  void everyFieldIsCheckedBeforeAnyIsTaken();
  void rangeProblems_data();
  void rangeProblems();

  void menuStates_data();
  void menuStates();

  void placementOnScreens_data();
  void placementOnScreens();
  void rowTexts_data();
  void rowTexts();
};

namespace {

TGridGeometry DefaultGrid(int rowCount = 27) {
  TGridGeometry grid({75, 120, 64}, rowCount, 30);
  grid.SetViewport(QSize(259, 150));  // header and four data rows, with 0 pixels to spare
  return grid;
}

}  // namespace

void TestWindowRules::headerStaysWhileRowsScroll() {
  TGridGeometry grid = DefaultGrid();
  QCOMPARE(grid.CellRect(0, 0), QRect(0, 0, 75, 30));
  QCOMPARE(grid.CellRect(1, 1), QRect(75, 30, 120, 30));
  QCOMPARE(grid.CellRect(2, 4), QRect(195, 120, 64, 30));
  grid.SetTopRow(10);
  QCOMPARE(grid.CellRect(1, 0), QRect(75, 0, 120, 30));
  QCOMPARE(grid.CellRect(0, 10), QRect(0, 30, 75, 30));
  QVERIFY(grid.CellRect(0, 9).isEmpty());
  grid.SetViewport(QSize(100, 150));
  grid.SetLeftOffset(40);
  QCOMPARE(grid.CellRect(0, 0), QRect(-40, 0, 75, 30));
  QCOMPARE(grid.CellRect(1, 10), QRect(35, 30, 120, 30));
}

void TestWindowRules::scrollIsBounded() {
  TGridGeometry grid = DefaultGrid();
  QCOMPARE(grid.VisibleDataRows(), 4);
  QCOMPARE(grid.MaxTopRow(), 23);  // rows 23..26 fill the view
  grid.SetTopRow(100);
  QCOMPARE(grid.TopRow(), 23);
  grid.SetTopRow(-3);
  QCOMPARE(grid.TopRow(), 1);
  grid.SetTopRow(23);
  grid.SetRowCount(3);  // fewer rows than fit: no scrolling left
  QCOMPARE(grid.TopRow(), 1);
  grid.SetRowCount(1);
  QCOMPARE(grid.MaxTopRow(), 1);
  QCOMPARE(grid.LastDrawnRow(), 0);

  grid.SetViewport(QSize(200, 150));
  QCOMPARE(grid.MaxLeftOffset(), 59);
  grid.SetLeftOffset(500);
  QCOMPARE(grid.LeftOffset(), 59);
  grid.SetColWidth(1, 61);  // the columns now fit: the offset goes back to 0
  QCOMPARE(grid.LeftOffset(), 0);
}

void TestWindowRules::scrollToShowMovesTheFewestRows() {
  TGridGeometry grid = DefaultGrid();
  grid.ScrollToShow(4);
  QCOMPARE(grid.TopRow(), 1);
  grid.ScrollToShow(5);
  QCOMPARE(grid.TopRow(), 2);
  grid.ScrollToShow(26);
  QCOMPARE(grid.TopRow(), 23);
  grid.ScrollToShow(20);
  QCOMPARE(grid.TopRow(), 20);
  grid.ScrollToShow(0);  // the header is always shown
  QCOMPARE(grid.TopRow(), 20);
}

void TestWindowRules::hitTests_data() {
  QTest::addColumn<int>("topRow");
  QTest::addColumn<QPoint>("point");
  QTest::addColumn<int>("row");
  QTest::addColumn<int>("column");
  QTest::addColumn<int>("edge");
  QTest::newRow("header, first column") << 1 << QPoint(10, 5) << 0 << 0 << -1;
  QTest::newRow("first data row") << 1 << QPoint(80, 30) << 1 << 1 << -1;
  QTest::newRow("last pixel of row 1") << 1 << QPoint(100, 59) << 1 << 1 << -1;
  QTest::newRow("row 2") << 1 << QPoint(100, 60) << 2 << 1 << -1;
  QTest::newRow("scrolled") << 10 << QPoint(100, 31) << 10 << 1 << -1;
  QTest::newRow("edge of column 1, left side") << 1 << QPoint(192, 5) << 0 << 1 << 1;
  QTest::newRow("edge of column 1, right side") << 1 << QPoint(198, 5) << 0 << 2 << 1;
  QTest::newRow("right of the columns") << 1 << QPoint(300, 5) << 0 << -1 << -1;
  QTest::newRow("above the grid") << 1 << QPoint(10, -1) << -1 << 0 << -1;
}

void TestWindowRules::hitTests() {
  QFETCH(int, topRow);
  QFETCH(QPoint, point);
  QFETCH(int, row);
  QFETCH(int, column);
  QFETCH(int, edge);
  TGridGeometry grid = DefaultGrid();
  grid.SetTopRow(topRow);
  QCOMPARE(grid.RowAt(point.y()), row);
  QCOMPARE(grid.ColumnAt(point.x()), column);
  QCOMPARE(grid.ColumnEdgeAt(point.x()), edge);
}

void TestWindowRules::lastDrawnRowIncludesPartlyShownOne() {
  TGridGeometry grid = DefaultGrid();
  QCOMPARE(grid.LastDrawnRow(), 4);
  grid.SetViewport(QSize(259, 151));
  QCOMPARE(grid.LastDrawnRow(), 5);
  QCOMPARE(grid.VisibleDataRows(), 4);
  QCOMPARE(grid.RowAt(150), 5);
  TGridGeometry few = DefaultGrid(3);
  QCOMPARE(few.LastDrawnRow(), 2);
  QCOMPARE(few.RowAt(95), -1);
}

void TestWindowRules::rangeFields_data() {
  QTest::addColumn<QStringList>("fields");
  QTest::addColumn<QList<int>>("ranges");
  QTest::newRow("defaults") << QStringList{"09", "29", "10", "14"} << QList<int>{9, 21, 10, 5};
  QTest::newRow("single digits") << QStringList{"5", "20", "3", "3"} << QList<int>{5, 16, 3, 1};
  QTest::newRow("empty range") << QStringList{"10", "09", "00", "99"} << QList<int>{10, 0, 0, 100};
  QTest::newRow("last below first")
      << QStringList{"20", "05", "10", "14"} << QList<int>{20, -14, 10, 5};
}

void TestWindowRules::rangeFields() {
  QFETCH(QStringList, fields);
  QFETCH(QList<int>, ranges);
  const TSlotRanges taken = RangesFromFields({fields[0], fields[1], fields[2], fields[3]});
  QCOMPARE((QList<int>{taken.FirstBig, taken.BigSlots, taken.FirstSmall, taken.SmallSlots}),
           ranges);
}

void TestWindowRules::everyFieldIsCheckedBeforeAnyIsTaken() {
  for (int bad = 0; bad < 4; ++bad) {
    QStringList fields{"09", "29", "10", "14"};
    fields[bad] = QString();
    try {
      RangesFromFields({fields[0], fields[1], fields[2], fields[3]});
      QFAIL("an empty field was taken");
    } catch (const EConvertError& error) {
      QCOMPARE(error.Message(), QStringLiteral("'' is not a valid integer value"));
    }
  }
  QCOMPARE(FieldsForRanges({9, 21, 10, 5}).FirstBig, QStringLiteral("09"));
  QCOMPARE(FieldsForRanges({9, 21, 10, 5}).LastBig, QStringLiteral("29"));
  QCOMPARE(FieldsForRanges({0, 0, 10, 5}).LastBig, QStringLiteral("-1"));
}

void TestWindowRules::rangeProblems_data() {
  QTest::addColumn<QList<int>>("ranges");
  QTest::addColumn<QString>("problem");
  QTest::newRow("defaults") << QList<int>{9, 21, 10, 5} << QString();
  QTest::newRow("no slots at all") << QList<int>{9, 0, 10, 0} << QString();
  QTest::newRow("exactly 99") << QList<int>{0, 90, 0, 9} << QString();
  QTest::newRow("100") << QList<int>{0, 100, 0, 0}
                       << "The manager shows at most 99 slots; these ranges hold 100.";
  QTest::newRow("negative big")
      << QList<int>{20, -1, 10, 5}
      << "Invalid big slot range: the last subsection comes before the first one.";
  QTest::newRow("negative small")
      << QList<int>{9, 21, 10, -4}
      << "Invalid small slot range: the last subsection comes before the first one.";
  // A negative count must not hide a total that only looks small enough.
  QTest::newRow("negative with a big other")
      << QList<int>{0, 120, 10, -30}
      << "Invalid small slot range: the last subsection comes before the first one.";
}

void TestWindowRules::rangeProblems() {
  QFETCH(QList<int>, ranges);
  QFETCH(QString, problem);
  QCOMPARE(RangesProblem({ranges[0], ranges[1], ranges[2], ranges[3]}), problem);
}

void TestWindowRules::menuStates_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<quint32>("formatTag");
  // Refresh, Clear, Upload, UploadLZO, PlayGIF, Download, Convert
  QTest::addColumn<QString>("enabled");
  QTest::newRow("empty") << int(skEmpty) << 0u << "R.UL...";
  QTest::newRow("empty keeps an old tag") << int(skEmpty) << 0x20000000u << "R.UL...";
  QTest::newRow("UFIF 2.0") << int(skProgram) << 0x20000000u << "RCUL.DV";
  QTest::newRow("UFIF 2 with a low byte") << int(skProgram) << 0x20000005u << "RCUL.D.";
  QTest::newRow("UFIF 2.1") << int(skProgram) << 0x20010000u << "RCUL.D.";
  QTest::newRow("size only") << int(skProgram) << 0u << "RCUL.D.";
  QTest::newRow("GIF") << int(skGIF) << 0u << "RCULGD.";
  QTest::newRow("other") << int(skOther) << 0x20000000u << "RCUL.D.";
  QTest::newRow("unknown kind") << 2 << 0x20000000u << ".......";
}

void TestWindowRules::menuStates() {
  QFETCH(int, kind);
  QFETCH(quint32, formatTag);
  QFETCH(QString, enabled);
  TSlotInfo slot;
  slot.Kind = TSlotKind(kind);
  slot.FormatTag = formatTag;
  const TMenuState state = MenuStateFor(slot);
  const bool flags[] = {state.Refresh, state.Clear,    state.Upload, state.UploadLZO,
                        state.PlayGIF, state.Download, state.Convert};
  const QString letters = QStringLiteral("RCULGDV");
  QString shown;
  for (int i = 0; i < letters.size(); ++i)
    shown += flags[i] ? letters.at(i) : QLatin1Char('.');
  QCOMPARE(shown, enabled);
}

void TestWindowRules::placementOnScreens_data() {
  QTest::addColumn<QRect>("stored");
  QTest::addColumn<QList<QRect>>("screens");
  QTest::addColumn<QRect>("placed");
  const QRect left(0, 0, 1920, 1080);
  const QRect right(1920, 200, 1280, 800);
  const QList<QRect> one{left};
  const QList<QRect> two{left, right};
  QTest::newRow("on the screen") << QRect(240, 20, 330, 420) << one << QRect(240, 20, 330, 420);
  QTest::newRow("mostly off, enough shows")
      << QRect(1800, 1000, 330, 420) << one << QRect(1800, 1000, 330, 420);
  QTest::newRow("on the second screen")
      << QRect(2500, 300, 330, 420) << two << QRect(2500, 300, 330, 420);
  QTest::newRow("second screen gone")
      << QRect(2500, 300, 330, 420) << one << QRect(1590, 300, 330, 420);
  QTest::newRow("a sliver shows") << QRect(1900, 500, 330, 420) << QList<QRect>{left}
                                  << QRect(1590, 500, 330, 420);
  QTest::newRow("title bar above the screen")
      << QRect(240, -40, 330, 420) << one << QRect(240, 0, 330, 420);
  QTest::newRow("title bar below the screen")
      << QRect(240, 1070, 330, 420) << one << QRect(240, 660, 330, 420);
  QTest::newRow("above and left") << QRect(-5000, -3000, 330, 420) << two << QRect(0, 0, 330, 420);
  QTest::newRow("nearer the second")
      << QRect(4000, 1500, 330, 420) << two << QRect(2870, 580, 330, 420);
  QTest::newRow("larger than the screen")
      << QRect(3000, 3000, 2500, 1500) << one << QRect(0, 0, 2500, 1500);
  QTest::newRow("no screens") << QRect(-900, 20, 330, 420) << QList<QRect>{}
                              << QRect(-900, 20, 330, 420);
}

void TestWindowRules::placementOnScreens() {
  QFETCH(QRect, stored);
  QFETCH(QList<QRect>, screens);
  QFETCH(QRect, placed);
  QCOMPARE(PlacedOnScreens(stored, screens), placed);
}

void TestWindowRules::rowTexts_data() {
  QTest::addColumn<int>("row");
  QTest::addColumn<TSlotInfo>("slot");
  QTest::addColumn<QStringList>("cells");
  QTest::addColumn<QString>("description");
  QTest::newRow("never refreshed") << 1 << TSlotInfo{} << QStringList{"1. {18-9}", "0", ""}
                                   << "Section 18-9, big slot 1\nKind: Not refreshed yet";
  QTest::newRow("empty small slot")
      << 23 << TSlotInfo{skEmpty, "< Empty >", 0, 0, 0, 0, 110}
      << QStringList{"2. {2-11}", "< Empty >, 0", ""} << "Section 2-11, small slot 2\nKind: Empty";
  QTest::newRow("program in a container")
      << 2 << TSlotInfo{skProgram, "Calc", 0x20031004, 5700, 1, 10000, 107}
      << QStringList{"2. {18-10}", "Calc, LZO(43.0%), 5700", "3.10/4"}
      << "Section 18-10, big slot 2\nKind: Program\nName: Calc\nSize: 5700 bytes\n"
         "Format: 3.10/4\nIcon: E852\nContainer: LZO(43.0%), 10000 bytes unpacked";
  QTest::newRow("GIF") << 3 << TSlotInfo{skGIF, "< GIF-File >", 0, 300, 0, 0, -1}
                       << QStringList{"3. {18-11}", "< GIF-File >, 300", ""}
                       << "Section 18-11, big slot 3\nKind: GIF picture\n"
                          "Content: < GIF-File >\nSize: 300 bytes";
  QTest::newRow("size only") << 4 << TSlotInfo{skProgram, "", 0, 800, 0, 0, -1}
                             << QStringList{"4. {18-12}", "800", "0.0.0/0"}
                             << "Section 18-12, big slot 4\nKind: Not read (size only)\n"
                                "Size: 800 bytes\nFormat: 0.0.0/0";
}

// What the grid draws in each cell, as one text, and the row's full description.
void TestWindowRules::rowTexts() {
  QFETCH(int, row);
  QFETCH(TSlotInfo, slot);
  QFETCH(QStringList, cells);
  QFETCH(QString, description);
  const TSlotRanges ranges;
  QStringList shown;
  for (int col = 0; col < 3; ++col)
    shown << CellText(col, row, slot, ranges, QLatin1Char('.'));
  QCOMPARE(shown, cells);
  QCOMPARE(SlotDescription(row, slot, ranges, QLatin1Char('.')), description);
  QCOMPARE(HeaderCaption(1), QStringLiteral("Program & Size"));
}

QTEST_GUILESS_MAIN(TestWindowRules)
#include "test_windowrules.moc"
