#pragma once
// The phone-link library loaded at run time, without any user interface: resolves the six
// exports, knows whether the library is usable and whether the link is open, and passes
// section, subsection and port as their low byte. Shared by the manager (through
// TNVMSection) and by kivnvm.

#include <QLibrary>
#include <QString>

#include "common/messages.h"
#include "link/gbp.h"

// The six exports, in the order they are resolved.
enum class TGBPEntry {
  InitGBPMode,
  EndGBPMode,
  ReadNVMFile,
  WriteNVMFile,
  ClearNVMFile,
  GetNVMFileSize
};

class TGBPLibrary {
 public:
  // Loads fileName when given; otherwise "gbp" (libgbp.so, gbp.dll) from the executable's
  // folder first, then through the system's library search, then from the installed private
  // folder (../lib/kiv-manager beside bin/).
  explicit TGBPLibrary(const QString& fileName = QString());
  ~TGBPLibrary();  // unloads the library; the caller closes the link first
  TGBPLibrary(const TGBPLibrary&) = delete;
  TGBPLibrary& operator=(const TGBPLibrary&) = delete;

  // Loaded, with InitGBPMode, EndGBPMode and ReadNVMFile found.
  bool Usable() const;
  bool IsOpen() const;
  // Whether the library exports the entry point.
  bool Has(TGBPEntry entry) const;
  // The file loaded, or the last one tried when none could be loaded.
  QString FileName() const;

  // InitGBPMode(port): port 1..4. 0 opens the link; any other code leaves it closed.
  // Not usable: -2 (the port cannot be opened) without calling anything.
  int Open(int port);
  // Why the last Open failed as the library's errno tells it ("the port is in use by another
  // program (Device or resource busy)"); empty when it succeeded or told nothing.
  QString OpenFailureReason() const;
  // EndGBPMode, open link or not; the link is closed afterwards. Not usable: 0.
  int Close();

  // The file operations; a missing entry point gives -1 without any call. Read gives the
  // count as the library claims it, which a faulty library may make larger than length.
  int Read(int section, int subsection, void* buffer, quint32 length);
  int Write(int section, int subsection, const void* data, quint32 length);
  int Clear(int section, int subsection);
  int GetSize(int section, int subsection);

 private:
  QLibrary library_;
  TInitGBPMode initGBPMode_ = nullptr;
  TEndGBPMode endGBPMode_ = nullptr;
  TReadNVMFile readNVMFile_ = nullptr;
  TWriteNVMFile writeNVMFile_ = nullptr;
  TClearNVMFile clearNVMFile_ = nullptr;
  TGetNVMFileSize getNVMFileSize_ = nullptr;
  bool open_ = false;
  int openErrno_ = 0;
};
