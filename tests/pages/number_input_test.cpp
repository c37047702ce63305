#include "pages/number_input.h"

#include <gtest/gtest.h>

#include <limits>
#include <string_view>

namespace Vantrel {
namespace {

using namespace std::literals;

struct accepted_number {
  std::string_view text;
  double value;
};

TEST(NumberInput, AcceptsEveryFormOfTheRule) {
  constexpr accepted_number cases[] = {
      {"1e3", 1000.0},
      {"1d3", 1000.0},
      {"1D3", 1000.0},
      {"1E+3", 1000.0},
      {"-4.5E-2", -0.045},
      {".5", 0.5},
      {"5.", 5.0},
      {"+7", 7.0},
      {"   25", 25.0},
      {"\t\n\v\f\r25", 25.0},
      {"0", 0.0},
      {"-0.000123456789", -0.000123456789},
      {"2.5d-1", 0.25},
      {"00012.5000", 12.5},
      {"1e-400", 0.0},
      {"0.1", 0.1},
      {"1.7976931348623157e308", std::numeric_limits<double>::max()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto value = parse_number(c.text);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, c.value);  // the nearest double, exactly
  }
}

TEST(NumberInput, RefusesEverythingElse) {
  constexpr std::string_view cases[] = {
      "",      " ",    "25 ", "25\n", "1,5",   "1e",        "1e+",      "1d",
      "inf",   "-inf", "INF", "nan",  "NaN",   "infinity",  "abc",      "0x10",
      "0x1p3", "+",    "-",   ".",    "+.e3",  "e3",        "1.2.3",    "1e3.5",
      "--1",   "+-1",  "1 2", "25a",  "1e999", "-1e400000", "1\0002"sv,
  };
  for (const auto text : cases) {
    SCOPED_TRACE(testing::Message() << '"' << text << '"');
    EXPECT_FALSE(parse_number(text).has_value());
  }
}

}  // namespace
}  // namespace Vantrel
