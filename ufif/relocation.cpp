#include "ufif/relocation.h"

#include <QtEndian>

#include <string_view>

#include "common/strtoint.h"
#include "ufif/ufifheader.h"

namespace {

constexpr quint32 OldTableBase = 0x36A658;
constexpr quint32 OldAreaEnd = 0x370000;
constexpr quint32 ReportFloor = 0x36A630;
constexpr quint32 MovedEntry = 0x36A9D1;
constexpr quint32 MovedEntryTarget = 0x36A9D5;
constexpr quint32 DefaultModelWord = 0x820000;
constexpr quint32 Z7ModelWord = 0x8A0000;
constexpr quint32 StubAMarker = 0x4801B403;
constexpr quint32 StubBMarker = 0x4809B407;
constexpr qsizetype StubALiteral = 8;
constexpr qsizetype StubBLiteral = 24;
constexpr qsizetype ScanStart = UFIFPlainHeaderSize;

bool IsRelocatedDataWord(quint32 word) {
  switch (word) {
    case 0x36A97C:
    case 0x36AA84:
    case 0x36AC74:
    case 0x36AE14:
    case 0x36AE18:
    case 0x36AE1C:
      return true;
    default:
      return false;
  }
}

char* AppendDecimal(char* out, qint64 value) {
  if (value < 0)
    *out++ = '-';
  quint64 magnitude = value < 0 ? 0 - quint64(value) : quint64(value);
  char digits[20];
  int count = 0;
  do {
    digits[count++] = char('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  while (count > 0)
    *out++ = digits[--count];
  return out;
}

bool InOldArea(quint32 address) {
  return address > OldTableBase && address < OldAreaEnd;
}

// Reads from the image and writes into it, detaching a shared buffer only when a word
// actually changes, so an image that needs no change costs no copy.
class TImageWords {
 public:
  explicit TImageWords(QByteArray& image)
      : image_(image), read_(image.constData()), size_(image.size()) {}

  bool Holds(qsizetype offset) const { return offset + 4 <= size_; }
  quint32 At(qsizetype offset) const { return qFromLittleEndian<quint32>(read_ + offset); }
  void Set(qsizetype offset, quint32 value) {
    if (!write_) {
      write_ = image_.data();
      read_ = write_;
    }
    qToLittleEndian<quint32>(value, write_ + offset);
  }

 private:
  QByteArray& image_;
  const char* read_;
  char* write_ = nullptr;
  qsizetype size_;
};

}  // namespace

TFirmwareChoice ParseFirmwareText(const QString& text) {
  TFirmwareChoice choice;
  const qsizetype blank = text.indexOf(QLatin1Char(' '));
  choice.AddressText = blank < 0 ? QString() : text.left(blank);
  const qsizetype dash = text.indexOf(QLatin1String(" - "));
  choice.ModelCode = dash < 0 ? text.mid(2, 2) : text.mid(dash + 3, 2);
  const bool z7 =
      choice.ModelCode == QLatin1String("Z7") || choice.ModelCode == QLatin1String("z7");
  choice.ModelWord = z7 ? Z7ModelWord : DefaultModelWord;
  return choice;
}

QString BadAddressLine(qint64 offset, quint32 value) {
  // Built by hand: a scan may report hundreds of words, and this is most of its time.
  char line[64] = "offset: ";
  char* end = AppendDecimal(line + 8, offset);
  for (const char c : std::string_view("; UFIF Address:"))
    *end++ = c;
  end = AppendDecimal(end, value);
  return QString::fromLatin1(line, end - line);
}

QStringList RelocateUFIF20(QByteArray& image, const QString& firmwareText) {
  const TFirmwareChoice choice = ParseFirmwareText(firmwareText);
  const quint32 base = quint32(StrToInt(choice.AddressText));
  const auto relocate = [base](quint32 address) { return address - OldTableBase + base; };

  QStringList report;
  TImageWords words(image);
  qsizetype p = ScanStart;
  while (words.Holds(p)) {
    const quint32 w = words.At(p);
    if (w == StubAMarker && words.Holds(p + StubALiteral) &&
        InOldArea(words.At(p + StubALiteral))) {
      const quint32 literal = words.At(p + StubALiteral);
      words.Set(p + StubALiteral, relocate(literal == MovedEntry ? MovedEntryTarget : literal));
      p += StubALiteral + 4;
      continue;
    }
    if (w == StubBMarker && words.Holds(p + StubBLiteral) &&
        InOldArea(words.At(p + StubBLiteral))) {
      words.Set(p + StubBLiteral, relocate(words.At(p + StubBLiteral)));
      p += StubBLiteral + 8;
      continue;
    }
    if (IsRelocatedDataWord(w))
      words.Set(p, relocate(w));
    else if (w == DefaultModelWord)
      words.Set(p, choice.ModelWord);
    else if (w > ReportFloor && w < OldAreaEnd)
      report.append(BadAddressLine(p, w));
    p += 4;
  }
  return report;
}
