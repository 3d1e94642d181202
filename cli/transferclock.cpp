#include "cli/transferclock.h"

#include "cli/console.h"

namespace {

constexpr std::chrono::milliseconds TickInterval(1000);

}  // namespace

TTransferClock::TTransferClock(TWhen when, const QString& what, const QString& done)
    : when_(when),
      what_(what),
      done_(done),
      terminal_(StderrIsTerminal()),
      start_(std::chrono::steady_clock::now()) {
  if (when_ == Never)
    return;
  if (when_ == Always) {
    if (terminal_)
      RewriteErrLine(what_ + QStringLiteral(": 0 s"));
    else
      PrintErr(what_);
    shown_ = true;
  }
  ticker_ = std::thread([this] { Tick(); });
}

TTransferClock::~TTransferClock() {
  if (ticker_.joinable()) {
    {
      const std::lock_guard<std::mutex> guard(lock_);
      stopping_ = true;
    }
    stop_.notify_one();
    ticker_.join();
  }
  if (!shown_)
    return;
  const QString bytes = bytes_ >= 0 ? QStringLiteral(": %1 bytes").arg(bytes_) : QString();
  const QString text = QStringLiteral("%1%2 in %3 s").arg(done_, bytes).arg(Seconds(), 0, 'f', 1);
  if (terminal_) {
    RewriteErrLine(text);
    EndErrLine();
  } else {
    PrintErr(text);
  }
}

TTransferClock::TWhen TTransferClock::WhenFor(bool progressOption) {
  if (progressOption)
    return Always;
  return StderrIsTerminal() ? AfterASecond : Never;
}

void TTransferClock::Tick() {
  std::unique_lock<std::mutex> guard(lock_);
  while (!stop_.wait_for(guard, TickInterval, [this] { return stopping_; })) {
    const QString text = QStringLiteral("%1: %2 s").arg(what_).arg(int(Seconds()));
    if (terminal_)
      RewriteErrLine(text);
    else
      PrintErr(text);
    shown_ = true;
  }
}

double TTransferClock::Seconds() const {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}
