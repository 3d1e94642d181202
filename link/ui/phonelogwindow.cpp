#include "link/ui/phonelogwindow.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHideEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include "common/errors.h"
#include "common/fileio.h"
#include "common/modal.h"

namespace {

// The column titles, aligned with LinkLogLine's columns.
QString ColumnsText(TWording wording) {
  const auto title = [wording](const char* source) {
    return Worded<TPhoneLogWindow>(wording, source);
  };
  return QStringLiteral("%1  %2   %3 %4   %5     %6")
      .arg(title(QT_TRANSLATE_NOOP("TPhoneLogWindow", "Time")).leftJustified(12),
           title(QT_TRANSLATE_NOOP("TPhoneLogWindow", "Call")).leftJustified(24))
      .arg(title(QT_TRANSLATE_NOOP("TPhoneLogWindow", "Result")), -6)
      .arg(title(QT_TRANSLATE_NOOP("TPhoneLogWindow", "Bytes")), 7)
      .arg(title(QT_TRANSLATE_NOOP("TPhoneLogWindow", "Took")), 9)
      .arg(title(QT_TRANSLATE_NOOP("TPhoneLogWindow", "Meaning")));
}

}  // namespace

TPhoneLogWindow::TPhoneLogWindow(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Phone log"));
  resize(760, 420);
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  auto* columns = new QLabel(ColumnsText(TWording::Shown), this);
  columns->setFont(fixed);
  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("LogText"));
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setFont(fixed);
  text_->setMaximumBlockCount(LinkCallsKept);
  columns->setContentsMargins(text_->frameWidth() + int(text_->document()->documentMargin()), 0, 0,
                              0);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* clear = buttons->addButton(tr("C&lear"), QDialogButtonBox::ResetRole);
  QPushButton* save = buttons->addButton(tr("&Save..."), QDialogButtonBox::ActionRole);
  buttons->addButton(QDialogButtonBox::Close);
  clear->setObjectName(QStringLiteral("ClearButton"));
  save->setObjectName(QStringLiteral("SaveButton"));
  connect(clear, &QPushButton::clicked, this, [this] { Clear(); });
  connect(save, &QPushButton::clicked, this, [this] { GuardCommand([this] { Save(); }); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(columns);
  layout->addWidget(text_, 1);
  layout->addWidget(buttons);
  collector_.Start();
}

TPhoneLogWindow::~TPhoneLogWindow() = default;

void TPhoneLogWindow::Drain() {
  const QList<TLinkCall> fresh = collector_.Since(listed_);
  if (fresh.isEmpty())
    return;
  QStringList lines;
  for (const TLinkCall& call : fresh)
    lines << LinkLogLine(call);
  text_->appendPlainText(lines.join(QLatin1Char('\n')));
}

// A call from the link thread is listed when this thread's event loop next turns, which it
// does while the window waits for the phone.
void TPhoneLogWindow::CallMade() {
  if (!showing_)
    return;
  if (QThread::currentThread() != thread()) {
    QMetaObject::invokeMethod(
        this, [this] { Drain(); }, Qt::QueuedConnection);
    return;
  }
  Drain();
  text_->viewport()->repaint();
}

QString TPhoneLogWindow::Text() const {
  return text_->toPlainText();
}

void TPhoneLogWindow::Clear() {
  collector_.Clear();
  text_->clear();
}

// Every call kept, also those the list has already let go of, in English: a log passed on
// reads alike in every language.
void TPhoneLogWindow::Save() {
  Drain();
  const QString fileName = Modal().SaveFileName(this, tr("Save the phone log"), QString());
  if (fileName.isEmpty())
    return;
  QStringList lines{ColumnsText(TWording::Recorded)};
  for (const TLinkCall& call : collector_.Calls())
    lines << LinkLogLine(call, TWording::Recorded);
  SaveFile(fileName, (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
}

void TPhoneLogWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  showing_ = true;
  Drain();
}

// A window hidden by the window system (minimised with its owner) goes on listing.
void TPhoneLogWindow::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  if (!event->spontaneous())
    showing_ = false;
}
