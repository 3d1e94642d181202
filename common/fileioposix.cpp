// Files on POSIX systems: a named pipe or a device can stand at any path, so a file is
// opened without blocking and judged by what was opened.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <cerrno>

#include "common/errors.h"
#include "common/fileio.h"
#include "common/fileioplatform.h"
#include "common/texts.h"

namespace {

QString NotRegularReason(mode_t mode) {
  if (S_ISDIR(mode))
    return IsADirectoryReason();
  return S_ISFIFO(mode) ? TCommonText::tr("it is a named pipe, not a regular file")
                        : TCommonText::tr("it is a device or socket, not a regular file");
}

}  // namespace

QString IsADirectoryReason() {
  return qt_error_string(EISDIR);
}

void OpenRegularForReading(QFile& file, const QString& path) {
  // Opened before it is judged, so what is judged is what is read.
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0)
    throw EFOpenError(path, qt_error_string(errno));
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    const QString reason = NotRegularReason(status.st_mode);
    ::close(fd);
    throw EFOpenError(path, reason);
  }
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    throw EFOpenError(path, file.errorString());
  }
}

bool IsRegularOrAbsent(const QString& path) {
  struct stat status {};
  return ::stat(QFile::encodeName(path).constData(), &status) != 0 || S_ISREG(status.st_mode);
}
