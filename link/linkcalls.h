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
#include <vector>

#include "common/texts.h"

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
  QString Fault = {};     // how the link host failed the call, which then returned -4
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

// How many calls the phone log keeps: hours of ordinary work, a few hundred kilobytes.
constexpr int LinkCallsKept = 5000;

// Keeps the last calls in a ring guarded by a mutex, for a window to read on its own thread.
class TLinkCallCollector final : public TLinkObserver {
 public:
  // afterCall, when given, runs on the calling thread after each call is kept (a window on
  // that thread can show it at once while a command holds the event loop).
  explicit TLinkCallCollector(int capacity = LinkCallsKept, std::function<void()> afterCall = {});
  ~TLinkCallCollector() override;  // stops collecting
  TLinkCallCollector(const TLinkCallCollector&) = delete;
  TLinkCallCollector& operator=(const TLinkCallCollector&) = delete;

  // Installs this collector as the observer, or removes it (calls made meanwhile are lost).
  void Start();
  void Stop();
  bool Collecting() const;
  // Every call kept, oldest first.
  QList<TLinkCall> Calls() const;
  // The calls kept that came after mark (0: all of them), oldest first; mark moves past them.
  QList<TLinkCall> Since(quint64& mark) const;
  void Clear();

  void LinkCalled(const TLinkCall& call) override;

 private:
  QList<TLinkCall> KeptSince(quint64 mark) const;

  mutable std::mutex mutex_;
  std::vector<TLinkCall> ring_;
  quint64 collected_ = 0;  // calls kept since the start, the ring's write position included
  quint64 cleared_ = 0;    // collected_ when last cleared
  bool collecting_ = false;
  const std::function<void()> afterCall_;
};

// The texts of the phone log: "ReadNVMFile(18,9,128)", "InitGBPMode(1)".
QString LinkCallText(const TLinkCall& call);
// What the result means: "link open", "holds nothing", "128 bytes read", an init code's text;
// the link host's failure, when there was one (as the manager told it). In the user's language
// on the screen, in English in the log's saved file.
QString LinkResultMeaning(const TLinkCall& call, TWording wording = TWording::Shown);
// One line of the log: time, call, result and meaning, bytes moved, duration.
QString LinkLogLine(const TLinkCall& call, TWording wording = TWording::Shown);
