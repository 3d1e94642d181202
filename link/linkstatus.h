#pragma once
// How a call of the phone-link library went, as the link tells it: one value with the
// library's result code, the call, and when it failed beyond that code, the reason and its
// words.

#include <QString>

#include "link/gbp.h"

// The six exports, in the order they are resolved.
enum class TGBPEntry {
  InitGBPMode,
  EndGBPMode,
  ReadNVMFile,
  WriteNVMFile,
  ClearNVMFile,
  GetNVMFileSize
};

// What more than the result code tells why a call failed.
enum class TLinkReason {
  None,       // the result code says it all (0, or a count, when the call worked)
  System,     // the library left the system's reason (errno) as the port did not open
  Device,     // the device named for the port failed its checks, or could not be mapped
  NotUsable,  // the library is not usable: Why is the library's LoadProblem
  Host,       // the link host failed: the open link is lost
};

struct TLinkStatus {
  int Code = 0;  // the library's result; -2 or -4 for it when the library was not reached
  TGBPEntry Call = TGBPEntry::InitGBPMode;
  TLinkReason Reason = TLinkReason::None;
  QString Why;     // the reason in words: the system's, the device's with what to do, ...
  QString Detail;  // for Host: what the link host last wrote on its standard error
  bool HostFailed() const { return Reason == TLinkReason::Host; }
};

// The port cannot be opened, because of the device behind it: why, and what to do.
inline TLinkStatus DeviceFailure(const QString& why) {
  return TLinkStatus{GBPCantOpenPort, TGBPEntry::InitGBPMode, TLinkReason::Device, why, {}};
}
