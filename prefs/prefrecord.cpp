#include "prefs/prefrecord.h"

#include <iterator>

#include "common/bytes.h"
#include "common/strtoint.h"

namespace {

constexpr quint8 MenuModes[] = {3, 7, 255};
constexpr int MenuModeOffset = 4;
constexpr int LibrarySubSectionOffset = 6;
constexpr int LibrarySectionOffset = 7;
constexpr int AutorunSubSectionOffset = 8;
constexpr int AutorunSectionOffset = 9;
constexpr int ReservedOffset = 10;
constexpr quint8 ShowAllMode = 255;

int SignedByteAt(const QByteArray& bytes, int offset) {
  return qint8(ByteAt(bytes, offset));
}

// A byte of the last record read, when that read reached it.
quint8 PreviousByte(const QByteArray& lastRead, int offset, quint8 fallback) {
  return offset < lastRead.size() ? ByteAt(lastRead, offset) : fallback;
}

char LowByte(const QString& text) {
  return char(StrToInt(text) & 0xFF);
}

}  // namespace

std::optional<int> MenuIndexOfMode(quint8 mode) {
  for (int index = 0; index < int(std::size(MenuModes)); ++index)
    if (MenuModes[index] == mode)
      return index;
  return std::nullopt;
}

quint8 MenuModeOfIndex(int index) {
  return (index >= 0 && index < int(std::size(MenuModes))) ? MenuModes[index] : ShowAllMode;
}

TPrefReading DecodePrefRecord(const QByteArray& bytes) {
  const QByteArray record = bytes.left(PrefRecordSize);
  TPrefReading reading;
  reading.MenuIndex = MenuIndexOfMode(ByteAt(record, MenuModeOffset));
  if (ByteAt(record, LibrarySectionOffset) != 0) {
    reading.LibrarySection = SignedByteAt(record, LibrarySectionOffset);
    reading.LibrarySubSection = SignedByteAt(record, LibrarySubSectionOffset);
  }
  reading.AutorunEnabled =
      record.size() == PrefRecordSize && ByteAt(record, AutorunSubSectionOffset) != 0;
  if (reading.AutorunEnabled) {
    reading.AutorunSection = SignedByteAt(record, AutorunSectionOffset);
    reading.AutorunSubSection = SignedByteAt(record, AutorunSubSectionOffset);
  }
  return reading;
}

QByteArray EncodePrefRecord(const TPrefEntries& entries, const QByteArray& lastRead) {
  QByteArray record(PrefRecordSize, '\0');
  record.replace(0, 4, "Kiv2");
  record[MenuModeOffset] =
      char(entries.MenuIndex ? MenuModeOfIndex(*entries.MenuIndex)
                             : PreviousByte(lastRead, MenuModeOffset, ShowAllMode));
  record[LibrarySectionOffset] = LowByte(entries.LibrarySection);
  record[LibrarySubSectionOffset] = LowByte(entries.LibrarySubSection);
  if (entries.AutorunEnabled) {
    record[AutorunSectionOffset] = LowByte(entries.AutorunSection);
    record[AutorunSubSectionOffset] = LowByte(entries.AutorunSubSection);
  }
  for (int offset = ReservedOffset; offset < PrefRecordSize; ++offset)
    record[offset] = char(PreviousByte(lastRead, offset, 0));
  return record;
}
