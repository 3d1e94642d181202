// Several files into the slots at once, from "Upload files..." or a drop of several files:
// a plan the user checks and edits first, one run over the slots with progress and Cancel,
// and one summary at its end.

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "app/mainwindow.h"
#include "app/windowface.h"
#include "common/messages.h"
#include "common/modal.h"
#include "common/ui/busycursor.h"
#include "link/nvmsection.h"
#include "transfer/ops/manyslots.h"
#include "transfer/ui/uploadplandialog.h"
#include "transfer/uploadfile.h"
#include "ufif/firmwares.h"

// After "Details...", enabled on every slot row: empty slots are where the files go first.
void TForm1::AddUploadFiles() {
  UploadFilesAction = new QAction(QStringLiteral("Upload files..."), this);
  UploadFilesAction->setObjectName(QStringLiteral("UploadFilesAction"));
  PopupMenu1->addAction(UploadFilesAction);
  connect(PopupMenu1, &QMenu::aboutToShow, this,
          [this] { UploadFilesAction->setEnabled(CurrentRow() >= 1); });
  connect(UploadFilesAction, &QAction::triggered, this,
          [this] { RunCommand([this] { UploadFilesActionExecute(); }); });
}

void TForm1::UploadFilesActionExecute() {
  const int row = CurrentRow();
  if (row < 1)
    return;
  const QStringList fileNames = Modal().OpenFiles(
      this, QStringLiteral("Upload files from %1 on").arg(CurrentSlotAddress().Text()));
  if (!fileNames.isEmpty())
    UploadFilesFrom(fileNames, row);
}

void TForm1::UploadFilesFrom(const QStringList& fileNames, int row) {
  // Every file is read before the plan is shown: one that cannot be read ends it unwritten.
  QList<TPlannedUpload> files;
  for (const QString& fileName : fileNames) {
    TPlannedUpload file;
    file.FileName = fileName;
    file.File = ReadUploadFile(fileName);
    files << file;
  }
  TCatalogue catalogue = Catalogue();
  QStringList overflow;
  TUploadPlanDialog* dialog = dialogs_.UploadPlan;
  dialog->SetPlan(PlanUploads(files, catalogue, row, overflow), catalogue, overflow);
  dialog->SetFirmwares(FirmwareTable(), face_->FirmwareText());
  if (Modal().ExecDialog(dialog) != mrOk)
    return;
  TUploadPlan plan = dialog->Plan();
  // Each write judged as the single upload judges it.
  plan.Check = TWriteCheck::BySize;
  SetStatusText(QStringLiteral("Uploading data..."));
  TManyResult result;
  {
    const TBusyCursor busy;
    result = RunUploadPlan(*NVM, catalogue, plan, *face_, *face_);
  }
  if (!result.LinkOpened)
    return;
  QStringList lines = result.Summary();
  for (const QString& name : overflow)
    lines << QStringLiteral("%1: no free slot left, not uploaded").arg(QFileInfo(name).fileName());
  const bool whole = result.Count(TSlotWork::Done) == result.Slots.size() && overflow.isEmpty();
  SetStatusText(whole ? QStringLiteral("Uploaded!") : lines.first());
  const QString caption = whole ? SuccessCaption() : ErrorCaption();
  if (lines.size() == 1)
    Modal().ShowMessage(this, lines.first(), caption);
  else
    Modal().ShowMessageDetail(this, lines.first(), lines.mid(1).join('\n'), caption);
}
