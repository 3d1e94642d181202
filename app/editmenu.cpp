// The Edit menu: Undo names the newest change of the history that can be taken back, and
// History... lists them all, each one to take back.

#include <QAction>
#include <QMenu>

#include "app/mainwindow.h"
#include "app/windowface.h"
#include "common/errors.h"
#include "common/modal.h"
#include "link/nvmsection.h"
#include "transfer/ops/keepingport.h"
#include "transfer/ops/undo.h"
#include "transfer/ui/historydialog.h"
#include "transfer/ui/undocommand.h"
#include "ui_mainwindow.h"

void TForm1::AddEditMenu() {
  connect(ui->EditMenu, &QMenu::aboutToShow, this, &TForm1::UpdateUndoAction);
  connect(ui->UndoAction, &QAction::triggered, this,
          [this] { RunCommand([this] { UndoActionExecute(); }); });
  connect(ui->HistoryAction, &QAction::triggered, this,
          [this] { RunCommand([this] { HistoryActionExecute(); }); });
  UpdateUndoAction();
}

void TForm1::UpdateUndoAction() {
  // A command keeps it disabled; its end brings the text up to date.
  if (commandRunning_)
    return;
  undoId_.clear();
  QString text = tr("&Undo");
  const THistoryStore store(CurrentHistoryConfig());
  // Nothing to take back leaves the action disabled.
  if (const std::optional<THistoryEntry> last = store.Keeps() ? LastChange(store) : std::nullopt) {
    undoId_ = last->Id;
    //: %1 names the change to take back, as "put of 18-9".
    text = tr("&Undo %1").arg(ChangeName(*last));
  }
  ui->UndoAction->setText(text);
  ui->UndoAction->setEnabled(!undoId_.isEmpty());
}

void TForm1::TakeBackChange(const QString& id) {
  TCatalogue catalogue = Catalogue();
  UndoChangeCommand(*NVM, catalogue, THistoryStore(CurrentHistoryConfig()), id, *face_);
}

void TForm1::UndoActionExecute() {
  // What the text named when the user chose it, even if kivnvm has added a change since.
  if (!undoId_.isEmpty())
    TakeBackChange(undoId_);
}

void TForm1::HistoryActionExecute() {
  THistoryDialog* dialog = dialogs_.History;
  dialog->OnTakeBack = [this](const QString& id) {
    GuardCommand([this, &id] { TakeBackChange(id); });
  };
  dialog->ShowHistory(THistoryStore(CurrentHistoryConfig()), SettingsPath());
  Modal().ExecDialog(dialog);
}
