#pragma once
// The one formatter of every numeric cell of the result lists.

#include <optional>
#include <string>
#include <string_view>

namespace Vantrel {

// The text of a lookup result:
//   status 0: the value with six significant digits, fixed notation for a decimal exponent from
//             -4 to 5, otherwise exponent notation with a capital E, a sign and at least three
//             exponent digits; trailing zeros and a trailing point dropped ("100", "0.5",
//             "1E-005", "1.23457E+006"). The decimal separator is "." whatever the locale.
//             A value that is not finite shows "Error": no lookup reports one as a success.
//   status 3: "N/A" (the property does not apply to the state);
//   any other status: "Error".
std::string value_text(int status, double value);

// The word the steam-quality row shows for the quality marker of a single-phase state from two
// inputs: -1 "Indeterminate", -2 "Superheated", -3 "Subcooled". Empty for any other value, which
// is a vapour fraction and shows as a percentage.
std::optional<std::string_view> quality_marker_text(double quality);

}  // namespace Vantrel
