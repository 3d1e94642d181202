#pragma once
// What kind of library a file is, told by its header and not by its name: a Linux shared
// object loads in this process (or the native link host), a 32-bit or 64-bit x86 Windows DLL
// runs in the Windows link host of its width under Wine, and anything else cannot be used.

#include <QByteArray>
#include <QString>

#include "common/platform.h"

enum class TLibraryKind {
  NotALibrary,     // no header of either kind, or a damaged one
  ElfShared,       // an ELF shared object
  ElfOther,        // an ELF program or object file, not a shared object
  WindowsDll,      // a PE DLL
  WindowsProgram,  // a PE that is not a DLL
};

struct TLibraryFile {
  TLibraryKind Kind = TLibraryKind::NotALibrary;
  int Bits = 0;         // 32 or 64, for ELF and PE
  quint16 Machine = 0;  // e_machine of ELF, the COFF machine of PE
};

// The width of the DLLs this program loads in its own process: on Windows those of its own
// width, the others in their link host; elsewhere none.
constexpr int kInProcessWindowsBits = kWindowsBuild ? int(sizeof(void*) * 8) : 0;

// The PE machines of the Windows libraries the link hosts can run.
constexpr quint16 kPeMachineI386 = 0x014c;
constexpr quint16 kPeMachineAmd64 = 0x8664;

// The kind told by the first bytes of a file; never reads past head.
TLibraryFile LibraryFileOf(const QByteArray& head);
// The kind of the file at path, reading only its head; unreadable: NotALibrary.
TLibraryFile InspectLibraryFile(const QString& path);

// The width of the Windows link host that can load the file: 32 for an i386 DLL, 64 for an
// x86-64 one; 0 for anything else.
int WindowsHostBits(const TLibraryFile& file);
// "Linux library (64-bit, x86-64)", "32-bit Windows library (i386)", "not a library".
QString LibraryFileText(const TLibraryFile& file);
// A Linux shared object, or an x86 Windows DLL of either width: the kinds the link runs.
bool IsUsableLibrary(const TLibraryFile& file);
// Why a file that is not usable cannot be the link library.
QString LibraryFileProblem(const TLibraryFile& file);
