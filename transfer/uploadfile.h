#pragma once
// The file an upload reads, with the framework's errors; saving is SaveFile (common/fileio).

#include <QByteArray>
#include <QString>

// A file read for upload: at most the upload buffer's worth, and whether it held more.
struct TUploadFile {
  QByteArray Data;
  bool TooLong = false;
};

// Throws EFOpenError when the file cannot be opened or read.
TUploadFile ReadUploadFile(const QString& fileName);
