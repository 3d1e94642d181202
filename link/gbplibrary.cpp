#include "link/gbplibrary.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <chrono>

#include "link/hostprocess.h"
#include "link/libraryfile.h"
#include "link/librarysearch.h"
#include "link/linkcalls.h"
#include "link/serialdevice.h"
#include "link/winehost.h"
#include "link/wineports.h"

namespace {

// Only the low byte of section, subsection and port reaches the library.
quint32 LowByte(int value) {
  return static_cast<quint32>(value) & 0xFFu;
}

template <typename TFunction>
TFunction Resolve(QLibrary& library, const char* name) {
  return reinterpret_cast<TFunction>(library.resolve(name));
}

// Of the loader's reasons, the one of a file that is there but does not load, else the first.
bool BetterReason(const QString& reason, const QString& kept) {
  return kept.isEmpty() || !reason.contains(QStringLiteral("No such file"));
}

QString MissingExports(const QString& file, bool init, bool end, bool read) {
  QStringList missing;
  if (!init)
    missing << QStringLiteral("InitGBPMode");
  if (!end)
    missing << QStringLiteral("EndGBPMode");
  if (!read)
    missing << QStringLiteral("ReadNVMFile");
  return missing.isEmpty()
             ? QString()
             : QStringLiteral("%1: lacks %2").arg(file, missing.join(QStringLiteral(", ")));
}

// How the host's messages name a call: "ReadNVMFile 18-9", "InitGBPMode on COM1".
QString CallWhat(TGBPEntry entry, quint32 first, quint32 second) {
  const char* name = linkhost::kEntryNames[int(entry)];
  switch (entry) {
    case TGBPEntry::InitGBPMode:
      return QStringLiteral("%1 on COM%2").arg(QLatin1String(name)).arg(first);
    case TGBPEntry::EndGBPMode:
      return QLatin1String(name);
    default:
      return QStringLiteral("%1 %2-%3").arg(QLatin1String(name)).arg(first).arg(second);
  }
}

qint64 BytesMoved(const TLinkCall& call) {
  if (call.Result < 0)
    return 0;
  if (call.Entry == TGBPEntry::ReadNVMFile)
    return std::min<qint64>(call.Result, call.Length);
  return call.Entry == TGBPEntry::WriteNVMFile ? call.Length : 0;
}

// Makes the call; when an observer is installed, times it and hands it the record.
template <typename TFunction>
int Observed(TLinkCall call, TFunction function) {
  if (!LinkObserved())
    return function();
  call.StartedMs = QDateTime::currentMSecsSinceEpoch();
  const auto start = std::chrono::steady_clock::now();
  call.Result = function();
  call.DurationNs =
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start)
          .count();
  call.Bytes = BytesMoved(call);
  NotifyLinkCall(call);
  return call.Result;
}

qint64 SteadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// The record of a call to a file operation.
TLinkCall FileCall(TGBPEntry entry, int section, int subsection, quint32 length = 0) {
  TLinkCall call{entry};
  call.Section = int(LowByte(section));
  call.SubSection = int(LowByte(subsection));
  call.Length = length;
  return call;
}

}  // namespace

TGBPLibrary::TGBPLibrary(const QString& fileName) {
  LoadInProcess(fileName);
}

TGBPLibrary::TGBPLibrary(const TLinkChoice& choice) : choice_(choice) {
  // A file that is there is judged by its header: a 32-bit Windows DLL runs in the Windows
  // host under Wine, and what no host can load is refused with its reason. A missing file
  // gets the loader's own reason.
  const QFileInfo file(choice_.Library);
  if (!choice_.Library.isEmpty() && file.isFile()) {
    const TLibraryFile kind = InspectLibraryFile(choice_.Library);
    const QString problem = LibraryFileProblem(kind);
    if (!problem.isEmpty()) {
      refused_ = true;
      loadProblem_ = QStringLiteral("%1: %2").arg(choice_.Library, problem);
      return;
    }
    underWine_ = IsWindows32Dll(kind);
    choice_.Isolate = choice_.Isolate || underWine_;
  }
  if (!choice_.Isolate)
    LoadInProcess(choice_.Library);
}

