#pragma once
// The phone as every operation sees it: a link that is opened for one operation and
// closed after it, and the four file operations on an addressed section. The window's
// TNVMSection and kivnvm's library port implement it; tests add an in-memory one.

#include <QString>
#include <QtGlobal>

#include "common/sectionaddress.h"

class TPhonePort {
 public:
  virtual ~TPhonePort() = default;

  // True when the link is open afterwards; a port that cannot open it has told the user why.
  // On an open link it returns true and changes nothing.
  virtual bool Open() = 0;
  virtual void Close() = 0;

  // The phone-link library's results, unchanged: negative on failure. A Read count larger
  // than length is a lie of the library: at most length bytes are in the buffer.
  virtual int GetSize(const TSectionAddress& address) = 0;
  virtual int Read(const TSectionAddress& address, void* buffer, quint32 length) = 0;
  virtual int Write(const TSectionAddress& address, const void* data, quint32 length) = 0;
  virtual int Clear(const TSectionAddress& address) = 0;

  // Why the open link was lost (the phone-link library stopped or did not answer, the port
  // went away), or empty while it holds. Work over many sections ends where it was lost.
  virtual QString LinkLost() const { return QString(); }
};

// Holds the link open for one operation and closes it on every path out, exceptions
// included, so the phone is never left in link mode.
class TLinkSession {
 public:
  explicit TLinkSession(TPhonePort& port) : port_(port), open_(port.Open()) {}
  ~TLinkSession() {
    if (open_)
      port_.Close();
  }
  TLinkSession(const TLinkSession&) = delete;
  TLinkSession& operator=(const TLinkSession&) = delete;

  bool IsOpen() const { return open_; }
  // Closes the link before the session ends, where the user is shown something after it.
  void Close() {
    if (open_)
      port_.Close();
    open_ = false;
  }

 private:
  TPhonePort& port_;
  bool open_;
};
