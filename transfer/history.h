#pragma once
// The history of changes: before a change replaces or erases a section that holds
// something, the section is kept as a one-section backup folder (manifest.json with its
// SHA-256, and the section's file), with change.json beside it telling what the change was
// and what it left there. The newest changes are kept within a bound of count and bytes.

#include <QDateTime>
#include <QList>
#include <QString>

#include "transfer/backupmanifest.h"

// What a section held: its size and SHA-256, and a description as the grid gives it.
struct TSectionState {
  bool Known = false;  // false when it could not be read back
  qint64 Size = 0;     // 0 for an empty section
  QByteArray Sha256;   // lower-case hexadecimal; empty for an empty section
  QString Description;
  friend bool operator==(const TSectionState& a, const TSectionState& b) {
    return a.Known == b.Known && a.Size == b.Size && a.Sha256 == b.Sha256;
  }
  // "18-9 ... 3,000 bytes, SHA-256 1a2b3c4d..." for the user.
  QString Text() const;
};
TSectionState StateOfBytes(const QByteArray& bytes);
TSectionState EmptyState();

// A change's name as the history records it: English whatever the user's language, so a
// record reads the same to every version and face. Callers name theirs with
// QT_TRANSLATE_NOOP("Transfer", "Upload"), and the faces show them through ChangeLabelText.
QString UndoChangeLabel(const QString& id);  // "Undo of 12"
// The recorded name in the user's language; a name this version does not know as it is.
QString ChangeLabelText(const QString& recorded);

struct THistoryEntry {
  QString Id;  // a number, growing with every change
  QString Dir;
  QDateTime Time;
  QString Change;  // "Upload", "Clear", "Undo of 12"...
  TSectionAddress Address;
  TSectionState Before;
  TSectionState After;  // Known only once the change has finished
  // An undo has written back what it replaced; an explicit undo still may, while the section
  // holds what the change left.
  bool TakenBack = false;
  QString Problem;  // why the entry cannot be used; empty when it can
};

struct THistoryConfig {
  QString Dir;  // empty: nothing is kept
  int MaxEntries = 200;
  qint64 MaxBytes = 64 * 1024 * 1024;
};

// The history folder of this user: $XDG_DATA_HOME/kiv-manager/history.
QString DefaultHistoryDir();
// Whether the settings file asks for the history: [History] Keep, on unless it is 0 or false.
bool KeepsHistory(const QString& settingsPath);
// The history as both faces set it up: the default folder, or none when the settings file
// turns it off.
THistoryConfig HistoryConfigFor(const QString& settingsPath);

// The history the operations keep into, for the whole process; none until a face sets it.
void SetHistoryConfig(const THistoryConfig& config);
THistoryConfig CurrentHistoryConfig();

class THistoryStore {
 public:
  explicit THistoryStore(THistoryConfig config);

  bool Keeps() const { return !config_.Dir.isEmpty(); }
  const QString& Dir() const { return config_.Dir; }

  // Keeps the section's bytes before a change; the entry's After is unknown until Finish.
  // Returns the new entry's id. Throws (EFCreateError...) when it cannot be written.
  QString Add(const TSectionAddress& address, const QString& change, const QByteArray& before);
  // What the change left. An entry whose change left the section as it was goes, as do the
  // oldest entries beyond the bound.
  void Finish(const QString& id, const TSectionState& after);
  // Marks the change as taken back, so the last change to undo is an older one: an undo that
  // wrote into an empty section keeps no entry of its own to stand for it.
  void MarkTakenBack(const QString& id) const;

  // Every entry, oldest first, damaged ones with their Problem.
  QList<THistoryEntry> Entries() const;
  // One entry; throws EBadBackup when there is none of that id or it is damaged.
  THistoryEntry Entry(const QString& id) const;
  // The kept bytes, checked against the manifest's size and SHA-256 (EBadBackup otherwise).
  QByteArray KeptBytes(const THistoryEntry& entry) const;

 private:
  THistoryEntry ReadEntry(const QString& id) const;
  void WriteChange(const THistoryEntry& entry) const;
  void Prune() const;

  THistoryConfig config_;
};
