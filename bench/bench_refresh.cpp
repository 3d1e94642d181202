// The window's own time in a Full Refresh, per slot, on the virtual phone without a baud
// delay unless GBP_BAUD sets one: the refresh as the user starts it, on two phones in turn so that
// the rows change (BM_FullRefreshWindow/1) and on one phone so that they read as before (/0); the
// same operation painting the whole grid after every slot as the window once did; and the bare
// operation with no window. Each run's time ("in link/slot") is the window's own inside the open
// link (the operation's for the bare run): from the link's opening to its closing, less the time
// the phone-link calls took in the library. "cpu in link/slot" is the user-interface thread's
// CPU time while the link is open, which other processes on the machine disturb less;
// "command/slot" and "cpu/slot" take the whole command instead, its frame and "Update done!" too.
//
// With the accessibility bridge on, a screen reader (bench/screenreader.py) listens on the
// bus and asks back after every event; each refresh then also waits, answering it, until it
// has handled the refresh's events, and "cpu/slot" counts that work of the window too.
//
// The bridge off, then on (a session bus of its own, where the bridge finds the accessibility
// bus; one command on two lines), from build/bin:
//   xvfb-run -a ./bench_refresh
//   xvfb-run -a -s -noreset dbus-run-session -- env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
//       ./bench_refresh

#include <benchmark/benchmark.h>

#include <pthread.h>
#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <ctime>
#include <functional>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "app/drawgrid.h"
#include "app/forms.h"
#include "app/slotranges.h"
#include "app/slotwindow.h"
#include "bench/demophone.h"
#include "catalogue/ops/refreshslots.h"
#include "common/modal.h"
#include "common/operationio.h"
#include "link/linkcalls.h"
#include "link/nvmsection.h"

namespace {

// Answers every box silently: the refresh ends with "Update done!".
class TQuietModal final : public TModalUI {
 public:
  void ShowMessage(QObject*, const QString&, const QString&) override {}
  void ShowMessageDetail(QObject*, const QString&, const QString&, const QString&) override {}
  void ShowWarning(QObject*, const QString&, const QString&) override {}
  bool Confirm(QObject*, const QString&) override { return false; }
  QString OpenFileName(QObject*, const QString&) override { return {}; }
  QStringList OpenFiles(QObject*, const QString&) override { return {}; }
  QString SaveFileName(QObject*, const QString&, const QString&) override { return {}; }
  QString FolderName(QObject*, const QString&, TFolderUse) override { return {}; }
  int Choose(QObject*, const QString&, const QString&, const QStringList&) override { return -1; }
  int ExecDialog(QDialog*) override { return mrCancel; }
  void ShowError(const QString& message) override {
    std::fprintf(stderr, "error: %s\n", qPrintable(message));
  }
};

class TSilentReporter final : public TReporter {
 public:
  explicit TSilentReporter(TDrawGrid* repaintWholeGrid = nullptr) : grid_(repaintWholeGrid) {}
  void Status(const QString&) override {}
  void Error(const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
  void Notice(const QString&, const QString&) override {}
  void RowChanged(int) override {
    if (grid_)
      grid_->viewport()->repaint();
  }
  void Progress(int, int, const TSectionAddress&, qint64) override {}
  bool CancelRequested() override { return false; }

 private:
  TDrawGrid* grid_;
};

// A screen reader on the accessibility bus, run as its own process.
class TScreenReader {
 public:
  // Starts the reader, which starts the accessibility bus if none runs yet.
  bool Start() {
    reader_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    reader_.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(KIV_SCREEN_READER)});
    return WaitForLine([](const QByteArray& line) { return line == "ready"; }, 10000);
  }

  // Whether the reader hears the window: the bridge learns of a new listener through the bus,
  // and marks sent before are lost.
  bool Hears() {
    for (int attempt = 0; attempt < 20; ++attempt) {
      if (CatchUp(500))
        return true;
    }
    return false;
  }

  // Marks the end of what was sent so far and answers the reader's questions until it has
  // handled the mark: the table cells' events since the last mark, or nothing after waitMs.
  std::optional<int> CatchUp(int waitMs = 30000) {
    const QByteArray expected = "synced " + QByteArray::number(++marks_) + ' ';
    mark_.setAccessibleName(QStringLiteral("kiv-bench-sync %1").arg(marks_));
    std::optional<int> cellEvents;
    WaitForLine(
        [&](const QByteArray& line) {
          if (line.startsWith(expected))
            cellEvents = line.mid(expected.size()).toInt();
          return cellEvents.has_value();
        },
        waitMs);
    return cellEvents;
  }

