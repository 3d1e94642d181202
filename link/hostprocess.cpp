#include "link/hostprocess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>

extern char** environ;

namespace {

using namespace linkhost;
using std::chrono::milliseconds;

constexpr qint64 kBaseDeadlineMs = 15000;
constexpr quint64 kSlowestBaud = 2400;
constexpr qint64 kExpectedBaseMs = 2000;
constexpr quint64 kExpectedBaud = 9600;
constexpr quint64 kBitsPerByte = 10;
// How often a wait for an answer looks whether the host is still there: its output may stay
// open after it has gone (under Wine, helper processes hold it).
constexpr int kLivenessPollMs = 50;
// How long a host that lost its input or output gets to end by itself.
constexpr milliseconds kEndGrace{1000};
constexpr size_t kStrayShown = 40;
// The manager's environment with the launch's settings over it.
std::vector<QByteArray> Environment(const QStringList& settings) {
  std::vector<QByteArray> result;
  for (char** variable = environ; *variable; ++variable) {
    const QByteArray entry(*variable);
    const QByteArray name = entry.left(entry.indexOf('=') + 1);
    const bool replaced =
        !name.isEmpty() &&
        std::any_of(settings.begin(), settings.end(),
                    [&](const QString& setting) { return setting.toLocal8Bit().startsWith(name); });
    if (!replaced)
      result.push_back(entry);
  }
  for (const QString& setting : settings)
    result.push_back(setting.toLocal8Bit());
  return result;
}

// A null-terminated array of the strings, as exec wants it; valid while they are.
std::vector<char*> Pointers(std::vector<QByteArray>& strings) {
  std::vector<char*> pointers;
  for (QByteArray& text : strings)
    pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

QString StatusText(int status) {
  if (WIFSIGNALED(status))
    return QStringLiteral("signal %1").arg(WTERMSIG(status));
  return QStringLiteral("exit status %1").arg(WEXITSTATUS(status));
}

qint64 MsLeft(std::chrono::steady_clock::time_point deadline) {
  return std::max<qint64>(
      0, std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now())
             .count());
}

// A write to a host that has gone must fail with EPIPE, not end this process with SIGPIPE:
// the signal is blocked on this thread for the write and a pending one taken back.
class TNoSigPipe {
 public:
  TNoSigPipe() {
    sigemptyset(&pipe_);
    sigaddset(&pipe_, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe_, &old_);
  }
  ~TNoSigPipe() {
    sigset_t pending;
    sigpending(&pending);
    if (sigismember(&pending, SIGPIPE)) {
      const timespec none{0, 0};
      sigtimedwait(&pipe_, nullptr, &none);
    }
    pthread_sigmask(SIG_SETMASK, &old_, nullptr);
  }

 private:
  sigset_t pipe_;
  sigset_t old_;
};

QString Printable(const std::vector<uint8_t>& bytes) {
  QString text;
  for (size_t i = 0; i < bytes.size() && i < kStrayShown; ++i) {
    const char c = static_cast<char>(bytes[i]);
    text += c >= 0x20 && c < 0x7F ? QChar::fromLatin1(c) : QChar(u'.');
  }
  return text;
}

}  // namespace

qint64 LinkDeadlineMs(quint64 bytes, double factor) {
  const double ms =
      double(kBaseDeadlineMs) + double(bytes) * kBitsPerByte * 1000.0 / double(kSlowestBaud);
  return std::max<qint64>(1, qint64(std::llround(ms * factor)));
}

qint64 ExpectedCallMs(quint64 bytes, double factor) {
  const double ms =
      double(kExpectedBaseMs) + double(bytes) * kBitsPerByte * 1000.0 / double(kExpectedBaud);
  return std::max<qint64>(1, qint64(std::llround(ms * factor)));
}

QString DeadlineText(qint64 milliseconds) {
  if (milliseconds >= 10000)
    return QStringLiteral("%1 s").arg((milliseconds + 500) / 1000);
  return QStringLiteral("%1 s").arg(double(milliseconds) / 1000.0, 0, 'g', 2);
}

TLinkHostProcess::TLinkHostProcess(const QString& program, const QStringList& libraries,
                                   double timeoutFactor)
    : TLinkHostProcess(THostLaunch{program, {}, {}, 0}, libraries, timeoutFactor) {}

TLinkHostProcess::TLinkHostProcess(const THostLaunch& launch, const QStringList& libraries,
                                   double timeoutFactor)
    : launch_(launch), libraries_(libraries), factor_(timeoutFactor) {}

TLinkHostProcess::~TLinkHostProcess() {
  if (input_ >= 0) {
    // Its input closed, the host ends by itself; what it leaves running is killed.
    ::close(input_);
    input_ = -1;
    WaitForEnd(kEndGrace);
  }
  Kill();
}

bool TLinkHostProcess::EndedCleanly() {
  WaitForEnd(milliseconds(0));
  return endedCleanly_;
}

