#include <QMenu>

#include "app/aboutbox.h"
#include "app/forms.h"
#include "app/mainwindow.h"
#include "app/menurules.h"
#include "common/modal.h"
#include "ui_mainwindow.h"

void TForm1::DrawGrid1MouseUp(Qt::MouseButton Button) {
  if (Button != Qt::RightButton || commandRunning_)
    return;
  QAction* const menuActions[] = {ui->RefreshAction,   ui->ClearAction,   ui->UploadAction,
                                  ui->UploadLZOAction, ui->PlayGIFAction, ui->DownloadAction,
                                  ui->ConvertAction};
  for (QAction* action : menuActions)
    action->setEnabled(false);
  // A grid without slot rows has no current slot to offer commands for.
  const int row = CurrentRow();
  if (row < 1)
    return;
  const TMenuState state = MenuStateFor(Slots.at(row));
  ui->RefreshAction->setEnabled(state.Refresh);
  ui->ClearAction->setEnabled(state.Clear);
  ui->UploadAction->setEnabled(state.Upload);
  ui->UploadLZOAction->setEnabled(state.UploadLZO);
  ui->PlayGIFAction->setEnabled(state.PlayGIF);
  ui->DownloadAction->setEnabled(state.Download);
  ui->ConvertAction->setEnabled(state.Convert);
  PopupMenu1->popup(ContextMenuPoint());
}

void TForm1::Button2Click() {
  Modal().ExecDialog(AboutBox);
}
