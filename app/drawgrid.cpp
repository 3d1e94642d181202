#include "app/drawgrid.h"

#include <QAccessible>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <QToolTip>
#include <algorithm>

#include "app/gridaccessible.h"

namespace {
const QVector<int> InitialColWidths = {75, 120, 64};
constexpr int InitialRowCount = 32;
constexpr int RowHeight = 30;
}  // namespace

TDrawGrid::TDrawGrid(QWidget* parent)
    : QAbstractScrollArea(parent),
      geometry_(InitialColWidths, InitialRowCount, RowHeight),
      rowTexts_(InitialRowCount, [this](int row) { return BuildRowTexts(row); }) {
  InstallGridAccessibility();
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  verticalScrollBar()->setTracking(true);
  horizontalScrollBar()->setTracking(true);
  UpdateScrollBars();
}

void TDrawGrid::SetColWidth(int col, int width) {
  geometry_.SetColWidth(col, width);
  UpdateScrollBars();
  viewport()->update();
}

void TDrawGrid::SetRowCount(int rowCount) {
  geometry_.SetRowCount(rowCount);
  row_ = qBound(qMin(1, RowCount() - 1), row_, RowCount() - 1);
  selection_.erase(std::remove_if(selection_.begin(), selection_.end(),
                                  [this](int row) { return row >= RowCount(); }),
                   selection_.end());
  if (row_ > 0 && !selection_.contains(row_))
    selection_ = {row_};
  anchor_ = qMin(anchor_, row_);
  UpdateScrollBars();
  viewport()->update();
  rowTexts_.Reset(RowCount());
  if (QAccessible::isActive()) {
    QAccessibleTableModelChangeEvent change(this, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&change);
    // The records of the new rows are filled in by then.
    tellUntold_ = true;
    AnnounceLater();
  }
}

int TDrawGrid::ClientWidth() const {
  return viewport()->width();
}

void TDrawGrid::SetRow(int row) {
  if (row < 1 || row >= RowCount())
    return;
  anchor_ = row;
  SetSelection({row}, row);
}

void TDrawGrid::SetSelection(QList<int> rows, int current) {
  if (current < 1 || current >= RowCount())
    return;
  rows.erase(std::remove_if(rows.begin(), rows.end(),
                            [this](int row) { return row < 1 || row >= RowCount(); }),
             rows.end());
  rows << current;
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  const bool changed = current != row_ || rows != selection_;
  row_ = current;
  selection_ = rows;
  ShowRow(current);
  if (changed)
    NotifyCurrentRow();
}

void TDrawGrid::ShowRow(int row) {
  geometry_.ScrollToShow(row);
  UpdateScrollBars();
  viewport()->update();
}

// A plain choice selects the row alone; Ctrl adds it or, when it is selected and not alone,
// takes it away; Shift selects the run from the anchor, added to the rest with Ctrl too.
void TDrawGrid::ChooseRow(int row, Qt::KeyboardModifiers modifiers) {
  const bool add = modifiers & Qt::ControlModifier;
  if (modifiers & Qt::ShiftModifier) {
    QList<int> rows = add ? selection_ : QList<int>();
    for (int r = qMin(anchor_, row); r <= qMax(anchor_, row); ++r)
      rows << r;
    SetSelection(rows, row);
    return;
  }
  if (!add) {
    SetRow(row);
    return;
  }
  anchor_ = row;
  QList<int> rows = selection_;
  if (!rows.contains(row) || rows.size() == 1) {
    SetSelection(rows, row);
    return;
  }
  rows.removeOne(row);
  // The current row leaves with it: the nearest selected row takes its place.
  int current = row_;
  if (current == row) {
    const auto after = std::lower_bound(rows.begin(), rows.end(), row);
    current = after != rows.end() ? *after : rows.last();
  }
  SetSelection(rows, current);
}

