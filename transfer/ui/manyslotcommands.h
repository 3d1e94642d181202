#pragma once
// The window's commands over many slots: saving the selected ones into a folder, clearing
// them, and uploading several files into the slots from a row on, after a plan the user
// checks and edits. Each ends with one summary.

#include <QList>
#include <QStringList>

class TUploadPlanDialog;
struct TManyResult;
struct TSectionAddress;
struct TWindowCommand;

// Saves every selected slot that holds something into a folder the user picks or names
// (made when new); a file name taken already is asked about.
void DownloadSlotsCommand(TWindowCommand& command, const QList<TSectionAddress>& addresses);
// One confirmation listing the slots and what each holds, then every one cleared.
void ClearSlotsCommand(TWindowCommand& command, const QList<TSectionAddress>& addresses);

// Reads every file (one that cannot be read ends the command unwritten), plans them into the
// free slots from row on, and uploads them as the user leaves the plan.
void UploadFilesCommand(TWindowCommand& command, TUploadPlanDialog& dialog,
                        const QStringList& fileNames, int row);

// The box that ends work over many slots, and the status line: the summary line, and under
// it a line for each slot that failed or was not reached and each of notDone (work left out
// before the run); "OK!" when every slot was done or skipped.
void ShowManySummary(TWindowCommand& command, const TManyResult& result,
                     const QStringList& notDone = {});
