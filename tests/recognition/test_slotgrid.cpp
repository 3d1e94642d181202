// Rows and section addresses, and what the grid computes for a row: column 0's texts, the
// FW label, the compression ratio and the fill bar.

#include <QtTest>
#include <limits>

#include "catalogue/gridtext.h"
#include "catalogue/slotinfo.h"
#include "catalogue/slotmap.h"

Q_DECLARE_METATYPE(TSlotRanges)

namespace {

TSlotRanges Ranges(int firstBig, int bigSlots, int firstSmall, int smallSlots) {
  return TSlotRanges{firstBig, bigSlots, firstSmall, smallSlots};
}

// A rectangle from exclusive right and bottom edges, as the cells are given.
QRect Edges(int left, int top, int right, int bottom) {
  return QRect(left, top, right - left, bottom - top);
}

}  // namespace

class TestSlotGrid : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void slotAddress_data();
  void slotAddress();
  void rowsRoundTrip_data();
  void rowsRoundTrip();
  void addressesOutsideTheRanges_data();
  void addressesOutsideTheRanges();
  void boundsRanges_data();
  void boundsRanges();
  void slotLimits();
  void parsesAddresses_data();
  void parsesAddresses();
  void refusesAddresses_data();
  void refusesAddresses();
  void formatLabels_data();
  void formatLabels();
  void compressionRatio_data();
  void compressionRatio();
  void columnZeroTexts_data();
  void columnZeroTexts();
  void barScaleAndColour_data();
  void barScaleAndColour();
  void barGeometry_data();
  void barGeometry();
  void fullSlotFillsTheWholeFrame();
};

void TestSlotGrid::slotAddress_data() {
  QTest::addColumn<TSlotRanges>("ranges");
  QTest::addColumn<int>("row");
  QTest::addColumn<QString>("address");
  const TSlotRanges defaults;
  QTest::newRow("first big") << defaults << 1 << "18-9";
  QTest::newRow("last big") << defaults << 21 << "18-29";
  QTest::newRow("first small") << defaults << 22 << "2-10";
  QTest::newRow("last small") << defaults << 26 << "2-14";
  QTest::newRow("no big slots") << Ranges(9, 0, 10, 5) << 1 << "2-10";
  QTest::newRow("moved ranges") << Ranges(1, 3, 20, 2) << 5 << "2-21";
}

void TestSlotGrid::slotAddress() {
  QFETCH(TSlotRanges, ranges);
  QFETCH(int, row);
  QFETCH(QString, address);
  QCOMPARE(SlotAddress(row, ranges).Text(), address);
}

void TestSlotGrid::rowsRoundTrip_data() {
  QTest::addColumn<TSlotRanges>("ranges");
  QTest::newRow("defaults") << TSlotRanges();
  QTest::newRow("no big slots") << Ranges(9, 0, 10, 5);
  QTest::newRow("no small slots") << Ranges(9, 21, 10, 0);
  QTest::newRow("full table") << Ranges(0, 60, 0, 39);
  QTest::newRow("overlapping subsection numbers") << Ranges(10, 5, 10, 5);
}

void TestSlotGrid::rowsRoundTrip() {
  QFETCH(TSlotRanges, ranges);
  for (int row = 1; row <= ranges.BigSlots + ranges.SmallSlots; ++row) {
    const TSectionAddress address = SlotAddress(row, ranges);
    QCOMPARE(address.Section, IsSmallSlotRow(row, ranges) ? SmallSlotSection : BigSlotSection);
    QCOMPARE(SlotRow(address.Section, address.SubSection, ranges), row);
  }
}

void TestSlotGrid::addressesOutsideTheRanges_data() {
  QTest::addColumn<int>("section");
  QTest::addColumn<int>("subsection");
  QTest::newRow("before the big slots") << 18 << 8;
  QTest::newRow("after the big slots") << 18 << 30;
  QTest::newRow("far after the big slots") << 18 << 40;
  QTest::newRow("before the small slots") << 2 << 9;
  QTest::newRow("after the small slots") << 2 << 15;
  QTest::newRow("preferences record") << 2 << 18;
  QTest::newRow("another section") << 17 << 9;
  QTest::newRow("section 0") << 0 << 0;
}

