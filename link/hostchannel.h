#pragma once
// The manager's ends of a link host's standard input and output, used without blocking: each
// call moves what it can at once, and a wait says when more can move. Each system has its
// own pipes (link/hostprocessspawn.cpp, link/hostprocesswindows.cpp); the protocol above
// them is one.

#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <memory>

class THostChannel {
 public:
  THostChannel();
  ~THostChannel();  // closes both ends
  THostChannel(const THostChannel&) = delete;
  THostChannel& operator=(const THostChannel&) = delete;

#ifndef _WIN32
  // Takes two ends already open, a host's input and output (the frame reader's fuzzer plays
  // a host through them).
  void Adopt(int input, int output);
#endif
  bool InputOpen() const;
  // Bytes taken at once (0: none could be now), or -1 once the host's input has closed.
  qint64 Write(const uint8_t* from, size_t count);
  // Bytes read at once (0: none are there yet), or -1 once the host's output has ended.
  qint64 Read(uint8_t* into, size_t count);
  // Up to ms for the input to take bytes, or the output to have some or end; false when the
  // time ran out.
  bool WaitWritable(qint64 ms);
  bool WaitReadable(qint64 ms);
  // The host's input closed, so that it ends by itself.
  void CloseInput();
  void Close();

  struct TEnds;  // the system's handles, defined with the spawn
  TEnds& Ends() {
    return *ends_;
  }

 private:
  std::unique_ptr<TEnds> ends_;
};
