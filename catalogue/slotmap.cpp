#include "catalogue/slotmap.h"

#include <algorithm>

#include "catalogue/slotinfo.h"

namespace {

int BigRowOf(int subsection, const TSlotRanges& ranges) {
  const int row = subsection - ranges.FirstBig + 1;
  return (row >= 1 && row <= ranges.BigSlots) ? row : 0;
}

int SmallRowOf(int subsection, const TSlotRanges& ranges) {
  const int index = subsection - ranges.FirstSmall;
  return (index >= 0 && index < ranges.SmallSlots) ? ranges.BigSlots + 1 + index : 0;
}

}  // namespace

TSlotRanges BoundedRanges(TSlotRanges ranges) {
  ranges.BigSlots = std::clamp(ranges.BigSlots, 0, MaxSlotRows);
  ranges.SmallSlots = std::clamp(ranges.SmallSlots, 0, MaxSlotRows - ranges.BigSlots);
  return ranges;
}

TSectionAddress SlotAddress(int row, const TSlotRanges& ranges) {
  if (!IsSmallSlotRow(row, ranges))
    return {BigSlotSection, row + ranges.FirstBig - 1};
  return {SmallSlotSection, row - ranges.BigSlots - 1 + ranges.FirstSmall};
}

// Each section maps only into its own group of rows: a subsection just outside the big
// range must not land on a small slot's record, nor the other way round.
int SlotRow(int section, int subsection, const TSlotRanges& ranges) {
  if (section == BigSlotSection)
    return BigRowOf(subsection, ranges);
  if (section == SmallSlotSection)
    return SmallRowOf(subsection, ranges);
  return 0;
}

bool IsSmallSlotRow(int row, const TSlotRanges& ranges) {
  return row > ranges.BigSlots;
}

int SlotLimit(int row, const TSlotRanges& ranges) {
  return IsSmallSlotRow(row, ranges) ? SmallSlotLimit : BigSlotLimit;
}

QList<TSectionAddress> SlotAddresses(const TSlotRanges& ranges) {
  QList<TSectionAddress> addresses;
  for (int row = 1; row <= ranges.BigSlots + ranges.SmallSlots; ++row)
    addresses << SlotAddress(row, ranges);
  return addresses;
}
