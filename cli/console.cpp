#include "cli/console.h"

#include <cstdio>

#include "common/errors.h"

#ifdef _WIN32
#include <io.h>
#define KIV_ISATTY _isatty
#define KIV_FILENO _fileno
#else
#include <unistd.h>
#define KIV_ISATTY isatty
#define KIV_FILENO fileno
#endif

TUsageError::TUsageError(const QString& message) : std::runtime_error(message.toStdString()) {}

TCommandFailed::TCommandFailed(const QString& message)
    : std::runtime_error(message.toStdString()) {}

namespace {

void Write(std::FILE* stream, const QString& text) {
  const QByteArray bytes = text.toUtf8();
  std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
  std::fflush(stream);
}

}  // namespace

void PrintOut(const QString& line) {
  Write(stdout, line + QLatin1Char('\n'));
}

const QString MessagePrefix = QStringLiteral("kivnvm: ");

void PrintErr(const QString& message) {
  Write(stderr, MessagePrefix + message + QLatin1Char('\n'));
}

QString ErrorText(const Exception& error) {
  if (error.Reason().isEmpty())
    return error.Message();
  return error.Message() + QStringLiteral(": ") + error.Reason();
}

void PrintQtMessage(QtMsgType, const QMessageLogContext&, const QString& message) {
  PrintErr(message);
}

void RewriteErrLine(const QString& message) {
  Write(stderr, QStringLiteral("\r\x1b[K") + MessagePrefix + message);
}

void EndErrLine() {
  Write(stderr, QStringLiteral("\n"));
}

bool StderrIsTerminal() {
  return KIV_ISATTY(KIV_FILENO(stderr)) != 0;
}
