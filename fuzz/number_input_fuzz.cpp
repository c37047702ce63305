// The number-input rule against arbitrary texts: it never crashes, an accepted text gives a
// finite double, that double is what the C library reads from the same text (with a d or D
// exponent read as e), and its shortest exact print reads back to the same double.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "pages/number_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto value = Vantrel::parse_number(text);
  if (!value) return 0;
  if (!std::isfinite(*value)) __builtin_trap();
  if (text.find('\0') != std::string::npos) __builtin_trap();  // an embedded NUL is not a number

  std::string c_text = text;
  for (char& ch : c_text) {
    if (ch == 'd' || ch == 'D') ch = 'e';
  }
  char* end = nullptr;
  const double c_value = std::strtod(c_text.c_str(), &end);
  if (end != c_text.c_str() + c_text.size() || c_value != *value) __builtin_trap();

  char printed[32];
  std::snprintf(printed, sizeof printed, "%.17g", *value);
  const auto again = Vantrel::parse_number(printed);
  if (!again || std::memcmp(&*again, &*value, sizeof(double)) != 0) __builtin_trap();
  return 0;
}
