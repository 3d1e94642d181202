#include "details/slotdetails.h"

#include <algorithm>

#include "catalogue/classify.h"
#include "catalogue/gridtext.h"
#include "common/bytecount.h"
#include "common/bytes.h"
#include "common/texts.h"
#include "prefs/prefrecord.h"
#include "ufif/icons.h"
#include "ufif/lzocontainer.h"
#include "ufif/ufifheader.h"

namespace {

constexpr int HexColumn = 10;                                     // after "00000000  "
constexpr int AsciiColumn = HexColumn + 3 * HexBytesPerLine + 1;  // after the hex and a blank
constexpr int GIFSignatureSize = 6;

QString Hex(quint32 word) {
  return QStringLiteral("0x") +
         QString::number(word, 16).toUpper().rightJustified(8, QLatin1Char('0'));
}

QString Hex16(quint32 code) {
  return QStringLiteral("0x%1").arg(QString::number(code, 16).toUpper());
}

QString HexBytes(const QByteArray& bytes) {
  return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

// The bytes of a field, with missing ones as zero.
QByteArray FieldBytes(const QByteArray& data, qint64 offset, int length) {
  QByteArray field(length, '\0');
  for (int i = 0; i < length; ++i)
    field[i] = char(ByteAt(data, offset + i));
  return field;
}

char AsciiOf(char byte) {
  return (byte >= 0x20 && byte < 0x7F) ? byte : '.';
}

QString AsciiText(const QByteArray& bytes) {
  QString text;
  for (const char byte : bytes)
    text.append(QLatin1Char(AsciiOf(byte)));
  return text;
}

// A name field's text and its 16 bytes.
QString NameValue(const QByteArray& data, qint64 offset) {
  const QString text = DecodeWindows1251(NameFieldText(data, offset));
  return QStringLiteral("\"%1\" (%2)").arg(text, HexBytes(FieldBytes(data, offset, UFIFNameSize)));
}

QString FormatValue(quint32 word) {
  return QStringLiteral("%1, %2").arg(Hex(word), FormatLabel(word));
}

QString IconValue(quint32 code) {
  const int picture = IconIndexOf(code);
  return TDetailsText::tr("%1, picture %2").arg(Hex16(code)).arg(picture);
}

class TDetailsBuilder {
 public:
  explicit TDetailsBuilder(TSlotDetails& details) : details_(details) {}
  void Group(const QString& title) { details_.Groups.append({title, {}}); }
  void Add(const QString& name, const QString& value, qint64 offset = -1, qint64 length = 0) {
    details_.Groups.last().Fields.append({name, value, offset, length});
  }

 private:
  TSlotDetails& details_;
};

bool IsProgramContent(TContentKind kind) {
  return kind == TContentKind::UFIFProgram || kind == TContentKind::ElfProgram ||
         kind == TContentKind::PRG3Program || kind == TContentKind::PRG35Program;
}

void AddCatalogue(TDetailsBuilder& add, const TSlotDetails& details) {
  const TSlotInfo& info = details.Info;
  const QByteArray& data = details.Bytes;
  add.Group(TDetailsText::tr("Catalogue"));
  add.Add(TDetailsText::tr("Address"), details.Address.Text());
  add.Add(TDetailsText::tr("Kind"), details.Preferences ? TDetailsText::tr("Preferences record")
                                                        : ContentKindText(details.Content));
  add.Add(TDetailsText::tr("Caption"), ShownCaption(info));
  add.Add(TDetailsText::tr("Size"), BytesText(info.Size));
  const bool container = details.Content == TContentKind::LZOContainer;
  if (info.Kind == skProgram) {
    const qint64 formatAt = container ? LZOFormatAt : ReadUFIFHeader(data).Offset;
    add.Add(TDetailsText::tr("Format word"), FormatValue(info.FormatTag), formatAt, 4);
  } else {
    add.Add(TDetailsText::tr("Format word"), TDetailsText::tr("none: not a program"));
  }
  if (container)
    add.Add(TDetailsText::tr("Icon code"), Hex16(WordAt(data, LZOIconAt)), LZOIconAt, 4);
  else if (details.Content == TContentKind::ElfProgram)
    add.Add(TDetailsText::tr("Icon code"), Hex16(ReadUFIFHeader(data).IconWordB),
            ReadUFIFHeader(data).Offset + UFIFIconWordBAt, 4);
  else
    add.Add(TDetailsText::tr("Icon code"), TDetailsText::tr("none"));
  add.Add(TDetailsText::tr("Icon picture"),
          info.IconIndex < 0 ? TDetailsText::tr("none") : QString::number(info.IconIndex));
  if (container) {
    add.Add(TDetailsText::tr("Unpacked size"), BytesText(info.UnpackedSize), LZOUnpackedAt, 4);
    add.Add(TDetailsText::tr("Ratio"),
            CompressionRatioText(info.Size, info.UnpackedSize, QLatin1Char('.')));
  }
}

// catalogueTag: the format the catalogue records (both PRG 3.5 variants as 0x3500).
void AddProgramHeader(TDetailsBuilder& add, const QByteArray& data, TContentKind kind,
                      quint32 catalogueTag) {
  const TUFIFHeader header = ReadUFIFHeader(data);
  const qint64 at = header.Offset;
  const bool elf = kind == TContentKind::ElfProgram;
  add.Group(TDetailsText::tr("Program header"));
  if (elf) {
    const quint32 phoff = WordAt(data, ElfPhoffAt);
    add.Add(TDetailsText::tr("ELF magic"), HexBytes(FieldBytes(data, 0, 4)), 0, 4);
    add.Add(TDetailsText::tr("Program headers at (e_phoff)"), QString::number(phoff), ElfPhoffAt,
            4);
    if (phoff <= MaxProgramHeaderOffset)
      add.Add(TDetailsText::tr("First segment at (p_offset)"), QString::number(header.Offset),
              qint64(phoff) + 4, 4);
    else
      add.Add(TDetailsText::tr("First segment at (p_offset)"),
              TDetailsText::tr("not read: the program headers lie beyond byte 120"));
  }
  add.Add(TDetailsText::tr("Header offset"),
          elf ? QString::number(header.Offset) : TDetailsText::tr("0 (plain header)"));
  add.Add(TDetailsText::tr("Format word"),
          QStringLiteral("%1, %2").arg(Hex(header.FormatTag), FormatLabel(catalogueTag)), at, 4);
  add.Add(TDetailsText::tr("Name bytes"), NameValue(data, at + UFIFNameAt), at + UFIFNameAt,
          UFIFNameSize);
  // A plain header ends at 20: the two words after it are the program's first bytes.
  const auto body = [](quint32 word) {
    return TDetailsText::tr("%1 (body: the plain header ends here)").arg(Hex(word));
  };
  add.Add(TDetailsText::tr("Icon word A"), elf ? Hex(header.IconWordA) : body(header.IconWordA),
          at + UFIFIconWordAAt, 4);
  add.Add(TDetailsText::tr("Icon word B"),
          elf ? IconValue(header.IconWordB) : body(header.IconWordB), at + UFIFIconWordBAt, 4);
}

void AddContainer(TDetailsBuilder& add, const QByteArray& data) {
  const qint64 size = data.size();
  qint64 streamEnd = size;
  const bool trailer =
      size >= LZOHeaderSize + TrailerTailSize && WordAt(data, size - 4) == TrailerMagic;
  const quint32 trailerAt = WordAt(data, size - TrailerTailSize);
  if (trailer && trailerAt >= quint32(LZOHeaderSize) &&
      trailerAt <= quint64(size - TrailerTailSize))
    streamEnd = trailerAt;
  const quint32 format = WordAt(data, LZOFormatAt);
  add.Group(TDetailsText::tr("LZO container"));
  add.Add(TDetailsText::tr("Magic"), QStringLiteral("\"LZO\\0\""), 0, 4);
  add.Add(TDetailsText::tr("Name bytes"), NameValue(data, LZONameAt), LZONameAt, UFIFNameSize);
  add.Add(TDetailsText::tr("Format word"),
          IsUFIFFamily(format) ? FormatValue(format)
                               : TDetailsText::tr("%1, not a program").arg(Hex(format)),
          LZOFormatAt, 4);
  add.Add(TDetailsText::tr("Unpacked length"), BytesText(WordAt(data, LZOUnpackedAt)),
          LZOUnpackedAt, 4);
  add.Add(TDetailsText::tr("Icon code"), IconValue(WordAt(data, LZOIconAt)), LZOIconAt, 4);
  add.Add(TDetailsText::tr("LZO1X stream"),
          BytesText(std::max<qint64>(0, streamEnd - LZOHeaderSize)), LZOHeaderSize,
          std::max<qint64>(0, streamEnd - LZOHeaderSize));
  if (trailer)
    add.Add(TDetailsText::tr("Trailer block"),
            streamEnd < size ? TDetailsText::tr("%1, copied whole").arg(BytesText(size - streamEnd))
                             : TDetailsText::tr("damaged: it points to offset %1").arg(trailerAt),
            streamEnd < size ? streamEnd : size - TrailerTailSize,
            streamEnd < size ? size - streamEnd : TrailerTailSize);
  const TUnpacked unpacked = UnpackLZOContainer(data);
  if (unpacked.Ok()) {
    add.Add(
        TDetailsText::tr("Unpacks"),
        TDetailsText::tr("yes: %1, the stored length").arg(BytesText(WordAt(data, LZOUnpackedAt))));
    add.Add(TDetailsText::tr("Contents"), ContentKindText(ContentKindOf(unpacked.Original)));
  } else {
    add.Add(TDetailsText::tr("Unpacks"), TDetailsText::tr("no: %1").arg(unpacked.Problem));
  }
}

void AddGIF(TDetailsBuilder& add, const QByteArray& data) {
  const quint8 flags = ByteAt(data, 10);
  add.Group(TDetailsText::tr("GIF picture"));
  add.Add(TDetailsText::tr("Signature"), AsciiText(data.left(GIFSignatureSize)), 0,
          GIFSignatureSize);
  add.Add(TDetailsText::tr("Width"), QString::number(ByteAt(data, 6) | (ByteAt(data, 7) << 8)), 6,
          2);
  add.Add(TDetailsText::tr("Height"), QString::number(ByteAt(data, 8) | (ByteAt(data, 9) << 8)), 8,
          2);
  add.Add(TDetailsText::tr("Global colour table"),
          (flags & 0x80) ? TDetailsText::tr("%n colours", nullptr, 2 << (flags & 7))
                         : TDetailsText::tr("none"),
          10, 1);
}

void AddPRG3Library(TDetailsBuilder& add, const QByteArray& data) {
  const qint64 words = data.size() / 4 - 1;
  add.Group(TDetailsText::tr("PRG3 library"));
  add.Add(TDetailsText::tr("Release"), QString::number(qint32(WordAt(data, 0))), 0, 4);
  add.Add(TDetailsText::tr("Words"), QString::number(words));
  for (qint64 i = 0; i < words; ++i)
    add.Add(TDetailsText::tr("Word %1").arg(i + 1), Hex(WordAt(data, 4 + 4 * i)), 4 + 4 * i, 4);
  if (const qint64 rest = data.size() % 4)
    add.Add(TDetailsText::tr("Left over"), HexBytes(data.right(rest)), data.size() - rest, rest);
}

// UTF-16LE from byte 4 to the first zero unit.
void AddRinger(TDetailsBuilder& add, const QByteArray& data) {
  QString name;
  qint64 end = 4;
  for (; end + 1 < data.size(); end += 2) {
    const char16_t unit = char16_t(ByteAt(data, end) | (ByteAt(data, end + 1) << 8));
    if (unit == 0)
      break;
    name.append(QChar(unit));
  }
  add.Group(TDetailsText::tr("Ringer"));
  add.Add(TDetailsText::tr("Name"), QStringLiteral("\"%1\"").arg(name), 4, end - 4);
}

QString AddressValue(int section, int subsection) {
  return TSectionAddress{section, subsection}.Text();
}

void AddPreferences(TDetailsBuilder& add, const QByteArray& data) {
  static const char* const MenuItems[] = {QT_TRANSLATE_NOOP("Details", "Only programs"),
                                          QT_TRANSLATE_NOOP("Details", "Progs and data"),
                                          QT_TRANSLATE_NOOP("Details", "Show all")};
  const TPrefReading reading = DecodePrefRecord(data);
  const quint8 mode = ByteAt(data, 4);
  add.Group(TDetailsText::tr("Preferences record"));
  add.Add(TDetailsText::tr("Signature"), QStringLiteral("\"%1\"").arg(AsciiText(data.left(4))), 0,
          4);
  add.Add(TDetailsText::tr("Menu show mode"),
          reading.MenuIndex ? QStringLiteral("%1: %2").arg(mode).arg(
                                  TDetailsText::tr(MenuItems[*reading.MenuIndex]))
                            : TDetailsText::tr("%1: unknown to the dialog").arg(mode),
          4, 1);
  const QString library = AddressValue(reading.LibrarySection, reading.LibrarySubSection);
  add.Add(
      TDetailsText::tr("UFIF2 library"),
      ByteAt(data, 7) == 0 ? TDetailsText::tr("%1 (not set: the default)").arg(library) : library,
      6, 2);
  add.Add(TDetailsText::tr("Autorun"),
          reading.AutorunEnabled ? AddressValue(reading.AutorunSection, reading.AutorunSubSection)
                                 : TDetailsText::tr("disabled"),
          8, 2);
  add.Add(TDetailsText::tr("Reserved"), HexBytes(data.mid(10, 2)), 10, 2);
}

}  // namespace

bool HasDetails(const TSlotInfo& slot) {
  return slot.Kind != skEmpty;
}

const TDetailField* TSlotDetails::Field(const QString& group, const QString& field) const {
  for (const TDetailGroup& each : Groups)
    if (each.Title == group)
      for (const TDetailField& candidate : each.Fields)
        if (candidate.Name == field)
          return &candidate;
  return nullptr;
}

QString TSlotDetails::Value(const QString& group, const QString& field) const {
  const TDetailField* found = Field(group, field);
  return found ? found->Value : QString();
}

TSlotDetails DescribeSection(const TSectionAddress& address, const QByteArray& bytes,
                             const TSlotInfo& before) {
  TSlotDetails details;
  details.Address = address;
  details.Bytes = bytes;
  details.Info = ClassifySection(before, qint32(bytes.size()), bytes);
  details.Content = ContentKindOf(bytes);
  details.Preferences = address == TSectionAddress{PrefSection, PrefSubSection};
  TDetailsBuilder add(details);
  AddCatalogue(add, details);
  if (details.Preferences)
    AddPreferences(add, bytes);
  else if (IsProgramContent(details.Content))
    AddProgramHeader(add, bytes, details.Content, details.Info.FormatTag);
  else if (details.Content == TContentKind::LZOContainer)
    AddContainer(add, bytes);
  else if (details.Content == TContentKind::GIFPicture)
    AddGIF(add, bytes);
  else if (details.Content == TContentKind::PRG3Library)
    AddPRG3Library(add, bytes);
  else if (details.Content == TContentKind::Ringer)
    AddRinger(add, bytes);
  return details;
}

QString ContentKindText(TContentKind kind) {
  switch (kind) {
    case TContentKind::UFIFProgram:
      return TDetailsText::tr("UFIF program");
    case TContentKind::ElfProgram:
      return TDetailsText::tr("UFIF program in an ELF file");
    case TContentKind::PRG3Program:
      return TDetailsText::tr("PRG 3 program");
    case TContentKind::PRG35Program:
      return TDetailsText::tr("PRG 3.5 program");
    case TContentKind::LZOContainer:
      return TDetailsText::tr("LZO container");
    case TContentKind::UFIF2Library:
      return TDetailsText::tr("UFIF2 library");
    case TContentKind::GIFPicture:
      return TDetailsText::tr("GIF picture");
    case TContentKind::Ringer:
      return TDetailsText::tr("10 second ringer");
    case TContentKind::PicturePack:
      return TDetailsText::tr("Picture pack");
    case TContentKind::PRG3Library:
      return TDetailsText::tr("PRG3 library");
    case TContentKind::Data:
      break;
  }
  return TDetailsText::tr("Data");
}

QStringList HexDumpLines(const QByteArray& bytes) {
  QStringList lines;
  for (qint64 start = 0; start < bytes.size(); start += HexBytesPerLine) {
    const QByteArray chunk = bytes.mid(start, HexBytesPerLine);
    QString line = QStringLiteral("%1  ").arg(start, 8, 16, QLatin1Char('0')).toUpper();
    for (const char byte : chunk)
      line += QStringLiteral("%1 ").arg(quint8(byte), 2, 16, QLatin1Char('0')).toUpper();
    line = line.leftJustified(AsciiColumn) + AsciiText(chunk);
    lines << line;
  }
  return lines;
}

QList<THexSpan> HexSpans(qint64 offset, qint64 length, qint64 size) {
  QList<THexSpan> spans;
  const qint64 first = std::max<qint64>(offset, 0);
  const qint64 end = std::min(offset + length, size);
  for (qint64 at = first; at < end;) {
    const qint64 line = at / HexBytesPerLine;
    const qint64 lineEnd = std::min(end, (line + 1) * HexBytesPerLine);
    const int from = int(at % HexBytesPerLine);
    const int to = int(lineEnd - line * HexBytesPerLine);  // excluded
    spans.append({int(line), HexColumn + 3 * from, HexColumn + 3 * to - 1, AsciiColumn + from,
                  AsciiColumn + to});
    at = lineEnd;
  }
  return spans;
}
