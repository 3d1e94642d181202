#pragma once
// A pseudo-terminal standing for the cable, for the library under Wine that opens its other
// end as COMn. Answering, it says "OK" to "AT" and the size it was given to "SIZE s-ss";
// silent, it takes what comes and says nothing. One that echoes says each line back before
// its answer, as a modem does until told ATE0. What it received is kept.

#include <QByteArray>
#include <QString>
#include <atomic>
#include <mutex>
#include <thread>

class TPtyPhone {
 public:
  explicit TPtyPhone(bool answers, int size = 12, bool echoes = false);
  ~TPtyPhone();
  TPtyPhone(const TPtyPhone&) = delete;
  TPtyPhone& operator=(const TPtyPhone&) = delete;

  QString Device() const { return device_; }
  QByteArray Received() const;

 private:
  void Serve();
  void Answer(const QByteArray& line);

  bool answers_;
  int size_;
  bool echoes_;
  int master_ = -1;
  int slave_ = -1;  // held open, so the master never reads a hang-up between two openings
  QString device_;
  std::atomic<bool> stop_{false};
  mutable std::mutex lock_;
  QByteArray received_;
  QByteArray pending_;
  std::thread thread_;
};
