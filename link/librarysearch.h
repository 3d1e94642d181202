#pragma once
// Where the phone-link library and the link hosts are found: beside the program first, then
// the system's search (the library only), then the installed private folder.

#include <QString>
#include <QStringList>

// The names QLibrary is given, first to last; "gbp" alone without an application object.
QStringList LibrarySearchOrder();
// The first library file there is of those the search can name before loading anything:
// libgbp.so beside the program, then gbp.dll beside it (the Windows habit), then libgbp.so
// in the folders of LD_LIBRARY_PATH. Empty when there is none; the system's own search and
// the private folder then decide as QLibrary loads.
QString FirstNamedLibraryFile();
// Where a link host (kiv-linkhost, kiv-linkhost-win64.exe) is looked for, first to last:
// beside the executable, then in the installed private folder.
QStringList HostProgramPlaces(const QString& name);
// The first of those places that holds the host, else the first place.
QString HostProgramFile(const QString& name);
// Why a host found in none of the places (one or two) cannot start: "The link host
// kiv-linkhost-win64.exe is missing: it was looked for in /opt/kiv/bin and
// /opt/kiv/lib/kiv-manager."
QString MissingHostText(const QStringList& places);
// The files a link host loads as they are ("dir/gbp" is "dir/libgbp.so"): the chosen one,
// else the search order's.
QStringList HostLibraryCandidates(const QString& chosen);
