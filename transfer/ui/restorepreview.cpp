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
#include "common/texts.h"
#include "common/ui/windowtexts.h"

namespace {

QStringList PreviewColumns() {
  return {TTransferText::tr("Section"), TTransferText::tr("Phone now"), TTransferText::tr("Backup"),
          TTransferText::tr("Action")};
}
constexpr int ActionColumn = 3;

bool Changes(const TSectionRestore& section, bool clearRecordedEmpty) {
  return section.Action == TSectionRestore::Written || section.Action == TSectionRestore::Cleared ||
         (section.Action == TSectionRestore::NotCleared && clearRecordedEmpty);
}

// Changes first, then what is left alone, then the unchanged; each in the restore's order.
int Rank(const TSectionRestore& section) {
  if (Changes(section, false))
    return 0;
  return section.Action == TSectionRestore::Unchanged ? 2 : 1;
}

QString ActionText(const TSectionRestore& section, bool clearRecordedEmpty) {
  return section.Action == TSectionRestore::NotCleared && clearRecordedEmpty
             ? TTransferText::tr("clear")
             : PreviewActionText(section);
}

QString CountText(const QList<TSectionRestore>& preview, bool clearRecordedEmpty) {
  int written = 0, cleared = 0, unchanged = 0, leftAlone = 0;
  for (const TSectionRestore& section : preview) {
    if (section.Action == TSectionRestore::Written)
      ++written;
    else if (Changes(section, clearRecordedEmpty))
      ++cleared;
    else if (section.Action == TSectionRestore::Unchanged)
      ++unchanged;
    else
      ++leftAlone;
  }
  if (leftAlone > 0)
    return TTransferText::tr("%1 to write, %2 to clear, %3 unchanged, %4 left alone")
        .arg(written)
        .arg(cleared)
        .arg(unchanged)
        .arg(leftAlone);
  return TTransferText::tr("%1 to write, %2 to clear, %3 unchanged")
      .arg(written)
      .arg(cleared)
      .arg(unchanged);
}

// What the user should know before the backup is trusted.
QStringList NoteTexts(const TManifest& manifest) {
  QStringList notes;
  if (!manifest.Doubt().isEmpty())
    //: %1 is what makes the backup doubtful: "The backup is incomplete: ..."
    notes << TTransferText::tr("%1. The sections it records as empty are left as they are.")
                 .arg(manifest.Doubt());
  const TSectionAddress preferences{PrefSection, PrefSubSection};
  for (const TManifestEntry& entry : manifest.Entries) {
    if (entry.Address == preferences && entry.State == TManifestEntry::Empty)
      notes << TTransferText::tr("Note: this backup holds no preferences record (%1 was empty).")
                   .arg(preferences.Text());
  }
  return notes;
}

}  // namespace

QString PreviewActionText(const TSectionRestore& section) {
  switch (section.Action) {
    case TSectionRestore::Written:
      return TTransferText::tr("write");
    case TSectionRestore::Cleared:
      return TTransferText::tr("clear");
    case TSectionRestore::Unchanged:
      return TTransferText::tr("unchanged");
    case TSectionRestore::NotCleared:
      return TTransferText::tr("not cleared");
    default:
      return TTransferText::tr("left alone");
  }
}

TRestorePreview::TRestorePreview(QWidget* parent, const QString& folder,
                                 const QList<TSectionRestore>& preview, const TManifest& manifest)
    : QDialog(parent),
      sections_(preview),
      count_(new QLabel(this)),
      clearRecordedEmpty_(new QCheckBox(this)),
      showUnchanged_(new QCheckBox(this)),
      table_(new QTableWidget(int(preview.size()), int(PreviewColumns().size()), this)) {
  setObjectName(QStringLiteral("RestorePreview"));
  setWindowTitle(tr("Restore phone"));
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(tr("Restoring %1 would change the phone so:").arg(folder));
  intro->setWordWrap(true);
  layout->addWidget(intro);
  for (const QString& text : NoteTexts(manifest)) {
    auto* note = new QLabel(text, this);
    note->setWordWrap(true);
    notes_ << note;
    layout->addWidget(note);
  }
  QFont bold = count_->font();
  bold.setBold(true);
  count_->setFont(bold);
  layout->addWidget(count_);
  table_->setHorizontalHeaderLabels(PreviewColumns());
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  std::stable_sort(
      sections_.begin(), sections_.end(),
      [](const TSectionRestore& a, const TSectionRestore& b) { return Rank(a) < Rank(b); });
  int unchanged = 0;
  int notCleared = 0;
  for (int row = 0; row < sections_.size(); ++row) {
    const TSectionRestore& section = sections_[row];
    const QStringList line{section.Address.Text(), section.PhoneHeld, section.BackupHolds,
                           PreviewActionText(section)};
    for (int col = 0; col < line.size(); ++col) {
      auto* item = new QTableWidgetItem(line[col]);
      item->setData(Qt::UserRole, section.Action == TSectionRestore::Unchanged);
      table_->setItem(row, col, item);
    }
    unchanged += section.Action == TSectionRestore::Unchanged ? 1 : 0;
    notCleared += section.Action == TSectionRestore::NotCleared ? 1 : 0;
  }
  layout->addWidget(table_);
  clearRecordedEmpty_->setObjectName(QStringLiteral("ClearRecordedEmpty"));
  clearRecordedEmpty_->setText(
      tr("Clear the %n sections the backup records as empty anyway", nullptr, notCleared));
  clearRecordedEmpty_->setVisible(notCleared > 0);
  connect(clearRecordedEmpty_, &QCheckBox::toggled, this, [this] { ShowActions(); });
  layout->addWidget(clearRecordedEmpty_);
  showUnchanged_->setText(tr("Show the %n unchanged sections", nullptr, unchanged));
  showUnchanged_->setVisible(unchanged > 0);
  connect(showUnchanged_, &QCheckBox::toggled, this, &TRestorePreview::ShowUnchanged);
  layout->addWidget(showUnchanged_);
  ShowActions();
  table_->resizeColumnsToContents();
  ShowUnchanged(false);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(tr("&Restore"));
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { done(mrOk); });
  connect(buttons, &QDialogButtonBox::rejected, this, &TRestorePreview::reject);
  layout->addWidget(buttons);
  resize(640, 420);
  KeepTextsWhole(this);
}

// The count, the action of each line and the marking of the changes, as the tick box says.
void TRestorePreview::ShowActions() {
  const bool clear = ClearRecordedEmpty();
  count_->setText(CountText(sections_, clear));
  for (int row = 0; row < sections_.size(); ++row) {
    table_->item(row, ActionColumn)->setText(ActionText(sections_[row], clear));
    for (int col = 0; col < table_->columnCount(); ++col) {
      QFont font = table_->item(row, col)->font();
      font.setBold(Changes(sections_[row], clear));
      table_->item(row, col)->setFont(font);
    }
  }
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

QStringList TRestorePreview::Notes() const {
  QStringList texts;
  for (const QLabel* note : notes_)
    texts << note->text();
  return texts;
}

bool TRestorePreview::ClearRecordedEmpty() const {
  return clearRecordedEmpty_->isChecked();
}

void TRestorePreview::SetClearRecordedEmpty(bool clear) {
  clearRecordedEmpty_->setChecked(clear);
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
