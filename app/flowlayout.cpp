#include "app/flowlayout.h"

#include <QWidget>

TFlowLayout::TFlowLayout(QWidget* parent, int horizontalSpacing, int verticalSpacing)
    : QLayout(parent), horizontalSpacing_(horizontalSpacing), verticalSpacing_(verticalSpacing) {}

TFlowLayout::~TFlowLayout() {
  qDeleteAll(items_);
}

void TFlowLayout::addItem(QLayoutItem* item) {
  items_.append(item);
}

int TFlowLayout::count() const {
  return int(items_.size());
}

QLayoutItem* TFlowLayout::itemAt(int index) const {
  return items_.value(index);
}

QLayoutItem* TFlowLayout::takeAt(int index) {
  return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

Qt::Orientations TFlowLayout::expandingDirections() const {
  return {};
}

bool TFlowLayout::hasHeightForWidth() const {
  return true;
}

int TFlowLayout::heightForWidth(int width) const {
  return Arrange(QRect(0, 0, width, 0), false);
}

void TFlowLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  Arrange(rect, true);
}

// As narrow as its widest item, one item to a row.
QSize TFlowLayout::minimumSize() const {
  QSize size;
  for (const QLayoutItem* item : items_)
    size = size.expandedTo(item->minimumSize().expandedTo(item->sizeHint()));
  const QMargins margins = contentsMargins();
  return size.grownBy(margins);
}

QSize TFlowLayout::sizeHint() const {
  return minimumSize();
}

int TFlowLayout::Arrange(const QRect& rect, bool place) const {
  const QRect room = rect.marginsRemoved(contentsMargins());
  const auto row = [&](qsizetype first, qsizetype last, int top, int height) {
    int x = room.x();
    for (qsizetype i = first; i < last; ++i) {
      const QSize size = items_.at(i)->sizeHint();
      items_.at(i)->setGeometry(QRect(QPoint(x, top + (height - size.height()) / 2), size));
      x += size.width() + horizontalSpacing_;
    }
  };
  int top = room.y();
  int x = room.x();
  int rowHeight = 0;
  qsizetype rowStart = 0;
  for (qsizetype i = 0; i < items_.size(); ++i) {
    const QSize size = items_.at(i)->sizeHint();
    if (i > rowStart && x + size.width() > room.right() + 1) {
      if (place)
        row(rowStart, i, top, rowHeight);
      top += rowHeight + verticalSpacing_;
      x = room.x();
      rowHeight = 0;
      rowStart = i;
    }
    x += size.width() + horizontalSpacing_;
    rowHeight = qMax(rowHeight, size.height());
  }
  if (place)
    row(rowStart, items_.size(), top, rowHeight);
  return top + rowHeight - rect.y() + contentsMargins().bottom();
}
