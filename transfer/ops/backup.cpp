#include "transfer/ops/backup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include "catalogue/slotmap.h"
#include "common/errors.h"
#include "common/fileio.h"
#include "common/messages.h"
#include "common/operationio.h"
#include "common/texts.h"
#include "link/gbp.h"
#include "link/phoneport.h"
#include "transfer/limits.h"
#include "transfer/ops/sectionio.h"

namespace {

bool IsEmptyFolder(const QString& dir) {
  return QDir(dir).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
}

QString NotEmptyText(const QString& dir) {
  return TTransferText::tr("%1 is not empty: back up into a new folder").arg(dir);
}

// The folder the backup goes into: a symbolic link stands for the folder it points to, which
// the backup then replaces, so the link shows the backup. It must be new or empty, so a
// backup never mixes with older files.
struct TBackupFolder {
  QString Path;
  QString Problem;  // why it cannot take the backup
};

TBackupFolder BackupTarget(const QString& dir) {
  const QFileInfo link(dir);
  QString target = dir;
  if (link.isSymLink()) {
    target = link.canonicalFilePath();
    if (target.isEmpty())
      return {QString(), TTransferText::tr("%1 is a symbolic link to %2, which does not exist")
                             .arg(dir, link.symLinkTarget())};
  }
  const QFileInfo info(target);
  if (info.exists() && !info.isDir())
    return {target, TTransferText::tr("%1 is a file, not a folder").arg(target)};
  if (info.exists() && !IsEmptyFolder(target))
    return {target, NotEmptyText(target)};
  return {target, QString()};
}

// The hidden folder beside the target that the sections are written into. Unless it has
// become the target, it is taken away with the files written into it and the folders made
// above it, so nothing a failed or cancelled backup made stays behind. Made with mkdir, not
// as a temporary folder, so it gets the permissions any folder of the user's gets.
class TPartialFolder {
 public:
  explicit TPartialFolder(const QString& target)
      : target_(QDir::cleanPath(QDir(target).absolutePath())), above_(QFileInfo(target_).path()) {
    const QFileInfo info(target_);
    for (int attempt = 0; attempt < 8 && path_.isEmpty(); ++attempt) {
      const QString path =
          QDir(info.path())
              .filePath(QStringLiteral(".%1.partial-%2")
                            .arg(info.fileName())
                            .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
      if (QDir().mkdir(path))
        path_ = path;
    }
    if (path_.isEmpty())
      throw EFCreateError(target_);
  }
  ~TPartialFolder() {
    if (path_.isEmpty())
      return;
    for (const QString& name : written_)
      QFile::remove(QDir(path_).filePath(name));
    QDir().rmdir(path_);
  }
  TPartialFolder(const TPartialFolder&) = delete;
  TPartialFolder& operator=(const TPartialFolder&) = delete;

  void Save(const QString& name, const QByteArray& bytes) {
    written_ << name;
    SaveFile(QDir(path_).filePath(name), bytes);
  }

  // An empty target made by the user gives way only now, so a failure before leaves it.
  // False when something has been put into it meanwhile.
  bool BecomeTarget() {
    if (QFileInfo::exists(target_) && !QDir().rmdir(target_))
      return false;
    if (!QDir().rename(path_, target_))
      throw EFCreateError(target_);
    path_.clear();
    above_.Keep();
    return true;
  }

 private:
  QString target_;
  TMadeFolders above_;
  QString path_;
  QStringList written_;
};

// What the phone answered for one section, as the manifest records it. Only a section the
// phone calls empty is recorded so; after a size answer of -5 nothing is known, and a
// restore must not clear what may be there.
TManifestEntry EntryOf(const TSectionRead& read, const TSectionAddress& address) {
  TManifestEntry entry;
  entry.Address = address;
  if (read.State == TSectionRead::Empty) {
    entry.State = TManifestEntry::Empty;
  } else if (read.State != TSectionRead::Held) {
    entry.State = TManifestEntry::Missing;
    entry.Error = WholeReadProblem(read, address);
  } else {
    entry.Size = read.Bytes.size();
    entry.Sha256 = Sha256Hex(read.Bytes);
  }
  return entry;
}

// Every size recorded, asked again: a phone that changed meanwhile, or one that lost the link
// and now answers "nothing there" for everything, answers otherwise.
void CheckSizesAgain(TPhonePort& port, TManifest& manifest) {
  for (const TManifestEntry& entry : manifest.Entries) {
    if (entry.State == TManifestEntry::Missing)
      continue;
    const int size = port.GetSize(entry.Address);
    if (!port.LinkLost().isEmpty()) {
      manifest.Check = TBackupCheck::NotVerified;
      manifest.Changes.clear();
      return;
    }
    const bool same = entry.State == TManifestEntry::Stored ? size == entry.Size
                                                            : size == 0 || size == GBPSizeNoSection;
    if (!same)
      manifest.Changes.append({entry.Address, size});
  }
  manifest.Check = manifest.Changes.isEmpty() ? TBackupCheck::Verified : TBackupCheck::Inconsistent;
}

}  // namespace

QList<TSectionAddress> BackupAddresses(const TSlotRanges& ranges) {
  QList<TSectionAddress> addresses = SlotAddresses(ranges);
  // Odd configured ranges must not leave the modification's own slots out.
  const QList<TSectionAddress> fixed =
      SlotAddresses(TSlotRanges()) +
      QList<TSectionAddress>{{PRG3LibrarySection, PRG3LibrarySubSection},
                             {DefaultLibrarySection, DefaultLibrarySubSection},
                             {PrefSection, PrefSubSection}};
  for (const TSectionAddress& address : fixed) {
    if (!addresses.contains(address))
      addresses << address;
  }
  return addresses;
}

TBackupResult BackUp(TPhonePort& port, TReporter& reporter, const TSlotRanges& ranges,
                     const QString& dir, const TBackupSource& source) {
  TBackupResult result;
  const TBackupFolder target = BackupTarget(dir);
  if (!target.Problem.isEmpty()) {
    result.Refused = target.Problem;
    return result;
  }
  const QList<TSectionAddress> addresses = BackupAddresses(ranges);
  result.Manifest.Port = source.Port;
  result.Manifest.Library = source.Library;
  result.Manifest.DemoPhone = source.DemoPhone;
  result.Manifest.Time = QDateTime::currentDateTimeUtc();
  TLinkSession link(port);
  result.LinkOpened = link.IsOpen();
  if (!result.LinkOpened)
    return result;
  TPartialFolder folder(target.Path);
  for (int i = 0; i < addresses.size(); ++i) {
    if (i > 0 && reporter.CancelRequested()) {
      result.Cancelled = true;
      return result;
    }
    if (!result.LinkLost.isEmpty()) {
      TManifestEntry notReached;
      notReached.Address = addresses[i];
      notReached.State = TManifestEntry::Missing;
      notReached.Error = TTransferText::tr("not reached: the link was lost before it");
      result.Manifest.Entries << notReached;
      continue;
    }
    reporter.Progress(i + 1, int(addresses.size()), addresses[i], result.Bytes);
    const TSectionRead read = ReadWholeSection(port, addresses[i], UploadBufferSize);
    result.Manifest.Entries << EntryOf(read, addresses[i]);
    if (read.State == TSectionRead::Held)
      folder.Save(addresses[i].Text(), read.Bytes);
    result.Bytes += result.Manifest.Entries.last().Size;
    result.Reached = i + 1;
    // A read that fails or brings less than the size just told is what a pulled cable
    // gives; the phone may answer "nothing there" for everything after it.
    if (!port.LinkLost().isEmpty())
      result.LinkLost = LinkLostText(addresses[i], port.LinkLost());
    else if (read.State == TSectionRead::ReadFailed)
      result.LinkLost = LinkLostText(addresses[i], WholeReadProblem(read, addresses[i]));
  }
  if (port.LinkLost().isEmpty())
    CheckSizesAgain(port, result.Manifest);
  else
    result.Manifest.Check = TBackupCheck::NotVerified;
  // Sizes that match say nothing of the sections the backup does not hold.
  if (result.Manifest.Missing() > 0)
    result.Manifest.Check = TBackupCheck::Incomplete;
  link.Close();
  folder.Save(QString::fromLatin1(ManifestFileName), ManifestJson(result.Manifest));
  if (!folder.BecomeTarget())
    result.Refused = NotEmptyText(target.Path);
  return result;
}
