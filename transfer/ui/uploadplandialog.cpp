#include "transfer/ui/uploadplandialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "catalogue/gridtext.h"
#include "common/bytecount.h"
#include "common/modal.h"
#include "common/texts.h"
#include "transfer/limits.h"
#include "transfer/manyslots.h"

namespace {

enum TColumn { FileColumn, SlotColumn, NowColumn, SizeColumn, CompressedColumn, NotesColumn };
QStringList PlanColumns() {
  return {TTransferText::tr("File"),
          TTransferText::tr("Slot"),
          TTransferText::tr("Now in the slot"),
          TTransferText::tr("Size"),
          TTransferText::tr("Compressed"),
          TTransferText::tr("Notes")};
}

QString ShortName(const TPlannedUpload& item) {
  return QFileInfo(item.FileName).fileName();
}

QString NowText(const TPlannedUpload& item) {
  if (item.Holds.Kind == skEmpty)
    return TTransferText::tr("empty");
  return TTransferText::tr("%1 (replaced)").arg(SlotDescription(item.Holds));
}

QString SizeText(const TPlannedUpload& item) {
  return item.File.TooLong ? TTransferText::tr("over %1 bytes").arg(UploadBufferSize)
                           : BytesText(item.Size);
}

QString NotesText(const TPlannedUpload& item, const TSlotRanges& ranges) {
  QStringList notes;
  if (item.TooBig) {
    // A compressed file is judged again once packed; a file over the buffer never fits.
    notes << TooBigForSlotText(item.File.TooLong ? qint64(UploadBufferSize) + 1 : item.Size,
                               SectionLimit(item.Target, ranges),
                               item.Compressed && !item.File.TooLong);
  }
  if (item.UFIF20)
    notes << QStringLiteral("UFIF 2.0");
  return notes.join(QStringLiteral("; "));
}

}  // namespace

TUploadPlanDialog::TUploadPlanDialog(QWidget* parent)
    : QDialog(parent),
      intro_(new QLabel(this)),
      table_(new QTableWidget(0, int(PlanColumns().size()), this)),
      overflow_(new QLabel(this)),
      convert_(new QCheckBox(this)),
      firmware_(new QComboBox(this)),
      clash_(new QLabel(this)),
      upload_(nullptr) {
  setWindowTitle(tr("Upload files"));
  auto* layout = new QVBoxLayout(this);
  intro_->setWordWrap(true);
  layout->addWidget(intro_);
  table_->setObjectName(QStringLiteral("PlanTable"));
  table_->setAccessibleName(tr("Files and their slots"));
  table_->setHorizontalHeaderLabels(PlanColumns());
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::NoSelection);
  table_->setWordWrap(false);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(NotesColumn, QHeaderView::Stretch);
  layout->addWidget(table_);
  overflow_->setObjectName(QStringLiteral("OverflowText"));
  overflow_->setWordWrap(true);
  layout->addWidget(overflow_);
  auto* conversion = new QHBoxLayout;
  convert_->setObjectName(QStringLiteral("ConvertBox"));
  convert_->setText(tr("Convert the UFIF 2.0 programs to UFIF 2.1 for firmware"));
  firmware_->setObjectName(QStringLiteral("FirmwareBox"));
  firmware_->setAccessibleName(tr("Firmware for the conversion"));
  connect(convert_, &QCheckBox::toggled, firmware_, &QWidget::setEnabled);
  conversion->addWidget(convert_);
  conversion->addWidget(firmware_, 1);
  layout->addLayout(conversion);
  clash_->setObjectName(QStringLiteral("ClashText"));
  clash_->setWordWrap(true);
  clash_->setStyleSheet(QStringLiteral("color: #b00000"));
  layout->addWidget(clash_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  upload_ = buttons->button(QDialogButtonBox::Ok);
  upload_->setObjectName(QStringLiteral("UploadButton"));
  upload_->setText(tr("Upload"));
  upload_->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { done(mrOk); });
  connect(buttons, &QDialogButtonBox::rejected, this, &TUploadPlanDialog::reject);
  layout->addWidget(buttons);
  resize(760, 360);
}

