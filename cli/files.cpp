#include "cli/files.h"

#include "cli/console.h"

TBoundedBytes ReadInputHead(const QString& path, qint64 limit) {
  return ReadBounded(path, limit);
}

QByteArray ReadWholeFile(const QString& path, qint64 limit) {
  const TBoundedBytes input = ReadInputHead(path, limit);
  if (input.More)
    throw TCommandFailed(QStringLiteral("%1 is too big: more than %2 bytes").arg(path).arg(limit));
  return input.Bytes;
}

void WriteOutputFile(const QString& path, const QByteArray& bytes) {
  SaveFile(path, bytes);
}
