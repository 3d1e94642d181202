#include "transfer/ui/restorepreview.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/modal.h"

namespace {

const QStringList Columns{QStringLiteral("Section"), QStringLiteral("Phone now"),
                          QStringLiteral("Backup"), QStringLiteral("Action")};

QStringList LineOf(const TSectionRestore& section) {
  return {section.Address.Text(), section.PhoneHeld, section.BackupHolds,
          PreviewActionText(section)};
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
    : QDialog(parent), table_(new QTableWidget(int(preview.size()), int(Columns.size()), this)) {
  setObjectName(QStringLiteral("RestorePreview"));
  setWindowTitle(QStringLiteral("Restore phone"));
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(QStringLiteral("Restoring %1 would change the phone so:").arg(folder));
  intro->setWordWrap(true);
  layout->addWidget(intro);
  table_->setHorizontalHeaderLabels(Columns);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->hide();
  for (int row = 0; row < preview.size(); ++row) {
    const QStringList line = LineOf(preview[row]);
    for (int col = 0; col < line.size(); ++col)
      table_->setItem(row, col, new QTableWidgetItem(line[col]));
  }
  table_->resizeColumnsToContents();
  layout->addWidget(table_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Restore"));
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { done(mrOk); });
  connect(buttons, &QDialogButtonBox::rejected, this, &TRestorePreview::reject);
  layout->addWidget(buttons);
  resize(640, 420);
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