// Assistive technology follows the current row as the focus moves within a table.
void TDrawGrid::NotifyCurrentRow() {
  if (!QAccessible::isActive())
    return;
  QAccessibleEvent selection(this, QAccessible::SelectionWithin);
  QAccessible::updateAccessibility(&selection);
  if (hasFocus())
    NotifyGridFocus(this);
}

void TDrawGrid::SetDrop(TDrop handler) {
  drop_ = std::move(handler);
  setAcceptDrops(bool(drop_));
  viewport()->setAcceptDrops(bool(drop_));
}

void TDrawGrid::RepaintRow(int row) {
  if (row < 1 || row >= RowCount())
    return;
  const QRect cell = CellRect(0, row);
  if (cell.isEmpty() || cell.top() >= viewport()->height())
    return;
  viewport()->repaint(0, cell.top(), viewport()->width(), cell.height());
}

void TDrawGrid::UpdateScrollBars() {
  geometry_.SetViewport(viewport()->size());
  QScrollBar* vertical = verticalScrollBar();
  vertical->setRange(0, geometry_.MaxTopRow() - 1);
  vertical->setPageStep(geometry_.VisibleDataRows());
  vertical->setSingleStep(1);
  vertical->setValue(geometry_.TopRow() - 1);
  QScrollBar* horizontal = horizontalScrollBar();
  horizontal->setRange(0, geometry_.MaxLeftOffset());
  horizontal->setPageStep(viewport()->width());
  horizontal->setSingleStep(geometry_.RowHeight());
  horizontal->setValue(geometry_.LeftOffset());
}

void TDrawGrid::scrollContentsBy(int, int) {
  geometry_.SetTopRow(verticalScrollBar()->value() + 1);
  geometry_.SetLeftOffset(horizontalScrollBar()->value());
  viewport()->update();
}

// Receives the viewport's resizes.
void TDrawGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
  if (clientResized_)
    clientResized_();
}

// Only the cells the paint event asks for are drawn: a row repainted as it fills costs that
// row alone.
void TDrawGrid::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QRegion& region = event->region();
  painter.fillRect(event->rect(), palette().color(QPalette::Base));
  for (int col = 0; col < ColCount(); ++col)
    PaintCell(painter, col, 0, region);
  for (int row = geometry_.TopRow(); row <= geometry_.LastDrawnRow(); ++row) {
    for (int col = 0; col < ColCount(); ++col)
      PaintCell(painter, col, row, region);
  }
  if (hasFocus())
    PaintFocusFrame(painter);
}

void TDrawGrid::PaintCell(QPainter& painter, int col, int row, const QRegion& region) {
  const QRect rect = geometry_.CellRect(col, row);
  if (rect.isEmpty() || !region.intersects(rect))
    return;
  QColor background = palette().color(QPalette::Base);
  QColor text = palette().color(QPalette::Text);
  if (row == 0) {
    background = palette().color(QPalette::Button);
    text = palette().color(QPalette::ButtonText);
  } else if (selection_.contains(row)) {
    background = palette().color(QPalette::Highlight);
    text = palette().color(QPalette::HighlightedText);
  }
  painter.save();
  painter.setClipRect(rect);
  painter.fillRect(rect, background);
  painter.setFont(font());
  painter.setPen(text);
  painter.setBrush(background);
  if (drawCell_)
    drawCell_(painter, col, row, rect);
  painter.restore();
}

