#pragma once
// A backup folder: one file per section, named by its address, and manifest.json with the
// port, the time, and for every section its address, size and SHA-256 (or that it was
// empty, or missing because the phone failed or did not tell what it holds).

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include "catalogue/slotmap.h"

struct TManifestEntry {
  enum TState { Stored, Empty, Missing };
  TSectionAddress Address;
  TState State = Stored;
  qint64 Size = 0;
  QByteArray Sha256;  // lower-case hexadecimal
  QString Error;      // why a missing section could not be read
};

// How the phone answered when a backup, at its end, asked every section's size again.
enum class TBackupCheck {
  Unchecked,     // not asked: made by an older version, or a change kept in the history
  Verified,      // complete, and every answer was what the backup recorded
  Incomplete,    // some sections could not be read (Missing): never verified
  Inconsistent,  // some answers differed (Changes): the phone changed or lost the link
  NotVerified,   // the link was lost before every size could be asked again
};

// A section whose size answer at the end differed from what the backup recorded.
struct TSizeChange {
  TSectionAddress Address;
  int SizeAtEnd = 0;  // the phone's answer: a size, or an empty-section or failure code
};

struct TManifest {
  QString Port;
  // The phone-link library the backup was made through, and whether it is the demo phone:
  // a backup of the demo phone must never pass for one of the user's phone.
  QString Library;
  bool DemoPhone = false;
  QDateTime Time;
  QList<TManifestEntry> Entries;
  TBackupCheck Check = TBackupCheck::Unchecked;
  QList<TSizeChange> Changes;

  int Missing() const;
  // Why the sections recorded as empty may not be taken for empty (a restore clears them
  // only when asked): the backup is incomplete, inconsistent or not verified. Empty when
  // they may, as for a complete backup made before backups were checked. Written into the
  // manifest beside its check.
  QString Doubt() const;
  // "Made through the demo phone (FILE)", or through the library's file.
  QString MadeThroughText() const;
  // How an unverified backup ended, for the status line and kivnvm's last line: "Backup
  // incomplete: 5 of 29 sections"; empty for a verified one.
  QString EndText() const;
  // How the section changed: "3000 bytes in the backup, nothing there at the end".
  QString ChangeText(const TSizeChange& change) const;
};

constexpr char ManifestFileName[] = "manifest.json";

// What was read from a backup folder, or why it may not be trusted: Problem says so in the
// user's words, and then Value is not to be used.
template <typename T>
struct TBackupRead {
  T Value;
  QString Problem;
  bool Ok() const { return Problem.isEmpty(); }
};

QByteArray Sha256Hex(const QByteArray& bytes);
QByteArray ManifestJson(const TManifest& manifest);
// The manifest, or what is wrong with it.
TBackupRead<TManifest> ParseManifest(const QByteArray& json);

QString BackupFilePath(const QString& dir, const TSectionAddress& address);
// A file of the backup folder itself: a symbolic link is refused, so a restore never reads
// from outside the folder, and so is a file larger than limit. Throws EFOpenError when it
// cannot be read.
TBackupRead<QByteArray> ReadBackupFile(const QString& path, qint64 limit);
// The most a manifest may take: far more than any backup's, far less than the memory.
constexpr qint64 ManifestLimit = 1024 * 1024;
// The folder's manifest, read and parsed.
TBackupRead<TManifest> ReadManifest(const QString& dir);
// A stored section's file, checked against its size and SHA-256 in the manifest.
TBackupRead<QByteArray> ReadStoredSection(const QString& dir, const TManifestEntry& entry);
