#include "cli/files.h"

#include <QFile>
#include <cstdio>

#include "cli/console.h"
#include "common/errors.h"

namespace {

const QString StandardInputName = QStringLiteral("standard input");
const QString StandardOutputName = QStringLiteral("standard output");

}  // namespace

bool IsStandardStream(const QString& path) {
  return path == QLatin1String("-");
}

QString InputName(const QString& path) {
  return IsStandardStream(path) ? StandardInputName : path;
}

TBoundedBytes ReadInputHead(const QString& path, qint64 limit) {
  if (!IsStandardStream(path))
    return ReadBounded(path, limit);
  QFile input;
  if (!input.open(stdin, QIODevice::ReadOnly))
    throw EFOpenError(StandardInputName, input.errorString());
  return ReadBounded(input, limit, StandardInputName);
}

QByteArray ReadWholeFile(const QString& path, qint64 limit) {
  const TBoundedBytes input = ReadInputHead(path, limit);
  if (input.More) {
    throw TCommandFailed(
        QStringLiteral("%1 is too big: more than %2 bytes").arg(InputName(path)).arg(limit));
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
    throw EFCreateError(StandardOutputName, output.errorString());
  WriteOpenFile(output, bytes, StandardOutputName);
}
