#pragma once
// Reading and writing the preferences record in section 2-18.

#include <QByteArray>

class TPhonePort;
class TReporter;
struct THistoryConfig;

struct TPrefReadResult {
  bool Read = false;  // false: the link did not open or the read failed (the user was told)
  QByteArray Record;  // as the phone returned it
};

// The record in a link of its own.
TPrefReadResult ReadPrefRecord(TPhonePort& port, TReporter& reporter);

struct TPrefWriteResult {
  enum TState {
    NoLink,    // the link did not open; the link told why
    CutShort,  // the phone does not hold all of it: the upload error was told
    Whole,     // "Uploaded!"
  };
  TState State = NoLink;
};

// Writes the record and checks that the phone holds all of it.
TPrefWriteResult WritePrefRecord(TPhonePort& port, const QByteArray& record,
                                 const THistoryConfig& history, TReporter& reporter);
