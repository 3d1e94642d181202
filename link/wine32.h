#pragma once
// A 32-bit Windows library under Wine needs two things a 64-bit one does not: a kernel that
// runs 32-bit programs, and a prefix that holds Wine's 32-bit system (drive_c/windows/
// syswow64). A prefix made while Wine ran only 64-bit programs has that folder empty, and
// stays so after wine32 is installed: every 32-bit program then ends with "could not load
// kernel32.dll". Wine's own `wineboot -u` fills it once the 32-bit loader is there.

#include <QString>
#include <functional>

#include "link/winehost.h"
#include "link/winerun.h"

// Whether the prefix holds Wine's 32-bit system.
bool PrefixRuns32Bit(const TWine& wine);
// Whether this system's kernel runs the Wine's 32-bit loader; true when that is not known.
bool KernelRuns32Bit(const TWine& wine, const TWineWatch& watch);
// Why a 32-bit library cannot run on this system at all.
QString Kernel32BitText();

// Before a 32-bit host starts in a prefix made already: one without Wine's 32-bit system is
// brought up to date, which notice is told while it runs. Empty when the host may start, else
// why it cannot and what to do, in one sentence.
QString Ready32BitPrefix(const TWine& wine, const TWineWatch& watch,
                         const std::function<void(const QString&)>& notice);
