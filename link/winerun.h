#pragma once
// Wine's own programs (reg, wineboot) run in the prefix under the link host's rules: within a
// deadline times the timeout factor, ended at once by Cancel, and ended by the system with the
// thread that started them, the manager's death included.

#include <QString>
#include <QStringList>
#include <atomic>

struct TWine;

struct TWineCommand {
  QString Program;
  QStringList Arguments;
  qint64 ExtraMs = 0;  // added to its deadline, for a one-time setup it makes
};

// The timeout factor and the Cancel a Wine command runs under; no Cancel: null.
struct TWineWatch {
  double Factor = 1.0;
  const std::atomic<bool>* Cancel = nullptr;
};

struct TWineRun {
  bool Done = false;       // ended by itself with exit status 0
  bool Cancelled = false;  // ended by Cancel
  int StartError = 0;      // the system's errno when the program could not be started
  QString Problem;         // what went wrong, in words, naming the command; empty when Done
};

// Runs the command with Wine's environment for the prefix. It may take as long as the link
// host's start: 15 s times the factor, more in a prefix not made yet, and its ExtraMs.
TWineRun RunWineCommand(const TWine& wine, const TWineCommand& command, const TWineWatch& watch);
