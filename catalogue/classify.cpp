#include "catalogue/classify.h"

#include "common/bytes.h"
#include "common/texts.h"
#include "link/gbp.h"
#include "ufif/icons.h"
#include "ufif/lzocontainer.h"
#include "ufif/ufifheader.h"

namespace {

constexpr qint64 RingerNameAt = 4;

// The captions of what is no program. A record keeps them in English; ShownCaption gives them
// in the user's language.
const char* const EmptyCaption = QT_TRANSLATE_NOOP("Catalogue", "< Empty >");
const char* const DataCaption = QT_TRANSLATE_NOOP("Catalogue", "< Data >");
const char* const GIFCaption = QT_TRANSLATE_NOOP("Catalogue", "< GIF-File >");
const char* const UFIF2LibraryCaption = QT_TRANSLATE_NOOP("Catalogue", "< UFIF2 ExtLibrary >");
const char* const PicturePackCaption = QT_TRANSLATE_NOOP("Catalogue", "< Pixmara pack >");
const char* const NotReadCaptionSource = QT_TRANSLATE_NOOP("Catalogue", "(not read)");
//: %1 is the ringer's name, as the phone keeps it
const char* const RingerCaption = QT_TRANSLATE_NOOP("Catalogue", "10 sec ringer: %1");
//: %1 is the library's release number
const char* const PRG3LibraryCaption = QT_TRANSLATE_NOOP("Catalogue", "< PRG3 ExtLibrary ver.%1>");
const char* const FixedCaptions[] = {EmptyCaption,        DataCaption,        GIFCaption,
                                     UFIF2LibraryCaption, PicturePackCaption, NotReadCaptionSource};

QString Caption(const char* source) {
  return QString::fromLatin1(source);
}

// The head and tail a caption with one number or name has around its %1.
struct TCaptionFrame {
  QString Head;
  QString Tail;
};
TCaptionFrame FrameOf(const char* source) {
  const QString text = Caption(source);
  const qsizetype at = text.indexOf(QLatin1String("%1"));
  return {text.left(at), text.mid(at + 2)};
}

// Unicode for the bytes 0x80 to 0xFF of Windows-1251; 0x98 is unassigned.
constexpr char16_t Windows1251High[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F};

QString NameField(const QByteArray& data, qint64 offset) {
  return DecodeWindows1251(NameFieldText(data, offset));
}

bool StartsWith(const QByteArray& data, const char* three) {
  return ByteAt(data, 0) == quint8(three[0]) && ByteAt(data, 1) == quint8(three[1]) &&
         ByteAt(data, 2) == quint8(three[2]);
}

// UTF-16LE from byte 4 to the first zero unit or the end of the recognition buffer.
QString RingerName(const QByteArray& data) {
  QString name;
  for (qint64 at = RingerNameAt; at < RecognitionBytes; at += 2) {
    const char16_t unit = char16_t(ByteAt(data, at) | (ByteAt(data, at + 1) << 8));
    if (unit == 0)
      break;
    name.append(QChar(unit));
  }
  return name;
}

TSlotInfo LZOContainer(TSlotInfo info, const QByteArray& data) {
  const quint32 format = WordAt(data, LZOFormatAt);
  const bool program = IsUFIFFamily(format);
  info.Kind = program ? skProgram : skOther;
  info.Caption = program ? NameField(data, LZONameAt) : Caption(DataCaption);
  info.FormatTag = format;
  info.IconIndex = IconIndexOf(WordAt(data, LZOIconAt));
  info.Compressed = 1;
  info.UnpackedSize = qint32(WordAt(data, LZOUnpackedAt));
  return info;
}

// A header that lies beyond the bytes read reads as zeros: no name, tag 0, no icon.
TSlotInfo ElfProgram(TSlotInfo info, const QByteArray& data) {
  const TUFIFHeader header = ReadUFIFHeader(data);
  info.Kind = skProgram;
  info.Caption = NameField(header.Name, 0);
  info.FormatTag = header.FormatTag;
  info.IconIndex = IconIndexOf(header.IconWordB);
  return info;
}

// Plain UFIF, PRG 3 and PRG 3.5 carry no icon code: they get the default program picture.
TSlotInfo PlainProgram(TSlotInfo info, const QByteArray& data, quint32 formatTag) {
  info.Kind = skProgram;
  info.Caption = NameField(data, UFIFNameAt);
  info.FormatTag = formatTag;
  info.IconIndex = DefaultProgramPicture;
  return info;
}

bool IsPRG3Library(const QByteArray& data) {
  return ByteAt(data, 7) == 0 && ByteAt(data, 11) == 0 && ByteAt(data, 15) == 0 && data.size() > 16;
}

QString NonProgramCaption(const QByteArray& data, TSlotKind& kind) {
  kind = skOther;
  if (StartsWith(data, "LIB"))
    return Caption(UFIF2LibraryCaption);
  if (StartsWith(data, "GIF")) {
    kind = skGIF;
    return Caption(GIFCaption);
  }
  const quint32 first = WordAt(data, 0);
  if (first == 0)
    return Caption(RingerCaption).arg(RingerName(data));
  if (StartsWith(data, "PHF"))
    return Caption(PicturePackCaption);
  if (IsPRG3Library(data))
    return Caption(PRG3LibraryCaption).arg(qint32(first));
  return Caption(DataCaption);
}

// Libraries, pictures, ringers and data: FormatTag stays as it was.
TSlotInfo NonProgram(TSlotInfo info, const QByteArray& data) {
  info.Caption = NonProgramCaption(data, info.Kind);
  info.IconIndex = -1;
  return info;
}

bool IsPRG35(quint32 first) {
  return (first >> 16) == 0x3500 || (first >> 16) == 0x3501;
}

QString NotReadCaption() {
  return Caption(NotReadCaptionSource);
}

}  // namespace

