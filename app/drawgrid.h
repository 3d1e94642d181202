#pragma once
// TDrawGrid: an owner-drawn grid with one fixed header row that stays in view, whole-row
// selection of one or several rows and user-resizable columns. It paints each cell's background and
// leaves the content to its draw-cell handler; it stores no data of its own: what a cell says (to
// assistive technology) and a row's tooltip come from handlers too, kept until the row changes.

#include <QAbstractScrollArea>
#include <QString>
#include <functional>

#include "app/gridgeometry.h"
#include "app/gridrowtexts.h"

class QMimeData;

class TDrawGrid : public QAbstractScrollArea {
  Q_OBJECT
 public:
  // Called for every visible cell after its background is painted; the painter's pen holds
  // the text colour and its brush the cell colour, and drawing is clipped to the cell.
  using TDrawCell = std::function<void(QPainter& canvas, int col, int row, const QRect& rect)>;
  using TMouseUp = std::function<void(Qt::MouseButton button)>;
  using TClientResized = std::function<void()>;
  using TCellText = std::function<QString(int col, int row)>;
  using TRowToolTip = std::function<QString(int row)>;
  // A drop onto the grid: its data, the row under it (0 the header, -1 below the rows) and
  // where it was, in global coordinates; true when it was taken.
  using TDrop = std::function<bool(const QMimeData& data, int row, const QPoint& at)>;

  explicit TDrawGrid(QWidget* parent = nullptr);

  void SetDrawCell(TDrawCell handler) { drawCell_ = std::move(handler); }
  void SetMouseUp(TMouseUp handler) { mouseUp_ = std::move(handler); }
  // Called when the client area changes size, scroll bars coming and going included.
  void SetClientResized(TClientResized handler) { clientResized_ = std::move(handler); }
  // Called for the Menu key and Shift+F10: the context menu of the current row.
  void SetContextKey(std::function<void()> handler) { contextKey_ = std::move(handler); }
  // New handlers: the rows' texts are asked of them from now on.
  void SetCellText(TCellText handler);
  void SetRowToolTip(TRowToolTip handler);
  // Accepts drops of files (and anything else with URLs or text) once a handler is set,
  // always as copies: the source keeps what was dropped.
  void SetDrop(TDrop handler);

  int ColCount() const { return geometry_.ColCount(); }
  int ColWidth(int col) const { return geometry_.ColWidth(col); }
  void SetColWidth(int col, int width);
  int RowCount() const { return geometry_.RowCount(); }
  // Keeps the current row within the new count.
  void SetRowCount(int rowCount);
  int ClientWidth() const;

  // The current row: a data row, or 0 while the grid has none. It is always selected.
  int Row() const { return row_; }
  // Makes the row current and the only one selected.
  void SetRow(int row);
  // The selected rows in row order, the current one among them; as desktop lists do, Ctrl
  // with a click adds or takes away a row, and Shift with a click or an arrow key selects
  // the rows from the last row chosen alone, Ctrl+A all of them.
  QList<int> SelectedRows() const { return selection_; }
  bool IsSelected(int row) const { return selection_.contains(row); }
  // Selects these rows (data rows only), with the current row among them.
  void SetSelection(QList<int> rows, int current);
  int TopRow() const { return geometry_.TopRow(); }
  QRect CellRect(int col, int row) const { return geometry_.CellRect(col, row); }
  // The text of a cell as the handler tells it (header captions included), and a data
  // row's full description (its tooltip); empty without a handler. A data row's texts are
  // asked of the handlers once after each change of the row.
  QString CellText(int col, int row);
  QString RowDescription(int row);
  // Paints one row at once, where it is in view: rows fill one by one during long commands
  // without the cost of repainting the whole grid after each.
  void RepaintRow(int row);
  // The data row's record changed: its texts are asked of the handlers again when next
  // needed, and assistive technology is told of the cells that read differently once the
  // event loop turns, together for all the rows changed meanwhile.
  void RowChanged(int row);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void PaintCell(QPainter& painter, int col, int row, const QRegion& region);
  TRowTexts BuildRowTexts(int row) const;
  void AnnounceLater();
  void AnnounceChanges();
  void PaintFocusFrame(QPainter& painter);
  void UpdateScrollBars();
  int MovedRow(int key) const;
  void NotifyCurrentRow();
  void ChooseRow(int row, Qt::KeyboardModifiers modifiers);
  void ShowRow(int row);

  TGridGeometry geometry_;
  int row_ = 1;
  QList<int> selection_{1};
  int anchor_ = 1;  // where a Shift selection starts
  int resizingColumn_ = -1;
  int resizeGrabOffset_ = 0;
  TDrawCell drawCell_;
  TMouseUp mouseUp_;
  TClientResized clientResized_;
  std::function<void()> contextKey_;
  TCellText cellText_;
  TRowToolTip rowToolTip_;
  TDrop drop_;
  TGridRowTexts rowTexts_;
  bool announcing_ = false;  // an announcement waits for the event loop
  // The texts after a change of the rows count as told once assistive technology had a turn.
  bool tellUntold_ = false;
};
