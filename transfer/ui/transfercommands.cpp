#include "transfer/ui/transfercommands.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>
#include <QWidget>

#include "catalogue/ui/windowcommand.h"
#include "common/fileio.h"
#include "common/modal.h"
#include "common/operationio.h"
#include "common/texts.h"
#include "common/ui/busycursor.h"
#include "common/ui/pictureview.h"
#include "transfer/limits.h"
#include "transfer/manyslots.h"
#include "transfer/ops/upload.h"

namespace {

// At most capacity bytes of the current slot, read while the hourglass shows.
TBytesRead ReadCurrentSlot(TWindowCommand& command, int capacity) {
  const TBusyCursor busy;
  return ReadSectionBytes(command.Port, command.Slot, capacity, command.Reporter);
}

}  // namespace

void UploadCommand(TWindowCommand& command, bool compressed, const QString& givenFile) {
  const QString title = (compressed ? TTransferText::tr("Upload LZO-compressed into %1")
                                    : TTransferText::tr("Upload into %1"))
                            .arg(command.Slot.Text());
  const QString fileName =
      givenFile.isEmpty() ? Modal().OpenFileName(command.Owner, title) : givenFile;
  if (fileName.isEmpty())
    return;
  command.Reporter.Status(TTransferText::tr("Uploading data..."));
  const TUploadRequest request{command.Slot, ReadUploadFile(fileName), compressed,
                               TWriteCheck::BySize, command.History};
  const TBusyCursor busy;
  Upload(command.Port, command.Catalogue, request, command.Interaction, command.Reporter);
}

void DownloadCommand(TWindowCommand& command) {
  command.Reporter.Status(TTransferText::tr("Downloading data..."));
  const TBytesRead read = ReadCurrentSlot(command, UploadBufferSize);
  if (!read.Ok())
    return;
  const QString fileName =
      Modal().SaveFileName(command.Owner, TTransferText::tr("Download %1").arg(command.Slot.Text()),
                           SlotFileName(command.Slot, read.Bytes));
  if (!fileName.isEmpty())
    SaveFile(fileName, read.Bytes);
  command.Reporter.Status(TTransferText::tr("Downloaded!"));
}

void PlayGIFCommand(TWindowCommand& command) {
  command.Reporter.Status(TTransferText::tr("Downloading data..."));
  const TBytesRead read = ReadCurrentSlot(command, SectionImageSize);
  if (!read.Ok())
    return;
  command.Reporter.Status(TTransferText::tr("Downloaded!"));
  const QString previewFile = QStringLiteral("temp.gif");
  SaveFile(previewFile, read.Bytes);
  // The desktop's GIF viewer shows it; when none opens it, the window does.
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(previewFile).absoluteFilePath())))
    ShowPictureDialog(command.Owner, read.Bytes,
                      TTransferText::tr("GIF in %1").arg(command.Slot.Text()));
}

void ClearCommand(TWindowCommand& command) {
  const TBusyCursor busy;
  ClearSection(command.Port, command.Catalogue, command.Slot, command.History, command.Reporter);
}
