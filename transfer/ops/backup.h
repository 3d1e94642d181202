#pragma once
// A backup of every configured slot and the modification's own sections into a new folder.

#include <QList>
#include <QString>

#include "transfer/backupmanifest.h"

class TPhonePort;
class TReporter;

// The configured slots, then the standard slots (18-9..18-29, 2-10..2-14) they leave out,
// then the PRG3 library, the UFIF2 library and the preferences record, each once.
QList<TSectionAddress> BackupAddresses(const TSlotRanges& ranges);

// What a backup is made through, as its manifest records it.
struct TBackupSource {
  QString Port;     // "COM1"
  QString Library;  // the phone-link library's file
  bool DemoPhone = false;
};

struct TBackupResult {
  bool LinkOpened = false;
  bool Cancelled = false;
  TManifest Manifest;  // the sections read, in order
  qint64 Bytes = 0;    // bytes stored
  // Where the link was lost, when it was (also a read that failed or fell short): the
  // sections after it are recorded as missing without being tried, and only the first
  // Reached entries were.
  QString LinkLost;
  int Reached = 0;
  // Why the folder cannot take the backup: it is a file, not empty (or was filled while
  // the sections were read), or a link to nothing. Nothing was kept.
  QString Refused;
  // The folder was made: every section was reached and the manifest written.
  bool Made() const { return LinkOpened && !Cancelled && Refused.isEmpty(); }
};

// Reads the sections into dir, which must be new or empty (Refused otherwise, before the
// link opens). The files go into a hidden folder beside it that takes dir's name only when
// the manifest is written, so an interrupted backup never looks complete. Progress is
// reported before each section; a cancel between two sections leaves no folder. At the end
// every size is asked again, and the manifest records whether the answers matched: verified
// only when every section was read and every answer matched, incomplete when a section
// could not be read.
TBackupResult BackUp(TPhonePort& port, TReporter& reporter, const TSlotRanges& ranges,
                     const QString& dir, const TBackupSource& source);
