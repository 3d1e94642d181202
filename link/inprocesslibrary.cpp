#include "link/inprocesslibrary.h"

#include <QStringList>
#include <cerrno>

#include "common/texts.h"
#include "link/libraryload.h"
#include "link/librarysearch.h"

namespace {

template <typename TFunction>
TFunction Resolve(QLibrary& library, const char* name) {
  return reinterpret_cast<TFunction>(library.resolve(name));
}

// The system's reason for a port that did not open, a busy one told as such.
QString SystemReason(int error) {
  const QString system = qt_error_string(error);
  return error == EBUSY
             //: %1 is the system's reason: "Device or resource busy"
             ? TLinkText::tr("the port is in use by another program (%1)").arg(system)
             : system;
}

}  // namespace

TInProcessLibrary::TInProcessLibrary(const TLinkChoice& choice, const QString& refusal)
    : TGBPLibrary(choice), refused_(!refusal.isEmpty()) {
  loadProblem_ = refusal;
  if (!refused_)
    LoadFile(choice_.Library);
}

TInProcessLibrary::~TInProcessLibrary() {
  if (library_.isLoaded())
    library_.unload();
}

void TInProcessLibrary::LoadFile(const QString& fileName) {
  const QStringList candidates = fileName.isEmpty() ? LibrarySearchOrder() : QStringList{fileName};
  // Two of these may load one file (the window's link and Test link's); the one that goes
  // first must not unmap the code the other still calls.
  library_.setLoadHints(QLibrary::PreventUnloadHint);
  for (const QString& candidate : candidates) {
    library_.setFileName(candidate);
    if (library_.load())
      break;
    if (linkhost::ReplacesLoadReason(library_.errorString().toStdString(),
                                     loadProblem_.toStdString()))
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
  demoPhone_ = library_.resolve(linkhost::kDemoPhoneMarkName) != nullptr;
  quint8 exports = 0;
  for (int entry = 0; entry < linkhost::kEntryCount; ++entry)
    exports |= Has(TGBPEntry(entry)) ? quint8(1u << entry) : 0;
  const std::string missing = linkhost::MissingRequiredExports(exports);
  if (!missing.empty())
    //: %1 is the library's file, %2 the entry points it lacks: "InitGBPMode, ReadNVMFile"
    loadProblem_ =
        TLinkText::tr("%1: lacks %2").arg(library_.fileName(), QString::fromStdString(missing));
}

bool TInProcessLibrary::Usable() const {
  return initGBPMode_ && endGBPMode_ && readNVMFile_;
}

bool TInProcessLibrary::Has(TGBPEntry entry) const {
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

QString TInProcessLibrary::FileName() const {
  return refused_ ? choice_.Library : library_.fileName();
}

QString TInProcessLibrary::HowItRuns() const {
  return library_.isLoaded() ? TLinkText::tr("in this process") : NotRunText();
}

QString TInProcessLibrary::ExportsNotChecked() const {
  return library_.isLoaded() ? QString() : NotLoadedText();
}

TLinkStatus TInProcessLibrary::Invoke(TGBPEntry entry, quint32 first, quint32 second,
                                      const void* data, void* buffer, quint32 length) {
  TLinkStatus status;
  status.Call = entry;
  switch (entry) {
    case TGBPEntry::InitGBPMode:
      // A library that sets errno when the port does not open tells the system's reason, as
      // a port held by another program; a value left from earlier must not pass for it.
      errno = 0;
      status.Code = initGBPMode_(first);
      if (status.Code != 0 && errno != 0) {
        status.Reason = TLinkReason::System;
        status.Why = SystemReason(errno);
      }
      break;
    case TGBPEntry::EndGBPMode:
      status.Code = endGBPMode_();
      break;
    case TGBPEntry::ReadNVMFile:
      status.Code = readNVMFile_(first, second, buffer, length);
      break;
    case TGBPEntry::WriteNVMFile:
      status.Code = writeNVMFile_(first, second, data, length);
      break;
    case TGBPEntry::ClearNVMFile:
      status.Code = clearNVMFile_(first, second);
      break;
    case TGBPEntry::GetNVMFileSize:
      status.Code = getNVMFileSize_(first, second);
      break;
  }
  return status;
}
