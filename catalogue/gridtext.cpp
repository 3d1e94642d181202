#include "catalogue/gridtext.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>

#include "catalogue/classify.h"
#include "common/bytecount.h"
#include "common/texts.h"
#include "ufif/icons.h"
#include "ufif/ufifheader.h"

namespace {

const char* const NotReadDescription = QT_TRANSLATE_NOOP("Catalogue", "not read");
const char* const EmptyDescription = QT_TRANSLATE_NOOP("Catalogue", "empty");

// The largest program that fits a big slot uncompressed; bigger sections are drawn red
// against the 64 KiB scale.
constexpr qint32 ImageScale = 0x5400;
constexpr qint32 BigSlotScale = 0x10000;
constexpr qint32 SmallSlotScale = 2048;

struct TFirmwareLabel {
  quint32 Tag;
  const char* Label;
};

// Exact tags whose label differs from what their digits would spell.
constexpr TFirmwareLabel NamedTags[] = {{0x20031004, "3.10/4"},
                                        {0x20036005, "3.6/5"},
                                        {0x20054206, "5.4.2/6"},
                                        {PRG3Tag, "PRG 3"},
                                        {PRG35Tag, "PRG 3.5"}};

// A rectangle given by exclusive right and bottom edges, as the grid's cells are.
QRect EdgeRect(int left, int top, int right, int bottom) {
  return QRect(left, top, right - left, bottom - top);
}

int RightEdge(const QRect& rect) {
  return rect.left() + rect.width();
}
int BottomEdge(const QRect& rect) {
  return rect.top() + rect.height();
}

// size * 100 / unpackedSize in wrapping 32-bit arithmetic; unpackedSize must not be 0.
qint32 WrappedPercentOf(qint32 size, qint32 unpackedSize) {
  const qint32 scaled = qint32(quint32(size) * 100u);
  if (scaled == std::numeric_limits<qint32>::min() && unpackedSize == -1)
    return scaled;
  return scaled / unpackedSize;
}

// A slot's number within its group, counted from 1.
int SlotNumber(int row, const TSlotRanges& ranges) {
  return IsSmallSlotRow(row, ranges) ? row - ranges.BigSlots : row;
}

// The texts column 1 draws: caption, the container's ratio, the size.
QStringList ContentTexts(const TSlotInfo& slot, QChar decimalPoint) {
  QStringList texts;
  if (!slot.Caption.isEmpty())
    texts << ShownCaption(slot);
  if (slot.Compressed)
    texts << CompressionRatioText(slot.Size, slot.UnpackedSize, decimalPoint);
  texts << QString::number(slot.Size);
  return texts;
}

// The code of the icon a picture shows, as the icon list writes it; empty when the grid
// draws no icon (a picture index of 0 or below) or no code has that picture.
QString IconCodeText(int picture) {
  if (picture <= 0)
    return {};
  for (const TIconItem& item : IconItems())
    if (item.Picture == picture)
      return item.Caption();
  return {};
}

QString KindText(const TSlotInfo& slot) {
  switch (slot.Kind) {
    case skEmpty:
      if (IsNotRead(slot))
        return TCatalogueText::tr("Not read");
      return slot.Caption.isEmpty() ? TCatalogueText::tr("Not refreshed yet")
                                    : TCatalogueText::tr("Empty");
    case skProgram:
      return slot.Caption.isEmpty() ? TCatalogueText::tr("Not read (size only)")
                                    : TCatalogueText::tr("Program");
    case skGIF:
      return TCatalogueText::tr("GIF picture");
    case skOther:
      break;
  }
  return TCatalogueText::tr("Data");
}

QString OneLineDescription(const TSlotInfo& info, TWording wording) {
  const auto text = [wording](const char* source) {
    return Worded<TCatalogueText>(wording, source);
  };
  if (IsNotRead(info))
    return text(NotReadDescription);
  if (info.Kind == skEmpty)
    return text(EmptyDescription);
  QStringList parts{wording == TWording::Shown ? ShownCaption(info) : info.Caption,
                    BytesText(info.Size, wording)};
  for (const QString& extra : {RatioText(info), FWLabel(info)}) {
    if (!extra.isEmpty())
      parts << extra;
  }
  return parts.join(QStringLiteral(", "));
}

}  // namespace

QString HeaderCaption(int col) {
  switch (col) {
    case 0:
      return QStringLiteral("#");
    case 1:
      return TCatalogueText::tr("Program & Size");
    case 2:
      //: The firmware column's caption, over 64 pixels: two or three letters.
      return TCatalogueText::tr("FW");
    default:
      return {};
  }
}

QString CellText(int col, int row, const TSlotInfo& slot, const TSlotRanges& ranges,
                 QChar decimalPoint) {
  switch (col) {
    case 0:
      return SlotNumberText(row, ranges) + QLatin1Char(' ') + SlotAddressText(row, ranges);
    case 1:
      return ContentTexts(slot, decimalPoint).join(QStringLiteral(", "));
    case 2:
      return slot.Kind == skProgram ? FormatLabel(slot.FormatTag) : QString();
    default:
      return {};
  }
}

