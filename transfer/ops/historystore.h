#pragma once
// The history of changes: before a change replaces or erases a section that holds
// something, the section is kept as a one-section backup folder (manifest.json with its
// SHA-256, and the section's file), with change.json beside it telling what the change was
// and what it left there. The newest changes are kept within a bound of count and bytes.

#include "transfer/backupmanifest.h"
#include "transfer/history.h"

class THistoryStore {
 public:
  explicit THistoryStore(THistoryConfig config);

  bool Keeps() const { return !config_.Dir.isEmpty(); }
  const QString& Dir() const { return config_.Dir; }
  const THistoryConfig& Config() const { return config_; }

  // Keeps the section's bytes before a change; the entry's After is unknown until Finish.
  // Returns the new entry's id. Throws (EFCreateError...) when it cannot be written.
  QString Add(const TSectionAddress& address, const QString& change, const QByteArray& before);
  // What the change left. An entry whose change left the section as it was goes, as do the
  // oldest entries beyond the bound.
  void Finish(const QString& id, const TSectionState& after);
  // Marks the change as taken back, so the last change to undo is an older one: an undo that
  // wrote into an empty section keeps no entry of its own to stand for it. Throws
  // EFCreateError when the entry can no longer be read or its record cannot be written.
  void MarkTakenBack(const QString& id) const;

  // Every entry, oldest first, damaged ones with their Problem.
  QList<THistoryEntry> Entries() const;
  // One entry, or why not: there is none of that id, or it is damaged.
  TBackupRead<THistoryEntry> Entry(const QString& id) const;
  // The kept bytes, checked against the manifest's size and SHA-256, or why they may not be
  // written back. Throws EFOpenError when a file cannot be read.
  TBackupRead<QByteArray> KeptBytes(const THistoryEntry& entry) const;

 private:
  THistoryEntry ReadEntry(const QString& id) const;
  void WriteChange(const THistoryEntry& entry) const;
  void Prune() const;

  THistoryConfig config_;
};
