#include "link/winehost.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

// Making a new prefix takes 10 to 20 s; the host's start may take this much longer then.
constexpr qint64 kPrefixSetupMs = 120000;
constexpr int kVersionWaitMs = 10000;

QString DefaultPrefix() {
  QString data = qEnvironmentVariable("XDG_DATA_HOME");
  if (data.isEmpty())
    data = QDir::homePath() + QStringLiteral("/.local/share");
  return data + QStringLiteral("/kiv-manager/wine");
}

}  // namespace

TWine FindWine() {
  TWine wine;
  const QString loader = qEnvironmentVariable("WINELOADER");
  if (!loader.isEmpty()) {
    const QFileInfo info(loader);
    if (info.isFile() && info.isExecutable())
      wine.Loader = info.absoluteFilePath();
  } else {
    wine.Loader = QStandardPaths::findExecutable(QStringLiteral("wine"));
  }
  wine.Prefix = qEnvironmentVariable("WINEPREFIX");
  if (wine.Prefix.isEmpty())
    wine.Prefix = DefaultPrefix();
  wine.Prefix = QFileInfo(wine.Prefix).absoluteFilePath();  // Wine takes no other
  wine.PrefixMade = QFileInfo::exists(wine.Prefix + QStringLiteral("/system.reg"));
  return wine;
}

THostLaunch WineLaunch(const TWine& wine, const QString& windowsHost) {
  // Wine makes the prefix's own folder, not the folders above it.
  QDir().mkpath(QFileInfo(wine.Prefix).absolutePath());
  THostLaunch launch;
  launch.Program = wine.Loader;
  launch.Arguments = {windowsHost};
  launch.Environment = {QStringLiteral("WINEPREFIX=") + wine.Prefix,
                        QStringLiteral("WINEDEBUG=-all"),
                        QStringLiteral("WINEDLLOVERRIDES=mscoree,mshtml=")};
  launch.ExtraStartMs = wine.PrefixMade ? 0 : kPrefixSetupMs;
  return launch;
}

QString WineVersion(const TWine& wine) {
  if (wine.Loader.isEmpty())
    return {};
  QProcess process;
  process.start(wine.Loader, {QStringLiteral("--version")});
  if (!process.waitForFinished(kVersionWaitMs)) {
    process.kill();
    process.waitForFinished();
    return {};
  }
  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    return {};
  return QString::fromLocal8Bit(process.readAllStandardOutput())
      .section(QLatin1Char('\n'), 0, 0)
      .trimmed();
}

QString WineMissingText() {
  const QString loader = qEnvironmentVariable("WINELOADER");
  const QString which = loader.isEmpty()
                            ? QStringLiteral("Wine is not installed (no wine on the PATH)")
                            : QStringLiteral("WINELOADER=%1 is no program").arg(loader);
  return QStringLiteral(
             "%1: a 32-bit Windows library runs under Wine. On Debian, install it with\n"
             "  sudo dpkg --add-architecture i386\n"
             "  sudo apt-get update\n"
             "  sudo apt-get install wine wine32:i386")
      .arg(which);
}

QString WinePrefixSetupText(const TWine& wine) {
  return QStringLiteral("Setting up Wine in %1 (once; this may take half a minute)...")
      .arg(wine.Prefix);
}
