#include "libraries/ui/librarycommands.h"

#include <QWidget>

#include "catalogue/slotmap.h"
#include "common/modal.h"
#include "common/strtoint.h"
#include "common/texts.h"
#include "common/ui/busycursor.h"
#include "libraries/ops/libraryupload.h"
#include "libraries/prg3text.h"
#include "prefs/ui/prefcommands.h"
#include "prefs/ui/prefform.h"

void UploadUFIF2LibraryCommand(QWidget* owner, TPhonePort& port, TPrefForm& prefs,
                               const THistoryConfig& history, TReporter& reporter) {
  GetPrefCommand(port, prefs, reporter);
  const TPrefEntries entries = prefs.Entries();
  const int subsection = StrToInt(entries.LibrarySubSection);
  const int section = StrToInt(entries.LibrarySection);
  const QString question = TLibrariesText::tr("Are you sure to upload library into section %1-%2?")
                               .arg(section)
                               .arg(subsection);
  if (!Modal().Confirm(owner, question))
    return;
  const QString fileName = Modal().OpenFileName(
      owner, TLibrariesText::tr("Upload library into %1-%2").arg(section).arg(subsection));
  if (fileName.isEmpty())
    return;
  const TBusyCursor busy;
  UploadLibraryFile(port, {section, subsection}, fileName, history, reporter);
}

void UploadPRG3LibraryCommand(QWidget* owner, TPhonePort& port, const THistoryConfig& history,
                              TReporter& reporter) {
  const TSectionAddress target{PRG3LibrarySection, PRG3LibrarySubSection};
  const QString fileName = Modal().OpenFileName(
      owner, TLibrariesText::tr("Upload PRG3 library into %1").arg(target.Text()));
  if (fileName.isEmpty())
    return;
  const TBusyCursor busy;
  UploadPRG3Library(port, target, fileName, history, reporter);
}
