#pragma once
// What the loader (link/inprocesslibrary) and the link host (linkhost/) both judge of a
// library they load, so that both tell the same. Plain C++, no Qt: the host is also built
// for Windows with mingw.

#include <cstdint>
#include <string>

#include "link/hostprotocol.h"

namespace linkhost {

// The required exports a library with these exports lacks, in the contract's order:
// "InitGBPMode, ReadNVMFile"; empty when it has them all.
inline std::string MissingRequiredExports(uint8_t exports) {
  std::string missing;
  for (int entry = 0; entry < kEntryCount; ++entry) {
    if (((kRequiredMask >> entry) & 1u) && !((exports >> entry) & 1u))
      missing += std::string(missing.empty() ? "" : ", ") + kEntryNames[entry];
  }
  return missing;
}

// Of the reasons the files tried gave, the one to report is of a file that is there but does
// not load, else the first: whether reason replaces the one kept so far.
inline bool ReplacesLoadReason(const std::string& reason, const std::string& kept) {
  return kept.empty() || reason.find("No such file") == std::string::npos;
}

}  // namespace linkhost
