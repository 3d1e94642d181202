#pragma once
// What each system judges of a file by itself: whether a path is a regular file, and opening
// one for reading so that what is judged is what is read.

#include <QString>

class QFile;

// Why something that is not a regular file cannot be read as one: "Is a directory".
QString IsADirectoryReason();
// Opens a regular file for reading without blocking; throws EFOpenError, with the reason,
// for anything else (a named pipe, a device) or when it cannot be opened.
void OpenRegularForReading(QFile& file, const QString& path);
