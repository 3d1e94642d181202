#include "prefs/prefform.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QShowEvent>

#include "app/mainwindow.h"
#include "common/errors.h"
#include "common/modal.h"
#include "ui_prefform.h"

namespace {

constexpr int NoteFontPixelSize = 8;

}  // namespace

TPrefForm::TPrefForm(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TPrefForm>()) {
  ui->setupUi(this);
  QFont noteFont(QStringLiteral("MS Serif"));
  noteFont.setStyleHint(QFont::Serif);
  noteFont.setPixelSize(NoteFontPixelSize);
  ui->Label2->setFont(noteFont);

  RG1Items_ = new QButtonGroup(this);
  RG1Items_->addButton(ui->RG1Item0, 0);
  RG1Items_->addButton(ui->RG1Item1, 1);
  RG1Items_->addButton(ui->RG1Item2, 2);

  connect(ui->Button1, &QPushButton::clicked, this, [this] { done(mrOk); });
  connect(ui->Button2, &QPushButton::clicked, this, [this] { done(mrCancel); });
  connect(ui->ACheckBox, &QCheckBox::clicked, this, [this] { ACheckBoxClick(); });
}

TPrefForm::~TPrefForm() = default;

int TPrefForm::RG1ItemIndex() const {
  return RG1Items_->checkedId();
}

void TPrefForm::SetRG1ItemIndex(int index) {
  if (QAbstractButton* item = RG1Items_->button(index)) {
    item->setChecked(true);
    return;
  }
  // An exclusive group refuses to uncheck its last checked button.
  RG1Items_->setExclusive(false);
  for (QAbstractButton* item : RG1Items_->buttons())
    item->setChecked(false);
  RG1Items_->setExclusive(true);
}

void TPrefForm::FormShow() {
  if (Form1)
    Form1->GetPrefActionExecute();
}

void TPrefForm::ACheckBoxClick() {
  const bool enabled = ui->ACheckBox->isChecked();
  ui->AsEdit->setVisible(enabled);
  ui->AssEdit->setVisible(enabled);
}

void TPrefForm::reject() {
  done(mrCancel);
}

void TPrefForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous())
    GuardCommand([this] { FormShow(); });
}

void TPrefForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}
