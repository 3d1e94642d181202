#pragma once
// Files read and written by the commands. An output file is written through a temporary
// file and renamed into place only when complete, so a failed command leaves no output.

#include <QByteArray>
#include <QString>

// The whole file; throws EFOpenError "Cannot open file %s".
QByteArray ReadWholeFile(const QString& path);

// At most maxBytes from the start of the file, and the file's whole size.
struct TFileHead {
  QByteArray Bytes;
  qint64 Size = 0;
};
TFileHead ReadFileHead(const QString& path, qint64 maxBytes);

// Throws EFCreateError "Cannot create file %s" when the file cannot be written whole.
void WriteFileAtomically(const QString& path, const QByteArray& bytes);
