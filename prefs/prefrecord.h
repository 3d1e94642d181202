#pragma once
// The modification's preferences record: 12 bytes in section 2-18.
//   0..3  "Kiv2" (written, never checked)     4  menu show mode: 3, 7 or 255
//   5     0                                   6  UFIF2 library subsection
//   7     UFIF2 library section, 0: not set   8  autorun subsection, 0: autorun disabled
//   9     autorun section                     10..11  reserved
// Address bytes hold the low 8 bits of the number typed and read back as signed bytes.

#include <QByteArray>
#include <QString>
#include <optional>

#include "catalogue/slotmap.h"

constexpr int PrefRecordSize = 12;

// The items of the menu show mode choice: "Only programs", "Progs and data", "Show all".
std::optional<int> MenuIndexOfMode(quint8 mode);
quint8 MenuModeOfIndex(int index);

// What a record read from the phone tells the preferences dialog.
struct TPrefReading {
  std::optional<int> MenuIndex;  // none for a mode the dialog does not know
  int LibrarySection = DefaultLibrarySection;
  int LibrarySubSection = DefaultLibrarySubSection;
  bool AutorunEnabled = false;
  int AutorunSection = 0;  // the autorun address means something only when enabled
  int AutorunSubSection = 0;
};

// bytes: what the read returned. Bytes beyond it count as zero, and autorun needs a whole
// record.
TPrefReading DecodePrefRecord(const QByteArray& bytes);

// What the preferences dialog holds when the record is written.
struct TPrefEntries {
  std::optional<int> MenuIndex;  // none when no item is selected
  QString LibrarySection;
  QString LibrarySubSection;
  bool AutorunEnabled = false;
  QString AutorunSection;  // not read when autorun is disabled
  QString AutorunSubSection;
};

// The record to write. The texts are converted in the order library section, library
// subsection, autorun section, autorun subsection; the first that does not convert throws
// EConvertError. lastRead is what the last read of the record found (empty when nothing was
// read): with no menu item selected its mode is written back, else 255 ("Show all"), and its
// reserved bytes are kept, else 0.
QByteArray EncodePrefRecord(const TPrefEntries& entries, const QByteArray& lastRead);
