// kivnvm: the phone's NVM from the command line, through the same phone-link library and
// the same format rules as the manager.

#include <QCoreApplication>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/options.h"
#include "common/language.h"
#include "settings/settingsfile.h"
#include "transfer/history.h"

int main(int argc, char* argv[]) {
  qInstallMessageHandler(PrintQtMessage);
  QCoreApplication application(argc, argv);
  SetProgramNames();
  // The locale's language, or KIV_LANG's ("ru", "en"); LC_ALL=C gives English for scripts.
  UseLanguage(qEnvironmentVariable("KIV_LANG"));
  SetHistoryConfig(HistoryConfigFor(ManagerSettingsPath()));
  return RunKivnvm(application.arguments().mid(1));
}
