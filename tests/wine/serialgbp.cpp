// A phone-link library that talks over its serial port as a vendor's does, for the tests that
// put a pseudo-terminal behind a COM port under Wine: InitGBPMode opens \\.\COMn and says
// "AT", and the link is open once "OK" comes back within half a second (-3, "No AT response!",
// otherwise); GetNVMFileSize says "SIZE s-ss" and answers the number that comes back. The
// other calls touch nothing. Built as gbp.dll of either width, with the phone's export names.

#include <windows.h>

#include <cstdlib>
#include <string>

#include "phone/gbpexports.h"

namespace {

constexpr int32_t kCannotOpen = -2;
constexpr int32_t kNoAnswer = -3;
constexpr int32_t kNotOpen = -4;
constexpr int32_t kInvalid = -7;
constexpr DWORD kAnswerWaitMs = 500;

HANDLE port = INVALID_HANDLE_VALUE;

bool Say(const std::string& text) {
  DWORD written = 0;
  return WriteFile(port, text.data(), DWORD(text.size()), &written, nullptr) &&
         written == text.size();
}

// One line of the answer without its end; empty when none came in time.
std::string Line() {
  std::string line;
  char c = 0;
  DWORD got = 0;
  while (ReadFile(port, &c, 1, &got, nullptr) && got == 1 && c != '\n') {
    if (c != '\r')
      line += c;
  }
  return line;
}

void Close() {
  if (port != INVALID_HANDLE_VALUE)
    CloseHandle(port);
  port = INVALID_HANDLE_VALUE;
}

}  // namespace

int32_t GBP_CALL InitGBPMode(uint32_t number) {
  if (port != INVALID_HANDLE_VALUE)
    return -1;
  const std::string name = "\\\\.\\COM" + std::to_string(number & 0xFF);
  port = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                     nullptr);
  if (port == INVALID_HANDLE_VALUE)
    return kCannotOpen;
  COMMTIMEOUTS timeouts{};
  timeouts.ReadTotalTimeoutConstant = kAnswerWaitMs;
  timeouts.WriteTotalTimeoutConstant = kAnswerWaitMs;
  SetCommTimeouts(port, &timeouts);
  if (Say("AT\r") && Line() == "OK")
    return 0;
  Close();
  return kNoAnswer;
}

int32_t GBP_CALL EndGBPMode(void) {
  Close();
  return 0;
}

int32_t GBP_CALL GetNVMFileSize(uint32_t section, uint32_t subsection) {
  if (port == INVALID_HANDLE_VALUE)
    return kNotOpen;
  if (!Say("SIZE " + std::to_string(section & 0xFF) + "-" + std::to_string(subsection & 0xFF) +
           "\r"))
    return kNotOpen;
  const std::string answer = Line();
  return answer.empty() ? kNotOpen : int32_t(std::atoi(answer.c_str()));
}

int32_t GBP_CALL ReadNVMFile(uint32_t, uint32_t, void*, uint32_t) {
  return kInvalid;
}

int32_t GBP_CALL WriteNVMFile(uint32_t, uint32_t, const void*, uint32_t) {
  return kInvalid;
}

int32_t GBP_CALL ClearNVMFile(uint32_t, uint32_t) {
  return kInvalid;
}
