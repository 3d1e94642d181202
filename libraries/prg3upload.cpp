#include <QFile>

#include "app/mainwindow.h"
#include "common/errors.h"
#include "common/modal.h"
#include "libraries/librarywrite.h"
#include "libraries/prg3text.h"
#include "transfer/transfersteps.h"

namespace {

QStringList ReadTextLines(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    throw EFOpenError(fileName);
  const QByteArray text = file.readAll();
  if (file.error() != QFileDevice::NoError)
    throw EFOpenError(fileName);
  return SplitTextLines(text);
}

}  // namespace

void TForm1::Button6Click() {
  UploadPRG3Library(PRG3LibrarySection, PRG3LibrarySubSection);
}

void TForm1::UploadPRG3Library(int section, int subsection) {
  const QString fileName = Modal().OpenFileName(this);
  if (fileName.isEmpty())
    return;
  SetStatusText(QStringLiteral("Uploading data..."));
  const TPRG3Image library = PRG3ImageFromLines(ReadTextLines(fileName));
  if (library.TooBig) {
    ShowError(*this, LibraryTooBigText);
    return;
  }
  WriteLibraryImage(*this, section, subsection, library.Image);
}
