#include "ufif/ui/iconform.h"

#include <QIcon>
#include <QStyledItemDelegate>

#include "common/modal.h"
#include "ufif/icons.h"
#include "ufif/ui/iconpictures.h"
#include "ui_iconform.h"

namespace {

constexpr int ItemHeight = 16;

// Rows of 16 pixels: a 12-pixel picture and its caption with a little room.
class TIconItemDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), ItemHeight};
  }
};

}  // namespace

TIconForm::TIconForm(QWidget* parent)
    : QDialog(parent), ImageList1(IconPictures()), ui(std::make_unique<Ui::TIconForm>()) {
  ui->setupUi(this);
  // A plain drop-down list, so that only maxVisibleItems rows show at a time; menu-like
  // popups of some styles would cover the screen with all 147 items.
  ui->ComboBoxEx1->setStyleSheet(QStringLiteral("combobox-popup: 0;"));
  ui->ComboBoxEx1->setItemDelegate(new TIconItemDelegate(ui->ComboBoxEx1));
  FillItems();
  connect(ui->Button1, &QPushButton::clicked, this, [this] { done(mrOk); });
  connect(ui->Button2, &QPushButton::clicked, this, [this] { done(mrCancel); });
}

TIconForm::~TIconForm() = default;

void TIconForm::FillItems() {
  for (const TIconItem& item : IconItems()) {
    const QPixmap picture = ImageList1.value(item.Picture);
    ui->ComboBoxEx1->addItem(QIcon(picture), item.Caption());
  }
  // Nothing chosen yet: the field shows its "Select icon" placeholder.
  ui->ComboBoxEx1->setCurrentIndex(-1);
}

quint32 TIconForm::AskIconCode() {
  return ChosenIconCode(Modal().ExecDialog(this));
}

quint32 TIconForm::ChosenIconCode(int modalResult) const {
  if (modalResult != mrOk || ui->ComboBoxEx1->currentIndex() < 0)
    return DefaultIconCode;
  return IconCodeFromCaption(ui->ComboBoxEx1->currentText());
}

void TIconForm::reject() {
  done(mrCancel);
}