  ~TScreenReader() {
    reader_.kill();
    reader_.waitForFinished();
  }

 private:
  // Sleeps between the reader's lines and questions, so that the window's CPU time counts
  // only the answers.
  bool WaitForLine(const std::function<bool(const QByteArray&)>& wanted, int waitMs) {
    QElapsedTimer waited;
    waited.start();
    QTimer wakeUp;
    wakeUp.start(50);
    while (waited.elapsed() < waitMs && reader_.state() != QProcess::NotRunning) {
      while (reader_.canReadLine()) {
        if (wanted(reader_.readLine().trimmed()))
          return true;
      }
      QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return false;
  }

  QProcess reader_;
  QWidget mark_;  // its accessible name marks the end of a refresh
  int marks_ = 0;
};

TScreenReader* Reader = nullptr;
// The manager's forms, driven as the user drives them.
const TApplicationForms* Forms = nullptr;

template <typename T>
T* MainWindowControl(const char* name) {
  return Forms->MainWindow().findChild<T*>(QLatin1String(name));
}

int SlotCount() {
  const TSlotRanges ranges = CurrentSlotRanges();
  return ranges.BigSlots + ranges.SmallSlots;
}

qint64 ThreadCpuNs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// The phone-link calls of a run as the library took them, each timed where it ended, with
// the user-interface thread's CPU time then. It takes the phone log's place as the link's
// observer (keeping a call costs 0.1 µs). Made on the user-interface thread.
class TCallClock final : public TLinkObserver {
 public:
  struct TOpenLink {
    qint64 CallsNs = 0;      // the calls' own time
    qint64 OpenNs = 0;       // from the first call's start to the last one's end
    qint64 WindowCpuNs = 0;  // the user-interface thread's CPU time from the first call's end
  };

  TCallClock() {
    clock_.start();
    pthread_getcpuclockid(pthread_self(), &windowCpu_);
  }
  void LinkCalled(const TLinkCall& call) override {
    const qint64 end = clock_.nsecsElapsed();
    timespec cpu{};
    clock_gettime(windowCpu_, &cpu);
    const std::lock_guard<std::mutex> lock(mutex_);
    calls_.push_back({end - call.DurationNs, end, qint64(cpu.tv_sec) * 1000000000 + cpu.tv_nsec});
  }
  qint64 Now() const { return clock_.nsecsElapsed(); }
  void Clear() {
    const std::lock_guard<std::mutex> lock(mutex_);
    calls_.clear();
  }
  TOpenLink OpenLink() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    TOpenLink link;
    if (calls_.empty())
      return link;
    for (const TCall& call : calls_)
      link.CallsNs += call.EndNs - call.StartNs;
    link.OpenNs = calls_.back().EndNs - calls_.front().StartNs;
    link.WindowCpuNs = calls_.back().WindowCpuNs - calls_.front().WindowCpuNs;
    return link;
  }

 private:
  struct TCall {
    qint64 StartNs;
    qint64 EndNs;
    qint64 WindowCpuNs;
  };

  QElapsedTimer clock_;
  clockid_t windowCpu_{};
  mutable std::mutex mutex_;
  std::vector<TCall> calls_;
};

TCallClock* Calls = nullptr;

// Runs work once per iteration. The iteration's time is the window's own inside the open
// link: the link's open time less its calls' time. With a screen reader listening, each run
// ends once it has handled the run's events; the CPU time counts answering it.
void Measure(benchmark::State& state, const std::function<void()>& work, bool window) {
  qint64 inLinkNs = 0;
  qint64 inLinkCpuNs = 0;
  qint64 commandNs = 0;
  qint64 linkNs = 0;
  qint64 cpuNs = 0;
  qint64 cellEvents = 0;
  for (auto _ : state) {
    Calls->Clear();
    const qint64 cpuBefore = ThreadCpuNs();
    const qint64 started = Calls->Now();
    work();
    const qint64 wallNs = Calls->Now() - started;
    if (window && Reader) {
      const std::optional<int> events = Reader->CatchUp();
      if (!events) {
        state.SkipWithError("the screen reader did not catch up");
        break;
      }
      cellEvents += *events;
    }
    cpuNs += ThreadCpuNs() - cpuBefore;
    const TCallClock::TOpenLink link = Calls->OpenLink();
    linkNs += link.CallsNs;
    inLinkNs += link.OpenNs - link.CallsNs;
    inLinkCpuNs += link.WindowCpuNs;
    commandNs += wallNs - link.CallsNs;
    state.SetIterationTime(double(link.OpenNs - link.CallsNs) / 1e9);
  }
  const double slotsRefreshed = double(state.iterations()) * SlotCount();
  const auto perSlot = [&](qint64 ns) {
    return benchmark::Counter(double(ns) / 1e9 / slotsRefreshed);
  };
  state.counters["in link/slot"] = perSlot(inLinkNs);
  state.counters["cpu in link/slot"] = perSlot(inLinkCpuNs);
  state.counters["command/slot"] = perSlot(commandNs);
  state.counters["link/slot"] = perSlot(linkNs);
  state.counters["cpu/slot"] = perSlot(cpuNs);
  if (window && Reader)
    state.counters["cell events"] =
        benchmark::Counter(double(cellEvents), benchmark::Counter::kAvgIterations);
}

