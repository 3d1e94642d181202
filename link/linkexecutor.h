#pragma once
// Where the phone-link library's calls run. The window runs them on a thread of their own
// so that it stays alive while the phone works; without an executor they run in place.

#include <functional>

class TLinkExecutor {
 public:
  virtual ~TLinkExecutor() = default;
  // Runs the call and returns once it has finished.
  virtual void Run(const std::function<void()>& call) = 0;
};
