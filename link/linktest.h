#pragma once
// "Test link", as both faces run it: opens the link on a port, asks the size of 2-18 (the
// preferences record, which every phone with the modification holds), closes the link and
// tells the outcome in words, with the manager's own GBP error texts. It never writes.
// kivnvm runs it through its phone port (`kivnvm link --test`), the window and Find phone
// on a library of their own.

#include <QString>

#include "link/linkstatus.h"

class TGBPLibrary;
class TPhonePort;

// What one try of the link gave, through any phone port.
struct TLinkTry {
  bool Opened = false;  // false: the port has told why, its own way
  int Size = 0;         // GetSize 2-18, once opened
};

// Opens the link, asks the size of 2-18 and closes it.
TLinkTry TryLink(TPhonePort& port);

struct TLinkTestOutcome {
  bool Worked = false;
  QString Text;    // the outcome, one line
  QString Detail;  // why, when the library or a device check says: empty otherwise
};

// The outcome of a link that opened on the port (1..4) and answered the size of 2-18.
TLinkTestOutcome OpenedLinkOutcome(int port, int size);

// What one try of a library gave, for the window and Find phone.
struct TLinkProbe {
  int Opened = 0;     // InitGBPMode's result, or -2 when it was not called
  int Size = 0;       // GetNVMFileSize 2-18, once opened
  TLinkStatus Ended;  // what ended the try: the opening's status, or the size's once opened
  // Why, in words: the device check or the library's reason before the link opened, the
  // host's last words after it failed; empty when nothing more is known.
  QString Detail() const;
};

// TryLink on the library; the device named for the port is checked first.
TLinkProbe ProbeLink(TGBPLibrary& library, int port);

// The window's Test link: ProbeLink, told in words.
TLinkTestOutcome TestLink(TGBPLibrary& library, int port);
