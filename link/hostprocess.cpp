#include "link/hostprocess.h"

#include <algorithm>
#include <cmath>

#include "common/texts.h"

namespace {

using namespace linkhost;
using std::chrono::milliseconds;

// The host writes a frame at once: once its first byte is in, the rest must follow within
// this (times the factor), or the frame counts as cut off.
constexpr qint64 kFrameRestMs = 2000;
// How often a wait for an answer looks whether the host is still there: its output may stay
// open after it has gone (under Wine, helper processes hold it).
constexpr int kLivenessPollMs = 50;
// The most bytes of a frame quoted when it is not one.
constexpr size_t kStrayShown = 64;

qint64 FrameRestMs(double factor) {
  return std::max<qint64>(1, qint64(std::llround(double(kFrameRestMs) * factor)));
}

qint64 MsLeft(std::chrono::steady_clock::time_point deadline) {
  return std::max<qint64>(
      0, std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now())
             .count());
}

QString Printable(const std::vector<uint8_t>& bytes) {
  QString text;
  for (size_t i = 0; i < bytes.size() && i < kStrayShown; ++i) {
    const char c = static_cast<char>(bytes[i]);
    text += c >= 0x20 && c < 0x7F ? QChar::fromLatin1(c) : QChar(u'.');
  }
  return text;
}

}  // namespace

TLinkHostProcess::TLinkHostProcess(const THostLaunch& launch, const QStringList& libraries,
                                   double timeoutFactor)
    : launch_(launch), libraries_(libraries), factor_(timeoutFactor) {}

#ifndef _WIN32
TLinkHostProcess::TLinkHostProcess(THostPipes pipes, double timeoutFactor)
    : factor_(timeoutFactor) {
  channel_.Adopt(pipes.Input, pipes.Output);
}
#endif

TLinkHostProcess::~TLinkHostProcess() {
  if (channel_.InputOpen()) {
    // Its input closed, the host ends by itself; what it leaves running is killed.
    channel_.CloseInput();
    WaitForEnd(kEndGrace);
  }
  Kill();
}

bool TLinkHostProcess::EndedCleanly() {
  WaitForEnd(milliseconds(0));
  return endedCleanly_;
}

TLinkStatus TLinkHostProcess::Start() {
  return ReadHello() ? TLinkStatus{} : Failed(kInit);
}

TLinkStatus TLinkHostProcess::Call(const TCall& call, const void* data, void* buffer,
                                   const QString& what) {
  int32_t result = 0;
  if (!Exchange(call, data, buffer, what, result))
    return Failed(call.entry);
  return TLinkStatus{result, TGBPEntry(call.entry), TLinkReason::None, {}, {}};
}

TLinkStatus TLinkHostProcess::Failed(uint8_t entry) const {
  return TLinkStatus{GBPPortMustBeOpened, TGBPEntry(entry), TLinkReason::Host, failure_,
                     failureOutput_};
}

bool TLinkHostProcess::ReadHello() {
  if (!channel_.InputOpen() && !Spawn())
    return false;
  const qint64 waitMs = StartDeadlineMs(launch_, factor_);
  callStarted_ = TClock::now();
  if (!Receive(uint32_t(kHelloMax), TClock::now() + milliseconds(waitMs), waitMs, QString()))
    return false;
  const TParsed<THello> hello = ParseHello(payload_.data(), payload_.size());
  hello_ = hello.Value;
  switch (hello.State) {
    case TParse::Ok:
      return true;
    case TParse::OtherVersion:
      return Fail(TLinkText::tr("The link host speaks protocol version %1, not %2; the link "
                                "was closed.")
                      .arg(hello_.version)
                      .arg(kVersion));
    case TParse::BadMagic:
    case TParse::NotThisKind:
      return Stray(QString());
    case TParse::Short:
    case TParse::Malformed:
      break;
  }
  return Fail(TLinkText::tr("The link host sent a malformed hello; the link was closed."));
}

