#pragma once
// The phone-link library, without any user interface: resolves the six exports, knows
// whether the library is usable and whether the link is open, and passes section,
// subsection and port as their low byte. The library is loaded in this process, or runs in
// the link host (kiv-linkhost) when isolated, where every call has a deadline and a crash
// takes only the host. Shared by the manager (through TNVMSection) and by kivnvm.

#include <QLibrary>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

#include "common/messages.h"
#include "link/gbp.h"
#include "link/linkchoice.h"

class TLinkHostProcess;
struct THostLaunch;

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
  // Loads fileName in this process when given; otherwise "gbp" (libgbp.so, gbp.dll) from
  // the executable's folder first, then through the system's library search, then from the
  // installed private folder (../lib/kiv-manager beside bin/).
  explicit TGBPLibrary(const QString& fileName = QString());
  // As chosen: isolated, the link host starts at the first Load or Open. A chosen file is
  // told by its header: a 32-bit Windows DLL runs in the Windows link host under Wine; a
  // file that is no library either kind can load is not usable, with the reason.
  explicit TGBPLibrary(const TLinkChoice& choice);
  ~TGBPLibrary();  // unloads the library, or ends the host; the caller closes the link first
  TGBPLibrary(const TGBPLibrary&) = delete;
  TGBPLibrary& operator=(const TGBPLibrary&) = delete;

  // Makes the library ready: isolated, starts the link host when none runs (a call that may
  // take a while: run it where the link's calls run). Returns Usable().
  bool Load();
  // Whether Load has something to do.
  bool NeedsLoad() const;
  // Loaded, with InitGBPMode, EndGBPMode and ReadNVMFile found.
  bool Usable() const;
  bool IsOpen() const;
  // Whether the library exports the entry point.
  bool Has(TGBPEntry entry) const;
  // The file loaded, or the last one tried when none could be loaded.
  QString FileName() const;
  bool Isolated() const;
  // The chosen file is a 32-bit Windows DLL: the link host runs under Wine.
  bool UnderWine() const { return underWine_; }
  // Why the library is not usable: the file tried and the system's reason, or the exports
  // it lacks, or why the link host did not start.
  QString LoadProblem() const { return loadProblem_; }
  // "in this process", "in the link host", "in the link host under Wine".
  QString HowItRuns() const;
  // Receives what a long one-time step of Load is doing (making a new Wine prefix), on the
  // thread that calls Load.
  void SetNotice(std::function<void(const QString&)> notice);

  // InitGBPMode(port): port 1..4. 0 opens the link; any other code leaves it closed.
  // Not usable, or the device named for the port fails its checks: -2 (the port cannot be
  // opened) without calling anything.
  int Open(int port);
  // Why the last Open failed as the library's errno tells it ("the port is in use by another
  // program (Device or resource busy)"); empty when it succeeded or told nothing.
  QString OpenFailureReason() const;
  // Why the device named for the port cannot open, with what to do; empty when the last Open
  // passed the checks.
  QString DeviceProblem() const { return deviceProblem_; }
  // EndGBPMode, open link or not; the link is closed afterwards. Not usable: 0.
  int Close();

  // The file operations; a missing entry point gives -1 without any call. Read gives the
  // count as the library claims it, which a faulty library may make larger than length. A
  // call the link host could not answer gives -4 ("Port must be opened!"), as do all calls
  // after it until the link is opened again.
  int Read(int section, int subsection, void* buffer, quint32 length);
  int Write(int section, int subsection, const void* data, quint32 length);
  int Clear(int section, int subsection);
  int GetSize(int section, int subsection);

  // Why the open link was lost: the link host's failure, or the library's "Port must be
  // opened!" in the middle of a link. Empty while the link holds; cleared by Open.
  QString LinkLost() const { return linkLost_; }
  // A failure of the link host not told yet; empty once taken.
  QString TakeFailure();

  // From any thread: when a call of the link host has run longer than it should on a sound
  // link (ExpectedCallMs), ends it and the host at once, and returns true. The call then fails
  // with "Cancelled: the library was still in ...", and the link is lost. A library in this
  // process cannot be stopped: false.
  bool AbandonOverdueCall();

 private:
  void LoadInProcess(const QString& fileName);
  void StartHost();
  // How the host starts; no program when Wine is needed and missing.
  THostLaunch HostLaunch() const;
  // Through the host: the library's result, or -4 after a failure.
  int HostCall(TGBPEntry entry, quint32 first, quint32 second, const void* data, void* buffer,
               quint32 length);
  void NoteResult(int result);

  TLinkChoice choice_;
  QLibrary library_;
  TInitGBPMode initGBPMode_ = nullptr;
  TEndGBPMode endGBPMode_ = nullptr;
  TReadNVMFile readNVMFile_ = nullptr;
  TWriteNVMFile writeNVMFile_ = nullptr;
  TClearNVMFile clearNVMFile_ = nullptr;
  TGetNVMFileSize getNVMFileSize_ = nullptr;
  std::unique_ptr<TLinkHostProcess> host_;
  quint8 hostExports_ = 0;  // from the last host's hello
  QString hostLibrary_;
  bool underWine_ = false;
  bool refused_ = false;  // the chosen file is no library a host or this process can load
  std::function<void(const QString&)> notice_;
  bool open_ = false;
  int openErrno_ = 0;
  QString deviceProblem_;
  QString loadProblem_;
  QString linkLost_;
  QString untoldFailure_;
  // The call of the link host under way, for AbandonOverdueCall from another thread.
  std::atomic<qint64> callStartedMs_{0};  // steady clock; 0: none under way
  std::atomic<quint32> callBytes_{0};
  std::atomic<bool> abandon_{false};
};
