#include "transfer/transfersteps.h"

#include <QFile>
#include <QSaveFile>

#include "app/busycursor.h"
#include "app/mainwindow.h"
#include "common/errors.h"
#include "common/modal.h"
#include "link/nvmsection.h"
#include "transfer/limits.h"

TUploadFile ReadUploadFile(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    throw EFOpenError(fileName);
  // One byte more than the buffer holds tells whether the file is too long.
  QByteArray data = file.read(UploadBufferSize + 1);
  if (file.error() != QFileDevice::NoError)
    throw EFOpenError(fileName);
  TUploadFile upload;
  upload.TooLong = data.size() > UploadBufferSize;
  data.truncate(UploadBufferSize);
  upload.Data = data;
  return upload;
}

void SaveWholeFile(const QString& fileName, const QByteArray& bytes) {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly))
    throw EFCreateError(fileName);
  if (file.write(bytes) != bytes.size() || !file.commit())
    throw EFCreateError(fileName);
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
