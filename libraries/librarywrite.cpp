#include "libraries/librarywrite.h"

#include "app/busycursor.h"
#include "app/mainwindow.h"
#include "common/modal.h"
#include "link/nvmsection.h"
#include "transfer/transfersteps.h"

const QString LibraryTooBigText = QStringLiteral("Can't uplod - library file too big!");

void WriteLibraryImage(TForm1& form, int section, int subsection, const QByteArray& image) {
  {
    const TBusyCursor busy;
    if (!form.NVM->InitGBP())
      return;
    form.NVM->SetSect(section);
    form.NVM->SetSSect(subsection);
    form.NVM->Write(image.constData(), quint32(image.size()));
    form.VerifyWrite(section, subsection, int(image.size()));
    form.NVM->EndGBP();
  }
  form.SetStatusText(QStringLiteral("Uploaded!"));
}

int TForm1::VerifyWrite(int section, int subsection, int expectedSize) {
  SetStatusText(QStringLiteral("Checking data..."));
  if (!NVM->InitGBP())
    return -1;
  NVM->SetSect(section);
  NVM->SetSSect(subsection);
  const int size = NVM->GetSize();
  if (size != expectedSize) {
    ShowError(*this, UploadErrorText());
    return -1;
  }
  Modal().ShowMessage(this,
                      QStringLiteral("Section uploaded sucsessfully! Size: %1 bytes").arg(size),
                      QStringLiteral("OK!"));
  return size;
}