void TUploadPlanDialog::SetPlan(const TUploadPlan& plan, const TCatalogue& catalogue,
                                const QStringList& overflow) {
  plan_ = plan;
  slots_ = catalogue.Slots;
  ranges_ = catalogue.Ranges;
  addresses_ = SlotAddresses(ranges_);
  intro_->setText(
      tr("%n files to upload, each into the slot shown. Nothing is written until "
         "you choose Upload.",
         nullptr, int(plan_.Items.size())));
  table_->setRowCount(0);  // the last plan's lines and their boxes go
  table_->setRowCount(int(plan_.Items.size()));
  for (int index = 0; index < plan_.Items.size(); ++index) {
    const QString name = ShortName(plan_.Items[index]);
    auto* slot = new QComboBox;
    slot->setAccessibleName(tr("Slot for %1").arg(name));
    for (const TSectionAddress& address : addresses_)
      slot->addItem(address.Text());
    slot->setCurrentIndex(int(addresses_.indexOf(plan_.Items[index].Target)));
    connect(slot, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this, index](int slotIndex) { TargetChosen(index, slotIndex); });
    table_->setCellWidget(index, SlotColumn, slot);
    auto* compressed = new QCheckBox;
    compressed->setAccessibleName(tr("Compress %1").arg(name));
    compressed->setChecked(plan_.Items[index].Compressed);
    connect(compressed, &QCheckBox::toggled, this,
            [this, index](bool on) { CompressedChanged(index, on); });
    table_->setCellWidget(index, CompressedColumn, compressed);
    FillLine(index);
  }
  table_->resizeColumnsToContents();
  QStringList left;
  for (const QString& fileName : overflow)
    left << QFileInfo(fileName).fileName();
  overflow_->setText(
      tr("No free slot left for: %1. Not uploaded.").arg(left.join(QStringLiteral(", "))));
  overflow_->setVisible(!overflow.isEmpty());
  // Asked once for the plan, only when a file needs it, and yes at first as the single
  // upload's question is.
  const bool ufif20 = plan_.HasUFIF20();
  convert_->setVisible(ufif20);
  firmware_->setVisible(ufif20);
  convert_->setChecked(ufif20);
  firmware_->setEnabled(convert_->isChecked());
  ShowClash();
}

void TUploadPlanDialog::SetFirmwares(const QStringList& firmwares, const QString& chosen) {
  firmware_->clear();
  firmware_->addItems(firmwares);
  firmware_->setCurrentIndex(qMax(0, int(firmwares.indexOf(chosen))));
}

TUploadPlan TUploadPlanDialog::Plan() const {
  TUploadPlan plan = plan_;
  plan.Convert = plan.HasUFIF20() && convert_->isChecked();
  plan.Firmware = firmware_->currentText();
  return plan;
}

void TUploadPlanDialog::reject() {
  done(mrCancel);
}

void TUploadPlanDialog::FillLine(int index) {
  const TPlannedUpload& item = plan_.Items[index];
  const QString texts[] = {ShortName(item), QString(), NowText(item),
                           SizeText(item),  QString(), NotesText(item, ranges_)};
  for (int col = 0; col < table_->columnCount(); ++col) {
    if (col == SlotColumn || col == CompressedColumn)
      continue;
    auto* cell = new QTableWidgetItem(texts[col]);
    if (item.TooBig) {
      QFont bold = cell->font();
      bold.setBold(true);
      cell->setFont(bold);
      cell->setForeground(QColor(0xb0, 0, 0));
    }
    table_->setItem(index, col, cell);
  }
  table_->item(index, FileColumn)->setToolTip(item.FileName);
}

void TUploadPlanDialog::TargetChosen(int index, int slotIndex) {
  if (slotIndex < 0 || slotIndex >= addresses_.size())
    return;
  plan_.Items[index].Target = addresses_[slotIndex];
  TCatalogue catalogue{slots_, ranges_, true};
  CheckPlan(plan_, catalogue);
  FillLine(index);
  table_->resizeColumnsToContents();
  ShowClash();
}

void TUploadPlanDialog::CompressedChanged(int index, bool compressed) {
  plan_.Items[index].Compressed = compressed;
  TCatalogue catalogue{slots_, ranges_, true};
  CheckPlan(plan_, catalogue);
  FillLine(index);
  table_->resizeColumnsToContents();
}

// One slot takes one file: a second would overwrite the first within the same run.
void TUploadPlanDialog::ShowClash() {
  QString clash;
  for (int i = 0; i < plan_.Items.size() && clash.isEmpty(); ++i) {
    for (int j = i + 1; j < plan_.Items.size(); ++j) {
      if (plan_.Items[i].Target == plan_.Items[j].Target) {
        clash = tr("%1 and %2 both go to %3: move one of them to another slot.")
                    .arg(ShortName(plan_.Items[i]), ShortName(plan_.Items[j]),
                         plan_.Items[i].Target.Text());
        break;
      }
    }
  }
  clash_->setText(clash);
  clash_->setVisible(!clash.isEmpty());
  upload_->setEnabled(clash.isEmpty() && !plan_.Items.isEmpty());
}
