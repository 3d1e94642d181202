#include "ufif/lzocontainer.h"

#include <lzo/lzo1x.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "common/bytes.h"
#include "common/texts.h"
#include "ufif/icons.h"
#include "ufif/ufifheader.h"

namespace {

constexpr qint32 MaxUnpackedLength = 16 * 1024 * 1024;

struct THeaderValues {
  QByteArray Name = QByteArray(UFIFNameSize, '\0');
  quint32 FormatWord = 0;
  quint32 IconCode = DefaultIconCode;
};

// A program's header fields (bytes missing from a short file count as zero); zeros and the
// default icon for any other data. An ELF program brings its own icon code.
THeaderValues HeaderValues(const QByteArray& data, quint32 iconCode) {
  THeaderValues values;
  const bool elf = WordAt(data, 0) == ElfMagic;
  if (!elf && !NeedsIconChoice(data))
    return values;
  const TUFIFHeader header = ReadUFIFHeader(data);
  values.Name = header.Name;
  values.FormatWord = header.FormatTag;
  values.IconCode = elf ? header.IconWordA : iconCode;
  return values;
}

// Length of the trailer block at the end of data; 0 when there is none. An offset word
// that points past its own position is malformed, and the data is then taken whole.
qsizetype TrailerLength(const QByteArray& data) {
  const qsizetype n = data.size();
  if (n < TrailerTailSize || WordAt(data, n - 4) != TrailerMagic)
    return 0;
  const quint32 offset = WordAt(data, n - TrailerTailSize);
  return offset <= quint64(n - TrailerTailSize) ? n - qsizetype(offset) : 0;
}

// LZO's bound for incompressible input.
qsizetype WorstCaseStream(qsizetype length) {
  return length + length / 16 + 64 + 3;
}

using TWorkMemory = std::unique_ptr<void, decltype(&std::free)>;

// Compresses source into target (room for the worst case); the stream's length, or -1.
qsizetype CompressLZO1X999(const char* source, qsizetype length, char* target) {
  if (lzo_init() != LZO_E_OK)
    return -1;
  const TWorkMemory work(std::malloc(LZO1X_999_MEM_COMPRESS), &std::free);
  if (!work)
    return -1;
  lzo_uint streamLength = 0;
  const int result =
      lzo1x_999_compress(reinterpret_cast<const lzo_bytep>(source), lzo_uint(length),
                         reinterpret_cast<lzo_bytep>(target), &streamLength, work.get());
  return result == LZO_E_OK ? qsizetype(streamLength) : -1;
}

void SetHeader(QByteArray& container, const THeaderValues& values, qsizetype unpackedLength) {
  SetWordAt(container, 0, LZOMagic);
  std::memcpy(container.data() + LZONameAt, values.Name.constData(), UFIFNameSize);
  SetWordAt(container, LZOFormatAt, values.FormatWord);
  SetWordAt(container, LZOUnpackedAt, quint32(unpackedLength));
  SetWordAt(container, LZOIconAt, values.IconCode);
}

// Where the parts of a container lie, or what is wrong with it.
struct TLayout {
  qint32 UnpackedLength = 0;
  qsizetype StreamEnd = 0;  // at the trailer block when there is one, else the end
  QString Problem;
};

TLayout NoLayout(const QString& problem) {
  return {0, 0, problem};
}

TLayout LayoutOf(const QByteArray& container) {
  const qsizetype n = container.size();
  if (n < LZOHeaderSize)
    return NoLayout(TUfifText::tr("The LZO container is too short: %1 bytes, the header "
                                  "alone takes %2")
                        .arg(n)
                        .arg(LZOHeaderSize));
  if (WordAt(container, 0) != LZOMagic)
    return NoLayout(TUfifText::tr("Not an LZO container: it does not begin with \"LZO\""));
  const qint32 unpackedLength = qint32(WordAt(container, LZOUnpackedAt));
  if (unpackedLength < 0 || unpackedLength > MaxUnpackedLength)
    return NoLayout(TUfifText::tr("The LZO container's unpacked length %1 is out of range")
                        .arg(unpackedLength));
  if (WordAt(container, n - 4) != TrailerMagic)
    return {unpackedLength, n, {}};
  const quint32 start = WordAt(container, n - TrailerTailSize);
  if (start < quint32(LZOHeaderSize) || start > quint64(n - TrailerTailSize))
    return NoLayout(TUfifText::tr("The LZO container's trailer block is damaged: it "
                                  "points to offset %1 of %2 bytes")
                        .arg(start)
                        .arg(n));
  return {unpackedLength, qsizetype(start), {}};
}

// Decompresses the stream into target, which must come out exactly targetLength bytes long;
// what went wrong, or nothing.
QString DecompressionProblem(const char* stream, qsizetype streamLength, char* target,
                             qsizetype targetLength) {
  lzo_uint produced = lzo_uint(targetLength);
  const int result =
      lzo1x_decompress_safe(reinterpret_cast<const lzo_bytep>(stream), lzo_uint(streamLength),
                            reinterpret_cast<lzo_bytep>(target), &produced, nullptr);
  if (result != LZO_E_OK || produced != lzo_uint(targetLength))
    return TUfifText::tr("The LZO container's compressed data is damaged");
  return {};
}

}  // namespace

bool NeedsIconChoice(const QByteArray& data) {
  // The ELF magic's top byte is 0x46, so an ELF file never counts as a plain program.
  return IsUFIFFamily(WordAt(data, 0));
}

QByteArray BuildLZOContainer(const QByteArray& data, quint32 iconCode) {
  const qsizetype trailer = TrailerLength(data);
  const qsizetype packed = data.size() - trailer;
  QByteArray container(LZOHeaderSize + WorstCaseStream(packed) + trailer, Qt::Uninitialized);
  const qsizetype stream =
      CompressLZO1X999(data.constData(), packed, container.data() + LZOHeaderSize);
  if (stream < 0)
    return QByteArray();
  const qsizetype trailerStart = LZOHeaderSize + stream;
  container.resize(trailerStart + trailer);
  SetHeader(container, HeaderValues(data, iconCode), packed);
  if (trailer > 0) {
    std::memcpy(container.data() + trailerStart, data.constData() + packed, trailer);
    SetWordAt(container, container.size() - TrailerTailSize, quint32(trailerStart));
  }
  return container;
}

TUnpacked UnpackLZOContainer(const QByteArray& container) {
  TUnpacked result;
  const TLayout layout = LayoutOf(container);
  result.Problem = layout.Problem;
  if (!result.Ok())
    return result;
  const qint32 unpackedLength = layout.UnpackedLength;
  const qsizetype streamEnd = layout.StreamEnd;
  const qsizetype trailer = container.size() - streamEnd;
  QByteArray original(unpackedLength + trailer, Qt::Uninitialized);
  result.Problem = DecompressionProblem(container.constData() + LZOHeaderSize,
                                        streamEnd - LZOHeaderSize, original.data(), unpackedLength);
  if (!result.Ok())
    return result;
  if (trailer > 0) {
    std::memcpy(original.data() + unpackedLength, container.constData() + streamEnd, trailer);
    SetWordAt(original, original.size() - TrailerTailSize, quint32(unpackedLength));
  }
  result.Original = original;
  return result;
}
