#include "ufif/expertsform.h"

#include "common/errors.h"
#include "common/modal.h"
#include "ufif/firmwares.h"
#include "ui_expertsform.h"

TExpertsForm::TExpertsForm(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TExpertsForm>()) {
  ui->setupUi(this);
  ui->FWComboBox->addItems(FirmwareTable());
  // The edit fields cover the blank runs of the labels laid out after them.
  for (QWidget* field : {ui->BSME1, ui->BSME2, ui->SSME1, ui->SSME2})
    field->raise();
  connect(ui->Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(ui->Button2, &QPushButton::clicked, this, [this] { done(mrCancel); });
  connect(ui->Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
}

TExpertsForm::~TExpertsForm() = default;

TSlotRangeFields TExpertsForm::RangeFields() const {
  return {ui->BSME1->text(), ui->BSME2->text(), ui->SSME1->text(), ui->SSME2->text()};
}

void TExpertsForm::SetRangeFields(const TSlotRangeFields& fields) {
  ui->BSME1->setText(fields.FirstBig);
  ui->BSME2->setText(fields.LastBig);
  ui->SSME1->setText(fields.FirstSmall);
  ui->SSME2->setText(fields.LastSmall);
}

bool TExpertsForm::CheckedRanges(TSlotRanges& ranges) {
  TSlotRanges taken;
  try {
    taken = RangesFromFields(RangeFields());
  } catch (const EConvertError& error) {
    Modal().ShowError(WithFullStop(error.Message()));
    return false;
  }
  const QString problem = RangesProblem(taken);
  if (!problem.isEmpty()) {
    Modal().ShowMessage(this, problem, QStringLiteral("ERROR"));
    return false;
  }
  ranges = taken;
  return true;
}

void TExpertsForm::Button1Click() {
  TSlotRanges ranges;
  if (CheckedRanges(ranges))
    done(mrOk);
}

void TExpertsForm::Button3Click() {
  SetRangeFields(FieldsForRanges(TSlotRanges{}));
}

void TExpertsForm::reject() {
  done(mrCancel);
}
