#include "cli/files.h"

#include <unistd.h>

#include <QFile>
#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "cli/console.h"
#include "common/errors.h"
#include "common/fileio.h"
#include "common/texts.h"

namespace {

QString StandardOutputName() {
  return TCliText::tr("standard output");
}

// Windows opens the standard streams in text mode, where a CR before LF is dropped and
// Ctrl+Z ends the input on the way in, and every LF gains a CR on the way out: a section's
// bytes pass in binary mode, unchanged. Elsewhere there is no difference.
void PassBytesUnchanged(std::FILE* stream) {
#ifdef _WIN32
  std::fflush(stream);
  _setmode(_fileno(stream), _O_BINARY);
#else
  Q_UNUSED(stream);
#endif
}

}  // namespace

bool IsStandardStream(const QString& path) {
  return path == QLatin1String("-");
}

QString InputName(const QString& path) {
  return IsStandardStream(path) ? TCliText::tr("standard input") : path;
}

namespace {

// The file named on the command line, or standard input for "-".
void OpenInput(QFile& input, const QString& path) {
  if (!IsStandardStream(path)) {
    OpenForReading(input, path, TFileKinds::StreamsToo);
    return;
  }
  PassBytesUnchanged(stdin);
  // By its descriptor: Windows refuses a pipe opened by its stream.
  if (!input.open(STDIN_FILENO, QIODevice::ReadOnly))
    throw EFOpenError(InputName(path), input.errorString());
}

}  // namespace

TBoundedBytes ReadInputHead(const QString& path, qint64 limit) {
  QFile input;
  OpenInput(input, path);
  return ReadBounded(input, limit, InputName(path));
}

TMeasuredInput MeasureInput(const QString& path, qint64 headBytes, qint64 countLimit) {
  QFile input;
  OpenInput(input, path);
  const TBoundedBytes head = ReadBounded(input, headBytes, InputName(path));
  TMeasuredInput measured{head.Bytes, head.Bytes.size(), false};
  if (!head.More)
    return measured;
  if (!input.isSequential()) {
    measured.Size = input.size();
    return measured;
  }
  // The rest of a stream is counted, never kept; an endless one is counted up to the limit.
  measured.Size = headBytes + 1;  // the byte that told there was more
  while (measured.Size < countLimit) {
    const qint64 skipped = input.skip(countLimit - measured.Size);
    if (input.error() != QFileDevice::NoError)
      throw EFOpenError(InputName(path), input.errorString());
    if (skipped <= 0)
      return measured;
    measured.Size += skipped;
  }
  measured.Capped = true;
  return measured;
}

QByteArray ReadWholeFile(const QString& path, qint64 limit) {
  const TBoundedBytes input = ReadInputHead(path, limit);
  if (input.More) {
    throw TCommandFailed(TCliText::tr("%1 is too big: more than %2 bytes")
                             .arg(InputName(path), QString::number(limit)));
  }
  return input.Bytes;
}

void WriteOutputFile(const QString& path, const QByteArray& bytes) {
  if (!IsStandardStream(path)) {
    SaveFile(path, bytes);
    return;
  }
  // Standard output holds these bytes alone: what a command says beside them goes to stderr.
  PassBytesUnchanged(stdout);
  QFile output;
  if (!output.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered))
    throw EFCreateError(StandardOutputName(), output.errorString());
  WriteOpenFile(output, bytes, StandardOutputName());
}
