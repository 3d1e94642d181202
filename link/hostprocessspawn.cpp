// The link host's life on POSIX systems: started as a watched child (link/watchedchild.h),
// reached through non-blocking pipes, waited for, and ended with everything in its group.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/texts.h"
#include "link/hostprocess.h"
#include "link/watchedchild.h"

namespace {

using std::chrono::milliseconds;

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
  TNoSigPipe(const TNoSigPipe&) = delete;
  TNoSigPipe& operator=(const TNoSigPipe&) = delete;

 private:
  sigset_t pipe_;
  sigset_t old_;
};

void CloseEnd(int& fd) {
  if (fd >= 0)
    ::close(fd);
  fd = -1;
}

bool WaitFor(int fd, short events, qint64 ms) {
  pollfd wait{fd, events, 0};
  int ready;
  do
    ready = ::poll(&wait, 1, int(ms));
  while (ready < 0 && errno == EINTR);
  return ready > 0;
}

}  // namespace

struct THostChannel::TEnds {
  int Input = -1;
  int Output = -1;
};

THostChannel::THostChannel() : ends_(std::make_unique<TEnds>()) {}

THostChannel::~THostChannel() {
  Close();
}

void THostChannel::Adopt(int input, int output) {
  Close();
  ends_->Input = input;
  ends_->Output = output;
  for (const int fd : {input, output}) {
    if (fd >= 0)
      fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  }
}

bool THostChannel::InputOpen() const {
  return ends_->Input >= 0;
}

qint64 THostChannel::Write(const uint8_t* from, size_t count) {
  const TNoSigPipe noSigPipe;
  for (;;) {
    const ssize_t written = ::write(ends_->Input, from, count);
    if (written >= 0)
      return written;
    if (errno != EINTR)
      return errno == EAGAIN ? 0 : -1;
  }
}

qint64 THostChannel::Read(uint8_t* into, size_t count) {
  for (;;) {
    const ssize_t got = ::read(ends_->Output, into, count);
    if (got > 0)
      return got;
    if (got == 0)
      return -1;
    if (errno != EINTR)
      return errno == EAGAIN ? 0 : -1;
  }
}

bool THostChannel::WaitWritable(qint64 ms) {
  return WaitFor(ends_->Input, POLLOUT, ms);
}

bool THostChannel::WaitReadable(qint64 ms) {
  return WaitFor(ends_->Output, POLLIN, ms);
}

void THostChannel::CloseInput() {
  CloseEnd(ends_->Input);
}

void THostChannel::Close() {
  CloseEnd(ends_->Input);
  CloseEnd(ends_->Output);
}

bool TLinkHostProcess::Spawn() {
  int in[2] = {-1, -1};
  int out[2] = {-1, -1};
  const auto closeAll = [&] {
    for (const int fd : {in[0], in[1], out[0], out[1]}) {
      if (fd >= 0)
        ::close(fd);
    }
  };
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) {
    const QString reason = QString::fromLocal8Bit(strerror(errno));
    closeAll();
    return Fail(TLinkText::tr("The link host could not be started (%1).").arg(reason));
  }
  const TChildStarted started =
      StartWatchedChild(TChildStart{launch_.Program, launch_.Arguments + libraries_,
                                    launch_.Environment, in[0], out[1], int(errorOutput_.File())});
  if (started.Pid < 0) {
    closeAll();
    return Fail(TLinkText::tr("The link host could not be started (%1: %2).")
                    .arg(launch_.Program, QString::fromLocal8Bit(strerror(started.Error))));
  }
  ::close(in[0]);
  ::close(out[1]);
  process_ = group_ = started.Pid;
  channel_.Adopt(in[1], out[0]);
  return true;
}

QString TLinkHostProcess::WaitForEnd(milliseconds wait) {
  if (process_ <= 0)
    return endStatus_;
  const TClock::time_point until = TClock::now() + wait;
  for (;;) {
    int status = 0;
    const pid_t done = ::waitpid(pid_t(process_), &status, WNOHANG);
    if (done == process_) {
      process_ = -1;
      endStatus_ = ProcessEndText(status);
      endedCleanly_ = WIFEXITED(status) && WEXITSTATUS(status) == 0;
      return endStatus_;
    }
    if (done < 0 || TClock::now() >= until)
      return QString();
    ::usleep(2000);
  }
}

void TLinkHostProcess::Kill() {
  if (group_ > 0 && launch_.EndGroup)
    ::kill(-pid_t(group_), SIGKILL);
  if (process_ > 0) {
    ::kill(pid_t(process_), SIGKILL);
    int status = 0;
    ::waitpid(pid_t(process_), &status, 0);
  }
  process_ = group_ = -1;
  channel_.Close();
}
