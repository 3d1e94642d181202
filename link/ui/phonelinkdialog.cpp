#include "link/ui/phonelinkdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>

#include "common/modal.h"
#include "link/libraryfile.h"
#include "link/winehost.h"

namespace {

constexpr double kSmallestFactor = 0.1;
constexpr double kLargestFactor = 1000.0;

// "32-bit Windows library, runs under Wine 8.0", "Linux library", or why it cannot be used.
QString LibraryLine(const QString& path) {
  if (path.isEmpty())
    return QStringLiteral("Give the library's file, or choose the built-in virtual phone.");
  if (!QFileInfo(path).isFile())
    return QStringLiteral("%1 is no file.").arg(path);
  const TLibraryFile kind = InspectLibraryFile(path);
  const QString problem = LibraryFileProblem(kind);
  if (!problem.isEmpty())
    return QStringLiteral("Cannot be used: %1.").arg(problem);
  if (!IsWindows32Dll(kind))
    return QStringLiteral("Linux library");
  const TWine wine = FindWine();
  if (wine.Loader.isEmpty())
    return QStringLiteral("32-bit Windows library: needs Wine, which is not installed");
  const QString version = WineVersion(wine).remove(QStringLiteral("wine-"));
  return version.isEmpty()
             ? QStringLiteral("32-bit Windows library, runs under Wine")
             : QStringLiteral("32-bit Windows library, runs under Wine %1").arg(version);
}

// The serial devices present, each with its description, for a port's drop-down.
void OfferDevices(QComboBox* box) {
  box->addItem(QString(), QString());
  for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
    const QString description =
        port.description().isEmpty() ? port.manufacturer() : port.description();
    box->addItem(description.isEmpty()
                     ? port.systemLocation()
                     : QStringLiteral("%1 (%2)").arg(port.systemLocation(), description),
                 port.systemLocation());
  }
}

// The device as offered, or the path as typed.
QString DeviceOf(const QComboBox* box) {
  const QString text = box->currentText().trimmed();
  const int offered = box->findText(text);
  return offered >= 0 ? box->itemData(offered).toString() : text;
}

}  // namespace

TPhoneLinkDialog::TPhoneLinkDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Phone link"));
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  layout->addLayout(form);

  builtIn_ = new QRadioButton(QStringLiteral("The built-in &virtual phone"), this);
  builtIn_->setObjectName(QStringLiteral("BuiltInRadio"));
  file_ = new QRadioButton(QStringLiteral("&File:"), this);
  file_->setObjectName(QStringLiteral("FileRadio"));
  libraryEdit_ = new QLineEdit(this);
  libraryEdit_->setObjectName(QStringLiteral("LibraryEdit"));
  libraryEdit_->setAccessibleName(QStringLiteral("Library file"));
  auto* browse = new QPushButton(QStringLiteral("&Browse..."), this);
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
  form->addRow(QStringLiteral("Library:"), libraryRows);

  for (int port = kFirstComPort; port <= kLastComPort; ++port) {
    QComboBox* box = devices_[port - 1] = new QComboBox(this);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setObjectName(QStringLiteral("DeviceCOM%1").arg(port));
    box->setAccessibleName(QStringLiteral("Device behind COM%1").arg(port));
    box->lineEdit()->setPlaceholderText(QStringLiteral("as the library chooses"));
    OfferDevices(box);
    form->addRow(QStringLiteral("COM&%1:").arg(port), box);
  }

  timeout_ = new QDoubleSpinBox(this);
  timeout_->setObjectName(QStringLiteral("TimeoutSpin"));
  timeout_->setAccessibleName(QStringLiteral("Deadline factor"));
  timeout_->setRange(kSmallestFactor, kLargestFactor);
  timeout_->setDecimals(1);
  timeout_->setSingleStep(0.5);
  timeout_->setToolTip(
      QStringLiteral("Scales the link host's deadlines: 15 s a call, plus the time its bytes "
                     "take at 2,400 baud."));
  form->addRow(QStringLiteral("&Deadline factor:"), timeout_);

  auto* test = new QPushButton(QStringLiteral("&Test link"), this);
  test->setObjectName(QStringLiteral("TestLinkButton"));
  testText_ = new QLabel(this);
  testText_->setObjectName(QStringLiteral("TestLinkText"));
  testText_->setWordWrap(true);
  testText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* testRow = new QHBoxLayout;
  testRow->addWidget(test, 0, Qt::AlignTop);
  testRow->addWidget(testText_, 1);
  layout->addLayout(testRow);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  setMinimumWidth(460);

  connect(builtIn_, &QRadioButton::toggled, this, &TPhoneLinkDialog::UpdateLibraryLine);
  connect(libraryEdit_, &QLineEdit::editingFinished, this, [this] {
    file_->setChecked(true);
    UpdateLibraryLine();
  });
  connect(browse, &QPushButton::clicked, this, &TPhoneLinkDialog::Browse);
  connect(test, &QPushButton::clicked, this, &TPhoneLinkDialog::RunTest);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TPhoneLinkDialog::SetChoice(const TLinkChoice& choice) {
  kept_ = choice;
  libraryEdit_->setText(choice.Library);
  (choice.Library.isEmpty() ? builtIn_ : file_)->setChecked(true);
  for (int port = kFirstComPort; port <= kLastComPort; ++port) {
    QComboBox* box = devices_[port - 1];
    const QString device = choice.Serial.value(port);
    const int offered = box->findData(device);
    if (offered >= 0)
      box->setCurrentIndex(offered);
    else
      box->setEditText(device);
  }
  timeout_->setValue(choice.TimeoutFactor);
  testText_->clear();
  UpdateLibraryLine();
}

TLinkChoice TPhoneLinkDialog::Choice() const {
  TLinkChoice choice = kept_;
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

QString TPhoneLinkDialog::TestText() const {
  return testText_->text();
}

void TPhoneLinkDialog::Browse() {
  const QString path = Modal().OpenFileName(this, QStringLiteral("Phone-link library"));
  if (path.isEmpty())
    return;
  libraryEdit_->setText(path);
  file_->setChecked(true);
  UpdateLibraryLine();
}

void TPhoneLinkDialog::UpdateLibraryLine() {
  libraryLine_->setText(builtIn_->isChecked() ? QStringLiteral("Linux library")
                                              : LibraryLine(libraryEdit_->text().trimmed()));
}

void TPhoneLinkDialog::RunTest() {
  if (!OnTestLink)
    return;
  testText_->setText(QStringLiteral("Testing..."));
  const TLinkTestOutcome outcome = OnTestLink(Choice());
  testText_->setText(outcome.Detail.isEmpty() ? outcome.Text
                                              : outcome.Text + QLatin1Char('\n') + outcome.Detail);
}
