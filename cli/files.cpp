#include "cli/files.h"

#include <QFile>
#include <QSaveFile>

#include "common/errors.h"

namespace {

void OpenForReading(QFile& file) {
  if (!file.open(QIODevice::ReadOnly))
    throw EFOpenError(file.fileName());
}

}  // namespace

QByteArray ReadWholeFile(const QString& path) {
  QFile file(path);
  OpenForReading(file);
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError)
    throw EFOpenError(path);
  return bytes;
}

TFileHead ReadFileHead(const QString& path, qint64 maxBytes) {
  QFile file(path);
  OpenForReading(file);
  TFileHead head;
  head.Size = file.size();
  head.Bytes = file.read(maxBytes);
  if (file.error() != QFileDevice::NoError)
    throw EFOpenError(path);
  return head;
}

void WriteFileAtomically(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    throw EFCreateError(path);
}
