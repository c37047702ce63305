#include "pages/value_text.h"

#include <charconv>
#include <cmath>

#include "lookup/lookup.h"

namespace Vantrel {

namespace {

// At least three exponent digits, as the result lists have always shown them.
constexpr std::size_t exponent_digits = 3;

std::string general_text(double value) {
  char buffer[64];
  // Six significant digits in the general form; to_chars ignores the locale.
  const auto result =
      std::to_chars(std::begin(buffer), std::end(buffer), value, std::chars_format::general, 6);
  std::string text(buffer, result.ptr);
  const auto e = text.find('e');
  if (e == std::string::npos) return text;
  text[e] = 'E';
  // text[e + 1] is the exponent's sign; widen its digits to three.
  const std::size_t digits = text.size() - (e + 2);
  if (digits < exponent_digits) text.insert(e + 2, exponent_digits - digits, '0');
  return text;
}

}  // namespace

std::string value_text(int status, double value) {
  if (status == status_not_applicable) return "N/A";
  if (status != status_ok || !std::isfinite(value)) return "Error";
  return general_text(value);
}

std::optional<std::string_view> quality_marker_text(double quality) {
  // The markers are stored exactly, so they compare exactly.
  if (quality == quality_marker::indeterminate) return "Indeterminate";
  if (quality == quality_marker::superheated) return "Superheated";
  if (quality == quality_marker::subcooled) return "Subcooled";
  return std::nullopt;
}

}  // namespace Vantrel
