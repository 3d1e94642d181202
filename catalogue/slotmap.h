#pragma once
// Grid rows and section addresses: the big slots in section 18, the small slots in section 2.

#include <QList>
#include <QString>

struct TSlotRanges {
  int FirstBig = 9;
  int BigSlots = 21;
  int FirstSmall = 10;
  int SmallSlots = 5;
};

struct TSectionAddress {
  int Section = 0;
  int SubSection = 0;
  // "18-9": both numbers in decimal.
  QString Text() const;
  friend bool operator==(const TSectionAddress& a, const TSectionAddress& b) {
    return a.Section == b.Section && a.SubSection == b.SubSection;
  }
};

constexpr int BigSlotSection = 18;
constexpr int SmallSlotSection = 2;
// The phone link takes each number of an address as one byte.
constexpr int MaxAddressNumber = 255;

// Each count bounded to 0..99 and their total to 99, so no record outside the table is used.
TSlotRanges BoundedRanges(TSlotRanges ranges);

TSectionAddress SlotAddress(int row, const TSlotRanges& ranges);
// Every slot's section: big slots in subsection order, then the small slots.
QList<TSectionAddress> SlotAddresses(const TSlotRanges& ranges);
// 0 for any address outside the two ranges (record 0 is the scratch record).
int SlotRow(int section, int subsection, const TSlotRanges& ranges);
bool IsSmallSlotRow(int row, const TSlotRanges& ranges);
// Bytes a slot takes: 2,048 for a small slot, 65,536 for a big one.
int SlotLimit(int row, const TSlotRanges& ranges);

// "18-9", "18-09", "02-10": section and subsection in decimal, each at most MaxAddressNumber;
// false for any other text.
bool ParseSectionAddress(const QString& text, TSectionAddress& address);
