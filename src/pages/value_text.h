#pragma once
// The one formatter of every numeric cell of the result lists.

#include <string>

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

}  // namespace Vantrel
