#pragma once
// Steps shared by the transfer and convert commands of the main window: file access with
// the framework's errors, the write-and-refresh of a section and the texts shown.

#include <QByteArray>
#include <QString>
#include <optional>

#include "catalogue/slotmap.h"

class TForm1;

// A file read for upload: at most the upload buffer's worth, and whether it held more.
struct TUploadFile {
  QByteArray Data;
  bool TooLong = false;
};

// Throws EFOpenError when the file cannot be opened or read.
TUploadFile ReadUploadFile(const QString& fileName);

// Makes these bytes the file's whole content (see SaveFile); throws EFCreateError.
void SaveWholeFile(const QString& fileName, const QByteArray& bytes);

// "Error reading section 18-9", captioned "ERROR".
void ShowReadError(TForm1& form, const TSectionAddress& address);
void ShowError(TForm1& form, const QString& text);

// Writes bytes into the section, refreshes its row while the link is open, closes the
// link and repaints the grid. The size the phone then reports, or nothing when the link
// could not be opened (its message has been shown).
std::optional<int> WriteAndRefresh(TForm1& form, const TSectionAddress& target,
                                   const QByteArray& bytes);

// The outcome of an upload: success only when the phone holds as many bytes as were sent.
void ReportUpload(TForm1& form, bool written, const QString& errorText);

// The upload-error text of the upload commands.
QString UploadErrorText();
