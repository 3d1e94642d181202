#pragma once
// Taking back a change of the history: the kept bytes written back where the change left
// them, and only there.

#include <optional>

#include "transfer/ops/historystore.h"

class TPhonePort;
class TReporter;
struct TCatalogue;

// What an undo did; every state but Undone wrote nothing, except Failed, whose Problem says
// what the section holds now.
struct TUndoResult {
  enum TState {
    Undone,
    NothingToUndo,  // no change is left to take back; Problem says so
    Unusable,       // the change is missing, damaged or unfinished; Problem says which, the link
                    // was not opened
    NoLink,         // the link did not open (the user has been told)
    Refused,        // the section no longer holds what the change left
    Failed,         // the write did not take
  };
  TState State = NoLink;
  THistoryEntry Entry;
  QString Problem;
  QStringList NotKept;  // what the history could not keep of the change (TKeepingPort)
  // Undone, but the history could not record it as taken back, and why: the phone holds the
  // kept bytes again, while the history still lists the change as standing.
  QString NotRecorded;
};

// The newest entry that can be taken back and has not been, if any.
std::optional<THistoryEntry> LastChange(const THistoryStore& store);

// Takes back change id, or the newest one (LastChange) when id is empty. The entry and its
// kept copy are checked before the link opens, and the section must hold what the change
// left (size and SHA-256); then the kept bytes are written, checked by reading them back,
// and the section's row refreshed; the entry is then marked taken back (NotRecorded says why
// it could not be). The undo is a change of its own in the history. Only a kept file that
// cannot be opened throws (EFOpenError), before anything is written.
TUndoResult Undo(TPhonePort& port, TCatalogue& catalogue, const THistoryStore& store,
                 const QString& id, TReporter& reporter);
