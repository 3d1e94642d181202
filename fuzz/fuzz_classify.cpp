// Classification of any section: only the first 128 bytes count, the result is one of the
// four kinds, and nothing outside the bytes given is read.
//
// Input: the four-byte size the phone reports, then the bytes read.

#include <cstddef>
#include <cstdint>

#include "catalogue/classify.h"
#include "common/bytes.h"
#include "fuzz/property.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
  const qint32 sectionSize = qint32(WordAt(input, 0));
  const QByteArray bytesRead = input.mid(4);

  TSlotInfo before;
  before.FormatTag = 0xDEADBEEF;
  before.UnpackedSize = 1234;
  const TSlotInfo after = ClassifySection(before, sectionSize, bytesRead);
  Require(after.Kind == skEmpty || after.Kind == skProgram || after.Kind == skGIF ||
              after.Kind == skOther,
          "a known kind");
  Require(after.Size == sectionSize, "the size as reported");
  Require(after.Compressed == 0 || after.Compressed == 1, "compressed is a flag");
  Require(ClassifySection(before, sectionSize, bytesRead.left(RecognitionBytes)) == after,
          "bytes past 128 do not count");
  Require(ClassifySection(before, sectionSize, bytesRead) == after, "the same answer twice");
  return 0;
}
