#pragma once
// Running a Windows link host under Wine: which Wine for which width, which prefix, and the
// environment that keeps Wine quiet (no debug output, no offer to install Mono or Gecko, no
// menu entries or file associations in the user's desktop, no crash dialog: the host sets
// that in the prefix itself).

#include <QString>
#include <QStringList>

#include "link/hostprocess.h"

// Whether the Windows link hosts run under Wine. On Windows they run as they are, the serial
// ports are the machine's own, and nothing of Wine is asked.
#ifdef _WIN32
constexpr bool kHostsRunUnderWine = false;
#else
constexpr bool kHostsRunUnderWine = true;
#endif

struct TWine {
  int Bits = 0;             // the width of the host it runs: 32 or 64
  QString Loader;           // the Wine that runs that host, when one was found
  bool Only64 = false;      // for a 32-bit host: the Wine found runs only 64-bit programs
  QString Prefix;           // WINEPREFIX, else the manager's own prefix
  bool PrefixMade = false;  // the prefix is set up: no one-time setup on the next start
  bool Found() const { return !Loader.isEmpty(); }
};

// Wine for a host of the width, as this process's environment names it: WINELOADER when
// set; else for the 64-bit host wine64 (Debian's /usr/lib/wine/wine64, else on the PATH),
// else wine; for the 32-bit host wine on the PATH.
TWine FindWine(int bits);
// The program that runs 32-bit Windows programs for the Wine of a 32-bit host: its loader,
// or Debian's 32-bit loader behind its /usr/bin/wine script; empty when none is known.
QString Wine32BitLoaderProgram(const TWine& wine);
// "kiv-linkhost-win32.exe", "kiv-linkhost-win64.exe".
QString WindowsHostName(int bits);
// The Windows link host, started by Wine with the settings above.
THostLaunch WineLaunch(const TWine& wine, const QString& windowsHost);
// "wine-8.0": the first line of `wine --version`; empty when Wine cannot run.
QString WineVersion(const TWine& wine);

// Why a Windows library of the width cannot run: Wine is missing, or runs only 64-bit
// programs, and what to install.
QString WineMissingText(const TWine& wine);
// What follows a 32-bit host that ended during its start under Wine: Wine ends a 32-bit
// program that way where it runs only 64-bit ones.
QString Wine32StartHint();
// How much longer than a host's start making or updating a prefix may take.
qint64 WinePrefixSetupMs();
// What the status line says while a new prefix is made.
QString WinePrefixSetupText(const TWine& wine);
