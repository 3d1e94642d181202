#pragma once
// Faults the virtual phone plays on request, from the text of GBP_FAULTS:
//   init=-3; size 18-11=-7; read 2-18=-5; read 18-9=claim 99999;
//   write 18-9=truncate 100; write 2-10=-5; clear 18-9=-5
// Items are separated by ";"; addresses are the section and subsection the phone receives.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace gbp {

using TAddress = std::pair<uint32_t, uint32_t>;

struct TWriteFault {
  std::optional<uint32_t> keepBytes;  // "truncate N": only the first N bytes are stored
  int32_t result = 0;                 // a code instead: nothing is stored
};

struct TReadFault {
  std::optional<uint32_t> claim;  // "claim N": the bytes are copied, N is returned
  int32_t result = 0;             // a code instead: nothing is copied
};

struct TFaults {
  std::optional<int32_t> init;
  std::map<TAddress, int32_t> size;
  std::map<TAddress, TReadFault> read;
  std::map<TAddress, int32_t> clear;  // the code instead: nothing is erased
  std::map<TAddress, TWriteFault> write;
};

// Empty text: no faults. Malformed text: nullopt.
std::optional<TFaults> ParseFaults(const std::string& text);

// A whole decimal integer with an optional sign, nothing else around it.
std::optional<int64_t> ParseInteger(const std::string& text);

}  // namespace gbp
