#include "link/gbplibrary.h"

#include <QDateTime>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <chrono>

#include "common/texts.h"
#include "link/hostedlibrary.h"
#include "link/inprocesslibrary.h"
#include "link/libraryfile.h"
#include "link/librarysearch.h"
#include "link/linkcalls.h"
#include "link/serialdevice.h"
#include "link/winehost.h"

namespace {

// Only the low byte of section, subsection and port reaches the library.
quint32 LowByte(int value) {
  return static_cast<quint32>(value) & 0xFFu;
}

qint64 BytesMoved(const TLinkCall& call) {
  if (call.Result < 0)
    return 0;
  if (call.Entry == TGBPEntry::ReadNVMFile)
    return std::min<qint64>(call.Result, call.Length);
  return call.Entry == TGBPEntry::WriteNVMFile ? call.Length : 0;
}

// Makes the call; when an observer is installed, times it and hands it the record, with the
// link host's failure as the call left it.
template <typename TFunction, typename TFault>
int Observed(TLinkCall call, TFault fault, TFunction function) {
  if (!LinkObserved())
    return function();
  call.StartedMs = QDateTime::currentMSecsSinceEpoch();
  const auto start = std::chrono::steady_clock::now();
  call.Result = function();
  call.DurationNs =
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start)
          .count();
  call.Bytes = BytesMoved(call);
  call.Fault = fault();
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

// What a file's header says of it: the width of the Windows host it needs (0: none), or why
// neither kind can load it.
struct TJudgement {
  int WindowsBits = 0;
  QString Refusal;
};

TJudgement Judge(const QString& file) {
  // A missing file is told as it was named, not as the loader's guesses at other names.
  if (!QFileInfo::exists(file))
    return {0, TLinkText::tr("%1: no such file").arg(file)};
  const TLibraryFile kind = InspectLibraryFile(file);
  const QString problem = LibraryFileProblem(kind);
  if (!problem.isEmpty())
    return {0, QStringLiteral("%1: %2").arg(file, problem)};
  return {WindowsHostBits(kind), {}};
}

}  // namespace

int WindowsHostBitsOf(const TLinkChoice& choice) {
  const QString file = choice.Library.isEmpty() ? SearchedWindowsLibrary() : choice.Library;
  return file.isEmpty() ? 0 : WindowsHostBits(InspectLibraryFile(file));
}

std::unique_ptr<TGBPLibrary> MakeGBPLibrary(const TLinkChoice& chosen) {
  TLinkChoice choice = chosen;
  if (choice.Library.isEmpty())
    choice.Library = SearchedWindowsLibrary();
  const TJudgement judgement = choice.Library.isEmpty() ? TJudgement{} : Judge(choice.Library);
  if (choice.Isolate || judgement.WindowsBits != 0)
    return std::make_unique<THostedLibrary>(choice, judgement.WindowsBits, judgement.Refusal);
  return std::make_unique<TInProcessLibrary>(choice, judgement.Refusal);
}

std::unique_ptr<TGBPLibrary> MakeGBPLibrary(const QString& fileName) {
  return MakeGBPLibrary(LibraryChoice(fileName));
}

TWine TGBPLibrary::Wine() const {
  return TWine{};
}

void TGBPLibrary::SetNotice(std::function<void(const QString&)>) {}

void TGBPLibrary::SetCancel(const std::atomic<bool>*) {}

QString TGBPLibrary::TakeFailure() {
  QString failure;
  failure.swap(untoldFailure_);
  return failure;
}

void TGBPLibrary::NoteHostFailure(const QString& failure, const QString& detail) {
  linkLost_ = untoldFailure_ = failure;
  failureDetail_ = detail;
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
  // A named device that is missing or closed to this account cannot open: say why and
  // what to do before anything starts, Wine and its prefix included.
  if (!CheckDevice(port).isEmpty())
    return GBPCantOpenPort;
  if (!Load())
    return GBPCantOpenPort;
  deviceProblem_ = PrepareOpen();
  if (!deviceProblem_.isEmpty())
    return GBPCantOpenPort;
  TLinkCall call{TGBPEntry::InitGBPMode};
  call.Port = int(LowByte(port));
  const int result = Observed(
      call, [this] { return CallFault(); },
      [&] { return Invoke(TGBPEntry::InitGBPMode, LowByte(port), 0, nullptr, nullptr, 0); });
  // A refused second opening leaves the link that is already open as it was.
  if (result == 0)
    open_ = true;
  return result;
}

QString TGBPLibrary::OpenFailureReason() const {
  if (!deviceProblem_.isEmpty())
    return deviceProblem_;
  const int error = OpenErrno();
  if (error == 0)
    return {};
  const QString system = qt_error_string(error);
  return error == EBUSY
             //: %1 is the system's reason: "Device or resource busy"
             ? TLinkText::tr("the port is in use by another program (%1)").arg(system)
             : system;
}

int TGBPLibrary::Close() {
  open_ = false;
  if (!CanEnd())
    return 0;
  return Observed(
      TLinkCall{TGBPEntry::EndGBPMode}, [this] { return CallFault(); },
      [&] { return Invoke(TGBPEntry::EndGBPMode, 0, 0, nullptr, nullptr, 0); });
}

int TGBPLibrary::FileOperation(TGBPEntry entry, int section, int subsection, const void* data,
                               void* buffer, quint32 length) {
  if (!Has(entry))
    return -1;
  const int result = Observed(
      FileCall(entry, section, subsection, length), [this] { return CallFault(); },
      [&] { return Invoke(entry, LowByte(section), LowByte(subsection), data, buffer, length); });
  NoteResult(result);
  return result;
}

int TGBPLibrary::Read(int section, int subsection, void* buffer, quint32 length) {
  return FileOperation(TGBPEntry::ReadNVMFile, section, subsection, nullptr, buffer, length);
}

int TGBPLibrary::Write(int section, int subsection, const void* data, quint32 length) {
  return FileOperation(TGBPEntry::WriteNVMFile, section, subsection, data, nullptr, length);
}

int TGBPLibrary::Clear(int section, int subsection) {
  return FileOperation(TGBPEntry::ClearNVMFile, section, subsection, nullptr, nullptr, 0);
}

int TGBPLibrary::GetSize(int section, int subsection) {
  return FileOperation(TGBPEntry::GetNVMFileSize, section, subsection, nullptr, nullptr, 0);
}
