#include "link/hostoutput.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QByteArray>
#include <algorithm>

namespace {

constexpr qint64 kTailBytes = 4096;
constexpr qint64 kFileBound = 64 * 1024;

// The last bytes of the file, at most kTailBytes.
QByteArray Tail(intptr_t file) {
  struct stat status {};
  if (file < 0 || fstat(int(file), &status) != 0 || status.st_size == 0)
    return {};
  const qint64 size = std::min<qint64>(status.st_size, kTailBytes);
  QByteArray bytes(int(size), '\0');
  const ssize_t got = pread(int(file), bytes.data(), size_t(size), status.st_size - size);
  bytes.resize(got > 0 ? int(got) : 0);
  return bytes;
}

}  // namespace

THostOutput::THostOutput() : file_(memfd_create("kiv-linkhost-stderr", MFD_CLOEXEC)) {
  // Appended to from either side, whoever wrote last.
  if (file_ >= 0)
    fcntl(int(file_), F_SETFL, fcntl(int(file_), F_GETFL) | O_APPEND);
}

THostOutput::~THostOutput() {
  if (file_ >= 0)
    ::close(int(file_));
}

QString THostOutput::LastLines() const {
  QByteArray tail = Tail(file_);
  // A line cut at the front is no line of its own.
  if (tail.size() == kTailBytes && tail.contains('\n'))
    tail = tail.mid(tail.indexOf('\n') + 1);
  return QString::fromLocal8Bit(tail).trimmed();
}

void THostOutput::Bound() {
  struct stat status {};
  if (file_ < 0 || fstat(int(file_), &status) != 0 || status.st_size <= kFileBound)
    return;
  const QByteArray tail = Tail(file_);
  if (ftruncate(int(file_), 0) != 0)
    return;
  // A tail that cannot be put back is lost: the host's next lines follow it anyway.
  const ssize_t kept = ::write(int(file_), tail.constData(), size_t(tail.size()));
  (void)kept;
}
