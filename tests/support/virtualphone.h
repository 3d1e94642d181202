#pragma once
// The virtual phone (libgbp.so) in a temporary store, for tests: sets GBP_PHONE_DIR and
// GBP_JOURNAL for its lifetime, puts and reads sections as files, and reads the journal.
//
// Journal lines, one per call: "InitGBPMode(1) = 0", "EndGBPMode() = 0",
// "GetNVMFileSize(18,9) = -153", "ReadNVMFile(18,9,128) = 100",
// "WriteNVMFile(18,9,3000) = 0", "ClearNVMFile(18,9) = 0".

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class TVirtualPhone {
 public:
  TVirtualPhone();  // a phone on COM1, no faults, default capacity, no delay
  ~TVirtualPhone();
  TVirtualPhone(const TVirtualPhone&) = delete;
  TVirtualPhone& operator=(const TVirtualPhone&) = delete;

  QString StoreDir() const;
  QString PortDir(int port = 1) const;
  void AddPort(int port);
  void RemovePort(int port);

  void Put(int section, int subsection, const QByteArray& bytes, int port = 1);
  QByteArray Get(int section, int subsection, int port = 1) const;
  bool Holds(int section, int subsection, int port = 1) const;
  void Remove(int section, int subsection, int port = 1);

  // GBP_FAULTS, read by the phone at every InitGBPMode; empty clears them.
  void SetFaults(const QString& faults);
  void SetCapacity(qint64 bytes);

  QStringList Journal() const;
  void ClearJournal();
  // Journal lines that begin with the function's name.
  int Calls(const QString& function) const;

  // The path of the virtual phone the test programs use: libgbp.so beside them, on Windows
  // gbp.dll in their virtual-phone folder.
  static QString LibraryPath();

 private:
  QTemporaryDir dir_;
  QString journal_;
};
