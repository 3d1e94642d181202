#pragma once
// Where the phone-link library and the link hosts are found: beside the program first, then
// the system's search (the library only), then the installed private folder.

#include <QString>
#include <QStringList>

// The names QLibrary is given, first to last; "gbp" alone without an application object.
QStringList LibrarySearchOrder();
// A link host (kiv-linkhost, kiv-linkhost-win32.exe): beside the executable, else in the
// installed private folder.
QString HostProgramFile(const QString& name);
// The files a link host loads as they are ("dir/gbp" is "dir/libgbp.so"): the chosen one,
// else the search order's.
QStringList HostLibraryCandidates(const QString& chosen);
