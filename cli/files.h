#pragma once
// The files a command reads and writes. "-" stands for standard input where a command reads
// a file and for standard output where it writes one.

#include <QByteArray>
#include <QString>

#include "common/fileio.h"

// True for "-".
bool IsStandardStream(const QString& path);
// The input as messages name it: "standard input" for "-".
QString InputName(const QString& path);

// At most limit bytes of the input and whether it held more; throws EFOpenError.
TBoundedBytes ReadInputHead(const QString& path, qint64 limit);
// The first bytes of an input of any size, and how many it holds.
struct TMeasuredInput {
  QByteArray Head;
  qint64 Size = 0;
  bool Capped = false;  // a stream that had not ended after countLimit bytes: Size is that
};
// At most headBytes of the input are kept; a stream is read to its end, or to countLimit
// bytes, and a file's size is taken from the system. Throws EFOpenError.
TMeasuredInput MeasureInput(const QString& path, qint64 headBytes, qint64 countLimit);
// The whole input, which may hold at most limit bytes: throws TCommandFailed when it holds
// more, EFOpenError "Cannot open file %s" when it cannot be read.
QByteArray ReadWholeFile(const QString& path, qint64 limit);

// Makes bytes the output's whole content: a regular file only when complete, a device or
// FIFO in place (see SaveFile). Throws EFCreateError "Cannot create file %s".
void WriteOutputFile(const QString& path, const QByteArray& bytes);
