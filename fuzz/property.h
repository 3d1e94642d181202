#pragma once
// A failed property stops the fuzzer like a crash, so libFuzzer keeps the input.

#include <cstdio>
#include <cstdlib>

inline void Require(bool holds, const char* property) {
  if (holds)
    return;
  std::fprintf(stderr, "Property failed: %s\n", property);
  std::abort();
}
