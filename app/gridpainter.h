#pragma once
// How the slot grid's cells are drawn: the header's captions; each row's slot number and
// section, its content (icon, caption, compression ratio, size and fill bar) and its
// program's format.

#include "catalogue/slotinfo.h"

class QPainter;
class QRect;
class QWidget;

class TGridPainter {
 public:
  // records: the rows' records; grid: the grid whose palette the bars take. Both outlive the
  // painter.
  TGridPainter(const TSlotTable& records, const QWidget& grid) : records_(records), grid_(grid) {}

  void DrawCell(QPainter& canvas, int col, int row, const QRect& rect);
  // The record each row's content was last painted from.
  const TSlotTable& Painted() const { return painted_; }

 private:
  void DrawSlotNumber(QPainter& canvas, int row, const QRect& rect) const;
  void DrawSlotContent(QPainter& canvas, int row, const QRect& rect) const;
  void DrawSlotFormat(QPainter& canvas, int row, const QRect& rect) const;

  const TSlotTable& records_;
  const QWidget& grid_;
  TSlotTable painted_{};
};
