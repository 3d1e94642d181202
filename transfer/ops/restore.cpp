#include "transfer/ops/restore.h"

#include <memory>
#include <optional>

#include "catalogue/classify.h"
#include "catalogue/gridtext.h"
#include "catalogue/ops/refreshslots.h"
#include "common/messages.h"
#include "common/operationio.h"
#include "common/texts.h"
#include "link/phoneport.h"
#include "transfer/limits.h"
#include "transfer/manyslots.h"
#include "transfer/ops/backup.h"
#include "transfer/ops/keepingport.h"
#include "transfer/ops/sectionio.h"
#include "transfer/ops/upload.h"

namespace {

// A manifest entry a backup of these slots could have written; anything else would send
// bytes where the user never had them. Why not, or nothing when it could.
QString EntryProblem(const TManifestEntry& entry, const TSlotRanges& ranges) {
  const QString address = entry.Address.Text();
  if (!BackupAddresses(ranges).contains(entry.Address))
    return TTransferText::tr("Section %1 is not one a backup holds: nothing was restored")
        .arg(address);
  const int limit = SectionLimit(entry.Address, ranges);
  if (entry.State == TManifestEntry::Stored && entry.Size > limit)
    return TTransferText::tr(
               "Section %1 holds %n bytes in the backup, more than its slot "
               "takes (%2): nothing was restored",
               nullptr, int(entry.Size))
        .arg(address)
        .arg(limit);
  return {};
}

// The entries of only (all when it is empty), or the first section of only that the backup
// does not hold.
struct TSelection {
  QList<TManifestEntry> Entries;
  std::optional<TSectionAddress> NotInBackup;
};

TSelection SelectedEntries(const TManifest& manifest, const QList<TSectionAddress>& only) {
  if (only.isEmpty())
    return {manifest.Entries, std::nullopt};
  TSelection selection;
  for (const TSectionAddress& address : only) {
    const auto found =
        std::find_if(manifest.Entries.begin(), manifest.Entries.end(),
                     [&](const TManifestEntry& entry) { return entry.Address == address; });
    if (found == manifest.Entries.end()) {
      selection.NotInBackup = address;
      return selection;
    }
    selection.Entries << *found;
  }
  return selection;
}

// Clears and shrinking sections come first, so the room they free is there for the
// sections that grow: a restore whose end state fits never runs out of room on the way.
// The sections in the order that keeps room on the phone; stops at a lost link, naming the
// section where it was lost in lostAt.
QList<TManifestEntry> RestoreOrder(TPhonePort& port, const QList<TManifestEntry>& entries,
                                   bool clears, std::optional<TSectionAddress>& lostAt) {
  QList<TRoomChange> changes;
  for (const TManifestEntry& entry : entries) {
    const qint64 now = qMax(0, port.GetSize(entry.Address));
    if (!port.LinkLost().isEmpty()) {
      lostAt = entry.Address;
      return entries;
    }
    const bool leftAlone =
        entry.State == TManifestEntry::Missing || (entry.State == TManifestEntry::Empty && !clears);
    const qint64 after = leftAlone ? now : entry.Size;
    changes.append({now, after});
  }
  QList<TManifestEntry> ordered;
  for (const int i : RoomOrder(changes))
    ordered << entries[i];
  return ordered;
}

QString BytesDescription(const QByteArray& bytes) {
  return SlotDescription(
      ClassifySection(TSlotInfo(), qint32(bytes.size()), bytes.left(RecognitionBytes)));
}

QString BackupDescription(const TManifestEntry& entry, const QByteArray& bytes) {
  switch (entry.State) {
    case TManifestEntry::Stored:
      return BytesDescription(bytes);
    case TManifestEntry::Empty:
      return SlotDescription(TSlotInfo());
    case TManifestEntry::Missing:
      break;
  }
  return TTransferText::tr("not read (%1)").arg(entry.Error);
}

QString PhoneDescription(const TSectionRead& current, const TSectionAddress& address) {
  if (current.State == TSectionRead::Held)
    return BytesDescription(current.Bytes);
  if (current.State == TSectionRead::Empty)
    return SlotDescription(TSlotInfo());
  return WholeReadProblem(current, address);
}

class TRestorer {
 public:
  TRestorer(TPhonePort& port, TReporter& reporter, bool dryRun, bool clears, TCatalogue* catalogue)
      : port_(port), reporter_(reporter), dryRun_(dryRun), clears_(clears), catalogue_(catalogue) {
    // Without the caller's rows the write's refresh lands in a table of our own.
    if (!catalogue_) {
      scratchSlots_ = std::make_unique<TSlotTable>();
      scratch_ = std::make_unique<TCatalogue>(TCatalogue{*scratchSlots_, TSlotRanges(), false});
    }
  }