void TGBPLibrary::SetNotice(std::function<void(const QString&)> notice) {
  notice_ = std::move(notice);
}

void TGBPLibrary::LoadInProcess(const QString& fileName) {
  const QStringList candidates = fileName.isEmpty() ? LibrarySearchOrder() : QStringList{fileName};
  // Two of these may load one file (the window's link and Test link's); the one that goes
  // first must not unmap the code the other still calls.
  library_.setLoadHints(QLibrary::PreventUnloadHint);
  for (const QString& candidate : candidates) {
    library_.setFileName(candidate);
    if (library_.load())
      break;
    if (BetterReason(library_.errorString(), loadProblem_))
      loadProblem_ = library_.errorString();
  }
  if (!library_.isLoaded())
    return;
  loadProblem_.clear();
  initGBPMode_ = Resolve<TInitGBPMode>(library_, "InitGBPMode");
  endGBPMode_ = Resolve<TEndGBPMode>(library_, "EndGBPMode");
  readNVMFile_ = Resolve<TReadNVMFile>(library_, "ReadNVMFile");
  writeNVMFile_ = Resolve<TWriteNVMFile>(library_, "WriteNVMFile");
  clearNVMFile_ = Resolve<TClearNVMFile>(library_, "ClearNVMFile");
  getNVMFileSize_ = Resolve<TGetNVMFileSize>(library_, "GetNVMFileSize");
  loadProblem_ = MissingExports(library_.fileName(), initGBPMode_, endGBPMode_, readNVMFile_);
}

bool TGBPLibrary::Load() {
  if (NeedsLoad())
    StartHost();
  return Usable();
}

bool TGBPLibrary::NeedsLoad() const {
  return choice_.Isolate && !refused_ && !(host_ && host_->Running());
}

THostLaunch TGBPLibrary::HostLaunch() const {
  if (!underWine_) {
    return THostLaunch{choice_.HostProgram.isEmpty()
                           ? HostProgramFile(QStringLiteral("kiv-linkhost"))
                           : choice_.HostProgram,
                       {},
                       {},
                       0};
  }
  const TWine wine = FindWine();
  if (wine.Loader.isEmpty())
    return {};
  if (!wine.PrefixMade && notice_)
    notice_(WinePrefixSetupText(wine));
  return WineLaunch(wine, choice_.HostProgram.isEmpty()
                              ? HostProgramFile(QStringLiteral("kiv-linkhost-win32.exe"))
                              : choice_.HostProgram);
}

void TGBPLibrary::StartHost() {
  hostExports_ = 0;
  const THostLaunch launch = HostLaunch();
  if (launch.Program.isEmpty()) {
    loadProblem_ = WineMissingText();
    return;
  }
  // The host's Windows code opens COMn: the prefix must say which device that is first.
  if (underWine_) {
    const QString unmapped = ApplyWinePorts(FindWine(), choice_.Serial);
    if (!unmapped.isEmpty()) {
      loadProblem_ = unmapped;
      return;
    }
  }
  // Windows code names the file by a drive and backslashes: Wine's Z: is the root.
  const QStringList libraries =
      underWine_
          ? QStringList{QStringLiteral("Z:") + QFileInfo(choice_.Library)
                                                   .absoluteFilePath()
                                                   .replace(QLatin1Char('/'), QLatin1Char('\\'))}
          : HostLibraryCandidates(choice_.Library);
  host_ = std::make_unique<TLinkHostProcess>(launch, libraries, choice_.TimeoutFactor);
  host_->WatchAbandon(&abandon_);
  if (!host_->Start()) {
    loadProblem_ = host_->Failure();
    host_.reset();
    return;
  }
  const linkhost::THello& hello = host_->Hello();
  hostLibrary_ = QString::fromLocal8Bit(hello.library.c_str());
  hostExports_ = hello.loaded ? hello.exports : 0;
  loadProblem_ = QString::fromLocal8Bit(hello.reason.c_str());
  // A host without a usable library has nothing to answer.
  if (!Usable())
    host_.reset();
}

