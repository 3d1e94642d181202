#include "tests/cli/killedmanager.h"

#include <signal.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <algorithm>

namespace {

constexpr qint64 kOpenWaitMs = 60000;
// The call that hangs follows the link's opening at once; this is ample for it to begin.
constexpr unsigned long kIntoTheCallMs = 500;
constexpr qint64 kGoneLimitMs = 5000;
constexpr unsigned long kPollMs = 5;

}  // namespace

QList<TRunningProcess> RunningProcesses() {
  QList<TRunningProcess> running;
  for (const QString& name : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
    bool isNumber = false;
    const int pid = name.toInt(&isNumber);
    QFile stat(QStringLiteral("/proc/%1/stat").arg(name));
    if (!isNumber || !stat.open(QIODevice::ReadOnly))
      continue;
    // "pid (name) state parent group ...", where the name may hold anything.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 3 || fields[0] == "Z" || fields[0] == "X")
      continue;
    running.append({pid, fields[1].toInt(), fields[2].toInt()});
  }
  return running;
}

qint64 MsUntilGone(const std::function<bool(const TRunningProcess&)>& which, qint64 limitMs) {
  QElapsedTimer waited;
  waited.start();
  for (;;) {
    const QList<TRunningProcess> running = RunningProcesses();
    if (std::none_of(running.begin(), running.end(), which))
      return waited.elapsed();
    if (waited.elapsed() > limitMs)
      return -1;
    QThread::msleep(kPollMs);
  }
}

TKilledManager KillManagerInCall(const TKivnvm& kivnvm, const QStringList& arguments,
                                 const std::function<bool()>& inCall) {
  TKilledManager killed;
  const std::unique_ptr<QProcess> manager = kivnvm.Launch(arguments);
  if (!manager->waitForStarted())
    return killed;
  QElapsedTimer opening;
  opening.start();
  while (!inCall() && opening.elapsed() < kOpenWaitMs)
    QThread::msleep(kPollMs);
  QThread::msleep(kIntoTheCallMs);
  const int pid = int(manager->processId());
  // The host leads a process group of its own.
  for (const TRunningProcess& process : RunningProcesses()) {
    if (process.Parent == pid && process.Group == process.Pid)
      killed.Host = process.Pid;
  }
  ::kill(pid, SIGKILL);
  killed.HostGoneMs = MsUntilGone(
      [&](const TRunningProcess& process) { return process.Group == killed.Host; }, kGoneLimitMs);
  manager->waitForFinished();
  return killed;
}
