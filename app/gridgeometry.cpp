#include "app/gridgeometry.h"

#include <QtGlobal>
#include <utility>

namespace {
// How near a column's right edge the pointer must be to grab it for resizing.
constexpr int EdgeGrip = 3;
}  // namespace

TGridGeometry::TGridGeometry(QVector<int> colWidths, int rowCount, int rowHeight)
    : colWidths_(std::move(colWidths)),
      rowCount_(qMax(1, rowCount)),
      rowHeight_(qMax(1, rowHeight)) {}

void TGridGeometry::SetColWidth(int col, int width) {
  colWidths_[col] = qMax(0, width);
  ClampScroll();
}

int TGridGeometry::TotalWidth() const {
  int total = 0;
  for (int width : colWidths_)
    total += width;
  return total;
}

void TGridGeometry::SetRowCount(int rowCount) {
  rowCount_ = qMax(1, rowCount);
  ClampScroll();
}

void TGridGeometry::SetViewport(QSize size) {
  viewport_ = size;
  ClampScroll();
}

void TGridGeometry::SetTopRow(int row) {
  topRow_ = qBound(1, row, MaxTopRow());
}

int TGridGeometry::VisibleDataRows() const {
  const int fit = (viewport_.height() - rowHeight_) / rowHeight_;
  return qMax(1, fit);
}

int TGridGeometry::MaxTopRow() const {
  const int dataRows = rowCount_ - 1;
  return qMax(1, dataRows - VisibleDataRows() + 1);
}

void TGridGeometry::ScrollToShow(int row) {
  if (row < 1)
    return;
  if (row < topRow_)
    SetTopRow(row);
  else if (row >= topRow_ + VisibleDataRows())
    SetTopRow(row - VisibleDataRows() + 1);
}

void TGridGeometry::SetLeftOffset(int offset) {
  leftOffset_ = qBound(0, offset, MaxLeftOffset());
}

int TGridGeometry::MaxLeftOffset() const {
  return qMax(0, TotalWidth() - viewport_.width());
}

void TGridGeometry::ClampScroll() {
  SetTopRow(topRow_);
  SetLeftOffset(leftOffset_);
}

int TGridGeometry::ColumnLeft(int col) const {
  int left = -leftOffset_;
  for (int i = 0; i < col; ++i)
    left += colWidths_.at(i);
  return left;
}

QRect TGridGeometry::CellRect(int col, int row) const {
  if (row > 0 && row < topRow_)
    return {};
  const int top = row == 0 ? 0 : (row - topRow_ + 1) * rowHeight_;
  return {ColumnLeft(col), top, colWidths_.at(col), rowHeight_};
}

int TGridGeometry::LastDrawnRow() const {
  const int partlyShown = (viewport_.height() - rowHeight_ + rowHeight_ - 1) / rowHeight_;
  return qMin(rowCount_ - 1, topRow_ + qMax(0, partlyShown) - 1);
}

int TGridGeometry::RowAt(int y) const {
  if (y < 0)
    return -1;
  if (y < rowHeight_)
    return 0;
  const int row = topRow_ + (y - rowHeight_) / rowHeight_;
  return row < rowCount_ ? row : -1;
}

int TGridGeometry::ColumnAt(int x) const {
  for (int col = 0; col < ColCount(); ++col) {
    const int left = ColumnLeft(col);
    if (x >= left && x < left + colWidths_.at(col))
      return col;
  }
  return -1;
}

int TGridGeometry::ColumnEdgeAt(int x) const {
  for (int col = 0; col < ColCount(); ++col) {
    const int right = ColumnLeft(col) + colWidths_.at(col);
    if (qAbs(x - right) <= EdgeGrip)
      return col;
  }
  return -1;
}
