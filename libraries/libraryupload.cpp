#include "app/mainwindow.h"

// SCAFFOLD: the library uploads replace these.
int TForm1::VerifyWrite(int, int, int) { return -1; }
void TForm1::Button5Click() {}
void TForm1::UploadLibraryFile(int, int) {}
void TForm1::Button6Click() {}
void TForm1::UploadPRG3Library(int, int) {}