// Record 0 takes these: no row of the grid may change.
void TestSlotGrid::addressesOutsideTheRanges() {
  QFETCH(int, section);
  QFETCH(int, subsection);
  QCOMPARE(SlotRow(section, subsection, TSlotRanges()), 0);
}

void TestSlotGrid::boundsRanges_data() {
  QTest::addColumn<TSlotRanges>("ranges");
  QTest::addColumn<int>("bigSlots");
  QTest::addColumn<int>("smallSlots");
  QTest::newRow("defaults kept") << TSlotRanges() << 21 << 5;
  QTest::newRow("exactly 99") << Ranges(0, 90, 0, 9) << 90 << 9;
  QTest::newRow("total above 99") << Ranges(0, 90, 0, 20) << 90 << 9;
  QTest::newRow("big above 99") << Ranges(0, 150, 0, 5) << 99 << 0;
  QTest::newRow("negative counts") << Ranges(0, -3, 0, -1) << 0 << 0;
}

void TestSlotGrid::boundsRanges() {
  QFETCH(TSlotRanges, ranges);
  QFETCH(int, bigSlots);
  QFETCH(int, smallSlots);
  const TSlotRanges bounded = BoundedRanges(ranges);
  QCOMPARE(bounded.BigSlots, bigSlots);
  QCOMPARE(bounded.SmallSlots, smallSlots);
  QCOMPARE(bounded.FirstBig, ranges.FirstBig);
  QCOMPARE(bounded.FirstSmall, ranges.FirstSmall);
}

void TestSlotGrid::slotLimits() {
  const TSlotRanges defaults;
  QCOMPARE(SlotLimit(1, defaults), 65536);
  QCOMPARE(SlotLimit(21, defaults), 65536);
  QCOMPARE(SlotLimit(22, defaults), 2048);
  QCOMPARE(SlotLimit(26, defaults), 2048);
}

void TestSlotGrid::parsesAddresses_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("section");
  QTest::addColumn<int>("subsection");
  QTest::newRow("plain") << "18-9" << 18 << 9;
  QTest::newRow("leading zero in subsection") << "18-09" << 18 << 9;
  QTest::newRow("leading zero in section") << "02-10" << 2 << 10;
  QTest::newRow("largest") << "255-255" << 255 << 255;
  QTest::newRow("zeros") << "0-0" << 0 << 0;
}

void TestSlotGrid::parsesAddresses() {
  QFETCH(QString, text);
  QFETCH(int, section);
  QFETCH(int, subsection);
  const std::optional<TSectionAddress> address = ParseSectionAddress(text);
  QVERIFY(address);
  QCOMPARE(*address, (TSectionAddress{section, subsection}));
}

void TestSlotGrid::refusesAddresses_data() {
  QTest::addColumn<QString>("text");
  for (const char* text : {"", "18", "18-", "-9", "18-9x", " 18-9", "18-9 ", "18--9", "18 - 9",
                           "256-1", "1-256", "0018-9", "+2-10", "a-b", "18/9", "18-9-1"})
    QTest::newRow(text) << QString::fromLatin1(text);
  QTest::newRow("Arabic-Indic digits") << QString::fromUtf8("١٨-٩");
}

void TestSlotGrid::refusesAddresses() {
  QFETCH(QString, text);
  QVERIFY(!ParseSectionAddress(text));
}

