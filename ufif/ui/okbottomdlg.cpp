#include "ufif/ui/okbottomdlg.h"

#include <QComboBox>
#include <QHideEvent>
#include <QScreen>
#include <QShowEvent>

#include "common/modal.h"
#include "ui_okbottomdlg.h"

namespace {

constexpr int TitlePixelSize = 19;

}  // namespace

TOKBottomDlg::TOKBottomDlg(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TOKBottomDlg>()) {
  ui->setupUi(this);
  setFixedSize(size());
  QFont titleFont = ui->StaticText3->font();
  titleFont.setPixelSize(TitlePixelSize);
  ui->StaticText3->setFont(titleFont);
  connect(ui->OKBtn, &QPushButton::clicked, this, [this] { done(mrYes); });
  connect(ui->Button1, &QPushButton::clicked, this, [this] { done(mrNo); });
  connect(ui->CancelBtn, &QPushButton::clicked, this, [this] { done(mrCancel); });
}

TOKBottomDlg::~TOKBottomDlg() {
  // The field belongs to the options dialog and must not die with the prompt.
  GiveFieldBack();
}

void TOKBottomDlg::SetFirmwareField(QComboBox* field) {
  firmwareField_ = field;
}

int TOKBottomDlg::Ask() {
  saveError_ = nullptr;
  CentreOnScreen();
  const int result = Modal().ExecDialog(this);
  if (saveError_)
    std::rethrow_exception(std::exchange(saveError_, nullptr));
  return result;
}

void TOKBottomDlg::CentreOnScreen() {
  const QWidget* owner = parentWidget() ? parentWidget() : this;
  QRect frame = frameGeometry();
  frame.moveCenter(owner->screen()->availableGeometry().center());
  move(frame.topLeft());
}

void TOKBottomDlg::reject() {
  done(mrCancel);
}

void TOKBottomDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous())
    FormShow();
}

void TOKBottomDlg::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  if (!event->spontaneous())
    FormHide();
}

void TOKBottomDlg::FormShow() {
  QComboBox* field = firmwareField_;
  if (!field || field->parentWidget() == this)
    return;
  lentField_ = field;
  fieldOwner_ = field->parentWidget();
  fieldHome_ = field->pos();
  field->setParent(this);
  const QRect text = ui->StaticText1->geometry();
  field->move(text.left(), text.top() + text.height() + 2);
  field->show();
}

void TOKBottomDlg::FormHide() {
  GiveFieldBack();
  // The pick made here becomes the stored firmware choice. A save error must not cross
  // the event that hid the dialog: Ask() raises it once the dialog has closed.
  try {
    if (OnFirmwarePicked)
      OnFirmwarePicked();
  } catch (...) {
    saveError_ = std::current_exception();
  }
}

void TOKBottomDlg::GiveFieldBack() {
  if (!lentField_)
    return;
  QComboBox* field = std::exchange(lentField_, nullptr);
  if (!fieldOwner_)
    return;
  field->setParent(fieldOwner_);
  field->move(fieldHome_);
  field->show();
}
