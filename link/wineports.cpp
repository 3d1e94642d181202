#include "link/wineports.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSaveFile>
#include <QStandardPaths>

#include "common/fileio.h"

namespace {

const QString kPortsKey = QStringLiteral("HKLM\\Software\\Wine\\Ports");
// Beside Wine's own files in the prefix, under a name Wine never uses.
const QString kRecordName = QStringLiteral("kiv-manager-ports");
// The first Wine command in a new prefix makes the prefix: 10 to 20 s, far more when busy.
constexpr int kCommandWaitMs = 180000;

QString RecordPath(const TWine& wine) {
  return wine.Prefix + QLatin1Char('/') + kRecordName;
}

QString Wineserver(const TWine& wine) {
  const QFileInfo beside(QFileInfo(wine.Loader).absolutePath() + QStringLiteral("/wineserver"));
  if (beside.isFile() && beside.isExecutable())
    return beside.absoluteFilePath();
  return QStandardPaths::findExecutable(QStringLiteral("wineserver"));
}

QString RecordText(const TSerialMap& map) {
  QString text;
  for (auto port = map.cbegin(); port != map.cend(); ++port)
    text += QStringLiteral("COM%1=%2\n").arg(port.key()).arg(port.value());
  return text;
}

// What the command did wrong; empty when it ran and succeeded.
QString Run(const TWineCommand& command, const QStringList& environment) {
  QProcess process;
  QProcessEnvironment settings = QProcessEnvironment::systemEnvironment();
  for (const QString& setting : environment)
    settings.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
  process.setProcessEnvironment(settings);
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(command.Program, command.Arguments);
  const QString shown = QFileInfo(command.Program).fileName() + QLatin1Char(' ') +
                        command.Arguments.join(QLatin1Char(' '));
  if (!process.waitForFinished(kCommandWaitMs)) {
    process.kill();
    process.waitForFinished();
    return QStringLiteral("%1 did not finish").arg(shown);
  }
  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    return QStringLiteral("%1 failed (exit status %2): %3")
        .arg(shown)
        .arg(process.exitCode())
        .arg(QString::fromLocal8Bit(process.readAll()).trimmed());
  return {};
}

}  // namespace

TSerialMap WrittenWinePorts(const TWine& wine) {
  TSerialMap written;
  // A prefix made afresh holds none of what an earlier one was given.
  if (!wine.PrefixMade || !IsRegularOrAbsent(RecordPath(wine)))
    return written;
  QFile record(RecordPath(wine));
  if (!record.open(QIODevice::ReadOnly))
    return written;
  for (const QString& line : QString::fromUtf8(record.readAll()).split(QLatin1Char('\n'))) {
    int port = 0;
    QString device;
    if (ParseSerialMapping(line, port, device))
      written.insert(port, device);
  }
  return written;
}

QList<TWineCommand> WinePortCommands(const TWine& wine, const TSerialMap& wanted,
                                     const TSerialMap& written) {
  QList<TWineCommand> commands;
  for (auto port = wanted.cbegin(); port != wanted.cend(); ++port) {
    if (written.value(port.key()) != port.value())
      commands << TWineCommand{
          wine.Loader,
          {QStringLiteral("reg"), QStringLiteral("add"), kPortsKey, QStringLiteral("/v"),
           QStringLiteral("COM%1").arg(port.key()), QStringLiteral("/t"), QStringLiteral("REG_SZ"),
           QStringLiteral("/d"), port.value(), QStringLiteral("/f")}};
  }
  for (auto port = written.cbegin(); port != written.cend(); ++port) {
    if (!wanted.contains(port.key()))
      commands << TWineCommand{
          wine.Loader,
          {QStringLiteral("reg"), QStringLiteral("delete"), kPortsKey, QStringLiteral("/v"),
           QStringLiteral("COM%1").arg(port.key()), QStringLiteral("/f")}};
  }
  const QString wineserver = Wineserver(wine);
  // Without a wineserver of its own to end, the next one that starts reads the new values.
  if (!commands.isEmpty() && !wineserver.isEmpty())
    commands << TWineCommand{wineserver, {QStringLiteral("-k")}};
  return commands;
}

QString ApplyWinePorts(const TWine& wine, const TSerialMap& wanted) {
  const QList<TWineCommand> commands = WinePortCommands(wine, wanted, WrittenWinePorts(wine));
  if (commands.isEmpty())
    return {};
  const QStringList environment = WineLaunch(wine, QString()).Environment;
  for (const TWineCommand& command : commands) {
    const QString failure = Run(command, environment);
    // wineserver -k fails when no server runs, which is as good as ended.
    if (!failure.isEmpty() && command.Program == wine.Loader)
      return QStringLiteral("Cannot map the serial ports in the Wine prefix %1: %2")
          .arg(wine.Prefix, failure);
  }
  QDir().mkpath(wine.Prefix);
  QSaveFile record(RecordPath(wine));
  const QByteArray text = RecordText(wanted).toUtf8();
  if (!record.open(QIODevice::WriteOnly) || record.write(text) != text.size() || !record.commit())
    return QStringLiteral("Cannot record the serial ports in %1: %2")
        .arg(record.fileName(), record.errorString());
  return {};
}
