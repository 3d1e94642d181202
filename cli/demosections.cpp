#include "cli/demosections.h"

#include <QString>
#include <QtMath>

#include "cli/gifwriter.h"
#include "common/bytes.h"
#include "libraries/prg3text.h"
#include "prefs/prefrecord.h"
#include "ufif/lzocontainer.h"
#include "ufif/ufifheader.h"

namespace {

// A small deterministic generator, so the demo phone is the same on every machine.
class TSequence {
 public:
  explicit TSequence(quint32 seed) : state_(seed * 2654435761u + 1) {}
  quint32 Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }

 private:
  quint32 state_;
};

// Halfwords of everyday Thumb code. None of them, nor any pair of them, makes a call stub
// marker, a word in the old table area, the model word or the no-operation filler.
quint16 ThumbHalfword(TSequence& sequence) {
  static const quint16 opcodes[] = {0x2000, 0x2100, 0x3001, 0x1C40, 0x6800, 0x6048, 0x4288,
                                    0xD1FC, 0xB510, 0xBD10, 0x0040, 0x4348, 0x1840, 0xE7F0};
  const quint32 value = sequence.Next();
  const quint16 opcode = opcodes[value % (sizeof(opcodes) / sizeof(opcodes[0]))];
  const bool takesImmediate = (opcode & 0xF800) == 0x2000;
  return takesImmediate ? quint16(opcode | ((value >> 8) & 0xFF)) : opcode;
}

QByteArray NameField(const QByteArray& name) {
  QByteArray field = name.left(UFIFNameSize);
  field.append(QByteArray(UFIFNameSize - field.size(), '\0'));
  return field;
}

QByteArray ThumbBody(int length, quint32 seed) {
  TSequence sequence(seed);
  QByteArray body;
  while (body.size() + 2 < length) {
    const quint16 halfword = ThumbHalfword(sequence);
    body.append(char(halfword & 0xFF));
    body.append(char(halfword >> 8));
  }
  // BX LR ends the code; it is no filler, so the upload keeps it.
  body.append("\x70\x47", 2);
  return body.left(length);
}

void PutWord(QByteArray& image, int offset, quint32 word) {
  SetWordAt(image, offset, word);
}

void AppendHalfword(QByteArray& out, quint16 value) {
  out.append(char(value & 0xFF));
  out.append(char(value >> 8));
}

// A sunset over the sea, 32 x 32 pixels in 16 colours.
TGIFPicture SunsetPicture() {
  TGIFPicture picture;
  picture.Width = 32;
  picture.Height = 32;
  picture.Palette = {0x1B1F4A, 0x3B2F6B, 0x6E3B7E, 0xB24A6E, 0xE8724A, 0xF5A04A,
                     0xFFD45A, 0xFFF2A8, 0x0E3A5C, 0x165A80, 0x2A7FA8, 0x5FB0D0,
                     0x0A2238, 0xFFFFFF, 0x2E2E2E, 0x000000};
  for (int y = 0; y < picture.Height; ++y) {
    for (int x = 0; x < picture.Width; ++x) {
      const int dx = x - 16;
      const int dy = y - 17;
      quint8 colour;
      if (y < 18 && dx * dx + dy * dy <= 49)
        colour = dx * dx + dy * dy <= 16 ? 7 : 6;  // the sun, brighter at its heart
      else if (y < 18)
        colour = quint8(y / 3);  // sky bands from night blue to orange
      else if ((x + 3 * y) % 11 == 0 && qAbs(dx) < 12 - (y - 18) / 3)
        colour = 5;  // the sun's path on the water
      else
        colour = quint8(8 + qMin(3, (31 - y) / 4) - ((x + y) % 7 == 0 ? 1 : 0));
      picture.Pixels.append(char(colour));
    }
  }
  return picture;
}

QByteArray Utf16Le(const QString& text) {
  QByteArray bytes;
  for (const QChar c : text)
    AppendHalfword(bytes, c.unicode());
  return bytes;
}

}  // namespace

