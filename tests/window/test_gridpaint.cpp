// What the grid paints, read back from its pixels: the fill bar's colour and length against
// the slot's scale, icons only for a picture index above 0, the cell backgrounds, the header
// that stays in view; where each text of a cell is drawn, read from a recording painter; and
// which cells a refreshed row has painted. The last test refreshes the demo phone and, when
// KIV_SCREENSHOT names a file, saves the main window there.

#include <QDir>
#include <QFontMetrics>
#include <QPaintEngine>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include "app/drawgrid.h"
#include "app/mainwindow.h"
#include "catalogue/slotmap.h"
#include "tests/support/windowtest.h"

class TestGridPaint : public TWindowTest {
  Q_OBJECT
 public:
  TestGridPaint() : TWindowTest(TManagerFixture::Unshown) {}

 private Q_SLOTS:
  void init();

  void barLengthAndColour_data();
  void barLengthAndColour();
  void barFollowsADarkPalette();
  void iconOnlyAbovePictureZero();
  void backgroundsOfHeaderDataAndCurrentRow();
  void headerStaysInViewWhenScrolled();
  void textsOfACell_data();
  void textsOfACell();
  void refreshPaintsTheRowsThatChanged();
  void demoPhoneAfterFullRefresh();

 private:
  QImage Paint() const;
};

namespace {

// A run of pixels of one colour along a line of the image.
struct TRun {
  QRgb Colour;
  int Length;
};

QList<TRun> RunsAlong(const QImage& image, int y, int fromX, int toX) {
  QList<TRun> runs;
  for (int x = fromX; x < toX; ++x) {
    const QRgb colour = image.pixel(x, y) | 0xFF000000u;
    if (runs.isEmpty() || runs.last().Colour != colour)
      runs.append({colour, 0});
    ++runs.last().Length;
  }
  return runs;
}

// A paint device that keeps what is drawn on it as "text@x,y": the text's top-left corner,
// or "<icon>" for a picture; everything else is dropped.
class TTextRecorder : public QPaintDevice, private QPaintEngine {
 public:
  TTextRecorder() : QPaintEngine(AllFeatures) {}
  QPaintEngine* paintEngine() const override { return const_cast<TTextRecorder*>(this); }
  QStringList Drawn;

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth:
      case PdmHeight:
        return 1000;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return 96;
      case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
      default:
        return 1;
    }
  }

 private:
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  Type type() const override { return User; }
  void updateState(const QPaintEngineState&) override {}
  void drawRects(const QRect*, int) override {}
  void drawRects(const QRectF*, int) override {}
  void drawPath(const QPainterPath&) override {}
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
  void drawPixmap(const QRectF& rect, const QPixmap&, const QRectF&) override {
    Record(QStringLiteral("<icon>"), rect.topLeft());
  }
  void drawTextItem(const QPointF& baseline, const QTextItem& item) override {
    const QPointF topLeft(baseline.x(), baseline.y() - QFontMetricsF(item.font()).ascent());
    Record(item.text(), topLeft);
  }
  void Record(const QString& what, const QPointF& at) {
    Drawn << QStringLiteral("%1@%2,%3").arg(what).arg(qRound(at.x())).arg(qRound(at.y()));
  }
};

constexpr QRgb Black = 0xFF000000u;
constexpr QRgb White = 0xFFFFFFFFu;
constexpr QRgb Blue = 0xFF0000FFu;
constexpr QRgb Red = 0xFFFF0000u;

}  // namespace

void TestGridPaint::init() {
  TWindowTest::init();
  // Five big slots and two small ones: every row fits in the window.
  TManagerFixture::WriteSettings("[Manager]\nBigSlots=5\nSmallSlots=2\n");
  fixture_->Show();
  Window().SelectRow(5);
}

QImage TestGridPaint::Paint() const {
  return fixture_->Grid()->viewport()->grab().toImage();
}

