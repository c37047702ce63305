// lookup_property against arbitrary arguments: the first 16 bytes are the two inputs, the next
// three the pair code, the property code and the unit system. The entry-point contract must hold
// for every call: status 0 to 3, the output untouched unless 0, a finite value on 0, and the
// default floating-point environment afterwards. Any exception escaping aborts the run.
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "lookup/lookup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 19) return 0;
  double a, b;
  std::memcpy(&a, data, sizeof a);
  std::memcpy(&b, data + 8, sizeof b);
  const int pair = static_cast<int>(data[16] % 14) - 2;  // -2 to 11
  const int code = static_cast<int>(data[17] % 31) - 2;  // -2 to 28
  const int units = static_cast<int>(static_cast<std::int8_t>(data[18]));

  const double sentinel = -7.25e-301;
  double out = sentinel;
  std::fesetround(FE_UPWARD);
  const int status = Vantrel::lookup_property(a, b, pair, code, units, &out);
  const bool default_env = std::fegetround() == FE_TONEAREST && !std::fetestexcept(FE_ALL_EXCEPT);
  std::fesetenv(FE_DFL_ENV);

  if (status < 0 || status > 3 || !default_env) __builtin_trap();
  if (status == 0 && !std::isfinite(out)) __builtin_trap();
  if (status != 0 && std::memcmp(&out, &sentinel, sizeof out) != 0) __builtin_trap();
  return 0;
}
