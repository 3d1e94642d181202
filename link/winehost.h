#pragma once
// Running the Windows link host under Wine: which Wine, which prefix, and the environment
// that keeps Wine quiet (no debug output, no offer to install Mono or Gecko, no crash
// dialog: the host sets that in the prefix itself).

#include <QString>
#include <QStringList>

#include "link/hostprocess.h"

struct TWine {
  QString Loader;           // WINELOADER, else wine on the PATH; empty: none found
  QString Prefix;           // WINEPREFIX, else the manager's own prefix
  bool PrefixMade = false;  // the prefix exists: no one-time setup on the next start
};

// Wine as this process's environment names it.
TWine FindWine();
// The Windows link host, started by Wine with the settings above.
THostLaunch WineLaunch(const TWine& wine, const QString& windowsHost);
// "wine-8.0": the first line of `wine --version`; empty when Wine cannot run.
QString WineVersion(const TWine& wine);

// Why a 32-bit Windows library cannot run: Wine is missing, and how to install it.
QString WineMissingText();
// What the status line says while a new prefix is made.
QString WinePrefixSetupText(const TWine& wine);
