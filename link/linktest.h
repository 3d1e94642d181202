#pragma once
// "Test link": opens the link on a port, asks the size of 2-18 (the preferences record,
// which every phone with the modification holds), closes the link and tells the outcome in
// words, with the manager's own GBP error texts. It never writes.

#include <QString>

class TGBPLibrary;

// What one try of the link gave.
struct TLinkProbe {
  int Opened = 0;      // InitGBPMode's result, or -2 when it was not called
  int Size = 0;        // GetNVMFileSize 2-18, once opened
  QString Failure;     // the link host's failure; empty when it did not fail
  QString Detail;      // why: the device check, the library's reason, the host's last words
  bool Loaded = true;  // false: the library is not usable, Detail tells why
};

// Opens, asks the size of 2-18 and closes; the device named for the port is checked first.
TLinkProbe ProbeLink(TGBPLibrary& library, int port);

struct TLinkTestOutcome {
  bool Worked = false;
  QString Text;    // the outcome, one line
  QString Detail;  // why, when the library or a device check says: empty otherwise
};

TLinkTestOutcome TestLink(TGBPLibrary& library, int port);
