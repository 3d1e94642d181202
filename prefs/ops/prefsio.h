#pragma once
// Reading and writing the preferences record in section 2-18.

#include <QByteArray>
#include <QStringList>

#include "transfer/ops/sectionio.h"

class TPhonePort;
class TReporter;
struct THistoryConfig;

// The record in a link of its own, as the phone returned it.
TBytesRead ReadPrefRecord(TPhonePort& port, TReporter& reporter);

struct TPrefWriteResult {
  enum TState {
    NoLink,    // the link did not open; the link told why
    CutShort,  // the phone does not hold all of it: the upload error was told
    Whole,     // "Uploaded!"
  };
  TState State = NoLink;
  QStringList NotKept;  // what the history could not keep of the change (TKeepingPort)
};

// Writes the record and checks that the phone holds all of it.
TPrefWriteResult WritePrefRecord(TPhonePort& port, const QByteArray& record,
                                 const THistoryConfig& history, TReporter& reporter);
