#pragma once
// Watching the phone-link calls where they all pass (TGBPLibrary): one record per call that
// reached the library, handed to the observer in force. Without an observer a call costs one
// atomic load more; with one, calls may come from any thread, so observers must be
// thread-safe. Qt Core only.

#include <QList>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <mutex>

enum class TGBPEntry;

// One call of the phone-link library, as the phone saw it.
struct TLinkCall {
  TGBPEntry Entry;
  int Port = 0;     // InitGBPMode's argument
  int Section = 0;  // the low bytes passed, for the file operations
  int SubSection = 0;
  quint32 Length = 0;     // the buffer's length, for ReadNVMFile and WriteNVMFile
  int Result = 0;         // what the library returned, unchanged
  qint64 Bytes = 0;       // bytes moved: brought by a read, handed over by an accepted write
  qint64 StartedMs = 0;   // wall-clock time of the call, ms since the epoch
  qint64 DurationNs = 0;  // how long the library took
};

class TLinkObserver {
 public:
  virtual ~TLinkObserver() = default;
  // Called on the thread that made the call, after it returned; must not call the link.
  virtual void LinkCalled(const TLinkCall& call) = 0;
};

// Installs the observer for every phone-link library of the process (nullptr: none). Once it
// returns, the previous observer is not called any more and may be destroyed.
void SetLinkObserver(TLinkObserver* observer);
// Removes the observer if it is the one installed.
void RemoveLinkObserver(TLinkObserver* observer);
// Whether an observer is installed: the one check a call pays when none is.
bool LinkObserved();
// Hands the call to the observer installed, if any.
void NotifyLinkCall(const TLinkCall& call);

// Collects the calls in a buffer guarded by a mutex, for a window to take on its own thread.
class TLinkCallCollector final : public TLinkObserver {
 public:
  // afterCall, when given, runs on the calling thread after each call is collected (a window
  // on that thread can show it at once while a command holds the event loop).
  explicit TLinkCallCollector(std::function<void()> afterCall = {});
  ~TLinkCallCollector() override;  // stops collecting
  TLinkCallCollector(const TLinkCallCollector&) = delete;
  TLinkCallCollector& operator=(const TLinkCallCollector&) = delete;

  // Installs this collector as the observer, or removes it (calls made meanwhile are lost).
  void Start();
  void Stop();
  bool Collecting() const;
  // The calls collected since the last time, oldest first.
  QList<TLinkCall> Take();

  void LinkCalled(const TLinkCall& call) override;

 private:
  mutable std::mutex mutex_;
  QList<TLinkCall> calls_;
  bool collecting_ = false;
  const std::function<void()> afterCall_;
};

// The texts of the phone log: "ReadNVMFile(18,9,128)", "InitGBPMode(1)".
QString LinkCallText(const TLinkCall& call);
// What the result means: "link open", "holds nothing", "128 bytes read", an init code's text.
QString LinkResultMeaning(const TLinkCall& call);
// One line of the log: time, call, result and meaning, bytes moved, duration.
QString LinkLogLine(const TLinkCall& call);