TGBPLibrary::~TGBPLibrary() {
  host_.reset();
  if (library_.isLoaded())
    library_.unload();
}

bool TGBPLibrary::Usable() const {
  if (choice_.Isolate)
    return (hostExports_ & linkhost::kRequiredMask) == linkhost::kRequiredMask;
  return initGBPMode_ && endGBPMode_ && readNVMFile_;
}

bool TGBPLibrary::IsOpen() const {
  return open_;
}

bool TGBPLibrary::Has(TGBPEntry entry) const {
  if (choice_.Isolate)
    return (hostExports_ >> int(entry)) & 1u;
  switch (entry) {
    case TGBPEntry::InitGBPMode:
      return initGBPMode_ != nullptr;
    case TGBPEntry::EndGBPMode:
      return endGBPMode_ != nullptr;
    case TGBPEntry::ReadNVMFile:
      return readNVMFile_ != nullptr;
    case TGBPEntry::WriteNVMFile:
      return writeNVMFile_ != nullptr;
    case TGBPEntry::ClearNVMFile:
      return clearNVMFile_ != nullptr;
    case TGBPEntry::GetNVMFileSize:
      return getNVMFileSize_ != nullptr;
  }
  return false;
}

QString TGBPLibrary::FileName() const {
  if (underWine_ || refused_)
    return choice_.Library;
  if (!choice_.Isolate)
    return library_.fileName();
  return hostLibrary_.isEmpty() ? HostLibraryCandidates(choice_.Library).constFirst()
                                : hostLibrary_;
}

bool TGBPLibrary::Isolated() const {
  return choice_.Isolate;
}

QString TGBPLibrary::HowItRuns() const {
  if (underWine_)
    return QStringLiteral("in the link host under Wine");
  return choice_.Isolate ? QStringLiteral("in the link host") : QStringLiteral("in this process");
}

QString TGBPLibrary::TakeFailure() {
  QString failure;
  failure.swap(untoldFailure_);
  return failure;
}

int TGBPLibrary::HostCall(TGBPEntry entry, quint32 first, quint32 second, const void* data,
                          void* buffer, quint32 length) {
  if (!host_ || !host_->Running())
    return GBPPortMustBeOpened;
  // More than one frame carries: the arguments are wrong, the host is not to blame.
  if (length > linkhost::kMaxData)
    return GBPInvalidArguments;
  linkhost::TCall call;
  call.entry = static_cast<uint8_t>(entry);
  call.first = first;
  call.second = second;
  call.length = length;
  int32_t result = 0;
  callBytes_ = entry == TGBPEntry::ReadNVMFile || entry == TGBPEntry::WriteNVMFile ? length : 0;
  callStartedMs_ = SteadyMs();
  const bool answered = host_->Call(call, data, buffer, CallWhat(entry, first, second), result);
  callStartedMs_ = 0;
  if (answered)
    return result;
  linkLost_ = untoldFailure_ = host_->Failure();
  host_.reset();
  return GBPPortMustBeOpened;
}

bool TGBPLibrary::AbandonOverdueCall() {
  const qint64 started = callStartedMs_;
  if (started == 0 || SteadyMs() - started <= ExpectedCallMs(callBytes_, choice_.TimeoutFactor))
    return false;
  abandon_ = true;
  return true;
}

// A library that answers "Port must be opened!" while the link is open has lost it.
void TGBPLibrary::NoteResult(int result) {
  if (open_ && result == GBPPortMustBeOpened && linkLost_.isEmpty())
    linkLost_ = GBPErrorMessage(result);
}

