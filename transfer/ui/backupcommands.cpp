#include "transfer/ui/backupcommands.h"

#include <QStringList>

#include "catalogue/ops/refreshslots.h"
#include "common/errors.h"
#include "common/modal.h"
#include "common/operationio.h"
#include "common/texts.h"
#include "common/ui/busycursor.h"
#include "transfer/ops/backup.h"
#include "transfer/ops/restore.h"
#include "transfer/ui/restorepreview.h"

namespace {

QString BackupCaption() {
  return TTransferText::tr("Back up phone");
}

QString RestoreCaption() {
  return TTransferText::tr("Restore phone");
}

QString BackupSummary(const TBackupResult& result, const QString& folder) {
  const TManifest& manifest = result.Manifest;
  const int total = int(manifest.Entries.size());
  QStringList lines{TTransferText::tr("Backed up %1 of %2 sections (%n bytes) into %3.", nullptr,
                                      int(result.Bytes))
                        .arg(total - manifest.Missing())
                        .arg(total)
                        .arg(folder)};
  lines << manifest.MadeThroughText() + QLatin1Char('.');
  if (manifest.Check == TBackupCheck::Verified)
    lines << TTransferText::tr(
        "Verified: at its end every section's size was asked again and had "
        "not changed.");
  for (int i = 0; i < result.Reached; ++i) {
    const TManifestEntry& entry = manifest.Entries[i];
    if (entry.State == TManifestEntry::Missing)
      lines << TTransferText::tr("Not read: %1 (%2)").arg(entry.Address.Text(), entry.Error);
  }
  if (!result.LinkLost.isEmpty())
    //: %1 is "The link was lost at section 18-11 (why)"
    lines << TTransferText::tr("%1: the %n sections after it were not read.", nullptr,
                               total - result.Reached)
                 .arg(result.LinkLost);
  for (const TSizeChange& change : manifest.Changes)
    lines << TTransferText::tr("Changed: %1 (%2)")
                 .arg(change.Address.Text(), manifest.ChangeText(change));
  if (!manifest.Doubt().isEmpty())
    //: %1 is what makes the backup doubtful: "The backup is incomplete: ..."
    lines << TTransferText::tr(
                 "%1. A restore of it leaves the sections it records as empty as they are; its "
                 "preview offers to clear those that hold something.")
                 .arg(manifest.Doubt());
  return lines.join(QLatin1Char('\n'));
}

QString RestoreSummary(const TRestoreResult& result, const QString& folder) {
  const int notCleared = result.Count(TSectionRestore::NotCleared);
  const QString written = QString::number(result.Count(TSectionRestore::Written));
  const QString cleared = QString::number(result.Count(TSectionRestore::Cleared));
  const QString unchanged = QString::number(result.Count(TSectionRestore::Unchanged));
  const QString failed = QString::number(result.Failures());
  // All at once, so a folder's name with a % in it stays as it is.
  QStringList lines{
      notCleared > 0
          ? TTransferText::tr("Restored from %1: %2 written, %3 cleared, %4 unchanged, %5 failed, "
                              "%6 left uncleared.")
                .arg(folder, written, cleared, unchanged, failed, QString::number(notCleared))
          : TTransferText::tr("Restored from %1: %2 written, %3 cleared, %4 unchanged, %5 failed.")
                .arg(folder, written, cleared, unchanged, failed)};
  QStringList notReached;
  for (const TSectionRestore& section : result.Sections) {
    if (section.Action == TSectionRestore::Failed || section.Action == TSectionRestore::Skipped)
      lines << TTransferText::tr("Not restored: %1 (%2)")
                   .arg(section.Address.Text(), section.Problem);
    if (section.Action == TSectionRestore::NotReached)
      notReached << section.Address.Text();
  }
  if (result.Cancelled)
    lines << TTransferText::tr("Cancelled: nothing was written to %1.")
                 .arg(notReached.join(QStringLiteral(", ")));
  else if (!result.LinkLost.isEmpty())
    lines << TTransferText::tr("%1: nothing was written to %2.")
                 .arg(result.LinkLost, notReached.join(QStringLiteral(", ")));
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

void BackupPhoneCommand(QWidget* owner, TPhonePort& port, const TCatalogue& catalogue,
                        const TBackupSource& source, TReporter& reporter) {
  const QString folder = Modal().FolderName(
      owner, TTransferText::tr("Back up the phone into a new or empty folder"), TFolderUse::New);
  if (folder.isEmpty())
    return;
  reporter.Status(TTransferText::tr("Backing up phone..."));
  TBackupResult result;
  {
    const TBusyCursor busy;
    result = BackUp(port, reporter, catalogue.Ranges, folder, source);
  }
  if (!result.Refused.isEmpty()) {
    // In the box every command's error shows in; the status line stays as it was.
    Modal().ShowError(WithFullStop(result.Refused));
    return;
  }
  if (!result.LinkOpened) {
    reporter.Status(TTransferText::tr("Backup failed!"));
    return;
  }
  if (result.Cancelled) {
    reporter.Status(TTransferText::tr("Backup cancelled!"));
    reporter.Notice(TTransferText::tr("The backup was cancelled: nothing was kept."),
                    BackupCaption());
    return;
  }
  // Only a backup that holds the whole phone, as it was, is told as plain success.
  if (result.Manifest.Check == TBackupCheck::Verified) {
    reporter.Status(TTransferText::tr("Backed up!"));
    reporter.Notice(BackupSummary(result, folder), BackupCaption());
  } else {
    reporter.Status(result.Manifest.EndText());
    Modal().ShowWarning(owner, BackupSummary(result, folder), BackupCaption());
  }
}

void RestorePhoneCommand(QWidget* owner, TPhonePort& port, TCatalogue& catalogue,
                         const THistoryConfig& history, TReporter& reporter) {
  const QString folder =
      Modal().FolderName(owner, TTransferText::tr("Restore the phone from"), TFolderUse::Existing);
  if (folder.isEmpty())
    return;
  reporter.Status(TTransferText::tr("Checking backup..."));
  const TBackupRead<TBackupSet> read = ReadBackup(folder, catalogue.Ranges);
  if (!read.Ok()) {
    // In the box every command's error shows in, as a backup's refusal is.
    Modal().ShowError(WithFullStop(read.Problem));
    return;
  }
  const TBackupSet& backup = read.Value;
  TRestoreRequest request;
  request.DryRun = true;
  request.History = history;
  TRestoreResult preview;
  {
    const TBusyCursor busy;
    preview = Restore(port, reporter, backup, request, nullptr);
  }
  // Each way out says how the command ended, so its working text never outlives it.
  if (preview.Cancelled) {
    reporter.Status(TTransferText::tr("Restore cancelled!"));
    return;
  }
  if (!preview.LinkOpened || !preview.LinkLost.isEmpty()) {
    reporter.Status(TTransferText::tr("Restore failed!"));
    if (preview.LinkOpened)
      reporter.Error(preview.LinkLost + QLatin1Char('.'));
    return;
  }
  TRestorePreview dialog(owner, folder, preview.Sections, backup.Manifest);
  if (Modal().ExecDialog(&dialog) != mrOk) {
    reporter.Status(TTransferText::tr("Restore cancelled!"));
    return;
  }
  reporter.Status(TTransferText::tr("Restoring phone..."));
  request.DryRun = false;
  request.ClearRecordedEmpty = dialog.ClearRecordedEmpty();
  TRestoreResult result;
  {
    const TBusyCursor busy;
    result = Restore(port, reporter, backup, request, &catalogue);
  }
  if (!result.LinkOpened) {
    reporter.Status(TTransferText::tr("Restore failed!"));
    return;
  }
  reporter.Status(result.EndText());
  if (result.NotRestored() == 0)
    reporter.Notice(RestoreSummary(result, folder), RestoreCaption());
  else
    Modal().ShowWarning(owner, RestoreSummary(result, folder), RestoreCaption());
}