bool TLinkHostProcess::Exchange(const TCall& call, const void* data, void* buffer,
                                const QString& what, int32_t& result) {
  if (!Running())
    return Fail(TLinkText::tr("The link host is not running."));
  const quint64 bytes = call.entry == kRead || call.entry == kWrite ? call.length : 0;
  const qint64 waitMs = LinkDeadlineMs(bytes, factor_);
  const TClock::time_point deadline = TClock::now() + milliseconds(waitMs);
  const uint32_t dataSize = call.entry == kWrite ? call.length : 0;
  errorOutput_.Bound();
  callStarted_ = TClock::now();
  if (!Send(CallFrame(call, dataSize), data, dataSize, deadline, waitMs, what) ||
      !Receive(AnswerLimit(call), deadline, waitMs, what))
    return false;
  const TParsed<TAnswer> parsed = ParseAnswer(payload_.data(), payload_.size());
  const TAnswer& answer = parsed.Value;
  switch (parsed.State) {
    case TParse::Ok:
      break;
    case TParse::NotThisKind:
    case TParse::BadMagic:
      return Stray(what);
    case TParse::Short:
      return Fail(
          TLinkText::tr("The link host sent a short answer to %1; the link was closed.").arg(what));
    case TParse::OtherVersion:
    case TParse::Malformed:
      return Fail(TLinkText::tr("The link host sent a malformed answer to %1; the link was closed.")
                      .arg(what));
  }
  if (call.entry == kRead && answer.result > 0 && uint32_t(answer.result) > call.length)
    return Fail(TLinkText::tr("The phone-link library claimed %n bytes from %1 into a buffer of "
                              "%2; the link was closed.",
                              nullptr, answer.result)
                    .arg(what)
                    .arg(call.length));
  const uint32_t expected = call.entry == kRead && answer.result > 0 ? uint32_t(answer.result) : 0;
  if (answer.entry != call.entry || answer.dataSize != expected)
    return Fail(TLinkText::tr("The link host sent a malformed answer to %1; the link was closed.")
                    .arg(what));
  if (expected > 0)
    std::copy_n(payload_.end() - expected, expected, static_cast<uint8_t*>(buffer));
  result = answer.result;
  return true;
}

bool TLinkHostProcess::Fail(const QString& text) {
  failure_ = text;
  Kill();
  // Read once the host is gone, so that its last words are in.
  failureOutput_ = errorOutput_.LastLines();
  return false;
}

bool TLinkHostProcess::Send(const std::vector<uint8_t>& frame, const void* data, size_t size,
                            TClock::time_point deadline, qint64 waitMs, const QString& during) {
  for (const auto& [from, count] :
       {std::pair<const uint8_t*, size_t>{frame.data(), frame.size()},
        std::pair<const uint8_t*, size_t>{static_cast<const uint8_t*>(data), size}}) {
    size_t done = 0;
    while (done < count) {
      const qint64 written = channel_.Write(from + done, count - done);
      if (written > 0) {
        done += size_t(written);
        continue;
      }
      if (written < 0)
        return HostEnded(during);
      if (CancelRequested())
        return Cancelled(during);
      const qint64 left = MsLeft(deadline);
      if (left == 0)
        return Late(waitMs, during);
      if (!channel_.WaitWritable(std::min<qint64>(left, kLivenessPollMs)) &&
          !WaitForEnd(milliseconds(0)).isEmpty())
        return HostEnded(during);
    }
  }
  return true;
}

bool TLinkHostProcess::Receive(uint32_t allowed, TClock::time_point deadline, qint64 waitMs,
                               const QString& during) {
  frameBytes_ = 0;
  seen_.clear();
  uint8_t header[kFrameHeader];
  TRead read = ReadExactly(header, sizeof header, deadline);
  if (read == TRead::Ok) {
    const uint32_t length = PayloadLength(header);
    // Text on the output reads as an absurd length.
    if (length == 0 || length > kMaxPayload)
      return Stray(during);
    if (length > allowed)
      return Oversize(length, allowed, during);
    payload_.resize(length);
    read = ReadExactly(payload_.data(), length, deadline);
  }
  switch (read) {
    case TRead::Ok:
      return true;
    case TRead::Ended:
      return frameBytes_ > 0 ? CutOff(read, during) : HostEnded(during);
    case TRead::Stalled:
      return CutOff(read, during);
    case TRead::Late:
      return Late(waitMs, during);
    case TRead::Cancelled:
      return Cancelled(during);
  }
  return true;
}

TLinkHostProcess::TRead TLinkHostProcess::ReadExactly(uint8_t* into, size_t size,
                                                      TClock::time_point deadline) {
  size_t done = 0;
  while (done < size) {
    const qint64 got = channel_.Read(into + done, size - done);
    if (got > 0) {
      if (frameBytes_ == 0)
        frameStarted_ = TClock::now();
      frameBytes_ += size_t(got);
      const size_t kept = std::min(size_t(got), kStrayShown - std::min(kStrayShown, seen_.size()));
      seen_.insert(seen_.end(), into + done, into + done + kept);
      done += size_t(got);
      continue;
    }
    if (got < 0)
      return TRead::Ended;
    if (CancelRequested())
      return TRead::Cancelled;
    // A frame begun means the library has answered: only the host can hold up the rest.
    const bool begun = frameBytes_ > 0;
    const qint64 left =
        begun ? MsLeft(frameStarted_ + milliseconds(FrameRestMs(factor_))) : MsLeft(deadline);
    if (left == 0)
      return begun ? TRead::Stalled : TRead::Late;
    // Gone, with its output held open elsewhere: nothing more will come.
    if (!channel_.WaitReadable(std::min<qint64>(left, kLivenessPollMs)) &&
        !WaitForEnd(milliseconds(0)).isEmpty())
      return TRead::Ended;
  }
  return TRead::Ok;
}

