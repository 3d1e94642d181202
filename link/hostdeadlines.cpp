// How long the link host's calls may take, and how long they should.

#include <algorithm>
#include <cmath>

#include "common/texts.h"
#include "link/hostprocess.h"

namespace {

constexpr qint64 kBaseDeadlineMs = 15000;
constexpr quint64 kSlowestBaud = 2400;
constexpr qint64 kExpectedBaseMs = 2000;
constexpr quint64 kExpectedBaud = 9600;
constexpr quint64 kBitsPerByte = 10;

}  // namespace

qint64 LinkDeadlineMs(quint64 bytes, double factor) {
  const double ms =
      double(kBaseDeadlineMs) + double(bytes) * kBitsPerByte * 1000.0 / double(kSlowestBaud);
  return std::max<qint64>(1, qint64(std::llround(ms * factor)));
}

qint64 StartDeadlineMs(const THostLaunch& launch, double factor) {
  return LinkDeadlineMs(0, factor) + std::llround(double(launch.SlowStartMs) * factor) +
         launch.ExtraStartMs;
}

qint64 ExpectedCallMs(quint64 bytes, double factor) {
  const double ms =
      double(kExpectedBaseMs) + double(bytes) * kBitsPerByte * 1000.0 / double(kExpectedBaud);
  return std::max<qint64>(1, qint64(std::llround(ms * factor)));
}

QString DeadlineText(qint64 milliseconds) {
  //: A time in seconds: "16 s", "0.15 s".
  const QString seconds = TLinkText::tr("%1 s");
  if (milliseconds >= 10000)
    return seconds.arg((milliseconds + 500) / 1000);
  return seconds.arg(double(milliseconds) / 1000.0, 0, 'g', 2);
}
