#include "common/strtoint.h"

#include "common/errors.h"

namespace {

int HexDigit(QChar c) {
  const char16_t u = c.unicode();
  if (u >= u'0' && u <= u'9')
    return u - u'0';
  if (u >= u'a' && u <= u'f')
    return u - u'a' + 10;
  if (u >= u'A' && u <= u'F')
    return u - u'A' + 10;
  return -1;
}

// Length of the hexadecimal prefix at pos, or 0 when there is none.
int HexPrefixLength(const QString& text, int pos) {
  const auto at = [&](int i) { return i < text.size() ? text[i].unicode() : u'\0'; };
  if (at(pos) == u'$' || at(pos) == u'x' || at(pos) == u'X')
    return 1;
  if (at(pos) == u'0' && (at(pos + 1) == u'x' || at(pos + 1) == u'X'))
    return 2;
  return 0;
}

std::optional<qint32> ParseHex(const QString& text, int pos) {
  if (pos >= text.size())
    return std::nullopt;
  quint64 value = 0;
  for (; pos < text.size(); ++pos) {
    const int digit = HexDigit(text[pos]);
    if (digit < 0)
      return std::nullopt;
    value = (value << 4) | quint64(digit);
    if (value > 0xFFFFFFFFull)
      return std::nullopt;
  }
  return qint32(quint32(value));
}

std::optional<qint32> ParseDecimal(const QString& text, int pos) {
  bool negative = false;
  if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) {
    negative = text[pos] == u'-';
    ++pos;
  }
  if (pos >= text.size())
    return std::nullopt;
  const qint64 limit = negative ? 2147483648ll : 2147483647ll;
  qint64 value = 0;
  for (; pos < text.size(); ++pos) {
    const char16_t u = text[pos].unicode();
    if (u < u'0' || u > u'9')
      return std::nullopt;
    value = value * 10 + (u - u'0');
    if (value > limit)
      return std::nullopt;
  }
  return qint32(negative ? -value : value);
}

}  // namespace

std::optional<qint32> TryStrToInt(const QString& text) {
  int pos = 0;
  while (pos < text.size() && text[pos] == u' ')
    ++pos;
  const int prefix = HexPrefixLength(text, pos);
  return prefix > 0 ? ParseHex(text, pos + prefix) : ParseDecimal(text, pos);
}

qint32 StrToInt(const QString& text) {
  if (const auto value = TryStrToInt(text))
    return *value;
  throw EConvertError::NotAnInteger(text);
}
