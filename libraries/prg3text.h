#pragma once
// The PRG3 library text (a release line and one 32-bit word per line) and its image.

#include <QByteArray>
#include <QStringList>

#include "catalogue/slotmap.h"

constexpr int PRG3MaxWords = 512;

// Lines split at CR, LF or CR LF.
QStringList SplitTextLines(const QByteArray& text);

struct TPRG3Image {
  QByteArray Image;     // the words, little-endian, in line order
  bool TooBig = false;  // more than 512 words: nothing may be written
};

// Throws EConvertError for a release line with no digit after its first "=".
TPRG3Image PRG3ImageFromLines(const QStringList& lines);

// The numbers (from 1) of the lines that hold more than blanks yet give no word, by the rules
// of PRG3ImageFromLines: what a user may have meant as a word ("1234" with no blank after
// it) and the image leaves out. Throws as PRG3ImageFromLines does.
QList<int> PRG3IgnoredLines(const QStringList& lines);
