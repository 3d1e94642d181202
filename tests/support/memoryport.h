#pragma once
// A phone port in memory, for the operations' contract tests: sections in a map, and the
// same faults the virtual phone plays (a size or read code, a refused or truncated write).

#include <QByteArray>
#include <QMap>
#include <QStringList>
#include <functional>

#include "link/phoneport.h"

class TMemoryPort final : public TPhonePort {
 public:
  QMap<QString, QByteArray> Sections;  // by address text, "18-9"
  QMap<QString, int> SizeFaults;
  QMap<QString, int> ReadFaults;
  QMap<QString, int> WriteFaults;      // a code: nothing is stored
  QMap<QString, int> TruncatedWrites;  // bytes kept of a write
  int OpenResult = 0;
  QString LostAt;  // a section whose size query loses the link, as a pulled cable would
  // A section after whose read the phone is gone without a word: every size query then
  // answers "nothing there" (-153) and every read 0 bytes, as some libraries do.
  QString GoneAfter;
  QStringList Calls;              // "Open", "Close", "GetSize 18-9" ...
  std::function<void()> OnWrite;  // called as each write begins

  bool IsOpen() const { return open_; }

  bool Open() override;
  void Close() override;
  int GetSize(const TSectionAddress& address) override;
  int Read(const TSectionAddress& address, void* buffer, quint32 length) override;
  int Write(const TSectionAddress& address, const void* data, quint32 length) override;
  int Clear(const TSectionAddress& address) override;
  QString LinkLost() const override { return lost_; }

 private:
  bool open_ = false;
  bool gone_ = false;
  QString lost_;
};
