#pragma once
// "Test link": opens the link on a port, asks the size of 2-18 (the preferences record,
// which every phone with the modification holds), closes the link and tells the outcome in
// words, with the manager's own GBP error texts. It never writes.

#include <QString>

class TGBPLibrary;

struct TLinkTestOutcome {
  bool Worked = false;
  QString Text;    // the outcome, one line
  QString Detail;  // why, when the library or a device check says: empty otherwise
};

TLinkTestOutcome TestLink(TGBPLibrary& library, int port);
