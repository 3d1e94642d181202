#include "app/workpanel.h"

#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "catalogue/slotmap.h"

namespace {

constexpr qint64 ShowAfterMs = 1000;

}  // namespace

TWorkPanel::TWorkPanel(QStatusBar* bar)
    : QObject(bar), bar_(new QProgressBar(bar)), cancel_(new QPushButton(bar)) {
  bar_->setObjectName(QStringLiteral("WorkProgress"));
  bar_->setTextVisible(true);
  bar_->setMaximumWidth(220);
  cancel_->setObjectName(QStringLiteral("CancelWork"));
  cancel_->setText(QStringLiteral("Cancel"));
  cancel_->setToolTip(QStringLiteral("Stop after the section the phone is working on"));
  bar->addPermanentWidget(bar_);
  bar->addPermanentWidget(cancel_);
  connect(cancel_, &QPushButton::clicked, this, &TWorkPanel::RequestCancel);
  End();
}

void TWorkPanel::Begin() {
  sections_ = false;
  cancelRequested_ = false;
  cancel_->setEnabled(true);
}

void TWorkPanel::End() {
  bar_->hide();
  cancel_->hide();
}

void TWorkPanel::ShowSection(int index, int count, const TSectionAddress& address, qint64 bytes) {
  sections_ = true;
  bar_->setRange(0, count);
  bar_->setValue(index - 1);
  bar_->setFormat(QStringLiteral("section %1 of %2: %3, %4 bytes")
                      .arg(index)
                      .arg(count)
                      .arg(address.Text())
                      .arg(bytes));
  bar_->show();
  cancel_->show();
  bar_->repaint();
}

void TWorkPanel::ShowCallRunning(qint64 milliseconds, const QString& what) {
  if (sections_ || milliseconds < ShowAfterMs)
    return;
  bar_->setRange(0, 0);
  bar_->setFormat(QStringLiteral("%1: %2 s")
                      .arg(what.isEmpty() ? QStringLiteral("phone at work") : what)
                      .arg(milliseconds / 1000));
  bar_->show();
}

void TWorkPanel::RequestCancel() {
  cancelRequested_ = true;
  cancel_->setEnabled(false);
}
