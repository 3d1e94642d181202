#include "app/mainwindow.h"

// SCAFFOLD: the preferences commands replace these.
void TForm1::Button3Click() {}
void TForm1::GetPrefActionExecute() {}
void TForm1::SetPrefActionExecute() {}