int TGBPLibrary::Open(int port) {
  if (!Load())
    return -2;
  linkLost_.clear();
  abandon_ = false;
  // A named device that is missing or closed to this account cannot open: say why and
  // what to do, before the library tries.
  deviceProblem_.clear();
  const QString device = choice_.Serial.value(port);
  if (!device.isEmpty()) {
    deviceProblem_ = SerialDeviceProblem(port, device);
    if (!deviceProblem_.isEmpty()) {
      openErrno_ = 0;
      return GBPCantOpenPort;
    }
  }
  TLinkCall call{TGBPEntry::InitGBPMode};
  call.Port = int(LowByte(port));
  // A library that sets errno when the port does not open tells the system's reason, as a
  // port held by another program; a value left from earlier must not pass for it.
  errno = 0;
  const int result = Observed(call, [&] {
    if (choice_.Isolate) {
      openErrno_ = 0;
      return HostCall(TGBPEntry::InitGBPMode, LowByte(port), 0, nullptr, nullptr, 0);
    }
    const int opened = initGBPMode_(LowByte(port));
    openErrno_ = opened == 0 ? 0 : errno;
    return opened;
  });
  // A refused second opening leaves the link that is already open as it was.
  if (result == 0)
    open_ = true;
  return result;
}

QString TGBPLibrary::OpenFailureReason() const {
  if (!deviceProblem_.isEmpty())
    return deviceProblem_;
  if (openErrno_ == 0)
    return {};
  const QString system = qt_error_string(openErrno_);
  return openErrno_ == EBUSY
             ? QStringLiteral("the port is in use by another program (%1)").arg(system)
             : system;
}

int TGBPLibrary::Close() {
  open_ = false;
  if (!Usable() || (choice_.Isolate && !(host_ && host_->Running())))
    return 0;
  return Observed(TLinkCall{TGBPEntry::EndGBPMode}, [&] {
    return choice_.Isolate ? HostCall(TGBPEntry::EndGBPMode, 0, 0, nullptr, nullptr, 0)
                           : endGBPMode_();
  });
}

int TGBPLibrary::Read(int section, int subsection, void* buffer, quint32 length) {
  if (!Has(TGBPEntry::ReadNVMFile))
    return -1;
  const int result = Observed(FileCall(TGBPEntry::ReadNVMFile, section, subsection, length), [&] {
    return choice_.Isolate ? HostCall(TGBPEntry::ReadNVMFile, LowByte(section), LowByte(subsection),
                                      nullptr, buffer, length)
                           : readNVMFile_(LowByte(section), LowByte(subsection), buffer, length);
  });
  NoteResult(result);
  return result;
}

int TGBPLibrary::Write(int section, int subsection, const void* data, quint32 length) {
  if (!Has(TGBPEntry::WriteNVMFile))
    return -1;
  const int result = Observed(FileCall(TGBPEntry::WriteNVMFile, section, subsection, length), [&] {
    return choice_.Isolate ? HostCall(TGBPEntry::WriteNVMFile, LowByte(section),
                                      LowByte(subsection), data, nullptr, length)
                           : writeNVMFile_(LowByte(section), LowByte(subsection), data, length);
  });
  NoteResult(result);
  return result;
}

int TGBPLibrary::Clear(int section, int subsection) {
  if (!Has(TGBPEntry::ClearNVMFile))
    return -1;
  const int result = Observed(FileCall(TGBPEntry::ClearNVMFile, section, subsection), [&] {
    return choice_.Isolate ? HostCall(TGBPEntry::ClearNVMFile, LowByte(section),
                                      LowByte(subsection), nullptr, nullptr, 0)
                           : clearNVMFile_(LowByte(section), LowByte(subsection));
  });
  NoteResult(result);
  return result;
}

int TGBPLibrary::GetSize(int section, int subsection) {
  if (!Has(TGBPEntry::GetNVMFileSize))
    return -1;
  const int result = Observed(FileCall(TGBPEntry::GetNVMFileSize, section, subsection), [&] {
    return choice_.Isolate ? HostCall(TGBPEntry::GetNVMFileSize, LowByte(section),
                                      LowByte(subsection), nullptr, nullptr, 0)
                           : getNVMFileSize_(LowByte(section), LowByte(subsection));
  });
  NoteResult(result);
  return result;
}
