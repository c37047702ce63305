#include "pages/number_input.h"

#include <charconv>
#include <cmath>
#include <string>

namespace Vantrel {

namespace {

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::optional<double> parse_number(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && is_space(text[i])) ++i;

  // The number in the form the converter reads: no leading "+", exponent letter "e".
  std::string number;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') number += '-';
    ++i;
  }
  std::size_t digits = 0;
  // Decimal exponent of the first non-zero digit, relative to the exponent part.
  long leading = 0;
  bool nonzero = false;
  bool point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (is_digit(c)) {
      ++digits;
      if (c != '0' && !nonzero) nonzero = true;
      if (nonzero && !point) ++leading;
      if (!nonzero && point) --leading;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
    number += c;
  }
  if (digits == 0) return std::nullopt;

  long exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    std::size_t j = i + 1;
    bool negative = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) negative = text[j++] == '-';
    const std::size_t first_digit = j;
    while (j < text.size() && is_digit(text[j])) {
      // Saturate: an exponent this large is out of range whatever the digits.
      if (exponent < 100000) exponent = exponent * 10 + (text[j] - '0');
      ++j;
    }
    if (j == first_digit) return std::nullopt;  // "1e" is not a number
    if (negative) exponent = -exponent;
    number += 'e';
    number += std::to_string(exponent);
    i = j;
  }
  if (i != text.size()) return std::nullopt;

  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too small for a double rounds to zero; too large has no nearest double and is refused.
    if (!nonzero || leading + exponent <= 0) return number.front() == '-' ? -0.0 : 0.0;
    return std::nullopt;
  }
  if (result.ec != std::errc{} || result.ptr != number.data() + number.size()) return std::nullopt;
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace Vantrel
