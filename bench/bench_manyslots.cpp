// What an upload of eight files into eight slots costs over the phone's own time for their
// writes, and what keeping a copy of what they replace adds, on the virtual phone at a real
// link's speed (GBP_BAUD, 115,200 unless set).
//
//   build/bin/bench_manyslots

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include "bench/bareface.h"
#include "cli/phonelink.h"
#include "common/modal.h"
#include "common/operationio.h"
#include "transfer/ops/manyslots.h"

namespace {

constexpr int FileCount = 8;
constexpr int FileSize = 2000;

QByteArray FileBytes(int i, char fill) {
  return QByteArray(FileSize, char(fill + i));
}

TPhoneOptions BenchOptions() {
  // The search's library: the virtual phone beside the benchmark.
  TPhoneOptions options{TLinkChoice()};
  options.PortOrigin = QStringLiteral("from the benchmark");
  return options;
}

struct TBench {
  QTemporaryDir Store;
  QTemporaryDir History;
  TBareFace Face;
  TSlotTable Table{};
  TCatalogue Catalogue{Table, TSlotRanges(), true};
  TPhoneLink Link{BenchOptions()};

  // The virtual phone on COM1: a folder of the store.
  TBench() {
    qputenv("GBP_PHONE_DIR", Store.path().toLocal8Bit());
    QDir(Store.path()).mkdir(QStringLiteral("COM1"));
  }

  // Slots 18-9... empty, or holding other programs of the same size.
  void Prepare(bool occupied) {
    const TLinkSession link(Link);
    if (!link.IsOpen())
      qFatal("the virtual phone did not open");
    for (int i = 0; i < FileCount; ++i) {
      const TSectionAddress address{18, 9 + i};
      if (occupied)
        Link.Write(address, FileBytes(i, 'a').constData(), FileSize);
      else
        Link.Clear(address);
    }
  }

  TUploadPlan Plan(const THistoryConfig& history) const {
    TUploadPlan plan;
    plan.History = history;
    for (int i = 0; i < FileCount; ++i) {
      TPlannedUpload item;
      item.FileName = QStringLiteral("%1.bin").arg(i);
      item.File = {FileBytes(i, 'A'), false};
      item.Target = {18, 9 + i};
      plan.Items << item;
    }
    return plan;
  }
};

TBench& Bench() {
  static TBench bench;
  return bench;
}

// The phone's time alone: the eight writes in one link, nothing judged.
void BM_WritesAlone(benchmark::State& state) {
  TBench& bench = Bench();
  for (auto _ : state) {
    state.PauseTiming();
    bench.Prepare(false);
    state.ResumeTiming();
    const TLinkSession link(bench.Link);
    for (int i = 0; i < FileCount; ++i)
      bench.Link.Write({18, 9 + i}, FileBytes(i, 'A').constData(), FileSize);
  }
}

// The upload plan: order, writes, each judged and its row refreshed; replacing programs
// with or without the history.
void BM_UploadPlan(benchmark::State& state) {
  TBench& bench = Bench();
  const bool occupied = state.range(0) != 0;
  const bool keep = state.range(1) != 0;
  const TUploadPlan plan =
      bench.Plan(keep ? THistoryConfig{bench.History.path()} : THistoryConfig{});
  for (auto _ : state) {
    state.PauseTiming();
    bench.Prepare(occupied);
    state.ResumeTiming();
    RunUploadPlan(bench.Link, bench.Catalogue, plan, bench.Face, bench.Face);
  }
}

}  // namespace

BENCHMARK(BM_WritesAlone)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_UploadPlan)
    ->ArgNames({"replacing", "history"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("GBP_BAUD"))
    qputenv("GBP_BAUD", "115200");
  QCoreApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
