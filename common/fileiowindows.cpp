// Files on Windows: pipes and devices have names of their own (\\.\pipe\..., COM1, NUL),
// which the system reports as neither a file nor a folder.

#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "common/errors.h"
#include "common/fileio.h"
#include "common/fileioplatform.h"
#include "common/texts.h"

namespace {

// Why what stands at path is not a regular file; empty when it is one or nothing is there.
QString NotRegularReason(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists() || info.isFile())
    return {};
  return info.isDir() ? IsADirectoryReason()
                      : TCommonText::tr("it is a device or socket, not a regular file");
}

}  // namespace

// Windows has no error of its own for this: EISDIR would be read as its error 21, "not ready".
QString IsADirectoryReason() {
  return TCommonText::tr("it is a folder, not a regular file");
}

void OpenRegularForReading(QFile& file, const QString& path) {
  const QString reason = NotRegularReason(path);
  if (!reason.isEmpty())
    throw EFOpenError(path, reason);
  file.setFileName(path);
  if (!file.open(QIODevice::ReadOnly))
    throw EFOpenError(path, file.errorString());
}

bool IsRegularOrAbsent(const QString& path) {
  return NotRegularReason(path).isEmpty();
}
