#include "prefs/ui/prefform.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QLabel>
#include <QShowEvent>

#include "common/errors.h"
#include "common/modal.h"
#include "ui_prefform.h"

namespace {

constexpr int NoteFontPixelSize = 8;
// Room kept between a caption's text and the edit box after it.
constexpr int CaptionGap = 2;

// Widens a label to its text when the font in use needs more room than its place gives.
void FitToText(QLabel* label) {
  label->resize(qMax(label->width(), label->sizeHint().width()), label->height());
}

}  // namespace

TPrefForm::TPrefForm(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::TPrefForm>()) {
  ui->setupUi(this);
  // MS Serif is a Windows bitmap font; where it is missing, a Times-like serif of the same
  // narrow build keeps the note inside its place.
  QFont noteFont;
  noteFont.setFamilies({QStringLiteral("MS Serif"), QStringLiteral("Times New Roman"),
                        QStringLiteral("Liberation Serif")});
  noteFont.setStyleHint(QFont::Serif);
  noteFont.setPixelSize(NoteFontPixelSize);
  ui->Label2->setFont(noteFont);
  FitCaptions();

  RG1Items_ = new QButtonGroup(this);
  RG1Items_->addButton(ui->RG1Item0, 0);
  RG1Items_->addButton(ui->RG1Item1, 1);
  RG1Items_->addButton(ui->RG1Item2, 2);

  connect(ui->Button1, &QPushButton::clicked, this, [this] { done(mrOk); });
  connect(ui->Button2, &QPushButton::clicked, this, [this] { done(mrCancel); });
  connect(ui->ACheckBox, &QCheckBox::clicked, this, [this] { ACheckBoxClick(); });
}

TPrefForm::~TPrefForm() = default;

// The controls keep their designed places. A font wider than the one they were designed for
// would cut the captions, so labels widen, the library row moves right past its caption and
// the window widens to keep the note whole; with a font that fits, nothing moves.
void TPrefForm::FitCaptions() {
  const int rightMargin = width() - (ui->Label2->x() + ui->Label2->width());
  for (QLabel* label : {ui->Label1, ui->Label2, ui->Label3})
    FitToText(label);
  const int overlap =
      ui->Label1->x() + ui->Label1->sizeHint().width() + CaptionGap - ui->sEdit->x();
  if (overlap > 0)
    for (QWidget* control : std::initializer_list<QWidget*>{ui->sEdit, ui->ssEdit, ui->Label2})
      control->move(control->x() + overlap, control->y());
  resize(qMax(width(), ui->Label2->x() + ui->Label2->sizeHint().width() + rightMargin), height());
}

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
  if (OnShow)
    OnShow();
}

void TPrefForm::ForgetReading() {
  ui->sEdit->clear();
  ui->ssEdit->clear();
  LastRecordRead.clear();
}

void TPrefForm::ShowReading(const TPrefReading& reading, const QByteArray& record) {
  LastRecordRead = record;
  ui->ACheckBox->setChecked(reading.AutorunEnabled);
  ui->AsEdit->setVisible(reading.AutorunEnabled);
  ui->AssEdit->setVisible(reading.AutorunEnabled);
  if (reading.AutorunEnabled) {
    ui->AsEdit->setText(QString::number(reading.AutorunSection));
    ui->AssEdit->setText(QString::number(reading.AutorunSubSection));
  }
  if (reading.MenuIndex)
    SetRG1ItemIndex(*reading.MenuIndex);
  ui->sEdit->setText(QString::number(reading.LibrarySection));
  ui->ssEdit->setText(QString::number(reading.LibrarySubSection));
}

TPrefEntries TPrefForm::Entries() const {
  TPrefEntries entries;
  if (RG1ItemIndex() >= 0)
    entries.MenuIndex = RG1ItemIndex();
  entries.LibrarySection = ui->sEdit->text();
  entries.LibrarySubSection = ui->ssEdit->text();
  entries.AutorunEnabled = ui->ACheckBox->isChecked();
  entries.AutorunSection = ui->AsEdit->text();
  entries.AutorunSubSection = ui->AssEdit->text();
  return entries;
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
