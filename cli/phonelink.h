#pragma once
// kivnvm's phone port: the phone-link library loaded for one command, its link opened by
// the operations and closed by them on every path.

#include <QString>
#include <memory>

#include "cli/options.h"
#include "link/gbplibrary.h"
#include "link/phoneport.h"

class TPhoneLink final : public TPhonePort {
 public:
  // Every command's link, made from its options alone: the port with where it came from
  // ("from --port", for the message of a link that does not open) and the library as the
  // options, else the settings file, chose it. There is no other way to make one, so no
  // command can fall back on a library nobody chose.
  explicit TPhoneLink(const TPhoneOptions& options);
  ~TPhoneLink() override;
  TPhoneLink(const TPhoneLink&) = delete;
  TPhoneLink& operator=(const TPhoneLink&) = delete;

  // Why the link did not open, after Open failed: "Unable to open GPB.DLL" with the file
  // tried and the reason on a line of its own, the link host's failure, or the port's error
  // with the port and its origin: "GBP Error: Can't open port! (COM2, from --port)".
  QString OpenError() const { return openError_; }
  TGBPLibrary& Library() { return *library_; }

  bool Open() override;
  void Close() override;
  int GetSize(const TSectionAddress& address) override;
  int Read(const TSectionAddress& address, void* buffer, quint32 length) override;
  int Write(const TSectionAddress& address, const void* data, quint32 length) override;
  int Clear(const TSectionAddress& address) override;
  QString LinkLost() const override { return library_->LinkLost(); }

 private:
  // A failure of the link host is told on stderr as it happens.
  int Told(const TLinkStatus& status);
  // What a link that did not open tells.
  QString OpenErrorText(const TLinkStatus& status) const;

  std::unique_ptr<TGBPLibrary> library_;
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
