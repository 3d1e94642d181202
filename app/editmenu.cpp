#include "app/editmenu.h"

#include <QAction>
#include <QMenu>

#include "app/slotwindow.h"
#include "app/windowdialogs.h"
#include "common/errors.h"
#include "common/modal.h"
#include "transfer/history.h"
#include "transfer/ops/undo.h"
#include "transfer/ui/historydialog.h"
#include "transfer/ui/undocommand.h"

TEditMenu::TEditMenu(TSlotWindow& window, const TWindowDialogs& dialogs, QMenu& menu, QAction& undo,
                     QAction& history)
    : window_(window), dialogs_(dialogs), undo_(undo) {
  QObject::connect(&menu, &QMenu::aboutToShow, &menu, [this] { UpdateUndoAction(); });
  QObject::connect(&undo, &QAction::triggered, &undo,
                   [this] { window_.RunCommand([this] { UndoActionExecute(); }); });
  QObject::connect(&history, &QAction::triggered, &history,
                   [this] { window_.RunCommand([this] { HistoryActionExecute(); }); });
  UpdateUndoAction();
}

void TEditMenu::UpdateUndoAction() {
  // A command keeps it disabled; its end brings the text up to date.
  if (window_.CommandRunning())
    return;
  undoId_.clear();
  QString text = tr("&Undo");
  const THistoryStore store(window_.History());
  // Nothing to take back leaves the action disabled.
  if (const std::optional<THistoryEntry> last = store.Keeps() ? LastChange(store) : std::nullopt) {
    undoId_ = last->Id;
    //: %1 names the change to take back, as "put of 18-9".
    text = tr("&Undo %1").arg(ChangeName(*last));
  }
  undo_.setText(text);
  undo_.setEnabled(!undoId_.isEmpty());
}

void TEditMenu::TakeBackChange(const QString& id) {
  TWindowCommand command = window_.CurrentSlotCommand();
  UndoChangeCommand(command.Port, command.Catalogue, THistoryStore(window_.History()), id,
                    command.Reporter);
}

void TEditMenu::UndoActionExecute() {
  // What the text named when the user chose it, even if kivnvm has added a change since.
  if (!undoId_.isEmpty())
    TakeBackChange(undoId_);
}

void TEditMenu::HistoryActionExecute() {
  THistoryDialog* dialog = dialogs_.History;
  dialog->OnTakeBack = [this](const QString& id) {
    GuardCommand([this, &id] { TakeBackChange(id); });
  };
  dialog->ShowHistory(THistoryStore(window_.History()), window_.SettingsPath());
  Modal().ExecDialog(dialog);
}
