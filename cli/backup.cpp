#include "cli/backup.h"

#include "cli/args.h"
#include "cli/clifaces.h"
#include "cli/console.h"
#include "cli/options.h"
#include "cli/phonelink.h"
#include "settings/settingsfile.h"
#include "transfer/ops/backup.h"
#include "transfer/ops/restore.h"

namespace {

const QString ClearMissingOption = QStringLiteral("clear-missing");

// The sections tried and missed one by one; those after a lost link in one line.
void PrintMissing(const TBackupResult& result) {
  for (int i = 0; i < result.Reached; ++i) {
    const TManifestEntry& entry = result.Manifest.Entries[i];
    if (entry.State == TManifestEntry::Missing)
      PrintErr(QStringLiteral("Section %1 is missing from the backup: %2")
                   .arg(entry.Address.Text(), entry.Error));
  }
  if (!result.LinkLost.isEmpty())
    PrintErr(QStringLiteral("%1: the %2 sections after it were not read and are missing")
                 .arg(result.LinkLost)
                 .arg(result.Manifest.Entries.size() - result.Reached));
  for (const TSizeChange& change : result.Manifest.Changes)
    PrintErr(QStringLiteral("Section %1 changed during the backup: %2")
                 .arg(change.Address.Text(), result.Manifest.ChangeText(change)));
}

// "; verified" for a whole backup whose sizes all held to its end.
QString CheckSuffix(const TManifest& manifest) {
  if (manifest.Check == TBackupCheck::Inconsistent)
    return QStringLiteral("; inconsistent");
  if (manifest.Check == TBackupCheck::Verified && manifest.Missing() == 0)
    return QStringLiteral("; verified");
  return {};
}

void PrintSection(const TSectionRestore& section, bool dryRun) {
  const QString address = section.Address.Text();
  const QString what = QStringLiteral("%1 (%2 bytes)").arg(address).arg(section.Size);
  switch (section.Action) {
    case TSectionRestore::Written:
      PrintOut(dryRun ? QStringLiteral("would write %1").arg(what)
                      : QStringLiteral("wrote %1").arg(what));
      break;
    case TSectionRestore::Cleared:
      PrintOut(dryRun ? QStringLiteral("would clear %1").arg(address)
                      : QStringLiteral("cleared %1").arg(address));
      break;
    case TSectionRestore::Failed:
      PrintErr(QStringLiteral("Section %1 not restored: %2").arg(address, section.Problem));
      break;
    case TSectionRestore::Skipped:
      PrintErr(QStringLiteral("Section %1 is missing from the backup (%2): left as it is")
                   .arg(address, section.Problem));
      break;
    case TSectionRestore::NotCleared:
      PrintOut(dryRun ? QStringLiteral("would leave %1 uncleared").arg(address)
                      : QStringLiteral("left %1 uncleared").arg(address));
      break;
    case TSectionRestore::Unchanged:
    case TSectionRestore::NotReached:
      break;
  }
}

// Why the sections the backup records as empty were left, once, before the sections.
void PrintDoubt(const TBackupSet& backup, const TRestoreResult& result) {
  if (result.Count(TSectionRestore::NotCleared) == 0)
    return;
  PrintErr(QStringLiteral("%1: the %2 sections it records as empty are left as they are (%3 "
                          "clears them)")
               .arg(backup.Manifest.Doubt())
               .arg(result.Count(TSectionRestore::NotCleared))
               .arg("--" + ClearMissingOption));
}

}  // namespace

int BackupCommand(const TArgs& args) {
  const TPhoneOptions options = PhoneOptionsFrom(args, ManagerSettingsPath());
  const QString dir = args.Positional()[0];
  TPhoneLink link(options);
  TBackupResult result;
  {
    TCliReporter reporter(options.Progress);
    result = BackUp(link, reporter, options.Ranges, dir, PortName(options.Port));
  }
  if (!result.LinkOpened)
    throw TCommandFailed(link.OpenError());
  PrintMissing(result);
  const TManifest& manifest = result.Manifest;
  const int count = int(manifest.Entries.size());
  PrintErr(QStringLiteral("Backed up %1 of %2 sections (%3 bytes) from %4 into %5%6")
               .arg(count - manifest.Missing())
               .arg(count)
               .arg(result.Bytes)
               .arg(manifest.Port, dir, CheckSuffix(manifest)));
  if (!manifest.Doubt().isEmpty())
    PrintErr(QStringLiteral("A restore of this backup clears nothing unless given %1")
                 .arg("--" + ClearMissingOption));
  return manifest.Doubt().isEmpty() ? exitOk : exitFailed;
}

int RestoreCommand(const TArgs& args) {
  const TPhoneOptions options = PhoneOptionsFrom(args, ManagerSettingsPath());
  TRestoreRequest request;
  request.DryRun = args.Has(QStringLiteral("dry-run"));
  if (args.Has(QStringLiteral("only")))
    request.Only = ParseAddressList(args.Value(QStringLiteral("only")));
  request.ClearRecordedEmpty = args.Has(ClearMissingOption);
  const TBackupSet backup = ReadBackup(args.Positional()[0], options.Ranges);
  TPhoneLink link(options);
  TRestoreResult result;
  {
    TCliReporter reporter(options.Progress);
    result = Restore(link, reporter, backup, request, nullptr);
  }
  if (!result.LinkOpened)
    throw TCommandFailed(link.OpenError());
  PrintDoubt(backup, result);
  for (const TSectionRestore& section : result.Sections)
    PrintSection(section, request.DryRun);
  if (!result.LinkLost.isEmpty())
    PrintErr(QStringLiteral("%1: the %2 sections after it were not reached")
                 .arg(result.LinkLost)
                 .arg(result.Count(TSectionRestore::NotReached)));
  const int notCleared = result.Count(TSectionRestore::NotCleared);
  PrintErr(
      QStringLiteral("%1: %2 written, %3 cleared, %4 unchanged, %5 failed%6")
          .arg(request.DryRun ? QStringLiteral("Dry run, nothing changed")
                              : QStringLiteral("Restored"))
          .arg(result.Count(TSectionRestore::Written))
          .arg(result.Count(TSectionRestore::Cleared))
          .arg(result.Count(TSectionRestore::Unchanged))
          .arg(result.Failures())
          .arg(notCleared > 0 ? QStringLiteral(", %1 left uncleared").arg(notCleared) : QString()));
  return result.Failures() == 0 && result.LinkLost.isEmpty() ? exitOk : exitFailed;
}
