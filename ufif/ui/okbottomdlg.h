#pragma once
// The question asked before a UFIF 2.0 program is uploaded: convert it to UFIF 2.1 (Yes),
// upload it as it is (No) or give up (Cancel). While it is shown it holds the options
// dialog's firmware field, so the user can pick the firmware for the conversion here.

#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <exception>
#include <functional>
#include <memory>
#include <utility>

class QComboBox;

namespace Ui {
class TOKBottomDlg;
}

class TOKBottomDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TOKBottomDlg(QWidget* parent = nullptr);
  ~TOKBottomDlg() override;

  // The options dialog's firmware field, which the prompt borrows while it is shown and
  // then gives back to where it was.
  void SetFirmwareField(QComboBox* field);
  // Run when the prompt closes, to keep the pick made here; may throw.
  std::function<void()> OnFirmwarePicked;

  // Shows the prompt modally in the middle of the screen and returns mrYes, mrNo or
  // mrCancel. Throws when the firmware pick could not be stored in the settings file.
  int Ask();

  void FormShow();
  void FormHide();

  // Escape and the title bar's close button answer Cancel.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  std::unique_ptr<Ui::TOKBottomDlg> ui;
  void CentreOnScreen();
  void GiveFieldBack();

  QPointer<QComboBox> firmwareField_;
  QPointer<QWidget> fieldOwner_;
  QComboBox* lentField_ = nullptr;
  QPoint fieldHome_;
  std::exception_ptr saveError_;
};
