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
struct TWine;

// The six exports, in the order they are resolved.
enum class TGBPEntry {
  InitGBPMode,
  EndGBPMode,
  ReadNVMFile,
  WriteNVMFile,
  ClearNVMFile,
  GetNVMFileSize
};

// The width of the Windows link host the choice runs in: 32 or 64 for an x86 Windows DLL,
// chosen or the first file the search names; 0 for anything else. Loads nothing.
int WindowsHostBitsOf(const TLinkChoice& choice);

class TGBPLibrary {
 public:
  // Loads fileName in this process when given; otherwise the search's library: "gbp" from
  // the executable's folder first (libgbp.so, then gbp.dll), then through the system's
  // library search, then from the installed private folder (../lib/kiv-manager beside bin/).
  explicit TGBPLibrary(const QString& fileName = QString());
  // As chosen: isolated, the link host starts at the first Load or Open. A chosen file, and
  // a file the search names, is told by its header: an x86 Windows DLL runs in the Windows
  // link host of its width under Wine; a file that is no library either kind can load is
  // not usable, with the reason.
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
  // The library is a Windows DLL: the link host of its width runs under Wine.
  bool UnderWine() const { return windowsBits_ != 0; }
  // The Wine that runs it; meaningful only UnderWine().
  TWine Wine() const;
  // Why the library is not usable: the file tried and the system's reason, or the exports
  // it lacks, or why the link host did not start, with the host's last lines under it.
  QString LoadProblem() const { return loadProblem_; }
  // "in this process", "in the link host", "in the 64-bit link host under Wine".
  QString HowItRuns() const;
  // Receives what a long one-time step of Load is doing (making a new Wine prefix), on the
  // thread that calls Load.
  void SetNotice(std::function<void(const QString&)> notice);

  // The device behind the port from the next Open on; empty: the library's own choice.
  void MapPort(int port, const QString& device);
  // Whether the device named for the port can be opened, before anything is started: empty
  // when it can (or none is named), else why not and what to do, also as DeviceProblem().
  QString CheckDevice(int port);
  // InitGBPMode(port): port 1..4. 0 opens the link; any other code leaves it closed. The
  // device named for the port is checked first, then the library made ready (Load), then,
  // under Wine, the devices named for the ports mapped in the prefix. A device that fails
  // its checks, a mapping that fails, or a library that is not usable: -2 (the port cannot
  // be opened) without calling the library.
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
  // What the link host wrote on its standard error before its last failure (Wine's reasons
  // too), its last lines; empty when nothing.
  QString FailureDetail() const { return failureDetail_; }
  // While *flag is set, a call through the link host ends at once as a failure, and so do
  // the calls after it until the next Open; null: no cancelling. The flag outlives this.
  void SetCancel(const std::atomic<bool>* flag);
  // From any thread: a call of the link host is under way and has run longer than it should
  // on a sound link (ExpectedCallMs), so cancelling it loses nothing a wait would bring.
  bool CallOverdue() const;

 private:
  void LoadInProcess(const QString& fileName);
  // Judges a chosen file, or the file the search names, by its header.
  void Judge(const QString& file);
  void StartHost();
  // How the host starts; false with LoadProblem() when it cannot (Wine or the host missing).
  bool PrepareLaunch(THostLaunch& launch);
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
  int windowsBits_ = 0;   // the width of the Windows host under Wine; 0: not a Windows DLL
  bool refused_ = false;  // the chosen file is no library a host or this process can load
  std::function<void(const QString&)> notice_;
  const std::atomic<bool>* cancel_ = nullptr;
  bool open_ = false;
  int openErrno_ = 0;
  QString deviceProblem_;
  QString loadProblem_;
  QString linkLost_;
  QString untoldFailure_;
  QString failureDetail_;
  QString hostFault_;  // the link host's failure in the call just made, for the phone log
  // The call of the link host under way, for CallOverdue from another thread.
  std::atomic<qint64> callStartedMs_{0};  // steady clock; 0: none under way
  std::atomic<quint32> callBytes_{0};
};
