#pragma once
// kivnvm's phone port: the phone-link library loaded for one command, its link opened by
// the operations and closed by them on every path.

#include <QString>

#include "link/gbplibrary.h"
#include "link/linkchoice.h"
#include "link/phoneport.h"

class TPhoneLink final : public TPhonePort {
 public:
  // port: 1 = COM1 ... 4 = COM4; portOrigin says where it came from ("from --port"), for
  // the message of a link that does not open.
  TPhoneLink(int port, const QString& portOrigin, const TLinkChoice& choice = TLinkChoice());
  ~TPhoneLink() override;
  TPhoneLink(const TPhoneLink&) = delete;
  TPhoneLink& operator=(const TPhoneLink&) = delete;

  // Why the link did not open, after Open failed: "Unable to open GPB.DLL" with the file
  // tried and the reason on a line of its own, the link host's failure, or the port's error
  // with the port and its origin: "GBP Error: Can't open port! (COM2, from --port)".
  QString OpenError() const { return openError_; }
  TGBPLibrary& Library() { return library_; }

  bool Open() override;
  void Close() override;
  int GetSize(const TSectionAddress& address) override;
  int Read(const TSectionAddress& address, void* buffer, quint32 length) override;
  int Write(const TSectionAddress& address, const void* data, quint32 length) override;
  int Clear(const TSectionAddress& address) override;
  QString LinkLost() const override { return library_.LinkLost(); }

 private:
  // A failure of the link host is told on stderr as it happens.
  int Told(int result);
  // The failure with what the link host last wrote on its standard error on the next line.
  QString WithDetail(const QString& failure) const;

  TGBPLibrary library_;
  int port_;
  QString portOrigin_;
  QString openError_;
};

// Opens the link for a command that talks to the phone section by section, and ends the
// command with the link's error when it does not open.
class TCommandLink {
 public:
  explicit TCommandLink(TPhoneLink& link);
  TPhonePort& Port() { return link_; }

 private:
  TPhoneLink& link_;
  TLinkSession session_;
};
