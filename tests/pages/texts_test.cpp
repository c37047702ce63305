#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <string_view>

#include "pages/number_input.h"
#include "pages/rows.h"
#include "pages/value_text.h"

namespace Vantrel {
namespace {

using namespace std::literals;

TEST(NumberInput, AcceptsTheRuleExactlyAndNothingElse) {
  constexpr std::pair<std::string_view, double> accepted[] = {
      {"1e3", 1000.0}, {"1d3", 1000.0},
      {"1D3", 1000.0}, {"-4.5E-2", -0.045},
      {".5", 0.5},     {"+5.", 5.0},
      {"0.1", 0.1},    {"\t\n\v\f\r2.5d-1", 0.25},
      {"1e-400", 0.0}, {"1.7976931348623157e308", std::numeric_limits<double>::max()}};
  for (const auto& [text, value] : accepted) {
    SCOPED_TRACE(text);
    EXPECT_EQ(parse_number(text), value);  // the nearest double, exactly
  }
  constexpr std::string_view refused[] = {"",      " ",     "25 ", "25\n",  "1,5",     "1e",
                                          "1e+",   "1d",    "inf", "-inf",  "nan",     "abc",
                                          "0x10",  "0x1p3", "+",   ".",     "+.e3",    "e3",
                                          "1.2.3", "--1",   "1 2", "1e999", "1\0002"sv};
  for (const auto text : refused) {
    SCOPED_TRACE(testing::Message() << '"' << text << '"');
    EXPECT_FALSE(parse_number(text).has_value());
  }
}

TEST(ValueText, GFormWithThreeDigitExponentsAndFailureWords) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  constexpr struct {
    int status;
    double value;
    std::string_view text;
  } cases[] = {{0, 100.0, "100"},
               {0, 0.5, "0.5"},
               {0, 0.00001, "1E-005"},
               {0, -0.000123456789, "-0.000123457"},
               {0, 1234567.0, "1.23457E+006"},

               {0, 1.5e300, "1.5E+300"},
               {3, 1.0, "N/A"},
               {1, 1.0, "Error"},

               {0, inf, "Error"},
               {0, std::numeric_limits<double>::quiet_NaN(), "Error"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.status << ", " << c.value);
    EXPECT_EQ(value_text(c.status, c.value), c.text);
  }
}

TEST(StateRows, EveryPropertyOnceWithItsOwnUtf8Units) {
  std::set<int> codes;
  for (const auto& row : state_rows) {
    codes.insert(row.code);
    EXPECT_FALSE(unit_text(row, 0).empty() || unit_text(row, 1).empty()) << row.code;
  }
  EXPECT_EQ(codes.size(), 27u);
  EXPECT_EQ(name_text(state_rows[21]), "Thermal conductivity");
  EXPECT_EQ(unit_text(state_rows[3], 1), "ft\xC2\xB3/lb");
}

}  // namespace
}  // namespace Vantrel
