#include "app/slotranges.h"

namespace {
TSlotRanges slotRanges;
}  // namespace

TSlotRanges CurrentSlotRanges() {
  return slotRanges;
}

void SetCurrentSlotRanges(const TSlotRanges& ranges) {
  slotRanges = ranges;
}
