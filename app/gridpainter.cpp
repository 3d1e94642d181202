#include "app/gridpainter.h"

#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QWidget>

#include "app/slotranges.h"
#include "catalogue/classify.h"
#include "catalogue/gridtext.h"
#include "ufif/ui/iconpictures.h"

namespace {

// The cell's edges as the drawing rules count them: right and bottom are exclusive.
struct TCellEdges {
  int Left, Top, Right, Bottom;
  explicit TCellEdges(const QRect& rect)
      : Left(rect.left()),
        Top(rect.top()),
        Right(rect.left() + rect.width()),
        Bottom(rect.top() + rect.height()) {}
  int W() const { return Right - Left; }
  int H() const { return Bottom - Top; }
};

int TextHeight(const QPainter& canvas) {
  return QFontMetrics(canvas.font()).height();
}

// Text with its top-left corner at (x, y) on an opaque background of the brush colour.
void TextOut(QPainter& canvas, int x, int y, const QString& text) {
  const QFontMetrics metrics(canvas.font());
  canvas.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()), canvas.brush());
  canvas.drawText(QPoint(x, y + metrics.ascent()), text);
}

void TextCentred(QPainter& canvas, const TCellEdges& cell, const QString& text) {
  const int width = QFontMetrics(canvas.font()).horizontalAdvance(text);
  TextOut(canvas, cell.Left + cell.W() / 2 - width / 2,
          cell.Top + cell.H() / 2 - TextHeight(canvas) / 2, text);
}

void TextVCentred(QPainter& canvas, const TCellEdges& cell, int x, const QString& text) {
  TextOut(canvas, x, cell.Top + cell.H() / 2 - TextHeight(canvas) / 2, text);
}

QColor Rgb(quint32 colour) {
  return QColor::fromRgb(QRgb(0xFF000000u | colour));
}

// The frame takes the palette's text colour and the inside its base colour: black and
// white in the default palette, and a bar that still shows in a dark one.
void DrawBar(QPainter& canvas, const QRect& cell, bool smallSlot, qint32 size,
             const QPalette& palette) {
  const TBarGeometry bar = BarGeometry(cell, smallSlot, size);
  canvas.fillRect(bar.Frame, palette.color(QPalette::Text));
  canvas.fillRect(bar.Inner, palette.color(QPalette::Base));
  if (!bar.Fill.isEmpty())
    canvas.fillRect(bar.Fill, Rgb(bar.Colour));
}

}  // namespace

void TGridPainter::DrawCell(QPainter& canvas, int col, int row, const QRect& rect) {
  if (row == 0) {
    TextCentred(canvas, TCellEdges(rect), HeaderCaption(col));
    return;
  }
  if (row >= SlotTableSize)
    return;
  switch (col) {
    case 0:
      DrawSlotNumber(canvas, row, rect);
      break;
    case 1:
      DrawSlotContent(canvas, row, rect);
      painted_[row] = records_.at(row);
      break;
    case 2:
      DrawSlotFormat(canvas, row, rect);
      break;
    default:
      break;
  }
}

void TGridPainter::DrawSlotNumber(QPainter& canvas, int row, const QRect& rect) const {
  const TCellEdges cell(rect);
  const TSlotRanges ranges = CurrentSlotRanges();
  TextVCentred(canvas, cell, cell.Left + 3, SlotNumberText(row, ranges));
  TextVCentred(canvas, cell, cell.Left + 25, SlotAddressText(row, ranges));
}

// Upper half: icon, caption and compression ratio; lower half: size and fill bar.
void TGridPainter::DrawSlotContent(QPainter& canvas, int row, const QRect& rect) const {
  const TCellEdges cell(rect);
  const TSlotInfo& slot = records_.at(row);
  const int th = TextHeight(canvas);
  const int upperY = cell.Top + cell.H() / 4 - th / 2;
  const QVector<QPixmap>& pictures = IconPictures();
  if (slot.IconIndex > 0 && slot.IconIndex < pictures.size())
    canvas.drawPixmap(cell.Left + 3, upperY + 3, pictures.at(slot.IconIndex));
  TextOut(canvas, cell.Left + 20, upperY, ShownCaption(slot));
  if (slot.Compressed) {
    const QString ratio =
        CompressionRatioText(slot.Size, slot.UnpackedSize, QLocale().decimalPoint().at(0));
    TextOut(canvas, cell.Right - 80, upperY, ratio);
  }
  TextOut(canvas, cell.Right - 50, cell.Top + 3 * cell.H() / 4 - th / 2,
          QString::number(slot.Size));
  DrawBar(canvas, rect, IsSmallSlotRow(row, CurrentSlotRanges()), slot.Size, grid_.palette());
}

void TGridPainter::DrawSlotFormat(QPainter& canvas, int row, const QRect& rect) const {
  const TSlotInfo& slot = records_.at(row);
  if (slot.Kind == skProgram)
    TextCentred(canvas, TCellEdges(rect), FormatLabel(slot.FormatTag));
}
