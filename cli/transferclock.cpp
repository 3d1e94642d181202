#include "cli/transferclock.h"

#include "cli/console.h"
#include "common/bytecount.h"
#include "common/texts.h"

namespace {

constexpr std::chrono::milliseconds TickInterval(1000);

// "reading 18-9: 3 s"
QString RunningText(const QString& what, int seconds) {
  //: %1 is what is being done: "reading 18-9"; %2 the seconds it has taken so far.
  return TCliText::tr("%1: %2 s").arg(what, QString::number(seconds));
}

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
      RewriteErrLine(RunningText(what_, 0));
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
  const QString seconds = QString::number(Seconds(), 'f', 1);
  //: %1 is what was done: "read 18-9".
  const QString text = bytes_ >= 0
                           ? TCliText::tr("%1: %2 in %3 s").arg(done_, BytesText(bytes_), seconds)
                           : TCliText::tr("%1 in %2 s").arg(done_, seconds);
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
    const QString text = RunningText(what_, int(Seconds()));
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
