#include "cli/describe.h"

#include "catalogue/classify.h"
#include "catalogue/gridtext.h"

TSlotInfo DescribeBytes(const QByteArray& head, qint32 size) {
  const TSlotInfo cleared;
  if (SizeMeansEmpty(size))
    return EmptySlotInfo(cleared);
  return ClassifySection(cleared, size, head.left(RecognitionBytes));
}

QString KindName(TSlotKind kind) {
  switch (kind) {
    case skEmpty:
      return QStringLiteral("empty");
    case skProgram:
      return QStringLiteral("program");
    case skGIF:
      return QStringLiteral("gif");
    case skOther:
      break;
  }
  return QStringLiteral("other");
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
  QStringList lines{QStringLiteral("Kind: %1").arg(KindName(info.Kind)),
                    QStringLiteral("Caption: %1").arg(info.Caption)};
  if (info.Kind == skProgram) {
    lines << QStringLiteral("Format: %1 (%2)").arg(FormatTagText(info.FormatTag), FWLabel(info));
  }
  lines << QStringLiteral("Icon picture: %1")
               .arg(info.IconIndex < 0 ? QStringLiteral("none") : QString::number(info.IconIndex));
  if (info.Compressed) {
    lines << QStringLiteral("Compressed: %1, %2 bytes unpacked")
                 .arg(RatioText(info))
                 .arg(info.UnpackedSize);
  } else {
    lines << QStringLiteral("Compressed: no");
  }
  lines << QStringLiteral("Size: %1 bytes").arg(info.Size);
  return lines;
}