QByteArray Windows1251(const QString& text) {
  QByteArray bytes;
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u >= 0x0410 && u <= 0x044F)
      bytes.append(char(0xC0 + (u - 0x0410)));
    else if (u < 0x80)
      bytes.append(char(u));
    else
      bytes.append('?');
  }
  return bytes;
}

QByteArray DemoProgram(quint32 formatTag, const QByteArray& name, int length, quint32 seed) {
  QByteArray image;
  AppendWord(image, formatTag);
  image.append(NameField(name));
  image.append(ThumbBody(qMax(length - UFIFPlainHeaderSize, 2), seed));
  return image;
}

QByteArray DemoConvertibleProgram(const QByteArray& name, int length) {
  QByteArray image = DemoProgram(UFIF20Tag, name, qMax(length, 1024), 20);
  // Call stubs of kind A: the marker, a word, then the entry's literal.
  PutWord(image, 64, 0x4801B403);
  PutWord(image, 72, 0x0036A9D1);  // the entry that moved by 4 bytes
  PutWord(image, 128, 0x4801B403);
  PutWord(image, 136, 0x0036B001);
  // A call stub of kind B: the marker, five words, then the literal.
  PutWord(image, 192, 0x4809B407);
  PutWord(image, 216, 0x0036AC40);
  // Data words the conversion relocates, the model word, and one it only reports.
  PutWord(image, 256, 0x0036AE18);
  PutWord(image, 260, 0x0036A97C);
  PutWord(image, 300, 0x00820000);
  PutWord(image, 400, 0x0036A640);
  return image;
}

QByteArray DemoElfProgram(quint32 formatTag, const QByteArray& name, quint32 iconCode, int length) {
  constexpr int headerSize = 52;
  constexpr int programHeaderSize = 32;
  constexpr int segmentStart = headerSize + programHeaderSize;
  QByteArray segment;
  AppendWord(segment, formatTag);
  segment.append(NameField(name));
  AppendWord(segment, iconCode);  // icon word A, taken by the compressed upload
  AppendWord(segment, iconCode);  // icon word B, shown by the catalogue
  segment.append(ThumbBody(qMax(length - segmentStart - int(segment.size()), 2), 12));

  QByteArray elf(segmentStart, '\0');
  elf.replace(0, 7,
              QByteArray("\x7F"
                         "ELF\x01\x01\x01",
                         7));  // 32-bit, little-endian
  elf[16] = 2;                 // executable
  elf[18] = 40;                // ARM
  PutWord(elf, 20, 1);
  PutWord(elf, 24, 0x00A00000 + segmentStart + 28);  // entry after the header
  PutWord(elf, 28, headerSize);                      // e_phoff
  elf[40] = char(headerSize);
  elf[42] = char(programHeaderSize);
  elf[44] = 1;                                    // one program header
  PutWord(elf, headerSize, 1);                    // loadable segment
  PutWord(elf, headerSize + 4, segmentStart);     // p_offset: the UFIF header
  PutWord(elf, headerSize + 8, 0x00A00000);       // p_vaddr
  PutWord(elf, headerSize + 12, 0x00A00000);      // p_paddr
  PutWord(elf, headerSize + 16, segment.size());  // p_filesz
  PutWord(elf, headerSize + 20, segment.size());  // p_memsz
  PutWord(elf, headerSize + 24, 5);               // read and execute
  PutWord(elf, headerSize + 28, 4);               // alignment
  return elf + segment;
}

QByteArray DemoGIFPicture() {
  return EncodeGIF(SunsetPicture());
}

QByteArray DemoRinger(const QString& name, int length) {
  QByteArray ringer(4, '\0');
  ringer.append(Utf16Le(name));
  AppendHalfword(ringer, 0);
  // Two tones that alternate every tenth of the ringer, as 8-bit samples.
  for (int i = 0; ringer.size() < length; ++i) {
    const double tone = (i / (length / 10)) % 2 == 0 ? 0.11 : 0.17;
    ringer.append(char(128 + int(90 * qSin(i * tone))));
  }
  return ringer;
}

