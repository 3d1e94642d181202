// The host's standard error on Windows: a temporary file that goes when its last handle
// closes, shared with the host, which writes at its end.

#include <windows.h>

#include <QByteArray>
#include <QDir>
#include <QUuid>
#include <algorithm>

#include "link/hostoutput.h"

namespace {

constexpr qint64 kTailBytes = 4096;
constexpr qint64 kFileBound = 64 * 1024;

HANDLE Handle(intptr_t file) {
  return reinterpret_cast<HANDLE>(file);
}

qint64 FileSize(intptr_t file) {
  LARGE_INTEGER size{};
  return file != -1 && GetFileSizeEx(Handle(file), &size) ? qint64(size.QuadPart) : 0;
}

// The last bytes of the file, at most kTailBytes.
QByteArray Tail(intptr_t file) {
  const qint64 size = FileSize(file);
  if (size == 0)
    return {};
  const qint64 count = std::min(size, kTailBytes);
  QByteArray bytes(int(count), '\0');
  OVERLAPPED at{};
  at.Offset = DWORD(quint64(size - count) & 0xFFFFFFFFu);
  at.OffsetHigh = DWORD(quint64(size - count) >> 32);
  DWORD got = 0;
  if (!ReadFile(Handle(file), bytes.data(), DWORD(count), &got, &at))
    got = 0;
  bytes.resize(int(got));
  return bytes;
}

}  // namespace

THostOutput::THostOutput() {
  const QString path = QDir::toNativeSeparators(QDir::temp().filePath(
      QStringLiteral("kiv-linkhost-%1.log").arg(QUuid::createUuid().toString(QUuid::Id128))));
  const HANDLE file =
      CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()), GENERIC_READ | GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file != INVALID_HANDLE_VALUE)
    file_ = reinterpret_cast<intptr_t>(file);
}

THostOutput::~THostOutput() {
  if (file_ != -1)
    CloseHandle(Handle(file_));
}

QString THostOutput::LastLines() const {
  QByteArray tail = Tail(file_);
  // A line cut at the front is no line of its own.
  if (tail.size() == kTailBytes && tail.contains('\n'))
    tail = tail.mid(tail.indexOf('\n') + 1);
  return QString::fromLocal8Bit(tail).trimmed();
}

void THostOutput::Bound() {
  if (FileSize(file_) <= kFileBound)
    return;
  const QByteArray tail = Tail(file_);
  LARGE_INTEGER start{};
  if (!SetFilePointerEx(Handle(file_), start, nullptr, FILE_BEGIN) || !SetEndOfFile(Handle(file_)))
    return;
  // A tail that cannot be put back is lost: the host's next lines follow it anyway.
  DWORD kept = 0;
  WriteFile(Handle(file_), tail.constData(), DWORD(tail.size()), &kept, nullptr);
}
