#include "cli/console.h"

#include <cstdio>

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

void PrintErr(const QString& line) {
  Write(stderr, line + QLatin1Char('\n'));
}

void PrintErrRaw(const QString& text) {
  Write(stderr, text);
}

bool StderrIsTerminal() {
  return KIV_ISATTY(KIV_FILENO(stderr)) != 0;
}
