#include "app/aboutbox.h"

#include <QDir>
#include <QFileInfo>

#include "app/fittexts.h"
#include "common/messages.h"
#include "common/modal.h"
#include "ui_aboutbox.h"

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TAboutBox>()) {
  ui->setupUi(this);
  connect(ui->OKButton, &QPushButton::clicked, this, [this] { done(mrOk); });
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::ShowLink(const QString& file, const QString& how, bool demoPhone) {
  const QString name = QFileInfo(file).fileName();
  if (demoPhone)
    //: %1 is "demo phone", %2 the library's file name, %3 how it runs ("in this process")
    ui->LinkCredit->setText(tr("Phone link: the %1 (%2, %3)").arg(DemoPhoneText(), name, how));
  else
    //: %1 is the library's file name, %2 how it runs ("in this process", "in the link host").
    ui->LinkCredit->setText(tr("Phone link: the GBP phone-link library (%1, %2)").arg(name, how));
  ui->LinkCredit->setToolTip(QDir::toNativeSeparators(file));
  FitTexts(this);
}

void TAboutBox::reject() {
  done(mrCancel);
}
