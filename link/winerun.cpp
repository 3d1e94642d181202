#include "link/winerun.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFileInfo>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "common/texts.h"
#include "link/hostprocess.h"
#include "link/watchedchild.h"
#include "link/winehost.h"

namespace {

using TClock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How often the wait looks at the program, Cancel and the deadline.
constexpr int kPollMs = 50;
// The most of what the command printed that a failure quotes: its end.
constexpr int kOutputKept = 4096;

// A file descriptor, closed with its holder.
class TFile {
 public:
  explicit TFile(int fd = -1) : fd_(fd) {}
  ~TFile() { Close(); }
  TFile(const TFile&) = delete;
  TFile& operator=(const TFile&) = delete;
  int Get() const { return fd_; }
  void Close() {
    if (fd_ >= 0)
      ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_;
};

// The command's process, ended unless it has ended by itself. Only the process: what Wine
// started in its group serves the whole prefix (see THostLaunch::EndGroup).
class TRunning {
 public:
  explicit TRunning(pid_t pid) : pid_(pid) {}
  ~TRunning() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      int status = 0;
      ::waitpid(pid_, &status, 0);
    }
  }
  TRunning(const TRunning&) = delete;
  TRunning& operator=(const TRunning&) = delete;
  // Whether it has ended, with its status once it has.
  bool Ended(int& status) {
    if (::waitpid(pid_, &status, WNOHANG) != pid_)
      return false;
    pid_ = -1;
    return true;
  }

 private:
  pid_t pid_;
};

// What is there to read now, its end kept; false once every writer has closed the output.
bool Drain(int output, QByteArray& kept) {
  char bytes[1024];
  ssize_t got;
  while ((got = ::read(output, bytes, sizeof bytes)) > 0 || (got < 0 && errno == EINTR)) {
    if (got > 0)
      kept.append(bytes, int(got));
  }
  if (kept.size() > kOutputKept)
    kept.remove(0, kept.size() - kOutputKept);
  return got != 0;
}

}  // namespace

TWineRun RunWineCommand(const TWine& wine, const TWineCommand& command, const TWineWatch& watch) {
  const THostLaunch launch = WineLaunch(wine, QString());
  const QString shown = QFileInfo(command.Program).fileName() + QLatin1Char(' ') +
                        command.Arguments.join(QLatin1Char(' '));
  TWineRun run;
  int pipe[2] = {-1, -1};
  const TFile input(::open("/dev/null", O_RDONLY | O_CLOEXEC));
  if (input.Get() < 0 || pipe2(pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    //: %1 is the command: "wine64 reg add ...", %2 the system's reason
    run.Problem = TLinkText::tr("%1 could not be started (%2)")
                      .arg(shown, QString::fromLocal8Bit(strerror(errno)));
    return run;
  }
  const TFile output(pipe[0]);
  TFile written(pipe[1]);
  const TChildStarted started = StartWatchedChild(TChildStart{
      command.Program, command.Arguments, launch.Environment, input.Get(), pipe[1], pipe[1]});
  written.Close();
  if (started.Pid < 0) {
    run.StartError = started.Error;
    run.Problem = TLinkText::tr("%1 could not be started (%2)")
                      .arg(shown, QString::fromLocal8Bit(strerror(started.Error)));
    return run;
  }
  TRunning process(started.Pid);
  const qint64 waitMs = StartDeadlineMs(launch, watch.Factor) + command.ExtraMs;
  const TClock::time_point deadline = TClock::now() + milliseconds(waitMs);
  QByteArray printed;
  bool outputOpen = true;
  int status = 0;
  // The program's end is seen from the process, not from its output: Wine's helpers may hold
  // that open long after it has gone.
  while (!process.Ended(status)) {
    if (watch.Cancel && watch.Cancel->load()) {
      run.Cancelled = true;
      //: %1 is the command: "wine64 reg add ..."
      run.Problem = TLinkText::tr("Cancelled: %1 was still running").arg(shown);
      return run;
    }
    if (TClock::now() >= deadline) {
      //: %1 is the command: "wine64 reg add ...", %2 how long it was given: "15 s"
      run.Problem = TLinkText::tr("%1 did not finish within %2").arg(shown, DeadlineText(waitMs));
      return run;
    }
    pollfd wait{output.Get(), POLLIN, 0};
    ::poll(&wait, outputOpen ? 1 : 0, kPollMs);
    outputOpen = outputOpen && Drain(output.Get(), printed);
  }
  Drain(output.Get(), printed);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
    run.Done = true;
    return run;
  }
  //: %1 is the command, %2 how it ended: "exit status 1", %3 what it printed
  run.Problem = TLinkText::tr("%1 failed (%2): %3")
                    .arg(shown, ProcessEndText(status), QString::fromLocal8Bit(printed).trimmed());
  return run;
}
