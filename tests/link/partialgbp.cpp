// A phone-link library that lacks exports, for the loader's tests. Built twice: without
// ReadNVMFile (PARTIAL_GBP_WITHOUT_READ), and without WriteNVMFile, ClearNVMFile and
// GetNVMFileSize (PARTIAL_GBP_WITHOUT_FILE_OPERATIONS). Every call it receives goes to the
// GBP_JOURNAL file in the virtual phone's format, so tests see what was called.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "link/gbp.h"

#define PARTIAL_GBP_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

int32_t Journal(const std::string& call, int32_t result) {
  const char* path = std::getenv("GBP_JOURNAL");
  if (path && *path) {
    if (std::FILE* file = std::fopen(path, "a")) {
      std::fprintf(file, "%s = %d\n", call.c_str(), static_cast<int>(result));
      std::fclose(file);
    }
  }
  return result;
}

std::string Address(uint32_t section, uint32_t subsection) {
  return std::to_string(section) + "," + std::to_string(subsection);
}

}  // namespace

PARTIAL_GBP_EXPORT int32_t GBP_CALL InitGBPMode(uint32_t port) {
  return Journal("InitGBPMode(" + std::to_string(port) + ")", 0);
}

PARTIAL_GBP_EXPORT int32_t GBP_CALL EndGBPMode(void) {
  return Journal("EndGBPMode()", 0);
}

#ifndef PARTIAL_GBP_WITHOUT_READ
PARTIAL_GBP_EXPORT int32_t GBP_CALL ReadNVMFile(uint32_t section, uint32_t subsection, void*,
                                                uint32_t length) {
  return Journal("ReadNVMFile(" + Address(section, subsection) + "," + std::to_string(length) + ")",
                 0);
}
#endif

#ifndef PARTIAL_GBP_WITHOUT_FILE_OPERATIONS
PARTIAL_GBP_EXPORT int32_t GBP_CALL WriteNVMFile(uint32_t section, uint32_t subsection, const void*,
                                                 uint32_t length) {
  return Journal(
      "WriteNVMFile(" + Address(section, subsection) + "," + std::to_string(length) + ")", 0);
}

PARTIAL_GBP_EXPORT int32_t GBP_CALL ClearNVMFile(uint32_t section, uint32_t subsection) {
  return Journal("ClearNVMFile(" + Address(section, subsection) + ")", 0);
}

PARTIAL_GBP_EXPORT int32_t GBP_CALL GetNVMFileSize(uint32_t section, uint32_t subsection) {
  return Journal("GetNVMFileSize(" + Address(section, subsection) + ")", 0);
}
#endif
