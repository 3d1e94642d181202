#include "transfer/ui/historydialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "common/modal.h"
#include "common/texts.h"

namespace {

QStringList Columns() {
  return {TTransferText::tr("No."),     TTransferText::tr("Time"),
          TTransferText::tr("Section"), TTransferText::tr("Change"),
          TTransferText::tr("Before"),  TTransferText::tr("Left there")};
}

bool Usable(const THistoryEntry& entry) {
  return entry.Problem.isEmpty() && entry.After.Known;
}

QStringList LineOf(const THistoryEntry& entry) {
  const THistoryLine line = HistoryLineOf(entry);
  return {line.Id, line.Time, line.Section, line.Change, line.Before, line.After};
}

QString WhereText(const THistoryStore& store, const QString& settingsPath) {
  if (!store.Keeps())
    return TTransferText::tr(
               "The history is off ([History] Keep=0 in %1): nothing is kept before a change, "
               "so nothing can be taken back. To keep it, set Keep=1 there and start Kiv "
               "Manager again.")
        .arg(settingsPath);
  return TTransferText::tr(
             "Kept in %1, newest first. A change can be taken back while its section still "
             "holds what the change left there.")
      .arg(store.Dir());
}

}  // namespace

THistoryDialog::THistoryDialog(QWidget* parent)
    : QDialog(parent),
      where_(new QLabel(this)),
      table_(new QTableWidget(0, int(Columns().size()), this)),
      takeBack_(new QPushButton(tr("&Take back"), this)) {
  setWindowTitle(tr("History"));
  auto* layout = new QVBoxLayout(this);
  where_->setWordWrap(true);
  where_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  where_->setObjectName(QStringLiteral("HistoryWhere"));
  layout->addWidget(where_);
  table_->setObjectName(QStringLiteral("HistoryList"));
  table_->setAccessibleName(tr("Changes kept"));
  table_->setAccessibleDescription(
      tr("Newest first: time, section, change, what was there before and what "
         "the change left there"));
  table_->setHorizontalHeaderLabels(Columns());
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  where_->setBuddy(table_);
  layout->addWidget(table_);
  takeBack_->setObjectName(QStringLiteral("TakeBackButton"));
  takeBack_->setAccessibleDescription(tr("Writes back what the chosen change replaced"));
  takeBack_->setAutoDefault(false);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->addButton(takeBack_, QDialogButtonBox::ActionRole);
  connect(takeBack_, &QPushButton::clicked, this, &THistoryDialog::TakeBack);
  connect(buttons, &QDialogButtonBox::rejected, this, &THistoryDialog::reject);
  connect(table_, &QTableWidget::itemSelectionChanged, this,
          [this] { takeBack_->setEnabled(CanTakeBack()); });
  layout->addWidget(buttons);
  resize(920, 360);
}

void THistoryDialog::ShowHistory(const THistoryStore& store, const QString& settingsPath) {
  store_ = store;
  where_->setText(WhereText(store, settingsPath));
  Fill();
}

void THistoryDialog::Fill() {
  QList<THistoryEntry> entries = store_.Keeps() ? store_.Entries() : QList<THistoryEntry>();
  std::reverse(entries.begin(), entries.end());
  table_->clearContents();
  table_->setRowCount(int(entries.size()));
  for (int row = 0; row < entries.size(); ++row) {
    const QStringList line = LineOf(entries[row]);
    const bool usable = Usable(entries[row]);
    for (int col = 0; col < line.size(); ++col) {
      auto* item = new QTableWidgetItem(line[col]);
      // Damaged and unfinished entries are shown for what they say, never chosen.
      if (!usable)
        item->setFlags(Qt::ItemIsEnabled);
      table_->setItem(row, col, item);
    }
  }
  table_->resizeColumnsToContents();
  table_->setEnabled(store_.Keeps());
  takeBack_->setEnabled(CanTakeBack());
}

QString THistoryDialog::Where() const {
  return where_->text();
}

int THistoryDialog::LineCount() const {
  return table_->rowCount();
}

QStringList THistoryDialog::Line(int index) const {
  QStringList line;
  for (int col = 0; col < table_->columnCount(); ++col)
    line << table_->item(index, col)->text();
  return line;
}

bool THistoryDialog::ChooseLine(int index) {
  if (index < 0 || index >= LineCount() ||
      !(table_->item(index, 0)->flags() & Qt::ItemIsSelectable)) {
    table_->clearSelection();
    return false;
  }
  table_->selectRow(index);
  return true;
}

QString THistoryDialog::ChosenId() const {
  const QList<QTableWidgetItem*> chosen = table_->selectedItems();
  return chosen.isEmpty() ? QString() : table_->item(chosen.first()->row(), 0)->text();
}

bool THistoryDialog::CanTakeBack() const {
  return OnTakeBack && !ChosenId().isEmpty();
}

void THistoryDialog::TakeBack() {
  if (!CanTakeBack() || !isEnabled())
    return;
  const QString id = ChosenId();
  // The phone works meanwhile with the event loop running: no second undo, no close.
  setEnabled(false);
  OnTakeBack(id);
  setEnabled(true);
  Fill();
}

void THistoryDialog::reject() {
  if (isEnabled())
    done(mrCancel);
}