  TSectionRestore Restore(const TManifestEntry& entry, const QByteArray& bytes) {
    TSectionRestore section;
    section.Address = entry.Address;
    section.Size = bytes.size();
    section.BackupHolds = BackupDescription(entry, bytes);
    if (entry.State == TManifestEntry::Missing) {
      section.Action = TSectionRestore::Skipped;
      section.Problem = entry.Error;
      return section;
    }
    const TSectionRead current = ReadWholeSection(port_, entry.Address, UploadBufferSize);
    section.PhoneHeld = PhoneDescription(current, entry.Address);
    if (current.State == TSectionRead::SizeFailed || current.State == TSectionRead::ReadFailed) {
      // What the phone holds is not known: nothing is written over it.
      section.Action = TSectionRestore::Failed;
      section.Problem = WholeReadProblem(current, entry.Address);
      if (current.State == TSectionRead::ReadFailed)
        linkInDoubt_ = section.Problem;
    } else if (Holds(entry, bytes, current)) {
      section.Action = TSectionRestore::Unchanged;
    } else if (entry.State == TManifestEntry::Empty && !clears_) {
      section.Action = TSectionRestore::NotCleared;
    } else if (dryRun_) {
      section.Action = entry.State == TManifestEntry::Empty ? TSectionRestore::Cleared
                                                            : TSectionRestore::Written;
    } else if (entry.State == TManifestEntry::Empty) {
      Clear(section);
    } else {
      Write(section, bytes);
    }
    return section;
  }

  // A read cut short is what a pulled cable gives, as in a backup: the restore writes
  // nothing more in this link. Why, or empty.
  const QString& LinkInDoubt() const { return linkInDoubt_; }

 private:
  // The phone already holds the backup's content; after a size answer of -5 nobody knows.
  static bool Holds(const TManifestEntry& entry, const QByteArray& bytes,
                    const TSectionRead& current) {
    if (entry.State == TManifestEntry::Empty)
      return current.State == TSectionRead::Empty;
    return current.State == TSectionRead::Held && current.Bytes == bytes;
  }

  void Clear(TSectionRestore& section) {
    const TClearOutcome outcome = ClearInLink(port_, section.Address);
    if (catalogue_)
      RefreshSection(port_, *catalogue_, section.Address, reporter_);
    section.Action = outcome.Cleared() ? TSectionRestore::Cleared : TSectionRestore::Failed;
    if (!outcome.Cleared())
      section.Problem = ClearProblem(section.Address, outcome);
  }

  void Write(TSectionRestore& section, const QByteArray& bytes) {
    const TWriteOutcome outcome =
        WriteAndJudgeInLink(port_, catalogue_ ? *catalogue_ : *scratch_, section.Address, bytes,
                            TWriteCheck::ByReadBack, reporter_);
    section.Action = outcome.Whole ? TSectionRestore::Written : TSectionRestore::Failed;
    section.Problem = outcome.Problem;
  }

  TPhonePort& port_;
  TReporter& reporter_;
  bool dryRun_;
  bool clears_;
  TCatalogue* catalogue_;
  QString linkInDoubt_;
  std::unique_ptr<TSlotTable> scratchSlots_;
  std::unique_ptr<TCatalogue> scratch_;
};

}  // namespace

TBackupRead<TBackupSet> ReadBackup(const QString& dir, const TSlotRanges& ranges) {
  TBackupRead<TBackupSet> read;
  const TBackupRead<TManifest> manifest = ReadManifest(dir);
  if (!manifest.Ok()) {
    read.Problem = manifest.Problem;
    return read;
  }
  for (const TManifestEntry& entry : manifest.Value.Entries) {
    read.Problem = EntryProblem(entry, ranges);
    if (!read.Ok())
      return read;
  }
  TBackupSet& backup = read.Value;
  for (const TManifestEntry& entry : manifest.Value.Entries) {
    if (entry.State != TManifestEntry::Stored)
      continue;
    const TBackupRead<QByteArray> file = ReadStoredSection(dir, entry);
    if (!file.Ok()) {
      read.Problem = file.Problem;
      backup.Files.clear();
      return read;
    }
    backup.Files.insert(entry.Address.Text(), file.Value);
  }
  backup.Dir = dir;
  backup.Manifest = manifest.Value;
  return read;
}

