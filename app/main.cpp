#include <QApplication>

#include "app/forms.h"
#include "app/qtmodal.h"
#include "common/errors.h"
#include "common/language.h"
#include "settings/settingsfile.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  SetProgramNames();
  const QString settingsPath = SettingsFileOf(QApplication::applicationFilePath());
  TQtModal modal;
  const TModalScope modalScope(modal);
  // The language is chosen once, before any window exists: the menu's choice applies from the
  // next start. A file that cannot be read is told by the window, whose link refuses.
  const TSettingsRead settings = ReadSettings(settingsPath);
  UseLanguage(settings.Language);
  // Stays so unless the manager ran to its end; an error on the way is shown in the box.
  int status = 1;
  GuardCommand([&status, &settingsPath, &settings] {
    TApplicationForms forms(settingsPath, settings.History);
    forms.ShowMainWindow();
    status = QApplication::exec();
  });
  return status;
}
