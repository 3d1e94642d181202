#pragma once
// The phone-link library's contract: six exported C functions, each returning a 32-bit
// signed integer. Section, subsection and port travel as 8-bit values in 32-bit arguments;
// only the low byte counts.

#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define GBP_CALL __stdcall
#else
#define GBP_CALL
#endif

extern "C" {
// port: 1 = COM1 ... 4 = COM4. 0 = link open; anything else is a failure code.
typedef int32_t(GBP_CALL* TInitGBPMode)(uint32_t port);
typedef int32_t(GBP_CALL* TEndGBPMode)(void);
// >= 0: bytes placed in the buffer (at most length); < 0: failure.
typedef int32_t(GBP_CALL* TReadNVMFile)(uint32_t section, uint32_t subsection, void* buffer,
                                        uint32_t length);
// Result ignored by the manager: a write is judged by the size the phone then reports.
typedef int32_t(GBP_CALL* TWriteNVMFile)(uint32_t section, uint32_t subsection, const void* data,
                                         uint32_t length);
typedef int32_t(GBP_CALL* TClearNVMFile)(uint32_t section, uint32_t subsection);
// >= 0: size in bytes; -153 and -5: the section holds nothing; other negative: failure.
typedef int32_t(GBP_CALL* TGetNVMFileSize)(uint32_t section, uint32_t subsection);
}

// The answers of GetNVMFileSize that the grid shows as "holds nothing". Only the first
// says for certain that no section is there; the second is also the phone's I/O error.
constexpr int32_t GBPSizeNoSection = -153;
constexpr int32_t GBPSizeUnknown = -5;
// What a file operation answers when the link is not open; one that comes while it is
// open means the link was lost.
constexpr int32_t GBPCantOpenPort = -2;
// InitGBPMode's answer when nothing answers on the port.
constexpr int32_t GBPNoATResponse = -3;
constexpr int32_t GBPPortMustBeOpened = -4;
constexpr int32_t GBPInvalidArguments = -7;
