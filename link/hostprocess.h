#pragma once
// The manager's side of the link host: starts kiv-linkhost in a process group of its own,
// reads its hello and makes one call after another through it, each within its deadline.
// Every answer is checked before anything of it is used, its length against what its call
// allows before anything is allocated; any fault (a deadline passed, the host gone, a frame
// that breaks the protocol or stops half-way) ends the host and leaves a message naming what
// happened. The host's last lines on its standard error are told with a failure. Used from
// one thread at a time; Cancel may come from another.
//
// The host is killed by the system when the thread that started it ends, the manager's death
// included, whatever it is doing: it never holds the port for a manager that is gone. Under
// Wine the signal reaches Wine's own process, which is the host.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <vector>

#include "link/gbp.h"
#include "link/hostchannel.h"
#include "link/hostoutput.h"
#include "link/hostprotocol.h"
#include "link/linkstatus.h"

// How long a call may take: 15 s, plus the time its bytes take at 2,400 baud with 10 bits a
// byte (the slowest real link), times the factor of the settings.
qint64 LinkDeadlineMs(quint64 bytes, double factor);
// "42 s", "0.2 s": a deadline as the messages tell it.
QString DeadlineText(qint64 milliseconds);
// How long a call should take on a sound link: 2 s, plus its bytes at 9,600 baud with 10 bits
// a byte, times the factor of the settings. A call that runs longer may be abandoned.
qint64 ExpectedCallMs(quint64 bytes, double factor);

// How the host is started: the program itself, or a loader (Wine) with the host as its
// first argument.
struct THostLaunch {
  QString Program;
  QStringList Arguments;    // before the library files
  QStringList Environment;  // "NAME=value", over the manager's own environment
  qint64 SlowStartMs = 0;   // added to the start's 15 s before the factor, for a slow start
  qint64 ExtraStartMs = 0;  // added to the start's deadline, for a one-time setup
  // Whether ending the host ends its whole process group. Not under Wine: what Wine started
  // there serves the whole prefix, its boot (wineboot --init) first of all, which every
  // later Wine program waits for; it ends by itself once no program runs in the prefix.
  bool EndGroup = true;
};

// How long the host's start may take: 15 s and the launch's SlowStartMs, times the factor, and
// its ExtraStartMs.
qint64 StartDeadlineMs(const THostLaunch& launch, double factor);

// The two ends of a host's pipes: its standard input (written) and output (read).
struct THostPipes {
  int Input = -1;
  int Output = -1;
};

class TLinkHostProcess {
 public:
  TLinkHostProcess(const THostLaunch& launch, const QStringList& libraries, double timeoutFactor);
#ifndef _WIN32
  // A host that runs already, reached through its pipes, which this object owns: Start reads
  // its hello. The frame reader's fuzzer plays such a host.
  TLinkHostProcess(THostPipes pipes, double timeoutFactor);
#endif
  ~TLinkHostProcess();  // closes the host's input and ends it
  TLinkHostProcess(const TLinkHostProcess&) = delete;
  TLinkHostProcess& operator=(const TLinkHostProcess&) = delete;

  // Starts the host and reads its hello. A library that does not load is a good start:
  // the hello says so. A failure is a Host status, and no host runs.
  TLinkStatus Start();
  const linkhost::THello& Hello() const {
    return hello_;
  }

  // One call of the library. A write's data is data (call.length bytes); a read's buffer
  // receives the bytes the library placed, never more than call.length. what names the
  // call in messages ("ReadNVMFile 18-9"). The library's result; a failure is a Host status
  // with -4, its Detail the last lines the host wrote on its standard error (at most 4 KiB),
  // and the host is gone.
  TLinkStatus Call(const linkhost::TCall& call, const void* data, void* buffer,
                   const QString& what);
  bool Running() const {
    return channel_.InputOpen();
  }
  // The host has ended by itself with exit status 0, as it does when its input closes.
  bool EndedCleanly();
  // While *flag is set, a call or the start ends at once: the host is ended, and the failure
  // names the call and how long it ran. The flag outlives this object or is reset to null.
  void SetCancel(const std::atomic<bool>* flag) {
    cancel_ = flag;
  }

 private:
  using TClock = std::chrono::steady_clock;
  // How long a host that lost its input or output gets to end by itself.
  static constexpr std::chrono::milliseconds kEndGrace{1000};
  enum class TRead { Ok, Ended, Late, Cancelled, Stalled };

  // The steps below fail by returning false, the failure kept by Fail (the text and the
  // host's last words): they chain one after another, and only Start and Call turn what they
  // left into the one status the link returns.
  bool ReadHello();
  bool Exchange(const linkhost::TCall& call, const void* data, void* buffer, const QString& what,
                int32_t& result);
  TLinkStatus Failed(uint8_t entry) const;
  // Starts the program on fresh pipes, watched for its parent's end.
  bool Spawn();
  bool Fail(const QString& text);
  bool Send(const std::vector<uint8_t>& frame, const void* data, size_t size,
            TClock::time_point deadline, qint64 waitMs, const QString& during);
  // One whole frame's payload, at most allowed bytes, into payload_; false after a failure,
  // with its message. during is empty for the hello.
  bool Receive(uint32_t allowed, TClock::time_point deadline, qint64 waitMs, const QString& during);
  // Once a frame has begun, its rest is waited for only a short while, whatever the deadline.
  TRead ReadExactly(uint8_t* into, size_t size, TClock::time_point deadline);
  bool Late(qint64 waitMs, const QString& during);
  bool Cancelled(const QString& during);
  bool CancelRequested() const {
    return cancel_ && cancel_->load();
  }
  bool HostEnded(const QString& during);
  bool CutOff(TRead read, const QString& during);
  bool Oversize(uint32_t length, uint32_t allowed, const QString& during);
  bool Stray(const QString& during);
  // Waits up to the time given for the host to end; its exit status or signal once it has.
  QString WaitForEnd(std::chrono::milliseconds wait);
  // Ends the host, and everything in its process group where the launch says so.
  void Kill();

  THostLaunch launch_;
  QStringList libraries_;
  double factor_;
  // The system's handles: a process id and its group, or a process and its job object.
  intptr_t process_ = -1;      // while the host has not been reaped
  intptr_t group_ = -1;        // what ends it with all it started, until it is killed
  QString endStatus_;          // "signal 11", once reaped
  bool endedCleanly_ = false;  // reaped with exit status 0
  THostChannel channel_;       // the host's standard input and output, our ends
  THostOutput errorOutput_;    // the host's standard error
  const std::atomic<bool>* cancel_ = nullptr;
  TClock::time_point callStarted_;
  linkhost::THello hello_;
  std::vector<uint8_t> payload_;
  size_t frameBytes_ = 0;            // of the frame being read, header included
  TClock::time_point frameStarted_;  // when its first byte came
  std::vector<uint8_t> seen_;        // the frame's first bytes, to show stray output
  QString failure_;
  QString failureOutput_;
};
