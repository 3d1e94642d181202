#pragma once
// The restore of a backup folder onto the phone: clears where the backup holds nothing,
// writes where the phone differs, and leaves alone what the backup could not read. A backup
// that is incomplete or not verified clears nothing unless asked.

#include <QHash>
#include <QList>
#include <QStringList>

#include "transfer/backupmanifest.h"
#include "transfer/history.h"

class TPhonePort;
class TReporter;
struct TCatalogue;

// A backup folder as read and checked before anything is written.
struct TBackupSet {
  QString Dir;
  TManifest Manifest;
  QHash<QString, QByteArray> Files;  // a stored section's bytes by address text
};

// The folder's backup, or why a restore may not trust it (Problem): a damaged manifest, a
// section no backup holds or more than its slot takes, a backup file that is a symbolic
// link or does not match its SHA-256. Throws EFOpenError when a file cannot be read.
TBackupRead<TBackupSet> ReadBackup(const QString& dir, const TSlotRanges& ranges);

struct TRestoreRequest {
  QList<TSectionAddress> Only;  // the sections to restore; all of them when empty
  bool DryRun = false;          // tell what would change, change nothing: the preview
  // Clear the sections recorded as empty even when the backup is in doubt (its manifest's
  // Doubt()): a lost link can make a section look empty, so only the user may say so.
  bool ClearRecordedEmpty = false;
  THistoryConfig History;  // where what the restore replaces is kept
};

struct TSectionRestore {
  enum TAction {
    Written,
    Cleared,
    Unchanged,
    Failed,      // Problem says why
    Skipped,     // missing from the backup; Problem is why it could not be read then
    NotReached,  // the restore was cancelled before it
    NotCleared,  // recorded as empty in a backup in doubt, and not asked to be cleared
  };
  TSectionAddress Address;
  TAction Action = NotReached;
  qint64 Size = 0;  // the bytes written, or that would be
  QString Problem;
  // What the phone held before and what the backup holds, as the grid describes a row.
  QString PhoneHeld;
  QString BackupHolds;
};

struct TRestoreResult {
  bool LinkOpened = false;
  bool Cancelled = false;
  QList<TSectionRestore> Sections;  // in the order handled: clears and shrinking first
  qint64 Bytes = 0;                 // bytes written
  // Where the link was lost, when it was: the sections after it were not reached.
  QString LinkLost;
  // Why nothing was tried, before the link opened: a section asked for is not in the backup.
  QString Refused;
  QStringList NotKept;  // what the history could not keep of the change (TKeepingPort)

  int Count(TSectionRestore::TAction action) const;
  // Failed and skipped sections: everything the backup held did not reach the phone.
  int Failures() const;
  // The sections that did not get what the backup holds: failed, skipped or not reached
  // (those left uncleared were left so on the user's word).
  int NotRestored() const;
  // How the restore ended, for the status line and kivnvm's last line: "Restored!" only when
  // no section was not restored, else "Restored 4 of 28; 24 not restored".
  QString EndText() const;
};

// Restores the selected sections in one link; none when a section of Only is not in the
// backup (Refused). With a catalogue, every section written or cleared is refreshed into
// its row.
TRestoreResult Restore(TPhonePort& port, TReporter& reporter, const TBackupSet& backup,
                       const TRestoreRequest& request, TCatalogue* catalogue);
