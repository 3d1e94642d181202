// The context menu's items over several selected rows, after "Details...": they show only
// while more than one row is selected, and the specified items keep acting on the current
// row meanwhile.

#include <QAction>
#include <QMenu>

#include "app/mainwindow.h"
#include "catalogue/ui/windowcommand.h"
#include "transfer/ui/manyslotcommands.h"
#include "ui_mainwindow.h"

QList<int> TForm1::SelectedRows() const {
  return ui->DrawGrid1->SelectedRows();
}

QList<TSectionAddress> TForm1::SelectedSlotAddresses() const {
  QList<TSectionAddress> addresses;
  for (int row : SelectedRows())
    addresses << SlotAddress(row, CurrentSlotRanges());
  return addresses;
}

void TForm1::AddManySlotItems() {
  const auto add = [this](const char* name, void (TForm1::*handler)()) {
    auto* action = new QAction(this);
    action->setObjectName(QLatin1String(name));
    action->setVisible(false);
    PopupMenu1->addAction(action);
    connect(action, &QAction::triggered, this,
            [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
    return action;
  };
  DownloadSlotsAction = add("DownloadSlotsAction", &TForm1::DownloadSlotsActionExecute);
  ClearSlotsAction = add("ClearSlotsAction", &TForm1::ClearSlotsActionExecute);
  connect(PopupMenu1, &QMenu::aboutToShow, this, [this] {
    const int count = int(SelectedRows().size());
    DownloadSlotsAction->setText(QStringLiteral("Download %1 slots...").arg(count));
    ClearSlotsAction->setText(QStringLiteral("Clear %1 slots...").arg(count));
    for (QAction* action : {DownloadSlotsAction, ClearSlotsAction}) {
      action->setVisible(count > 1);
      action->setEnabled(count > 1);
    }
  });
}

void TForm1::DownloadSlotsActionExecute() {
  const QList<TSectionAddress> addresses = SelectedSlotAddresses();
  if (addresses.size() < 2)
    return;
  TWindowCommand command = CurrentSlotCommand();
  DownloadSlotsCommand(command, addresses);
}

void TForm1::ClearSlotsActionExecute() {
  const QList<TSectionAddress> addresses = SelectedSlotAddresses();
  if (addresses.size() < 2)
    return;
  TWindowCommand command = CurrentSlotCommand();
  ClearSlotsCommand(command, addresses);
}