void TestGridPaint::barLengthAndColour_data() {
  QTest::addColumn<int>("row");
  QTest::addColumn<int>("size");
  QTest::addColumn<int>("scale");
  QTest::addColumn<QRgb>("colour");
  QTest::newRow("big slot, 21504 bytes: full") << 1 << 21504 << 21504 << Blue;
  QTest::newRow("big slot, 21505 bytes: red on 64 KiB") << 2 << 21505 << 65536 << Red;
  QTest::newRow("big slot, 10752 bytes: half") << 3 << 10752 << 21504 << Blue;
  QTest::newRow("small slot, 1024 bytes: half") << 6 << 1024 << 2048 << Blue;
  QTest::newRow("small slot, 2048 bytes: full") << 7 << 2048 << 2048 << Blue;
  QTest::newRow("small slot too full: red, stops at the frame") << 7 << 30000 << 30000 << Red;
  QTest::newRow("empty slot: no fill") << 4 << 0 << 21504 << White;
}

void TestGridPaint::barLengthAndColour() {
  QFETCH(int, row);
  QFETCH(int, size);
  QFETCH(int, scale);
  QFETCH(QRgb, colour);
  Slots()[row].Size = size;
  const QImage image = Paint();

  const QRect cell = fixture_->Grid()->CellRect(1, row);
  const int frameTop = cell.top() + cell.height() / 2 + 3;
  const int frameBottom = cell.top() + cell.height() - 3;
  const int y = (frameTop + frameBottom) / 2;
  const int frameLeft = cell.left() + 3;
  const int frameRight = cell.left() + cell.width() - 53;
  const QList<TRun> runs = RunsAlong(image, y, frameLeft, frameRight);
  const int inner = frameRight - frameLeft - 2;
  const int filled = int(double(inner) / scale * size);

  QVERIFY2(runs.size() >= 2, "no bar drawn");
  QCOMPARE(runs.first().Colour, Black);
  QCOMPARE(runs.first().Length, 1);
  QCOMPARE(runs.last().Colour, Black);
  QCOMPARE(runs.last().Length, 1);
  const QList<TRun> insides = runs.mid(1, runs.size() - 2);
  if (colour == White) {
    QCOMPARE(insides.size(), 1);
    QCOMPARE(insides.first().Colour, White);
    return;
  }
  QCOMPARE(insides.first().Colour, colour);
  QCOMPARE(insides.first().Length, filled);
  if (filled < inner) {
    QCOMPARE(insides.size(), 2);
    QCOMPARE(insides.last().Colour, White);
  } else {
    QCOMPARE(insides.size(), 1);
  }
}

// The frame in the text colour, the inside in the base colour; the fill keeps its colour.
void TestGridPaint::barFollowsADarkPalette() {
  QPalette dark = fixture_->Grid()->palette();
  dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
  dark.setColor(QPalette::Text, QColor(0xE0, 0xE0, 0xE0));
  fixture_->Grid()->setPalette(dark);
  Slots()[3].Size = 10752;
  const QImage image = Paint();
  const QRect cell = fixture_->Grid()->CellRect(1, 3);
  const int y = cell.top() + (cell.height() / 2 + 3 + cell.height() - 3) / 2;
  const QList<TRun> runs = RunsAlong(image, y, cell.left() + 3, cell.left() + cell.width() - 53);
  QCOMPARE(runs.size(), 4);
  QCOMPARE(runs.at(0).Colour, 0xFFE0E0E0u);
  QCOMPARE(runs.at(1).Colour, Blue);
  QCOMPARE(runs.at(2).Colour, 0xFF202020u);
  QCOMPARE(runs.at(3).Colour, 0xFFE0E0E0u);
}

void TestGridPaint::iconOnlyAbovePictureZero() {
  Slots()[1].IconIndex = 0;    // icon code E80A, the first of the list
  Slots()[2].IconIndex = 107;  // the default program icon
  Slots()[3].IconIndex = -1;
  Slots()[4].IconIndex = 5000;  // out of the list: drawn as none, not a crash
  const QImage image = Paint();
  const QColor base = fixture_->Grid()->palette().color(QPalette::Base);
  const int th = QFontMetrics(fixture_->Grid()->font()).height();
  const auto iconPixels = [&](int row) {
    const QRect cell = fixture_->Grid()->CellRect(1, row);
    const QRect icon(cell.left() + 3, cell.top() + cell.height() / 4 - th / 2 + 3, 12, 12);
    int differing = 0;
    for (int y = icon.top(); y <= icon.bottom(); ++y)
      for (int x = icon.left(); x <= icon.right(); ++x)
        differing += image.pixelColor(x, y) != base;
    return differing;
  };
  QCOMPARE(iconPixels(1), 0);
  QVERIFY(iconPixels(2) > 0);
  QCOMPARE(iconPixels(3), 0);
  QCOMPARE(iconPixels(4), 0);
}

