// What running the phone-link library in a link host costs, against the virtual phone: the
// round trip of a call the phone answers at once (GetNVMFileSize with the link closed: the
// link's own cost), of one GetNVMFileSize on an open link (with the phone's file work), a
// 65,536-byte read, and a Full Refresh of the demo phone at 115,200 baud, each in process
// (0), through the native link host (1) and through the 64-bit Windows link host under Wine
// with the Windows virtual phone (2); then the start of the Windows host in a prefix already
// made, and its first start, which makes the prefix. The Wine runs use WINEPREFIX, else a
// prefix of the benchmark's own in the build tree.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "bench/bareface.h"
#include "bench/demophone.h"
#include "catalogue/ops/refreshslots.h"
#include "cli/phonelink.h"
#include "common/operationio.h"
#include "link/gbplibrary.h"
#include "link/winehost.h"

namespace {

constexpr quint32 kBigRead = 65536;
constexpr int kUnderWine = 2;
// How long Wine's services take to settle after a wineserver has started.
constexpr unsigned long kSettleSeconds = 3;

QString WindowsPhone() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/win64/gbp.dll");
}

TLinkChoice Choice(const benchmark::State& state) {
  TLinkChoice choice;
  choice.Isolate = state.range(0) == 1;
  if (state.range(0) == kUnderWine)
    choice.Library = WindowsPhone();
  return choice;
}

void Label(benchmark::State& state) {
  static const char* const kHow[] = {"in process", "link host", "64-bit link host under Wine"};
  state.SetLabel(kHow[state.range(0)]);
}

// Ends the prefix's wineserver, so that the next start is a first one of its session.
void EndWineserver(const QString& prefix) {
  QProcess end;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("WINEPREFIX"), prefix);
  end.setProcessEnvironment(environment);
  for (const char* how : {"-k", "-w"}) {
    end.start(QFileInfo(FindWine(64).Loader).absolutePath() + QStringLiteral("/wineserver"),
              {QLatin1String(how)});
    end.waitForFinished();
  }
}

void BM_CallRoundTrip(benchmark::State& state) {
  const auto library = MakeGBPLibrary(Choice(state));
  if (!library->Load()) {
    state.SkipWithError("the library did not load");
    return;
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(library->GetSize(18, 9).Code);
  Label(state);
}

void BM_GetSizeRoundTrip(benchmark::State& state) {
  const auto library = MakeGBPLibrary(Choice(state));
  if (library->Open(1).Code != 0) {
    state.SkipWithError("the link did not open");
    return;
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(library->GetSize(18, 9).Code);
  library->Close();
  Label(state);
}

void BM_Read65536(benchmark::State& state) {
  const auto library = MakeGBPLibrary(Choice(state));
  QByteArray buffer(int(kBigRead), '\0');
  if (library->Open(1).Code != 0) {
    state.SkipWithError("the link did not open");
    return;
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(library->Read(18, 40, buffer.data(), kBigRead).Code);
  library->Close();
  state.SetBytesProcessed(qint64(state.iterations()) * kBigRead);
  Label(state);
}

// Through kivnvm's port, as "kivnvm list" refreshes: the link opened and closed each time.
void BM_FullRefresh115200(benchmark::State& state) {
  qputenv("GBP_BAUD", "115200");
  TPhoneOptions options(Choice(state));
  options.PortOrigin = QStringLiteral("the benchmark");
  TPhoneLink link(options);
  TSlotTable table{};
  TCatalogue catalogue{table, TSlotRanges(), true};
  TBareFace reporter;
  for (auto _ : state)
    benchmark::DoNotOptimize(RefreshAllSlots(link, catalogue, reporter).LinkOpened);
  qunsetenv("GBP_BAUD");
  Label(state);
}

// The Windows host's start and end, each in a wineserver session of its own, as the first
// command after a while meets it.
void BM_WineHostStart(benchmark::State& state) {
  const QString prefix = qEnvironmentVariable("WINEPREFIX");
  for (auto _ : state) {
    state.PauseTiming();
    EndWineserver(prefix);
    state.ResumeTiming();
    const auto library = MakeGBPLibrary(LibraryChoice(WindowsPhone()));
    if (!library->Load())
      state.SkipWithError(qPrintable(library->LoadProblem()));
  }
}

// The first start in a prefix made from nothing.
void BM_WineHostFirstStart(benchmark::State& state) {
  const QByteArray shared = qgetenv("WINEPREFIX");
  for (auto _ : state) {
    state.PauseTiming();
    QTemporaryDir folder;
    const QString prefix = folder.filePath(QStringLiteral("prefix"));
    qputenv("WINEPREFIX", prefix.toLocal8Bit());
    state.ResumeTiming();
    {
      const auto library = MakeGBPLibrary(LibraryChoice(WindowsPhone()));
      if (!library->Load())
        state.SkipWithError(qPrintable(library->LoadProblem()));
    }
    state.PauseTiming();
    EndWineserver(prefix);
    state.ResumeTiming();
  }
  qputenv("WINEPREFIX", shared);
}

BENCHMARK(BM_CallRoundTrip)->Arg(0)->Arg(1)->Arg(kUnderWine);
BENCHMARK(BM_GetSizeRoundTrip)->Arg(0)->Arg(1)->Arg(kUnderWine);
BENCHMARK(BM_Read65536)->Arg(0)->Arg(1)->Arg(kUnderWine);
BENCHMARK(BM_FullRefresh115200)
    ->Arg(0)
    ->Arg(1)
    ->Arg(kUnderWine)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);
BENCHMARK(BM_WineHostStart)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();
BENCHMARK(BM_WineHostFirstStart)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  // A store whose path is all lower case: Wine opens a folder whose path holds capitals, or
  // leads through a symbolic link, ten times more slowly, and the Windows virtual phone
  // opens its port's folder at every call.
  QDir store(QDir::cleanPath(app.applicationDirPath() + QStringLiteral("/../bench-wine/phone")));
  if (!store.removeRecursively() || !PutDemoPhone(store.path()))
    return 1;
  QFile big(store.filePath(QStringLiteral("COM1/18-40")));
  if (!big.open(QIODevice::WriteOnly) || big.write(QByteArray(int(kBigRead), 'k')) != kBigRead)
    return 1;
  big.close();
  // The Windows build names the port's folder port1: the same sections there.
  const QDir linux(store.filePath(QStringLiteral("COM1")));
  const QDir windows(store.filePath(QStringLiteral("port1")));
  if (!QDir().mkpath(windows.path()))
    return 1;
  for (const QString& section : linux.entryList(QDir::Files)) {
    if (!QFile::copy(linux.filePath(section), windows.filePath(section)))
      return 1;
  }
  qputenv("GBP_PHONE_DIR", QFile::encodeName(store.path()));
  if (qEnvironmentVariableIsEmpty("WINEPREFIX"))
    qputenv("WINEPREFIX", QFile::encodeName(QDir::cleanPath(
                              app.applicationDirPath() + QStringLiteral("/../bench-wine/prefix"))));
  {
    // Keeps the prefix's wineserver and Wine's services running from one benchmark to the
    // next, as a window's link does; the start benchmarks end them on purpose.
    const auto session = MakeGBPLibrary(LibraryChoice(WindowsPhone()));
    if (!session->Load())
      return 1;
    QThread::sleep(kSettleSeconds);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
  }
  EndWineserver(qEnvironmentVariable("WINEPREFIX"));
  return 0;
}
