#include "link/gbplibrary.h"

#include <QDateTime>
#include <QFileInfo>
#include <algorithm>
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
// link host's failure.
template <typename TFunction>
TLinkStatus Observed(TLinkCall call, TFunction function) {
  if (!LinkObserved())
    return function();
  call.StartedMs = QDateTime::currentMSecsSinceEpoch();
  const auto start = std::chrono::steady_clock::now();
  const TLinkStatus status = function();
  call.DurationNs =
      std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start)
          .count();
  call.Result = status.Code;
  call.Bytes = BytesMoved(call);
  call.Fault = status.HostFailed() ? status.Why : QString();
  NotifyLinkCall(call);
  return status;
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
  if (!IsUsableLibrary(kind))
    return {0, QStringLiteral("%1: %2").arg(file, LibraryFileProblem(kind))};
  return {WindowsHostBits(kind), {}};
}

}  // namespace

int WindowsHostBitsOf(const TLinkChoice& choice) {
  const QString file = choice.Library.isEmpty() ? SearchedWindowsLibrary() : choice.Library;
  return file.isEmpty() ? 0 : WindowsHostBits(InspectLibraryFile(file));
}

std::unique_ptr<TGBPLibrary> MakeGBPLibrary(const TLinkChoice& chosen) {
  if (!chosen.Refusal.isEmpty())
    return std::make_unique<TInProcessLibrary>(chosen, chosen.Refusal);
  TLinkChoice choice = chosen;
  if (choice.Library.isEmpty())
    choice.Library = SearchedWindowsLibrary();
  const TJudgement judgement = choice.Library.isEmpty() ? TJudgement{} : Judge(choice.Library);
  // A DLL of the program's own width loads here on Windows; elsewhere every DLL is hosted.
  const bool foreign = judgement.WindowsBits != 0 && judgement.WindowsBits != kInProcessWindowsBits;
  if (choice.Isolate || foreign)
    return std::make_unique<THostedLibrary>(choice, judgement.WindowsBits, judgement.Refusal);
  return std::make_unique<TInProcessLibrary>(choice, judgement.Refusal);
}

QString TGBPLibrary::NotRunText() {
  //: How the library runs, for a file that could not be loaded
  return TLinkText::tr("not at all (it could not be loaded)");
}

QString TGBPLibrary::NotLoadedText() {
  return TLinkText::tr("the library could not be loaded");
}

TWine TGBPLibrary::Wine() const {
  return TWine{};
}

void TGBPLibrary::SetNotice(std::function<void(const QString&)>) {}

void TGBPLibrary::SetCancel(const std::atomic<bool>*) {}

void TGBPLibrary::NoteResult(const TLinkStatus& status) {
  if (status.HostFailed())
    linkLost_ = status.Why;
  else if (open_ && status.Code == GBPPortMustBeOpened && linkLost_.isEmpty())
    linkLost_ = GBPErrorMessage(status.Code);
}

void TGBPLibrary::MapPort(int port, const QString& device) {
  if (device.isEmpty())
    choice_.Serial.remove(port);
  else
    choice_.Serial.insert(port, device);
}

TLinkStatus TGBPLibrary::CheckDevice(int port) const {
  const QString device = choice_.Serial.value(port);
  return device.isEmpty() ? TLinkStatus{} : CheckSerialDevice(port, device);
}

TLinkStatus TGBPLibrary::Open(int port) {
  linkLost_.clear();
  // A named device that is missing or closed to this account cannot open: say why and
  // what to do before anything starts, Wine and its prefix included.
  TLinkStatus status = CheckDevice(port);
  if (status.Reason != TLinkReason::None)
    return status;
  if (!Load())
    return TLinkStatus{
        GBPCantOpenPort, TGBPEntry::InitGBPMode, TLinkReason::NotUsable, LoadProblem(), {}};
  status = PrepareOpen();
  if (status.Reason != TLinkReason::None)
    return status;
  // The library starts on an empty line, whatever an earlier try left in it.
  if (choice_.Serial.contains(port))
    FlushSerialDevice(choice_.Serial.value(port));
  TLinkCall call{TGBPEntry::InitGBPMode};
  call.Port = int(LowByte(port));
  status = Observed(
      call, [&] { return Invoke(TGBPEntry::InitGBPMode, LowByte(port), 0, nullptr, nullptr, 0); });
  if (status.HostFailed())
    linkLost_ = status.Why;
  // A refused second opening leaves the link that is already open as it was.
  if (status.Code == 0)
    open_ = true;
  return status;
}

TLinkStatus TGBPLibrary::Close() {
  open_ = false;
  if (!CanEnd())
    return TLinkStatus{0, TGBPEntry::EndGBPMode, TLinkReason::None, {}, {}};
  const TLinkStatus status = Observed(TLinkCall{TGBPEntry::EndGBPMode}, [&] {
    return Invoke(TGBPEntry::EndGBPMode, 0, 0, nullptr, nullptr, 0);
  });
  NoteResult(status);
  return status;
}

TLinkStatus TGBPLibrary::FileOperation(TGBPEntry entry, int section, int subsection,
                                       const void* data, void* buffer, quint32 length) {
  if (!Has(entry))
    return TLinkStatus{-1, entry, TLinkReason::None, {}, {}};
  const TLinkStatus status = Observed(FileCall(entry, section, subsection, length), [&] {
    return Invoke(entry, LowByte(section), LowByte(subsection), data, buffer, length);
  });
  NoteResult(status);
  return status;
}

TLinkStatus TGBPLibrary::Read(int section, int subsection, void* buffer, quint32 length) {
  return FileOperation(TGBPEntry::ReadNVMFile, section, subsection, nullptr, buffer, length);
}

TLinkStatus TGBPLibrary::Write(int section, int subsection, const void* data, quint32 length) {
  return FileOperation(TGBPEntry::WriteNVMFile, section, subsection, data, nullptr, length);
}

TLinkStatus TGBPLibrary::Clear(int section, int subsection) {
  return FileOperation(TGBPEntry::ClearNVMFile, section, subsection, nullptr, nullptr, 0);
}

TLinkStatus TGBPLibrary::GetSize(int section, int subsection) {
  return FileOperation(TGBPEntry::GetNVMFileSize, section, subsection, nullptr, nullptr, 0);
}
