#include "link/serialdevice.h"

#include <QRegularExpression>

#include "common/texts.h"

std::optional<TSerialMapping> ParseSerialMapping(const QString& text) {
  static const QRegularExpression pattern(QStringLiteral("^COM([1-4])=(.+)$"),
                                          QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch() || match.captured(2).trimmed().isEmpty())
    return std::nullopt;
  return TSerialMapping{match.captured(1).toInt(), match.captured(2).trimmed()};
}

TSerialDeviceInfo NamedDevice(const QString& device, const QList<TSerialDeviceInfo>& present) {
  for (const TSerialDeviceInfo& known : present) {
    if (known.Device == device)
      return known;
  }
  return {device, QString()};
}

QString DeviceText(const TSerialDeviceInfo& device) {
  return QStringLiteral("%1 (%2)").arg(device.Device, device.Description.isEmpty()
                                                          ? TLinkText::tr("no description")
                                                          : device.Description);
}
