#include "link/ui/phonelinkdialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/modal.h"
#include "link/libraryfile.h"
#include "link/librarysearch.h"
#include "link/winehost.h"

namespace {

constexpr double kSmallestFactor = 0.1;
constexpr double kLargestFactor = 1000.0;

// The library line, and why the library cannot be used as far as that can be told without
// starting it (empty: it can).
struct TLibraryLine {
  QString Text;
  QString Problem;
};

// A library of the program's own kind, which runs in its process: the built-in virtual
// phone, and on Windows a DLL of the program's width.
QString NativeLibraryText() {
  if (kWindowsBuild)
    //: %1 is 32 or 64
    return TPhoneLinkDialog::tr("%1-bit Windows library, runs in this process")
        .arg(kInProcessWindowsBits);
  return TPhoneLinkDialog::tr("Linux library");
}

QString FindPhoneCaption() {
  return TPhoneLinkDialog::tr("Find &phone");
}

// "64-bit Windows library, runs under Wine 8.0 (/usr/lib/wine/wine64)", "Linux library",
// or why it cannot be used.
TLibraryLine DescribeLibrary(const QString& path) {
  if (path.isEmpty()) {
    const QString text =
        TPhoneLinkDialog::tr("Give the library's file, or choose the built-in virtual phone.");
    return {text, text};
  }
  if (!QFileInfo(path).isFile()) {
    const QString text = TPhoneLinkDialog::tr("%1 is no file.").arg(path);
    return {text, text};
  }
  const TLibraryFile kind = InspectLibraryFile(path);
  if (!IsUsableLibrary(kind)) {
    const QString problem = LibraryFileProblem(kind);
    //: %1 is why the file is no library the link can use
    return {TPhoneLinkDialog::tr("Cannot be used: %1.").arg(problem), problem};
  }
  const int bits = WindowsHostBits(kind);
  if (bits == 0 || bits == kInProcessWindowsBits)
    return {NativeLibraryText(), QString()};
  const QString host = WindowsHostName(bits);
  if (!QFileInfo::exists(HostProgramFile(host))) {
    //: %1 is 32 or 64
    return {TPhoneLinkDialog::tr("%1-bit Windows library: its link host is missing").arg(bits),
            MissingHostText(HostProgramPlaces(host))};
  }
  if (!kHostsRunUnderWine)
    //: %1 is 32 or 64
    return {TPhoneLinkDialog::tr("%1-bit Windows library, runs in its link host").arg(bits),
            QString()};
  const TWine wine = FindWine(bits);
  if (wine.Only64)
    return {TPhoneLinkDialog::tr("32-bit Windows library: this Wine runs only 64-bit programs"),
            WineMissingText(wine)};
  if (!wine.Found())
    return {TPhoneLinkDialog::tr("%1-bit Windows library: needs Wine, which is not installed")
                .arg(bits),
            WineMissingText(wine)};
  // "wine-8.0 (Debian 8.0~repack-4)": the number is enough beside the loader's path.
  const QString version =
      WineVersion(wine).remove(QStringLiteral("wine-")).section(QLatin1Char(' '), 0, 0);
  if (version.isEmpty()) {
    //: %1 is 32 or 64, %2 Wine's program
    return {TPhoneLinkDialog::tr("%1-bit Windows library, runs under Wine (%2)")
                .arg(QString::number(bits), wine.Loader),
            QString()};
  }
  //: %1 is 32 or 64, %2 Wine's version, %3 Wine's program
  return {TPhoneLinkDialog::tr("%1-bit Windows library, runs under Wine %2 (%3)")
              .arg(QString::number(bits), version, wine.Loader),
          QString()};
}

// The serial devices present, each with its description, for a port's drop-down; the
// field left empty means the library's own choice.
void OfferDevices(QComboBox* box, const QList<TSerialDeviceInfo>& present) {
  for (const TSerialDeviceInfo& device : present)
    box->addItem(DeviceText(device), device.Device);
  box->setCurrentIndex(-1);
}

// The device as offered, or the path as typed.
QString DeviceOf(const QComboBox* box) {
  const QString text = box->currentText().trimmed();
  const int offered = box->findText(text);
  return offered >= 0 ? box->itemData(offered).toString() : text;
}

void ShowDevice(QComboBox* box, const QString& device) {
  const int offered = box->findData(device);
  if (offered >= 0)
    box->setCurrentIndex(offered);
  else
    box->setEditText(device);
}

}  // namespace

