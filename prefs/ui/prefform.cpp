#include "prefs/ui/prefform.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QLabel>
#include <QShowEvent>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

#include "common/errors.h"
#include "common/modal.h"
#include "ui_prefform.h"

namespace {

constexpr int NoteFontPixelSize = 8;
// Room kept between a caption's text and the edit box after it.
constexpr int CaptionGap = 2;
// Wide enough that no style's least width for a push button applies.
constexpr int WideContents = 1000;

// Widens a caption to its text when the font in use needs more room than its place gives.
void FitToText(QWidget* caption) {
  caption->resize(qMax(caption->width(), caption->sizeHint().width()), caption->height());
}

// A push button widens only for its text: some styles give every button a least width
// wider than the designed one.
void FitButtonToText(QPushButton* button) {
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
  const int padding = button->style()
                          ->sizeFromContents(QStyle::CT_PushButton, &option,
                                             QSize(WideContents, text.height()), button)
                          .width() -
                      WideContents;
  button->resize(qMax(button->width(), text.width() + padding), button->height());
}

int PlaceRight(const QWidget* control) {
  return control->x() + control->width();
}

// Where a control ends for its text: a label's blank room may run past its parent's edge.
int NeededRight(const QWidget* control) {
  const auto* label = qobject_cast<const QLabel*>(control);
  return label ? control->x() + label->sizeHint().width() : PlaceRight(control);
}

int FurthestRight(const QWidget* parent, int (*right)(const QWidget*)) {
  int furthest = 0;
  for (const QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    furthest = qMax(furthest, right(child));
  return furthest;
}

// The designed room between a container's right edge and the places of its contents.
int RoomRightOfChildren(const QWidget* parent) {
  return parent->width() - FurthestRight(parent, PlaceRight);
}

// Moves the controls right, all alike, so that the first starts at least gap after end.
void KeepRightOf(int end, int gap, std::initializer_list<QWidget*> controls) {
  const int overlap = end + gap - (*controls.begin())->x();
  if (overlap > 0)
    for (QWidget* control : controls)
      control->move(control->x() + overlap, control->y());
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

// The controls keep their designed places. A font wider than the one they were designed for,
// or a language of longer words, would cut the captions: each caption widens to its text, a
// box round its contents and its title, what stands right of a widened control moves right by
// as much, and the window keeps its designed room right of every control; with a font and
// words that fit, nothing moves.
void TPrefForm::FitCaptions() {
  const int windowRoom = RoomRightOfChildren(this);
  const std::pair<QGroupBox*, int> boxes[] = {{ui->RG1, RoomRightOfChildren(ui->RG1)},
                                              {ui->GroupBox1, RoomRightOfChildren(ui->GroupBox1)}};
  const int boxGap = ui->GroupBox1->x() - PlaceRight(ui->RG1);
  const int buttonGap = ui->Button2->x() - PlaceRight(ui->Button1);
  for (QWidget* caption :
       std::initializer_list<QWidget*>{ui->Label1, ui->Label2, ui->Label3, ui->RG1Item0,
                                       ui->RG1Item1, ui->RG1Item2, ui->ACheckBox})
    FitToText(caption);
  for (QPushButton* button : {ui->Button1, ui->Button2})
    FitButtonToText(button);
  for (const auto& [box, room] : boxes)
    box->resize(std::max({box->width(), FurthestRight(box, NeededRight) + room,
                          box->minimumSizeHint().width()}),
                box->height());
  KeepRightOf(PlaceRight(ui->RG1), boxGap, {ui->GroupBox1});
  KeepRightOf(ui->Label1->x() + ui->Label1->sizeHint().width(), CaptionGap,
              {ui->sEdit, ui->ssEdit, ui->Label2});
  KeepRightOf(PlaceRight(ui->Button1), buttonGap, {ui->Button2});
  resize(qMax(width(), FurthestRight(this, NeededRight) + windowRoom), height());
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
