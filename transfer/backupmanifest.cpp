#include "transfer/backupmanifest.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

#include "common/fileio.h"
#include "transfer/limits.h"

namespace {

QJsonObject EntryJson(const TManifestEntry& entry) {
  QJsonObject object{{QStringLiteral("address"), entry.Address.Text()}};
  switch (entry.State) {
    case TManifestEntry::Stored:
      object.insert(QStringLiteral("size"), entry.Size);
      object.insert(QStringLiteral("sha256"), QString::fromLatin1(entry.Sha256));
      break;
    case TManifestEntry::Empty:
      object.insert(QStringLiteral("size"), 0);
      object.insert(QStringLiteral("empty"), true);
      break;
    case TManifestEntry::Missing:
      object.insert(QStringLiteral("missing"), true);
      object.insert(QStringLiteral("error"), entry.Error);
      break;
  }
  return object;
}

[[noreturn]] void Malformed(const QString& what) {
  throw EBadBackup(QStringLiteral("The backup's manifest is damaged: %1").arg(what));
}

TManifestEntry ParseEntry(const QJsonObject& object) {
  TManifestEntry entry;
  const QString address = object.value(QStringLiteral("address")).toString();
  if (!ParseSectionAddress(address, entry.Address))
    Malformed(QStringLiteral("'%1' is not a section address").arg(address));
  if (object.value(QStringLiteral("missing")).toBool()) {
    entry.State = TManifestEntry::Missing;
    entry.Error = object.value(QStringLiteral("error")).toString();
    return entry;
  }
  if (object.value(QStringLiteral("empty")).toBool()) {
    // An empty section is cleared by a restore: a size or hash beside it means damage.
    if (object.value(QStringLiteral("size")).toInteger(0) != 0 ||
        object.contains(QStringLiteral("sha256")))
      Malformed(QStringLiteral("section %1 is both empty and stored").arg(address));
    entry.State = TManifestEntry::Empty;
    return entry;
  }
  static const QRegularExpression sha(QStringLiteral("^[0-9a-f]{64}$"));
  entry.Size = object.value(QStringLiteral("size")).toInteger(-1);
  entry.Sha256 = object.value(QStringLiteral("sha256")).toString().toLatin1();
  if (entry.Size < 1 || entry.Size > UploadBufferSize)
    Malformed(QStringLiteral("section %1 has no valid size").arg(address));
  if (!sha.match(QString::fromLatin1(entry.Sha256)).hasMatch())
    Malformed(QStringLiteral("section %1 has no valid SHA-256").arg(address));
  return entry;
}

}  // namespace

QByteArray Sha256Hex(const QByteArray& bytes) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QByteArray ManifestJson(const TManifest& manifest) {
  QJsonArray sections;
  for (const TManifestEntry& entry : manifest.Entries)
    sections.append(EntryJson(entry));
  const QJsonObject root{{QStringLiteral("port"), manifest.Port},
                         {QStringLiteral("time"), manifest.Time.toString(Qt::ISODate)},
                         {QStringLiteral("sections"), sections}};
  return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

TManifest ParseManifest(const QByteArray& json) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(json, &error);
  if (document.isNull())
    Malformed(error.errorString());
  const QJsonObject root = document.object();
  if (!root.value(QStringLiteral("sections")).isArray())
    Malformed(QStringLiteral("no list of sections"));
  TManifest manifest;
  manifest.Port = root.value(QStringLiteral("port")).toString();
  manifest.Time = QDateTime::fromString(root.value(QStringLiteral("time")).toString(), Qt::ISODate);
  QSet<QString> seen;
  for (const QJsonValue value : root.value(QStringLiteral("sections")).toArray()) {
    const TManifestEntry entry = ParseEntry(value.toObject());
    if (seen.contains(entry.Address.Text()))
      Malformed(QStringLiteral("section %1 is listed twice").arg(entry.Address.Text()));
    seen.insert(entry.Address.Text());
    manifest.Entries << entry;
  }
  return manifest;
}

QString BackupFilePath(const QString& dir, const TSectionAddress& address) {
  return QDir(dir).filePath(address.Text());
}

QByteArray ReadBackupFile(const QString& path, qint64 limit) {
  if (QFileInfo(path).isSymLink())
    throw EBadBackup(
        QStringLiteral("%1 is a symbolic link, not a file of the backup: nothing was restored")
            .arg(path));
  const TBoundedBytes file = ReadBounded(path, limit);
  if (file.More)
    throw EBadBackup(
        QStringLiteral("%1 is larger than any file of a backup: nothing was restored").arg(path));
  return file.Bytes;
}

QByteArray ReadStoredSection(const QString& dir, const TManifestEntry& entry) {
  const QString path = BackupFilePath(dir, entry.Address);
  const QByteArray bytes = ReadBackupFile(path, UploadBufferSize);
  if (bytes.size() != entry.Size || Sha256Hex(bytes) != entry.Sha256) {
    throw EBadBackup(
        QStringLiteral("%1 does not match its SHA-256 in the manifest: nothing was restored")
            .arg(path));
  }
  return bytes;
}