TPhoneLinkDialog::TPhoneLinkDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Phone link"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  layout->addLayout(form);
  inUse_ = new QLabel(this);
  inUse_->setObjectName(QStringLiteral("InUseText"));
  inUse_->setWordWrap(true);
  inUse_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  form->addRow(tr("In use:"), inUse_);

  builtIn_ = new QRadioButton(tr("The built-in &virtual phone"), this);
  builtIn_->setObjectName(QStringLiteral("BuiltInRadio"));
  file_ = new QRadioButton(tr("&File:"), this);
  file_->setObjectName(QStringLiteral("FileRadio"));
  libraryEdit_ = new QLineEdit(this);
  libraryEdit_->setObjectName(QStringLiteral("LibraryEdit"));
  libraryEdit_->setAccessibleName(tr("Library file"));
  auto* browse = new QPushButton(tr("&Browse..."), this);
  browse->setObjectName(QStringLiteral("BrowseButton"));
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(file_);
  fileRow->addWidget(libraryEdit_, 1);
  fileRow->addWidget(browse);
  auto* libraryRows = new QVBoxLayout;
  libraryRows->addWidget(builtIn_);
  libraryRows->addLayout(fileRow);
  libraryLine_ = new QLabel(this);
  libraryLine_->setObjectName(QStringLiteral("LibraryLine"));
  libraryLine_->setWordWrap(true);
  libraryRows->addWidget(libraryLine_);
  form->addRow(tr("Library:"), libraryRows);

  // Listed once for the four ports; Windows has no device to put behind one.
  const QList<TSerialDeviceInfo> present =
      kWindowsBuild ? QList<TSerialDeviceInfo>() : SerialDevicesPresent();
  for (int port = kFirstComPort; port <= kLastComPort; ++port) {
    QComboBox* box = devices_[port - 1] = new QComboBox(this);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setObjectName(QStringLiteral("DeviceCOM%1").arg(port));
    box->setAccessibleName(tr("Device behind COM%1").arg(port));
    box->lineEdit()->setPlaceholderText(tr("as the library chooses"));
    OfferDevices(box, present);
    if (kWindowsBuild)
      box->hide();
    else
      form->addRow(QStringLiteral("COM&%1:").arg(port), box);
  }

  timeout_ = new QDoubleSpinBox(this);
  timeout_->setObjectName(QStringLiteral("TimeoutSpin"));
  timeout_->setAccessibleName(tr("Deadline factor"));
  timeout_->setRange(kSmallestFactor, kLargestFactor);
  timeout_->setDecimals(1);
  timeout_->setSingleStep(0.5);
  timeout_->setToolTip(
      tr("Scales the link host's deadlines: 15 s a call, plus the time its bytes take at 2,400 "
         "baud."));
  form->addRow(tr("&Deadline factor:"), timeout_);

  test_ = new QPushButton(tr("&Test link"), this);
  test_->setObjectName(QStringLiteral("TestLinkButton"));
  find_ = new QPushButton(FindPhoneCaption(), this);
  find_->setObjectName(QStringLiteral("FindPhoneButton"));
  find_->setToolTip(kWindowsBuild
                        ? tr("Tries the link on each COM port of this computer and tells which "
                             "one answers. Nothing is written.")
                        : tr("Tries the link on each serial device present, behind the window's "
                             "COM port, and tells which one answers. Nothing is written."));
  testText_ = new QLabel(this);
  testText_->setObjectName(QStringLiteral("TestLinkText"));
  testText_->setWordWrap(true);
  testText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  findText_ = new QLabel(this);
  findText_->setObjectName(QStringLiteral("FindPhoneText"));
  findText_->setWordWrap(true);
  findText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* testButtons = new QVBoxLayout;
  testButtons->addWidget(test_);
  testButtons->addWidget(find_);
  testButtons->addStretch();
  auto* texts = new QVBoxLayout;
  texts->addWidget(testText_);
  texts->addWidget(findText_);
  auto* testRow = new QHBoxLayout;
  testRow->addLayout(testButtons);
  testRow->addLayout(texts, 1);
  layout->addLayout(testRow);

  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons_);
  setMinimumWidth(460);

  connect(builtIn_, &QRadioButton::toggled, this, &TPhoneLinkDialog::UpdateLibraryLine);
  connect(libraryEdit_, &QLineEdit::editingFinished, this, [this] {
    file_->setChecked(true);
    UpdateLibraryLine();
  });
  connect(browse, &QPushButton::clicked, this, &TPhoneLinkDialog::Browse);
  connect(test_, &QPushButton::clicked, this, &TPhoneLinkDialog::RunTest);
  connect(find_, &QPushButton::clicked, this, &TPhoneLinkDialog::FindOrCancel);
  connect(buttons_, &QDialogButtonBox::accepted, this, &TPhoneLinkDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &TPhoneLinkDialog::reject);
}

void TPhoneLinkDialog::SetChoice(const TLinkChoice& choice, int port) {
  kept_ = choice;
  port_ = port;
  libraryEdit_->setText(choice.Library);
  (choice.Library.isEmpty() ? builtIn_ : file_)->setChecked(true);
  for (int each = kFirstComPort; each <= kLastComPort; ++each)
    ShowDevice(devices_[each - 1], choice.Serial.value(each));
  timeout_->setValue(choice.TimeoutFactor);
  testText_->clear();
  findText_->clear();
  UpdateLibraryLine();
}

void TPhoneLinkDialog::SetInUse(const QString& text) {
  inUse_->setText(text);
}

QString TPhoneLinkDialog::InUse() const {
  return inUse_->text();
}

