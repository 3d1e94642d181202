#pragma once
// Recognition of a section's content from its size and its first bytes.

#include <QByteArray>

#include "catalogue/slotinfo.h"

// True for the size answers that mean the section holds nothing: 0, -153 and -5.
bool SizeMeansEmpty(qint32 size);

// The record of an empty section (size 0, -153 or -5); FormatTag stays as it was.
TSlotInfo EmptySlotInfo(const TSlotInfo& before);

// The record when "Additional info" is off: only the size is known; UnpackedSize unchanged.
TSlotInfo SizeOnlySlotInfo(const TSlotInfo& before, qint32 size);

// The record of a row whose content is not known: a read that brought less than it asked
// for, which is never recognised, or a row a full refresh did not reach before it was ever
// read. It shows "(not read)" and the size told (0 when none was), offers what an empty
// row offers, and is never taken for a free slot.
TSlotInfo NotReadSlotInfo(const TSlotInfo& before, qint32 size);
bool IsNotRead(const TSlotInfo& info);

// The caption in the user's language: a program's name as it is, the captions of what is no
// program ("< Data >", "10 sec ringer: Ring") translated. The record keeps them in English.
QString ShownCaption(const TSlotInfo& info);
// The same for a caption whose kind is not known (a record's description): any text that
// is one of those captions is translated.
QString ShownCaptionText(const QString& caption);

// The record after reading: size as the phone reported it, bytesRead the n bytes read
// (at most 128 are used; bytes beyond them count as zero). Fields that the matching rule
// leaves unchanged keep their value from before.
TSlotInfo ClassifySection(const TSlotInfo& before, qint32 size, const QByteArray& bytesRead);

// The content's kind in finer detail than TSlotKind, by the rules of ClassifySection.
enum class TContentKind {
  UFIFProgram,  // plain UFIF 2 family
  ElfProgram,   // UFIF inside an ELF file
  PRG3Program,
  PRG35Program,
  LZOContainer,  // of a program or of any other data
  UFIF2Library,
  GIFPicture,
  Ringer,
  PicturePack,
  PRG3Library,
  Data
};
TContentKind ContentKindOf(const QByteArray& bytesRead);

// 8-bit program names decode as Windows-1251 (the grid's Cyrillic character set).
QString DecodeWindows1251(const QByteArray& bytes);
