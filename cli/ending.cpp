#include "cli/ending.h"

#include "cli/console.h"
#include "common/errors.h"
#include "common/texts.h"

TCommandEnd::TCommandEnd(TExitStatus status, const QString& message)
    : std::runtime_error(message.toStdString()), status_(status) {}

TExitStatus StatusOf(bool allDone) {
  return allDone ? exitOk : exitFailed;
}

int ExitStatusOf(const std::function<int()>& command) {
  try {
    return command();
  } catch (const TUsageError& error) {
    PrintErr(TCliText::tr("%1\nTry 'kivnvm --help'.").arg(error.Message()));
    return error.Status();
  } catch (const TCommandEnd& error) {
    PrintErr(error.Message());
    return error.Status();
  } catch (const Exception& error) {
    PrintErr(ErrorText(error));
  } catch (const std::exception& error) {
    PrintErr(QString::fromLocal8Bit(error.what()));
  }
  return exitFailed;
}
