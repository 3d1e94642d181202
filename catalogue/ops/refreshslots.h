#pragma once
// Refreshing slots: a section's size and first bytes, recognised into its row's record.

#include <QList>
#include <QString>
#include <optional>

#include "catalogue/slotinfo.h"
#include "catalogue/slotmap.h"

class TPhonePort;
class TReporter;

// What a refresh writes into: the slot table, the ranges that map its rows to sections,
// and whether recognition reads the first bytes ("Additional info") or only the size.
struct TCatalogue {
  TSlotTable& Slots;
  TSlotRanges Ranges;
  bool AdditionalInfo = true;
};

struct TRefreshResult {
  // The phone's answer: a size, an empty-section code, or a failure's code; the size after a
  // read that brought fewer bytes than it asked for (the row then shows "(not read)").
  int Size = 0;
  QString Error;  // what the user was told; empty when the row was refreshed
  bool Ok() const { return Error.isEmpty(); }
  // The size as the grid counts it: 0 for an empty section, negative after a failed size
  // query or read.
  int Held() const;
};

// One section into its row (the scratch record 0 for an address outside the ranges), with
// the link as the caller holds it.
TRefreshResult RefreshSection(TPhonePort& port, TCatalogue& catalogue,
                              const TSectionAddress& address, TReporter& reporter);

struct TRefreshOutcome {
  bool LinkOpened = false;  // when not, the link told why and no row changed
  TRefreshResult Refresh;
};

// One section in a link of its own.
TRefreshOutcome RefreshSlot(TPhonePort& port, TCatalogue& catalogue, const TSectionAddress& address,
                            TReporter& reporter);

// Every slot, big range then small, in one link. A failure ends its range and the rows
// after it keep their records, as do the rows not reached before a cancel; of those, a row
// never read before becomes "(not read)".
struct TSlotsRefreshed {
  bool LinkOpened = false;
  bool Cancelled = false;
  QList<std::optional<TRefreshResult>> Rows;  // by row - 1; nothing for a row not reached
};
TSlotsRefreshed RefreshAllSlots(TPhonePort& port, TCatalogue& catalogue, TReporter& reporter);
