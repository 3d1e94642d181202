#include "transfer/ops/historystore.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

#include "common/errors.h"
#include "common/fileio.h"
#include "common/texts.h"
#include "transfer/limits.h"

namespace {

const QString ChangeFileName = QStringLiteral("change.json");
// change.json is a few hundred bytes; anything far larger is not ours.
constexpr qint64 ChangeFileLimit = 64 * 1024;
constexpr int MaxNumberTries = 100;

QJsonObject StateJson(const TSectionState& state) {
  return {{QStringLiteral("size"), state.Size},
          {QStringLiteral("sha256"), QString::fromLatin1(state.Sha256)},
          {QStringLiteral("description"), state.Description}};
}

TSectionState StateFromJson(const QJsonValue& value) {
  TSectionState state;
  if (!value.isObject())
    return state;
  const QJsonObject object = value.toObject();
  state.Known = true;
  state.Size = qint64(object.value(QStringLiteral("size")).toDouble(-1));
  state.Sha256 = object.value(QStringLiteral("sha256")).toString().toLatin1();
  state.Description = object.value(QStringLiteral("description")).toString();
  return state;
}

bool ValidState(const TSectionState& state) {
  if (!state.Known)
    return true;
  return state.Size == 0 ? state.Sha256.isEmpty() : state.Size > 0 && state.Sha256.size() == 64;
}

qint64 EntryNumber(const QString& name) {
  bool ok = false;
  const qint64 number = name.toLongLong(&ok);
  return ok && number > 0 && QString::number(number) == name ? number : 0;
}

// The entries' folders by number, oldest first; other files in the folder are not ours.
QList<qint64> EntryNumbers(const QString& dir) {
  QList<qint64> numbers;
  const QStringList names = QDir(dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
  for (const QString& name : names) {
    if (const qint64 number = EntryNumber(name))
      numbers << number;
  }
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

qint64 FolderBytes(const QString& dir) {
  qint64 bytes = 0;
  for (const QFileInfo& file : QDir(dir).entryInfoList(QDir::Files | QDir::Hidden))
    bytes += file.size();
  return bytes;
}

}  // namespace

THistoryStore::THistoryStore(THistoryConfig history) : config_(std::move(history)) {}

QString THistoryStore::Add(const TSectionAddress& address, const QString& change,
                           const QByteArray& before) {
  if (!QDir().mkpath(config_.Dir))
    throw EFCreateError(config_.Dir);
  const QList<qint64> numbers = EntryNumbers(config_.Dir);
  qint64 number = numbers.isEmpty() ? 1 : numbers.last() + 1;
  // Another process may take a number at the same moment: mkdir decides who has it. A
  // folder that takes none at all is not writable.
  const qint64 first = number;
  while (!QDir(config_.Dir).mkdir(QString::number(number))) {
    if (++number - first > MaxNumberTries)
      throw EFCreateError(QDir(config_.Dir).filePath(QString::number(first)));
  }
  THistoryEntry entry;
  entry.Id = QString::number(number);
  entry.Dir = QDir(config_.Dir).filePath(entry.Id);
  entry.Time = QDateTime::currentDateTimeUtc();
  entry.Change = change;
  entry.Address = address;
  entry.Before = StateOfBytes(before);
  SaveFile(BackupFilePath(entry.Dir, address), before);
  TManifest manifest;
  manifest.Time = entry.Time;
  TManifestEntry section;
  section.Address = address;
  section.Size = before.size();
  section.Sha256 = entry.Before.Sha256;
  manifest.Entries << section;
  SaveFile(QDir(entry.Dir).filePath(QString::fromLatin1(ManifestFileName)), ManifestJson(manifest));
  WriteChange(entry);
  return entry.Id;
}

void THistoryStore::Finish(const QString& id, const TSectionState& after) {
  THistoryEntry entry = ReadEntry(id);
  if (!entry.Problem.isEmpty())
    return;
  if (after.Known && after == entry.Before) {
    QDir(entry.Dir).removeRecursively();
    return;
  }
  entry.After = after;
  WriteChange(entry);
  Prune();
}

void THistoryStore::MarkTakenBack(const QString& id) const {
  THistoryEntry entry = ReadEntry(id);
  // The mark is what keeps the change from being offered again: one that cannot be made is
  // told, never passed over.
  if (!entry.Problem.isEmpty())
    throw EFCreateError(QDir(entry.Dir).filePath(ChangeFileName), entry.Problem);
  if (entry.TakenBack)
    return;
  entry.TakenBack = true;
  WriteChange(entry);
}

void THistoryStore::WriteChange(const THistoryEntry& entry) const {
  QJsonObject object{{QStringLiteral("id"), entry.Id},
                     {QStringLiteral("time"), entry.Time.toString(Qt::ISODateWithMs)},
                     {QStringLiteral("change"), entry.Change},
                     {QStringLiteral("address"), entry.Address.Text()},
                     {QStringLiteral("before"), StateJson(entry.Before)}};
  if (entry.After.Known)
    object.insert(QStringLiteral("after"), StateJson(entry.After));
  if (entry.TakenBack)
    object.insert(QStringLiteral("takenBack"), true);
  SaveFile(QDir(entry.Dir).filePath(ChangeFileName), QJsonDocument(object).toJson());
}

THistoryEntry THistoryStore::ReadEntry(const QString& id) const {
  THistoryEntry entry;
  entry.Id = id;
  entry.Dir = QDir(config_.Dir).filePath(id);
  TBackupRead<QByteArray> json;
  // An entry that cannot be read is listed as damaged, like one whose file says nonsense.
  try {
    json = ReadBackupFile(QDir(entry.Dir).filePath(ChangeFileName), ChangeFileLimit);
  } catch (const Exception& error) {
    json.Problem = error.Message();
  }
  if (!json.Ok()) {
    entry.Problem = json.Problem;
    return entry;
  }
  const QJsonObject object = QJsonDocument::fromJson(json.Value).object();
  entry.Time =
      QDateTime::fromString(object.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs);
  entry.Change = object.value(QStringLiteral("change")).toString();
  entry.Before = StateFromJson(object.value(QStringLiteral("before")));
  entry.After = StateFromJson(object.value(QStringLiteral("after")));
  entry.TakenBack = object.value(QStringLiteral("takenBack")).toBool();
  const std::optional<TSectionAddress> address =
      ParseSectionAddress(object.value(QStringLiteral("address")).toString());
  entry.Address = address.value_or(TSectionAddress());
  if (!address || object.value(QStringLiteral("id")).toString() != id || !entry.Time.isValid() ||
      !entry.Before.Known || entry.Before.Size <= 0 || !ValidState(entry.Before) ||
      !ValidState(entry.After))
    //: %1 is the name of the change's file, change.json
    entry.Problem = TTransferText::tr("its %1 is damaged").arg(ChangeFileName);
  return entry;
}

QList<THistoryEntry> THistoryStore::Entries() const {
  QList<THistoryEntry> entries;
  for (const qint64 number : EntryNumbers(config_.Dir))
    entries << ReadEntry(QString::number(number));
  return entries;
}

TBackupRead<THistoryEntry> THistoryStore::Entry(const QString& id) const {
  TBackupRead<THistoryEntry> read;
  if (!EntryNumber(id) || !QFileInfo(QDir(config_.Dir).filePath(id)).isDir()) {
    read.Problem = TTransferText::tr("The history holds no change %1").arg(id);
    return read;
  }
  read.Value = ReadEntry(id);
  if (!read.Value.Problem.isEmpty())
    read.Problem =
        TTransferText::tr("Change %1 of the history is damaged (%2): nothing was written")
            .arg(id, read.Value.Problem);
  return read;
}

TBackupRead<QByteArray> THistoryStore::KeptBytes(const THistoryEntry& entry) const {
  const TBackupRead<TManifest> manifest = ReadManifest(entry.Dir);
  if (!manifest.Ok())
    return {{}, manifest.Problem};
  const QList<TManifestEntry>& entries = manifest.Value.Entries;
  if (entries.size() != 1 || !(entries[0].Address == entry.Address) ||
      entries[0].State != TManifestEntry::Stored || entries[0].Sha256 != entry.Before.Sha256 ||
      entries[0].Size > UploadBufferSize)
    return {{},
            TTransferText::tr("Change %1 of the history is damaged (its manifest does not match "
                              "the change): nothing was written")
                .arg(entry.Id)};
  return ReadStoredSection(entry.Dir, entries[0]);
}

void THistoryStore::Prune() const {
  QList<qint64> numbers = EntryNumbers(config_.Dir);
  QList<qint64> sizes;
  qint64 total = 0;
  for (const qint64 number : numbers) {
    sizes << FolderBytes(QDir(config_.Dir).filePath(QString::number(number)));
    total += sizes.last();
  }
  // The newest entry stays whatever its size: it is the change just made.
  while (numbers.size() > 1 && (numbers.size() > config_.MaxEntries || total > config_.MaxBytes)) {
    QDir(QDir(config_.Dir).filePath(QString::number(numbers.takeFirst()))).removeRecursively();
    total -= sizes.takeFirst();
  }
}
