#pragma once
// What a link host writes on its standard error (Wine's own lines included): a file in
// memory that the host appends to, so that neither a full pipe nor a closed reader can stop
// a writer (Wine's helpers may hold it long after the host has gone). Its last 4 KiB are
// told with a failure.

#include <QString>
#include <cstdint>

class THostOutput {
 public:
  THostOutput();  // without the file, the host's standard error stays the manager's
  ~THostOutput();
  THostOutput(const THostOutput&) = delete;
  THostOutput& operator=(const THostOutput&) = delete;

  // The file to give the host as its standard error (a descriptor, or a Windows handle); -1
  // when there is none.
  intptr_t File() const { return file_; }
  // The last lines written, at most 4 KiB; empty when nothing was.
  QString LastLines() const;
  // Cuts the file back to its last 4 KiB once it has grown past 64 KiB.
  void Bound();

 private:
  intptr_t file_ = -1;
};
