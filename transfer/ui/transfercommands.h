#pragma once
// The window's transfer commands on the current row's slot: upload (plain or compressed),
// download, GIF preview and clear.

#include <QString>

struct TWindowCommand;

// Uploads the file the user picks in a dialog titled with the slot, or fileName when one is
// given (a file dropped onto the row): the same questions, checks and messages either way.
void UploadCommand(TWindowCommand& command, bool compressed, const QString& fileName = QString());
void DownloadCommand(TWindowCommand& command);
void PlayGIFCommand(TWindowCommand& command);
void ClearCommand(TWindowCommand& command);
