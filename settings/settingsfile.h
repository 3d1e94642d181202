#pragma once
// The manager's settings file: an INI file with the window placement, the serial port, the
// slot ranges, the firmware choice and whether the history is kept, beside the executable or
// in the user's configuration folder.

#include <QString>
#include <QVariant>

#include "catalogue/slotmap.h"
#include "link/linkchoice.h"
#include "transfer/history.h"

struct TManagerSettings {
  int Top = 20;
  int Left = 240;
  int Width = 330;
  int Height = 420;
  int COMPort = 0;  // 0 = COM1 ... 3 = COM4
  TSlotRanges Ranges;
  int UFIFFW = 0;  // position in the firmware table

  friend bool operator==(const TManagerSettings& a, const TManagerSettings& b);
};

constexpr int COMPortCount = 4;
// "COM1" for port 1.
QString PortName(int port);

// The settings file read once, as a checked value: every part's values, or why the file
// could not be read (Problem, naming the file and the reason), and then the defaults, no
// history and a link that refuses every command with that reason (TLinkChoice::Refusal).
// A file that is not there gives the defaults and no problem.
struct TSettingsRead {
  QString Path;
  bool Exists = false;  // a file stood there
  QString Problem;
  TManagerSettings Manager;
  // [Manager] Language=: "ru", "en", or empty for the system's language. Read at start only,
  // written only by the language menu, apart from the other keys.
  QString Language;
  // [History] Keep=: the history is kept in $XDG_DATA_HOME/kiv-manager/history unless Keep
  // is 0, false, no or off; then the folder is empty and nothing is kept.
  THistoryConfig History;
  TLinkChoice Link;  // [Link]
  bool Ok() const { return Problem.isEmpty(); }
};
TSettingsRead ReadSettings(const QString& path);

// Throws EIniFileException when the file cannot be written.
void WriteLanguageSetting(const QString& path, const QString& language);

// The executable's path with its extension replaced by ".INI".
QString SettingsPathFor(const QString& executablePath);

// Whether the executable stands in an installed tree: the private library folder that an
// installation puts beside its bin folder is there. An installed tree is shared and owned by
// the system, whoever runs the program.
bool IsInstalledLayout(const QString& executablePath);

// Where the settings file lives. An installed program keeps it in configFolder, even when
// run by root, who may write anywhere. Any other copy (a build folder, a folder of its own)
// keeps it at besidePath when its folder is writable, and otherwise in configFolder too: a
// file is saved through a new one beside it, so a file standing in a folder the user may not
// write could be read but never saved.
QString ChooseSettingsPath(const QString& besidePath, bool installed, bool folderWritable,
                           const QString& configFolder);

// The settings file of the executable at executablePath: ChooseSettingsPath with
// SettingsPathFor(executablePath), its layout, the folder's writability as this process
// finds it, and the program's configuration folder. A copy whose folder the user may not
// write starts from the file standing beside it: it is copied into the configuration folder
// when none is there yet. The manager and kivnvm both find the file here.
QString SettingsFileOf(const QString& executablePath);

// Names the program, its organisation and its version, so that its configuration folder (and
// Qt's own files, such as the file dialog's history) is its own and not a generic one. Call
// once the application exists.
void SetProgramNames();

// A stored value as an integer: decimal, or hexadecimal after "0x" or "$"; anything else,
// or a missing value, gives the default.
int SettingsInteger(const QVariant& value, int defaultValue);

// What TSettingsRead::Manager holds: missing or unreadable values give the defaults. Values
// the manager cannot use are bounded: each slot count to 0..99 and their total to 99, each
// range to what the options dialog's two-digit fields can show, subsections 0..99 (a first
// subsection outside gives its default, as does the first of an empty range starting at 0),
// a port or firmware choice out of range to the first entry.

// Writes all ten keys in decimal; throws EIniFileException when the file cannot be written,
// or cannot be read (OpenIniFile), which it then leaves as it is.
void WriteSettingsFile(const QString& path, const TManagerSettings& settings);

// The options dialog's four two-digit fields: first and last subsection of each range.
struct TSlotRangeFields {
  QString FirstBig;
  QString LastBig;
  QString FirstSmall;
  QString LastSmall;
};

// The fields of a set of ranges, two digits each ("09").
TSlotRangeFields FieldsForRanges(const TSlotRanges& ranges);

// The ranges the fields describe. Every field is checked before any value is taken: the
// first one that is not an integer throws EConvertError with its text.
TSlotRanges RangesFromFields(const TSlotRangeFields& fields);

// Why the slot table cannot take these ranges (a negative count, more than 99 slots in
// all), or an empty text when it can.
QString RangesProblem(const TSlotRanges& ranges);
