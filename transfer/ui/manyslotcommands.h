#pragma once
// The window's commands over the selected slots: saving them into a folder and clearing
// them, each ending with one summary.

#include <QList>

class QWidget;
struct TManyResult;
struct TSectionAddress;
struct TWindowCommand;

// Saves every selected slot that holds something into a folder the user picks or names
// (made when new); a file name taken already is asked about.
void DownloadSlotsCommand(TWindowCommand& command, const QList<TSectionAddress>& addresses);
// One confirmation listing the slots and what each holds, then every one cleared.
void ClearSlotsCommand(TWindowCommand& command, const QList<TSectionAddress>& addresses);

// The box that ends work over many slots: its summary line, and under it a line for each
// slot that failed or was not reached; "OK!" when every slot was done or skipped.
void ShowManySummary(QWidget* owner, const TManyResult& result);
