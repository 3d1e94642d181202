// The link host: loads one phone-link library and answers the manager's calls of it over
// its standard input and output (link/hostprotocol.h), one at a time. It keeps the library
// out of the manager's process: a library that hangs can be killed, one that crashes takes
// only the host with it, and a 32-bit Windows library runs in a 32-bit host.
//   kiv-linkhost LIBRARY [LIBRARY...]   the first that loads is used

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "link/gbp.h"
#include "link/hostprotocol.h"
#include "link/libraryload.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

namespace {

using namespace linkhost;

struct TLibrary {
  void* entries[kEntryCount] = {};
  THello hello;
};

#if defined(_WIN32)
std::string SystemReason(DWORD code) {
  char* text = nullptr;
  const DWORD size = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string reason = size ? std::string(text, size) : "error " + std::to_string(code);
  LocalFree(text);
  while (!reason.empty() &&
         (reason.back() == '\n' || reason.back() == '\r' || reason.back() == '.'))
    reason.pop_back();
  return reason;
}

void* LoadOne(const std::string& file, std::string& reason) {
  HMODULE module = LoadLibraryA(file.c_str());
  if (!module)
    reason = file + ": " + SystemReason(GetLastError());
  return reinterpret_cast<void*>(module);
}

void* Resolve(void* module, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

// A crashed library must end the host at once, not leave it waiting behind an error box
// on a desktop the user may not even see. Under Wine the box is the prefix's debugger,
// told off in the prefix's registry.
void QuietCrashes() {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (!ntdll || !GetProcAddress(ntdll, "wine_get_version"))
    return;
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\WineDbg", 0, nullptr, 0, KEY_SET_VALUE,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  const DWORD no = 0;
  RegSetValueExA(key, "ShowCrashDialog", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&no),
                 sizeof no);
  RegCloseKey(key);
}

// The protocol's stream; the library's own writes to stdout go to stderr instead.
FILE* ProtocolOutput() {
  _setmode(_fileno(stdin), _O_BINARY);
  const int protocol = _dup(_fileno(stdout));
  _dup2(_fileno(stderr), _fileno(stdout));
  SetStdHandle(STD_OUTPUT_HANDLE, GetStdHandle(STD_ERROR_HANDLE));
  FILE* output = _fdopen(protocol, "wb");
  _setmode(protocol, _O_BINARY);
  return output;
}
#else
void* LoadOne(const std::string& file, std::string& reason) {
  void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module)
    reason = dlerror();
  return module;
}

void* Resolve(void* module, const char* name) {
  return dlsym(module, name);
}

void QuietCrashes() {}  // a crash ends the process with its signal, which the manager tells

FILE* ProtocolOutput() {
  const int protocol = dup(STDOUT_FILENO);
  dup2(STDERR_FILENO, STDOUT_FILENO);
  return fdopen(protocol, "wb");
}
#endif

// The first candidate that loads; the reason kept is the one of a file that is there but
// cannot be loaded, else the first one's.
TLibrary Load(const std::vector<std::string>& candidates) {
  TLibrary library;
  void* module = nullptr;
  std::string firstReason;
  for (const std::string& file : candidates) {
    std::string reason;
    module = LoadOne(file, reason);
    library.hello.library = file;
    if (module)
      break;
    if (ReplacesLoadReason(reason, firstReason))
      firstReason = reason;
  }
  if (!module) {
    library.hello.reason = firstReason;
    return library;
  }
  library.hello.loaded = true;
  for (int entry = 0; entry < kEntryCount; ++entry) {
    library.entries[entry] = Resolve(module, kEntryNames[entry]);
    if (library.entries[entry])
      library.hello.exports |= static_cast<uint8_t>(1u << entry);
  }
  if (Resolve(module, kDemoPhoneMarkName))
    library.hello.exports |= kDemoPhoneMark;
  const std::string missing = MissingRequiredExports(library.hello.exports);
  if (!missing.empty())
    library.hello.reason = library.hello.library + ": lacks " + missing;
  return library;
}

