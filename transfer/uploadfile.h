#pragma once
// The files that the transfers read and write, with the framework's errors.

#include <QByteArray>
#include <QString>

// A file read for upload: at most the upload buffer's worth, and whether it held more.
struct TUploadFile {
  QByteArray Data;
  bool TooLong = false;
};

// Throws EFOpenError when the file cannot be opened or read.
TUploadFile ReadUploadFile(const QString& fileName);

// Makes these bytes the file's whole content (see SaveFile); throws EFCreateError.
void SaveWholeFile(const QString& fileName, const QByteArray& bytes);
