// The manager's frame reader against whatever a link host may write: a scripted host whose
// output is the input, read through a pipe as a real host's is, with deadlines so short that
// a run takes milliseconds. Whatever comes, the hello and every call either pass or fail
// with a message and the host counted as gone, and a read never fills more than its buffer
// (AddressSanitizer watches each buffer, allocated at exactly the length asked for).
//
// Input: one byte of script (bits 0-1: how many calls follow the hello, 0 to 3; bit 2: the
// host keeps its output open after its bytes, so that what is cut off is waited for), then
// two bytes per call (the export, and a length: a read's buffer or a write's data, in steps
// of 257 bytes), then the bytes the host writes.

#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/property.h"
#include "link/hostprocess.h"

namespace {

// 15 s become 2 ms, the 2 s of a frame's rest 1 ms.
constexpr double kDeadlineFactor = 0.0001;
constexpr size_t kScriptBytes = 1;
constexpr size_t kCallBytes = 2;
constexpr uint32_t kLengthStep = 257;
// The pipe holds every input the fuzzer makes, so writing it never waits for the reader.
constexpr int kPipeRoom = 1 << 20;

// Makes the calls of the script through the host, up to the first that fails.
void CallThrough(TLinkHostProcess& host, const uint8_t* script, int calls) {
  for (int i = 0; i < calls; ++i) {
    linkhost::TCall call;
    call.entry = static_cast<uint8_t>(script[i * kCallBytes] % linkhost::kEntryCount);
    call.first = 18;
    call.second = 9;
    const bool moves = call.entry == linkhost::kRead || call.entry == linkhost::kWrite;
    call.length = moves ? script[i * kCallBytes + 1] * kLengthStep : 0;
    const std::vector<uint8_t> data(call.entry == linkhost::kWrite ? call.length : 0, 'w');
    std::vector<uint8_t> buffer(call.entry == linkhost::kRead ? call.length : 0);
    const TLinkStatus status =
        host.Call(call, data.data(), buffer.data(), QStringLiteral("the call"));
    Require(status.HostFailed() != host.Running(),
            "a failed call ends the host, an answered one does not");
    if (status.HostFailed()) {
      Require(!status.Why.isEmpty(), "a failed call is told");
      return;
    }
    Require(call.entry != linkhost::kRead || status.Code <= int32_t(call.length),
            "a read answered brings at most its buffer");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kScriptBytes)
    return 0;
  const int calls = data[0] & 3;
  const bool keepOpen = (data[0] & 4) != 0;
  const size_t scriptSize = kScriptBytes + size_t(calls) * kCallBytes;
  if (size < scriptSize || size - scriptSize > size_t(kPipeRoom))
    return 0;
  int toHost[2];
  int fromHost[2];
  Require(pipe2(toHost, O_CLOEXEC) == 0 && pipe2(fromHost, O_CLOEXEC) == 0 &&
              fcntl(fromHost[1], F_SETPIPE_SZ, kPipeRoom) >= 0,
          "pipes for the scripted host");
  const size_t hostSize = size - scriptSize;
  Require(hostSize == 0 || write(fromHost[1], data + scriptSize, hostSize) == ssize_t(hostSize),
          "the host's bytes fit the pipe");
  if (!keepOpen)
    close(fromHost[1]);
  {
    TLinkHostProcess host(THostPipes{toHost[1], fromHost[0]}, kDeadlineFactor);
    const TLinkStatus started = host.Start();
    if (!started.HostFailed())
      CallThrough(host, data + kScriptBytes, calls);
    else
      Require(!started.Why.isEmpty() && !host.Running(), "a failed start is told");
  }
  close(toHost[0]);
  if (keepOpen)
    close(fromHost[1]);
  return 0;
}