bool TLinkHostProcess::Start() {
  int in[2] = {-1, -1};
  int out[2] = {-1, -1};
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) {
    const QString reason = QString::fromLocal8Bit(strerror(errno));
    for (const int fd : {in[0], in[1], out[0], out[1]}) {
      if (fd >= 0)
        ::close(fd);
    }
    return Fail(QStringLiteral("The link host could not be started (%1).").arg(reason));
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  if (errorOutput_.File() >= 0)
    posix_spawn_file_actions_adddup2(&actions, errorOutput_.File(), STDERR_FILENO);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // A group of its own, so that ending it ends whatever it started too.
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  std::vector<QByteArray> arguments{launch_.Program.toLocal8Bit()};
  for (const QString& argument : launch_.Arguments + libraries_)
    arguments.push_back(argument.toLocal8Bit());
  std::vector<QByteArray> environment = Environment(launch_.Environment);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, arguments[0].constData(), &actions, &attributes,
                                  Pointers(arguments).data(), Pointers(environment).data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  ::close(in[0]);
  ::close(out[1]);
  if (spawned != 0) {
    ::close(in[1]);
    ::close(out[0]);
    return Fail(QStringLiteral("The link host could not be started (%1: %2).")
                    .arg(launch_.Program, QString::fromLocal8Bit(strerror(spawned))));
  }
  pid_ = group_ = pid;
  input_ = in[1];
  output_ = out[0];
  fcntl(input_, F_SETFL, fcntl(input_, F_GETFL) | O_NONBLOCK);
  fcntl(output_, F_SETFL, fcntl(output_, F_GETFL) | O_NONBLOCK);

  const qint64 waitMs = LinkDeadlineMs(0, factor_) + launch_.ExtraStartMs;
  const QString during = QStringLiteral("its start");
  callStarted_ = TClock::now();
  starting_ = true;
  const bool received = Receive(TClock::now() + milliseconds(waitMs), waitMs, during);
  starting_ = false;
  if (!received)
    return false;
  switch (ParseHello(payload_.data(), payload_.size(), hello_)) {
    case TParse::Ok:
      return true;
    case TParse::OtherVersion:
      return Fail(QStringLiteral("The link host speaks protocol version %1, not %2; the link "
                                 "was closed.")
                      .arg(hello_.version)
                      .arg(kVersion));
    case TParse::BadMagic:
    case TParse::NotThisKind:
      return Stray(during);
    case TParse::Short:
    case TParse::Malformed:
      break;
  }
  return Fail(QStringLiteral("The link host sent a malformed hello; the link was closed."));
}

