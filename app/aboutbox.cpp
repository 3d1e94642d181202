#include "app/aboutbox.h"

#include "common/modal.h"
#include "ui_aboutbox.h"

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TAboutBox>()) {
  ui->setupUi(this);
  connect(ui->OKButton, &QPushButton::clicked, this, [this] { done(mrOk); });
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::reject() {
  done(mrCancel);
}
