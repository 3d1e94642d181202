// What keeping the phone log costs each phone-link call: the record handed to the log's
// collector while the log window is hidden (the ring the window reads when it opens), and
// the clock readings that time the call, against a call that nobody observes.
//
//   bench_linkcalls [benchmark options]

#include <benchmark/benchmark.h>

#include <QDateTime>
#include <atomic>
#include <chrono>

#include "link/gbplibrary.h"
#include "link/linkcalls.h"

namespace {

TLinkCall ReadCall() {
  TLinkCall call{TGBPEntry::ReadNVMFile};
  call.Section = 18;
  call.SubSection = 9;
  call.Length = 128;
  call.Result = 128;
  call.Bytes = 128;
  return call;
}

// The check every call makes, with no observer installed.
void BM_LinkCallUnobserved(benchmark::State& state) {
  const TLinkCall call = ReadCall();
  for (auto _ : state) {
    if (LinkObserved())
      NotifyLinkCall(call);
    benchmark::DoNotOptimize(call);
  }
}
BENCHMARK(BM_LinkCallUnobserved);

// The clock readings an observed call adds to time itself.
void BM_LinkCallTimed(benchmark::State& state) {
  TLinkCall call = ReadCall();
  for (auto _ : state) {
    call.StartedMs = QDateTime::currentMSecsSinceEpoch();
    const auto start = std::chrono::steady_clock::now();
    call.DurationNs = (std::chrono::steady_clock::now() - start).count();
    benchmark::DoNotOptimize(call);
  }
}
BENCHMARK(BM_LinkCallTimed);

// The record kept in the log's ring, with the hidden window's check after it; the ring is
// full after the first LinkCallsKept calls, so most iterations overwrite the oldest call.
void BM_LinkCallKept(benchmark::State& state) {
  std::atomic<bool> showing{false};
  int listed = 0;
  TLinkCallCollector collector(LinkCallsKept, [&] {
    if (showing)
      ++listed;
  });
  collector.Start();
  TLinkCall call = ReadCall();
  for (auto _ : state) {
    if (LinkObserved())
      NotifyLinkCall(call);
    ++call.StartedMs;
  }
  collector.Stop();
  state.counters["kept"] = double(collector.Calls().size());
}
BENCHMARK(BM_LinkCallKept);

}  // namespace

BENCHMARK_MAIN();
