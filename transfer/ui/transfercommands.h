#pragma once
// The window's transfer commands on the current row's slot: upload (plain or compressed),
// download, GIF preview and clear.

struct TWindowCommand;

void UploadCommand(TWindowCommand& command, bool compressed);
void DownloadCommand(TWindowCommand& command);
void PlayGIFCommand(TWindowCommand& command);
void ClearCommand(TWindowCommand& command);
