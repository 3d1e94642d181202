// What a phone-link call costs in the Windows build: the virtual phone's gbp.dll in process
// against the same library in kiv-linkhost-win64.exe, called by this Windows program as the
// manager and kivnvm call it there. Google Benchmark is not built for Windows here, so this
// times its own loops: for each call, REPEATS runs of a fixed number of calls after a warm-up,
// and the median run's time a call.
//   bench_windowslink.exe [REPEATS]   (under Wine: build-windows/wine-run)

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "bench/demophone.h"
#include "link/gbplibrary.h"
#include "phone/store.h"

namespace {

constexpr quint32 kBigRead = 65536;
constexpr int kWarmUp = 20;

struct TCase {
  const char* Name;
  bool OpenLink;  // the link open, so the phone does its file work at every call
  int Calls;      // a run
  std::function<int(TGBPLibrary&, QByteArray&)> Call;
};

// Microseconds a call in the median of the runs; negative when the library did not answer.
double MedianCallMicroseconds(TGBPLibrary& library, const TCase& what, int repeats) {
  QByteArray buffer(int(kBigRead), '\0');
  if (what.OpenLink && library.Open(1).Code != 0)
    return -1;
  for (int call = 0; call < kWarmUp; ++call)
    what.Call(library, buffer);
  std::vector<double> runs;
  for (int run = 0; run < repeats; ++run) {
    QElapsedTimer timer;
    timer.start();
    for (int call = 0; call < what.Calls; ++call)
      what.Call(library, buffer);
    runs.push_back(double(timer.nsecsElapsed()) / 1000.0 / what.Calls);
  }
  if (what.OpenLink)
    library.Close();
  std::sort(runs.begin(), runs.end());
  return runs[runs.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int repeats = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 7;
  const QTemporaryDir store;
  const QString port = QString::fromStdString(gbp::PortFolderName(1));
  QFile big(store.filePath(port + QStringLiteral("/18-40")));
  if (!store.isValid() || !PutDemoPhone(store.path(), port) || !big.open(QIODevice::WriteOnly) ||
      big.write(QByteArray(int(kBigRead), 'k')) != kBigRead) {
    std::fprintf(stderr, "cannot make the demo phone in %s\n", qPrintable(store.path()));
    return 1;
  }
  big.close();
  qputenv("GBP_PHONE_DIR", QFile::encodeName(store.path()));

  // GetNVMFileSize with the link closed is answered at once: what is left is the link.
  const std::vector<TCase> cases{
      {"GetNVMFileSize, link closed (the link alone)", false, 2000,
       [](TGBPLibrary& library, QByteArray&) { return library.GetSize(18, 9).Code; }},
      {"GetNVMFileSize, link open", true, 500,
       [](TGBPLibrary& library, QByteArray&) { return library.GetSize(18, 9).Code; }},
      {"ReadNVMFile of 65,536 bytes", true, 100,
       [](TGBPLibrary& library, QByteArray& buffer) {
         return library.Read(18, 40, buffer.data(), kBigRead).Code;
       }},
  };
  const QString phone =
      app.applicationDirPath() + QStringLiteral("/" KIV_PRIVATE_LIBDIR_FROM_BINDIR "/gbp.dll");
  std::printf("%-46s %14s %14s\n", "Call (median of runs, a call)", "in process", "link host");
  for (const TCase& what : cases) {
    double microseconds[2] = {};
    for (const bool isolate : {false, true}) {
      const auto library = MakeGBPLibrary(LibraryChoice(phone, isolate));
      if (!library->Load()) {
        std::fprintf(stderr, "%s\n", qPrintable(library->LoadProblem()));
        return 1;
      }
      microseconds[isolate] = MedianCallMicroseconds(*library, what, repeats);
      if (microseconds[isolate] < 0) {
        std::fprintf(stderr, "the link did not open\n");
        return 1;
      }
    }
    std::printf("%-46s %11.1f us %11.1f us\n", what.Name, microseconds[0], microseconds[1]);
  }
  return 0;
}
