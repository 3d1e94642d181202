#pragma once
// The LZO container that the compressed upload writes:
//   0 magic "LZO\0" | 4 name[16] | 20 format word | 24 unpacked length | 28 icon code |
//   32 LZO1X stream | optional trailer block (offset word, then 7F 41 5A 53), copied whole.

#include <QByteArray>
#include <QString>

constexpr quint32 LZOMagic = 0x004F5A4C;
constexpr quint32 TrailerMagic = 0x535A417F;
constexpr int LZOHeaderSize = 32;
// The container ends in the offset of its trailer and the trailer's magic.
constexpr int TrailerTailSize = 8;
// Header fields: the name is the UFIF header's 16-byte name field, copied unchanged.
constexpr int LZONameAt = 4;
constexpr int LZOFormatAt = 20;
constexpr int LZOUnpackedAt = 24;
constexpr int LZOIconAt = 28;

// True when the data is a plain UFIF program (top byte 0x20, not ELF), the one kind for
// which the user picks the container's icon code.
bool NeedsIconChoice(const QByteArray& data);

// The container for data; iconCode is the user's choice for a plain UFIF program (ignored
// otherwise). Empty when it cannot be built.
QByteArray BuildLZOContainer(const QByteArray& data, quint32 iconCode);

// What unpacking a container gave: the original file, or why there is none.
struct TUnpacked {
  QByteArray Original;
  QString Problem;  // what is damaged, in words
  bool Ok() const { return Problem.isEmpty(); }
};
TUnpacked UnpackLZOContainer(const QByteArray& container);
