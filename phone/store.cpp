#include "phone/store.h"

#include "phone/storeplatform.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <limits>

namespace gbp {
namespace fs = std::filesystem;
namespace {

bool IsSectionName(const std::string& name) {
  const auto hyphen = name.find('-');
  if (hyphen == 0 || hyphen == std::string::npos || hyphen + 1 == name.size())
    return false;
  for (size_t at = 0; at < name.size(); ++at)
    if (at != hyphen && !std::isdigit(static_cast<unsigned char>(name[at])))
      return false;
  return true;
}

bool IsDecimal(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return std::isdigit(static_cast<unsigned char>(c));
  });
}

// The name TemporaryName gives: "." NAME "." PID "." N ".tmp", NAME a section name.
bool IsTemporaryName(const std::string& name) {
  static const std::string suffix = ".tmp";
  if (name.size() <= 1 + suffix.size() || name[0] != '.' ||
      name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
    return false;
  const std::string middle = name.substr(1, name.size() - 1 - suffix.size());
  const auto counterDot = middle.rfind('.');
  if (counterDot == std::string::npos || counterDot == 0)
    return false;
  const auto pidDot = middle.rfind('.', counterDot - 1);
  if (pidDot == std::string::npos)
    return false;
  return IsSectionName(middle.substr(0, pidDot)) &&
         IsDecimal(middle.substr(pidDot + 1, counterDot - pidDot - 1)) &&
         IsDecimal(middle.substr(counterDot + 1));
}

fs::path TemporaryName(const fs::path& portDir, const std::string& name) {
  static std::atomic<unsigned> counter{0};
  return portDir / ("." + name + "." + std::to_string(ProcessId()) + "." +
                    std::to_string(counter++) + ".tmp");
}

}  // namespace

fs::path StoreDir() {
  if (const char* dir = std::getenv("GBP_PHONE_DIR"); dir && *dir)
    return dir;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
    return fs::path(data) / "kiv-manager" / "phone";
#ifdef _WIN32
  if (const char* local = std::getenv("LOCALAPPDATA"); local && *local)
    return fs::path(local) / "kiv-manager" / "phone";
#endif
  if (const char* home = std::getenv("HOME"); home && *home)
    return fs::path(home) / ".local" / "share" / "kiv-manager" / "phone";
  return {};
}

std::string SectionName(uint32_t section, uint32_t subsection) {
  return std::to_string(section) + "-" + std::to_string(subsection);
}

std::optional<uint64_t> PortUsage(const fs::path& portDir, const std::string& leftOut) {
  std::error_code error;
  uint64_t total = 0;
  for (fs::directory_iterator entry(portDir, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    if (name == leftOut || !IsSectionName(name) || !entry->is_regular_file(error))
      continue;
    total += entry->file_size(error);
  }
  if (error)
    return std::nullopt;
  return total;
}

int32_t SectionSize(const fs::path& file) {
  std::error_code error;
  const fs::file_status status = fs::status(file, error);
  if (status.type() == fs::file_type::not_found)
    return kNoSection;
  if (error || status.type() != fs::file_type::regular)
    return kIOError;
  const uintmax_t size = fs::file_size(file, error);
  if (error)
    return kIOError;
  return static_cast<int32_t>(std::min<uintmax_t>(size, std::numeric_limits<int32_t>::max()));
}

int32_t ReadSection(const fs::path& file, void* buffer, uint32_t length, const TPace& pace) {
  const int32_t size = SectionSize(file);
  if (size == kNoSection)
    return 0;
  if (size < 0)
    return size;
  std::ifstream in(file, std::ios::binary);
  if (!in)
    return kIOError;
  char* into = static_cast<char*>(buffer);
  const size_t wanted = std::min<size_t>(length, static_cast<size_t>(size));
  size_t done = 0;
  while (done < wanted) {
    const size_t piece = std::min(wanted - done, kPieceBytes);
    if (!in.read(into + done, static_cast<std::streamsize>(piece)))
      return kIOError;
    done += piece;
    pace(piece);
  }
  return static_cast<int32_t>(done);
}

int32_t ReplaceSection(const fs::path& portDir, const std::string& name, const void* data,
                       uint32_t length, const TPace& pace) {
  const fs::path temporary = TemporaryName(portDir, name);
  std::error_code error;
  if (!WriteNewFile(temporary, static_cast<const char*>(data), length, pace) ||
      !MoveOver(temporary, portDir / name)) {
    fs::remove(temporary, error);
    return kIOError;
  }
  return 0;
}

int32_t RemoveSection(const fs::path& file) {
  std::error_code error;
  const fs::file_status status = fs::symlink_status(file, error);
  if (status.type() == fs::file_type::not_found)
    return 0;
  if (error || status.type() == fs::file_type::directory || !fs::remove(file, error) || error)
    return kIOError;
  return 0;
}

void RemoveTemporaries(const fs::path& portDir) {
  std::error_code error;
  for (fs::directory_iterator entry(portDir, error), end; !error && entry != end;
       entry.increment(error)) {
    std::error_code ignored;
    if (IsTemporaryName(entry->path().filename().string()) &&
        entry->symlink_status(ignored).type() == fs::file_type::regular)
      fs::remove(entry->path(), ignored);
  }
}

}  // namespace gbp
