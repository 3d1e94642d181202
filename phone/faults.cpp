#include "phone/faults.h"

#include <cctype>
#include <limits>

namespace gbp {
namespace {

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos)
    return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

std::optional<int32_t> ParseCode(const std::string& text) {
  const auto value = ParseInteger(text);
  if (!value || *value < std::numeric_limits<int32_t>::min() ||
      *value > std::numeric_limits<int32_t>::max())
    return std::nullopt;
  return static_cast<int32_t>(*value);
}

std::optional<uint32_t> ParseByte(const std::string& text) {
  if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0])))
    return std::nullopt;
  const auto value = ParseInteger(text);
  if (!value || *value > 255)
    return std::nullopt;
  return static_cast<uint32_t>(*value);
}

std::optional<TAddress> ParseAddress(const std::string& text) {
  const auto hyphen = text.find('-');
  if (hyphen == std::string::npos)
    return std::nullopt;
  const auto section = ParseByte(text.substr(0, hyphen));
  const auto subsection = ParseByte(text.substr(hyphen + 1));
  if (!section || !subsection)
    return std::nullopt;
  return TAddress{*section, *subsection};
}

// "WORD N": N, at most max; nullopt for any other text.
std::optional<uint32_t> ParseWordCount(const std::string& text, const std::string& word,
                                       int64_t max) {
  if (text.compare(0, word.size(), word) != 0)
    return std::nullopt;
  const std::string count = Trimmed(text.substr(word.size()));
  const auto value = ParseInteger(count);
  if (count.empty() || !std::isdigit(static_cast<unsigned char>(count[0])) || !value ||
      *value > max)
    return std::nullopt;
  return static_cast<uint32_t>(*value);
}

// "WORD N" gives a fault with N, a code a fault with that code; T is TReadFault or
// TWriteFault.
template <typename T>
std::optional<T> ParseCountOrCode(const std::string& text, const std::string& word, int64_t max) {
  if (text.compare(0, word.size(), word) == 0) {
    const auto count = ParseWordCount(text, word, max);
    if (!count)
      return std::nullopt;
    return T{count, 0};
  }
  const auto code = ParseCode(text);
  if (!code)
    return std::nullopt;
  return T{std::nullopt, *code};
}

// One item, "init=CODE" or "KIND S-SS=VALUE"; false when malformed.
bool ParseItem(const std::string& item, TFaults& faults) {
  const auto equals = item.find('=');
  if (equals == std::string::npos)
    return false;
  const std::string target = Trimmed(item.substr(0, equals));
  const std::string value = Trimmed(item.substr(equals + 1));
  if (target == "init") {
    faults.init = ParseCode(value);
    return faults.init.has_value();
  }
  const auto blank = target.find_first_of(" \t");
  if (blank == std::string::npos)
    return false;
  const std::string kind = target.substr(0, blank);
  const auto address = ParseAddress(Trimmed(target.substr(blank)));
  if (!address)
    return false;
  if (kind == "write") {
    const auto fault =
        ParseCountOrCode<TWriteFault>(value, "truncate", std::numeric_limits<uint32_t>::max());
    if (fault)
      faults.write[*address] = *fault;
    return fault.has_value();
  }
  if (kind == "read") {
    // The count is what ReadNVMFile returns, so it fits its result.
    const auto fault =
        ParseCountOrCode<TReadFault>(value, "claim", std::numeric_limits<int32_t>::max());
    if (fault)
      faults.read[*address] = *fault;
    return fault.has_value();
  }
  const auto code = ParseCode(value);
  std::map<TAddress, int32_t>* codes = kind == "size"    ? &faults.size
                                       : kind == "clear" ? &faults.clear
                                                         : nullptr;
  if (!code || !codes)
    return false;
  (*codes)[*address] = *code;
  return true;
}

}  // namespace

std::optional<int64_t> ParseInteger(const std::string& text) {
  size_t at = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+'))
    at = 1;
  if (at == text.size() || text.size() - at > 18)
    return std::nullopt;
  int64_t value = 0;
  for (; at < text.size(); ++at) {
    if (!std::isdigit(static_cast<unsigned char>(text[at])))
      return std::nullopt;
    value = value * 10 + (text[at] - '0');
  }
  return negative ? -value : value;
}

std::optional<TFaults> ParseFaults(const std::string& text) {
  TFaults faults;
  size_t start = 0;
  while (start <= text.size()) {
    auto end = text.find(';', start);
    if (end == std::string::npos)
      end = text.size();
    const std::string item = Trimmed(text.substr(start, end - start));
    if (!item.empty() && !ParseItem(item, faults))
      return std::nullopt;
    start = end + 1;
  }
  return faults;
}

}  // namespace gbp
