// Classification of any section: only the first 128 bytes count, the result is one of the
// four kinds, and nothing outside the bytes given is read. The finer kind agrees with it,
// and the details of the bytes (as a slot and as the preferences record) name only fields
// whose place in the hex view lies within its lines.
//
// Input: the four-byte size the phone reports, then the bytes read.

#include <cstddef>
#include <cstdint>

#include "catalogue/classify.h"
#include "common/bytes.h"
#include "details/slotdetails.h"
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

  const TContentKind content = ContentKindOf(bytesRead);
  const bool program =
      content == TContentKind::UFIFProgram || content == TContentKind::ElfProgram ||
      content == TContentKind::PRG3Program || content == TContentKind::PRG35Program;
  Require(!program || after.Kind == skProgram, "a program content is a program row");
  Require((content == TContentKind::GIFPicture) == (after.Kind == skGIF),
          "GIF content is a GIF row");

  const qint64 lines = (bytesRead.size() + HexBytesPerLine - 1) / HexBytesPerLine;
  Require(HexDumpLines(bytesRead).size() == lines, "one hex line per 16 bytes");
  for (const TSectionAddress address : {TSectionAddress{18, 9}, TSectionAddress{2, 18}}) {
    const TSlotDetails details = DescribeSection(address, bytesRead, before);
    Require(details.Info.Kind == after.Kind, "the catalogue's kind");
    for (const TDetailGroup& group : details.Groups)
      for (const TDetailField& field : group.Fields) {
        Require(field.Length >= 0, "a field has a length");
        for (const THexSpan& span : HexSpans(field.Offset, field.Length, bytesRead.size()))
          Require(span.Line >= 0 && span.Line < lines && span.HexFrom < span.HexTo &&
                      span.AsciiFrom < span.AsciiTo,
                  "a field's span lies within the hex view");
      }
  }
  return 0;
}
