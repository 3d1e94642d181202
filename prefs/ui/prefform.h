#pragma once
// The preferences dialog. Its controls are the one holder of the preferences between a
// read from the phone and a write back; it reads the phone each time it is shown.

#include <QByteArray>
#include <QDialog>
#include <functional>
#include <memory>

#include "prefs/prefrecord.h"

class QButtonGroup;
class QKeyEvent;

namespace Ui {
class TPrefForm;
}

class TPrefForm : public QDialog {
  Q_OBJECT
 public:
  explicit TPrefForm(QWidget* parent = nullptr);
  ~TPrefForm() override;

  // RG1's selected item: 0 "Only programs", 1 "Progs and data", 2 "Show all", -1 none.
  int RG1ItemIndex() const;
  void SetRG1ItemIndex(int index);

  // What the last read of the record found, empty when it found nothing: written back
  // where the dialog has no setting for a byte.
  QByteArray LastRecordRead;

  // Run each time the dialog is shown: the window reads the phone's record into it.
  std::function<void()> OnShow;

  // Empties the library fields and the record kept, so that after a failed read nothing is
  // uploaded to or written from stale values.
  void ForgetReading();
  // Shows what a read of the record found, and keeps the record.
  void ShowReading(const TPrefReading& reading, const QByteArray& record);
  // What the dialog holds for a write.
  TPrefEntries Entries() const;

  void FormShow();
  void ACheckBoxClick();

  // The close box answers Cancel.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  // Neither button is the default or the cancel button: Enter and Escape close nothing.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Controls from prefform.ui: ui->sEdit, ui->ssEdit, ui->RG1, ui->ACheckBox ...
  std::unique_ptr<Ui::TPrefForm> ui;
  void FitCaptions();

  QButtonGroup* RG1Items_ = nullptr;
};
