#pragma once
// The serial devices behind COM1..COM4 in a Wine prefix. A new prefix maps COM1 to
// /dev/ttyS0, which is seldom the cable. Wine opens \\.\COMn through the prefix's link
// dosdevices/comn, looked up at every opening; its mount manager makes those links from the
// HKLM\Software\Wine\Ports values when the prefix's wineserver starts. So both are written:
// the link for the hosts running now, the value for every later start. Nothing is ended.
// What was written last is kept in a small file in the prefix, so Wine is called only when
// the mapping changed, with the device Wine itself had linked to each port taken over, which
// the port gets back when it is no longer named.

#include <QList>
#include <QString>
#include <QStringList>

#include "link/serialdevice.h"
#include "link/winehost.h"
#include "link/winerun.h"

// The mapping last written into the prefix; empty when none was.
TSerialMap WrittenWinePorts(const TWine& wine);
// The commands that turn the written values into the wanted ones: a `wine reg add` for each
// port that is new or changed, a `wine reg delete` for each port no longer named. None when
// nothing changed.
QList<TWineCommand> WinePortCommands(const TWine& wine, const TSerialMap& wanted,
                                     const TSerialMap& written);
// Brings the prefix's mapping up to wanted, Wine's commands run under the watch; a failure
// (Cancel included) is a Device status (-2) saying what failed, and records nothing, so the
// next opening tries again.
TLinkStatus ApplyWinePorts(const TWine& wine, const TSerialMap& wanted, const TWineWatch& watch);
