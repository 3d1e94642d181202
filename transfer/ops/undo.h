#pragma once
// Taking back a change of the history: the kept bytes written back where the change left
// them, and only there.

#include "transfer/history.h"

class TPhonePort;
class TReporter;
struct TCatalogue;

struct TUndoResult {
  enum TState {
    Undone,
    NoLink,   // the link did not open (the user has been told)
    Refused,  // the section no longer holds what the change left; nothing was written
    Failed,   // the write did not take; Problem says what the section holds now
  };
  TState State = NoLink;
  THistoryEntry Entry;
  QString Problem;
};

// The newest entry that can be taken back and has not been; throws EBadBackup when there is
// none.
THistoryEntry LastChange(const THistoryStore& store);

// Throws EBadBackup for an entry that is missing or damaged, before the link opens. The
// section must hold what the change left (size and SHA-256); then the kept bytes are
// written, checked by reading them back, and the section's row refreshed; the entry is then
// marked taken back. The undo is a change of its own in the history.
TUndoResult Undo(TPhonePort& port, TCatalogue& catalogue, const THistoryStore& store,
                 const QString& id, TReporter& reporter);
