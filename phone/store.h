#pragma once
// The virtual phone's store: one folder per port (COM1 ... COM4), one file per section
// named "<section>-<subsection>" in decimal, holding the section's bytes. Windows code
// cannot open a folder named COM1 (the name is the serial device), so the Windows build
// names the port folders port1 ... port4.
//
// A port is held by one process at a time: InitGBPMode takes a lock on the port folder
// itself (flock on the folder, so no lock file ever joins the sections; on Windows a named
// mutex of the folder's path) and EndGBPMode, or the end of the process, lets it go.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace gbp {

// Result codes of the file operations.
constexpr int32_t kPortNotOpen = -4;
constexpr int32_t kIOError = -5;
constexpr int32_t kNoRoom = -6;
constexpr int32_t kInvalidArguments = -7;
constexpr int32_t kNoSection = -153;

// The largest section the phone accepts.
constexpr uint32_t kMaxSectionBytes = 65536;

constexpr char WindowsPortFolderPrefix[] = "port";
#if defined(_WIN32)
constexpr const char* PortFolderPrefix = WindowsPortFolderPrefix;
#else
constexpr const char* PortFolderPrefix = "COM";
#endif

// Called after each piece of a transfer with its length, so a slow link can be played.
using TPace = std::function<void(size_t bytes)>;

// GBP_PHONE_DIR, else $XDG_DATA_HOME/kiv-manager/phone, else (on Windows)
// %LOCALAPPDATA%\kiv-manager\phone, else ~/.local/share/kiv-manager/phone.
// Empty when none of them can be found.
std::filesystem::path StoreDir();

// The folder of port 1 ... 4 in the store; the demo phone and the tests make it by this name.
inline std::string PortFolderName(uint32_t port) {
  return PortFolderPrefix + std::to_string(port);
}

std::string SectionName(uint32_t section, uint32_t subsection);

// Bytes held by the port's sections, leaving out the one named; nullopt when unreadable.
std::optional<uint64_t> PortUsage(const std::filesystem::path& portDir, const std::string& leftOut);

// Size of the section file, kNoSection when there is none, kIOError when unreadable.
int32_t SectionSize(const std::filesystem::path& file);

// Copies up to length bytes into buffer; 0 when there is no section.
int32_t ReadSection(const std::filesystem::path& file, void* buffer, uint32_t length,
                    const TPace& pace);

// Replaces the section with the given bytes, or leaves it as it was: the bytes go to a
// temporary file in the same folder, which is synced and then renamed over the section.
int32_t ReplaceSection(const std::filesystem::path& portDir, const std::string& name,
                       const void* data, uint32_t length, const TPace& pace);

// Removes the section; 0 also when there was none.
int32_t RemoveSection(const std::filesystem::path& file);

// Removes the temporary files of writes (".18-9.<pid>.<n>.tmp") left in the port folder by
// a process that was killed; only for the holder of the port's lock, when no write of its
// own is running.
void RemoveTemporaries(const std::filesystem::path& portDir);

// The exclusive hold of one port folder, from Take until Release or destruction. The lock
// is on the folder itself: a folder removed, or replaced by another of the same name, is no
// longer the one held.
class TPortLock {
 public:
  enum class TTaken { Yes, HeldElsewhere, Unavailable };

  TPortLock();
  ~TPortLock();
  TPortLock(const TPortLock&) = delete;
  TPortLock& operator=(const TPortLock&) = delete;

  // Releases any hold first. HeldElsewhere: another open file of the folder, in practice
  // another process, holds it; Unavailable: the folder cannot be opened or locked.
  TTaken Take(const std::filesystem::path& portDir);
  void Release();
  // Held, and the folder held is still the one at its path.
  bool InPlace() const;

 private:
  struct THeld;
  std::unique_ptr<THeld> held_;
};

}  // namespace gbp
