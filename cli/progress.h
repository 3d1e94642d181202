#pragma once
// Progress of a command that moves many sections, on stderr: "section 3 of 29, 12000 bytes".
// On a terminal the line is rewritten in place; elsewhere each step gets its own line.

#include <QString>

class TProgress {
 public:
  TProgress(bool enabled, int total);
  ~TProgress();  // ends a line left open on the terminal
  TProgress(const TProgress&) = delete;
  TProgress& operator=(const TProgress&) = delete;

  // Section number index (from 1) is being handled; bytes moved so far.
  void Step(int index, const QString& address, qint64 bytesSoFar);
  // Before a message of its own is printed, so it does not land in the middle of the line.
  void BreakLine();

 private:
  bool enabled_;
  bool terminal_;
  bool lineOpen_ = false;
  int total_;
};
