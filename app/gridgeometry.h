#pragma once
// Where the cells of a grid with one fixed header row lie in its viewport: the header stays
// at the top, data rows scroll by whole rows, columns scroll by pixels.

#include <QRect>
#include <QSize>
#include <QVector>

class TGridGeometry {
 public:
  TGridGeometry(QVector<int> colWidths, int rowCount, int rowHeight);

  int ColCount() const { return colWidths_.size(); }
  int ColWidth(int col) const { return colWidths_.at(col); }
  void SetColWidth(int col, int width);
  int TotalWidth() const;

  // Rows including the header row 0; at least 1.
  int RowCount() const { return rowCount_; }
  void SetRowCount(int rowCount);
  int RowHeight() const { return rowHeight_; }

  void SetViewport(QSize size);

  // The first data row shown below the header.
  int TopRow() const { return topRow_; }
  void SetTopRow(int row);
  int MaxTopRow() const;
  // Data rows that fit entirely below the header (at least 1 while any data row exists).
  int VisibleDataRows() const;
  // Scrolls the fewest rows that bring a data row entirely into view.
  void ScrollToShow(int row);

  int LeftOffset() const { return leftOffset_; }
  void SetLeftOffset(int offset);
  int MaxLeftOffset() const;

  // In viewport coordinates; an empty rectangle for a data row scrolled out above the header.
  QRect CellRect(int col, int row) const;
  // The data rows drawn, from TopRow to the last one that shows at least partly.
  int LastDrawnRow() const;
  // Row under a viewport y: 0 for the header, -1 below the last row.
  int RowAt(int y) const;
  // Column under a viewport x, -1 right of the last column.
  int ColumnAt(int x) const;
  // The column whose right edge lies within a few pixels of x (a resize grip), or -1.
  int ColumnEdgeAt(int x) const;
  // Left edge of a column in viewport coordinates.
  int ColumnLeft(int col) const;

 private:
  void ClampScroll();

  QVector<int> colWidths_;
  int rowCount_ = 1;
  int rowHeight_ = 1;
  QSize viewport_;
  int topRow_ = 1;
  int leftOffset_ = 0;
};
