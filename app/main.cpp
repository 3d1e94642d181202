#include <QApplication>

#include "app/forms.h"
#include "app/qtmodal.h"
#include "common/errors.h"
#include "settings/settingsfile.h"
#include "transfer/history.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  SetProgramNames();
  SetHistoryConfig(HistoryConfigFor(SettingsFileOf(QApplication::applicationFilePath())));
  TQtModal modal;
  const TModalScope modalScope(modal);
  // Stays so unless the manager ran to its end; an error on the way is shown in the box.
  int status = 1;
  GuardCommand([&status] {
    TApplicationForms forms;
    forms.ShowMainWindow();
    status = QApplication::exec();
  });
  return status;
}
