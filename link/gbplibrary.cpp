#include "link/gbplibrary.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <chrono>

#include "link/linkcalls.h"

namespace {

// Only the low byte of section, subsection and port reaches the library.
quint32 LowByte(int value) {
  return static_cast<quint32>(value) & 0xFFu;
}

template <typename TFunction>
TFunction Resolve(QLibrary& library, const char* name) {
  return reinterpret_cast<TFunction>(library.resolve(name));
}

// Where "gbp" is looked for, first to last. The executable's own folder comes first, as
// Windows searches for a DLL, so a library put beside the program always wins; then the
// system's library search, so a real phone-link library installed there wins over the
// virtual phone; then the private folder where an installed manager keeps the virtual phone.
QStringList SearchOrder() {
  const QString name = QStringLiteral("gbp");
  if (!QCoreApplication::instance())
    return {name};
  const QDir programDir(QCoreApplication::applicationDirPath());
  return {programDir.filePath(name), name,
          QDir::cleanPath(
              programDir.filePath(QStringLiteral(KIV_PRIVATE_LIBDIR_FROM_BINDIR "/") + name))};
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
  if (!fileName.isEmpty()) {
    library_.setFileName(fileName);
    library_.load();
  } else {
    for (const QString& candidate : SearchOrder()) {
      library_.setFileName(candidate);
      if (library_.load())
        break;
    }
  }
  if (!library_.isLoaded())
    return;
  initGBPMode_ = Resolve<TInitGBPMode>(library_, "InitGBPMode");
  endGBPMode_ = Resolve<TEndGBPMode>(library_, "EndGBPMode");
  readNVMFile_ = Resolve<TReadNVMFile>(library_, "ReadNVMFile");
  writeNVMFile_ = Resolve<TWriteNVMFile>(library_, "WriteNVMFile");
  clearNVMFile_ = Resolve<TClearNVMFile>(library_, "ClearNVMFile");
  getNVMFileSize_ = Resolve<TGetNVMFileSize>(library_, "GetNVMFileSize");
}

TGBPLibrary::~TGBPLibrary() {
  if (library_.isLoaded())
    library_.unload();
}

bool TGBPLibrary::Usable() const {
  return initGBPMode_ && endGBPMode_ && readNVMFile_;
}

bool TGBPLibrary::IsOpen() const {
  return open_;
}

bool TGBPLibrary::Has(TGBPEntry entry) const {
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
  return library_.fileName();
}

int TGBPLibrary::Open(int port) {
  if (!Usable())
    return -2;
  TLinkCall call{TGBPEntry::InitGBPMode};
  call.Port = int(LowByte(port));
  // A library that sets errno when the port does not open tells the system's reason, as a
  // port held by another program; a value left from earlier must not pass for it.
  errno = 0;
  const int result = Observed(call, [&] {
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
  if (openErrno_ == 0)
    return {};
  const QString system = qt_error_string(openErrno_);
  return openErrno_ == EBUSY
             ? QStringLiteral("the port is in use by another program (%1)").arg(system)
             : system;
}

int TGBPLibrary::Close() {
  open_ = false;
  if (!Usable())
    return 0;
  return Observed(TLinkCall{TGBPEntry::EndGBPMode}, [&] { return endGBPMode_(); });
}

int TGBPLibrary::Read(int section, int subsection, void* buffer, quint32 length) {
  if (!readNVMFile_)
    return -1;
  return Observed(FileCall(TGBPEntry::ReadNVMFile, section, subsection, length), [&] {
    return readNVMFile_(LowByte(section), LowByte(subsection), buffer, length);
  });
}

int TGBPLibrary::Write(int section, int subsection, const void* data, quint32 length) {
  if (!writeNVMFile_)
    return -1;
  return Observed(FileCall(TGBPEntry::WriteNVMFile, section, subsection, length), [&] {
    return writeNVMFile_(LowByte(section), LowByte(subsection), data, length);
  });
}

int TGBPLibrary::Clear(int section, int subsection) {
  if (!clearNVMFile_)
    return -1;
  return Observed(FileCall(TGBPEntry::ClearNVMFile, section, subsection),
                  [&] { return clearNVMFile_(LowByte(section), LowByte(subsection)); });
}

int TGBPLibrary::GetSize(int section, int subsection) {
  if (!getNVMFileSize_)
    return -1;
  return Observed(FileCall(TGBPEntry::GetNVMFileSize, section, subsection),
                  [&] { return getNVMFileSize_(LowByte(section), LowByte(subsection)); });
}
