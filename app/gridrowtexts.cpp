#include "app/gridrowtexts.h"

#include <algorithm>
#include <utility>

TGridRowTexts::TGridRowTexts(int rowCount, TBuild build) : build_(std::move(build)) {
  Reset(rowCount);
}

void TGridRowTexts::Reset(int rowCount) {
  rows_ = QVector<TRow>(qMax(rowCount, 1));
  changed_.clear();
}

void TGridRowTexts::Changed(int row) {
  if (row < 1 || row >= rows_.size())
    return;
  TRow& texts = rows_[row];
  texts.Built.reset();
  if (!std::exchange(texts.Changed, true))
    changed_ << row;
}

const TRowTexts& TGridRowTexts::Texts(int row) {
  TRow& texts = rows_[row];
  if (!texts.Built)
    texts.Built = build_(row);
  return *texts.Built;
}

QList<TGridRowTexts::TCell> TGridRowTexts::TakeChanges() {
  std::sort(changed_.begin(), changed_.end());
  QList<TCell> cells;
  for (int row : std::exchange(changed_, {})) {
    const QStringList& now = Texts(row).Cells;
    TRow& texts = rows_[row];
    for (int col = 0; col < now.size(); ++col) {
      if (!texts.Told || texts.Told->value(col) != now.at(col))
        cells << TCell{row, col};
    }
    texts.Told = now;
    texts.Changed = false;
  }
  return cells;
}

void TGridRowTexts::TellUntold() {
  for (int row = 1; row < rows_.size(); ++row) {
    if (!rows_[row].Told && !rows_[row].Changed)
      rows_[row].Told = Texts(row).Cells;
  }
}
