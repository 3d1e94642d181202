#include "link/wineports.h"

#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <cstring>

#include "common/fileio.h"
#include "common/texts.h"

namespace {

const QString kPortsKey = QStringLiteral("HKLM\\Software\\Wine\\Ports");
// Beside Wine's own files in the prefix, under a name Wine never uses.
const QString kRecordName = QStringLiteral("kiv-manager-ports");

QString RecordPath(const TWine& wine) {
  return wine.Prefix + QLatin1Char('/') + kRecordName;
}

QString DeviceLink(const TWine& wine, int port) {
  return QStringLiteral("%1/dosdevices/com%2").arg(wine.Prefix).arg(port);
}

// The port cannot be used because its mapping in the prefix failed: what failed.
TLinkStatus MappingFailed(const TWine& wine, const QString& what) {
  //: %1 is the Wine prefix's folder, %2 what failed
  return DeviceFailure(TLinkText::tr("Cannot map the serial ports in the Wine prefix %1: %2")
                           .arg(wine.Prefix, what));
}

// Points the prefix's link of the port at the device, replacing it in one step; an empty
// device removes it.
TLinkStatus SetDeviceLink(const TWine& wine, int port, const QString& device) {
  const QString link = DeviceLink(wine, port);
  if (device.isEmpty()) {
    const QFileInfo old(link);
    return !old.isSymLink() || QFile::remove(link)
               ? TLinkStatus()
               : MappingFailed(wine, TLinkText::tr("Cannot remove %1").arg(link));
  }
  if (QFileInfo(link).symLinkTarget() == QFileInfo(device).absoluteFilePath())
    return {};
  const QString fresh = link + QStringLiteral(".kiv-new");
  QFile::remove(fresh);
  if (::symlink(QFile::encodeName(device).constData(), QFile::encodeName(fresh).constData()) != 0 ||
      ::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(link).constData()) != 0) {
    const QString reason = QString::fromLocal8Bit(strerror(errno));
    QFile::remove(fresh);
    //: %1 is the prefix's link of a port, %2 the device, %3 the system's reason
    return MappingFailed(wine, TLinkText::tr("Cannot link %1 to %2: %3").arg(link, device, reason));
  }
  return {};
}

// Before a line of the record, the device Wine itself had linked to a port that was taken
// over, so that giving the port back gives it that device again.
const QString kWinesOwn = QStringLiteral("was ");

// What the record keeps: the mapping written, and Wine's own links of the ports it took.
struct TPortsRecord {
  TSerialMap Written;
  TSerialMap WinesOwn;
};

TPortsRecord ReadRecord(const TWine& wine) {
  TPortsRecord read;
  // A prefix made afresh holds none of what an earlier one was given.
  if (!wine.PrefixMade || !IsRegularOrAbsent(RecordPath(wine)))
    return read;
  QFile record(RecordPath(wine));
  if (!record.open(QIODevice::ReadOnly))
    return read;
  for (QString line : QString::fromUtf8(record.readAll()).split(QLatin1Char('\n'))) {
    const bool own = line.startsWith(kWinesOwn);
    if (const auto mapping = ParseSerialMapping(own ? line.mid(kWinesOwn.size()) : line))
      (own ? read.WinesOwn : read.Written).insert(mapping->Port, mapping->Device);
  }
  return read;
}

QString RecordText(const TPortsRecord& record) {
  QString text;
  for (auto port = record.Written.cbegin(); port != record.Written.cend(); ++port)
    text += QStringLiteral("COM%1=%2\n").arg(port.key()).arg(port.value());
  for (auto port = record.WinesOwn.cbegin(); port != record.WinesOwn.cend(); ++port)
    text += kWinesOwn + QStringLiteral("COM%1=%2\n").arg(port.key()).arg(port.value());
  return text;
}

}  // namespace

TSerialMap WrittenWinePorts(const TWine& wine) {
  return ReadRecord(wine).Written;
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
  return commands;
}

TLinkStatus ApplyWinePorts(const TWine& wine, const TSerialMap& wanted, const TWineWatch& watch) {
  const TPortsRecord before = ReadRecord(wine);
  TPortsRecord after{wanted, before.WinesOwn};
  for (const TWineCommand& command : WinePortCommands(wine, wanted, before.Written)) {
    const TWineRun ran = RunWineCommand(wine, command, watch);
    if (!ran.Done)
      return MappingFailed(wine, ran.Problem);
  }
  // The links after the values: a wineserver that the commands started has made its links
  // from the values by now. A host already running opens the new device at its next opening.
  // A port given back gets the device Wine had linked to it before.
  for (int port = kFirstComPort; port <= kLastComPort; ++port) {
    if (!wanted.contains(port) && !before.Written.contains(port))
      continue;  // Wine's own choice, left as it is
    if (wanted.contains(port) && !before.Written.contains(port)) {
      const QString own = QFileInfo(DeviceLink(wine, port)).symLinkTarget();
      if (!own.isEmpty())
        after.WinesOwn.insert(port, own);
    }
    const TLinkStatus linked =
        SetDeviceLink(wine, port, wanted.value(port, before.WinesOwn.value(port)));
    if (linked.Reason != TLinkReason::None)
      return linked;
    if (!wanted.contains(port))
      after.WinesOwn.remove(port);
  }
  if (after.Written == before.Written && after.WinesOwn == before.WinesOwn)
    return {};
  QSaveFile record(RecordPath(wine));
  const QByteArray text = RecordText(after).toUtf8();
  if (!record.open(QIODevice::WriteOnly) || record.write(text) != text.size() || !record.commit())
    //: %1 is the record's file, %2 the system's reason
    return DeviceFailure(TLinkText::tr("Cannot record the serial ports in %1: %2")
                             .arg(record.fileName(), record.errorString()));
  return {};
}