QByteArray DemoPicturePack(int pictures) {
  QByteArray pack("PHF");
  pack.append(char(1));  // pack version
  AppendWord(pack, quint32(pictures));
  TSequence sequence(7);
  for (int picture = 0; picture < pictures; ++picture) {
    AppendHalfword(pack, 24);  // width
    AppendHalfword(pack, 24);  // height
    const quint8 base = quint8(sequence.Next());
    for (int pixel = 0; pixel < 24 * 24 / 4; ++pixel)
      pack.append(char(base + pixel / 24 + (pixel % 24 < 12 ? 0 : 0x40)));
  }
  return pack;
}

QByteArray DemoData(int length) {
  QByteArray data("DATA-LOG");
  TSequence sequence(3);
  while (data.size() < length)
    data.append(char(0x20 + sequence.Next() % 0x5F));
  return data;
}

QByteArray DemoPRG3Library(int release, int words) {
  QStringList lines{QStringLiteral("; PRG3 library of the demo phone"),
                    QStringLiteral("RELEASE=%1").arg(release)};
  for (int i = 0; i < words; ++i)
    lines << QStringLiteral("%1 entry %2").arg(0x36A700 + 4 * i, 8, 16, QLatin1Char('0')).arg(i);
  return PRG3ImageFromLines(lines).Image;
}

QByteArray DemoUFIF2Library(int length) {
  QByteArray library("LIB2");
  AppendWord(library, 0x00020005);  // library version 2.5
  library.append(ThumbBody(length - int(library.size()), 17));
  return library;
}

QByteArray DemoPreferences() {
  TPrefEntries entries;
  entries.MenuIndex = 2;  // "Show all"
  entries.LibrarySection = QStringLiteral("2");
  entries.LibrarySubSection = QStringLiteral("17");
  entries.AutorunEnabled = true;
  entries.AutorunSection = QStringLiteral("18");
  entries.AutorunSubSection = QStringLiteral("9");
  return EncodePrefRecord(entries, QByteArray());
}

QList<TDemoSection> DemoSections() {
  const QByteArray packed = DemoProgram(0x20010000, "Tetris", 6000, 15);
  return {
      {{18, 9}, DemoConvertibleProgram("Calculator", 3200)},
      {{18, 10}, DemoProgram(0x20010000, "Notes", 2400, 10)},
      {{18, 11}, DemoProgram(0x20031004, "Torch", 2800, 11)},
      {{18, 12}, DemoElfProgram(0x20036005, "Snake", 0xE864, 4000)},
      {{18, 13}, DemoProgram(0x30C0DE01, "Clock", 1800, 13)},
      {{18, 14}, DemoProgram(0x35000000, "Radio", 2000, 14)},
      {{18, 15}, BuildLZOContainer(packed, 0xE81A)},
      {{18, 17}, DemoGIFPicture()},
      {{18, 18}, DemoRinger(QStringLiteral("Утренний звон"), 8000)},
      {{18, 19}, DemoPicturePack(8)},
      {{18, 20}, DemoData(1000)},
      {{18, 21}, DemoProgram(0x20010000, "Big Game", 30000, 21)},
      {{18, 23}, DemoProgram(0x20054206, Windows1251(QStringLiteral("Погода")), 2600, 23)},
      {{2, 10}, DemoConvertibleProgram("Mini", 1200)},
      {{2, 11}, DemoProgram(0x35010000, "Dice", 900, 31)},
      {{2, 13}, DemoData(300)},
      {{2, 16}, DemoPRG3Library(3, 64)},
      {{2, 17}, DemoUFIF2Library(6000)},
      {{2, 18}, DemoPreferences()},
  };
}
