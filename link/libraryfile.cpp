#include "link/libraryfile.h"

#include <QFile>
#include <optional>

#include "common/texts.h"

namespace {

// Far enough for any real PE header, whose offset a DOS stub keeps small.
constexpr qint64 kHeadBytes = 64 * 1024;

constexpr quint16 kElfSharedObject = 3;  // ET_DYN
constexpr quint16 kPeDllFlag = 0x2000;   // IMAGE_FILE_DLL
constexpr quint16 kPe32Magic = 0x10b;
constexpr quint16 kPe64Magic = 0x20b;

// A little- or big-endian value at offset, or nothing when it lies past the bytes held.
std::optional<quint32> ReadValue(const QByteArray& bytes, qint64 offset, int size, bool bigEndian) {
  if (offset < 0 || offset + size > bytes.size())
    return std::nullopt;
  quint32 value = 0;
  for (int at = 0; at < size; ++at) {
    const quint32 byte = static_cast<quint8>(bytes[int(offset + (bigEndian ? at : size - 1 - at))]);
    value = (value << 8) | byte;
  }
  return value;
}

TLibraryFile ElfOf(const QByteArray& head) {
  TLibraryFile file;
  const char elfClass = head.size() > 4 ? head[4] : 0;
  const char data = head.size() > 5 ? head[5] : 0;
  if ((elfClass != 1 && elfClass != 2) || (data != 1 && data != 2))
    return file;
  const std::optional<quint32> type = ReadValue(head, 16, 2, data == 2);
  const std::optional<quint32> machine = ReadValue(head, 18, 2, data == 2);
  if (!type || !machine)
    return file;
  file.Kind = *type == kElfSharedObject ? TLibraryKind::ElfShared : TLibraryKind::ElfOther;
  file.Bits = elfClass == 1 ? 32 : 64;
  file.Machine = quint16(*machine);
  return file;
}

TLibraryFile PeOf(const QByteArray& head) {
  TLibraryFile file;
  const std::optional<quint32> header = ReadValue(head, 0x3c, 4, false);
  if (!header || head.mid(qint64(*header), 4) != QByteArray("PE\0\0", 4))
    return file;
  // The COFF header follows the signature; the optional header's magic tells 32 from 64 bits.
  const qint64 coff = qint64(*header) + 4;
  const std::optional<quint32> machine = ReadValue(head, coff, 2, false);
  const std::optional<quint32> flags = ReadValue(head, coff + 18, 2, false);
  const std::optional<quint32> magic = ReadValue(head, coff + 20, 2, false);
  if (!machine || !flags || !magic || (*magic != kPe32Magic && *magic != kPe64Magic))
    return file;
  file.Kind = *flags & kPeDllFlag ? TLibraryKind::WindowsDll : TLibraryKind::WindowsProgram;
  file.Bits = *magic == kPe32Magic ? 32 : 64;
  file.Machine = quint16(*machine);
  return file;
}

QString ElfMachineName(quint16 machine) {
  switch (machine) {
    case 3:
      return QStringLiteral("i386");
    case 40:
      return QStringLiteral("ARM");
    case 62:
      return QStringLiteral("x86-64");
    case 183:
      return QStringLiteral("AArch64");
    default:
      //: %1 is the number of a processor the file is made for, when it has no name
      return TLinkText::tr("machine %1").arg(machine);
  }
}

QString PeMachineName(quint16 machine) {
  switch (machine) {
    case kPeMachineI386:
      return QStringLiteral("i386");
    case kPeMachineAmd64:
      return QStringLiteral("x86-64");
    case 0x01c4:
      return QStringLiteral("ARM");
    case 0xaa64:
      return QStringLiteral("ARM64");
    default:
      return TLinkText::tr("machine %1")
          .arg(QStringLiteral("0x%1").arg(machine, 4, 16, QLatin1Char('0')));
  }
}

}  // namespace

TLibraryFile LibraryFileOf(const QByteArray& head) {
  if (head.startsWith("\x7f"
                      "ELF"))
    return ElfOf(head);
  if (head.startsWith("MZ"))
    return PeOf(head);
  return {};
}

TLibraryFile InspectLibraryFile(const QString& path) {
  QFile file(path);
  // Only regular files: a device or a pipe named as the library must not block the reader.
  if (!file.open(QIODevice::ReadOnly) || file.isSequential())
    return {};
  return LibraryFileOf(file.read(kHeadBytes));
}

int WindowsHostBits(const TLibraryFile& file) {
  if (file.Kind != TLibraryKind::WindowsDll)
    return 0;
  if (file.Bits == 32 && file.Machine == kPeMachineI386)
    return 32;
  return file.Bits == 64 && file.Machine == kPeMachineAmd64 ? 64 : 0;
}

QString LibraryFileText(const TLibraryFile& file) {
  switch (file.Kind) {
    case TLibraryKind::ElfShared:
      //: %1 is 32 or 64, %2 the processor: "x86-64"
      return TLinkText::tr("Linux library (%1-bit, %2)")
          .arg(file.Bits)
          .arg(ElfMachineName(file.Machine));
    case TLibraryKind::ElfOther:
      return TLinkText::tr("Linux program, not a library (%1-bit, %2)")
          .arg(file.Bits)
          .arg(ElfMachineName(file.Machine));
    case TLibraryKind::WindowsDll:
      return TLinkText::tr("%1-bit Windows library (%2)")
          .arg(file.Bits)
          .arg(PeMachineName(file.Machine));
    case TLibraryKind::WindowsProgram:
      return TLinkText::tr("Windows program, not a library (%1-bit, %2)")
          .arg(file.Bits)
          .arg(PeMachineName(file.Machine));
    case TLibraryKind::NotALibrary:
      break;
  }
  return TLinkText::tr("not a library");
}

bool IsUsableLibrary(const TLibraryFile& file) {
  return (file.Kind == TLibraryKind::ElfShared && !kWindowsBuild) ||
         (file.Kind == TLibraryKind::WindowsDll && WindowsHostBits(file) != 0);
}

QString LibraryFileProblem(const TLibraryFile& file) {
  switch (file.Kind) {
    case TLibraryKind::WindowsDll:
      return TLinkText::tr(
                 "a %1-bit Windows library for %2: the link runs x86 ones (i386 or "
                 "x86-64)")
          .arg(file.Bits)
          .arg(PeMachineName(file.Machine));
    case TLibraryKind::WindowsProgram:
      return TLinkText::tr("a Windows program, not a library");
    case TLibraryKind::ElfOther:
      return TLinkText::tr("a Linux program, not a library");
    case TLibraryKind::ElfShared:
      if (kWindowsBuild)
        return TLinkText::tr("a Linux library: on Windows the link runs Windows DLLs");
      break;
    case TLibraryKind::NotALibrary:
      break;
  }
  return TLinkText::tr("not a library: neither a Linux shared object nor a Windows DLL");
}
