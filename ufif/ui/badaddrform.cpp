#include "ufif/ui/badaddrform.h"

#include "common/modal.h"
#include "ui_badaddrform.h"

TBadAddrForm::TBadAddrForm(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TBadAddrForm>()) {
  ui->setupUi(this);
  connect(ui->Button1, &QPushButton::clicked, this, [this] { done(mrOk); });
}

TBadAddrForm::~TBadAddrForm() = default;

void TBadAddrForm::SetReport(const QStringList& lines) {
  if (lines.isEmpty())
    return;
  ui->Memo1->setPlainText(lines.join(QLatin1Char('\n')));
}

QStringList TBadAddrForm::ReportLines() const {
  return ui->Memo1->toPlainText().split(QLatin1Char('\n'));
}

void TBadAddrForm::reject() {
  done(mrCancel);
}
