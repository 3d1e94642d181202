#include "app/mainwindow.h"

// SCAFFOLD: the transfer commands replace these.
void TForm1::UploadActionExecute() {}
void TForm1::UploadLZOActionExecute() {}
void TForm1::DownloadActionExecute() {}
void TForm1::PlayGIFActionExecute() {}
void TForm1::ClearActionExecute() {}
