#include "cli/describe.h"

#include "catalogue/classify.h"
#include "catalogue/gridtext.h"
#include "cli/console.h"
#include "common/bytecount.h"
#include "common/texts.h"

TSlotInfo DescribeBytes(const QByteArray& head, qint32 size) {
  const TSlotInfo cleared;
  if (SizeMeansEmpty(size))
    return EmptySlotInfo(cleared);
  return ClassifySection(cleared, size, head.left(RecognitionBytes));
}

QString KindName(TSlotKind kind) {
  switch (kind) {
    case skEmpty:
      return TCliText::tr("empty");
    case skProgram:
      return TCliText::tr("program");
    case skGIF:
      return TCliText::tr("gif");
    case skOther:
      break;
  }
  return TCliText::tr("other");
}

namespace {

QString FormatTagText(quint32 tag) {
  return QStringLiteral("0x%1").arg(tag, 8, 16, QLatin1Char('0'));
}

}  // namespace

void AddSlotInfoJson(TJsonLine& json, const TSlotInfo& info) {
  AddSlotInfoJson(json, info, FWLabel(info));
}

void AddSlotInfoJson(TJsonLine& json, const TSlotInfo& info, const QString& label) {
  json.Add(QStringLiteral("kind"), KindName(info.Kind))
      .Add(QStringLiteral("caption"), info.Caption)
      .Add(QStringLiteral("format_tag"), FormatTagText(info.FormatTag))
      .Add(QStringLiteral("label"), label)
      .Add(QStringLiteral("icon_index"), qint64(info.IconIndex))
      .Add(QStringLiteral("compressed"), info.Compressed != 0)
      .Add(QStringLiteral("unpacked_size"), qint64(info.UnpackedSize))
      .Add(QStringLiteral("size"), qint64(info.Size));
}

QStringList SlotInfoText(const TSlotInfo& info) {
  QStringList lines{TCliText::tr("Kind: %1").arg(KindName(info.Kind)),
                    TCliText::tr("Caption: %1").arg(ShownCaption(info))};
  if (info.Kind == skProgram) {
    //: %1 is the format word in hexadecimal, %2 the FW column's label: "UFIF 2.1".
    lines << TCliText::tr("Format: %1 (%2)").arg(FormatTagText(info.FormatTag), FWLabel(info));
  }
  //: %1 is the number of the picture in the icon list, or "none".
  lines << TCliText::tr("Icon picture: %1")
               .arg(info.IconIndex < 0 ? TCliText::tr("none") : QString::number(info.IconIndex));
  if (info.Compressed) {
    //: %1 is the compression ratio as the grid shows it.
    lines << TCliText::tr("Compressed: %1, %2 unpacked")
                 .arg(RatioText(info), BytesText(info.UnpackedSize));
  } else {
    lines << TCliText::tr("Compressed: no");
  }
  lines << TCliText::tr("Size: %1").arg(BytesText(info.Size));
  return lines;
}
