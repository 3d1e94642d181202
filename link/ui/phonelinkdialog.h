#pragma once
// File > Phone link...: which library links to the phone (the built-in virtual phone or a
// file), the serial device behind each COM port, the deadline factor, and "Test link". The
// window fills it from the settings file's [Link] section and saves what it gives back on OK.

#include <QDialog>
#include <functional>

#include "link/linkchoice.h"
#include "link/linktest.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class TPhoneLinkDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TPhoneLinkDialog(QWidget* parent);

  // Shows choice in the fields; what the dialog has no field for is kept as it is.
  void SetChoice(const TLinkChoice& choice);
  // The choice as the fields stand.
  TLinkChoice Choice() const;
  // What "Test link" says.
  QString TestText() const;

  // Runs "Test link" for the choice as the fields stand.
  std::function<TLinkTestOutcome(const TLinkChoice&)> OnTestLink;

 private:
  void Browse();
  void UpdateLibraryLine();
  void RunTest();

  TLinkChoice kept_;
  QRadioButton* builtIn_;
  QRadioButton* file_;
  QLineEdit* libraryEdit_;
  QLabel* libraryLine_;
  QComboBox* devices_[kLastComPort];
  QDoubleSpinBox* timeout_;
  QLabel* testText_;
};
