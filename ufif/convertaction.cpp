#include "app/mainwindow.h"

// SCAFFOLD: the convert command and the engine's window side replace these.
void TForm1::ConvertActionExecute() {}
void TForm1::ConvertToUFIF21(QByteArray&) {}
