#include "common/fileio.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

#include "common/errors.h"

namespace {

// Pipes hand out at most a few pages per read; larger chunks only cost memory.
constexpr qint64 ReadChunk = 64 * 1024;

QString IsADirectoryReason() {
  return qt_error_string(EISDIR);
}

}  // namespace

TBoundedBytes ReadBounded(QFile& file, qint64 limit, const QString& name) {
  const qint64 wanted = limit + 1;
  QByteArray bytes;
  while (bytes.size() < wanted) {
    const QByteArray chunk = file.read(qMin(wanted - bytes.size(), ReadChunk));
    if (file.error() != QFileDevice::NoError)
      throw EFOpenError(name, file.errorString());
    if (chunk.isEmpty())
      break;
    bytes += chunk;
  }
  TBoundedBytes result;
  result.More = bytes.size() > limit;
  bytes.truncate(limit);
  result.Bytes = bytes;
  return result;
}

TBoundedBytes ReadBounded(const QString& path, qint64 limit) {
  if (QFileInfo(path).isDir())
    throw EFOpenError(path, IsADirectoryReason());
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw EFOpenError(path, file.errorString());
  return ReadBounded(file, limit, path);
}

void WriteOpenFile(QFile& file, const QByteArray& bytes, const QString& name) {
  if (file.write(bytes) != bytes.size() || !file.flush())
    throw EFCreateError(name, file.errorString());
}

void SaveFile(const QString& path, const QByteArray& bytes) {
  const QFileInfo info(path);
  if (info.isDir())
    throw EFCreateError(path, IsADirectoryReason());
  if (info.exists() && !info.isFile()) {
    // Replacing a device node or a FIFO by a regular file would destroy it.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
      throw EFCreateError(path, file.errorString());
    WriteOpenFile(file, bytes, path);
    return;
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    throw EFCreateError(path, file.errorString());
}
