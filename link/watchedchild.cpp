#include "link/watchedchild.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "common/texts.h"

extern char** environ;

namespace {

// The child's status when its manager was gone before the watch on it took hold.
constexpr int kManagerGone = 125;

// The manager's environment with the settings over it.
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

// The pipe's end as the standard stream target, open across exec; -1 leaves the stream.
bool Redirect(int pipe, int target) {
  if (pipe < 0)
    return true;
  if (pipe == target)
    return fcntl(pipe, F_SETFD, 0) == 0;
  return dup2(pipe, target) == target;
}

// What the child of a fork does, so only calls that are safe between a fork and an exec in a
// process with threads. It tells why it could not become the program through report.
[[noreturn]] void Become(pid_t manager, const TChildStart& start, int report,
                         char* const* arguments, char* const* environment) {
  setpgid(0, 0);
  // Killed with the thread that started it. Set before the exec, which keeps it, for a
  // program that may hang; a manager that died before this was set has left the child to
  // another parent already.
  if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != manager)
    _exit(kManagerGone);
  if (Redirect(start.Input, STDIN_FILENO) && Redirect(start.Output, STDOUT_FILENO) &&
      Redirect(start.Error, STDERR_FILENO))
    execve(arguments[0], arguments, environment);
  const int reason = errno;
  const ssize_t told = write(report, &reason, sizeof reason);
  (void)told;
  _exit(127);
}

// Why the child could not become the program: the errno it reported, 0 once its exec
// succeeded (which closes the report's pipe).
int ReportedError(int report) {
  int reason = 0;
  ssize_t got;
  do
    got = read(report, &reason, sizeof reason);
  while (got < 0 && errno == EINTR);
  return got == ssize_t(sizeof reason) ? reason : 0;
}

}  // namespace

TChildStarted StartWatchedChild(const TChildStart& start) {
  int report[2] = {-1, -1};
  if (pipe2(report, O_CLOEXEC) != 0)
    return {-1, errno};
  std::vector<QByteArray> arguments{start.Program.toLocal8Bit()};
  for (const QString& argument : start.Arguments)
    arguments.push_back(argument.toLocal8Bit());
  std::vector<QByteArray> environment = Environment(start.Environment);
  const std::vector<char*> argumentList = Pointers(arguments);
  const std::vector<char*> environmentList = Pointers(environment);
  const pid_t manager = getpid();
  const pid_t pid = fork();
  if (pid == 0)
    Become(manager, start, report[1], argumentList.data(), environmentList.data());
  const int forkError = errno;
  ::close(report[1]);
  const int reason = pid < 0 ? forkError : ReportedError(report[0]);
  ::close(report[0]);
  if (reason == 0)
    return {pid, 0};
  if (pid > 0) {
    int status = 0;
    ::waitpid(pid, &status, 0);
  }
  return {-1, reason};
}

QString ProcessEndText(int status) {
  if (WIFSIGNALED(status))
    //: How a process ended: "signal 11".
    return TLinkText::tr("signal %1").arg(WTERMSIG(status));
  //: How a process ended: "exit status 3".
  return TLinkText::tr("exit status %1").arg(WEXITSTATUS(status));
}
