#pragma once
// The serial devices behind COM1..COM4 in a Wine prefix. A new prefix maps COM1 to
// /dev/ttyS0, which is seldom the cable; the HKLM\Software\Wine\Ports values say which device
// each port is, and the prefix's wineserver reads them when it starts. What was written last
// is kept in a small file in the prefix, so Wine is called, and its wineserver restarted,
// only when the mapping changed.

#include <QList>
#include <QString>
#include <QStringList>

#include "link/serialdevice.h"
#include "link/winehost.h"

struct TWineCommand {
  QString Program;
  QStringList Arguments;
};

// The mapping last written into the prefix; empty when none was.
TSerialMap WrittenWinePorts(const TWine& wine);
// The commands that turn the written mapping into the wanted one: a `wine reg add` for each
// port that is new or changed, a `wine reg delete` for each port no longer named, and then
// `wineserver -k` (beside the Wine used, else on the PATH) so the next start reads them.
// None when nothing changed.
QList<TWineCommand> WinePortCommands(const TWine& wine, const TSerialMap& wanted,
                                     const TSerialMap& written);
// Brings the prefix's mapping up to wanted, with Wine's environment; empty when done,
// otherwise what failed. A failure records nothing, so the next start tries again.
QString ApplyWinePorts(const TWine& wine, const TSerialMap& wanted);