// As the user starts it: the button's click, the command's frame and "Update done!".
void BM_FullRefreshWindow(benchmark::State& state) {
  const bool changeRows = state.range(0) == 1;
  auto* button = MainWindowControl<QAbstractButton>("Button1");
  auto* portBox = MainWindowControl<QComboBox>("ComboBox1");
  // The rows read what COM1 holds before the first run, whatever ran before.
  int port = 0;
  portBox->setCurrentIndex(port);
  button->click();
  if (Reader && !Reader->CatchUp()) {
    state.SkipWithError("the screen reader did not catch up");
    return;
  }
  Measure(
      state,
      [&] {
        if (changeRows) {
          port = 1 - port;
          portBox->setCurrentIndex(port);
        }
        button->click();
      },
      true);
  state.SetLabel(changeRows ? "rows change" : "rows read as before");
}

// The refresh operation alone over the window's link and catalogue, told to reporter.
void MeasureOperation(benchmark::State& state, TSilentReporter& reporter) {
  Measure(
      state,
      [&] {
        TCatalogue catalogue = Forms->SlotWindow().CurrentSlotCommand().Catalogue;
        RefreshAllSlots(Forms->SlotWindow().Link(), catalogue, reporter);
      },
      false);
}

void BM_FullRefreshWholeGridRepaint(benchmark::State& state) {
  TSilentReporter reporter(MainWindowControl<TDrawGrid>("DrawGrid1"));
  MeasureOperation(state, reporter);
}

void BM_FullRefreshOperationOnly(benchmark::State& state) {
  TSilentReporter reporter;
  MeasureOperation(state, reporter);
}

BENCHMARK(BM_FullRefreshWindow)
    ->Arg(1)
    ->Arg(0)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRefreshWholeGridRepaint)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRefreshOperationOnly)
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

bool WaitFor(const std::function<bool()>& done, int waitMs) {
  QElapsedTimer waited;
  waited.start();
  while (!done() && waited.elapsed() < waitMs)
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  return done();
}

}  // namespace

int main(int argc, char** argv) {
  // A real display (xvfb-run) paints as a desktop does; without one, the offscreen platform.
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir store;
  qputenv("GBP_PHONE_DIR", store.path().toLocal8Bit());
  qunsetenv("GBP_JOURNAL");
  QApplication application(argc, argv);
  if (!PutDemoPhone(store.path()) || !PutDemoPhone(store.path(), QStringLiteral("COM2"), 1))
    return 1;
  TQuietModal modal;
  const TModalScope scope(modal);
  TApplicationForms forms;
  Forms = &forms;
  forms.ShowMainWindow();
  // Painting happens only in a window the platform has put on screen.
  WaitFor([] { return Forms->MainWindow().windowHandle()->isExposed(); }, 5000);
  std::optional<TScreenReader> reader;
  const bool bridgeAsked = !qEnvironmentVariableIsEmpty("QT_LINUX_ACCESSIBILITY_ALWAYS_ON");
  if (bridgeAsked) {
    reader.emplace();
    if (!reader->Start()) {
      std::fprintf(stderr, "The screen reader (%s) did not start.\n", KIV_SCREEN_READER);
      return 1;
    }
    if (!WaitFor([] { return QAccessible::isActive(); }, 10000) || !reader->Hears()) {
      std::fprintf(stderr, "The accessibility bridge did not start: run under dbus-run-session.\n");
      return 1;
    }
    Reader = &*reader;
  }
  TCallClock calls;
  SetLinkObserver(&calls);
  Calls = &calls;
  benchmark::AddCustomContext("link speed", qEnvironmentVariableIsEmpty("GBP_BAUD")
                                                ? "no baud delay"
                                                : qgetenv("GBP_BAUD").toStdString() + " baud");
  benchmark::AddCustomContext("accessibility bridge",
                              QAccessible::isActive() ? "on, a screen reader listening" : "off");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  RemoveLinkObserver(&calls);
  Reader = nullptr;
  Forms = nullptr;
  return 0;
}
