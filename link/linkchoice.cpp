#include "link/linkchoice.h"

#include <QSettings>
#include <cmath>

#include "common/errors.h"
#include "common/fileio.h"

namespace {

// Far beyond any link: a factor that large would wait for months.
constexpr double kLargestFactor = 1000.0;

}  // namespace

double ParseTimeoutFactor(const QString& text) {
  bool ok = false;
  const double factor = text.trimmed().toDouble(&ok);
  return ok && std::isfinite(factor) && factor > 0 && factor <= kLargestFactor ? factor : 0;
}

TLinkChoice LinkChoiceOf(const QSettings& file) {
  TLinkChoice choice;
  choice.Library = file.value(QStringLiteral("Link/Library")).toString().trimmed();
  const QString isolate = file.value(QStringLiteral("Link/Isolate")).toString().trimmed();
  choice.Isolate = isolate.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0 ||
                   isolate == QStringLiteral("1");
  const double factor = ParseTimeoutFactor(file.value(QStringLiteral("Link/Timeout")).toString());
  choice.TimeoutFactor = factor > 0 ? factor : 1.0;
  for (int port = kFirstComPort; port <= kLastComPort; ++port) {
    const QString device = file.value(QStringLiteral("Link/COM%1").arg(port)).toString().trimmed();
    if (!device.isEmpty())
      choice.Serial.insert(port, device);
  }
  return choice;
}

void WriteLinkSettings(const QString& settingsPath, const TLinkChoice& choice) {
  const TIniFile ini = OpenIniFile(settingsPath);
  if (!ini.Settings)
    throw EIniFileException(settingsPath);
  QSettings& file = *ini.Settings;
  file.setValue(QStringLiteral("Link/Library"), choice.Library);
  file.setValue(QStringLiteral("Link/Isolate"),
                choice.Isolate ? QStringLiteral("true") : QStringLiteral("false"));
  file.setValue(QStringLiteral("Link/Timeout"), choice.TimeoutFactor);
  for (int port = kFirstComPort; port <= kLastComPort; ++port) {
    const QString key = QStringLiteral("Link/COM%1").arg(port);
    if (choice.Serial.contains(port))
      file.setValue(key, choice.Serial.value(port));
    else
      file.remove(key);
  }
  file.sync();
  if (file.status() != QSettings::NoError)
    throw EIniFileException(settingsPath);
}
