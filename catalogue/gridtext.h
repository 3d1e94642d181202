#pragma once
// What the grid draws for a row, computed without any painting.

#include <QRect>
#include <QString>

#include "catalogue/slotinfo.h"
#include "catalogue/slotmap.h"

// The FW column's label for a program's FormatTag ("UFIF 2", "3.10/4", "5.2.3/6"...).
QString FormatLabel(quint32 formatTag);

// "LZO(43.0%)" with p = 100 - Size * 100 / UnpackedSize in 32-bit integer arithmetic and the
// locale's decimal separator; a sensible text when UnpackedSize is 0.
QString CompressionRatioText(qint32 size, qint32 unpackedSize, QChar decimalPoint);

// The FW column's text: the label for a program, "" for anything else.
QString FWLabel(const TSlotInfo& info);
// "LZO(43.0%)" for a compressed section, "" otherwise.
QString RatioText(const TSlotInfo& info);
// A row in one line, as the grid shows it: "empty", or "Calculator, 3384 bytes, 0.3.5/1", in
// the user's language.
QString SlotDescription(const TSlotInfo& info);
// The same in English whatever the language, as a record (the history) keeps it.
QString RecordedSlotDescription(const TSlotInfo& info);
// A recorded description in the user's language; a text not made by RecordedSlotDescription
// as it is.
QString ShownSlotDescription(const QString& recorded);

// Column 0: "1." (counted within the slot's group) and "{18-9}".
QString SlotNumberText(int row, const TSlotRanges& ranges);
QString SlotAddressText(int row, const TSlotRanges& ranges);

// The header row's caption of a column: "#", "Program & Size", "FW".
QString HeaderCaption(int col);

// A cell's texts as the grid draws them, joined by ", " in drawing order: "1. {18-9}";
// "Calc, LZO(43.0%), 5700"; "3.10/4" (a program's label, nothing for other kinds).
QString CellText(int col, int row, const TSlotInfo& slot, const TSlotRanges& ranges,
                 QChar decimalPoint);

// A row's full description, one fact a line: address and slot, kind, name, size, format
// label, icon code, and the container's ratio and unpacked size.
QString SlotDescription(int row, const TSlotInfo& slot, const TSlotRanges& ranges,
                        QChar decimalPoint);

// Colours as 0xRRGGBB.
constexpr quint32 BarBlue = 0x0000FF;
constexpr quint32 BarRed = 0xFF0000;

// The fill bar of column 1.
struct TBarGeometry {
  QRect Frame;  // the frame, filled in the text colour (black)
  QRect Inner;  // inside the frame, in the base colour (white)
  QRect Fill;   // the bar, in Colour; empty when nothing is filled
  quint32 Colour = BarBlue;
};
int BarFullScale(bool smallSlot, qint32 size);
quint32 BarColour(qint32 size);
// cell: the cell rectangle (Left, Top, Right, Bottom as QRect's left/top/right+1/bottom+1).
TBarGeometry BarGeometry(const QRect& cell, bool smallSlot, qint32 size);
