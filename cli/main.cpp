// kivnvm: the phone's NVM from the command line, through the same phone-link library and
// the same format rules as the manager.

#include <QCoreApplication>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/options.h"
#include "common/language.h"
#include "settings/settingsfile.h"

int main(int argc, char* argv[]) {
  qInstallMessageHandler(PrintQtMessage);
  QCoreApplication application(argc, argv);
  SetProgramNames();
  const QStringList arguments = application.arguments().mid(1);
  // KIV_LANG's language ("ru", "en"), else the locale's. A script reads --json: all of it,
  // the messages in it included, stays English in every language.
  if (!AsksForJson(arguments))
    UseLanguage(qEnvironmentVariable("KIV_LANG"));
  return RunKivnvm(arguments);
}
