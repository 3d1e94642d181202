#pragma once
// The phone link for one command: loaded and opened on construction, closed on
// destruction whatever happens in between.

#include <QByteArray>
#include <QString>

#include "catalogue/slotmap.h"
#include "link/gbplibrary.h"

// A whole section as read from the phone, or why it could not be read.
struct TSectionRead {
  bool Ok = false;
  QByteArray Bytes;  // empty for a section that holds nothing
  QString Error;     // "Error getting section 18-9 size", "Error reading section 18-9"
};

class TPhoneLink {
 public:
  // Throws TCommandFailed with "Unable to open GPB.DLL" or the port's error message, followed
  // by the port and where it came from: "(COM2, from --port)".
  TPhoneLink(int port, const QString& portOrigin);
  ~TPhoneLink();
  TPhoneLink(const TPhoneLink&) = delete;
  TPhoneLink& operator=(const TPhoneLink&) = delete;

  // GetNVMFileSize as the phone answers it.
  int Size(const TSectionAddress& address);
  // The size query, then (for a section that holds something) one read of up to 65,536
  // bytes, which must bring the whole size.
  TSectionRead ReadSection(const TSectionAddress& address);
  // Up to 128 bytes, for recognition; negative on failure.
  int ReadHead(const TSectionAddress& address, QByteArray& head);
  void Write(const TSectionAddress& address, const QByteArray& bytes);
  void Clear(const TSectionAddress& address);

 private:
  TGBPLibrary library_;
};

// The manager's messages for a failed size query or read.
QString SizeErrorText(const TSectionAddress& address);
QString ReadErrorText(const TSectionAddress& address);
