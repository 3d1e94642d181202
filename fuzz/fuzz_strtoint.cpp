// The integer conversion against a plain model of what it accepts: leading blanks, then a
// signed decimal number within 32 bits, or a hexadecimal prefix and at most eight
// significant hexadecimal digits; nothing after the number.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "common/errors.h"
#include "common/strtoint.h"
#include "fuzz/property.h"

namespace {

int DigitValue(char16_t c, int radix) {
  int value = 99;
  if (c >= u'0' && c <= u'9')
    value = c - u'0';
  else if (c >= u'a' && c <= u'f')
    value = c - u'a' + 10;
  else if (c >= u'A' && c <= u'F')
    value = c - u'A' + 10;
  return value < radix ? value : -1;
}

// Digits without their leading zeros, or nullopt when any character is not a digit.
std::optional<std::u16string> Significant(const std::u16string& digits, int radix) {
  if (digits.empty())
    return std::nullopt;
  for (const char16_t c : digits)
    if (DigitValue(c, radix) < 0)
      return std::nullopt;
  const size_t first = digits.find_first_not_of(u'0');
  return first == std::u16string::npos ? std::u16string() : digits.substr(first);
}

int64_t ValueOf(const std::u16string& digits, int radix) {
  int64_t value = 0;
  for (const char16_t c : digits)
    value = value * radix + DigitValue(c, radix);
  return value;
}

std::optional<qint32> Model(const std::u16string& text) {
  const size_t start = text.find_first_not_of(u' ');
  const std::u16string rest = start == std::u16string::npos ? u"" : text.substr(start);
  size_t prefix = 0;
  if (!rest.empty() && (rest[0] == u'$' || rest[0] == u'x' || rest[0] == u'X'))
    prefix = 1;
  else if (rest.size() >= 2 && rest[0] == u'0' && (rest[1] == u'x' || rest[1] == u'X'))
    prefix = 2;
  if (prefix > 0) {
    const auto digits = Significant(rest.substr(prefix), 16);
    if (!digits || digits->size() > 8)
      return std::nullopt;
    return qint32(uint32_t(ValueOf(*digits, 16)));
  }
  const bool negative = !rest.empty() && rest[0] == u'-';
  const bool sign = negative || (!rest.empty() && rest[0] == u'+');
  const auto digits = Significant(rest.substr(sign ? 1 : 0), 10);
  if (!digits || digits->size() > 10)
    return std::nullopt;
  const int64_t value = negative ? -ValueOf(*digits, 10) : ValueOf(*digits, 10);
  if (value < INT32_MIN || value > INT32_MAX)
    return std::nullopt;
  return qint32(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
  const std::optional<qint32> converted = TryStrToInt(text);
  Require(converted == Model(text.toStdU16String()), "conversion agrees with the model");
  try {
    Require(StrToInt(text) == converted, "StrToInt gives the same value");
  } catch (const EConvertError& error) {
    Require(!converted, "StrToInt refuses only what TryStrToInt refuses");
    Require(error.Message() == QStringLiteral("'%1' is not a valid integer value").arg(text),
            "the conversion error names the text");
  }
  return 0;
}
