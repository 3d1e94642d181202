#include "cli/files.h"

#include <QFile>
#include <cstdio>

#include "cli/console.h"
#include "common/errors.h"
#include "common/fileio.h"
#include "common/texts.h"

namespace {

QString StandardOutputName() {
  return TCliText::tr("standard output");
}

}  // namespace

bool IsStandardStream(const QString& path) {
  return path == QLatin1String("-");
}

QString InputName(const QString& path) {
  return IsStandardStream(path) ? TCliText::tr("standard input") : path;
}

namespace {

// The file named on the command line, or standard input for "-".
void OpenInput(QFile& input, const QString& path) {
  if (!IsStandardStream(path))
    OpenForReading(input, path, TFileKinds::StreamsToo);
  else if (!input.open(stdin, QIODevice::ReadOnly))
    throw EFOpenError(InputName(path), input.errorString());
}

}  // namespace

TBoundedBytes ReadInputHead(const QString& path, qint64 limit) {
  QFile input;
  OpenInput(input, path);
  return ReadBounded(input, limit, InputName(path));
}

TMeasuredInput MeasureInput(const QString& path, qint64 headBytes, qint64 countLimit) {
  QFile input;
  OpenInput(input, path);
  const TBoundedBytes head = ReadBounded(input, headBytes, InputName(path));
  TMeasuredInput measured{head.Bytes, head.Bytes.size(), false};
  if (!head.More)
    return measured;
  if (!input.isSequential()) {
    measured.Size = input.size();
    return measured;
  }
  // The rest of a stream is counted, never kept; an endless one is counted up to the limit.
  measured.Size = headBytes + 1;  // the byte that told there was more
  while (measured.Size < countLimit) {
    const qint64 skipped = input.skip(countLimit - measured.Size);
    if (input.error() != QFileDevice::NoError)
      throw EFOpenError(InputName(path), input.errorString());
    if (skipped <= 0)
      return measured;
    measured.Size += skipped;
  }
  measured.Capped = true;
  return measured;
}

QByteArray ReadWholeFile(const QString& path, qint64 limit) {
  const TBoundedBytes input = ReadInputHead(path, limit);
  if (input.More) {
    throw TCommandFailed(TCliText::tr("%1 is too big: more than %2 bytes")
                             .arg(InputName(path), QString::number(limit)));
  }
  return input.Bytes;
}

void WriteOutputFile(const QString& path, const QByteArray& bytes) {
  if (!IsStandardStream(path)) {
    SaveFile(path, bytes);
    return;
  }
  QFile output;
  if (!output.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered))
    throw EFCreateError(StandardOutputName(), output.errorString());
  WriteOpenFile(output, bytes, StandardOutputName());
}
