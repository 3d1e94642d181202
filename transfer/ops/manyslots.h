#pragma once
// Work over many slots in one link: saving them into a folder, clearing them, and a plan of
// files uploaded into them. Each reports "i of N" and may be cancelled between two slots;
// a slot that fails does not stop the others, and the summary names every one that failed
// or was not reached.

#include <QList>
#include <QString>

#include "transfer/ops/upload.h"

class TInteraction;
class TReporter;

struct TSlotWork {
  enum TState { Done, Failed, Skipped, NotReached };
  TSectionAddress Address;
  QString File;  // the file saved or uploaded
  TState State = NotReached;
  QString Problem;  // why it failed or was skipped
};

struct TManyResult {
  bool LinkOpened = false;
  bool Cancelled = false;
  QList<TSlotWork> Slots;  // in the order handled
  QStringList NotKept;     // what the history could not keep of the change (TKeepingPort)
  int Count(TSlotWork::TState state) const;
  // "2 of 4 slots done; 1 failed, 1 not reached", then a line for each of those.
  QStringList Summary() const;
};

// Every slot named that holds something, into dir (made when missing, and taken away again
// when the work fails and nothing went into it), named by SlotFileName. A name taken already is
// asked about (Replace, Skip, or all of them).
TManyResult DownloadSlots(TPhonePort& port, const QList<TSectionAddress>& addresses,
                          const QString& dir, TInteraction& interaction, TReporter& reporter);

// Erases the sections and refreshes their rows.
TManyResult ClearSlots(TPhonePort& port, TCatalogue& catalogue,
                       const QList<TSectionAddress>& addresses, const THistoryConfig& history,
                       TReporter& reporter);

// One file of an upload plan and the slot it goes to.
struct TPlannedUpload {
  QString FileName;  // as the user gave it
  TUploadFile File;
  TSectionAddress Target;
  bool Compressed = false;
  // Known from the catalogue and the file when the plan is checked.
  TSlotInfo Holds;  // what the slot holds now
  qint64 Size = 0;  // bytes the upload would write (before a conversion)
  bool TooBig = false;
  bool UFIF20 = false;  // converted first when the plan says so
};

struct TUploadPlan {
  QList<TPlannedUpload> Items;
  bool Convert = false;  // the conversion question, answered once for the plan
  QString Firmware;      // what the UFIF 2.0 programs are converted for
  TWriteCheck Check = TWriteCheck::BySize;
  THistoryConfig History;  // where what the uploads replace is kept
  bool HasUFIF20() const;
};

// Each file into the next free slot from startRow on (rows as the grid counts them); files
// beyond the free slots get none and are left out, named in overflow.
TUploadPlan PlanUploads(const QList<TPlannedUpload>& files, const TCatalogue& catalogue,
                        int startRow, QStringList& overflow);
// What each target holds, the bytes each file would write and whether they fit; again after
// the user moved a file to another slot.
void CheckPlan(TUploadPlan& plan, const TCatalogue& catalogue);

// Writes the files that fit, shrinking slots first, judging each write as an upload does.
// A file too big for its slot fails without being written.
TManyResult RunUploadPlan(TPhonePort& port, TCatalogue& catalogue, const TUploadPlan& plan,
                          TInteraction& interaction, TReporter& reporter);
