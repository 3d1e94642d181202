#include "ufif/icons.h"

#include <initializer_list>
#include <utility>

#include "common/strtoint.h"

namespace {

using TCodeRange = std::pair<quint16, quint16>;  // first and last code, both included

// The list in dialog order; the items take consecutive pictures, except that picture 19
// belongs to no item.
QVector<TIconItem> BuildIconItems() {
  const std::initializer_list<TCodeRange> beforeGap = {
      {0xE80A, 0xE80F}, {0xE81A, 0xE81F}, {0xE82A, 0xE82A}, {0xE82C, 0xE82F}, {0xE83A, 0xE83B}};
  const std::initializer_list<TCodeRange> afterGap = {
      {0xE83D, 0xE83F}, {0xE84A, 0xE84E}, {0xE85A, 0xE85F}, {0xE86C, 0xE86F}, {0xE87A, 0xE87F},
      {0xE88A, 0xE88F}, {0xE89A, 0xE89F}, {0xE800, 0xE809}, {0xE810, 0xE819}, {0xE820, 0xE829},
      {0xE830, 0xE839}, {0xE840, 0xE848}, {0xE850, 0xE857}, {0xE859, 0xE859}, {0xE862, 0xE868},
      {0xE870, 0xE871}, {0xE875, 0xE879}, {0xE880, 0xE889}, {0xE890, 0xE899}};
  constexpr int unusedPicture = 19;

  QVector<TIconItem> items;
  int picture = 0;
  const auto append = [&](const std::initializer_list<TCodeRange>& ranges) {
    for (const TCodeRange& range : ranges)
      for (int code = range.first; code <= range.second; ++code)
        items.append(TIconItem{quint16(code), picture++});
  };
  append(beforeGap);
  picture = unusedPicture + 1;
  append(afterGap);
  return items;
}

}  // namespace

QString TIconItem::Caption() const {
  return QString::number(Code, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

const QVector<TIconItem>& IconItems() {
  static const QVector<TIconItem> items = BuildIconItems();
  return items;
}

int IconIndexOf(quint32 iconCode) {
  // Every caption is four hexadecimal digits with a non-zero first digit, so the "%X" text
  // of a code equals a caption exactly when the numbers are equal.
  for (const TIconItem& item : IconItems())
    if (item.Code == iconCode)
      return item.Picture;
  return 0;
}

quint32 IconCodeFromCaption(const QString& caption) {
  const std::optional<qint32> code = TryStrToInt(QStringLiteral("0x") + caption);
  return code ? quint32(*code) : DefaultIconCode;
}
