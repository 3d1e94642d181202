#include "cli/backup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include "catalogue/classify.h"
#include "cli/args.h"
#include "cli/console.h"
#include "cli/files.h"
#include "cli/manifest.h"
#include "cli/options.h"
#include "cli/phonelink.h"
#include "cli/progress.h"
#include "common/errors.h"
#include "common/messages.h"
#include "libraries/prg3text.h"
#include "prefs/prefrecord.h"
#include "transfer/limits.h"
#include "transfer/ops/sectionio.h"

namespace {

struct TWholeRead {
  bool Ok = false;
  QByteArray Bytes;
  QString Error;
};

TWholeRead ReadSectionOf(TPhonePort& port, const TSectionAddress& address) {
  const TSectionRead read = ReadWholeSection(port, address, UploadBufferSize);
  if (read.State == TSectionRead::Held || read.HoldsNothing())
    return {true, read.Bytes, {}};
  return {false, {}, WholeReadProblem(read, address)};
}

// The slots, then the PRG3 library, the UFIF2 library and the preferences record, each once.
QList<TSectionAddress> BackupAddresses(const TSlotRanges& ranges) {
  QList<TSectionAddress> addresses = SlotAddresses(ranges);
  const QList<TSectionAddress> fixed{{PRG3LibrarySection, PRG3LibrarySubSection},
                                     {DefaultLibrarySection, DefaultLibrarySubSection},
                                     {PrefSection, PrefSubSection}};
  for (const TSectionAddress& address : fixed) {
    if (!addresses.contains(address))
      addresses << address;
  }
  return addresses;
}

QString SectionFilePath(const QString& dir, const TSectionAddress& address) {
  return QDir(dir).filePath(address.Text());
}

// A backup goes into a new folder, or an empty one, so it never mixes with older files.
void CheckNewFolder(const QString& dir) {
  const QFileInfo info(dir);
  if (info.exists() && !info.isDir())
    throw TCommandFailed(QStringLiteral("%1 is a file, not a folder").arg(dir));
  if (info.exists() && !QDir(dir).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
    throw TCommandFailed(QStringLiteral("%1 is not empty: back up into a new folder").arg(dir));
}

// Removes what a backup that could not finish has written, so no half backup is left.
class TBackupFolder {
 public:
  explicit TBackupFolder(const QString& dir) : dir_(dir), created_(!QFileInfo::exists(dir)) {
    if (!QDir().mkpath(dir))
      throw EFCreateError(dir);
  }
  ~TBackupFolder() {
    if (complete_)
      return;
    for (const QString& file : QDir(dir_).entryList(QDir::Files | QDir::Hidden))
      QFile::remove(QDir(dir_).filePath(file));
    if (created_)
      QDir().rmdir(dir_);
  }
  TBackupFolder(const TBackupFolder&) = delete;
  TBackupFolder& operator=(const TBackupFolder&) = delete;
  void Complete() { complete_ = true; }

 private:
  QString dir_;
  bool created_;
  bool complete_ = false;
};

TManifestEntry BackUpSection(TPhonePort& link, const QString& dir, const TSectionAddress& address) {
  TManifestEntry entry;
  entry.Address = address;
  const TWholeRead section = ReadSectionOf(link, address);
  if (!section.Ok) {
    entry.State = TManifestEntry::Missing;
    entry.Error = section.Error;
  } else if (section.Bytes.isEmpty()) {
    entry.State = TManifestEntry::Empty;
  } else {
    WriteOutputFile(SectionFilePath(dir, address), section.Bytes);
    entry.Size = section.Bytes.size();
    entry.Sha256 = Sha256Hex(section.Bytes);
  }
  return entry;
}

// The stored sections' bytes, each checked against the manifest before anything is
// written to the phone.
QHash<QString, QByteArray> VerifiedBackupFiles(const QString& dir, const TManifest& manifest) {
  QHash<QString, QByteArray> files;
  for (const TManifestEntry& entry : manifest.Entries) {
    if (entry.State != TManifestEntry::Stored)
      continue;
    const QString path = SectionFilePath(dir, entry.Address);
    const QByteArray bytes = ReadWholeFile(path, UploadBufferSize);
    if (bytes.size() != entry.Size || Sha256Hex(bytes) != entry.Sha256) {
      throw TCommandFailed(
          QStringLiteral("%1 does not match its SHA-256 in the manifest: nothing was restored")
              .arg(path));
    }
    files.insert(entry.Address.Text(), bytes);
  }
  return files;
}

QList<TManifestEntry> SelectedEntries(const TManifest& manifest, const TArgs& args) {
  if (!args.Has(QStringLiteral("only")))
    return manifest.Entries;
  QList<TManifestEntry> selected;
  for (const TSectionAddress& address : ParseAddressList(args.Value(QStringLiteral("only")))) {
    const auto found =
        std::find_if(manifest.Entries.begin(), manifest.Entries.end(),
                     [&](const TManifestEntry& entry) { return entry.Address == address; });
    if (found == manifest.Entries.end())
      throw TCommandFailed(QStringLiteral("Section %1 is not in the backup").arg(address.Text()));
    selected << *found;
  }
  return selected;
}

// Clears come first, so the space they free is there for the writes.
QList<TManifestEntry> RestoreOrder(const QList<TManifestEntry>& entries) {
  QList<TManifestEntry> ordered;
  for (const TManifestEntry& entry : entries) {
    if (entry.State == TManifestEntry::Empty)
      ordered << entry;
  }
  for (const TManifestEntry& entry : entries) {
    if (entry.State != TManifestEntry::Empty)
      ordered << entry;
  }
  return ordered;
}

struct TRestoreTally {
  int Written = 0;
  int Cleared = 0;
  int Unchanged = 0;
  int Failed = 0;
  qint64 Bytes = 0;
};

class TRestorer {
 public:
  TRestorer(TPhonePort& link, bool dryRun, TProgress& progress)
      : link_(link), dryRun_(dryRun), progress_(progress) {}

  void Restore(const TManifestEntry& entry, const QByteArray& bytes) {
    const TWholeRead current = ReadSectionOf(link_, entry.Address);
    if (!current.Ok)
      Note(current.Error);
    if (current.Ok && current.Bytes == bytes) {
      ++tally_.Unchanged;
    } else if (entry.State == TManifestEntry::Empty) {
      ClearSection(entry.Address);
    } else {
      WriteSection(entry.Address, bytes);
    }
  }

  void Skip(const TManifestEntry& entry) {
    Note(QStringLiteral("Section %1 is missing from the backup (%2): left as it is")
             .arg(entry.Address.Text(), entry.Error));
    ++tally_.Failed;
  }

  const TRestoreTally& Tally() const { return tally_; }

 private:
  void ClearSection(const TSectionAddress& address) {
    if (dryRun_) {
      PrintOut(QStringLiteral("would clear %1").arg(address.Text()));
      ++tally_.Cleared;
      return;
    }
    link_.Clear(address);
    const int size = link_.GetSize(address);
    if (SizeMeansEmpty(size)) {
      PrintOut(QStringLiteral("cleared %1").arg(address.Text()));
      ++tally_.Cleared;
    } else {
      Fail(address, size < 0 ? SizeErrorText(address)
                             : QStringLiteral("still holds %1 bytes after clearing").arg(size));
    }
  }

  void WriteSection(const TSectionAddress& address, const QByteArray& bytes) {
    const QString what = QStringLiteral("%1 (%2 bytes)").arg(address.Text()).arg(bytes.size());
    if (dryRun_) {
      PrintOut(QStringLiteral("would write %1").arg(what));
      ++tally_.Written;
      return;
    }
    link_.Write(address, bytes.constData(), quint32(bytes.size()));
    tally_.Bytes += bytes.size();
    const TWholeRead back = ReadSectionOf(link_, address);
    if (!back.Ok) {
      Fail(address, back.Error);
    } else if (back.Bytes != bytes) {
      Fail(address, QStringLiteral("read back %1 bytes that differ from the %2 written")
                        .arg(back.Bytes.size())
                        .arg(bytes.size()));
    } else {
      PrintOut(QStringLiteral("wrote %1").arg(what));
      ++tally_.Written;
    }
  }

  void Fail(const TSectionAddress& address, const QString& why) {
    Note(QStringLiteral("Section %1 not restored: %2").arg(address.Text(), why));
    ++tally_.Failed;
  }

  void Note(const QString& message) {
    progress_.BreakLine();
    PrintErr(message);
  }

  TPhonePort& link_;
  bool dryRun_;
  TProgress& progress_;
  TRestoreTally tally_;
};

}  // namespace

int BackupCommand(const TArgs& args) {
  const TPhoneOptions options = PhoneOptionsFrom(args, ManagerSettingsPath());
  const QString dir = args.Positional()[0];
  const QList<TSectionAddress> addresses = BackupAddresses(options.Ranges);
  CheckNewFolder(dir);
  TManifest manifest;
  manifest.Port = PortName(options.Port);
  manifest.Time = QDateTime::currentDateTimeUtc();
  qint64 bytes = 0;
  TPhoneLink link(options.Port, options.PortOrigin);
  TCommandLink open(link);
  TBackupFolder folder(dir);
  {
    TProgress progress(options.Progress, int(addresses.size()));
    for (int i = 0; i < addresses.size(); ++i) {
      progress.Step(i + 1, addresses[i].Text(), bytes);
      manifest.Entries << BackUpSection(link, dir, addresses[i]);
      bytes += manifest.Entries.last().Size;
    }
  }
  WriteOutputFile(QDir(dir).filePath(QString::fromLatin1(ManifestFileName)),
                  ManifestJson(manifest));
  folder.Complete();
  int missing = 0;
  for (const TManifestEntry& entry : manifest.Entries) {
    if (entry.State == TManifestEntry::Missing) {
      PrintErr(QStringLiteral("Section %1 is missing from the backup: %2")
                   .arg(entry.Address.Text(), entry.Error));
      ++missing;
    }
  }
  PrintErr(QStringLiteral("Backed up %1 of %2 sections (%3 bytes) from %4 into %5")
               .arg(addresses.size() - missing)
               .arg(addresses.size())
               .arg(bytes)
               .arg(manifest.Port, dir));
  return missing == 0 ? exitOk : exitFailed;
}

int RestoreCommand(const TArgs& args) {
  const TPhoneOptions options = PhoneOptionsFrom(args, ManagerSettingsPath());
  const QString dir = args.Positional()[0];
  const bool dryRun = args.Has(QStringLiteral("dry-run"));
  const TManifest manifest = ParseManifest(
      ReadWholeFile(QDir(dir).filePath(QString::fromLatin1(ManifestFileName)), ManifestLimit));
  const QList<TManifestEntry> entries = RestoreOrder(SelectedEntries(manifest, args));
  const QHash<QString, QByteArray> files = VerifiedBackupFiles(dir, manifest);

  TRestoreTally tally;
  {
    TPhoneLink link(options.Port, options.PortOrigin);
    TCommandLink open(link);
    TProgress progress(options.Progress, int(entries.size()));
    TRestorer restorer(link, dryRun, progress);
    for (int i = 0; i < entries.size(); ++i) {
      const TManifestEntry& entry = entries[i];
      progress.Step(i + 1, entry.Address.Text(), restorer.Tally().Bytes);
      if (entry.State == TManifestEntry::Missing)
        restorer.Skip(entry);
      else
        restorer.Restore(entry, files.value(entry.Address.Text()));
    }
    tally = restorer.Tally();
  }
  PrintErr(
      QStringLiteral("%1: %2 written, %3 cleared, %4 unchanged, %5 failed")
          .arg(dryRun ? QStringLiteral("Dry run, nothing changed") : QStringLiteral("Restored"))
          .arg(tally.Written)
          .arg(tally.Cleared)
          .arg(tally.Unchanged)
          .arg(tally.Failed));
  return tally.Failed == 0 ? exitOk : exitFailed;
}