void TestGridPaint::backgroundsOfHeaderDataAndCurrentRow() {
  const QImage image = Paint();
  const QPalette palette = fixture_->Grid()->palette();
  // Right end of the FW column: nothing drawn there in a blank row.
  const auto blankPoint = [this](int row) {
    const QRect cell = fixture_->Grid()->CellRect(2, row);
    return QPoint(cell.right() - 2, cell.top() + 3);
  };
  QCOMPARE(image.pixelColor(blankPoint(0)), palette.color(QPalette::Button));
  QCOMPARE(image.pixelColor(blankPoint(1)), palette.color(QPalette::Base));
  QCOMPARE(image.pixelColor(blankPoint(5)), palette.color(QPalette::Highlight));
  QVERIFY(palette.color(QPalette::Highlight) != palette.color(QPalette::Base));
}

void TestGridPaint::headerStaysInViewWhenScrolled() {
  TManagerFixture::WriteSettings("[Manager]\nBigSlots=60\nSmallSlots=5\n");
  Window().LoadSettings();
  TDrawGrid* grid = fixture_->Grid();
  Window().SelectRow(65);
  QVERIFY(grid->TopRow() > 1);
  const QImage image = Paint();
  const QPalette palette = grid->palette();
  QCOMPARE(image.pixelColor(grid->CellRect(2, 0).right() - 2, 3), palette.color(QPalette::Button));
  const QRect last = grid->CellRect(2, 65);
  QCOMPARE(image.pixelColor(last.right() - 2, last.top() + 3), palette.color(QPalette::Highlight));
  QVERIFY(last.bottom() < grid->viewport()->height());
}

// Painting a cell is the costly part of a refresh: a refreshed row has its own cells painted,
// and none when it shows its record already.
void TestGridPaint::refreshPaintsTheRowsThatChanged() {
  QStringList painted;
  fixture_->Grid()->SetDrawCell([&](QPainter& canvas, int col, int row, const QRect& rect) {
    painted << QStringLiteral("%1:%2").arg(row).arg(col);
    Window().DrawGrid1DrawCell(canvas, col, row, rect);
  });
  fixture_->Grid()->viewport()->repaint();
  QVERIFY(painted.contains(QStringLiteral("0:1")) && painted.contains(QStringLiteral("7:2")));
  fixture_->Phone.Put(18, 10, Program(3000, "Calc"));
  const auto refresh = [&](int row) {
    painted.clear();
    TForm1TestSeam::RefreshSection(Window(), 18, 8 + row);
    return painted;
  };
  QCOMPARE(refresh(2), (QStringList{"2:0", "2:1", "2:2"}));
  QCOMPARE(refresh(2), QStringList{});
  QCOMPARE(refresh(3), (QStringList{"3:0", "3:1", "3:2"}));
  QCOMPARE(refresh(3), QStringList{});
}

void TestGridPaint::demoPhoneAfterFullRefresh() {
  const QString kivnvm = QCoreApplication::applicationDirPath() + QStringLiteral("/kivnvm");
  QProcess demo;
  demo.start(kivnvm, {QStringLiteral("demo"), fixture_->Phone.StoreDir()});
  QVERIFY(demo.waitForFinished(30000));
  QCOMPARE(demo.exitCode(), 0);
  QFile::remove(TManagerFixture::SettingsPath());
  Window().LoadSettings();
  Control<QPushButton>("Button1")->click();

  const TSlotRanges ranges = CurrentSlotRanges();
  int shown = 0;
  const QStringList files = QDir(fixture_->Phone.PortDir()).entryList(QDir::Files);
  for (const QString& name : files) {
    const int section = name.section(QLatin1Char('-'), 0, 0).toInt();
    const int subsection = name.section(QLatin1Char('-'), 1, 1).toInt();
    const int row = SlotRow(section, subsection, ranges);
    if (row == 0)
      continue;
    ++shown;
    QVERIFY2(Slots()[row].Kind != skEmpty, qPrintable(name));
    QCOMPARE(Slots()[row].Size, int(QFileInfo(fixture_->Phone.PortDir() + '/' + name).size()));
  }
  QVERIFY(shown > 0);
  QCOMPARE(fixture_->Modal.ShownTexts(), QStringList{"Update done!"});

  const QString screenshot = qEnvironmentVariable("KIV_SCREENSHOT");
  if (!screenshot.isEmpty()) {
    Window().SelectRow(1);
    QCoreApplication::processEvents();  // scroll bars show after the row count changes
    QVERIFY(Window().grab().save(screenshot));
  }
}