void TDrawGrid::PaintFocusFrame(QPainter& painter) {
  if (row_ < 1)
    return;
  const QRect first = geometry_.CellRect(0, row_);
  if (first.isEmpty())
    return;
  QStyleOptionFocusRect option;
  option.initFrom(this);
  option.rect = QRect(first.left(), first.top(), geometry_.TotalWidth(), first.height());
  option.backgroundColor = palette().color(QPalette::Highlight);
  style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

// Either button makes the data row under it current, so the context menu that the right
// button's release opens acts on the row the user pointed at; the right button keeps a
// selection of several rows that the row belongs to, for the menu's items over them.
void TDrawGrid::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)
    return;
  const QPoint at = event->position().toPoint();
  const int row = geometry_.RowAt(at.y());
  if (row == 0) {
    if (event->button() != Qt::LeftButton)
      return;
    resizingColumn_ = geometry_.ColumnEdgeAt(at.x());
    if (resizingColumn_ >= 0)
      resizeGrabOffset_ =
          at.x() - (geometry_.ColumnLeft(resizingColumn_) + ColWidth(resizingColumn_));
    return;
  }
  if (row < 1 || geometry_.ColumnAt(at.x()) < 0)
    return;
  if (event->button() == Qt::RightButton && selection_.contains(row))
    SetSelection(selection_, row);
  else if (event->button() == Qt::RightButton)
    SetRow(row);
  else
    ChooseRow(row, event->modifiers());
}

void TDrawGrid::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (resizingColumn_ >= 0) {
    SetColWidth(resizingColumn_,
                at.x() - resizeGrabOffset_ - geometry_.ColumnLeft(resizingColumn_));
    return;
  }
  const bool overGrip = geometry_.RowAt(at.y()) == 0 && geometry_.ColumnEdgeAt(at.x()) >= 0;
  viewport()->setCursor(overGrip ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void TDrawGrid::mouseReleaseEvent(QMouseEvent* event) {
  resizingColumn_ = -1;
  if (mouseUp_)
    mouseUp_(event->button());
}

int TDrawGrid::MovedRow(int key) const {
  const int lastRow = RowCount() - 1;
  const int page = geometry_.VisibleDataRows();
  switch (key) {
    case Qt::Key_Up:
      return row_ - 1;
    case Qt::Key_Down:
      return row_ + 1;
    case Qt::Key_PageUp:
      return qMax(1, row_ - page);
    case Qt::Key_PageDown:
      return qMin(lastRow, row_ + page);
    case Qt::Key_Home:
      return 1;
    case Qt::Key_End:
      return lastRow;
    default:
      return -1;
  }
}

void TDrawGrid::keyPressEvent(QKeyEvent* event) {
  const bool menuKey = event->key() == Qt::Key_Menu ||
                       (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
  if (menuKey && contextKey_) {
    event->accept();
    contextKey_();
    return;
  }
  if (event->matches(QKeySequence::SelectAll) && RowCount() > 1) {
    QList<int> rows;
    for (int row = 1; row < RowCount(); ++row)
      rows << row;
    SetSelection(rows, row_);
    event->accept();
    return;
  }
  const int row = MovedRow(event->key());
  if (row < 0) {
    QAbstractScrollArea::keyPressEvent(event);
    return;
  }
  if (row >= 1 && row < RowCount())
    ChooseRow(row, event->modifiers() & Qt::ShiftModifier);
  event->accept();
}

void TDrawGrid::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void TDrawGrid::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}

bool TDrawGrid::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip && rowToolTip_) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const int row = geometry_.RowAt(help->pos().y());
    const QString text = RowDescription(row);
    if (text.isEmpty()) {
      QToolTip::hideText();
      event->ignore();
    } else {
      QToolTip::showText(help->globalPos(), text, viewport(), CellRect(0, row));
    }
    return true;
  }
  return QAbstractScrollArea::viewportEvent(event);
}

// Anything that may be a file is let in, so that what cannot be taken is refused with a
// reason on the drop rather than silently while dragging.
void TDrawGrid::dragEnterEvent(QDragEnterEvent* event) {
  if (drop_ && (event->mimeData()->hasUrls() || event->mimeData()->hasText())) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  }
}

void TDrawGrid::dragMoveEvent(QDragMoveEvent* event) {
  if (drop_) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  }
}

void TDrawGrid::dropEvent(QDropEvent* event) {
  if (!drop_)
    return;
  const QPoint at = event->position().toPoint();
  event->setDropAction(Qt::CopyAction);
  event->setAccepted(
      drop_(*event->mimeData(), geometry_.RowAt(at.y()), viewport()->mapToGlobal(at)));
}
