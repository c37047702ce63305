#pragma once
// The number-input rule of the pages' edits.

#include <optional>
#include <string_view>

namespace Vantrel {

// The number a text holds, or empty when the whole text is not one.
// Accepted: optional leading white space (space, tab, line feed, vertical tab, form feed,
// carriage return), an optional "+" or "-", digits with an optional "." and at least one digit
// before or after it, and an optional exponent: e, E, d or D, an optional sign and at least one
// digit. Nothing may follow, not even white space. Infinity and not-a-number texts, hexadecimal
// forms and a comma as decimal separator are refused, and so is a number too large for a double.
// The value is the nearest double, read the same whatever the locale.
std::optional<double> parse_number(std::string_view text);

}  // namespace Vantrel
