#pragma once
// The Edit menu: Undo names the newest change of the history that can be taken back, and
// History... lists them all, each one to take back.

#include <QCoreApplication>
#include <QString>

class QAction;
class QMenu;
class TSlotWindow;
struct TWindowDialogs;

class TEditMenu {
  // Its texts are the main window's.
  Q_DECLARE_TR_FUNCTIONS(TForm1)

 public:
  // The actions are the window's Edit menu's; they and the dialogs outlive the controller.
  TEditMenu(TSlotWindow& window, const TWindowDialogs& dialogs, QMenu& menu, QAction& undo,
            QAction& history);

  // The Undo action names the newest change that can be taken back, or is disabled.
  void UpdateUndoAction();

 private:
  void UndoActionExecute();
  void HistoryActionExecute();
  void TakeBackChange(const QString& id);

  TSlotWindow& window_;
  const TWindowDialogs& dialogs_;
  QAction& undo_;
  // The change the Undo action names; empty while there is none.
  QString undoId_;
};
