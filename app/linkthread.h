#pragma once
// The window's link thread: every phone-link call of the run goes to this one thread, one
// after another. The user-interface thread waits for each call in an event loop of its
// own, so the window keeps painting, moving and resizing while the phone works, and it
// learns how long a call has been running.

#include <QObject>
#include <QThread>
#include <functional>

#include "link/linkexecutor.h"

class TLinkThread final : public QObject, public TLinkExecutor {
  Q_OBJECT
 public:
  explicit TLinkThread(QObject* parent = nullptr);
  ~TLinkThread() override;  // after the call under way, if any, has finished

  void Run(const std::function<void()>& call) override;
  void Describe(const QString& what) override { what_ = what; }
  // From now on the user-interface thread waits for each call without handling events: for
  // the last calls made while the window is being destroyed.
  void StopServingEvents() { serveEvents_ = false; }

 signals:
  // Every 100 ms while a call runs: how long the phone has been at it, and what it does when
  // that is more than the phone's work ("Starting the link host").
  void CallRunningFor(qint64 milliseconds, const QString& what);
  // The call has returned: what was said of its running is stale now.
  void CallFinished();

 private:
  QThread thread_;
  QObject* worker_;  // lives on the link thread, deleted when it ends
  bool serveEvents_ = true;
  QString what_;
};
