#pragma once
// A manager killed with SIGKILL while its link host waits in a library call that never
// returns, and what outlives it, as /proc shows the processes.

#include <QList>
#include <QStringList>
#include <functional>

#include "tests/cli/kivnvmrunner.h"

// A process that runs (one that has ended but was not reaped yet does not): its id, its
// parent's and its process group's.
struct TRunningProcess {
  int Pid = 0;
  int Parent = 0;
  int Group = 0;
};
QList<TRunningProcess> RunningProcesses();
// Milliseconds until none of the running processes is one of which; -1 when one still runs
// after limitMs.
qint64 MsUntilGone(const std::function<bool(const TRunningProcess&)>& which, qint64 limitMs);

struct TKilledManager {
  int Host = 0;            // the link host kivnvm had started; 0: none was found
  qint64 HostGoneMs = -1;  // until nothing was left of its process group; -1: not within 5 s
};

// Starts kivnvm with the arguments, waits until inCall says that its link host has entered
// the call that hangs, kills kivnvm with SIGKILL and times the end of the host's group.
TKilledManager KillManagerInCall(const TKivnvm& kivnvm, const QStringList& arguments,
                                 const std::function<bool()>& inCall);
