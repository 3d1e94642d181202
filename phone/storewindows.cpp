#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "phone/storeplatform.h"

namespace gbp {
namespace fs = std::filesystem;
namespace {

// Closes the handle it owns.
class THandle {
 public:
  explicit THandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  ~THandle() { Reset(); }
  THandle(const THandle&) = delete;
  THandle& operator=(const THandle&) = delete;
  bool Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  void Reset(HANDLE handle = INVALID_HANDLE_VALUE) {
    if (Valid())
      CloseHandle(handle_);
    handle_ = handle;
  }

 private:
  HANDLE handle_;
};

HANDLE OpenFolder(const fs::path& folder) {
  return CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                     FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// A mutex named after the folder's full path, so every process of the session that opens
// the same folder meets the same mutex. Object names may not hold a backslash.
std::wstring MutexName(const fs::path& folder) {
  std::error_code error;
  std::wstring path = fs::absolute(folder, error).lexically_normal().wstring();
  std::transform(path.begin(), path.end(), path.begin(), [](wchar_t c) {
    return c == L'\\' ? L'/' : static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
  });
  return L"Local\\kiv-virtual-phone:" + path;
}

// The folder's file index, which tells it from another folder made in its place. (The
// volume's serial number, which GetFileInformationByHandle adds, costs a round trip to Wine's
// mount manager, milliseconds at every call; the folder's path keeps it on its volume.)
bool FileIndex(HANDLE handle, LONGLONG& index) {
  IO_STATUS_BLOCK status{};
  FILE_INTERNAL_INFORMATION information{};
  if (NtQueryInformationFile(handle, &status, &information, sizeof information,
                             FileInternalInformation) != 0)
    return false;
  index = information.IndexNumber.QuadPart;
  return true;
}

bool SameFile(HANDLE a, HANDLE b) {
  LONGLONG first = 0;
  LONGLONG second = 0;
  return FileIndex(a, first) && FileIndex(b, second) && first == second;
}

}  // namespace

unsigned long ProcessId() {
  return GetCurrentProcessId();
}

bool WriteNewFile(const fs::path& file, const char* data, size_t length, const TPace& pace) {
  THandle handle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle.Valid())
    return false;
  while (length > 0) {
    const DWORD piece = static_cast<DWORD>(std::min(length, kPieceBytes));
    DWORD written = 0;
    if (!WriteFile(handle.Get(), data, piece, &written, nullptr) || written == 0)
      return false;
    data += written;
    length -= written;
    pace(written);
  }
  return FlushFileBuffers(handle.Get()) != 0;
}

bool MoveOver(const fs::path& from, const fs::path& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// The mutex says who holds the port; the folder's handle says which folder was taken.
struct TPortLock::THeld {
  THandle mutex;
  THandle folder;
  fs::path portDir;
};

TPortLock::TPortLock() = default;

TPortLock::~TPortLock() {
  Release();
}

TPortLock::TTaken TPortLock::Take(const fs::path& portDir) {
  Release();
  auto held = std::make_unique<THeld>();
  held->portDir = portDir;
  held->folder.Reset(OpenFolder(portDir));
  if (!held->folder.Valid())
    return TTaken::Unavailable;
  held->mutex.Reset(CreateMutexW(nullptr, FALSE, MutexName(portDir).c_str()));
  if (!held->mutex.Valid())
    return TTaken::Unavailable;
  // An abandoned mutex is a holder that ended without letting go: the port is free.
  const DWORD waited = WaitForSingleObject(held->mutex.Get(), 0);
  if (waited == WAIT_TIMEOUT)
    return TTaken::HeldElsewhere;
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED)
    return TTaken::Unavailable;
  held_ = std::move(held);
  return TTaken::Yes;
}

void TPortLock::Release() {
  if (!held_)
    return;
  ReleaseMutex(held_->mutex.Get());
  held_.reset();
}

bool TPortLock::InPlace() const {
  if (!held_)
    return false;
  const THandle now(OpenFolder(held_->portDir));
  return now.Valid() && SameFile(held_->folder.Get(), now.Get());
}

}  // namespace gbp
