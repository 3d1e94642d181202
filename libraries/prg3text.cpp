#include "libraries/prg3text.h"

#include <optional>

#include "common/bytes.h"
#include "common/strtoint.h"

namespace {

const QByteArray Utf8ByteOrderMark("\xEF\xBB\xBF");
const QString ReleaseMarker = QStringLiteral("RELEASE=");

// The release number is the single character after the line's first "=": "RELEASE=12" is 1.
quint32 ReleaseWord(const QString& line) {
  const int equals = line.indexOf(QLatin1Char('='));
  return quint32(StrToInt(line.mid(equals + 1, 1)));
}

// A bare leading text is hexadecimal ("10" is sixteen); one with its own prefix or a sign
// falls back to the ordinary conversion. No space at all means no value.
std::optional<quint32> ValueWord(const QString& line) {
  const int space = line.indexOf(QLatin1Char(' '));
  if (space < 0)
    return std::nullopt;
  const QString leading = line.left(space);
  if (const auto hex = TryStrToInt(QStringLiteral("0x") + leading))
    return quint32(*hex);
  if (const auto plain = TryStrToInt(leading))
    return quint32(*plain);
  return std::nullopt;
}

std::optional<quint32> LineWord(const QString& line) {
  if (line.contains(ReleaseMarker))
    return ReleaseWord(line);
  return ValueWord(line);
}

}  // namespace

QStringList SplitTextLines(const QByteArray& text) {
  // Editors on Windows often start a text with a byte order mark; it is no part of a line.
  const QByteArray body = text.startsWith(Utf8ByteOrderMark) ? text.mid(3) : text;
  QStringList lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < body.size(); ++i) {
    if (body[i] != '\r' && body[i] != '\n')
      continue;
    lines << QString::fromLatin1(body.mid(start, i - start));
    if (body[i] == '\r' && i + 1 < body.size() && body[i + 1] == '\n')
      ++i;
    start = i + 1;
  }
  if (start < body.size())
    lines << QString::fromLatin1(body.mid(start));
  return lines;
}

TPRG3Image PRG3ImageFromLines(const QStringList& lines) {
  TPRG3Image result;
  int words = 0;
  for (const QString& line : lines) {
    const std::optional<quint32> word = LineWord(line);
    if (!word)
      continue;
    if (words == PRG3MaxWords) {
      result.TooBig = true;
      result.Image.clear();
      return result;
    }
    AppendWord(result.Image, *word);
    ++words;
  }
  return result;
}

QList<int> PRG3IgnoredLines(const QStringList& lines) {
  QList<int> ignored;
  for (int i = 0; i < lines.size(); ++i) {
    if (!lines[i].trimmed().isEmpty() && !LineWord(lines[i]))
      ignored << i + 1;
  }
  return ignored;
}
