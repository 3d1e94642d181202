#include "transfer/ui/manyslotcommands.h"

#include <QWidget>

#include "catalogue/gridtext.h"
#include "catalogue/ui/windowcommand.h"
#include "common/messages.h"
#include "common/modal.h"
#include "common/ui/busycursor.h"
#include "transfer/ops/manyslots.h"

void DownloadSlotsCommand(TWindowCommand& command, const QList<TSectionAddress>& addresses) {
  const QString dir = Modal().FolderName(
      command.Owner, QStringLiteral("Download %1 slots into").arg(addresses.size()),
      TFolderUse::New);
  if (dir.isEmpty())
    return;
  TManyResult result;
  {
    const TBusyCursor busy;
    result = DownloadSlots(command.Port, addresses, dir, command.Interaction, command.Reporter);
  }
  ShowManySummary(command.Owner, result);
}

void ClearSlotsCommand(TWindowCommand& command, const QList<TSectionAddress>& addresses) {
  QStringList lines{
      QStringLiteral("Are you sure to clear these %1 sections?").arg(addresses.size())};
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
    result = ClearSlots(command.Port, command.Catalogue, addresses, command.Reporter);
  }
  ShowManySummary(command.Owner, result);
}

void ShowManySummary(QWidget* owner, const TManyResult& result) {
  // A link that did not open has been told about already.
  if (!result.LinkOpened)
    return;
  QStringList lines = result.Summary();
  const QString summary = lines.takeFirst();
  const bool whole =
      result.Count(TSlotWork::Failed) == 0 && result.Count(TSlotWork::NotReached) == 0;
  Modal().ShowMessageDetail(owner, summary, lines.join(QLatin1Char('\n')),
                            whole ? SuccessCaption() : ErrorCaption());
}
