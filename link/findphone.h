#pragma once
// "Find phone": which serial device is the cable. For each device the link is tried on the
// chosen COM port with that device behind it in the Wine prefix: opened, the size of 2-18
// asked, closed; nothing is ever written. One device's try ends within the link's
// deadlines, Cancel ends the try under way and the search, and the prefix keeps the mapping
// of the choice afterwards. A Linux library picks its device itself, so only a Windows
// library under Wine can be tried device by device. On Windows the devices are the machine's
// COM ports, each tried as the port it is: the library reaches COM1 to COM4.

#include <QList>
#include <QString>
#include <atomic>
#include <functional>

#include "link/linkchoice.h"
#include "link/serialdevice.h"

enum class TFindResult {
  Answers,
  NoAnswer,
  MayNotOpen,
  Busy,
  Missing,
  OutOfReach,  // a machine's port the library cannot open (COM5 and above)
  Failed,
  Cancelled
};

struct TFoundDevice {
  TSerialDeviceInfo Device;
  TFindResult Result = TFindResult::Failed;
  QString Text;    // "answers (2-18 holds 12 bytes)", "no answer", "busy"...
  QString Detail;  // the message behind it, when there is more to say
};

// The search runs with a Windows library only: on Linux it tries each device behind the COM
// port as Wine maps it.
bool CanFindPhone(const TLinkChoice& choice);
// Why the search cannot run with a Linux library.
QString FindPhoneNeedsWindowsText();
// Why there is nothing to search: no device given and none present.
QString NoSerialDeviceText();

struct TFindOutcome {
  QList<TFoundDevice> Devices;  // in the order tried
  // Why the prefix could not get the choice's own mapping back; empty when it did.
  QString NotRestored;
};

// Tries each device in turn on port (a machine's own port on the port it is), calling found
// after each, until the end or until cancel is set. Runs where the link's calls run; found
// is called there too.
TFindOutcome FindPhone(const TLinkChoice& choice, int port, const QList<TSerialDeviceInfo>& devices,
                       const std::atomic<bool>& cancel,
                       const std::function<void(const TFoundDevice&)>& found);

// The first device that answered; none: an empty device.
TSerialDeviceInfo AnsweringDevice(const QList<TFoundDevice>& found);
// "/dev/ttyUSB0 (USB-Serial Controller): answers (2-18 holds 12 bytes)".
QString FoundText(const TFoundDevice& found);
