#include "tests/wine/winetest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>
#include <cstdio>

#include "link/winehost.h"
#include "phone/store.h"
#include "tests/support/virtualphone.h"

namespace {

// What CTest takes as "skipped" (SKIP_RETURN_CODE).
constexpr int kSkipped = 77;
constexpr int kProbeWaitMs = 120000;

QString Wineserver(const TWine& wine) {
  const QString beside = QFileInfo(wine.Loader).absolutePath() + QStringLiteral("/wineserver");
  return QFileInfo(beside).isExecutable()
             ? beside
             : QStandardPaths::findExecutable(QStringLiteral("wineserver"));
}

// Why Wine cannot run the link host of the width here: run without a library, the host
// says how it is used and exits with status 2.
QString WineCannotRun(int bits) {
  const TWine wine = FindWine(bits);
  if (!wine.Found())
    return WineMissingText(wine);
  const THostLaunch launch = WineLaunch(wine, BinFile(WindowsHostName(bits)));
  QProcess host;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const QString& setting : launch.Environment)
    environment.insert(setting.section(QLatin1Char('='), 0, 0),
                       setting.section(QLatin1Char('='), 1));
  host.setProcessEnvironment(environment);
  host.start(launch.Program, launch.Arguments);
  if (!host.waitForFinished(kProbeWaitMs)) {
    host.kill();
    host.waitForFinished();
    return QStringLiteral("Wine did not end the %1-bit link host within %2 s")
        .arg(bits)
        .arg(kProbeWaitMs / 1000);
  }
  const QString said = QString::fromLocal8Bit(host.readAllStandardError()).trimmed();
  if (host.exitCode() == 2 && said.contains(QStringLiteral("usage: kiv-linkhost")))
    return {};
  return QStringLiteral("%1 did not run the %2-bit link host (exit status %3)%4")
      .arg(wine.Loader)
      .arg(bits)
      .arg(host.exitCode())
      .arg(said.isEmpty() ? QString() : QStringLiteral(": ") + said);
}

}  // namespace

int WineBits() {
  return qEnvironmentVariableIntValue("KIV_TEST_WINE_BITS") == 32 ? 32 : 64;
}

QString BinFile(const QString& name) {
  return QDir(QStringLiteral(KIV_BIN_DIR)).filePath(name);
}

QString WindowsPhone() {
  return BinFile(QStringLiteral("win%1/gbp.dll").arg(WineBits()));
}

QString SerialPhone() {
  return BinFile(QStringLiteral("win%1/serialphone/gbp.dll").arg(WineBits()));
}

void ShareWithWindows(const TVirtualPhone& phone, int port) {
  const QString windowsName =
      QStringLiteral("%1/%2%3")
          .arg(phone.StoreDir(), QLatin1String(gbp::WindowsPortFolderPrefix))
          .arg(port);
  if (!QFile::link(phone.PortDir(port), windowsName))
    qFatal("cannot link %s", qPrintable(windowsName));
}

void EndWineserver(const QString& prefix) {
  const QString wineserver = Wineserver(FindWine(WineBits()));
  if (wineserver.isEmpty() || !QFileInfo::exists(prefix))
    return;
  QProcess end;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("WINEPREFIX"), prefix);
  end.setProcessEnvironment(environment);
  end.start(wineserver, {QStringLiteral("-k")});
  end.waitForFinished();
  // -w waits until the server has gone.
  end.start(wineserver, {QStringLiteral("-w")});
  end.waitForFinished();
}

int RunWineTest(QObject& test, int argc, char** argv) {
  // Never the user's own prefix.
  const QString prefix = qEnvironmentVariable("WINEPREFIX");
  if (prefix.isEmpty() || !QDir::isAbsolutePath(prefix))
    qFatal("WINEPREFIX must name the test's own prefix");
  const QString cannot = WineCannotRun(WineBits());
  if (!cannot.isEmpty()) {
    std::printf("%s: %s\n", WineBits() == 32 ? "SKIP" : "FAIL", qPrintable(cannot));
    EndWineserver(prefix);
    return WineBits() == 32 ? kSkipped : 1;
  }
  const int result = QTest::qExec(&test, argc, argv);
  EndWineserver(prefix);
  return result;
}
