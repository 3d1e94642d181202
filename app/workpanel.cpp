#include "app/workpanel.h"

#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "app/statuslabel.h"
#include "catalogue/slotmap.h"
#include "common/bytecount.h"

namespace {

constexpr qint64 ShowAfterMs = 2000;
constexpr int BarWidth = 48;
constexpr int ButtonPadding = 16;
constexpr int BarHeight = 8;

// The slim bar beside the sections' text, painted flat: the style's rounded, shaded bar costs
// as much as the rest of a section's window work, once a section. A bar without a range (a
// single call at work) keeps the style's moving one.
class TSlimBar final : public QProgressBar {
 public:
  using QProgressBar::QProgressBar;

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (maximum() <= minimum()) {
      QProgressBar::paintEvent(event);
      return;
    }
    QPainter painter(this);
    const QRect whole = rect();
    painter.fillRect(whole, palette().color(QPalette::Mid));
    const QRect inside = whole.adjusted(1, 1, -1, -1);
    const int done = int(qint64(inside.width()) * (value() - minimum()) / (maximum() - minimum()));
    painter.fillRect(inside, palette().color(QPalette::Base));
    painter.fillRect(QRect(inside.topLeft(), QSize(done, inside.height())),
                     palette().color(QPalette::Highlight));
  }
};

}  // namespace

TWorkPanel::TWorkPanel(QStatusBar* bar)
    : QObject(bar),
      text_(new TStatusLabel(bar)),
      bar_(new TSlimBar(bar)),
      cancel_(new QPushButton(bar)) {
  text_->setObjectName(QStringLiteral("WorkText"));
  bar_->setObjectName(QStringLiteral("WorkProgress"));
  bar_->setTextVisible(false);
  bar_->setFixedSize(BarWidth, BarHeight);
  cancel_->setObjectName(QStringLiteral("CancelWork"));
  cancel_->setText(tr("Cancel"));
  cancel_->setToolTip(tr("Stop after the section the phone is working on"));
  // The default window is narrow: the text needs what room the bar and button can spare.
  cancel_->setFixedWidth(cancel_->fontMetrics().horizontalAdvance(cancel_->text()) + ButtonPadding);
  bar->addPermanentWidget(text_, 1);
  bar->addPermanentWidget(bar_);
  bar->addPermanentWidget(cancel_);
  connect(cancel_, &QPushButton::clicked, this, &TWorkPanel::RequestCancel);
  End();
}

void TWorkPanel::Begin() {
  sections_ = false;
  callShown_ = false;
  cancelRequested_ = false;
  cancel_->setEnabled(true);
}

void TWorkPanel::End() {
  text_->hide();
  bar_->hide();
  cancel_->hide();
}

void TWorkPanel::ShowSection(int index, int count, const TSectionAddress& address, qint64 bytes) {
  sections_ = true;
  if (bar_->maximum() != count)
    bar_->setRange(0, count);
  bar_->setValue(index - 1);
  const QString moved = BytesText(bytes);
  //: %1 of %2 sections, %3 the section at work (as 18-9), %4 the bytes moved so far.
  sectionWhole_ = tr("section %1 of %2: %3, %4").arg(index).arg(count).arg(address.Text(), moved);
  //: The short form of the section's progress ("section 25 of 29: 2-18, 3200 bytes") beside
  //: a slim bar: %1/%2 sections, %3 the section, %4 the bytes.
  sectionText_ = tr("%1/%2: %3, %4").arg(index).arg(count).arg(address.Text(), moved);
  ShowText(sectionText_, sectionWhole_);
  bar_->show();
  cancel_->show();
}

// Painted when the event loop next turns, which it does while the link thread works.
void TWorkPanel::ShowText(const QString& text, const QString& whole) {
  text_->setText(text);
  text_->setToolTip(whole);
  text_->show();
}

void TWorkPanel::ShowCallRunning(qint64 milliseconds, const QString& what) {
  if (milliseconds < ShowAfterMs)
    return;
  callShown_ = true;
  // A section that takes long: how long its call has run, beside where the work is.
  if (sections_) {
    const qint64 seconds = milliseconds / 1000;
    //: %1 is where the work is, %2 the seconds the phone has been at it.
    const QString text = tr("%1 (%2 s)").arg(sectionText_).arg(seconds);
    //: %1 is where the work is, %2 the seconds the phone has been at it.
    ShowText(text, tr("%1; the phone has been at it for %2 s").arg(sectionWhole_).arg(seconds));
    return;
  }
  bar_->setRange(0, 0);
  //: %1 is the call under way ("phone at work"), %2 the seconds it has run.
  const QString text =
      tr("%1: %2 s").arg(what.isEmpty() ? tr("phone at work") : what).arg(milliseconds / 1000);
  ShowText(text, text);
  bar_->show();
}

void TWorkPanel::CallFinished() {
  if (!callShown_)
    return;
  callShown_ = false;
  if (sections_) {
    ShowText(sectionText_, sectionWhole_);
    return;
  }
  text_->hide();
  bar_->hide();
}

void TWorkPanel::RequestCancel() {
  cancelRequested_ = true;
  cancel_->setEnabled(false);
}
