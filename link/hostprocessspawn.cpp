// The link host's life on POSIX systems: started in a process group of its own with the
// system watching its parent, reached through non-blocking pipes, waited for, and ended with
// everything in its group.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/texts.h"
#include "link/hostprocess.h"

extern char** environ;

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

// The child's status when its manager was gone before the watch on it took hold.
constexpr int kManagerGone = 125;

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
    //: How a process ended: "signal 11".
    return TLinkText::tr("signal %1").arg(WTERMSIG(status));
  //: How a process ended: "exit status 3".
  return TLinkText::tr("exit status %1").arg(WEXITSTATUS(status));
}

// The pipe's end as the standard stream target, open across exec.
bool Redirect(int pipe, int target) {
  if (pipe == target)
    return fcntl(pipe, F_SETFD, 0) == 0;
  return dup2(pipe, target) == target;
}

// What the child of a fork does, so only calls that are safe between a fork and an exec in a
// process with threads. It tells why it could not become the host through report.
[[noreturn]] void BecomeHost(pid_t manager, int input, int output, int error, int report,
                             char* const* arguments, char* const* environment) {
  // A group of its own, so that ending it ends whatever it started too.
  setpgid(0, 0);
  // Killed with the thread that started it. Set before the exec, which keeps it, for a host
  // that may hang inside the library; a manager that died before this was set has left the
  // child to another parent already.
  if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != manager)
    _exit(kManagerGone);
  if (Redirect(input, STDIN_FILENO) && Redirect(output, STDOUT_FILENO) &&
      (error < 0 || Redirect(error, STDERR_FILENO)))
    execve(arguments[0], arguments, environment);
  const int reason = errno;
  const ssize_t told = write(report, &reason, sizeof reason);
  (void)told;
  _exit(127);
}

// Why the child could not become the host: the errno it reported, 0 once its exec succeeded
// (which closes the report's pipe).
int ReportedError(int report) {
  int reason = 0;
  ssize_t got;
  do
    got = read(report, &reason, sizeof reason);
  while (got < 0 && errno == EINTR);
  return got == ssize_t(sizeof reason) ? reason : 0;
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

bool TLinkHostProcess::Spawn() {
  int in[2] = {-1, -1};
  int out[2] = {-1, -1};
  int report[2] = {-1, -1};
  const auto closeAll = [&] {
    for (const int fd : {in[0], in[1], out[0], out[1], report[0], report[1]}) {
      if (fd >= 0)
        ::close(fd);
    }
  };
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(report, O_CLOEXEC) != 0) {
    const QString reason = QString::fromLocal8Bit(strerror(errno));
    closeAll();
    return Fail(TLinkText::tr("The link host could not be started (%1).").arg(reason));
  }
  std::vector<QByteArray> arguments{launch_.Program.toLocal8Bit()};
  for (const QString& argument : launch_.Arguments + libraries_)
    arguments.push_back(argument.toLocal8Bit());
  std::vector<QByteArray> environment = Environment(launch_.Environment);
  const std::vector<char*> argumentList = Pointers(arguments);
  const std::vector<char*> environmentList = Pointers(environment);
  const pid_t manager = getpid();
  const pid_t pid = fork();
  if (pid == 0)
    BecomeHost(manager, in[0], out[1], int(errorOutput_.File()), report[1], argumentList.data(),
               environmentList.data());
  const int forkError = errno;
  ::close(report[1]);
  report[1] = -1;
  const int reason = pid < 0 ? forkError : ReportedError(report[0]);
  if (reason != 0) {
    if (pid > 0) {
      int status = 0;
      ::waitpid(pid, &status, 0);
    }
    closeAll();
    return Fail(TLinkText::tr("The link host could not be started (%1: %2).")
                    .arg(launch_.Program, QString::fromLocal8Bit(strerror(reason))));
  }
  ::close(report[0]);
  ::close(in[0]);
  ::close(out[1]);
  process_ = group_ = pid;
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
    ::kill(-pid_t(group_), SIGKILL);
  if (process_ > 0) {
    ::kill(pid_t(process_), SIGKILL);
    int status = 0;
    ::waitpid(pid_t(process_), &status, 0);
  }
  process_ = group_ = -1;
  channel_.Close();
}
