#include "transfer/ui/backupcommands.h"

#include <QStringList>

#include "catalogue/ops/refreshslots.h"
#include "common/modal.h"
#include "common/operationio.h"
#include "common/ui/busycursor.h"
#include "transfer/ops/backup.h"
#include "transfer/ops/restore.h"
#include "transfer/ui/restorepreview.h"

namespace {

const QString BackupCaption = QStringLiteral("Back up phone");
const QString RestoreCaption = QStringLiteral("Restore phone");

QString BackupSummary(const TBackupResult& result, const QString& folder) {
  const TManifest& manifest = result.Manifest;
  const int total = int(manifest.Entries.size());
  QStringList lines{QStringLiteral("Backed up %1 of %2 sections (%3 bytes) into %4.")
                        .arg(total - manifest.Missing())
                        .arg(total)
                        .arg(result.Bytes)
                        .arg(folder)};
  if (manifest.Check == TBackupCheck::Verified && manifest.Missing() == 0)
    lines << QStringLiteral(
        "Verified: at its end every section's size was asked again and had "
        "not changed.");
  for (int i = 0; i < result.Reached; ++i) {
    const TManifestEntry& entry = manifest.Entries[i];
    if (entry.State == TManifestEntry::Missing)
      lines << QStringLiteral("Not read: %1 (%2)").arg(entry.Address.Text(), entry.Error);
  }
  if (!result.LinkLost.isEmpty())
    lines << QStringLiteral("%1: the %2 sections after it were not read.")
                 .arg(result.LinkLost)
                 .arg(total - result.Reached);
  for (const TSizeChange& change : manifest.Changes)
    lines << QStringLiteral("Changed: %1 (%2)")
                 .arg(change.Address.Text(), manifest.ChangeText(change));
  if (!manifest.Doubt().isEmpty())
    lines << manifest.Doubt() +
                 QStringLiteral(". A restore of it clears nothing unless you tick the box for it.");
  return lines.join(QLatin1Char('\n'));
}

QString RestoreSummary(const TRestoreResult& result, const QString& folder) {
  const int notCleared = result.Count(TSectionRestore::NotCleared);
  QStringList lines{
      QStringLiteral("Restored from %1: %2 written, %3 cleared, %4 unchanged, "
                     "%5 failed%6.")
          .arg(folder)
          .arg(result.Count(TSectionRestore::Written))
          .arg(result.Count(TSectionRestore::Cleared))
          .arg(result.Count(TSectionRestore::Unchanged))
          .arg(result.Failures())
          .arg(notCleared > 0 ? QStringLiteral(", %1 left uncleared").arg(notCleared) : QString())};
  QStringList notReached;
  for (const TSectionRestore& section : result.Sections) {
    if (section.Action == TSectionRestore::Failed || section.Action == TSectionRestore::Skipped)
      lines << QStringLiteral("Not restored: %1 (%2)").arg(section.Address.Text(), section.Problem);
    if (section.Action == TSectionRestore::NotReached)
      notReached << section.Address.Text();
  }
  if (result.Cancelled)
    lines << QStringLiteral("Cancelled: nothing was written to %1.")
                 .arg(notReached.join(QStringLiteral(", ")));
  else if (!result.LinkLost.isEmpty())
    lines << QStringLiteral("%1: nothing was written to %2.")
                 .arg(result.LinkLost, notReached.join(QStringLiteral(", ")));
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

void BackupPhoneCommand(QWidget* owner, TPhonePort& port, const TCatalogue& catalogue,
                        const QString& portName, TReporter& reporter) {
  const QString folder = Modal().FolderName(
      owner, QStringLiteral("Back up the phone into a new or empty folder"), TFolderUse::New);
  if (folder.isEmpty())
    return;
  reporter.Status(QStringLiteral("Backing up phone..."));
  TBackupResult result;
  {
    const TBusyCursor busy;
    result = BackUp(port, reporter, catalogue.Ranges, folder, portName);
  }
  if (!result.LinkOpened) {
    reporter.Status(QStringLiteral("Backup failed!"));
    return;
  }
  if (result.Cancelled) {
    reporter.Status(QStringLiteral("Backup cancelled!"));
    reporter.Notice(QStringLiteral("The backup was cancelled: nothing was kept."), BackupCaption);
    return;
  }
  reporter.Status(QStringLiteral("Backed up!"));
  // Sections that changed while they were read are a failure the user must see as one.
  if (result.Manifest.Check == TBackupCheck::Inconsistent)
    reporter.Error(BackupSummary(result, folder));
  else
    reporter.Notice(BackupSummary(result, folder), BackupCaption);
}

void RestorePhoneCommand(QWidget* owner, TPhonePort& port, TCatalogue& catalogue,
                         TReporter& reporter) {
  const QString folder =
      Modal().FolderName(owner, QStringLiteral("Restore the phone from"), TFolderUse::Existing);
  if (folder.isEmpty())
    return;
  reporter.Status(QStringLiteral("Checking backup..."));
  const TBackupSet backup = ReadBackup(folder, catalogue.Ranges);
  TRestoreRequest request;
  request.DryRun = true;
  TRestoreResult preview;
  {
    const TBusyCursor busy;
    preview = Restore(port, reporter, backup, request, nullptr);
  }
  // Each way out says how the command ended, so its working text never outlives it.
  if (preview.Cancelled) {
    reporter.Status(QStringLiteral("Restore cancelled!"));
    return;
  }
  if (!preview.LinkOpened || !preview.LinkLost.isEmpty()) {
    reporter.Status(QStringLiteral("Restore failed!"));
    if (preview.LinkOpened)
      reporter.Error(preview.LinkLost + QLatin1Char('.'));
    return;
  }
  TRestorePreview dialog(owner, folder, preview.Sections, backup.Manifest);
  if (Modal().ExecDialog(&dialog) != mrOk) {
    reporter.Status(QStringLiteral("Restore cancelled!"));
    return;
  }
  reporter.Status(QStringLiteral("Restoring phone..."));
  request.DryRun = false;
  request.ClearRecordedEmpty = dialog.ClearRecordedEmpty();
  TRestoreResult result;
  {
    const TBusyCursor busy;
    result = Restore(port, reporter, backup, request, &catalogue);
  }
  if (!result.LinkOpened) {
    reporter.Status(QStringLiteral("Restore failed!"));
    return;
  }
  reporter.Status(QStringLiteral("Restored!"));
  reporter.Notice(RestoreSummary(result, folder), RestoreCaption);
}
