// A link host that breaks the protocol as SCRIPTED_HOST says, for the manager's checks of
// every answer: each mode is one way a host (or a library writing to its output) goes wrong.
//   stray      text on the output instead of a hello
//   version    a hello of protocol version 99
//   hello      a hello cut short
//   claim      reads answered with a result beyond the buffer
//   short      an answer shorter than its fixed part
//   entry      answers naming another export
//   oversize   a size answer whose length claims 16 MiB more, only its fixed part sent
//   overread   reads answered with one byte more than asked for
//   garbage    text instead of the first file operation's answer
//   cut        the first file operation's answer cut off after 6 bytes, then silence
//   cutexit    the same, then exits with status 4
//   exit       says why on its standard error and exits with status 3 at the first file
//              operation
//   silent     never answers a file operation
//   talk       says why on its standard error and exits with status 53 before its hello
//   quit       exits with status 0 after its first answer

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "link/hostprotocol.h"

using namespace linkhost;

namespace {

void Write(const std::vector<uint8_t>& bytes) {
  fwrite(bytes.data(), 1, bytes.size(), stdout);
  fflush(stdout);
}

bool ReadCall(TCall& call, std::vector<uint8_t>& data) {
  uint8_t header[kFrameHeader];
  if (fread(header, 1, sizeof header, stdin) != sizeof header)
    return false;
  std::vector<uint8_t> payload(PayloadLength(header));
  if (fread(payload.data(), 1, payload.size(), stdin) != payload.size())
    return false;
  const TParsed<TCall> parsed = ParseCall(payload.data(), payload.size());
  if (parsed.State != TParse::Ok)
    return false;
  call = parsed.Value;
  data.assign(payload.begin() + kCallFixed, payload.end());
  return true;
}

}  // namespace

int main() {
  const char* modeText = std::getenv("SCRIPTED_HOST");
  const std::string mode = modeText ? modeText : "";
  THello hello;
  hello.loaded = true;
  hello.exports = 0x3F;
  hello.library = "scripted";
  if (mode == "stray") {
    std::puts("Hello from a chatty library");
    fflush(stdout);
    std::this_thread::sleep_for(std::chrono::seconds(60));
    return 0;
  }
  if (mode == "talk") {
    std::fputs("wine: failed to open the host: c0000135\n", stderr);
    return 53;
  }
  if (mode == "version")
    hello.version = 99;
  std::vector<uint8_t> frame = HelloFrame(hello);
  if (mode == "hello") {
    frame.resize(kFrameHeader + 3);
    frame[0] = 3;
    frame[1] = frame[2] = frame[3] = 0;
  }
  Write(frame);
  TCall call;
  std::vector<uint8_t> data;
  while (ReadCall(call, data)) {
    TAnswer answer;
    answer.entry = call.entry;
    const bool fileCall = call.entry != kInit && call.entry != kEnd;
    if (fileCall && mode == "exit") {
      std::fputs("scripted host: gone\n", stderr);
      return 3;
    }
    if (fileCall && mode == "silent")
      std::this_thread::sleep_for(std::chrono::seconds(60));
    if (fileCall && mode == "garbage") {
      Write({'L', 'i', 'b', 'r', 'a', 'r', 'y', ' ', 's', 'a', 'y', 's', ' ', 'h', 'i', '\n'});
      std::this_thread::sleep_for(std::chrono::seconds(60));
    }
    std::vector<uint8_t> bytes;
    if (call.entry == kRead && mode == "claim") {
      answer.result = 99999;
      answer.dataSize = call.length;
      bytes.assign(call.length, 'x');
    }
    if (fileCall && mode == "entry")
      answer.entry = kClear;
    if (call.entry == kRead && mode == "overread") {
      answer.result = static_cast<int32_t>(call.length + 1);
      answer.dataSize = call.length + 1;
      bytes.assign(answer.dataSize, 'x');
    }
    frame = AnswerFrame(answer);
    if (call.entry == kSize && mode == "oversize") {
      frame[3] = 1;  // 16 MiB more than the fixed part that follows
      Write(frame);
      std::this_thread::sleep_for(std::chrono::seconds(60));
    }
    if (fileCall && (mode == "cut" || mode == "cutexit")) {
      frame.resize(6);
      Write(frame);
      // Ends at once, as a host that is killed does: a sanitized build's checks at exit would
      // otherwise keep its output open past the frame's 20 ms.
      if (mode == "cutexit")
        _exit(4);
      std::this_thread::sleep_for(std::chrono::seconds(60));
    }
    if (fileCall && mode == "short") {
      frame.resize(kFrameHeader + 2);
      frame[0] = 2;
    }
    frame.insert(frame.end(), bytes.begin(), bytes.end());
    Write(frame);
    if (mode == "quit")
      return 0;
  }
  return 0;
}