void TestSlotGrid::formatLabels_data() {
  QTest::addColumn<quint32>("tag");
  QTest::addColumn<QString>("label");
  QTest::newRow("UFIF 2.0") << 0x20000000u << "UFIF 2";
  QTest::newRow("UFIF 2.0, low byte set") << 0x200000FFu << "UFIF 2";
  QTest::newRow("UFIF 2.1") << 0x20010000u << "UFIF 2.1";
  QTest::newRow("UFIF 2.1, low byte set") << 0x20010042u << "UFIF 2.1";
  QTest::newRow("3.10/4") << 0x20031004u << "3.10/4";
  QTest::newRow("3.6/5") << 0x20036005u << "3.6/5";
  QTest::newRow("5.4.2/6") << 0x20054206u << "5.4.2/6";
  QTest::newRow("PRG 3") << 0x30C0DE01u << "PRG 3";
  QTest::newRow("PRG 3.5") << 0x3500u << "PRG 3.5";
  // Digits from bits 16-19, 12-15, 8-11 and 0-3, so 0x3501 spells 0.3.5/1.
  QTest::newRow("PRG 3.5 variant 1 as stored elsewhere") << 0x3501u << "0.3.5/1";
  QTest::newRow("general rule") << 0x20052306u << "5.2.3/6";
  QTest::newRow("near 3.10/4") << 0x20031005u << "3.1.0/5";
  QTest::newRow("ELF magic") << 0x464C457Fu << "c.4.5/f";
  QTest::newRow("size only") << 0u << "0.0.0/0";
  QTest::newRow("UFIF 2.0 shifted") << 0x00200000u << "0.0.0/0";
}

void TestSlotGrid::formatLabels() {
  QFETCH(quint32, tag);
  QFETCH(QString, label);
  QCOMPARE(FormatLabel(tag), label);
}

void TestSlotGrid::compressionRatio_data() {
  QTest::addColumn<qint32>("size");
  QTest::addColumn<qint32>("unpackedSize");
  QTest::addColumn<QChar>("decimalPoint");
  QTest::addColumn<QString>("text");
  const QChar point('.');
  QTest::newRow("43 percent") << 5700 << 10000 << point << "LZO(43.0%)";
  QTest::newRow("division truncates") << 20032 << 40000 << point << "LZO(50.0%)";
  QTest::newRow("locale's separator") << 5700 << 10000 << QChar(',') << "LZO(43,0%)";
  QTest::newRow("container larger") << 10300 << 10000 << point << "LZO(-3.0%)";
  QTest::newRow("no saving") << 10000 << 10000 << point << "LZO(0.0%)";
  QTest::newRow("empty container") << 0 << 10000 << point << "LZO(100.0%)";
  QTest::newRow("32-bit product wraps") << 30000000 << 40000000 << point << "LZO(132.0%)";
  QTest::newRow("malformed: unpacked 0") << 500 << 0 << point << "LZO(?)";
  QTest::newRow("malformed: negative unpacked") << 500 << -1 << point << "LZO(50100.0%)";
  QTest::newRow("smallest quotient divided by -1")
      << 0x20000000 << -1 << point << "LZO(-2147483548.0%)";
  QTest::newRow("largest sizes") << std::numeric_limits<qint32>::max()
                                 << std::numeric_limits<qint32>::min() << point << "LZO(100.0%)";
}

void TestSlotGrid::compressionRatio() {
  QFETCH(qint32, size);
  QFETCH(qint32, unpackedSize);
  QFETCH(QChar, decimalPoint);
  QFETCH(QString, text);
  QCOMPARE(CompressionRatioText(size, unpackedSize, decimalPoint), text);
}

void TestSlotGrid::columnZeroTexts_data() {
  QTest::addColumn<TSlotRanges>("ranges");
  QTest::addColumn<int>("row");
  QTest::addColumn<QString>("number");
  QTest::addColumn<QString>("address");
  const TSlotRanges defaults;
  QTest::newRow("first big") << defaults << 1 << "1."
                             << "{18-9}";
  QTest::newRow("last big") << defaults << 21 << "21."
                            << "{18-29}";
  QTest::newRow("first small") << defaults << 22 << "1."
                               << "{2-10}";
  QTest::newRow("last small") << defaults << 26 << "5."
                              << "{2-14}";
  QTest::newRow("small only") << Ranges(9, 0, 3, 2) << 2 << "2."
                              << "{2-4}";
}

void TestSlotGrid::columnZeroTexts() {
  QFETCH(TSlotRanges, ranges);
  QFETCH(int, row);
  QFETCH(QString, number);
  QFETCH(QString, address);
  QCOMPARE(SlotNumberText(row, ranges), number);
  QCOMPARE(SlotAddressText(row, ranges), address);
}

