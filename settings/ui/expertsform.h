#pragma once
// TExpertsForm, the manager's options: the firmware for UFIF 2.1 conversion (FWComboBox,
// whose text the conversion reads) and the two slot ranges the grid shows.

#include <QDialog>
#include <memory>
#include <optional>

#include "settings/settingsfile.h"

class QComboBox;

namespace Ui {
class TExpertsForm;
}

class TExpertsForm : public QDialog {
  Q_OBJECT
 public:
  explicit TExpertsForm(QWidget* parent = nullptr);
  ~TExpertsForm() override;

  // The firmware choice for UFIF 2.1 conversion: the field itself (which the conversion
  // prompt borrows while it is shown), its position in the table and its text.
  QComboBox* FirmwareField() const;
  int FirmwareIndex() const;
  void SetFirmwareIndex(int index);
  QString FirmwareText() const;

  // The four range fields.
  TSlotRangeFields RangeFields() const;
  void SetRangeFields(const TSlotRangeFields& fields);

  // The ranges the fields describe; none after telling the user why they cannot be taken
  // (a field that is not a number, a negative count, more slots than the grid holds).
  std::optional<TSlotRanges> CheckedRanges();

  void Button1Click();  // OK: closes only when the ranges can be taken
  void Button3Click();  // Default

  // Closing by the title bar or Escape answers Cancel.
  void reject() override;

 private:
  // Controls from expertsform.ui: ui->FWComboBox, ui->BSME1 ... ui->Button3.
  std::unique_ptr<Ui::TExpertsForm> ui;
  void PlaceRangeFields();
};
