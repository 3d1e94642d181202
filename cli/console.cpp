#include "cli/console.h"

#include <QList>
#include <cstdio>

#include "common/errors.h"
#include "common/texts.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#define KIV_ISATTY _isatty
#define KIV_FILENO _fileno
#else
#include <unistd.h>
#define KIV_ISATTY isatty
#define KIV_FILENO fileno
#endif

namespace {

#ifdef _WIN32
// The console behind a standard stream, its terminal mode on for the progress line's escapes;
// INVALID_HANDLE_VALUE for a file, a pipe or another device. Asked once: it stays so.
HANDLE ConsoleOf(std::FILE* stream) {
  const auto ask = [](std::FILE* standard) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(KIV_FILENO(standard)));
    DWORD mode = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode))
      return INVALID_HANDLE_VALUE;
    SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    return handle;
  };
  static const HANDLE output = ask(stdout);
  static const HANDLE error = ask(stderr);
  return stream == stdout ? output : error;
}
#endif

void Write(std::FILE* stream, const QString& text) {
#ifdef _WIN32
  // A console shows UTF-16 text whatever its code page, which UTF-8 bytes would garble.
  const HANDLE console = ConsoleOf(stream);
  DWORD written = 0;
  if (console != INVALID_HANDLE_VALUE &&
      WriteConsoleW(console, reinterpret_cast<const wchar_t*>(text.utf16()), DWORD(text.size()),
                    &written, nullptr))
    return;
#endif
  const QByteArray bytes = text.toUtf8();
#ifdef _WIN32
  // Whole, in one write: the C runtime leaves a stream that is a character device
  // unbuffered and writes it a byte at a time.
  _write(KIV_FILENO(stream), bytes.constData(), unsigned(bytes.size()));
#else
  std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
  std::fflush(stream);
#endif
}

}  // namespace

void PrintOut(const QString& line) {
  Write(stdout, line + QLatin1Char('\n'));
}

const QString MessagePrefix = QStringLiteral("kivnvm: ");

void PrintErr(const QString& message) {
  Write(stderr, MessagePrefix + message + QLatin1Char('\n'));
}

QString NextErrLine(const QString& line) {
  return QLatin1Char('\n') + MessagePrefix + line;
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

namespace {

bool IsWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) ||
         (c >= 0x3041 && c <= 0x33FF) || (c >= 0x3400 && c <= 0x4DBF) ||
         (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F) ||
         (c >= 0x1F900 && c <= 0x1F9FF) || (c >= 0x20000 && c <= 0x3FFFD);
}

}  // namespace

int DisplayWidth(const QString& text) {
  int width = 0;
  for (const char32_t c : text.toUcs4()) {
    const QChar::Category category = QChar::category(c);
    if (category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing ||
        category == QChar::Other_Format)
      continue;
    width += IsWide(c) ? 2 : 1;
  }
  return width;
}

QString PadToWidth(const QString& text, int width) {
  return text + QString(qMax(0, width - DisplayWidth(text)), QLatin1Char(' '));
}
