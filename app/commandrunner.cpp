// One command at a time: while it runs, the window's other commands are disabled and the
// status bar shows the phone's progress.

#include <QAction>

#include "app/mainwindow.h"
#include "app/workpanel.h"
#include "common/errors.h"
#include "ui_mainwindow.h"

void TForm1::RunCommand(const std::function<void()>& command) {
  if (commandRunning_)
    return;
  commandRunning_ = true;
  SetCommandsEnabled(false);
  workPanel_->Begin();
  GuardCommand(command);
  workPanel_->End();
  SetCommandsEnabled(true);
  commandRunning_ = false;
  if (std::exchange(closePending_, false))
    close();
}

// Quitting and the phone log stay at hand; everything that starts phone work waits.
void TForm1::SetCommandsEnabled(bool enabled) {
  ui->Panel1->setEnabled(enabled);
  if (enabled) {
    for (QAction* action : std::exchange(disabledActions_, {}))
      action->setEnabled(true);
    return;
  }
  for (QAction* action : findChildren<QAction*>()) {
    if (action->isEnabled() && action != ui->QuitAction && action != ui->PhoneLogAction &&
        !action->isSeparator() && !action->menu()) {
      action->setEnabled(false);
      disabledActions_ << action;
    }
  }
}
