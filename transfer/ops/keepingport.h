#pragma once
// The port a changing operation works through, so that what it replaces goes into the
// history first: before the first write or erase of a section holding something, the
// section is read whole and kept; when the link closes, what the change left is read back
// and recorded. One change may take several links (the convert erases, then writes): the
// section is kept once, and its record follows every link of the change.

#include <QHash>
#include <QSet>
#include <QStringList>

#include "link/phoneport.h"
#include "transfer/ops/historystore.h"

class TReporter;

class TKeepingPort final : public TPhonePort {
 public:
  // Keeps into history's store (nothing when it keeps none); change names the change as the
  // history records it (see ChangeLabelText). A port that keeps already is passed through as
  // it is, so a change is kept once however its work is nested.
  TKeepingPort(TPhonePort& port, const THistoryConfig& history, const QString& change,
               TReporter& reporter);

  bool Open() override;
  void Close() override;
  int GetSize(const TSectionAddress& address) override;
  int Read(const TSectionAddress& address, void* buffer, quint32 length) override;
  int Write(const TSectionAddress& address, const void* data, quint32 length) override;
  int Clear(const TSectionAddress& address) override;
  QString LinkLost() const override { return port_.LinkLost(); }

  // What the history could not keep of this change, each told on the status line as it
  // happened; complete once the last link of the change has closed. The change went on: it
  // cannot be taken back. The operation's outcome carries this on to the face.
  const QStringList& NotKept() const { return notKept_; }

 private:
  void KeepBefore(const TSectionAddress& address);
  void NotKeptBecause(const QString& problem);
  void RecordAfter();

  TPhonePort& port_;
  QString change_;
  TReporter& reporter_;
  THistoryStore store_;
  QHash<QString, QString> kept_;             // entry ids by address text
  QHash<QString, TSectionAddress> touched_;  // written or erased in this link
  QSet<QString> seen_;                       // looked at before its first change
  QStringList notKept_;
};
