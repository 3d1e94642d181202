#pragma once
// Starting a program that must not outlive its manager: by fork and exec, in a process group
// of its own (so a terminal's hang-up does not reach it and ending the group ends whatever it
// started), with the system asked to kill it when the thread that started it ends. The link
// host and Wine's own programs (reg, wineboot) are started this way.

#include <sys/types.h>
#include <QString>
#include <QStringList>

struct TChildStart {
  QString Program;
  QStringList Arguments;
  QStringList Environment;  // "NAME=value", over the manager's own environment
  int Input = -1;           // the child's standard streams; -1 leaves the manager's
  int Output = -1;
  int Error = -1;
};

// What starting gave: the child's process id, or the system's errno for why it could not be
// started (the fork's or the exec's).
struct TChildStarted {
  pid_t Pid = -1;
  int Error = 0;
};

TChildStarted StartWatchedChild(const TChildStart& start);

// How a process ended, from waitpid's status: "exit status 3", "signal 11".
QString ProcessEndText(int status);
