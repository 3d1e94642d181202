#pragma once
// The two extension library uploads: the UFIF2 library file as it is, the PRG3 library
// from its text. Each goes whole into one section and is checked by the size the phone
// then reports.

#include <QByteArray>
#include <QString>
#include <QStringList>

class TPhonePort;
class TReporter;
struct THistoryConfig;
struct TSectionAddress;

struct TVerifyResult {
  enum TState {
    NoLink,     // the link did not open; the link told why
    WrongSize,  // the upload error was told
    Whole,      // "Section uploaded sucsessfully! Size: N bytes" was told
  };
  TState State = NoLink;
  int Size = 0;  // what the phone answered for the section's size, once the link opened
};

// The size check after a library write, within the caller's link: "Checking data...",
// then whether the section holds the expected size.
TVerifyResult VerifyWrite(TPhonePort& port, const TSectionAddress& address, int expectedSize,
                          TReporter& reporter);

struct TLibraryUploadResult {
  bool TooBig = false;   // the library does not fit one section: told, nothing was written
  TVerifyResult Verify;  // the write's size check
  QStringList NotKept;   // what the history could not keep of the change (TKeepingPort)
};

// Writes the image and verifies it; "Uploaded!" follows either way. Stops quietly when the
// link does not open.
TLibraryUploadResult WriteLibraryImage(TPhonePort& port, const TSectionAddress& address,
                                       const QByteArray& image, const THistoryConfig& history,
                                       TReporter& reporter);

// The library file, which must fit one section. Throws EFOpenError for a file it cannot read.
TLibraryUploadResult UploadLibraryFile(TPhonePort& port, const TSectionAddress& address,
                                       const QString& fileName, const THistoryConfig& history,
                                       TReporter& reporter);
// The PRG3 library's text, as an image of at most 512 words.
TLibraryUploadResult UploadPRG3Library(TPhonePort& port, const TSectionAddress& address,
                                       const QString& fileName, const THistoryConfig& history,
                                       TReporter& reporter);
