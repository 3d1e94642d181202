#include "app/forms.h"
#include "app/mainwindow.h"
#include "common/modal.h"
#include "common/strtoint.h"
#include "libraries/librarywrite.h"
#include "prefs/prefform.h"
#include "ui_prefform.h"

namespace {

// A library is never split across subsections, so it must fit one section.
constexpr qint64 UFIF2LibraryMaxSize = 21 * 1024;

}  // namespace

// The library goes where the phone's own preferences say, so they are read afresh first.
void TForm1::Button5Click() {
  GetPrefActionExecute();
  const int subsection = StrToInt(PrefForm->ui->ssEdit->text());
  const int section = StrToInt(PrefForm->ui->sEdit->text());
  const QString question = QStringLiteral("Are you sure to upload library into section %1-%2?")
                               .arg(section)
                               .arg(subsection);
  if (!Modal().Confirm(this, question))
    return;
  UploadLibraryFile(StrToInt(PrefForm->ui->sEdit->text()), StrToInt(PrefForm->ui->ssEdit->text()));
}

void TForm1::UploadLibraryFile(int section, int subsection) {
  const QString fileName = Modal().OpenFileName(this);
  if (fileName.isEmpty())
    return;
  SetStatusText(QStringLiteral("Uploading data..."));
  const QByteArray library = ReadFileHead(fileName, UFIF2LibraryMaxSize);
  if (library.size() > UFIF2LibraryMaxSize) {
    Modal().ShowMessage(this, LibraryTooBigText, QStringLiteral("ERROR"));
    return;
  }
  WriteLibraryImage(*this, section, subsection, library);
}
