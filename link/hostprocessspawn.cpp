// The link host's life: started as a watched child (link/watchedchild.h), waited for, and
// ended with everything in its group.

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/texts.h"
#include "link/hostprocess.h"
#include "link/watchedchild.h"

using std::chrono::milliseconds;

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
                                    launch_.Environment, in[0], out[1], errorOutput_.File()});
  if (started.Pid < 0) {
    closeAll();
    return Fail(TLinkText::tr("The link host could not be started (%1: %2).")
                    .arg(launch_.Program, QString::fromLocal8Bit(strerror(started.Error))));
  }
  ::close(in[0]);
  ::close(out[1]);
  pid_ = group_ = started.Pid;
  input_ = in[1];
  output_ = out[0];
  return true;
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
