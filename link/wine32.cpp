#include "link/wine32.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

#include "common/texts.h"

namespace {

// An ELF program's header as far as its class and machine.
constexpr int kElfHeaderRead = 20;
constexpr char kElfClass32 = 1;
constexpr char kMachineI386 = 3;

bool IsElf32(const QString& program) {
  QFile file(program);
  if (!file.open(QIODevice::ReadOnly))
    return false;
  const QByteArray header = file.read(kElfHeaderRead);
  return header.size() == kElfHeaderRead &&
         header.startsWith(
             "\x7f"
             "ELF") &&
         header[4] == kElfClass32 && header[18] == kMachineI386 && header[19] == 0;
}

}  // namespace

bool PrefixRuns32Bit(const TWine& wine) {
  return QFileInfo::exists(wine.Prefix + QStringLiteral("/drive_c/windows/syswow64/kernel32.dll"));
}

bool KernelRuns32Bit(const TWine& wine, const TWineWatch& watch) {
  const QString loader = Wine32BitLoaderProgram(wine);
  if (!IsElf32(loader))
    return true;
  // The kernel refuses the program itself: "Exec format error" without IA-32 emulation,
  // "Input/output error" where it was switched off at boot.
  const TWineRun run =
      RunWineCommand(wine, TWineCommand{loader, {QStringLiteral("--version")}, 0}, watch);
  return run.StartError != ENOEXEC && run.StartError != EIO;
}

QString Kernel32BitText() {
  return TLinkText::tr(
      "This system's kernel runs no 32-bit programs, so a 32-bit Windows library cannot run "
      "here even with wine32 installed: use a 64-bit library, or a kernel with 32-bit "
      "support (IA-32 emulation).");
}

QString Ready32BitPrefix(const TWine& wine, const TWineWatch& watch,
                         const std::function<void(const QString&)>& notice) {
  if (!wine.PrefixMade || PrefixRuns32Bit(wine))
    return {};
  if (!KernelRuns32Bit(wine, watch))
    return Kernel32BitText();
  if (notice) {
    //: %1 is the Wine prefix's folder
    notice(TLinkText::tr("Bringing the Wine prefix %1 up to date for 32-bit programs (once; "
                         "this may take half a minute)...")
               .arg(wine.Prefix));
  }
  const TWineRun run = RunWineCommand(
      wine,
      TWineCommand{
          wine.Loader, {QStringLiteral("wineboot"), QStringLiteral("-u")}, WinePrefixSetupMs()},
      watch);
  if (PrefixRuns32Bit(wine))
    return {};
  const QString why = run.Done ? TLinkText::tr("it still lacks Wine's 32-bit system") : run.Problem;
  //: %1 is the Wine prefix's folder, %2 why the update failed
  return TLinkText::tr(
             "The Wine prefix %1 was made before Wine could run 32-bit programs and could not be "
             "brought up to date (%2): run `WINEPREFIX=%1 wineboot -u`, or move the folder away "
             "so that it is made afresh.")
      .arg(wine.Prefix, why);
}