void TestGridPaint::textsOfACell_data() {
  QTest::addColumn<int>("col");
  QTest::addColumn<int>("row");
  // "text@x@line": x in pixels or c for centred; line mid, upper, lower or icon.
  QTest::addColumn<QStringList>("expected");
  QTest::newRow("header #") << 0 << 0 << QStringList{"#@c@mid"};
  QTest::newRow("header program") << 1 << 0 << QStringList{"Program & Size@c@mid"};
  QTest::newRow("header FW") << 2 << 0 << QStringList{"FW@c@mid"};
  QTest::newRow("first big slot") << 0 << 1 << QStringList{"1.@13@mid", "{18-9}@35@mid"};
  QTest::newRow("second small slot") << 0 << 7 << QStringList{"2.@13@mid", "{2-11}@35@mid"};
  QTest::newRow("compressed program")
      << 1 << 2
      << QStringList{"<icon>@13@icon", "Calc@30@upper", "LZO(43,0%)@130@upper", "5700@160@lower"};
  QTest::newRow("program's label") << 2 << 2 << QStringList{"3.10/4@c@mid"};
  QTest::newRow("GIF: no icon, no label")
      << 1 << 3 << QStringList{"< GIF-File >@30@upper", "300@160@lower"};
  QTest::newRow("GIF's label column") << 2 << 3 << QStringList{};
}

// The cell's Right edge is exclusive: a cell 200 wide from x 10 ends at 210.
void TestGridPaint::textsOfACell() {
  QFETCH(int, col);
  QFETCH(int, row);
  QFETCH(QStringList, expected);
  TSlotInfo& program = Slots()[2];
  program = {skProgram, QStringLiteral("Calc"), 0x20031004, 5700, 1, 10000, 107};
  Slots()[3] = {skGIF, QStringLiteral("< GIF-File >"), 0, 300, 0, 0, -1};
  const QRect cell(10, 100, 200, 30);
  const QFont font = fixture_->Grid()->font();
  const QFontMetrics metrics(font);
  const int th = metrics.height();
  const QLocale locale;
  QLocale::setDefault(QLocale(QLocale::German));  // the ratio takes the user's separator
  TTextRecorder recorder;
  {
    QPainter canvas(&recorder);
    canvas.setFont(font);
    Window().DrawGrid1DrawCell(canvas, col, row, cell);
  }
  QLocale::setDefault(locale);

  QStringList wanted;
  for (const QString& entry : expected) {
    const QString text = entry.section(QLatin1Char('@'), 0, 0);
    const QString x = entry.section(QLatin1Char('@'), 1, 1);
    const QString line = entry.section(QLatin1Char('@'), 2, 2);
    const int left = x == QLatin1String("c")
                         ? cell.left() + cell.width() / 2 - metrics.horizontalAdvance(text) / 2
                         : x.toInt();
    const int top = line == QLatin1String("mid")     ? cell.top() + 15 - th / 2
                    : line == QLatin1String("lower") ? cell.top() + 22 - th / 2
                    : line == QLatin1String("icon")  ? cell.top() + 7 - th / 2 + 3
                                                     : cell.top() + 7 - th / 2;
    wanted << QStringLiteral("%1@%2,%3").arg(text).arg(left).arg(top);
  }
  QCOMPARE(recorder.Drawn, wanted);
}

QTEST_MAIN(TestGridPaint)
#include "test_gridpaint.moc"
