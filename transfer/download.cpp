// Reading a slot into a file, previewing a GIF slot and erasing a slot.

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>
#include <optional>

#include "app/busycursor.h"
#include "app/mainwindow.h"
#include "common/modal.h"
#include "link/nvmsection.h"
#include "transfer/limits.h"
#include "transfer/transfersteps.h"

namespace {

// Reads at most capacity bytes of the section behind the current row, with the link
// closed again before anything is shown. Nothing when the link or the read failed (the
// user has been told).
std::optional<QByteArray> ReadCurrentSlot(TForm1& form, int capacity) {
  const TSectionAddress source = form.CurrentSlotAddress();
  QByteArray buffer(capacity, '\0');
  int count = 0;
  {
    const TBusyCursor busy;
    TNVMSection& nvm = *form.NVM;
    if (!nvm.InitGBP())
      return std::nullopt;
    nvm.SetSect(source.Section);
    nvm.SetSSect(source.SubSection);
    count = nvm.Read(buffer.data(), quint32(buffer.size()));
    nvm.EndGBP();
  }
  if (count < 0) {
    ShowReadError(form, source);
    return std::nullopt;
  }
  buffer.truncate(count);
  return buffer;
}

}  // namespace

void TForm1::DownloadActionExecute() {
  SetStatusText(QStringLiteral("Downloading data..."));
  const std::optional<QByteArray> bytes = ReadCurrentSlot(*this, UploadBufferSize);
  if (!bytes)
    return;
  const QString fileName = Modal().SaveFileName(this);
  if (!fileName.isEmpty())
    SaveWholeFile(fileName, *bytes);
  SetStatusText(QStringLiteral("Downloaded!"));
}

void TForm1::PlayGIFActionExecute() {
  SetStatusText(QStringLiteral("Downloading data..."));
  const std::optional<QByteArray> bytes = ReadCurrentSlot(*this, SectionImageSize);
  if (!bytes)
    return;
  SetStatusText(QStringLiteral("Downloaded!"));
  const QString previewFile = QStringLiteral("temp.gif");
  SaveWholeFile(previewFile, *bytes);
  // The desktop's GIF viewer shows it; whether one could be started is not our concern.
  QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(previewFile).absoluteFilePath()));
}

void TForm1::ClearActionExecute() {
  SetStatusText(QStringLiteral("Erasing section..."));
  const TSectionAddress target = CurrentSlotAddress();
  const TBusyCursor busy;
  if (!NVM->InitGBP())
    return;
  NVM->SetSect(target.Section);
  NVM->SetSSect(target.SubSection);
  NVM->Clear();
  // The refresh shows what the section holds now; a failure there has its own message.
  RefreshSection(target.Section, target.SubSection);
  NVM->EndGBP();
  SetStatusText(QStringLiteral("Erased!"));
  RepaintGrid();
}