// How many of the bytes asked for came before the input ended.
size_t ReadUpTo(void* buffer, size_t size) {
  return std::fread(buffer, 1, size, stdin);
}

bool ReadExactly(void* buffer, size_t size) {
  return ReadUpTo(buffer, size) == size;
}

template <typename TFunction>
TFunction Entry(const TLibrary& library, uint8_t entry) {
  return reinterpret_cast<TFunction>(library.entries[entry]);
}

// Makes the call; the library gets a buffer of exactly the length asked for.
int32_t Perform(const TLibrary& library, const TCall& call, std::vector<uint8_t>& data) {
  if (!library.entries[call.entry])
    return -1;
  switch (call.entry) {
    case kInit:
      return Entry<TInitGBPMode>(library, kInit)(call.first);
    case kEnd:
      return Entry<TEndGBPMode>(library, kEnd)();
    case kRead:
      data.assign(call.length, 0);
      return Entry<TReadNVMFile>(library, kRead)(call.first, call.second,
                                                 data.empty() ? nullptr : data.data(), call.length);
    case kWrite:
      return Entry<TWriteNVMFile>(library, kWrite)(
          call.first, call.second, data.empty() ? nullptr : data.data(), call.length);
    case kClear:
      return Entry<TClearNVMFile>(library, kClear)(call.first, call.second);
    default:
      return Entry<TGetNVMFileSize>(library, kSize)(call.first, call.second);
  }
}

bool Send(FILE* output, const std::vector<uint8_t>& frame, const uint8_t* data, size_t size) {
  if (std::fwrite(frame.data(), 1, frame.size(), output) != frame.size())
    return false;
  if (size > 0 && std::fwrite(data, 1, size, output) != size)
    return false;
  return std::fflush(output) == 0;
}

int Fail(const std::string& what) {
  std::fprintf(stderr, "kiv-linkhost: %s\n", what.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2)
    return Fail("usage: kiv-linkhost LIBRARY [LIBRARY...]");
  QuietCrashes();
  FILE* output = ProtocolOutput();
  if (!output)
    return Fail("no standard output");
  const TLibrary library = Load(std::vector<std::string>(argv + 1, argv + argc));
  if (!Send(output, HelloFrame(library.hello), nullptr, 0))
    return Fail("cannot write the hello");
  std::vector<uint8_t> payload;
  std::vector<uint8_t> data;
  for (;;) {
    uint8_t header[kFrameHeader];
    const size_t got = ReadUpTo(header, sizeof header);
    if (got == 0)
      return 0;  // the manager closed our input between two calls: done
    // A manager that stopped half-way through a call did not close the link.
    if (got < sizeof header)
      return Fail("the input ended inside a frame's header (" + std::to_string(got) + " of " +
                  std::to_string(sizeof header) + " bytes)");
    const uint32_t length = PayloadLength(header);
    if (length < kCallFixed || length > kMaxPayload)
      return Fail("malformed call frame");
    payload.resize(kCallFixed);
    if (!ReadExactly(payload.data(), kCallFixed))
      return Fail("short call frame");
    data.resize(length - kCallFixed);
    if (!data.empty() && !ReadExactly(data.data(), data.size()))
      return Fail("short call frame");
    payload.insert(payload.end(), data.begin(), data.end());
    const TParsed<TCall> parsed = ParseCall(payload.data(), payload.size());
    if (parsed.State != TParse::Ok)
      return Fail("malformed call");
    const TCall& call = parsed.Value;
    TAnswer answer;
    answer.entry = call.entry;
    answer.result = Perform(library, call, data);
    // The result goes back unchanged, even one that claims more than the buffer: the
    // manager judges it. Only the buffer's own bytes travel.
    if (call.entry == kRead && answer.result > 0)
      answer.dataSize = static_cast<uint32_t>(answer.result) < call.length
                            ? static_cast<uint32_t>(answer.result)
                            : call.length;
    if (!Send(output, AnswerFrame(answer), data.data(), answer.dataSize))
      return Fail("cannot write an answer");
  }
}