TLinkChoice TPhoneLinkDialog::Choice() const {
  TLinkChoice choice = kept_;
  // What the user chooses here is a choice, whatever kept the last one from being read.
  choice.Refusal.clear();
  choice.Library = builtIn_->isChecked() ? QString() : libraryEdit_->text().trimmed();
  choice.Serial.clear();
  for (int port = kFirstComPort; port <= kLastComPort; ++port) {
    const QString device = DeviceOf(devices_[port - 1]);
    if (!device.isEmpty())
      choice.Serial.insert(port, device);
  }
  choice.TimeoutFactor = timeout_->value();
  return choice;
}

int TPhoneLinkDialog::Port() const {
  return port_;
}

QString TPhoneLinkDialog::TestText() const {
  return testText_->text();
}

QString TPhoneLinkDialog::FindText() const {
  return findText_->text();
}

void TPhoneLinkDialog::accept() {
  if (!builtIn_->isChecked()) {
    const QString problem = DescribeLibrary(libraryEdit_->text().trimmed()).Problem;
    if (!problem.isEmpty() &&
        !Modal().Confirm(
            this, tr("This library cannot be used:\n%1\n\nSave it all the same?").arg(problem)))
      return;
  }
  QDialog::accept();
}

void TPhoneLinkDialog::reject() {
  if (searching_)
    cancel_ = true;
  else
    QDialog::reject();
}

void TPhoneLinkDialog::Browse() {
  const QString path = Modal().OpenFileName(this, tr("Phone-link library"));
  if (path.isEmpty())
    return;
  libraryEdit_->setText(path);
  file_->setChecked(true);
  UpdateLibraryLine();
}

void TPhoneLinkDialog::UpdateLibraryLine() {
  libraryLine_->setText(builtIn_->isChecked()
                            ? NativeLibraryText()
                            : DescribeLibrary(libraryEdit_->text().trimmed()).Text);
}

void TPhoneLinkDialog::RunTest() {
  if (!OnTestLink)
    return;
  testText_->setText(tr("Testing..."));
  const TLinkTestOutcome outcome = OnTestLink(Choice());
  testText_->setText(outcome.Detail.isEmpty() ? outcome.Text
                                              : outcome.Text + QLatin1Char('\n') + outcome.Detail);
}

void TPhoneLinkDialog::FindOrCancel() {
  if (searching_)
    cancel_ = true;
  else
    RunFind();
}

void TPhoneLinkDialog::RunFind() {
  if (!OnFindPhone)
    return;
  const TLinkChoice choice = Choice();
  findText_->clear();
  if (!CanFindPhone(choice)) {
    findText_->setText(FindPhoneNeedsWindowsText());
    return;
  }
  // The devices present, and any other typed into a port's field.
  const QList<TSerialDeviceInfo> present = DevicesPresent();
  QList<TSerialDeviceInfo> devices = present;
  for (const QString& typed : choice.Serial) {
    const TSerialDeviceInfo device = NamedDevice(typed, present);
    if (!devices.contains(device))
      devices << device;
  }
  if (devices.isEmpty()) {
    findText_->setText(NoSerialDeviceText());
    return;
  }
  findText_->setText(kWindowsBuild ? tr("Looking on the COM ports...")
                                   : tr("Looking on COM%1...").arg(port_));
  searching_ = true;
  cancel_ = false;
  find_->setText(tr("Cancel &search"));
  test_->setEnabled(false);
  buttons_->setEnabled(false);
  // Each device's outcome is shown as it comes, from the thread the link's calls run on.
  const TFindOutcome found =
      OnFindPhone(choice, devices, cancel_, [this](const TFoundDevice& device) {
        QMetaObject::invokeMethod(this, [this, device] { ShowFound(device); });
      });
  QCoreApplication::sendPostedEvents(this);
  searching_ = false;
  find_->setText(FindPhoneCaption());
  test_->setEnabled(true);
  buttons_->setEnabled(true);
  if (cancel_)
    findText_->setText(findText_->text() + QLatin1Char('\n') + tr("Cancelled."));
  if (!found.NotRestored.isEmpty())
    findText_->setText(findText_->text() + QLatin1Char('\n') + found.NotRestored);
  const TSerialDeviceInfo answering = AnsweringDevice(found.Devices);
  if (answering.Device.isEmpty())
    return;
  if (const int own = MachinePortOf(answering.Device)) {
    //: %1 is the port that answered, as the system describes it: "COM3 (Serial2)"; %2 its number
    if (Modal().Confirm(this, tr("%1 answers. Use COM%2 for the link?")
                                  .arg(DeviceText(answering), QString::number(own))))
      port_ = own;
    return;
  }
  if (Modal().Confirm(
          this,
          //: %1 is the device: "/dev/ttyUSB0 (USB-Serial Controller)", %2 the port's number
          tr("%1 answers. Keep it for COM%2?").arg(DeviceText(answering), QString::number(port_))))
    ShowDevice(devices_[port_ - 1], answering.Device);
}

void TPhoneLinkDialog::ShowFound(const TFoundDevice& found) {
  QStringList lines = findText_->text().split(QLatin1Char('\n'));
  lines << FoundText(found);
  findText_->setText(lines.join(QLatin1Char('\n')));
}
