// The PRG3 library text: lines never hold a line break, the image is whole words in line
// order, at most 512 of them, and only a release line can end the conversion with an error.

#include <cstddef>
#include <cstdint>

#include "common/errors.h"
#include "fuzz/property.h"
#include "libraries/prg3text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
  const QStringList lines = SplitTextLines(text);
  for (const QString& line : lines)
    Require(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')),
            "no line break inside a line");
  Require(lines.size() <= text.count('\r') + text.count('\n') + 1, "no more lines than breaks");

  const bool hasRelease = !lines.filter(QStringLiteral("RELEASE=")).isEmpty();
  try {
    const TPRG3Image image = PRG3ImageFromLines(lines);
    Require(image.Image.size() % 4 == 0, "whole words");
    Require(image.Image.size() / 4 <= lines.size(), "at most one word a line");
    Require(image.Image.size() <= PRG3MaxWords * 4, "at most 512 words");
    Require(!image.TooBig || lines.size() > PRG3MaxWords, "too big only past 512 lines");
    Require(!image.TooBig || image.Image.isEmpty(), "nothing to write when too big");
  } catch (const EConvertError&) {
    Require(hasRelease, "only a release line is refused");
  }
  return 0;
}
