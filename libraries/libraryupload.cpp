#include "app/forms.h"
#include "app/mainwindow.h"
#include "common/modal.h"
#include "common/strtoint.h"
#include "libraries/librarywrite.h"
#include "prefs/prefform.h"
#include "transfer/limits.h"
#include "transfer/transfersteps.h"
#include "ui_prefform.h"

// The library goes where the phone's own preferences say, so they are read afresh first.
void TForm1::Button5Click() {
  GetPrefActionExecute();
  const int subsection = StrToInt(PrefForm->ui->ssEdit->text());
  const int section = StrToInt(PrefForm->ui->sEdit->text());
  const QString question = QStringLiteral("Are you sure to upload library into section %1-%2?")
                               .arg(section)
                               .arg(subsection);
  if (Modal().Confirm(this, question))
    UploadLibraryFile(section, subsection);
}

// A library is never split across subsections, so it must fit one section.
void TForm1::UploadLibraryFile(int section, int subsection) {
  const QString fileName = Modal().OpenFileName(this);
  if (fileName.isEmpty())
    return;
  SetStatusText(QStringLiteral("Uploading data..."));
  const QByteArray library = ReadUploadFile(fileName).Data;
  if (library.size() > SectionImageSize) {
    ShowError(*this, LibraryTooBigText);
    return;
  }
  WriteLibraryImage(*this, section, subsection, library);
}
