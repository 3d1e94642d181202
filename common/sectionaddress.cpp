#include "common/sectionaddress.h"

#include <QRegularExpression>

QString TSectionAddress::Text() const {
  return QStringLiteral("%1-%2").arg(Section).arg(SubSection);
}

std::optional<TSectionAddress> ParseSectionAddress(const QString& text) {
  static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,3})-([0-9]{1,3})$"));
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch())
    return std::nullopt;
  const int section = match.captured(1).toInt();
  const int subsection = match.captured(2).toInt();
  if (section > MaxAddressNumber || subsection > MaxAddressNumber)
    return std::nullopt;
  return TSectionAddress{section, subsection};
}