bool TLinkHostProcess::Late(qint64 waitMs, const QString& during) {
  if (during.isEmpty())
    return Fail(TLinkText::tr("The link host did not start within %1; it was closed.")
                    .arg(DeadlineText(waitMs)));
  return Fail(
      TLinkText::tr("The phone-link library did not answer %1 within %2; the link was closed.")
          .arg(during, DeadlineText(waitMs)));
}

bool TLinkHostProcess::Cancelled(const QString& during) {
  const QString ran =
      DeadlineText(std::chrono::duration_cast<milliseconds>(TClock::now() - callStarted_).count());
  if (during.isEmpty())
    return Fail(TLinkText::tr("Cancelled: the link host was still starting after %1; it was "
                              "closed.")
                    .arg(ran));
  return Fail(TLinkText::tr("Cancelled: the library was still in %1 after %2; the link was "
                            "closed.")
                  .arg(during, ran));
}

// The host's output or input ended: it has stopped, or it soon will.
bool TLinkHostProcess::HostEnded(const QString& during) {
  const QString status = WaitForEnd(kEndGrace);
  if (during.isEmpty() && status.isEmpty())
    return Fail(
        TLinkText::tr("The link host closed its output during its start; the link was "
                      "closed."));
  if (during.isEmpty())
    return Fail(TLinkText::tr("The phone-link library stopped during its start (%1).").arg(status));
  if (status.isEmpty())
    return Fail(TLinkText::tr("The link host closed its output during %1; the link was closed.")
                    .arg(during));
  return Fail(TLinkText::tr("The phone-link library stopped during %1 (%2).").arg(during, status));
}

// A frame begun and never finished: the host's fault, not the library's, whose answer it was.
bool TLinkHostProcess::CutOff(TRead read, const QString& during) {
  const int got = int(frameBytes_);
  if (read == TRead::Stalled) {
    const QString waited = DeadlineText(FrameRestMs(factor_));
    if (during.isEmpty())
      return Fail(TLinkText::tr("The link host sent a short hello: %n bytes, then nothing for %1; "
                                "the link was closed.",
                                nullptr, got)
                      .arg(waited));
    return Fail(TLinkText::tr("The link host sent a short answer to %1: %n bytes, then nothing "
                              "for %2; the link was closed.",
                              nullptr, got)
                    .arg(during, waited));
  }
  const QString status = WaitForEnd(kEndGrace);
  if (during.isEmpty() && status.isEmpty())
    return Fail(
        TLinkText::tr("The link host sent a short hello: %n bytes, then it closed its "
                      "output; the link was closed.",
                      nullptr, got));
  if (during.isEmpty())
    return Fail(TLinkText::tr("The link host sent a short hello: %n bytes, then it ended (%1); "
                              "the link was closed.",
                              nullptr, got)
                    .arg(status));
  if (status.isEmpty())
    return Fail(TLinkText::tr("The link host sent a short answer to %1: %n bytes, then it closed "
                              "its output; the link was closed.",
                              nullptr, got)
                    .arg(during));
  return Fail(TLinkText::tr("The link host sent a short answer to %1: %n bytes, then it ended "
                            "(%2); the link was closed.",
                            nullptr, got)
                  .arg(during, status));
}

// Told before a byte of it is kept: a frame longer than its call allows is a fault however
// it goes on.
bool TLinkHostProcess::Oversize(uint32_t length, uint32_t allowed, const QString& during) {
  if (during.isEmpty())
    return Fail(TLinkText::tr("The link host sent a hello of %n bytes, longer than the %1 a hello "
                              "may have; the link was closed.",
                              nullptr, int(length))
                    .arg(allowed));
  //: %n bytes of the answer; %1 the most the call allows; %2 the call, "GetNVMFileSize 18-9".
  return Fail(TLinkText::tr("The link host answered %n bytes to a call that allows %1 (%2); the "
                            "link was closed.",
                            nullptr, int(length))
                  .arg(QString::number(allowed), during));
}

bool TLinkHostProcess::Stray(const QString& during) {
  // What else is there already, to show more of this frame than the bytes read as one.
  uint8_t more[kStrayShown];
  const qint64 got =
      seen_.size() < kStrayShown ? channel_.Read(more, kStrayShown - seen_.size()) : 0;
  if (got > 0)
    seen_.insert(seen_.end(), more, more + got);
  if (during.isEmpty())
    return Fail(TLinkText::tr("The link host wrote something else than its answers to its "
                              "standard output during its start (\"%1\"); the link was closed.")
                    .arg(Printable(seen_)));
  return Fail(TLinkText::tr("The link host wrote something else than its answers to its "
                            "standard output during %1 (\"%2\"); the link was closed.")
                  .arg(during, Printable(seen_)));
}