QString SlotDescription(int row, const TSlotInfo& slot, const TSlotRanges& ranges,
                        QChar decimalPoint) {
  const QString address = SlotAddress(row, ranges).Text();
  const QString size = TCatalogueText::tr("Size: %1").arg(BytesText(slot.Size));
  QStringList lines;
  //: %1 is the section ("18-9"), %2 the slot's number in its group
  lines << (IsSmallSlotRow(row, ranges) ? TCatalogueText::tr("Section %1, small slot %2")
                                        : TCatalogueText::tr("Section %1, big slot %2"))
               .arg(address)
               .arg(SlotNumber(row, ranges));
  lines << TCatalogueText::tr("Kind: %1").arg(KindText(slot));
  if (IsNotRead(slot) && slot.Size > 0)
    lines << size;
  if (slot.Kind == skEmpty)
    return lines.join(QLatin1Char('\n'));
  if (!slot.Caption.isEmpty())
    lines << (slot.Kind == skProgram ? TCatalogueText::tr("Name: %1")
                                     : TCatalogueText::tr("Content: %1"))
                 .arg(ShownCaption(slot));
  lines << size;
  if (slot.Kind == skProgram)
    lines << TCatalogueText::tr("Format: %1").arg(FormatLabel(slot.FormatTag));
  const QString icon = IconCodeText(slot.IconIndex);
  if (!icon.isEmpty())
    lines << TCatalogueText::tr("Icon: %1").arg(icon);
  if (slot.Compressed) {
    //: %1 is the compression ratio: "LZO(43.0%)"
    lines << TCatalogueText::tr("Container: %1, %2 unpacked")
                 .arg(CompressionRatioText(slot.Size, slot.UnpackedSize, decimalPoint),
                      BytesText(slot.UnpackedSize));
  }
  return lines.join(QLatin1Char('\n'));
}

QString FormatLabel(quint32 formatTag) {
  if ((formatTag >> 8) == 0x200000)
    return QStringLiteral("UFIF 2");
  if ((formatTag >> 8) == 0x200100)
    return QStringLiteral("UFIF 2.1");
  for (const TFirmwareLabel& named : NamedTags)
    if (named.Tag == formatTag)
      return QString::fromLatin1(named.Label);
  return QString::asprintf("%x.%x.%x/%x", (formatTag >> 16) & 0xF, (formatTag >> 12) & 0xF,
                           (formatTag >> 8) & 0xF, formatTag & 0xF);
}

// A malformed container may claim an unpacked size of 0: no ratio can be told then.
QString CompressionRatioText(qint32 size, qint32 unpackedSize, QChar decimalPoint) {
  if (unpackedSize == 0)
    return QStringLiteral("LZO(?)");
  const qint32 percent = qint32(100u - quint32(WrappedPercentOf(size, unpackedSize)));
  return QStringLiteral("LZO(") + QString::number(percent) + decimalPoint + QStringLiteral("0%)");
}

QString SlotNumberText(int row, const TSlotRanges& ranges) {
  return QStringLiteral("%1.").arg(SlotNumber(row, ranges));
}

QString SlotAddressText(int row, const TSlotRanges& ranges) {
  return QStringLiteral("{%1}").arg(SlotAddress(row, ranges).Text());
}

int BarFullScale(bool smallSlot, qint32 size) {
  if (smallSlot)
    return SmallSlotScale;
  return size <= ImageScale ? ImageScale : BigSlotScale;
}

quint32 BarColour(qint32 size) {
  return size <= ImageScale ? BarBlue : BarRed;
}

// The fill ends at trunc(Left + Width / Scale * Size). Multiplying before dividing keeps a
// full slot exactly full, and the fill stops at the inner edge: a section larger than its
// scale (a small slot holding a big program) shows a full bar instead of painting over the
// size text and the next column.
TBarGeometry BarGeometry(const QRect& cell, bool smallSlot, qint32 size) {
  const int left = cell.left();
  const int top = cell.top();
  const int right = RightEdge(cell);
  const int bottom = BottomEdge(cell);
  TBarGeometry bar;
  bar.Frame = EdgeRect(left + 3, top + cell.height() / 2 + 3, right - 53, bottom - 3);
  bar.Inner = bar.Frame.adjusted(1, 1, -1, -1);
  bar.Colour = BarColour(size);

  const int innerLeft = bar.Inner.left();
  const int innerRight = RightEdge(bar.Inner);
  const double filled = double(innerRight - innerLeft) * size / BarFullScale(smallSlot, size);
  const double fillEdge = std::clamp(std::trunc(innerLeft + filled), double(innerLeft),
                                     double(std::max(innerLeft, innerRight)));
  bar.Fill = EdgeRect(innerLeft, bar.Inner.top(), int(fillEdge), BottomEdge(bar.Inner));
  return bar;
}

QString FWLabel(const TSlotInfo& info) {
  return info.Kind == skProgram ? FormatLabel(info.FormatTag) : QString();
}

QString RatioText(const TSlotInfo& info) {
  return info.Compressed ? CompressionRatioText(info.Size, info.UnpackedSize, QLatin1Char('.'))
                         : QString();
}

QString SlotDescription(const TSlotInfo& info) {
  return OneLineDescription(info, TWording::Shown);
}

QString RecordedSlotDescription(const TSlotInfo& info) {
  return OneLineDescription(info, TWording::Recorded);
}

QString ShownSlotDescription(const QString& recorded) {
  for (const char* whole : {NotReadDescription, EmptyDescription}) {
    if (recorded == QLatin1String(whole))
      return TCatalogueText::tr(whole);
  }
  // The caption, its size, then the ratio and label, whose texts hold no count of bytes.
  static const QRegularExpression parts(
      QStringLiteral("^(.*), %1((, .*)?)$")
          .arg(QRegularExpression::escape(BytesText(0, TWording::Recorded))
                   .replace(QLatin1Char('0'), QLatin1String("(\\d+)"))));
  const QRegularExpressionMatch match = parts.match(recorded);
  if (!match.hasMatch())
    return recorded;
  return ShownCaptionText(match.captured(1)) + QStringLiteral(", ") +
         BytesText(match.captured(2).toLongLong()) + match.captured(3);
}
