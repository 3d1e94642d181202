// Relocation keeps the length and the first 20 bytes, changes only the words that its
// rules name, to the values they give, and reports only unchanged words of the old area.
//
// Input: a selector byte, then the image. Selectors below 7 pick a firmware table entry;
// others take the firmware text from the input up to the first line feed.

#include <cstddef>
#include <cstdint>

#include "common/bytes.h"
#include "common/errors.h"
#include "common/strtoint.h"
#include "fuzz/property.h"
#include "ufif/firmwares.h"
#include "ufif/relocation.h"

namespace {

constexpr quint32 OldBase = 0x36A658;
constexpr quint32 StubA = 0x4801B403;
constexpr quint32 StubB = 0x4809B407;

struct TCase {
  QString Firmware;
  QByteArray Image;
};

TCase CaseOf(const uint8_t* data, size_t size) {
  const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
  const int selector = input.isEmpty() ? 0 : quint8(input[0]);
  if (selector < FirmwareTable().size())
    return {FirmwareTable().at(selector), input.mid(1)};
  const qsizetype end = input.indexOf('\n');
  if (end < 0)
    return {QString::fromLatin1(input.mid(1)), QByteArray()};
  return {QString::fromLatin1(input.mid(1, end - 1)), input.mid(end + 1)};
}

bool IsDataWord(quint32 w) {
  return w == 0x36A97C || w == 0x36AA84 || w == 0x36AC74 || w == 0x36AE14 || w == 0x36AE18 ||
         w == 0x36AE1C;
}

bool InOldArea(quint32 w) {
  return w > OldBase && w < 0x370000;
}

// Whether the word at offset may change from 'before' to 'after' by one of the rules.
bool ChangeAllowed(const QByteArray& original, qint64 offset, quint32 after, quint32 base,
                   quint32 model) {
  const quint32 before = WordAt(original, offset);
  const auto relocated = [base](quint32 address) { return address - OldBase + base; };
  if (IsDataWord(before) && after == relocated(before))
    return true;
  if (before == 0x820000 && after == model)
    return true;
  if (!InOldArea(before))
    return false;
  const bool stubA = offset >= 28 && WordAt(original, offset - 8) == StubA;
  const quint32 remapped = before == 0x36A9D1 ? 0x36A9D5 : before;
  if (stubA && after == relocated(remapped))
    return true;
  const bool stubB = offset >= 44 && WordAt(original, offset - 24) == StubB;
  return stubB && after == relocated(before);
}

void CheckReport(const QByteArray& original, const QByteArray& image, const QStringList& report) {
  qint64 previous = -1;
  for (const QString& line : report) {
    const QStringList parts = line.split(QLatin1Char(';'));
    Require(parts.size() == 2, "report line has two parts");
    const qint64 offset = parts[0].mid(8).toLongLong();
    const quint32 value = parts[1].mid(14).toUInt();
    Require(BadAddressLine(offset, value) == line, "report line format");
    Require(offset > previous && offset >= 20 && offset % 4 == 0, "report offsets ascend");
    Require(value > 0x36A630 && value < 0x370000, "reported value in the old area");
    Require(WordAt(original, offset) == value, "reported value is the word there");
    Require(WordAt(image, offset) == value, "reported words stay unchanged");
    previous = offset;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TCase input = CaseOf(data, size);
  const QByteArray original = input.Image;
  QByteArray image = original;
  QStringList report;
  try {
    report = RelocateUFIF20(image, input.Firmware);
  } catch (const EConvertError&) {
    Require(image == original, "a bad base changes nothing");
    return 0;
  }
  Require(image.size() == original.size(), "length kept");
  Require(image.left(20) == original.left(20), "first 20 bytes kept");
  const qint64 wholeWords = original.size() / 4 * 4;
  Require(image.mid(wholeWords) == original.mid(wholeWords), "partial last word kept");

  const TFirmwareChoice choice = ParseFirmwareText(input.Firmware);
  const quint32 base = quint32(StrToInt(choice.AddressText));
  for (qint64 offset = 20; offset < wholeWords; offset += 4) {
    const quint32 after = WordAt(image, offset);
    if (after != WordAt(original, offset))
      Require(ChangeAllowed(original, offset, after, base, choice.ModelWord), "allowed change");
  }
  CheckReport(original, image, report);
  return 0;
}
