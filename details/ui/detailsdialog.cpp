#include "details/ui/detailsdialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTextBlock>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "catalogue/classify.h"
#include "catalogue/ui/windowcommand.h"
#include "common/errors.h"
#include "common/fileio.h"
#include "common/modal.h"
#include "common/ui/busycursor.h"
#include "common/ui/pictureview.h"
#include "details/ops/readdetails.h"
#include "transfer/manyslots.h"
#include "ufif/icons.h"
#include "ufif/ui/iconpictures.h"

namespace {

constexpr int FieldRole = Qt::UserRole;
constexpr int IconScale = 2;
// Two soft colours that alternate from field to field, and the chosen field's colour; the
// text on them stays black, so they read alike in a dark theme.
const QColor FieldColours[] = {QColor(0xFF, 0xF1, 0xA8), QColor(0xC4, 0xE6, 0xFF)};
const QColor ChosenColour(0xFF, 0xA6, 0x4D);

QTextEdit::ExtraSelection SelectionOf(QTextDocument* document, int line, int from, int to,
                                      const QColor& colour) {
  const int start = document->findBlockByNumber(line).position();
  QTextEdit::ExtraSelection selection;
  selection.cursor = QTextCursor(document);
  selection.cursor.setPosition(start + from);
  selection.cursor.setPosition(start + to, QTextCursor::KeepAnchor);
  selection.format.setBackground(colour);
  selection.format.setForeground(Qt::black);
  return selection;
}

}  // namespace

TDetailsDialog::TDetailsDialog(const TSlotDetails& details, QWidget* parent)
    : QDialog(parent), details_(details) {
  setObjectName(QStringLiteral("DetailsDialog"));
  setWindowTitle(tr("Details of %1").arg(details_.Address.Text()));
  resize(640, 600);
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

  fields_ = new QTreeWidget(this);
  fields_->setObjectName(QStringLiteral("Fields"));
  fields_->setHeaderLabels({tr("Field"), tr("Offset"), tr("Value")});
  fields_->setRootIsDecorated(false);
  hex_ = new QPlainTextEdit(this);
  hex_->setObjectName(QStringLiteral("HexView"));
  hex_->setReadOnly(true);
  hex_->setLineWrapMode(QPlainTextEdit::NoWrap);
  hex_->setFont(fixed);
  hex_->setPlainText(HexDumpLines(details_.Bytes).join(QLatin1Char('\n')));

  auto* top = new QWidget(this);
  auto* topLayout = new QHBoxLayout(top);
  topLayout->setContentsMargins(0, 0, 0, 0);
  topLayout->addWidget(fields_, 1);
  if (details_.Content == TContentKind::GIFPicture && !details_.Preferences) {
    picture_ = new TPictureView(details_.Bytes, top);
    topLayout->addWidget(picture_);
  }
  auto* splitter = new QSplitter(Qt::Vertical, this);
  splitter->addWidget(top);
  splitter->addWidget(hex_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  QPushButton* save = buttons->addButton(tr("&Save..."), QDialogButtonBox::ActionRole);
  save->setObjectName(QStringLiteral("SaveButton"));
  connect(save, &QPushButton::clicked, this, [this] { GuardCommand([this] { Save(); }); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(CreateHeader());
  layout->addWidget(splitter, 1);
  layout->addWidget(buttons);

  FillFields();
  connect(fields_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* item) { FieldChosen(item); });
  Highlight(nullptr);
}

QWidget* TDetailsDialog::CreateHeader() {
  auto* header = new QWidget(this);
  auto* layout = new QHBoxLayout(header);
  layout->setContentsMargins(0, 0, 0, 0);
  const int picture = details_.Info.IconIndex;
  if (picture >= 0 && picture < IconPictureCount) {
    auto* icon = new QLabel(header);
    icon->setObjectName(QStringLiteral("IconPicture"));
    const QPixmap& pixmap = IconPictures().at(picture);
    icon->setPixmap(pixmap.scaled(pixmap.size() * IconScale));
    layout->addWidget(icon);
  }
  auto* caption = new QLabel(
      QStringLiteral("%1  %2").arg(details_.Address.Text(), ShownCaption(details_.Info)), header);
  caption->setObjectName(QStringLiteral("CaptionLabel"));
  caption->setTextFormat(Qt::PlainText);
  layout->addWidget(caption, 1);
  return header;
}

void TDetailsDialog::FillFields() {
  for (int g = 0; g < details_.Groups.size(); ++g) {
    const TDetailGroup& group = details_.Groups.at(g);
    auto* groupItem = new QTreeWidgetItem(fields_, {group.Title});
    QFont bold = groupItem->font(0);
    bold.setBold(true);
    groupItem->setFont(0, bold);
    groupItem->setFirstColumnSpanned(true);
    for (int f = 0; f < group.Fields.size(); ++f) {
      const TDetailField& field = group.Fields.at(f);
      const QString offset =
          field.Offset < 0 ? QString()
                           : QStringLiteral("0x") + QString::number(field.Offset, 16).toUpper();
      auto* item = new QTreeWidgetItem(groupItem, {field.Name, offset, field.Value});
      item->setData(0, FieldRole, QPoint(g, f));
    }
  }
  fields_->expandAll();
  fields_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  fields_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
}

void TDetailsDialog::Highlight(const TDetailField* chosen) {
  QList<QTextEdit::ExtraSelection> selections;
  QTextDocument* document = hex_->document();
  const qint64 size = details_.Bytes.size();
  int colour = 0;
  const auto add = [&](const TDetailField& field, const QColor& background) {
    for (const THexSpan& span : HexSpans(field.Offset, field.Length, size)) {
      selections << SelectionOf(document, span.Line, span.HexFrom, span.HexTo, background);
      selections << SelectionOf(document, span.Line, span.AsciiFrom, span.AsciiTo, background);
    }
  };
  for (const TDetailGroup& group : details_.Groups)
    for (const TDetailField& field : group.Fields)
      if (field.Offset >= 0 && field.Length > 0)
        add(field, FieldColours[colour++ % 2]);
  if (chosen && chosen->Offset >= 0)
    add(*chosen, ChosenColour);
  hex_->setExtraSelections(selections);
}

void TDetailsDialog::FieldChosen(QTreeWidgetItem* item) {
  const QVariant where = item ? item->data(0, FieldRole) : QVariant();
  if (!where.isValid()) {
    Highlight(nullptr);
    return;
  }
  const QPoint at = where.toPoint();
  const TDetailField& field = details_.Groups.at(at.x()).Fields.at(at.y());
  Highlight(&field);
  const QList<THexSpan> spans = HexSpans(field.Offset, field.Length, details_.Bytes.size());
  if (spans.isEmpty())
    return;
  QTextCursor cursor(hex_->document()->findBlockByNumber(spans.first().Line));
  cursor.setPosition(cursor.position() + spans.first().HexFrom);
  hex_->setTextCursor(cursor);
  hex_->ensureCursorVisible();
}

void TDetailsDialog::Save() {
  const QString fileName = Modal().SaveFileName(this, tr("Save %1").arg(details_.Address.Text()),
                                                SlotFileName(details_.Address, details_.Bytes));
  if (!fileName.isEmpty())
    SaveFile(fileName, details_.Bytes);
}

void SlotDetailsCommand(TWindowCommand& command, const TSlotInfo& before) {
  TDetailsRead read;
  {
    const TBusyCursor busy;
    read = ReadSlotDetails(command.Port, command.Slot, before, command.Reporter);
  }
  if (!read.Ok())
    return;
  TDetailsDialog dialog(read.Details, command.Owner);
  Modal().ExecDialog(&dialog);
}
