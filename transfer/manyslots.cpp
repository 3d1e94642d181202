#include "transfer/manyslots.h"

#include <QRegularExpression>
#include <algorithm>
#include <numeric>

#include "catalogue/classify.h"
#include "common/texts.h"

namespace {

// Long enough for any program's name, short enough for every file system.
constexpr int NameLimit = 64;

QString ExtensionOf(TContentKind kind) {
  switch (kind) {
    case TContentKind::UFIFProgram:
    case TContentKind::PRG3Program:
    case TContentKind::PRG35Program:
      return QStringLiteral(".prg");
    case TContentKind::ElfProgram:
      return QStringLiteral(".elf");
    case TContentKind::LZOContainer:
      return QStringLiteral(".lzo");
    case TContentKind::UFIF2Library:
    case TContentKind::PRG3Library:
      return QStringLiteral(".lib");
    case TContentKind::GIFPicture:
      return QStringLiteral(".gif");
    case TContentKind::Ringer:
      return QStringLiteral(".mid");
    case TContentKind::PicturePack:
      return QStringLiteral(".pack");
    case TContentKind::Data:
      break;
  }
  return QStringLiteral(".bin");
}

QString SafeName(QString name) {
  static const QRegularExpression unsafe(QStringLiteral("[\\x00-\\x1f/\\\\:*?\"<>|]"));
  name.replace(unsafe, QStringLiteral("_"));
  name = name.simplified().left(NameLimit).trimmed();
  // A name of dots alone would be no name, or a folder's.
  while (name.startsWith(QLatin1Char('.')))
    name.remove(0, 1);
  return name;
}

}  // namespace

QString SlotFileName(const TSectionAddress& address, const QByteArray& bytes) {
  const QByteArray head = bytes.left(RecognitionBytes);
  const TSlotInfo info = ClassifySection(TSlotInfo(), qint32(bytes.size()), head);
  const QString name = info.Kind == skProgram ? SafeName(info.Caption) : QString();
  const QString stem = name.isEmpty() ? address.Text() : address.Text() + QLatin1Char(' ') + name;
  // Fewer bytes than a first word are no content of any kind: read as zeros they would pass
  // for a ringer.
  return stem + ExtensionOf(head.size() < 4 ? TContentKind::Data : ContentKindOf(head));
}

QList<int> FreeRowsFrom(const TSlotTable& table, const TSlotRanges& ranges, int startRow,
                        int count) {
  QList<int> rows;
  const int last = ranges.BigSlots + ranges.SmallSlots;
  for (int row = qMax(1, startRow); row <= last && rows.size() < count; ++row) {
    if (table.at(row).Kind == skEmpty && table.at(row).Size <= 0 && !IsNotRead(table.at(row)))
      rows << row;
  }
  return rows;
}

QList<int> RoomOrder(const QList<TRoomChange>& changes) {
  QList<int> order(changes.size());
  std::iota(order.begin(), order.end(), 0);
  const auto growth = [&changes](int i) { return changes[i].After - changes[i].Now; };
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    const bool freesA = growth(a) <= 0;
    const bool freesB = growth(b) <= 0;
    if (freesA != freesB)
      return freesA;
    return growth(a) < growth(b);
  });
  return order;
}

QString ManySummary(int done, int count, int failed, int notReached, int skipped) {
  QStringList parts;
  if (failed > 0)
    parts << TTransferText::tr("%1 failed").arg(failed);
  if (skipped > 0)
    parts << TTransferText::tr("%1 skipped").arg(skipped);
  if (notReached > 0)
    parts << TTransferText::tr("%1 not reached").arg(notReached);
  const QString head = TTransferText::tr("%1 of %n slots done", nullptr, count).arg(done);
  return parts.isEmpty() ? head : head + QStringLiteral("; ") + parts.join(QStringLiteral(", "));
}

QString TooBigForSlotText(qint64 size, int limit, bool unlessPacked) {
  return (unlessPacked ? TTransferText::tr("too big for the slot unless packing shrinks it (%1 "
                                           "bytes, the slot takes %2)")
                       : TTransferText::tr("too big for the slot (%1 bytes, the slot takes %2)"))
      .arg(size)
      .arg(limit);
}
