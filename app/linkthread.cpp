#include "app/linkthread.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace {

constexpr int ElapsedTickMs = 100;

}  // namespace

TLinkThread::TLinkThread(QObject* parent) : QObject(parent), worker_(new QObject) {
  thread_.setObjectName(QStringLiteral("phone link"));
  worker_->moveToThread(&thread_);
  connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
  thread_.start();
}

TLinkThread::~TLinkThread() {
  thread_.quit();
  thread_.wait();
}

void TLinkThread::Run(const std::function<void()>& call) {
  if (!serveEvents_) {
    QMetaObject::invokeMethod(worker_, call, Qt::BlockingQueuedConnection);
    return;
  }
  QEventLoop wait;
  QElapsedTimer elapsed;
  QTimer ticks;
  connect(&ticks, &QTimer::timeout, this, [&] { emit CallRunningFor(elapsed.elapsed(), what_); });
  elapsed.start();
  ticks.start(ElapsedTickMs);
  // The call runs on the link thread; its end is posted back to this thread's loop, which
  // keeps the window alive meanwhile. A call can never outlive this frame.
  QMetaObject::invokeMethod(worker_, [&call, &wait] {
    call();
    QMetaObject::invokeMethod(&wait, &QEventLoop::quit, Qt::QueuedConnection);
  });
  wait.exec();
  emit CallFinished();
}
