#pragma once
// Grid rows and section addresses: the big slots in section 18, the small slots in section 2.

#include <QList>
#include <QString>

#include "common/sectionaddress.h"

struct TSlotRanges {
  int FirstBig = 9;
  int BigSlots = 21;
  int FirstSmall = 10;
  int SmallSlots = 5;
};

constexpr int BigSlotSection = 18;
constexpr int SmallSlotSection = 2;

// The modification's own records beside the slots: the PRG3 library, the preferences
// record, and where the library lives when the record names no place for it. A backup
// takes all three.
constexpr int PRG3LibrarySection = 2;
constexpr int PRG3LibrarySubSection = 16;
constexpr int DefaultLibrarySection = 2;
constexpr int DefaultLibrarySubSection = 17;
constexpr int PrefSection = 2;
constexpr int PrefSubSection = 18;

// Each count bounded to 0..99 and their total to 99, so no record outside the table is used.
TSlotRanges BoundedRanges(TSlotRanges ranges);

TSectionAddress SlotAddress(int row, const TSlotRanges& ranges);
// Every slot's section: big slots in subsection order, then the small slots.
QList<TSectionAddress> SlotAddresses(const TSlotRanges& ranges);
// 0 for any address outside the two ranges (record 0 is the scratch record).
int SlotRow(int section, int subsection, const TSlotRanges& ranges);
bool IsSmallSlotRow(int row, const TSlotRanges& ranges);
constexpr int SmallSlotLimit = 2048;
constexpr int BigSlotLimit = 65536;
// Bytes a slot takes: SmallSlotLimit for a small slot, BigSlotLimit for a big one.
int SlotLimit(int row, const TSlotRanges& ranges);
