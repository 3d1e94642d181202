#pragma once
// How long a single transfer with the phone has been running, on stderr. The phone-link
// library tells nothing within one call, so this shows time, never a made-up percentage:
// "reading 18-9: 3 s", then "read 18-9: 8000 bytes in 3.2 s". Shown from the start with
// --progress; on a terminal, for any transfer that takes longer than a second.

#include <QString>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

class TTransferClock {
 public:
  enum TWhen { Never, AfterASecond, Always };
  // what: "reading 18-9"; done: "read 18-9".
  TTransferClock(TWhen when, const QString& what, const QString& done);
  // Tells the end of the transfer with the bytes moved, where anything was shown.
  ~TTransferClock();
  TTransferClock(const TTransferClock&) = delete;
  TTransferClock& operator=(const TTransferClock&) = delete;

  void SetBytes(qint64 bytes) { bytes_ = bytes; }

  // --progress forces it; a terminal shows long transfers without being asked.
  static TWhen WhenFor(bool progressOption);

 private:
  void Tick();
  double Seconds() const;

  TWhen when_;
  QString what_;
  QString done_;
  qint64 bytes_ = -1;
  bool terminal_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point start_;
  std::mutex lock_;
  std::condition_variable stop_;
  bool stopping_ = false;
  std::thread ticker_;
};
