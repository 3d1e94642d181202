#pragma once
// What the history of changes records, as values: a section's state, a change's name, an
// entry and the words both faces show for them. The store that keeps it is in
// transfer/ops/historystore.h.

#include <QDateTime>
#include <QList>
#include <QString>

#include "common/sectionaddress.h"

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

// An entry in the words both faces show: the window lays them out as a table's columns,
// kivnvm as one line.
struct THistoryLine {
  QString Id;
  QString Time;     // local time, "2026-12-09 07:00:00"; empty for a damaged entry
  QString Section;  // empty for a damaged entry
  QString Change;   // "Upload", "Upload (taken back)"; "damaged" for a damaged entry
  QString Before;   // for a damaged entry: why it cannot be used
  QString After;    // what the change left, or why that is not known
};
THistoryLine HistoryLineOf(const THistoryEntry& entry);

// An undo whose write did not take: "Section 18-9 was not taken back: ...".
QString NotTakenBackText(const TSectionAddress& address, const QString& problem);
// An undo that took: "Took back change 3 (Upload of 18-9): the section holds ... again".
QString TakenBackText(const THistoryEntry& entry);
// An undo that took, but whose mark the history could not write: "The history could not
// record that change 3 was taken back (why): it still lists it as standing".
QString NotRecordedText(const THistoryEntry& entry, const QString& why);

// Where the history is kept and how much of it: a plain value the faces read from the
// settings file and hand to what keeps it.
struct THistoryConfig {
  QString Dir;  // empty: nothing is kept
  int MaxEntries = 200;
  qint64 MaxBytes = 64 * 1024 * 1024;
};
