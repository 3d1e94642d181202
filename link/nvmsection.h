#pragma once
// TNVMSection: the one path from the manager to the phone. It stands for the section at
// Section-SubSection, reached over COMPort; commands open the link with InitGBP, run their
// reads, writes, clears and size queries, and close it with EndGBP. Failures to load the
// library or open the link are shown to the user here; file operation failures are
// returned to the caller.

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

#include "link/linkchoice.h"
#include "link/linkstatus.h"
#include "link/phoneport.h"

class TGBPLibrary;
class TLinkExecutor;

class TNVMSection : public QObject, public TPhonePort {
  Q_OBJECT
 public:
  enum TNVMCOMPortName : quint8 { cpnCOM1, cpnCOM2, cpnCOM3, cpnCOM4 };
  Q_ENUM(TNVMCOMPortName)

 private:
  Q_PROPERTY(int Section READ Section WRITE SetSect)
  Q_PROPERTY(int SubSection READ SubSection WRITE SetSSect)
  Q_PROPERTY(TNVMCOMPortName COMPort READ COMPort WRITE SetCOMPort)

 public:
  // The library as chosen (MakeGBPLibrary): in this process it is loaded now, and "Unable to
  // open GPB.DLL" shown when it is unusable; isolated, the link host starts when a command
  // first needs it.
  TNVMSection(QObject* owner, const TLinkChoice& choice);
  ~TNVMSection() override;

  // The library as chosen from the next command on; the link open now is closed first.
  void UseChoice(const TLinkChoice& choice);

  bool InitGBP();
  int EndGBP();
  int Read(void* buffer, quint32 length);
  int Write(const void* buffer, quint32 length);
  int GetSize();
  int Clear();

  int Section() const { return section_; }
  int SubSection() const { return subsection_; }
  TNVMCOMPortName COMPort() const { return port_; }
  void SetSect(int value) { section_ = value; }
  void SetSSect(int value) { subsection_ = value; }
  void SetCOMPort(TNVMCOMPortName value) { port_ = value; }

  bool Usable() const;
  bool LinkOpen() const;
  // The library in use, and how it runs: "in this process", "in the link host".
  QString LibraryFile() const;
  QString HowItRuns() const;
  // The library in use is the demo phone (TGBPLibrary::DemoPhone).
  bool DemoPhone() const;
  // What the link works through, in a line: "demo phone (/usr/lib/kiv-manager/libgbp.so)",
  // the library's file and how it runs, or why there is none.
  QString InUseText() const;
  // From the user-interface thread while a call runs elsewhere: ends a call of the link host
  // that has run longer than it should (TGBPLibrary::CallOverdue), and the host with it; the
  // calls after it fail until the link is opened again.
  bool AbandonOverdueCall();
  // Where the library's calls run from now on; none: in place.
  void SetExecutor(TLinkExecutor* executor) { executor_ = executor; }

  // The port that the operations use: the address is set, then the operation runs.
  bool Open() override;
  void Close() override;
  int GetSize(const TSectionAddress& address) override;
  int Read(const TSectionAddress& address, void* buffer, quint32 length) override;
  int Write(const TSectionAddress& address, const void* data, quint32 length) override;
  int Clear(const TSectionAddress& address) override;
  QString LinkLost() const override;

 signals:
  // A long one-time step of starting the link is running (a new Wine prefix being made);
  // sent from the thread the library's calls run on.
  void Notice(const QString& text);

 private:
  bool OpenFor(TGBPEntry entry);
  // Work on the library, through the executor when there is one.
  void Run(const std::function<void()>& work);
  // One call of the library, run so; a failure of the link host is shown once it returned.
  TLinkStatus Call(const std::function<TLinkStatus()>& call);
  void SetAddress(const TSectionAddress& address);
  void ShowError(const QString& text);
  // "Unable to open GPB.DLL", with the file tried and the reason under it the first time
  // (and at every start of the link host, each with its own reason).
  void ShowUnusable();

  std::unique_ptr<TGBPLibrary> library_;
  TLinkExecutor* executor_ = nullptr;
  TNVMCOMPortName port_ = cpnCOM1;
  int section_ = 0;
  int subsection_ = 0;
  bool reasonShown_ = false;
  QString refusal_;  // why no library may be loaded (TLinkChoice::Refusal): told every time
  std::atomic<bool> abandon_{false};
};
