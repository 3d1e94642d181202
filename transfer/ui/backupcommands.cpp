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
  const int total = int(result.Manifest.Entries.size());
  QStringList lines{QStringLiteral("Backed up %1 of %2 sections (%3 bytes) into %4.")
                        .arg(total - result.Missing())
                        .arg(total)
                        .arg(result.Bytes)
                        .arg(folder)};
  for (const TManifestEntry& entry : result.Manifest.Entries) {
    if (entry.State == TManifestEntry::Missing)
      lines << QStringLiteral("Not read: %1 (%2)").arg(entry.Address.Text(), entry.Error);
  }
  return lines.join(QLatin1Char('\n'));
}

QString RestoreSummary(const TRestoreResult& result, const QString& folder) {
  QStringList lines{QStringLiteral("Restored from %1: %2 written, %3 cleared, %4 unchanged, "
                                   "%5 failed.")
                        .arg(folder)
                        .arg(result.Count(TSectionRestore::Written))
                        .arg(result.Count(TSectionRestore::Cleared))
                        .arg(result.Count(TSectionRestore::Unchanged))
                        .arg(result.Failures())};
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
  if (!result.LinkOpened)
    return;
  if (result.Cancelled) {
    reporter.Status(QStringLiteral("Backup cancelled!"));
    reporter.Notice(QStringLiteral("The backup was cancelled: nothing was kept."), BackupCaption);
    return;
  }
  reporter.Status(QStringLiteral("Backed up!"));
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
  if (!preview.LinkOpened || preview.Cancelled)
    return;
  TRestorePreview dialog(owner, folder, preview.Sections);
  if (Modal().ExecDialog(&dialog) != mrOk)
    return;
  reporter.Status(QStringLiteral("Restoring phone..."));
  request.DryRun = false;
  TRestoreResult result;
  {
    const TBusyCursor busy;
    result = Restore(port, reporter, backup, request, &catalogue);
  }
  if (!result.LinkOpened)
    return;
  reporter.Status(QStringLiteral("Restored!"));
  reporter.Notice(RestoreSummary(result, folder), RestoreCaption);
}
