#pragma once
// Reading, writing and clearing one section, as every command that moves bytes does it.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "catalogue/ops/refreshslots.h"

class TPhonePort;
class TReporter;
struct THistoryConfig;

// What a read of at most a capacity of bytes, in a link of its own, brought.
struct TBytesRead {
  enum TState {
    NoLink,      // the link did not open; the link told why
    ReadFailed,  // the phone refused the read, or claimed more bytes than can be there
    Read,        // Bytes is what the phone gave
  };
  TState State = NoLink;
  QByteArray Bytes;
  QString Problem;  // why a read failed, as the user was told
  bool Ok() const { return State == Read; }
};

// At most capacity bytes of the section, in a link of its own, as the download, the GIF
// preview and the preferences read them. A failed read is told as an error.
TBytesRead ReadSectionBytes(TPhonePort& port, const TSectionAddress& address, int capacity,
                            TReporter& reporter);

// A whole section within the caller's link: its size first, then one read that must bring
// exactly that many bytes, both judged by JudgeAnswer.
struct TSectionRead {
  enum TState {
    Held,        // Bytes is the whole section
    Empty,       // size 0 or "no such section": certainly nothing there
    Unknown,     // the phone answered -5: the grid shows it empty, but nothing is known
    SizeFailed,  // the size query failed
    ReadFailed,  // the read failed or brought another number of bytes
    TooBig,      // more than the capacity
  };
  TState State = SizeFailed;
  int Size = 0;   // the phone's answer to the size query
  int Count = 0;  // bytes the read brought
  QByteArray Bytes;
  bool HoldsNothing() const { return State == Empty || State == Unknown; }
  // The answers leave what the section holds in doubt: it may hold data.
  bool Doubtful() const { return State == Unknown || State == SizeFailed || State == ReadFailed; }
};
TSectionRead ReadWholeSection(TPhonePort& port, const TSectionAddress& address, int capacity);
// The same after the size was asked already.
TSectionRead ReadSectionOfSize(TPhonePort& port, const TSectionAddress& address, int size,
                               int capacity);
// Why a whole read failed, in the user's words ("Error reading section 18-9: ...").
QString WholeReadProblem(const TSectionRead& read, const TSectionAddress& address);

// How a write is judged: by the size the phone then reports, or also by reading it back.
enum class TWriteCheck { BySize, ByReadBack };

struct TWriteOutcome {
  bool LinkOpened = false;
  int WriteResult = 0;     // what the phone answered to the write
  TRefreshResult Refresh;  // the refresh of the row that followed it
  bool Whole = false;      // the phone holds exactly the bytes written
  QString Problem;         // why not, in the user's words; empty when Whole
};

// Writes the bytes and refreshes the section's row within the caller's link, then judges.
TWriteOutcome WriteAndJudgeInLink(TPhonePort& port, TCatalogue& catalogue,
                                  const TSectionAddress& target, const QByteArray& bytes,
                                  TWriteCheck check, TReporter& reporter);
// The same in a link of its own, closed before the caller shows the outcome.
TWriteOutcome WriteAndJudge(TPhonePort& port, TCatalogue& catalogue, const TSectionAddress& target,
                            const QByteArray& bytes, TWriteCheck check, TReporter& reporter);

// The outcome of an upload: "Section uploaded sucsessfully!" and "Uploaded!", or the
// error text and "Upload error!".
void ReportUpload(TReporter& reporter, bool written, const QString& errorText);

struct TClearOutcome {
  bool LinkOpened = false;
  int ClearResult = 0;     // what the phone answered to the erase
  TRefreshResult Refresh;  // the refresh that followed it
  QStringList NotKept;     // what the history could not keep of the change (TKeepingPort)
  // The phone answered the erase and then certainly holds nothing there.
  bool Cleared() const;
};

// Erases the section and refreshes its row, in a link of its own: "Erasing section...",
// then "Erased!" whatever the phone answered, as the grid then shows it.
TClearOutcome ClearSection(TPhonePort& port, TCatalogue& catalogue, const TSectionAddress& target,
                           const THistoryConfig& history, TReporter& reporter);
// The erase and its check within the caller's link, without touching any row.
TClearOutcome ClearInLink(TPhonePort& port, const TSectionAddress& target);
// What a clear that did not take tells the user ("Section 18-9 was not erased: ...").
QString ClearProblem(const TSectionAddress& address, const TClearOutcome& outcome);
