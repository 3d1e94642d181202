#pragma once
// File > Phone link...: which library links to the phone (the built-in virtual phone or a
// file), the serial device behind each COM port, the deadline factor, "Test link" and "Find
// phone". The window fills it from the settings file's [Link] section and saves what it
// gives back on OK.

#include <QDialog>
#include <atomic>
#include <functional>

#include "link/findphone.h"
#include "link/linkchoice.h"
#include "link/linktest.h"

class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TPhoneLinkDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TPhoneLinkDialog(QWidget* parent);

  // Shows choice in the fields; what the dialog has no field for is kept as it is. port is
  // the window's COM port, which Test link and Find phone use.
  void SetChoice(const TLinkChoice& choice, int port = kFirstComPort);
  // What the window's link works through now (TNVMSection::InUseText).
  void SetInUse(const QString& text);
  QString InUse() const;
  // The choice as the fields stand.
  TLinkChoice Choice() const;
  // The window's COM port, or the one Find phone found where the ports are the machine's own
  // and the user chose to use it.
  int Port() const;
  // What "Test link" and "Find phone" say.
  QString TestText() const;
  QString FindText() const;

  // Runs "Test link" for the choice as the fields stand.
  std::function<TLinkTestOutcome(const TLinkChoice&)> OnTestLink;
  // The serial devices Find phone tries besides those typed into the ports' fields.
  std::function<QList<TSerialDeviceInfo>()> DevicesPresent = SerialDevicesPresent;
  // Runs "Find phone" over the devices for the choice as the fields stand, where the link's
  // calls run; found may be called from there, once for each device tried.
  std::function<TFindOutcome(const TLinkChoice&, const QList<TSerialDeviceInfo>&,
                             const std::atomic<bool>& cancel,
                             const std::function<void(const TFoundDevice&)>& found)>
      OnFindPhone;

  // OK with a library that cannot be used says why and asks before the dialog closes.
  void accept() override;
  // During Find phone, Escape cancels the search, not the dialog.
  void reject() override;

 private:
  void Browse();
  void UpdateLibraryLine();
  void RunTest();
  void FindOrCancel();
  void RunFind();
  void ShowFound(const TFoundDevice& found);

  TLinkChoice kept_;
  int port_ = kFirstComPort;
  QLabel* inUse_;
  QRadioButton* builtIn_;
  QRadioButton* file_;
  QLineEdit* libraryEdit_;
  QLabel* libraryLine_;
  QComboBox* devices_[kLastComPort];
  QDoubleSpinBox* timeout_;
  QPushButton* test_;
  QLabel* testText_;
  QPushButton* find_;
  QLabel* findText_;
  QDialogButtonBox* buttons_;
  bool searching_ = false;
  std::atomic<bool> cancel_{false};
};
