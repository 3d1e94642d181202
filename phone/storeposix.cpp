#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "phone/storeplatform.h"

namespace gbp {
namespace fs = std::filesystem;
namespace {

bool WriteAll(int fd, const char* data, size_t length, const TPace& pace) {
  while (length > 0) {
    const size_t piece = std::min(length, kPieceBytes);
    const ssize_t written = write(fd, data, piece);
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0)
      return false;
    data += written;
    length -= static_cast<size_t>(written);
    pace(static_cast<size_t>(written));
  }
  return true;
}

// Makes the rename itself durable; a folder that cannot be synced changes nothing else.
void SyncFolder(const fs::path& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
}

}  // namespace

unsigned long ProcessId() {
  return static_cast<unsigned long>(getpid());
}

bool WriteNewFile(const fs::path& file, const char* data, size_t length, const TPace& pace) {
  const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0)
    return false;
  const bool written = WriteAll(fd, data, length, pace) && fsync(fd) == 0;
  const bool closed = close(fd) == 0;
  return written && closed;
}

bool MoveOver(const fs::path& from, const fs::path& to) {
  std::error_code error;
  fs::rename(from, to, error);
  if (error)
    return false;
  SyncFolder(to.parent_path());
  return true;
}

struct TPortLock::THeld {
  int fd = -1;
  fs::path portDir;
};

TPortLock::TPortLock() = default;

TPortLock::~TPortLock() {
  Release();
}

TPortLock::TTaken TPortLock::Take(const fs::path& portDir) {
  Release();
  // Close-on-exec, so a program started by the holder does not keep the port after it.
  const int fd = open(portDir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    return TTaken::Unavailable;
  int locked;
  do
    locked = flock(fd, LOCK_EX | LOCK_NB);
  while (locked != 0 && errno == EINTR);
  if (locked != 0) {
    const bool held = errno == EWOULDBLOCK;
    close(fd);
    return held ? TTaken::HeldElsewhere : TTaken::Unavailable;
  }
  held_ = std::make_unique<THeld>(THeld{fd, portDir});
  return TTaken::Yes;
}

void TPortLock::Release() {
  if (!held_)
    return;
  close(held_->fd);  // closing the only open file of the lock releases it
  held_.reset();
}

bool TPortLock::InPlace() const {
  struct stat held {};
  struct stat now {};
  return held_ && fstat(held_->fd, &held) == 0 && stat(held_->portDir.c_str(), &now) == 0 &&
         S_ISDIR(now.st_mode) && held.st_dev == now.st_dev && held.st_ino == now.st_ino;
}

}  // namespace gbp
