#pragma once
// The UFIF program header, plain (at byte 0) or inside an ELF file's first segment.

#include <QByteArray>
#include <QString>

constexpr quint32 ElfMagic = 0x464C457F;
constexpr quint32 UFIF20Tag = 0x20000000;
// PRG 3 and PRG 3.5 programs share the name field at byte 4; the catalogue records both
// PRG 3.5 variants (upper half 0x3500 or 0x3501) as 0x3500.
constexpr quint32 PRG3Tag = 0x30C0DE01;
constexpr quint32 PRG35Tag = 0x3500;

// The UFIF 2 family: a format word whose top byte is 0x20.
constexpr quint32 UFIFFamilyMask = 0xFF000000;
constexpr quint32 UFIFFamilyTag = 0x20000000;
constexpr bool IsUFIFFamily(quint32 formatWord) {
  return (formatWord & UFIFFamilyMask) == UFIFFamilyTag;
}

// Header fields, at offsets from the header's start H.
constexpr int UFIFNameAt = 4;
constexpr int UFIFNameSize = 16;
constexpr int UFIFIconWordAAt = 20;
constexpr int UFIFIconWordBAt = 24;
// The plain header ends here; the body (and the relocation scan) starts after it.
constexpr int UFIFPlainHeaderSize = 20;

// The ELF file's e_phoff, and the largest one whose program header the rule below reads: it
// keeps the first program header's p_offset inside the 128 bytes the catalogue reads.
constexpr qint64 ElfPhoffAt = 28;
constexpr quint32 MaxProgramHeaderOffset = 120;

// The ELF rule: p_offset of the first program header when e_phoff <= 120, else 0.
// Fields beyond the bytes held read as zero.
quint32 UFIFHeaderOffset(const QByteArray& image);
bool IsUFIF20(const QByteArray& image);
// Sets byte 2 (plain) or byte H+2 (ELF) to 0x01; never writes outside the image.
void MarkAsUFIF21(QByteArray& image);

// The header fields, read with missing bytes as zero.
struct TUFIFHeader {
  quint32 Offset = 0;     // H
  quint32 FormatTag = 0;  // word at H
  QByteArray Name;        // the 16-byte name field at H + 4, unchanged
  quint32 IconWordA = 0;  // word at H + 20 (ELF form)
  quint32 IconWordB = 0;  // word at H + 24 (ELF form)
};
TUFIFHeader ReadUFIFHeader(const QByteArray& image);

// The name field's text: up to the first zero byte, at most 16 bytes.
QByteArray NameFieldText(const QByteArray& data, qint64 offset);
