#pragma once
// The six functions the virtual phone exports, and its mark, declared with the contract's calling
// convention. gbp.cpp checks them against the function types the manager resolves.

#include <cstdint>

#include "link/gbp.h"

#if defined(_WIN32)
#define GBP_API  // exported by gbp.def under the plain names alone
#else
#define GBP_API __attribute__((visibility("default")))
#endif

extern "C" {
GBP_API int32_t GBP_CALL InitGBPMode(uint32_t port);
GBP_API int32_t GBP_CALL EndGBPMode(void);
GBP_API int32_t GBP_CALL ReadNVMFile(uint32_t section, uint32_t subsection, void* buffer,
                                     uint32_t length);
GBP_API int32_t GBP_CALL WriteNVMFile(uint32_t section, uint32_t subsection, const void* data,
                                      uint32_t length);
GBP_API int32_t GBP_CALL ClearNVMFile(uint32_t section, uint32_t subsection);
GBP_API int32_t GBP_CALL GetNVMFileSize(uint32_t section, uint32_t subsection);
// Not part of the contract: marks this library as the demo phone, so the manager can say
// that it is not talking to a real phone. Returns 1. Every build of the virtual phone exports
// it, a plain C function under its plain name (on Windows by itself: the .def files list the
// contract alone, for the test libraries that share them); the manager looks for it in its
// own process, and a link host tells it in its Hello.
#if defined(_WIN32)
__declspec(dllexport) int32_t KivDemoPhone(void);
#else
GBP_API int32_t KivDemoPhone(void);
#endif
}
