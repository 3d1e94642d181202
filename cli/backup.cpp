#include "cli/backup.h"

#include "cli/args.h"
#include "cli/clifaces.h"
#include "cli/console.h"
#include "cli/options.h"
#include "cli/phonelink.h"
#include "common/texts.h"
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
      PrintErr(TCliText::tr("Section %1 is missing from the backup: %2")
                   .arg(entry.Address.Text(), entry.Error));
  }
  if (!result.LinkLost.isEmpty()) {
    //: %1 is where and why the link was lost.
    PrintErr(TCliText::tr("%1: the %n sections after it were not read and are missing", nullptr,
                          int(result.Manifest.Entries.size()) - result.Reached)
                 .arg(result.LinkLost));
  }
  for (const TSizeChange& change : result.Manifest.Changes)
    PrintErr(TCliText::tr("Section %1 changed during the backup: %2")
                 .arg(change.Address.Text(), result.Manifest.ChangeText(change)));
}

// "; verified" for a whole backup whose sizes all held to its end.
QString CheckSuffix(const TManifest& manifest) {
  //: Ends the summary of a backup: "Backed up 29 of 29 sections ...; inconsistent".
  if (manifest.Check == TBackupCheck::Inconsistent)
    return TCliText::tr("; inconsistent");
  //: Ends the summary of a backup: "Backed up 29 of 29 sections ...; verified".
  if (manifest.Check == TBackupCheck::Verified)
    return TCliText::tr("; verified");
  return {};
}

void PrintSection(const TSectionRestore& section, bool dryRun) {
  const QString address = section.Address.Text();
  switch (section.Action) {
    case TSectionRestore::Written:
      PrintOut(
          (dryRun ? TCliText::tr("would write %1 (%2 bytes)") : TCliText::tr("wrote %1 (%2 bytes)"))
              .arg(address)
              .arg(section.Size));
      break;
    case TSectionRestore::Cleared:
      PrintOut((dryRun ? TCliText::tr("would clear %1") : TCliText::tr("cleared %1")).arg(address));
      break;
    case TSectionRestore::Failed:
      PrintErr(TCliText::tr("Section %1 not restored: %2").arg(address, section.Problem));
      break;
    case TSectionRestore::Skipped:
      PrintErr(TCliText::tr("Section %1 is missing from the backup (%2): left as it is")
                   .arg(address, section.Problem));
      break;
    case TSectionRestore::NotCleared:
      PrintOut(
          (dryRun ? TCliText::tr("would leave %1 uncleared") : TCliText::tr("left %1 uncleared"))
              .arg(address));
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
  //: %1 is why the backup is in doubt, %2 the option that clears them all the same.
  PrintErr(TCliText::tr("%1: the %n sections it records as empty are left as they are (%2 clears "
                        "them)",
                        nullptr, result.Count(TSectionRestore::NotCleared))
               .arg(backup.Manifest.Doubt(), "--" + ClearMissingOption));
}

}  // namespace

int BackupCommand(const TArgs& args) {
  const TPhoneOptions options = PhoneOptionsFrom(args, ManagerSettingsPath());
  const QString dir = args.Positional()[0];
  TPhoneLink link(options);
  TBackupResult result;
  {
    TCliReporter reporter(options.Progress);
    result =
        BackUp(link, reporter, options.Ranges, dir,
               {PortName(options.Port), link.Library().FileName(), link.Library().DemoPhone()});
  }
  if (!result.Refused.isEmpty())
    throw TCommandFailed(result.Refused);
  if (!result.LinkOpened)
    throw TCommandFailed(link.OpenError());
  PrintMissing(result);
  const TManifest& manifest = result.Manifest;
  const int count = int(manifest.Entries.size());
  //: %2 is the bytes, %3 the port, %4 the folder; %5 is "; verified", "; inconsistent" or empty.
  PrintErr(TCliText::tr("Backed up %1 of %n sections (%2 bytes) from %3 into %4%5", nullptr, count)
               .arg(count - manifest.Missing())
               .arg(result.Bytes)
               .arg(manifest.Port, dir, CheckSuffix(manifest)));
  PrintErr(manifest.MadeThroughText());
  if (!manifest.Doubt().isEmpty())
    PrintErr(TCliText::tr("A restore of this backup clears nothing unless given %1")
                 .arg("--" + ClearMissingOption));
  if (manifest.Check != TBackupCheck::Verified)
    PrintErr(manifest.EndText());
  return StatusOf(manifest.Check == TBackupCheck::Verified);
}

int RestoreCommand(const TArgs& args) {
  const TPhoneOptions options = PhoneOptionsFrom(args, ManagerSettingsPath());
  TRestoreRequest request;
  request.DryRun = args.Has(QStringLiteral("dry-run"));
  if (args.Has(QStringLiteral("only")))
    request.Only = ParseAddressList(args.Value(QStringLiteral("only")));
  request.ClearRecordedEmpty = args.Has(ClearMissingOption);
  request.History = options.History;
  const TBackupRead<TBackupSet> read = ReadBackup(args.Positional()[0], options.Ranges);
  if (!read.Ok())
    throw TCommandFailed(read.Problem);
  const TBackupSet& backup = read.Value;
  TPhoneLink link(options);
  TRestoreResult result;
  {
    TCliReporter reporter(options.Progress);
    result = Restore(link, reporter, backup, request, nullptr);
  }
  if (!result.Refused.isEmpty())
    throw TCommandFailed(result.Refused);
  if (!result.LinkOpened)
    throw TCommandFailed(link.OpenError());
  PrintNotKept(result.NotKept);
  PrintDoubt(backup, result);
  for (const TSectionRestore& section : result.Sections)
    PrintSection(section, request.DryRun);
  if (!result.LinkLost.isEmpty()) {
    //: %1 is where and why the link was lost.
    PrintErr(TCliText::tr("%1: the %n sections after it were not reached", nullptr,
                          result.Count(TSectionRestore::NotReached))
                 .arg(result.LinkLost));
  }
  const int notCleared = result.Count(TSectionRestore::NotCleared);
  const bool whole = result.NotRestored() == 0;
  //: %1 is "Restored", "Restore incomplete" or "Dry run, nothing changed"; then the counts of
  //: sections.
  QString summary = TCliText::tr("%1: %2 written, %3 cleared, %4 unchanged, %5 failed");
  if (notCleared > 0) {
    //: %1 is "Restored", "Restore incomplete" or "Dry run, nothing changed"; then the counts of
    //: sections.
    summary =
        TCliText::tr("%1: %2 written, %3 cleared, %4 unchanged, %5 failed, %6 left uncleared");
  }
  summary = summary
                .arg(request.DryRun ? TCliText::tr("Dry run, nothing changed")
                     : whole        ? TCliText::tr("Restored")
                                    : TCliText::tr("Restore incomplete"))
                .arg(result.Count(TSectionRestore::Written))
                .arg(result.Count(TSectionRestore::Cleared))
                .arg(result.Count(TSectionRestore::Unchanged))
                .arg(result.Failures());
  PrintErr(notCleared > 0 ? summary.arg(notCleared) : summary);
  if (!request.DryRun && !whole)
    PrintErr(result.EndText());
  return StatusOf(result.Failures() == 0 && result.LinkLost.isEmpty());
}
