#pragma once
// Which phone-link library is used and how it runs: the [Link] section of the settings file
// (Library=, Isolate=, Timeout=, COM1= ... COM4=), which both faces read; kivnvm's options
// win over it.

#include <QString>

class QSettings;

#include "link/serialdevice.h"

struct TLinkChoice {
  QString Library;             // a library file; empty: the loader's search order
  bool Isolate = false;        // run a native library in the link host as well
  double TimeoutFactor = 1.0;  // scales every deadline of the link host
  QString HostProgram;         // the link host; empty: found as the library is found
  TSerialMap Serial;           // the device behind a COM port; none: the library's own choice
  // Why no library may be loaded at all: the settings that would have chosen one could not
  // be read. The link then refuses every command with this reason, and nothing is searched
  // for, so no other library (the demo phone) answers in place of the chosen one.
  QString Refusal;
};

// A library file, in this process or isolated, with the defaults for the rest.
inline TLinkChoice LibraryChoice(const QString& library, bool isolate = false) {
  TLinkChoice choice;
  choice.Library = library;
  choice.Isolate = isolate;
  return choice;
}

// The [Link] section of a settings file that was read (ReadSettings, settings/settingsfile).
// A missing section gives the defaults; a Timeout= that is no positive number gives 1.
TLinkChoice LinkChoiceOf(const QSettings& file);

// A timeout factor as typed: a positive number, "0.5", "2"; 0 when the text is none.
double ParseTimeoutFactor(const QString& text);

// Writes choice into the [Link] section of the settings file at path, keeping the rest of the
// file; a COM port without a device loses its key. Throws EIniFileException when the file
// cannot be written, or cannot be read (OpenIniFile), which it then leaves as it is.
void WriteLinkSettings(const QString& settingsPath, const TLinkChoice& choice);
