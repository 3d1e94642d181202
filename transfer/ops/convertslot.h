#pragma once
// Converting a UFIF 2.0 program to UFIF 2.1, on its way to the phone or stored in a slot.

#include <QByteArray>

#include "transfer/ops/sectionio.h"

class TInteraction;

// Converts a program already marked UFIF 2.1 for the firmware the user gives, and shows
// the words the conversion could not judge.
void ConvertToUFIF21(QByteArray& image, TInteraction& interaction, TReporter& reporter);

struct TConvertResult {
  // The section as read; when it was not read whole (or holds nothing, or too much to
  // convert), nothing changed and Problem was told.
  TBytesRead Source;
  TWriteOutcome Write;  // the converted program's write, once the section was read
  QStringList NotKept;  // what the history could not keep of the change (TKeepingPort)
};

// The convert command: reads the section whole, converts it, keeps a copy in temp.prg,
// erases the section and writes the converted program back. A section that cannot be read
// whole, holds nothing or is too big to convert is left as it was, after telling the user.
TConvertResult ConvertSlot(TPhonePort& port, TCatalogue& catalogue, const TSectionAddress& target,
                           const THistoryConfig& history, TInteraction& interaction,
                           TReporter& reporter);

// Where the converted program is kept while its section is rewritten.
QString ConvertedCopyFile();
