// What the grid tells of its data rows: their texts, asked of the handlers once after each
// change of a row, and the announcement of the cells that read differently.

#include <QAccessible>
#include <utility>

#include "app/drawgrid.h"
#include "app/gridaccessible.h"

void TDrawGrid::SetCellText(TCellText handler) {
  cellText_ = std::move(handler);
  rowTexts_.Reset(RowCount());
}

void TDrawGrid::SetRowToolTip(TRowToolTip handler) {
  rowToolTip_ = std::move(handler);
  rowTexts_.Reset(RowCount());
}

QString TDrawGrid::CellText(int col, int row) {
  if (row == 0)
    return cellText_ ? cellText_(col, row) : QString();
  return row > 0 && row < RowCount() ? rowTexts_.Texts(row).Cells.value(col) : QString();
}

QString TDrawGrid::RowDescription(int row) {
  return row > 0 && row < RowCount() ? rowTexts_.Texts(row).Description : QString();
}

TRowTexts TDrawGrid::BuildRowTexts(int row) const {
  TRowTexts texts;
  for (int col = 0; col < ColCount(); ++col)
    texts.Cells << (cellText_ ? cellText_(col, row) : QString());
  if (rowToolTip_)
    texts.Description = rowToolTip_(row);
  return texts;
}

void TDrawGrid::RowChanged(int row) {
  if (row < 1 || row >= RowCount())
    return;
  rowTexts_.Changed(row);
  if (QAccessible::isActive())
    AnnounceLater();
}

void TDrawGrid::AnnounceLater() {
  if (std::exchange(announcing_, true))
    return;
  QMetaObject::invokeMethod(this, &TDrawGrid::AnnounceChanges, Qt::QueuedConnection);
}

// A row refreshed to what it showed before is not announced: a screen reader would read it
// out again, and answering its questions would cost the window more than the refresh.
void TDrawGrid::AnnounceChanges() {
  announcing_ = false;
  if (!QAccessible::isActive())
    return;
  NotifyGridCellsChanged(this, rowTexts_.TakeChanges());
  if (std::exchange(tellUntold_, false))
    rowTexts_.TellUntold();
}
