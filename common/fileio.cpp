#include "common/fileio.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

#include "common/errors.h"
#include "common/fileioplatform.h"
#include "common/texts.h"

namespace {

// Pipes hand out at most a few pages per read; larger chunks only cost memory.
constexpr qint64 ReadChunk = 64 * 1024;

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

void OpenForReading(QFile& file, const QString& path, TFileKinds kinds) {
  if (QFileInfo(path).isDir())
    throw EFOpenError(path, IsADirectoryReason());
  if (kinds == TFileKinds::StreamsToo) {
    // A named pipe given on purpose waits for its writer, as any reader of it does.
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
      throw EFOpenError(path, file.errorString());
    return;
  }
  OpenRegularForReading(file, path);
}

TBoundedBytes ReadBounded(const QString& path, qint64 limit, TFileKinds kinds) {
  QFile file;
  OpenForReading(file, path, kinds);
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

TMadeFolders::TMadeFolders(const QString& path) {
  QStringList missing;
  for (QString folder = QDir::cleanPath(QDir(path).absolutePath()); !QFileInfo::exists(folder);
       folder = QFileInfo(folder).path())
    missing << folder;
  if (!QDir().mkpath(path)) {
    for (const QString& folder : missing)
      QDir().rmdir(folder);
    throw EFCreateError(path);
  }
  made_ = missing;
}

TMadeFolders::~TMadeFolders() {
  for (const QString& folder : made_) {
    if (!QDir().rmdir(folder))
      break;
  }
}