int TRestoreResult::Count(TSectionRestore::TAction action) const {
  return int(std::count_if(Sections.begin(), Sections.end(), [&](const TSectionRestore& section) {
    return section.Action == action;
  }));
}

int TRestoreResult::Failures() const {
  return Count(TSectionRestore::Failed) + Count(TSectionRestore::Skipped);
}

int TRestoreResult::NotRestored() const {
  return Failures() + Count(TSectionRestore::NotReached);
}

QString TRestoreResult::EndText() const {
  const int notRestored = NotRestored();
  if (notRestored == 0)
    return TTransferText::tr("Restored!");
  //: %1 sections restored of %2; %n is how many were not.
  return TTransferText::tr("Restored %1 of %2; %n not restored", nullptr, notRestored)
      .arg(int(Sections.size()) - notRestored)
      .arg(Sections.size());
}

namespace {

// The restore within one link of the keeping port.
TRestoreResult RestoreInLink(TKeepingPort& keeping, TReporter& reporter, const TBackupSet& backup,
                             const QList<TManifestEntry>& selected, const TRestoreRequest& request,
                             TCatalogue* catalogue) {
  const bool clears = request.ClearRecordedEmpty || backup.Manifest.Doubt().isEmpty();
  TRestoreResult result;
  const TLinkSession link(keeping);
  result.LinkOpened = link.IsOpen();
  if (!result.LinkOpened)
    return result;
  std::optional<TSectionAddress> lostAt;
  const QList<TManifestEntry> entries = RestoreOrder(keeping, selected, clears, lostAt);
  if (lostAt) {
    result.LinkLost = LinkLostText(*lostAt, keeping.LinkLost());
    for (const TManifestEntry& entry : entries) {
      TSectionRestore section;
      section.Address = entry.Address;
      if (entry.Address == *lostAt) {
        section.Action = TSectionRestore::Failed;
        section.Problem = keeping.LinkLost();
      }
      result.Sections << section;
    }
    return result;
  }
  TRestorer restorer(keeping, reporter, request.DryRun, clears, catalogue);
  for (int i = 0; i < entries.size(); ++i) {
    const TManifestEntry& entry = entries[i];
    if (i > 0 && !result.Cancelled && reporter.CancelRequested())
      result.Cancelled = true;
    if (result.Cancelled || !result.LinkLost.isEmpty()) {
      TSectionRestore notReached;
      notReached.Address = entry.Address;
      result.Sections << notReached;
      continue;
    }
    reporter.Progress(i + 1, int(entries.size()), entry.Address, result.Bytes);
    result.Sections << restorer.Restore(entry, backup.Files.value(entry.Address.Text()));
    // Only bytes the phone was seen to hold count as written.
    if (!request.DryRun && result.Sections.last().Action == TSectionRestore::Written)
      result.Bytes += backup.Files.value(entry.Address.Text()).size();
    if (!keeping.LinkLost().isEmpty())
      result.LinkLost = LinkLostText(entry.Address, keeping.LinkLost());
    else if (!restorer.LinkInDoubt().isEmpty())
      result.LinkLost = LinkLostText(entry.Address, restorer.LinkInDoubt());
  }
  return result;
}

}  // namespace

TRestoreResult Restore(TPhonePort& port, TReporter& reporter, const TBackupSet& backup,
                       const TRestoreRequest& request, TCatalogue* catalogue) {
  const TSelection selected = SelectedEntries(backup.Manifest, request.Only);
  if (selected.NotInBackup) {
    TRestoreResult refused;
    refused.Refused =
        TTransferText::tr("Section %1 is not in the backup").arg(selected.NotInBackup->Text());
    return refused;
  }
  TKeepingPort keeping(port, request.History, QT_TRANSLATE_NOOP("Transfer", "Restore"), reporter);
  TRestoreResult result =
      RestoreInLink(keeping, reporter, backup, selected.Entries, request, catalogue);
  // Complete only now: the history records what the restore left as its link closes.
  result.NotKept = keeping.NotKept();
  return result;
}
