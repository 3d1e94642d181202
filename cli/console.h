#pragma once
// What kivnvm tells its caller: data on stdout, messages on stderr, and the exit status.

#include <QString>
#include <stdexcept>

enum TExitStatus { exitOk = 0, exitFailed = 1, exitUsage = 2 };

// The command line was not understood: the message is followed by a hint at --help.
class TUsageError : public std::runtime_error {
 public:
  explicit TUsageError(const QString& message);
  QString Message() const { return QString::fromUtf8(what()); }
};

// The command could not do its work: the message says why; nothing was written.
class TCommandFailed : public std::runtime_error {
 public:
  explicit TCommandFailed(const QString& message);
  QString Message() const { return QString::fromUtf8(what()); }
};

// One line each, UTF-8.
void PrintOut(const QString& line);
void PrintErr(const QString& line);
// Without a line break, for progress that rewrites its own line.
void PrintErrRaw(const QString& text);

bool StderrIsTerminal();
