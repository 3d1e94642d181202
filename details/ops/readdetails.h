#pragma once
// The Details command's phone work: the section read whole, in a link of its own, and
// described by the catalogue's rules.

#include <QString>

#include "details/slotdetails.h"

class TPhonePort;
class TReporter;

struct TDetailsRead {
  enum TState {
    NoLink,      // the link did not open; the link told why
    ReadFailed,  // the section could not be read whole: Problem was told
    Read,
  };
  TState State = NoLink;
  TSlotDetails Details;
  QString Problem;
  bool Ok() const { return State == Read; }
};

// The section read whole and described, in a link of its own.
TDetailsRead ReadSlotDetails(TPhonePort& port, const TSectionAddress& address,
                             const TSlotInfo& before, TReporter& reporter);
