#include "transfer/ui/manyslotcommands.h"

#include <QFileInfo>
#include <QWidget>

#include "catalogue/gridtext.h"
#include "catalogue/ui/windowcommand.h"
#include "common/messages.h"
#include "common/modal.h"
#include "common/operationio.h"
#include "common/texts.h"
#include "common/ui/busycursor.h"
#include "transfer/ops/manyslots.h"
#include "transfer/ui/uploadplandialog.h"
#include "transfer/uploadfile.h"
#include "ufif/firmwares.h"

void DownloadSlotsCommand(TWindowCommand& command, const QList<TSectionAddress>& addresses) {
  const QString dir = Modal().FolderName(
      command.Owner, TTransferText::tr("Download %n slots into", nullptr, int(addresses.size())),
      TFolderUse::New);
  if (dir.isEmpty())
    return;
  TManyResult result;
  {
    const TBusyCursor busy;
    result = DownloadSlots(command.Port, addresses, dir, command.Interaction, command.Reporter);
  }
  ShowManySummary(command, result);
}

void ClearSlotsCommand(TWindowCommand& command, const QList<TSectionAddress>& addresses) {
  QStringList lines{TTransferText::tr("Are you sure to clear these %n sections?", nullptr,
                                      int(addresses.size()))};
  for (const TSectionAddress& address : addresses) {
    const int row = SlotRow(address.Section, address.SubSection, command.Catalogue.Ranges);
    const TSlotInfo holds = row > 0 ? command.Catalogue.Slots.at(row) : TSlotInfo();
    lines << QStringLiteral("%1: %2").arg(address.Text(), SlotDescription(holds));
  }
  if (!Modal().Confirm(command.Owner, lines.join(QLatin1Char('\n'))))
    return;
  TManyResult result;
  {
    const TBusyCursor busy;
    result =
        ClearSlots(command.Port, command.Catalogue, addresses, command.History, command.Reporter);
  }
  ShowManySummary(command, result);
}

void UploadFilesCommand(TWindowCommand& command, TUploadPlanDialog& dialog,
                        const QStringList& fileNames, int row) {
  QList<TPlannedUpload> files;
  for (const QString& fileName : fileNames) {
    TPlannedUpload file;
    file.FileName = fileName;
    file.File = ReadUploadFile(fileName);
    files << file;
  }
  QStringList overflow;
  dialog.SetPlan(PlanUploads(files, command.Catalogue, row, overflow), command.Catalogue, overflow);
  dialog.SetFirmwares(FirmwareTable(), command.Interaction.FirmwareText());
  if (Modal().ExecDialog(&dialog) != mrOk)
    return;
  TUploadPlan plan = dialog.Plan();
  // Each write judged as the single upload judges it.
  plan.Check = TWriteCheck::BySize;
  plan.History = command.History;
  command.Reporter.Status(TTransferText::tr("Uploading data..."));
  TManyResult result;
  {
    const TBusyCursor busy;
    result =
        RunUploadPlan(command.Port, command.Catalogue, plan, command.Interaction, command.Reporter);
  }
  QStringList notDone;
  for (const QString& name : overflow)
    notDone
        << TTransferText::tr("%1: no free slot left, not uploaded").arg(QFileInfo(name).fileName());
  ShowManySummary(command, result, notDone);
}

void ShowManySummary(TWindowCommand& command, const TManyResult& result,
                     const QStringList& notDone) {
  // A link that did not open has been told about already.
  if (!result.LinkOpened)
    return;
  QStringList lines = result.Summary() + notDone;
  const QString summary = lines.takeFirst();
  const bool whole = result.Count(TSlotWork::Failed) == 0 &&
                     result.Count(TSlotWork::NotReached) == 0 && notDone.isEmpty();
  command.Reporter.Status(summary);
  const QString caption = whole ? SuccessCaption() : ErrorCaption();
  if (lines.isEmpty())
    Modal().ShowMessage(command.Owner, summary, caption);
  else
    Modal().ShowMessageDetail(command.Owner, summary, lines.join(QLatin1Char('\n')), caption);
}
