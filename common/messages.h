#pragma once
// The user's texts that more than one command shows, in the window and in kivnvm alike.

#include <QString>

#include "common/texts.h"

struct TSectionAddress;

// The user's wording for a phone-link failure code: "GBP Error: Port already opened!" ...,
// "GBP Error: Unknown error #3!" for codes without a text of their own.
QString GBPErrorMessage(int code, TWording wording = TWording::Shown);
// Shown when the phone-link library cannot be loaded or lacks a required export.
QString UnableToOpenGBPText();

// "demo phone": what the window, its Phone link dialog and a backup call the library that
// is the virtual phone this program ships, so it never passes for the user's phone.
QString DemoPhoneText();

// Captions of the message boxes.
QString ErrorCaption();    // "ERROR"
QString SuccessCaption();  // "OK!"

QString SizeErrorText(const TSectionAddress& address);  // "Error getting section 18-9 size"
QString ReadErrorText(const TSectionAddress& address);  // "Error reading section 18-9"
// Where work over many sections stopped: "The link was lost at section 18-11 (why)".
QString LinkLostText(const TSectionAddress& address, const QString& reason);
QString FileTooBigText();     // "Can't uplod - file too big!"
QString LibraryTooBigText();  // "Can't uplod - library file too big!"
QString UploadedText();       // "Section uploaded sucsessfully!"
// A write the phone does not hold whole afterwards.
QString UploadErrorText();
