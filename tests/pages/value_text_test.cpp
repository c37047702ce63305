#include "pages/value_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string_view>

namespace Vantrel {
namespace {

struct formatted_value {
  double value;
  std::string_view text;
};

TEST(ValueText, SixSignificantDigitsWithThreeDigitExponents) {
  constexpr formatted_value cases[] = {
      {100.0, "100"},
      {0.5, "0.5"},
      {0.00001, "1E-005"},
      {0.0000123, "1.23E-005"},
      {-0.000123456789, "-0.000123457"},
      {0.0001, "0.0001"},
      {1234567.0, "1.23457E+006"},
      {999999.0, "999999"},
      {999999.5, "1E+006"},
      {18.015268, "18.0153"},
      {373.946, "373.946"},
      {3200.12, "3200.12"},
      {0.0, "0"},
      {1e-300, "1E-300"},
      {1.5e300, "1.5E+300"},
      {-2.5e-10, "-2.5E-010"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.value);
    EXPECT_EQ(value_text(0, c.value), c.text);
  }
}

TEST(ValueText, FailuresShowNotApplicableOrError) {
  EXPECT_EQ(value_text(3, 1.0), "N/A");
  EXPECT_EQ(value_text(1, 1.0), "Error");
  EXPECT_EQ(value_text(2, 1.0), "Error");
  EXPECT_EQ(value_text(-1, 1.0), "Error");
  EXPECT_EQ(value_text(4, 1.0), "Error");
}

TEST(ValueText, NonFiniteSuccessShowsError) {
  EXPECT_EQ(value_text(0, std::numeric_limits<double>::infinity()), "Error");
  EXPECT_EQ(value_text(0, -std::numeric_limits<double>::infinity()), "Error");
  EXPECT_EQ(value_text(0, std::numeric_limits<double>::quiet_NaN()), "Error");
}

}  // namespace
}  // namespace Vantrel
