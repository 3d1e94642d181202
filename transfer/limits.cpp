#include "transfer/limits.h"

#include "common/bytes.h"

namespace {
constexpr quint8 NopLow = 0xC0;
constexpr quint8 NopHigh = 0x46;
}  // namespace

int TrimTrailingNops(const QByteArray& data, int length) {
  // Bytes past the data read as zero, so a length beyond the data is never trimmed.
  while (length >= 2 && ByteAt(data, length - 2) == NopLow && ByteAt(data, length - 1) == NopHigh)
    length -= 2;
  return length;
}
