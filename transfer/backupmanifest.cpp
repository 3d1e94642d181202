#include "transfer/backupmanifest.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <algorithm>

#include "common/bytecount.h"
#include "common/fileio.h"
#include "common/messages.h"
#include "common/texts.h"
#include "link/gbp.h"
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

// The manifest's words for a check; a manifest without one was never checked.
const struct {
  TBackupCheck Check;
  const char* Text;
} CheckTexts[] = {{TBackupCheck::Verified, "verified"},
                  {TBackupCheck::Incomplete, "incomplete"},
                  {TBackupCheck::Inconsistent, "inconsistent"},
                  {TBackupCheck::NotVerified, "not verified"}};

QString CheckText(TBackupCheck check) {
  for (const auto& known : CheckTexts) {
    if (known.Check == check)
      return QString::fromLatin1(known.Text);
  }
  return {};
}

// A word this version does not know is trusted no more than a backup that was not verified.
TBackupCheck CheckOf(const QJsonValue& value) {
  if (value.isUndefined())
    return TBackupCheck::Unchecked;
  for (const auto& known : CheckTexts) {
    if (value.toString() == QLatin1String(known.Text))
      return known.Check;
  }
  return TBackupCheck::NotVerified;
}

QString SizeAnswerText(qint64 size) {
  if (size > 0)
    return BytesText(size);
  if (size == 0 || size == GBPSizeNoSection)
    return TTransferText::tr("nothing there");
  if (size == GBPSizeUnknown)
    return TTransferText::tr("a size it did not tell (-5)");
  return TTransferText::tr("no size (%1)").arg(GBPErrorMessage(int(size)));
}

QString Malformed(const QString& what) {
  return TTransferText::tr("The backup's manifest is damaged: %1").arg(what);
}

TBackupRead<TManifestEntry> ParseEntry(const QJsonObject& object) {
  TBackupRead<TManifestEntry> read;
  TManifestEntry& entry = read.Value;
  const QString address = object.value(QStringLiteral("address")).toString();
  const std::optional<TSectionAddress> parsed = ParseSectionAddress(address);
  if (!parsed) {
    read.Problem = Malformed(TTransferText::tr("'%1' is not a section address").arg(address));
    return read;
  }
  entry.Address = *parsed;
  if (object.value(QStringLiteral("missing")).toBool()) {
    entry.State = TManifestEntry::Missing;
    entry.Error = object.value(QStringLiteral("error")).toString();
    return read;
  }
  if (object.value(QStringLiteral("empty")).toBool()) {
    // An empty section is cleared by a restore: a size or hash beside it means damage.
    if (object.value(QStringLiteral("size")).toInteger(0) != 0 ||
        object.contains(QStringLiteral("sha256")))
      read.Problem =
          Malformed(TTransferText::tr("section %1 is both empty and stored").arg(address));
    entry.State = TManifestEntry::Empty;
    return read;
  }
  static const QRegularExpression sha(QStringLiteral("^[0-9a-f]{64}$"));
  entry.Size = object.value(QStringLiteral("size")).toInteger(-1);
  entry.Sha256 = object.value(QStringLiteral("sha256")).toString().toLatin1();
  if (entry.Size < 1 || entry.Size > UploadBufferSize)
    read.Problem = Malformed(TTransferText::tr("section %1 has no valid size").arg(address));
  else if (!sha.match(QString::fromLatin1(entry.Sha256)).hasMatch())
    read.Problem = Malformed(TTransferText::tr("section %1 has no valid SHA-256").arg(address));
  return read;
}

TBackupRead<TManifest> Refused(const QString& problem) {
  TBackupRead<TManifest> read;
  read.Problem = problem;
  return read;
}

}  // namespace

