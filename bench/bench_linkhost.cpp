// What running the phone-link library in the link host costs, against the virtual phone:
// the round trip of one GetNVMFileSize, a 65,536-byte read, and a Full Refresh of the demo
// phone at 115,200 baud, each in process (0) and through the native link host (1).

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "bench/bareface.h"
#include "bench/demophone.h"
#include "catalogue/ops/refreshslots.h"
#include "cli/phonelink.h"
#include "common/operationio.h"
#include "link/gbplibrary.h"

namespace {

constexpr quint32 kBigRead = 65536;

TLinkChoice Choice(const benchmark::State& state) {
  TLinkChoice choice;
  choice.Isolate = state.range(0) == 1;
  return choice;
}

void Label(benchmark::State& state) {
  state.SetLabel(state.range(0) == 1 ? "link host" : "in process");
}

void BM_GetSizeRoundTrip(benchmark::State& state) {
  TGBPLibrary library(Choice(state));
  if (library.Open(1) != 0) {
    state.SkipWithError("the link did not open");
    return;
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(library.GetSize(18, 9));
  library.Close();
  Label(state);
}

void BM_Read65536(benchmark::State& state) {
  TGBPLibrary library(Choice(state));
  QByteArray buffer(int(kBigRead), '\0');
  if (library.Open(1) != 0) {
    state.SkipWithError("the link did not open");
    return;
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(library.Read(18, 40, buffer.data(), kBigRead));
  library.Close();
  state.SetBytesProcessed(qint64(state.iterations()) * kBigRead);
  Label(state);
}

// Through kivnvm's port, as "kivnvm list" refreshes: the link opened and closed each time.
void BM_FullRefresh115200(benchmark::State& state) {
  qputenv("GBP_BAUD", "115200");
  TPhoneOptions options;
  options.PortOrigin = QStringLiteral("the benchmark");
  options.Link = Choice(state);
  TPhoneLink link(options);
  TSlotTable table{};
  TCatalogue catalogue{table, TSlotRanges(), true};
  TBareFace reporter;
  for (auto _ : state)
    benchmark::DoNotOptimize(RefreshAllSlots(link, catalogue, reporter).LinkOpened);
  qunsetenv("GBP_BAUD");
  Label(state);
}

BENCHMARK(BM_GetSizeRoundTrip)->Arg(0)->Arg(1);
BENCHMARK(BM_Read65536)->Arg(0)->Arg(1);
BENCHMARK(BM_FullRefresh115200)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir store;
  if (!PutDemoPhone(store.path()))
    return 1;
  QFile big(QDir(store.path()).filePath(QStringLiteral("COM1/18-40")));
  if (!big.open(QIODevice::WriteOnly) || big.write(QByteArray(int(kBigRead), 'k')) != kBigRead)
    return 1;
  big.close();
  qputenv("GBP_PHONE_DIR", QFile::encodeName(store.path()));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
