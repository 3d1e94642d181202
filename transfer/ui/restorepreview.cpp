#include "transfer/ui/restorepreview.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "common/modal.h"

namespace {

const QStringList Columns{QStringLiteral("Section"), QStringLiteral("Phone now"),
                          QStringLiteral("Backup"), QStringLiteral("Action")};

QStringList LineOf(const TSectionRestore& section) {
  return {section.Address.Text(), section.PhoneHeld, section.BackupHolds,
          PreviewActionText(section)};
}

bool Changes(const TSectionRestore& section) {
  return section.Action == TSectionRestore::Written || section.Action == TSectionRestore::Cleared;
}

// Changes first, then what is left alone, then the unchanged; each in the restore's order.
int Rank(const TSectionRestore& section) {
  if (Changes(section))
    return 0;
  return section.Action == TSectionRestore::Unchanged ? 2 : 1;
}

QString CountText(const QList<TSectionRestore>& preview) {
  int counts[4] = {};
  for (const TSectionRestore& section : preview) {
    switch (section.Action) {
      case TSectionRestore::Written:
        ++counts[0];
        break;
      case TSectionRestore::Cleared:
        ++counts[1];
        break;
      case TSectionRestore::Unchanged:
        ++counts[2];
        break;
      default:
        ++counts[3];
    }
  }
  QString text = QStringLiteral("%1 to write, %2 to clear, %3 unchanged")
                     .arg(counts[0])
                     .arg(counts[1])
                     .arg(counts[2]);
  if (counts[3] > 0)
    text += QStringLiteral(", %1 left alone").arg(counts[3]);
  return text;
}

}  // namespace

QString PreviewActionText(const TSectionRestore& section) {
  switch (section.Action) {
    case TSectionRestore::Written:
      return QStringLiteral("write");
    case TSectionRestore::Cleared:
      return QStringLiteral("clear");
    case TSectionRestore::Unchanged:
      return QStringLiteral("unchanged");
    default:
      return QStringLiteral("left alone");
  }
}

TRestorePreview::TRestorePreview(QWidget* parent, const QString& folder,
                                 const QList<TSectionRestore>& preview)
    : QDialog(parent),
      count_(new QLabel(CountText(preview), this)),
      showUnchanged_(new QCheckBox(this)),
      table_(new QTableWidget(int(preview.size()), int(Columns.size()), this)) {
  setObjectName(QStringLiteral("RestorePreview"));
  setWindowTitle(QStringLiteral("Restore phone"));
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(QStringLiteral("Restoring %1 would change the phone so:").arg(folder));
  intro->setWordWrap(true);
  layout->addWidget(intro);
  QFont bold = count_->font();
  bold.setBold(true);
  count_->setFont(bold);
  layout->addWidget(count_);
  table_->setHorizontalHeaderLabels(Columns);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  QList<TSectionRestore> ordered = preview;
  std::stable_sort(
      ordered.begin(), ordered.end(),
      [](const TSectionRestore& a, const TSectionRestore& b) { return Rank(a) < Rank(b); });
  int unchanged = 0;
  for (int row = 0; row < ordered.size(); ++row) {
    const QStringList line = LineOf(ordered[row]);
    for (int col = 0; col < line.size(); ++col) {
      auto* item = new QTableWidgetItem(line[col]);
      if (Changes(ordered[row]))
        item->setFont(bold);
      item->setData(Qt::UserRole, ordered[row].Action == TSectionRestore::Unchanged);
      table_->setItem(row, col, item);
    }
    unchanged += ordered[row].Action == TSectionRestore::Unchanged ? 1 : 0;
  }
  table_->resizeColumnsToContents();
  layout->addWidget(table_);
  showUnchanged_->setText(QStringLiteral("Show the %1 unchanged sections").arg(unchanged));
  showUnchanged_->setVisible(unchanged > 0);
  connect(showUnchanged_, &QCheckBox::toggled, this, &TRestorePreview::ShowUnchanged);
  layout->addWidget(showUnchanged_);
  ShowUnchanged(false);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Restore"));
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { done(mrOk); });
  connect(buttons, &QDialogButtonBox::rejected, this, &TRestorePreview::reject);
  layout->addWidget(buttons);
  resize(640, 420);
}

void TRestorePreview::ShowUnchanged(bool shown) {
  showUnchanged_->setChecked(shown);
  for (int row = 0; row < table_->rowCount(); ++row)
    table_->setRowHidden(row, !shown && table_->item(row, 0)->data(Qt::UserRole).toBool());
}

bool TRestorePreview::LineShown(int index) const {
  return !table_->isRowHidden(index);
}

QString TRestorePreview::Count() const {
  return count_->text();
}

QStringList TRestorePreview::Line(int index) const {
  QStringList line;
  for (int col = 0; col < table_->columnCount(); ++col)
    line << table_->item(index, col)->text();
  return line;
}

int TRestorePreview::LineCount() const {
  return table_->rowCount();
}

void TRestorePreview::reject() {
  done(mrCancel);
}
