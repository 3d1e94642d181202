// kivnvm: the phone's NVM from the command line, through the same phone-link library and
// the same format rules as the manager.

#include <QCoreApplication>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/options.h"
#include "common/language.h"
#include "settings/settingsfile.h"
#include "transfer/history.h"

namespace {

// Qt follows a desktop's LANGUAGE list even under LC_ALL=C. Programs that use gettext ignore
// it where the locale for messages is C or POSIX, or none is set, and so does kivnvm: a
// script's LC_ALL=C gives English.
bool LanguageListIgnored() {
  if (qEnvironmentVariableIsEmpty("LANGUAGE"))
    return false;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const QString locale = qEnvironmentVariable(name);
    if (!locale.isEmpty())
      return locale == QLatin1String("C") || locale == QLatin1String("POSIX") ||
             locale.startsWith(QLatin1String("C."));
  }
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  qInstallMessageHandler(PrintQtMessage);
  QCoreApplication application(argc, argv);
  SetProgramNames();
  // KIV_LANG's language ("ru", "en"), else the locale's.
  const QString chosen = qEnvironmentVariable("KIV_LANG");
  UseLanguage(chosen.isEmpty() && LanguageListIgnored() ? QString::fromLatin1(SourceLanguage)
                                                        : chosen);
  SetHistoryConfig(HistoryConfigFor(ManagerSettingsPath()));
  return RunKivnvm(application.arguments().mid(1));
}
