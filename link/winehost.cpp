#include "link/winehost.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "common/texts.h"

namespace {

// Making a new prefix takes 10 to 20 s; the host's start may take this much longer then.
constexpr qint64 kPrefixSetupMs = 120000;
// Where no program runs in the prefix, Wine boots it before the host runs: its wineserver,
// wineboot --init, services and devices. That takes seconds on an idle machine, past 15 s
// under load, and longer right after a command, while the last one's Wine is still shutting
// down; every start under Wine may take this much longer, times the factor.
constexpr qint64 kPrefixBootMs = 45000;
constexpr int kVersionWaitMs = 10000;

// Where Debian's packages put Wine's loaders: wine64 installs the 64-bit one, wine32 the
// 32-bit one, and Debian's /usr/bin/wine (package wine) runs the 32-bit one when it is
// there, else the 64-bit one.
const QString kDebianWine64 = QStringLiteral("/usr/lib/wine/wine64");
const QString kDebianWine32 = QStringLiteral("/usr/lib/wine/wine");
const QString kDebianWine = QStringLiteral("/usr/bin/wine");

QString DefaultPrefix() {
  QString data = qEnvironmentVariable("XDG_DATA_HOME");
  if (data.isEmpty())
    data = QDir::homePath() + QStringLiteral("/.local/share");
  return data + QStringLiteral("/kiv-manager/wine");
}

bool IsProgram(const QString& path) {
  const QFileInfo info(path);
  return info.isFile() && info.isExecutable();
}

QString Find64BitLoader() {
  if (IsProgram(kDebianWine64))
    return kDebianWine64;
  const QString wine64 = QStandardPaths::findExecutable(QStringLiteral("wine64"));
  return wine64.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("wine")) : wine64;
}

// wine for the 32-bit host, or nothing with only64 set where the Wine found runs only
// 64-bit programs.
QString Find32BitLoader(bool& only64) {
  const QString wine = QStandardPaths::findExecutable(QStringLiteral("wine"));
  const bool debianWithout32 = QFileInfo(wine).canonicalFilePath() == kDebianWine &&
                               IsProgram(kDebianWine64) && !IsProgram(kDebianWine32);
  only64 = debianWithout32 || (wine.isEmpty() && !Find64BitLoader().isEmpty());
  return only64 ? QString() : wine;
}

}  // namespace

TWine FindWine(int bits) {
  TWine wine;
  wine.Bits = bits;
  const QString loader = qEnvironmentVariable("WINELOADER");
  if (!loader.isEmpty()) {
    if (IsProgram(loader))
      wine.Loader = QFileInfo(loader).absoluteFilePath();
  } else {
    wine.Loader = bits == 64 ? Find64BitLoader() : Find32BitLoader(wine.Only64);
  }
  wine.Prefix = qEnvironmentVariable("WINEPREFIX");
  if (wine.Prefix.isEmpty())
    wine.Prefix = DefaultPrefix();
  wine.Prefix = QFileInfo(wine.Prefix).absoluteFilePath();  // Wine takes no other
  // Wine stamps a prefix once it has set it up, and writes its registry files only when
  // its wineserver ends.
  wine.PrefixMade = QFileInfo::exists(wine.Prefix + QStringLiteral("/.update-timestamp")) ||
                    QFileInfo::exists(wine.Prefix + QStringLiteral("/system.reg"));
  return wine;
}

QString Wine32BitLoaderProgram(const TWine& wine) {
  const QString loader = QFileInfo(wine.Loader).canonicalFilePath();
  if (loader == kDebianWine)
    return IsProgram(kDebianWine32) ? kDebianWine32 : QString();
  return loader;
}

QString WindowsHostName(int bits) {
  return QStringLiteral("kiv-linkhost-win%1.exe").arg(bits);
}

THostLaunch WineLaunch(const TWine& wine, const QString& windowsHost) {
  // Wine makes the prefix's own folder, not the folders above it.
  QDir().mkpath(QFileInfo(wine.Prefix).absolutePath());
  THostLaunch launch;
  launch.Program = wine.Loader;
  launch.Arguments = {windowsHost};
  // winemenubuilder would put menu entries and file associations into the user's desktop
  // while the prefix is made.
  launch.Environment = {QStringLiteral("WINEPREFIX=") + wine.Prefix,
                        QStringLiteral("WINEDLLOVERRIDES=mscoree,mshtml=;winemenubuilder.exe=d")};
  // Wine's own messages stay out of the host's last words, unless whoever started the
  // manager asked Wine for them: a host that ends without a word can then be looked into.
  if (!qEnvironmentVariableIsSet("WINEDEBUG"))
    launch.Environment << QStringLiteral("WINEDEBUG=-all");
  launch.SlowStartMs = kPrefixBootMs;
  launch.ExtraStartMs = wine.PrefixMade ? 0 : WinePrefixSetupMs();
  launch.EndGroup = false;
  return launch;
}

QString WineVersion(const TWine& wine) {
  if (!wine.Found())
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

QString WineMissingText(const TWine& wine) {
  const QString install32 = TLinkText::tr(
      "On Debian, install it with\n"
      "  sudo dpkg --add-architecture i386\n"
      "  sudo apt-get update\n"
      "  sudo apt-get install wine wine32:i386");
  if (wine.Only64)
    return TLinkText::tr(
               "This Wine runs only 64-bit programs: install wine32 for a 32-bit "
               "Windows library.") +
           QLatin1Char(' ') + install32;
  const QString loader = qEnvironmentVariable("WINELOADER");
  if (!loader.isEmpty()) {
    //: %1 is the program WINELOADER names, %2 is 32 or 64
    return TLinkText::tr(
               "WINELOADER=%1 is no program: a %2-bit Windows library runs under "
               "Wine.")
        .arg(loader, QString::number(wine.Bits));
  }
  if (wine.Bits == 64) {
    //: %1 is where Debian's wine64 package puts Wine
    return TLinkText::tr(
               "Wine is not installed (no %1, no wine64 or wine on the PATH): a 64-bit Windows "
               "library runs under Wine. On Debian, install it with\n"
               "  sudo apt-get install wine64")
        .arg(kDebianWine64);
  }
  return TLinkText::tr(
             "Wine is not installed (no wine on the PATH): a 32-bit Windows library "
             "runs under Wine.") +
         QLatin1Char(' ') + install32;
}

QString Wine32StartHint() {
  return TLinkText::tr(
      "A Wine that runs only 64-bit programs ends a 32-bit one this way: "
      "install wine32 (sudo apt-get install wine32:i386 on Debian, after "
      "sudo dpkg --add-architecture i386).");
}

qint64 WinePrefixSetupMs() {
  return kPrefixSetupMs;
}

QString WinePrefixSetupText(const TWine& wine) {
  //: %1 is the Wine prefix's folder
  return TLinkText::tr("Setting up Wine in %1 (once; this may take half a minute)...")
      .arg(wine.Prefix);
}
