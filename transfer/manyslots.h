#pragma once
// Rules of the work over many slots: the file a downloaded slot is saved as, the free
// slots a batch of files goes into, and the order of writes that keeps room on the phone.

#include <QByteArray>
#include <QList>
#include <QString>

#include "catalogue/slotinfo.h"
#include "catalogue/slotmap.h"

// "18-9 Calculator.elf": the slot's address, the program's name where it has one, and an
// extension that fits what it holds (".gif" for a picture). Characters no file name may
// hold become "_".
QString SlotFileName(const TSectionAddress& address, const QByteArray& bytes);

// The empty slots from row startRow on, in row order, at most count of them; a row not read
// may hold anything and is none of them.
QList<int> FreeRowsFrom(const TSlotTable& table, const TSlotRanges& ranges, int startRow,
                        int count);

// One write of a batch: what the section holds now and what it will hold (0: cleared).
struct TRoomChange {
  qint64 Now = 0;
  qint64 After = 0;
};
// The order that never needs more room than the phone has at the start or at the end:
// what frees room first (the most freed first), then what takes room (the least first).
// Equal changes keep their order.
QList<int> RoomOrder(const QList<TRoomChange>& changes);

// The summary line of work over many slots: "3 of 5 slots done; 1 failed, 1 not reached".
QString ManySummary(int done, int count, int failed, int notReached, int skipped);

// A file that does not fit its slot, in the words of a plan and of the run alike: "too big
// for the slot (3000 bytes, the slot takes 2048)". A compressed file is judged again once
// packed: unlessPacked says so.
QString TooBigForSlotText(qint64 size, int limit, bool unlessPacked);
