#pragma once
// Comparison to a check value "to the digits printed": within half a unit of its last digit.
#include <gtest/gtest.h>

#include <cmath>

namespace Vantrel::if97::testing {

inline double last_digit_half_unit(double printed, int significant_digits) {
  const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(printed))));
  return 0.5 * std::pow(10.0, exponent - significant_digits + 1) + 1e-13 * std::fabs(printed);
}

#define EXPECT_PRINTED(actual, printed, digits) \
  EXPECT_NEAR((actual), (printed),              \
              ::Vantrel::if97::testing::last_digit_half_unit((printed), (digits)))

}  // namespace Vantrel::if97::testing
