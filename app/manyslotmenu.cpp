#include "app/manyslotmenu.h"

#include <QAction>
#include <QMenu>

#include "app/slotwindow.h"
#include "app/windowdialogs.h"
#include "common/modal.h"
#include "transfer/ui/manyslotcommands.h"

namespace {

// The sections of the rows, in their order.
QList<TSectionAddress> RowAddresses(const QList<int>& rows, const TSlotRanges& ranges) {
  QList<TSectionAddress> addresses;
  for (int row : rows)
    addresses << SlotAddress(row, ranges);
  return addresses;
}

}  // namespace

TManySlotMenu::TManySlotMenu(TSlotWindow& window, const TWindowDialogs& dialogs, QMenu& menu)
    : window_(window), dialogs_(dialogs) {
  AddUploadFiles(menu);
  AddSelectionItems(menu);
}

// Enabled on every slot row: empty slots are where the files go first.
void TManySlotMenu::AddUploadFiles(QMenu& menu) {
  uploadFiles_ = new QAction(tr("Upload files..."), &menu);
  uploadFiles_->setObjectName(QStringLiteral("UploadFilesAction"));
  menu.addAction(uploadFiles_);
  QObject::connect(&menu, &QMenu::aboutToShow, uploadFiles_,
                   [this] { uploadFiles_->setEnabled(window_.CurrentRow() >= 1); });
  QObject::connect(uploadFiles_, &QAction::triggered, uploadFiles_,
                   [this] { window_.RunCommand([this] { UploadFilesActionExecute(); }); });
}

void TManySlotMenu::UploadFilesActionExecute() {
  const int row = window_.CurrentRow();
  if (row < 1)
    return;
  const TWindowCommand command = window_.CurrentSlotCommand();
  //: The title of the file dialog; %1 is the first slot the files go to, as 18-9.
  const QStringList fileNames =
      Modal().OpenFiles(command.Owner, tr("Upload files from %1 on").arg(command.Slot.Text()));
  if (!fileNames.isEmpty())
    UploadFilesFrom(fileNames, row);
}

void TManySlotMenu::UploadFilesFrom(const QStringList& fileNames, int row) {
  TWindowCommand command = window_.CurrentSlotCommand();
  UploadFilesCommand(command, *dialogs_.UploadPlan, fileNames, row);
}

void TManySlotMenu::AddSelectionItems(QMenu& menu) {
  const auto add = [this, &menu](const char* name, void (TManySlotMenu::*handler)()) {
    auto* action = new QAction(&menu);
    action->setObjectName(QLatin1String(name));
    action->setVisible(false);
    menu.addAction(action);
    QObject::connect(action, &QAction::triggered, action, [this, handler] {
      window_.RunCommand([this, handler] { (this->*handler)(); });
    });
    return action;
  };
  downloadSlots_ = add("DownloadSlotsAction", &TManySlotMenu::DownloadSlotsActionExecute);
  clearSlots_ = add("ClearSlotsAction", &TManySlotMenu::ClearSlotsActionExecute);
  QObject::connect(&menu, &QMenu::aboutToShow, downloadSlots_, [this] {
    const int count = int(window_.SelectedRows().size());
    downloadSlots_->setText(tr("Download %n slots...", nullptr, count));
    clearSlots_->setText(tr("Clear %n slots...", nullptr, count));
    for (QAction* action : {downloadSlots_, clearSlots_}) {
      action->setVisible(count > 1);
      action->setEnabled(count > 1);
    }
  });
}

void TManySlotMenu::DownloadSlotsActionExecute() {
  TWindowCommand command = window_.CurrentSlotCommand();
  const QList<TSectionAddress> addresses =
      RowAddresses(window_.SelectedRows(), command.Catalogue.Ranges);
  if (addresses.size() < 2)
    return;
  DownloadSlotsCommand(command, addresses);
}

void TManySlotMenu::ClearSlotsActionExecute() {
  TWindowCommand command = window_.CurrentSlotCommand();
  const QList<TSectionAddress> addresses =
      RowAddresses(window_.SelectedRows(), command.Catalogue.Ranges);
  if (addresses.size() < 2)
    return;
  ClearSlotsCommand(command, addresses);
}
