#include "ufif/ufifheader.h"

#include "common/bytes.h"

namespace {

bool IsElf(const QByteArray& image) {
  return WordAt(image, 0) == ElfMagic;
}

// H for either container: the ELF rule, or 0 for a plain image.
quint32 HeaderOffsetOf(const QByteArray& image) {
  return IsElf(image) ? UFIFHeaderOffset(image) : 0;
}

void SetByteAt(QByteArray& image, qint64 offset, char value) {
  if (offset >= 0 && offset < image.size())
    image[offset] = value;
}

}  // namespace

quint32 UFIFHeaderOffset(const QByteArray& image) {
  const quint32 phoff = WordAt(image, ElfPhoffAt);
  return phoff <= MaxProgramHeaderOffset ? WordAt(image, qint64(phoff) + 4) : 0;
}

bool IsUFIF20(const QByteArray& image) {
  if (WordAt(image, 0) == UFIF20Tag)
    return true;
  return IsElf(image) && WordAt(image, UFIFHeaderOffset(image)) == UFIF20Tag;
}

void MarkAsUFIF21(QByteArray& image) {
  if (WordAt(image, 0) == UFIF20Tag)
    SetByteAt(image, 2, 0x01);
  else if (IsElf(image))
    SetByteAt(image, qint64(UFIFHeaderOffset(image)) + 2, 0x01);
}

TUFIFHeader ReadUFIFHeader(const QByteArray& image) {
  TUFIFHeader header;
  header.Offset = HeaderOffsetOf(image);
  const qint64 at = header.Offset;
  header.FormatTag = WordAt(image, at);
  header.Name = QByteArray(UFIFNameSize, '\0');
  for (int i = 0; i < UFIFNameSize; ++i)
    header.Name[i] = char(ByteAt(image, at + UFIFNameAt + i));
  header.IconWordA = WordAt(image, at + UFIFIconWordAAt);
  header.IconWordB = WordAt(image, at + UFIFIconWordBAt);
  return header;
}

QByteArray NameFieldText(const QByteArray& data, qint64 offset) {
  QByteArray text;
  for (int i = 0; i < UFIFNameSize; ++i) {
    const qint64 at = offset + i;
    if (at < 0 || at >= data.size() || data[at] == '\0')
      break;
    text.append(data[at]);
  }
  return text;
}
