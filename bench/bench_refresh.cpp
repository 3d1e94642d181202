// The window's own time in a Full Refresh, per slot, on the virtual phone without a baud
// delay: the refresh through the window (rows repainted one by one as they fill), the same
// refresh painting the whole grid after every slot as the window once did, and the bare
// operation with no window at all. Window time less operation time is the window's share.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWindow>

#include "app/forms.h"
#include "app/mainwindow.h"
#include "bench/demophone.h"
#include "catalogue/ops/refreshslots.h"
#include "common/modal.h"
#include "common/operationio.h"
#include "link/nvmsection.h"

namespace {

// Answers every box silently: the refresh ends with "Update done!".
class TQuietModal final : public TModalUI {
 public:
  void ShowMessage(QObject*, const QString&, const QString&) override {}
  void ShowMessageDetail(QObject*, const QString&, const QString&, const QString&) override {}
  bool Confirm(QObject*, const QString&) override { return false; }
  QString OpenFileName(QObject*, const QString&) override { return {}; }
  QStringList OpenFiles(QObject*, const QString&) override { return {}; }
  QString SaveFileName(QObject*, const QString&, const QString&) override { return {}; }
  QString FolderName(QObject*, const QString&, TFolderUse) override { return {}; }
  int Choose(QObject*, const QString&, const QString&, const QStringList&) override { return -1; }
  int ExecDialog(QDialog*) override { return mrCancel; }
  void ShowError(const QString&) override {}
};

class TSilentReporter final : public TReporter {
 public:
  explicit TSilentReporter(TForm1* repaintWholeGrid = nullptr) : form_(repaintWholeGrid) {}
  void Status(const QString&) override {}
  void Error(const QString&) override {}
  void Notice(const QString&, const QString&) override {}
  void RowChanged(int) override {
    if (form_)
      form_->RepaintGrid();
  }
  void Progress(int, int, const TSectionAddress&, qint64) override {}
  bool CancelRequested() override { return false; }

 private:
  TForm1* form_;
};

int SlotCount() {
  const TSlotRanges ranges = CurrentSlotRanges();
  return ranges.BigSlots + ranges.SmallSlots;
}

void PerSlot(benchmark::State& state) {
  state.counters["per_slot"] =
      benchmark::Counter(double(state.iterations()) * SlotCount(),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_FullRefreshWindow(benchmark::State& state) {
  for (auto _ : state)
    Form1->Button1Click();
  PerSlot(state);
}

void BM_FullRefreshWholeGridRepaint(benchmark::State& state) {
  TSilentReporter reporter(Form1);
  for (auto _ : state) {
    TCatalogue catalogue = Form1->Catalogue();
    RefreshAllSlots(*Form1->NVM, catalogue, reporter);
  }
  PerSlot(state);
}

void BM_FullRefreshOperationOnly(benchmark::State& state) {
  TSilentReporter reporter;
  for (auto _ : state) {
    TCatalogue catalogue = Form1->Catalogue();
    RefreshAllSlots(*Form1->NVM, catalogue, reporter);
  }
  PerSlot(state);
}

BENCHMARK(BM_FullRefreshWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRefreshWholeGridRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullRefreshOperationOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // A real display (xvfb-run) paints as a desktop does; without one, the offscreen platform.
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir store;
  qputenv("GBP_PHONE_DIR", store.path().toLocal8Bit());
  qunsetenv("GBP_BAUD");
  qunsetenv("GBP_JOURNAL");
  QApplication application(argc, argv);
  if (!PutDemoPhone(store.path()))
    return 1;
  TQuietModal modal;
  const TModalScope scope(modal);
  TApplicationForms forms;
  Form1->show();
  // Painting happens only in a window the platform has put on screen.
  QElapsedTimer waited;
  waited.start();
  while (!Form1->windowHandle()->isExposed() && waited.elapsed() < 5000)
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
