#include "transfer/transfersteps.h"

#include "app/busycursor.h"
#include "app/mainwindow.h"
#include "common/fileio.h"
#include "common/modal.h"
#include "link/nvmsection.h"
#include "transfer/limits.h"

TUploadFile ReadUploadFile(const QString& fileName) {
  const TBoundedBytes file = ReadBounded(fileName, UploadBufferSize);
  return {file.Bytes, file.More};
}

void SaveWholeFile(const QString& fileName, const QByteArray& bytes) {
  SaveFile(fileName, bytes);
}

void ShowError(TForm1& form, const QString& text) {
  Modal().ShowMessage(&form, text, QStringLiteral("ERROR"));
}

void ShowReadError(TForm1& form, const TSectionAddress& address) {
  ShowError(form, QStringLiteral("Error reading section ") + address.Text());
}

std::optional<int> WriteAndRefresh(TForm1& form, const TSectionAddress& target,
                                   const QByteArray& bytes) {
  const TBusyCursor busy;
  TNVMSection& nvm = *form.NVM;
  if (!nvm.InitGBP())
    return std::nullopt;
  nvm.SetSect(target.Section);
  nvm.SetSSect(target.SubSection);
  nvm.Write(bytes.constData(), quint32(bytes.size()));
  const int size = form.RefreshSection(target.Section, target.SubSection);
  nvm.EndGBP();
  form.RepaintGrid();
  return size;
}

void ReportUpload(TForm1& form, bool written, const QString& errorText) {
  if (written) {
    Modal().ShowMessage(&form, QStringLiteral("Section uploaded sucsessfully!"),
                        QStringLiteral("OK!"));
    form.SetStatusText(QStringLiteral("Uploaded!"));
  } else {
    ShowError(form, errorText);
    form.SetStatusText(QStringLiteral("Upload error!"));
  }
}

QString UploadErrorText() {
  return QStringLiteral(
      "Section uploaded with error or out of memory!\n"
      "Try to upload again or free some NVM memory");
}
