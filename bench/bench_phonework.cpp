// The window's overhead over the phone's own time, on the virtual phone at a real link's
// speed (GBP_BAUD, 115,200 unless set): a backup of the demo phone and a 30,000-byte
// upload, each run through the window (link thread, event loop, progress) and as the bare
// operation on the same link without a window; and the longest the window went without
// handling its events while the phone worked. Prints figures; asserts nothing.
//
//   xvfb-run -a build/bin/bench_phonework [runs]

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/drawgrid.h"
#include "app/forms.h"
#include "app/linkthread.h"
#include "app/slotwindow.h"
#include "bench/bareface.h"
#include "bench/demophone.h"
#include "common/modal.h"
#include "common/operationio.h"
#include "link/nvmsection.h"
#include "transfer/ops/backup.h"
#include "transfer/ops/upload.h"

namespace {

class TAnswers final : public TModalUI {
 public:
  QString Folder;
  QString File;
  void ShowMessage(QObject*, const QString&, const QString&) override {}
  void ShowMessageDetail(QObject*, const QString&, const QString&, const QString&) override {}
  void ShowWarning(QObject*, const QString&, const QString&) override {}
  bool Confirm(QObject*, const QString&) override { return true; }
  QString OpenFileName(QObject*, const QString&) override { return File; }
  QStringList OpenFiles(QObject*, const QString&) override { return {}; }
  QString SaveFileName(QObject*, const QString&, const QString&) override { return {}; }
  QString FolderName(QObject*, const QString&, TFolderUse) override { return Folder; }
  int Choose(QObject*, const QString&, const QString&, const QStringList&) override { return -1; }
  int ExecDialog(QDialog*) override { return mrNo; }
  void ShowError(const QString& message) override {
    std::fprintf(stderr, "error: %s\n", qPrintable(message));
  }
};

// Median wall time of runs, and the longest gap between two turns of the event loop.
struct TFigure {
  double MedianMs = 0;
  qint64 LongestGapMs = 0;
};

TFigure Measure(int runs, const std::function<void()>& prepare, const std::function<void()>& work) {
  std::vector<double> times;
  qint64 gap = 0;
  QElapsedTimer sinceTick;
  QTimer ticks;
  QObject::connect(&ticks, &QTimer::timeout, [&] { gap = std::max(gap, sinceTick.restart()); });
  for (int i = 0; i < runs; ++i) {
    prepare();
    ticks.start(5);
    sinceTick.start();
    QElapsedTimer timer;
    timer.start();
    work();
    times.push_back(double(timer.nsecsElapsed()) / 1e6);
    ticks.stop();
  }
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], gap};
}

void Report(const char* what, const TFigure& window, const TFigure& bare) {
  std::printf("%-22s window %9.1f ms  bare %9.1f ms  overhead %+6.2f %%  longest gap %lld ms\n",
              what, window.MedianMs, bare.MedianMs,
              100.0 * (window.MedianMs - bare.MedianMs) / bare.MedianMs,
              static_cast<long long>(window.LongestGapMs));
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("GBP_BAUD"))
    qputenv("GBP_BAUD", "115200");
  QTemporaryDir store;
  qputenv("GBP_PHONE_DIR", store.path().toLocal8Bit());
  QApplication application(argc, argv);
  const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
  if (!PutDemoPhone(store.path()))
    return 1;
  TAnswers answers;
  const TModalScope scope(answers);
  TApplicationForms forms;
  forms.ShowMainWindow();
  QMainWindow& window = forms.MainWindow();
  TBareFace bare;

  int folder = 0;
  const auto newFolder = [&] { answers.Folder = store.filePath(QString::number(++folder)); };
  answers.File = store.filePath(QStringLiteral("upload.bin"));
  QFile upload(answers.File);
  if (!upload.open(QIODevice::WriteOnly) || upload.write(QByteArray(30000, '\x33')) != 30000)
    return 1;
  upload.close();
  window.findChild<TDrawGrid*>(QStringLiteral("DrawGrid1"))->SetRow(3);

  // The same operations on the same link: through the window, then with the calls made in
  // place and no window around. The backups come first: the upload grows the phone.
  // Each command as its menu item runs it.
  QAction* backup = window.findChild<QAction*>(QStringLiteral("BackupAction"));
  QAction* uploadAction = window.findChild<QAction*>(QStringLiteral("UploadAction"));
  TNVMSection& link = forms.SlotWindow().Link();
  TLinkThread* linkThread = window.findChild<TLinkThread*>();
  const TFigure backupWindow = Measure(runs, newFolder, [backup] { backup->trigger(); });
  link.SetExecutor(nullptr);
  const TFigure backupBare = Measure(runs, newFolder, [&] {
    BackUp(link, bare, TSlotRanges(), answers.Folder, {QStringLiteral("COM1"), QString(), false});
  });
  link.SetExecutor(linkThread);
  const TFigure uploadWindow = Measure(
      runs, [] {}, [uploadAction] { uploadAction->trigger(); });
  link.SetExecutor(nullptr);
  TSlotTable table{};
  TCatalogue catalogue{table, TSlotRanges(), true};
  const TUploadRequest request{
      {18, 11}, ReadUploadFile(answers.File), false, TWriteCheck::BySize, THistoryConfig()};
  const TFigure uploadBare = Measure(
      runs, [] {}, [&] { Upload(link, catalogue, request, bare, bare); });
  Report("backup of demo phone", backupWindow, backupBare);
  Report("upload of 30,000 bytes", uploadWindow, uploadBare);
  return 0;
}