QByteArray Sha256Hex(const QByteArray& bytes) {
  return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QByteArray ManifestJson(const TManifest& manifest) {
  QJsonArray sections;
  for (const TManifestEntry& entry : manifest.Entries)
    sections.append(EntryJson(entry));
  QJsonObject root{{QStringLiteral("port"), manifest.Port},
                   {QStringLiteral("time"), manifest.Time.toString(Qt::ISODate)},
                   {QStringLiteral("sections"), sections}};
  if (!manifest.Library.isEmpty()) {
    root.insert(QStringLiteral("library"), manifest.Library);
    root.insert(QStringLiteral("demo_phone"), manifest.DemoPhone);
  }
  // Older versions read none of these keys and restore as before.
  if (manifest.Check != TBackupCheck::Unchecked)
    root.insert(QStringLiteral("check"), CheckText(manifest.Check));
  if (!manifest.Doubt().isEmpty())
    root.insert(QStringLiteral("check_reason"), manifest.Doubt());
  QJsonArray changed;
  for (const TSizeChange& change : manifest.Changes)
    changed.append(QJsonObject{{QStringLiteral("address"), change.Address.Text()},
                               {QStringLiteral("size_at_end"), change.SizeAtEnd}});
  if (!changed.isEmpty())
    root.insert(QStringLiteral("changed"), changed);
  return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

TBackupRead<TManifest> ParseManifest(const QByteArray& json) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(json, &error);
  if (document.isNull())
    return Refused(Malformed(error.errorString()));
  const QJsonObject root = document.object();
  if (!root.value(QStringLiteral("sections")).isArray())
    return Refused(Malformed(TTransferText::tr("no list of sections")));
  TBackupRead<TManifest> read;
  TManifest& manifest = read.Value;
  manifest.Port = root.value(QStringLiteral("port")).toString();
  manifest.Library = root.value(QStringLiteral("library")).toString();
  manifest.DemoPhone = root.value(QStringLiteral("demo_phone")).toBool();
  manifest.Time = QDateTime::fromString(root.value(QStringLiteral("time")).toString(), Qt::ISODate);
  QSet<QString> seen;
  for (const QJsonValue value : root.value(QStringLiteral("sections")).toArray()) {
    const TBackupRead<TManifestEntry> entry = ParseEntry(value.toObject());
    if (!entry.Ok())
      return Refused(entry.Problem);
    const QString address = entry.Value.Address.Text();
    if (seen.contains(address))
      return Refused(Malformed(TTransferText::tr("section %1 is listed twice").arg(address)));
    seen.insert(address);
    manifest.Entries << entry.Value;
  }
  manifest.Check = CheckOf(root.value(QStringLiteral("check")));
  for (const QJsonValue value : root.value(QStringLiteral("changed")).toArray()) {
    const QString address = value.toObject().value(QStringLiteral("address")).toString();
    const std::optional<TSectionAddress> parsed = ParseSectionAddress(address);
    if (!parsed)
      return Refused(Malformed(TTransferText::tr("'%1' is not a section address").arg(address)));
    manifest.Changes << TSizeChange{*parsed,
                                    value.toObject().value(QStringLiteral("size_at_end")).toInt()};
  }
  return read;
}

int TManifest::Missing() const {
  return int(std::count_if(Entries.begin(), Entries.end(), [](const TManifestEntry& entry) {
    return entry.State == TManifestEntry::Missing;
  }));
}

QString TManifest::Doubt() const {
  QStringList doubts;
  const auto firstMissing = std::find_if(
      Entries.begin(), Entries.end(),
      [](const TManifestEntry& entry) { return entry.State == TManifestEntry::Missing; });
  if (firstMissing != Entries.end())
    //: %3 is the first section not read, %4 why: "Error reading section 18-14"
    doubts << TTransferText::tr(
                  "The backup is incomplete: %1 of its %2 sections were not read (%3: %4)")
                  .arg(Missing())
                  .arg(Entries.size())
                  .arg(firstMissing->Address.Text(), firstMissing->Error);
  if (Check == TBackupCheck::Inconsistent) {
    QStringList addresses;
    for (const TSizeChange& change : Changes)
      addresses << change.Address.Text();
    doubts << TTransferText::tr(
                  "The backup is inconsistent: at its end the phone answered other "
                  "sizes (%1)")
                  .arg(addresses.join(QStringLiteral(", ")));
  }
  if (Check == TBackupCheck::NotVerified)
    doubts << TTransferText::tr(
        "The backup was not verified: the link was lost before every "
        "section's size could be asked again");
  return doubts.join(QStringLiteral(". "));
}

QString TManifest::MadeThroughText() const {
  //: %1 is "demo phone", %2 its library's file
  const QString library =
      DemoPhone ? TTransferText::tr("the %1 (%2)").arg(DemoPhoneText(), Library) : Library;
  //: %1 is the phone-link library, or "the demo phone (its file)"
  return TTransferText::tr("Made through %1").arg(library);
}

QString TManifest::EndText() const {
  const int total = int(Entries.size());
  switch (Check) {
    case TBackupCheck::Verified:
      return {};
    case TBackupCheck::Incomplete:
      //: %1 sections backed up of %n
      return TTransferText::tr("Backup incomplete: %1 of %n sections", nullptr, total)
          .arg(total - Missing());
    case TBackupCheck::Inconsistent:
      return TTransferText::tr("Backup inconsistent: %n sections changed while it ran", nullptr,
                               int(Changes.size()));
    case TBackupCheck::Unchecked:
    case TBackupCheck::NotVerified:
      break;
  }
  return TTransferText::tr("Backup not verified: the link was lost at its check");
}

QString TManifest::ChangeText(const TSizeChange& change) const {
  QString recorded = TTransferText::tr("not read");
  for (const TManifestEntry& entry : Entries) {
    if (entry.Address == change.Address && entry.State != TManifestEntry::Missing)
      recorded = SizeAnswerText(entry.State == TManifestEntry::Stored ? entry.Size : 0);
  }
  //: %1 and %2 are a section's sizes: "2048 bytes", "nothing there"
  return TTransferText::tr("%1 in the backup, %2 at the end")
      .arg(recorded, SizeAnswerText(change.SizeAtEnd));
}

QString BackupFilePath(const QString& dir, const TSectionAddress& address) {
  return QDir(dir).filePath(address.Text());
}

TBackupRead<QByteArray> ReadBackupFile(const QString& path, qint64 limit) {
  TBackupRead<QByteArray> read;
  if (QFileInfo(path).isSymLink()) {
    read.Problem =
        TTransferText::tr("%1 is a symbolic link, not a file of the backup: nothing was restored")
            .arg(path);
    return read;
  }
  const TBoundedBytes file = ReadBounded(path, limit);
  if (file.More)
    read.Problem =
        TTransferText::tr("%1 is larger than any file of a backup: nothing was restored").arg(path);
  else
    read.Value = file.Bytes;
  return read;
}

TBackupRead<TManifest> ReadManifest(const QString& dir) {
  const TBackupRead<QByteArray> json =
      ReadBackupFile(QDir(dir).filePath(QString::fromLatin1(ManifestFileName)), ManifestLimit);
  return json.Ok() ? ParseManifest(json.Value) : Refused(json.Problem);
}

TBackupRead<QByteArray> ReadStoredSection(const QString& dir, const TManifestEntry& entry) {
  const QString path = BackupFilePath(dir, entry.Address);
  TBackupRead<QByteArray> read = ReadBackupFile(path, UploadBufferSize);
  if (read.Ok() && (read.Value.size() != entry.Size || Sha256Hex(read.Value) != entry.Sha256)) {
    read.Value.clear();
    read.Problem =
        TTransferText::tr("%1 does not match its SHA-256 in the manifest: nothing was restored")
            .arg(path);
  }
  return read;
}
