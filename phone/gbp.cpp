// The virtual phone: the six functions of the phone-link library over a folder store, so
// the manager and its tests run without a phone. Environment, read at each InitGBPMode:
// GBP_PHONE_DIR (the store), GBP_FAULTS, GBP_CAPACITY, GBP_BAUD. GBP_JOURNAL, read at
// each call, names a file that receives one line per call.

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <type_traits>

#include "phone/faults.h"
#include "phone/gbpexports.h"
#include "phone/store.h"

static_assert(std::is_same_v<decltype(&InitGBPMode), TInitGBPMode>);
static_assert(std::is_same_v<decltype(&EndGBPMode), TEndGBPMode>);
static_assert(std::is_same_v<decltype(&ReadNVMFile), TReadNVMFile>);
static_assert(std::is_same_v<decltype(&WriteNVMFile), TWriteNVMFile>);
static_assert(std::is_same_v<decltype(&ClearNVMFile), TClearNVMFile>);
static_assert(std::is_same_v<decltype(&GetNVMFileSize), TGetNVMFileSize>);

namespace gbp {
namespace {

namespace fs = std::filesystem;

constexpr int32_t kPortAlreadyOpened = -1;
constexpr int32_t kCannotOpenPort = -2;
constexpr uint64_t kDefaultCapacity = 393216;

struct TLink {
  bool open = false;
  fs::path portDir;
  TPortLock portLock;  // held while open: no other process has the port
  TFaults faults;
  uint64_t capacity = kDefaultCapacity;
  uint64_t baud = 0;         // 0: no delay
  std::string reportedText;  // the last malformed setting told on stderr
};

TLink& Link() {
  static TLink link;
  return link;
}

std::mutex& CallLock() {
  static std::mutex lock;
  return lock;
}

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// Tells a malformed setting once, not at every opening of the link.
void ReportOnce(TLink& link, const std::string& text) {
  if (link.reportedText == text)
    return;
  link.reportedText = text;
  std::fprintf(stderr, "gbp: %s\n", text.c_str());
}

uint64_t PositiveSetting(TLink& link, const char* name, uint64_t fallback) {
  const std::string text = Env(name);
  if (text.empty())
    return fallback;
  const auto value = ParseInteger(text);
  if (!value || *value <= 0) {
    ReportOnce(link, std::string("ignoring ") + name + "=\"" + text + "\": not a positive number");
    return fallback;
  }
  return static_cast<uint64_t>(*value);
}

void Configure(TLink& link) {
  link.capacity = PositiveSetting(link, "GBP_CAPACITY", kDefaultCapacity);
  link.baud = PositiveSetting(link, "GBP_BAUD", 0);
  const std::string faultText = Env("GBP_FAULTS");
  const auto faults = ParseFaults(faultText);
  if (!faults)
    ReportOnce(link, "ignoring malformed GBP_FAULTS=\"" + faultText + "\"");
  link.faults = faults.value_or(TFaults{});
}

// Ten bits per byte at the chosen baud rate.
TPace Pace(const TLink& link) {
  const uint64_t baud = link.baud;
  return [baud](size_t bytes) {
    if (baud > 0)
      std::this_thread::sleep_for(std::chrono::microseconds(bytes * 10 * 1000000 / baud));
  };
}

void Journal(const std::string& call, int32_t result) {
  const std::string path = Env("GBP_JOURNAL");
  if (path.empty())
    return;
  if (std::FILE* file = std::fopen(path.c_str(), "a")) {
    std::fprintf(file, "%s = %d\n", call.c_str(), static_cast<int>(result));
    std::fclose(file);
  }
}

std::string Arguments(uint32_t section, uint32_t subsection) {
  return std::to_string(section) + "," + std::to_string(subsection);
}

template <typename TMap>
const typename TMap::mapped_type* FaultAt(const TMap& faults, uint32_t section,
                                          uint32_t subsection) {
  const auto found = faults.find({section, subsection});
  return found == faults.end() ? nullptr : &found->second;
}

// A call that never returns, or a crash, as a pulled cable or a broken library would give.
void Play(TStop stop) {
  if (stop == TStop::Crash) {
    // As a crashed library ends, whatever handler a sanitizer or debugger put in place.
    std::signal(SIGSEGV, SIG_DFL);
    std::raise(SIGSEGV);
    std::abort();
  }
  for (;;)
    std::this_thread::sleep_for(std::chrono::hours(1));
}

void PlayStop(const TLink& link, const char* kind, uint32_t section, uint32_t subsection) {
  const auto found = link.faults.stops.find({kind, {section, subsection}});
  if (found != link.faults.stops.end())
    Play(found->second);
}

fs::path SectionFile(const TLink& link, uint32_t section, uint32_t subsection) {
  return link.portDir / SectionName(section, subsection);
}

int32_t Open(uint32_t port) {
  TLink& link = Link();
  if (port < 1 || port > 4)
    return kInvalidArguments;
  if (link.open)
    return kPortAlreadyOpened;
  Configure(link);
  if (link.faults.initStop)
    Play(*link.faults.initStop);
  if (link.faults.init && *link.faults.init != 0)
    return *link.faults.init;
  const fs::path store = StoreDir();
  std::error_code error;
  link.portDir = store / PortFolderName(port);
  // errno tells the caller why, as a serial port's open would.
  if (store.empty() || !fs::is_directory(link.portDir, error)) {
    errno = ENOENT;
    return kCannotOpenPort;
  }
  // A serial port opens for one program at a time.
  const TPortLock::TTaken taken = link.portLock.Take(link.portDir);
  if (taken != TPortLock::TTaken::Yes) {
    if (taken == TPortLock::TTaken::HeldElsewhere)
      errno = EBUSY;
    return kCannotOpenPort;
  }
  // No other process holds the port, and no write of this one runs: any temporary file is
  // what a killed writer left.
  RemoveTemporaries(link.portDir);
  link.open = true;
  return 0;
}

void Close() {
  TLink& link = Link();
  link.open = false;
  link.portLock.Release();
}

// The port folder opened is still there: not removed, nor replaced by another one.
bool PortPresent(const TLink& link) {
  return link.portLock.InPlace();
}

int32_t Read(uint32_t section, uint32_t subsection, void* buffer, uint32_t length) {
  const TLink& link = Link();
  if (!link.open)
    return kPortNotOpen;
  if (!buffer && length > 0)
    return kInvalidArguments;
  if (!PortPresent(link))
    return kPortNotOpen;
  PlayStop(link, "read", section, subsection);
  const TReadFault* fault = FaultAt(link.faults.read, section, subsection);
  if (fault && !fault->claim)
    return fault->result;
  int32_t result = ReadSection(SectionFile(link, section, subsection), buffer, length, Pace(link));
  if (fault && result >= 0)
    result = static_cast<int32_t>(*fault->claim);
  // A folder gone in the middle must not pass for a missing section.
  return PortPresent(link) ? result : kPortNotOpen;
}

int32_t Write(uint32_t section, uint32_t subsection, const void* data, uint32_t length) {
  const TLink& link = Link();
  if (!link.open)
    return kPortNotOpen;
  if ((!data && length > 0) || length > kMaxSectionBytes)
    return kInvalidArguments;
  if (!PortPresent(link))
    return kPortNotOpen;
  PlayStop(link, "write", section, subsection);
  uint32_t kept = length;
  if (const TWriteFault* fault = FaultAt(link.faults.write, section, subsection)) {
    if (!fault->keepBytes)
      return fault->result;
    kept = std::min(length, *fault->keepBytes);
  }
  const std::string name = SectionName(section, subsection);
  const auto others = PortUsage(link.portDir, name);
  if (!others)
    return kIOError;
  if (*others + length > link.capacity)
    return kNoRoom;
  const int32_t result = ReplaceSection(link.portDir, name, data, kept, Pace(link));
  return PortPresent(link) ? result : kPortNotOpen;
}

int32_t Clear(uint32_t section, uint32_t subsection) {
  const TLink& link = Link();
  if (!link.open || !PortPresent(link))
    return kPortNotOpen;
  PlayStop(link, "clear", section, subsection);
  if (const int32_t* fault = FaultAt(link.faults.clear, section, subsection))
    return *fault;
  const int32_t result = RemoveSection(SectionFile(link, section, subsection));
  return PortPresent(link) ? result : kPortNotOpen;
}

int32_t Size(uint32_t section, uint32_t subsection) {
  const TLink& link = Link();
  if (!link.open || !PortPresent(link))
    return kPortNotOpen;
  PlayStop(link, "size", section, subsection);
  if (const int32_t* fault = FaultAt(link.faults.size, section, subsection))
    return *fault;
  const int32_t result = SectionSize(SectionFile(link, section, subsection));
  return PortPresent(link) ? result : kPortNotOpen;
}

}  // namespace
}  // namespace gbp

