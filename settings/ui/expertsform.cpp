#include "settings/ui/expertsform.h"

#include <QLabel>
#include <QStyle>

#include "common/errors.h"
#include "common/messages.h"
#include "common/modal.h"
#include "ufif/firmwares.h"
#include "ui_expertsform.h"

TExpertsForm::TExpertsForm(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TExpertsForm>()) {
  ui->setupUi(this);
  ui->FWComboBox->addItems(FirmwareTable());
  PlaceRangeFields();
  connect(ui->Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(ui->Button2, &QPushButton::clicked, this, [this] { done(mrCancel); });
  connect(ui->Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
}

TExpertsForm::~TExpertsForm() = default;

namespace {

// Puts a field over its label's text just after prefix, whatever the font's metrics, wide
// enough for its two digits inside its frame.
void PlaceOver(QLabel* label, const QString& prefix, QWidget* field) {
  const int x = label->x() + label->fontMetrics().horizontalAdvance(prefix);
  const int inside = field->fontMetrics().horizontalAdvance(QStringLiteral("00")) +
                     2 * (field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2);
  field->setGeometry(x, field->y(), qMax(field->width(), inside), field->height());
  field->raise();
}

// "Big slots from 18-:        to: 18- ": the first field follows the first "18-", the second
// the last one.
void PlaceFieldPair(QLabel* label, const QString& section, QWidget* first, QWidget* last) {
  const QString text = label->text();
  PlaceOver(label, text.left(text.indexOf(section) + section.size()), first);
  PlaceOver(label, text.left(text.lastIndexOf(section) + section.size()), last);
}

}  // namespace

// Each range label keeps blank runs for the fields; the fields go where those runs fall in
// the font in use, so the text around them stays readable. The window widens when the
// font's heading needs it.
void TExpertsForm::PlaceRangeFields() {
  for (QLabel* label : {ui->StaticText1, ui->StaticText2, ui->Label1})
    label->resize(label->fontMetrics().horizontalAdvance(label->text()) + 2, label->height());
  setFixedWidth(qMax(width(), ui->Label1->geometry().right() + ui->Label1->x()));
  PlaceFieldPair(ui->StaticText1, QStringLiteral("18-"), ui->BSME1, ui->BSME2);
  PlaceFieldPair(ui->StaticText2, QStringLiteral("02-"), ui->SSME1, ui->SSME2);
}

QComboBox* TExpertsForm::FirmwareField() const {
  return ui->FWComboBox;
}

int TExpertsForm::FirmwareIndex() const {
  return ui->FWComboBox->currentIndex();
}

void TExpertsForm::SetFirmwareIndex(int index) {
  ui->FWComboBox->setCurrentIndex(index);
}

QString TExpertsForm::FirmwareText() const {
  return ui->FWComboBox->currentText();
}

TSlotRangeFields TExpertsForm::RangeFields() const {
  return {ui->BSME1->text(), ui->BSME2->text(), ui->SSME1->text(), ui->SSME2->text()};
}

void TExpertsForm::SetRangeFields(const TSlotRangeFields& fields) {
  ui->BSME1->setText(fields.FirstBig);
  ui->BSME2->setText(fields.LastBig);
  ui->SSME1->setText(fields.FirstSmall);
  ui->SSME2->setText(fields.LastSmall);
}

std::optional<TSlotRanges> TExpertsForm::CheckedRanges() {
  TSlotRanges taken;
  // The fields' numbers are read as the rest of the program reads them, by StrToInt: its
  // conversion error is shown here, where the dialog stays open, not in the error box.
  try {
    taken = RangesFromFields(RangeFields());
  } catch (const EConvertError& error) {
    Modal().ShowError(WithFullStop(error.Message()));
    return std::nullopt;
  }
  const QString problem = RangesProblem(taken);
  if (!problem.isEmpty()) {
    Modal().ShowMessage(this, problem, ErrorCaption());
    return std::nullopt;
  }
  return taken;
}

void TExpertsForm::Button1Click() {
  if (CheckedRanges())
    done(mrOk);
}

void TExpertsForm::Button3Click() {
  SetRangeFields(FieldsForRanges(TSlotRanges{}));
}

void TExpertsForm::reject() {
  done(mrCancel);
}
