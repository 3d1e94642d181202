#pragma once
// How a kivnvm command ends, and the one place that turns it into the message on stderr and
// the exit status: 0 done, 1 failed, 2 the command line was not understood.

#include <QString>
#include <functional>
#include <stdexcept>

enum TExitStatus { exitOk = 0, exitFailed = 1, exitUsage = 2 };

// A command that cannot go on. kivnvm ends commands by throwing, not by returning, because
// what stops one is found deep down (an option's value read by a helper, a file too big in
// the middle of a read) and unwinds through the same frames as the framework's own file
// exceptions, to the one place below that speaks for all of them.
class TCommandEnd : public std::runtime_error {
 public:
  QString Message() const { return QString::fromUtf8(what()); }
  TExitStatus Status() const { return status_; }

 protected:
  TCommandEnd(TExitStatus status, const QString& message);

 private:
  TExitStatus status_;
};

// The command line was not understood: the message is followed by a hint at --help.
class TUsageError : public TCommandEnd {
 public:
  explicit TUsageError(const QString& message) : TCommandEnd(exitUsage, message) {}
};

// The command could not do its work: the message says why; nothing was written.
class TCommandFailed : public TCommandEnd {
 public:
  explicit TCommandFailed(const QString& message) : TCommandEnd(exitFailed, message) {}
};

// The status of a command that went through its work: done when all of it went well, else
// failed (each part that failed was told on stderr as it happened).
TExitStatus StatusOf(bool allDone);

// Runs the command and returns its exit status; whatever ended it early is told on stderr.
int ExitStatusOf(const std::function<int()>& command);
