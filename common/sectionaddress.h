#pragma once
// A section of the phone's NVM by its two numbers, as the link, the operations and the
// user's texts name it ("18-9").

#include <QString>
#include <optional>

struct TSectionAddress {
  int Section = 0;
  int SubSection = 0;
  // "18-9": both numbers in decimal.
  QString Text() const;
  friend bool operator==(const TSectionAddress& a, const TSectionAddress& b) {
    return a.Section == b.Section && a.SubSection == b.SubSection;
  }
};

// The phone link takes each number of an address as one byte.
constexpr int MaxAddressNumber = 255;

// "18-9", "18-09", "02-10": section and subsection in decimal, each at most MaxAddressNumber;
// nothing for any other text.
std::optional<TSectionAddress> ParseSectionAddress(const QString& text);
