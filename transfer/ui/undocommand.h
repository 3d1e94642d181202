#pragma once
// Taking back a change of the history from the window: the outcome in the status line and
// a box, a refusal with what the section holds now and what the change left there.

#include <QString>

class TPhonePort;
class TReporter;
class THistoryStore;
struct TCatalogue;
struct THistoryEntry;

// "Upload of 18-9": the change as the Edit menu's Undo names it.
QString ChangeName(const THistoryEntry& entry);

// Whether the section holds again what the change replaced. A missing or damaged entry is
// told before anything is written.
void UndoChangeCommand(TPhonePort& port, TCatalogue& catalogue, const THistoryStore& store,
                       const QString& id, TReporter& reporter);
