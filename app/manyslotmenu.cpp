// The context menu's items over many slots, after "Details...": "Upload files..." on every
// slot row, and the items over several selected rows, which show only while more than one
// row is selected. The specified items keep acting on the current row meanwhile.

#include <QAction>
#include <QMenu>

#include "app/mainwindow.h"
#include "catalogue/ui/windowcommand.h"
#include "common/modal.h"
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

// Enabled on every slot row: empty slots are where the files go first.
void TForm1::AddUploadFiles() {
  UploadFilesAction = new QAction(tr("Upload files..."), this);
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
  //: The title of the file dialog; %1 is the first slot the files go to, as 18-9.
  const QStringList fileNames =
      Modal().OpenFiles(this, tr("Upload files from %1 on").arg(CurrentSlotAddress().Text()));
  if (!fileNames.isEmpty())
    UploadFilesFrom(fileNames, row);
}

void TForm1::UploadFilesFrom(const QStringList& fileNames, int row) {
  TWindowCommand command = CurrentSlotCommand();
  UploadFilesCommand(command, *dialogs_.UploadPlan, fileNames, row);
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
    DownloadSlotsAction->setText(tr("Download %n slots...", nullptr, count));
    ClearSlotsAction->setText(tr("Clear %n slots...", nullptr, count));
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
