#pragma once
// Where the phone-link library's calls run. The window runs them on a thread of their own
// so that it stays alive while the phone works; without an executor they run in place.

#include <QString>
#include <functional>

class TLinkExecutor {
 public:
  virtual ~TLinkExecutor() = default;
  // Runs the call and returns once it has finished.
  virtual void Run(const std::function<void()>& call) = 0;
  // What the calls run from now on do, for a status line that tells it when one takes long;
  // empty: the phone's work.
  virtual void Describe(const QString& what) { (void)what; }
};

// Describes the calls run while it lives.
class TLinkWork {
 public:
  TLinkWork(TLinkExecutor* executor, const QString& what) : executor_(executor) {
    if (executor_)
      executor_->Describe(what);
  }
  ~TLinkWork() {
    if (executor_)
      executor_->Describe(QString());
  }
  TLinkWork(const TLinkWork&) = delete;
  TLinkWork& operator=(const TLinkWork&) = delete;

 private:
  TLinkExecutor* executor_;
};