bool SizeMeansEmpty(qint32 size) {
  return size == 0 || size == GBPSizeNoSection || size == GBPSizeUnknown;
}

TSlotInfo EmptySlotInfo(const TSlotInfo& before) {
  TSlotInfo info = before;
  info.Kind = skEmpty;
  info.Caption = Caption(EmptyCaption);
  info.Size = 0;
  info.Compressed = 0;
  info.UnpackedSize = 0;
  info.IconIndex = EmptySlotPicture;
  return info;
}

TSlotInfo SizeOnlySlotInfo(const TSlotInfo& before, qint32 size) {
  TSlotInfo info = before;
  info.Kind = skProgram;
  info.Caption.clear();
  info.FormatTag = 0;
  info.Size = size;
  info.Compressed = 0;
  info.IconIndex = -1;
  return info;
}

TSlotInfo NotReadSlotInfo(const TSlotInfo& before, qint32 size) {
  TSlotInfo info = before;
  info.Kind = skEmpty;
  info.Caption = NotReadCaption();
  info.Size = size;
  info.Compressed = 0;
  info.UnpackedSize = 0;
  info.IconIndex = -1;
  return info;
}

// No recognised content has this caption with this kind: an empty row has "< Empty >".
bool IsNotRead(const TSlotInfo& info) {
  return info.Kind == skEmpty && info.Caption == NotReadCaption();
}

QString ShownCaptionText(const QString& caption) {
  for (const char* fixed : FixedCaptions) {
    if (caption == QLatin1String(fixed))
      return TCatalogueText::tr(fixed);
  }
  for (const char* framed : {RingerCaption, PRG3LibraryCaption}) {
    const TCaptionFrame frame = FrameOf(framed);
    if (caption.startsWith(frame.Head) && caption.endsWith(frame.Tail) &&
        caption.size() >= frame.Head.size() + frame.Tail.size()) {
      return TCatalogueText::tr(framed).arg(
          caption.mid(frame.Head.size(), caption.size() - frame.Head.size() - frame.Tail.size()));
    }
  }
  return caption;
}

QString ShownCaption(const TSlotInfo& info) {
  return info.Kind == skProgram ? info.Caption : ShownCaptionText(info.Caption);
}

TSlotInfo ClassifySection(const TSlotInfo& before, qint32 size, const QByteArray& bytesRead) {
  const QByteArray data = bytesRead.left(RecognitionBytes);
  TSlotInfo info = before;
  info.Size = size;
  const quint32 first = WordAt(data, 0);
  if (first == LZOMagic)
    return LZOContainer(info, data);
  info.Compressed = 0;
  if (first == ElfMagic)
    return ElfProgram(info, data);
  if (first == PRG3Tag)
    return PlainProgram(info, data, PRG3Tag);
  if (IsPRG35(first))
    return PlainProgram(info, data, PRG35Tag);
  if (IsUFIFFamily(first))
    return PlainProgram(info, data, first);
  return NonProgram(info, data);
}

TContentKind ContentKindOf(const QByteArray& bytesRead) {
  const QByteArray data = bytesRead.left(RecognitionBytes);
  const quint32 first = WordAt(data, 0);
  if (first == LZOMagic)
    return TContentKind::LZOContainer;
  if (first == ElfMagic)
    return TContentKind::ElfProgram;
  if (first == PRG3Tag)
    return TContentKind::PRG3Program;
  if (IsPRG35(first))
    return TContentKind::PRG35Program;
  if (IsUFIFFamily(first))
    return TContentKind::UFIFProgram;
  if (StartsWith(data, "LIB"))
    return TContentKind::UFIF2Library;
  if (StartsWith(data, "GIF"))
    return TContentKind::GIFPicture;
  if (first == 0)
    return TContentKind::Ringer;
  if (StartsWith(data, "PHF"))
    return TContentKind::PicturePack;
  return IsPRG3Library(data) ? TContentKind::PRG3Library : TContentKind::Data;
}

QString DecodeWindows1251(const QByteArray& bytes) {
  QString text;
  text.reserve(bytes.size());
  for (const char byte : bytes) {
    const quint8 code = quint8(byte);
    text.append(code < 0x80 ? QChar(code) : QChar(Windows1251High[code - 0x80]));
  }
  return text;
}
