#pragma once
// The phone-link library, without any user interface: resolves the six exports, knows
// whether the library is usable and whether the link is open, and passes section,
// subsection and port as their low byte. Two kinds, made by MakeGBPLibrary as the choice
// says: the library loaded in this process (TInProcessLibrary), or run in the link host
// (THostedLibrary, kiv-linkhost), where every call has a deadline and a crash takes only the
// host. Shared by the manager (through TNVMSection) and by kivnvm.

#include <QString>
#include <atomic>
#include <functional>
#include <memory>

#include "common/messages.h"
#include "link/gbp.h"
#include "link/linkchoice.h"
#include "link/linkstatus.h"

struct TWine;

// The width of the Windows link host the choice runs in: 32 or 64 for an x86 Windows DLL,
// chosen or the first file the search names; 0 for anything else. Loads nothing.
int WindowsHostBitsOf(const TLinkChoice& choice);

class TGBPLibrary {
 public:
  virtual ~TGBPLibrary() = default;  // the caller closes the link first
  TGBPLibrary(const TGBPLibrary&) = delete;
  TGBPLibrary& operator=(const TGBPLibrary&) = delete;

  // Makes the library ready: hosted, starts the link host when none runs (a call that may
  // take a while: run it where the link's calls run). Returns Usable().
  virtual bool Load() = 0;
  // Whether Load has something to do.
  virtual bool NeedsLoad() const = 0;
  // Loaded, with InitGBPMode, EndGBPMode and ReadNVMFile found.
  virtual bool Usable() const = 0;
  bool IsOpen() const { return open_; }
  // Whether the library exports the entry point.
  virtual bool Has(TGBPEntry entry) const = 0;
  // Why the exports are not known (the library could not be loaded, the link host did not
  // start); empty once they are, Has then telling each.
  virtual QString ExportsNotChecked() const = 0;
  // The file loaded, or the last one tried when none could be loaded.
  virtual QString FileName() const = 0;
  virtual bool Isolated() const = 0;
  // The library is the demo phone this program ships, known by the mark it exports; a
  // library in the link host is not asked and counts as none.
  virtual bool DemoPhone() const { return false; }
  // The library is a Windows DLL: the link host of its width runs under Wine.
  virtual bool UnderWine() const { return false; }
  // The Wine that runs it; meaningful only UnderWine().
  virtual TWine Wine() const;
  // Why the library is not usable: the file tried and the system's reason, or the exports
  // it lacks, or why the link host did not start, with the host's last lines under it.
  QString LoadProblem() const { return loadProblem_; }
  // "in this process", "in the link host", "in the 64-bit link host under Wine"; "not at
  // all" for a file that is no library either kind can load, or not found.
  virtual QString HowItRuns() const = 0;
  // Receives what a long one-time step of Load is doing (making a new Wine prefix), on the
  // thread that calls Load.
  virtual void SetNotice(std::function<void(const QString&)> notice);

  // The device behind the port from the next Open on; empty: the library's own choice.
  void MapPort(int port, const QString& device);
  // Whether the device named for the port can be opened, before anything is started: -2
  // (the port cannot be opened) with the reason Device and what to do when it cannot; the
  // reason None when it can, or none is named.
  TLinkStatus CheckDevice(int port) const;
  // InitGBPMode(port): port 1..4. 0 opens the link; any other code leaves it closed. The
  // device named for the port is checked first, then the library made ready (Load), then,
  // under Wine, the devices named for the ports mapped in the prefix. A device that fails
  // its checks or a mapping that fails (Device), or a library that is not usable
  // (NotUsable): -2 without calling the library. A port the library did not open may come
  // with the system's reason ("the port is in use by another program (Device or resource
  // busy)").
  TLinkStatus Open(int port);
  // EndGBPMode, open link or not; the link is closed afterwards. Not usable: 0.
  TLinkStatus Close();

  // The file operations; a missing entry point gives -1 without any call. Read gives the
  // count as the library claims it, which a faulty library may make larger than length. A
  // call the link host could not answer gives -4 ("Port must be opened!") with the host's
  // failure, and the calls after it give -4 until the link is opened again.
  TLinkStatus Read(int section, int subsection, void* buffer, quint32 length);
  TLinkStatus Write(int section, int subsection, const void* data, quint32 length);
  TLinkStatus Clear(int section, int subsection);
  TLinkStatus GetSize(int section, int subsection);

  // Why the open link was lost: the link host's failure, or the library's "Port must be
  // opened!" in the middle of a link. Empty while the link holds; cleared by Open. A state
  // of the link, asked between calls by the operations (TPhonePort::LinkLost).
  QString LinkLost() const { return linkLost_; }
  // While *flag is set, a call through the link host ends at once as a failure, and so do
  // the calls after it until the next Open; null: no cancelling. The flag outlives this.
  virtual void SetCancel(const std::atomic<bool>* flag);
  // From any thread: a call of the link host is under way and has run longer than it should
  // on a sound link (ExpectedCallMs), so cancelling it loses nothing a wait would bring.
  virtual bool CallOverdue() const { return false; }

 protected:
  explicit TGBPLibrary(const TLinkChoice& choice) : choice_(choice) {}

  // What the kinds do for Open before the library is called: under Wine, map the ports in
  // the prefix; a failure is a Device status.
  virtual TLinkStatus PrepareOpen() { return {}; }
  // Whether EndGBPMode can reach the library now.
  virtual bool CanEnd() const { return Usable(); }
  // Calls the export with the arguments as the library takes them (low bytes already).
  virtual TLinkStatus Invoke(TGBPEntry entry, quint32 first, quint32 second, const void* data,
                             void* buffer, quint32 length) = 0;

  // What HowItRuns and ExportsNotChecked say of a library that could not be loaded.
  static QString NotRunText();
  static QString NotLoadedText();

  TLinkChoice choice_;
  QString loadProblem_;

 private:
  TLinkStatus FileOperation(TGBPEntry entry, int section, int subsection, const void* data,
                            void* buffer, quint32 length);
  // A failed host, or a library that answers "Port must be opened!" while the link is open,
  // has lost it.
  void NoteResult(const TLinkStatus& status);

  bool open_ = false;
  QString linkLost_;
};

// The library as the choice says. A chosen file, and a file the search names, is told by its
// header: an x86 Windows DLL runs in the Windows link host of its width under Wine (so does
// an isolated choice, in the native host); a file that is no library either kind can load is
// not usable, with the reason. Hosted, the host starts at the first Load or Open; in this
// process, the file is loaded now: the chosen one, or the search's "gbp" from the
// executable's folder first (libgbp.so, then gbp.dll), then through the system's library
// search, then from the installed private folder (../lib/kiv-manager beside bin/).
// A choice with a Refusal loads nothing and is not usable, with the refusal as its reason.
std::unique_ptr<TGBPLibrary> MakeGBPLibrary(const TLinkChoice& choice);