void TestSlotGrid::barScaleAndColour_data() {
  QTest::addColumn<bool>("smallSlot");
  QTest::addColumn<qint32>("size");
  QTest::addColumn<int>("scale");
  QTest::addColumn<quint32>("colour");
  QTest::newRow("big, empty") << false << 0 << 21504 << BarBlue;
  QTest::newRow("big, 21504") << false << 21504 << 21504 << BarBlue;
  QTest::newRow("big, 21505") << false << 21505 << 65536 << BarRed;
  QTest::newRow("small, 1024") << true << 1024 << 2048 << BarBlue;
  QTest::newRow("small, 21504") << true << 21504 << 2048 << BarBlue;
  QTest::newRow("small, 21505") << true << 21505 << 2048 << BarRed;
}

void TestSlotGrid::barScaleAndColour() {
  QFETCH(bool, smallSlot);
  QFETCH(qint32, size);
  QFETCH(int, scale);
  QFETCH(quint32, colour);
  QCOMPARE(BarFullScale(smallSlot, size), scale);
  QCOMPARE(BarColour(size), colour);
  QCOMPARE(BarGeometry(QRect(0, 0, 200, 30), smallSlot, size).Colour, colour);
}

void TestSlotGrid::barGeometry_data() {
  QTest::addColumn<QRect>("cell");
  QTest::addColumn<bool>("smallSlot");
  QTest::addColumn<qint32>("size");
  QTest::addColumn<QRect>("frame");
  QTest::addColumn<QRect>("fill");
  // Cell (75, 60)-(195, 90): frame (78, 78)-(142, 87), inner (79, 79)-(141, 86), 62 wide.
  const QRect cell = Edges(75, 60, 195, 90);
  const QRect frame = Edges(78, 78, 142, 87);
  QTest::newRow("big, 21504: full") << cell << false << 21504 << frame << Edges(79, 79, 141, 86);
  QTest::newRow("big, 21505: a third") << cell << false << 21505 << frame << Edges(79, 79, 99, 86);
  QTest::newRow("big, 65536: full") << cell << false << 65536 << frame << Edges(79, 79, 141, 86);
  QTest::newRow("small, 1024: half") << cell << true << 1024 << frame << Edges(79, 79, 110, 86);
  QTest::newRow("small, 1: nothing yet") << cell << true << 1 << frame << Edges(79, 79, 79, 86);
  QTest::newRow("empty") << cell << false << 0 << frame << Edges(79, 79, 79, 86);
  QTest::newRow("small slot over its scale stays inside")
      << cell << true << 5000 << frame << Edges(79, 79, 141, 86);
  QTest::newRow("big slot over 64 KiB stays inside")
      << cell << false << 200000 << frame << Edges(79, 79, 141, 86);
  QTest::newRow("odd height") << Edges(0, 0, 200, 31) << false << 21504 << Edges(3, 18, 147, 28)
                              << Edges(4, 19, 146, 27);
  QTest::newRow("cell too narrow for a bar")
      << Edges(0, 0, 40, 30) << false << 21504 << Edges(3, 18, -13, 27) << Edges(4, 19, 4, 26);
}

void TestSlotGrid::barGeometry() {
  QFETCH(QRect, cell);
  QFETCH(bool, smallSlot);
  QFETCH(qint32, size);
  QFETCH(QRect, frame);
  QFETCH(QRect, fill);
  const TBarGeometry bar = BarGeometry(cell, smallSlot, size);
  QCOMPARE(bar.Frame, frame);
  QCOMPARE(bar.Inner, frame.adjusted(1, 1, -1, -1));
  QCOMPARE(bar.Fill, fill);
}

// Dividing the width by the scale first would leave some widths a pixel short.
void TestSlotGrid::fullSlotFillsTheWholeFrame() {
  for (int width = 60; width <= 2000; ++width) {
    for (const auto& [smallSlot, size] :
         {std::pair{false, 21504}, std::pair{false, 65536}, std::pair{true, 2048}}) {
      const TBarGeometry bar = BarGeometry(QRect(10, 10, width, 30), smallSlot, size);
      QCOMPARE(bar.Fill.width(), bar.Inner.width());
    }
  }
}

QTEST_MAIN(TestSlotGrid)
#include "test_slotgrid.moc"
