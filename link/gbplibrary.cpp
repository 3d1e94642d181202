#include "link/gbplibrary.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <chrono>

#include "common/texts.h"
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
             //: %1 is the library's file, %2 the entry points it lacks: "InitGBPMode, ReadNVMFile"
             : TLinkText::tr("%1: lacks %2").arg(file, missing.join(QStringLiteral(", ")));
}

qint64 BytesMoved(const TLinkCall& call) {
  if (call.Result < 0)
    return 0;
  if (call.Entry == TGBPEntry::ReadNVMFile)
    return std::min<qint64>(call.Result, call.Length);
  return call.Entry == TGBPEntry::WriteNVMFile ? call.Length : 0;
}

// Makes the call; when an observer is installed, times it and hands it the record, with the
// link host's failure as the call left it in fault.
template <typename TFunction>
int Observed(TLinkCall call, const QString& fault, TFunction function) {
  if (!LinkObserved())
    return function();
  call.StartedMs = QDateTime::currentMSecsSinceEpoch();
  const auto start = std::chrono::steady_clock::now();
  call.Result = function();
  call.DurationNs =
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start)
          .count();
  call.Bytes = BytesMoved(call);
  call.Fault = fault;
  NotifyLinkCall(call);
  return call.Result;
}

// The record of a call to a file operation.
TLinkCall FileCall(TGBPEntry entry, int section, int subsection, quint32 length = 0) {
  TLinkCall call{entry};
  call.Section = int(LowByte(section));
  call.SubSection = int(LowByte(subsection));
  call.Length = length;
  return call;
}

// The Windows DLL the search names first, which runs under Wine as a chosen one would;
// empty when the search's first file is none.
QString SearchedWindowsLibrary() {
  const QString named = FirstNamedLibraryFile();
  return !named.isEmpty() && WindowsHostBits(InspectLibraryFile(named)) != 0 ? named : QString();
}

}  // namespace

int WindowsHostBitsOf(const TLinkChoice& choice) {
  const QString file = choice.Library.isEmpty() ? SearchedWindowsLibrary() : choice.Library;
  return file.isEmpty() ? 0 : WindowsHostBits(InspectLibraryFile(file));
}

TGBPLibrary::TGBPLibrary(const QString& fileName) : TGBPLibrary(LibraryChoice(fileName)) {}

TGBPLibrary::TGBPLibrary(const TLinkChoice& choice) : choice_(choice) {
  if (choice_.Library.isEmpty())
    choice_.Library = SearchedWindowsLibrary();
  if (!choice_.Library.isEmpty())
    Judge(choice_.Library);
  if (!choice_.Isolate && !refused_)
    LoadInProcess(choice_.Library);
}

void TGBPLibrary::Judge(const QString& file) {
  // A missing file is told as it was named, not as the loader's guesses at other names.
  if (!QFileInfo::exists(file)) {
    refused_ = true;
    loadProblem_ = TLinkText::tr("%1: no such file").arg(file);
    return;
  }
  const TLibraryFile kind = InspectLibraryFile(file);
  const QString problem = LibraryFileProblem(kind);
  if (!problem.isEmpty()) {
    refused_ = true;
    loadProblem_ = QStringLiteral("%1: %2").arg(file, problem);
    return;
  }
  windowsBits_ = WindowsHostBits(kind);
  choice_.Isolate = choice_.Isolate || windowsBits_ != 0;
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
  if (windowsBits_ != 0 || refused_)
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
  if (windowsBits_ != 0)
    return TLinkText::tr("in the %1-bit link host under Wine").arg(windowsBits_);
  return choice_.Isolate ? TLinkText::tr("in the link host") : TLinkText::tr("in this process");
}

QString TGBPLibrary::TakeFailure() {
  QString failure;
  failure.swap(untoldFailure_);
  return failure;
}

// A library that answers "Port must be opened!" while the link is open has lost it.
void TGBPLibrary::NoteResult(int result) {
  if (open_ && result == GBPPortMustBeOpened && linkLost_.isEmpty())
    linkLost_ = GBPErrorMessage(result);
}

void TGBPLibrary::MapPort(int port, const QString& device) {
  if (device.isEmpty())
    choice_.Serial.remove(port);
  else
    choice_.Serial.insert(port, device);
}

QString TGBPLibrary::CheckDevice(int port) {
  const QString device = choice_.Serial.value(port);
  deviceProblem_ = device.isEmpty() ? QString() : SerialDeviceProblem(port, device);
  return deviceProblem_;
}

int TGBPLibrary::Open(int port) {
  linkLost_.clear();
  failureDetail_.clear();
  openErrno_ = 0;
  // A named device that is missing or closed to this account cannot open: say why and
  // what to do before anything starts, Wine and its prefix included.
  if (!CheckDevice(port).isEmpty())
    return GBPCantOpenPort;
  if (!Load())
    return GBPCantOpenPort;
  // The host's Windows code opens COMn: the prefix must say which device that is first.
  if (windowsBits_ != 0) {
    deviceProblem_ = ApplyWinePorts(Wine(), choice_.Serial);
    if (!deviceProblem_.isEmpty())
      return GBPCantOpenPort;
  }
  TLinkCall call{TGBPEntry::InitGBPMode};
  call.Port = int(LowByte(port));
  // A library that sets errno when the port does not open tells the system's reason, as a
  // port held by another program; a value left from earlier must not pass for it.
  errno = 0;
  const int result = Observed(call, hostFault_, [&] {
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
             //: %1 is the system's reason: "Device or resource busy"
             ? TLinkText::tr("the port is in use by another program (%1)").arg(system)
             : system;
}

int TGBPLibrary::Close() {
  open_ = false;
  if (!Usable() || (choice_.Isolate && !(host_ && host_->Running())))
    return 0;
  return Observed(TLinkCall{TGBPEntry::EndGBPMode}, hostFault_, [&] {
    return choice_.Isolate ? HostCall(TGBPEntry::EndGBPMode, 0, 0, nullptr, nullptr, 0)
                           : endGBPMode_();
  });
}

int TGBPLibrary::Read(int section, int subsection, void* buffer, quint32 length) {
  if (!Has(TGBPEntry::ReadNVMFile))
    return -1;
  const int result =
      Observed(FileCall(TGBPEntry::ReadNVMFile, section, subsection, length), hostFault_, [&] {
        return choice_.Isolate
                   ? HostCall(TGBPEntry::ReadNVMFile, LowByte(section), LowByte(subsection),
                              nullptr, buffer, length)
                   : readNVMFile_(LowByte(section), LowByte(subsection), buffer, length);
      });
  NoteResult(result);
  return result;
}

int TGBPLibrary::Write(int section, int subsection, const void* data, quint32 length) {
  if (!Has(TGBPEntry::WriteNVMFile))
    return -1;
  const int result =
      Observed(FileCall(TGBPEntry::WriteNVMFile, section, subsection, length), hostFault_, [&] {
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
  const int result =
      Observed(FileCall(TGBPEntry::ClearNVMFile, section, subsection), hostFault_, [&] {
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
  const int result =
      Observed(FileCall(TGBPEntry::GetNVMFileSize, section, subsection), hostFault_, [&] {
        return choice_.Isolate ? HostCall(TGBPEntry::GetNVMFileSize, LowByte(section),
                                          LowByte(subsection), nullptr, nullptr, 0)
                               : getNVMFileSize_(LowByte(section), LowByte(subsection));
      });
  NoteResult(result);
  return result;
}