bool TLinkHostProcess::Call(const TCall& call, const void* data, void* buffer, const QString& what,
                            int32_t& result) {
  if (!Running())
    return Fail(QStringLiteral("The link host is not running."));
  const quint64 bytes = call.entry == kRead || call.entry == kWrite ? call.length : 0;
  const qint64 waitMs = LinkDeadlineMs(bytes, factor_);
  const TClock::time_point deadline = TClock::now() + milliseconds(waitMs);
  const uint32_t dataSize = call.entry == kWrite ? call.length : 0;
  errorOutput_.Bound();
  callStarted_ = TClock::now();
  if (!Send(CallFrame(call, dataSize), data, dataSize, deadline, waitMs, what) ||
      !Receive(deadline, waitMs, what))
    return false;
  TAnswer answer;
  switch (ParseAnswer(payload_.data(), payload_.size(), answer)) {
    case TParse::Ok:
      break;
    case TParse::NotThisKind:
    case TParse::BadMagic:
      return Stray(what);
    case TParse::Short:
      return Fail(QStringLiteral("The link host sent a short answer to %1; the link was closed.")
                      .arg(what));
    case TParse::OtherVersion:
    case TParse::Malformed:
      return Fail(
          QStringLiteral("The link host sent a malformed answer to %1; the link was closed.")
              .arg(what));
  }
  if (call.entry == kRead && answer.result > 0 && uint32_t(answer.result) > call.length)
    return Fail(QStringLiteral("The phone-link library claimed %1 bytes from %2 into a buffer of "
                               "%3; the link was closed.")
                    .arg(answer.result)
                    .arg(what)
                    .arg(call.length));
  const uint32_t expected = call.entry == kRead && answer.result > 0 ? uint32_t(answer.result) : 0;
  if (answer.entry != call.entry || answer.dataSize != expected)
    return Fail(QStringLiteral("The link host sent a malformed answer to %1; the link was closed.")
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
  const TNoSigPipe noSigPipe;
  for (const auto& [from, count] :
       {std::pair<const uint8_t*, size_t>{frame.data(), frame.size()},
        std::pair<const uint8_t*, size_t>{static_cast<const uint8_t*>(data), size}}) {
    size_t done = 0;
    while (done < count) {
      const ssize_t written = ::write(input_, from + done, count - done);
      if (written > 0) {
        done += size_t(written);
        continue;
      }
      if (written < 0 && errno == EINTR)
        continue;
      if (written < 0 && errno != EAGAIN)
        return HostEnded(during);
      if (CancelRequested())
        return Cancelled(during);
      const qint64 left = MsLeft(deadline);
      if (left == 0)
        return Late(waitMs, during);
      pollfd wait{input_, POLLOUT, 0};
      if (::poll(&wait, 1, int(std::min<qint64>(left, kLivenessPollMs))) == 0 &&
          !WaitForEnd(milliseconds(0)).isEmpty())
        return HostEnded(during);
    }
  }
  return true;
}

bool TLinkHostProcess::Receive(TClock::time_point deadline, qint64 waitMs, const QString& during) {
  uint8_t header[kFrameHeader];
  TRead read = ReadExactly(header, sizeof header, deadline);
  if (read == TRead::Ok) {
    const uint32_t length = PayloadLength(header);
    // Text on the output reads as an absurd length.
    if (length > kMaxPayload || length == 0)
      return Stray(during);
    payload_.resize(length);
    read = ReadExactly(payload_.data(), length, deadline);
  }
  if (read == TRead::Ended)
    return HostEnded(during);
  if (read == TRead::Late)
    return Late(waitMs, during);
  if (read == TRead::Cancelled)
    return Cancelled(during);
  return true;
}

TLinkHostProcess::TRead TLinkHostProcess::ReadExactly(uint8_t* into, size_t size,
                                                      TClock::time_point deadline) {
  size_t done = 0;
  while (done < size) {
    const ssize_t got = ::read(output_, into + done, size - done);
    if (got > 0) {
      if (seen_.size() < kStrayShown)
        seen_.insert(seen_.end(), into + done, into + done + std::min<size_t>(size_t(got), 64));
      done += size_t(got);
      continue;
    }
    if (got == 0)
      return TRead::Ended;
    if (errno == EINTR)
      continue;
    if (errno != EAGAIN)
      return TRead::Ended;
    if (CancelRequested())
      return TRead::Cancelled;
    const qint64 left = MsLeft(deadline);
    if (left == 0)
      return TRead::Late;
    pollfd wait{output_, POLLIN, 0};
    // Gone, with its output held open elsewhere: nothing more will come.
    if (::poll(&wait, 1, int(std::min<qint64>(left, kLivenessPollMs))) == 0 &&
        !WaitForEnd(milliseconds(0)).isEmpty())
      return TRead::Ended;
  }
  return TRead::Ok;
}

bool TLinkHostProcess::Late(qint64 waitMs, const QString& during) {
  if (starting_)
    return Fail(QStringLiteral("The link host did not start within %1; it was closed.")
                    .arg(DeadlineText(waitMs)));
  return Fail(
      QStringLiteral("The phone-link library did not answer %1 within %2; the link was closed.")
          .arg(during, DeadlineText(waitMs)));
}

bool TLinkHostProcess::Cancelled(const QString& during) {
  const qint64 ranMs =
      std::chrono::duration_cast<milliseconds>(TClock::now() - callStarted_).count();
  if (starting_)
    return Fail(QStringLiteral("Cancelled: the link host was still starting after %1; it was "
                               "closed.")
                    .arg(DeadlineText(ranMs)));
  return Fail(QStringLiteral("Cancelled: the library was still in %1 after %2; the link was "
                             "closed.")
                  .arg(during, DeadlineText(ranMs)));
}

// The host's output or input ended: it has stopped, or it soon will.
bool TLinkHostProcess::HostEnded(const QString& during) {
  const QString status = WaitForEnd(kEndGrace);
  if (status.isEmpty())
    return Fail(QStringLiteral("The link host closed its output during %1; the link was closed.")
                    .arg(during));
  return Fail(QStringLiteral("The phone-link library stopped during %1 (%2).").arg(during, status));
}

bool TLinkHostProcess::Stray(const QString& during) {
  // What else is there already, to show more of it than the bytes read as a frame.
  uint8_t more[kStrayShown];
  const ssize_t got =
      seen_.size() < kStrayShown ? ::read(output_, more, kStrayShown - seen_.size()) : 0;
  if (got > 0)
    seen_.insert(seen_.end(), more, more + got);
  return Fail(QStringLiteral("The link host wrote something else than its answers to its "
                             "standard output during %1 (\"%2\"); the link was closed.")
                  .arg(during, Printable(seen_)));
}

QString TLinkHostProcess::WaitForEnd(milliseconds wait) {
  if (pid_ <= 0)
    return endStatus_;
  const TClock::time_point until = TClock::now() + wait;
  for (;;) {
    int status = 0;
    const pid_t done = ::waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      pid_ = -1;
      endStatus_ = StatusText(status);
      endedCleanly_ = WIFEXITED(status) && WEXITSTATUS(status) == 0;
      return endStatus_;
    }
    if (done < 0 || TClock::now() >= until)
      return QString();
    ::usleep(2000);
  }
}

void TLinkHostProcess::Kill() {
  if (group_ > 0)
    ::kill(-group_, SIGKILL);
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
  pid_ = group_ = -1;
  if (input_ >= 0)
    ::close(input_);
  if (output_ >= 0)
    ::close(output_);
  input_ = output_ = -1;
}
