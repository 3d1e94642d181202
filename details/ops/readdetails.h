#pragma once
// The Details command's phone work: the section read whole, in a link of its own, and
// described by the catalogue's rules.

#include <optional>

#include "details/slotdetails.h"

class TPhonePort;
class TReporter;

// Nothing when the link did not open or the section could not be read whole (the user has
// been told why).
std::optional<TSlotDetails> ReadSlotDetails(TPhonePort& port, const TSectionAddress& address,
                                            const TSlotInfo& before, TReporter& reporter);