// The exports: each takes the low byte of port, section and subsection, as the phone
// receives them, and writes its journal line.

int32_t GBP_CALL InitGBPMode(uint32_t port) {
  std::lock_guard<std::mutex> guard(gbp::CallLock());
  port &= 0xFF;
  const int32_t result = gbp::Open(port);
  const int reason = errno;  // the journal's writing must not change it
  gbp::Journal("InitGBPMode(" + std::to_string(port) + ")", result);
  errno = reason;
  return result;
}

int32_t GBP_CALL EndGBPMode(void) {
  std::lock_guard<std::mutex> guard(gbp::CallLock());
  gbp::Close();
  gbp::Journal("EndGBPMode()", 0);
  return 0;
}

int32_t GBP_CALL ReadNVMFile(uint32_t section, uint32_t subsection, void* buffer, uint32_t length) {
  std::lock_guard<std::mutex> guard(gbp::CallLock());
  section &= 0xFF;
  subsection &= 0xFF;
  const int32_t result = gbp::Read(section, subsection, buffer, length);
  gbp::Journal(
      "ReadNVMFile(" + gbp::Arguments(section, subsection) + "," + std::to_string(length) + ")",
      result);
  return result;
}

int32_t GBP_CALL WriteNVMFile(uint32_t section, uint32_t subsection, const void* data,
                              uint32_t length) {
  std::lock_guard<std::mutex> guard(gbp::CallLock());
  section &= 0xFF;
  subsection &= 0xFF;
  const int32_t result = gbp::Write(section, subsection, data, length);
  gbp::Journal(
      "WriteNVMFile(" + gbp::Arguments(section, subsection) + "," + std::to_string(length) + ")",
      result);
  return result;
}

int32_t GBP_CALL ClearNVMFile(uint32_t section, uint32_t subsection) {
  std::lock_guard<std::mutex> guard(gbp::CallLock());
  section &= 0xFF;
  subsection &= 0xFF;
  const int32_t result = gbp::Clear(section, subsection);
  gbp::Journal("ClearNVMFile(" + gbp::Arguments(section, subsection) + ")", result);
  return result;
}

int32_t GBP_CALL GetNVMFileSize(uint32_t section, uint32_t subsection) {
  std::lock_guard<std::mutex> guard(gbp::CallLock());
  section &= 0xFF;
  subsection &= 0xFF;
  const int32_t result = gbp::Size(section, subsection);
  gbp::Journal("GetNVMFileSize(" + gbp::Arguments(section, subsection) + ")", result);
  return result;
}

int32_t KivDemoPhone(void) {
  return 1;
}
