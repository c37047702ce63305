// state, sat and constants: the table form shows exactly what the window's pages show for the
// same inputs, and the machine formats carry the entry points' numbers bit for bit.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "cli/output.h"
#include "cli_test_support.h"
#include "lookup/lookup.h"
#include "memory_platform.h"
#include "pages/constant_page.h"
#include "pages/rows.h"
#include "pages/saturated_page.h"
#include "pages/superheated_page.h"

namespace Vantrel::cli {
namespace {

using testing_support::csv_numbers;
using testing_support::lines;
using testing_support::run_cli;
using testing_support::split;
using testing_support::table_cells;
using Vantrel::testing_support::memory_platform;
using Vantrel::testing_support::user;

using text_row = std::vector<std::string>;

// The cells of the result list as the window shows them.
std::vector<text_row> page_rows(const memory_platform& platform) {
  std::vector<text_row> rows;
  for (const auto& item : platform.items) {
    rows.push_back({item.cells[0], item.cells[1], item.cells[2]});
  }
  return rows;
}

// The rows of the table form, below its header line.
std::vector<text_row> table_rows(const std::string& out) {
  std::vector<text_row> rows;
  const auto all = lines(out);
  EXPECT_FALSE(all.empty());
  for (std::size_t i = 1; i < all.size(); ++i) rows.push_back(table_cells(all[i]));
  return rows;
}

const char* units_name(int unit_system) {
  return unit_system == 0 ? "si" : "english";
}

struct two_input_case {
  const char* pair;
  int first_variable;   // selection of the page's first drop-down list
  int second_variable;  // selection of its second list
  const char* a;
  const char* b;
  int unit_system;
};

// Liquid, vapour, supercritical, two-phase and English states, through every page pair.
constexpr two_input_case two_input_cases[] = {
    {"T-p", 0, 0, "25", "1", 0},       {"T-p", 0, 0, "200", "1", 0},
    {"T-p", 0, 0, "400", "300", 0},    {"T-v", 0, 1, "150", "0.2", 0},
    {"T-h", 0, 2, "300", "2900", 0},   {"T-s", 0, 3, "120", "1.5", 0},
    {"T-u", 0, 4, "80", "300", 0},     {"p-v", 1, 0, "5", "0.3", 0},
    {"p-h", 1, 1, "10", "1500", 0},    {"p-s", 1, 2, "50", "7", 0},
    {"p-u", 1, 3, "1", "2600", 0},     {"T-p", 0, 0, "500", "100", 1},
    {"p-h", 1, 1, "14.696", "600", 1},
};

TEST(StateCommand, TableShowsWhatTheSuperheatedPageShows) {
  for (const auto& c : two_input_cases) {
    SCOPED_TRACE(testing::Message()
                 << c.pair << " " << c.a << " " << c.b << " units " << c.unit_system);
    memory_platform platform;
    platform.store_units(c.unit_system);
    CSuperheatedPage page(platform);
    user me(platform, page);
    page.Initialise();
    page.Activate();
    me.choose(control::first_variable, c.first_variable);
    me.choose(control::second_variable, c.second_variable);
    me.type(control::first_edit, c.a);
    me.type(control::second_edit, c.b);
    me.click(control::calculate);

    const auto result = run_cli({"state", c.pair, c.a, c.b, "--units", units_name(c.unit_system)});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(table_rows(result.out), page_rows(platform));
  }
}

TEST(StateCommand, MachineFormatsCarryTheLookupValuesExactly) {
  // Subcooled, two-phase (a percentage) and enthalpy-entropy input, which no page offers.
  struct state_case {
    const char* pair;
    int code;
    double a, b;
  };
  for (const auto& c : {state_case{"T-p", 0, 25, 1}, state_case{"p-h", 6, 10, 1500},
                        state_case{"h-s", 9, 3000, 7}}) {
    SCOPED_TRACE(c.pair);
    const std::string a = std::to_string(c.a), b = std::to_string(c.b);
    for (const char* format : {"csv", "tsv", "json"}) {
      SCOPED_TRACE(format);
      const auto result = run_cli({"state", c.pair, a, b, "--format", format});
      ASSERT_EQ(result.status, 0) << result.err;
      const auto out = lines(result.out);
      const bool json = std::string(format) == "json";
      ASSERT_EQ(out.size(), 1 + state_rows.size() + (json ? 1 : 0));
      for (std::size_t i = 0; i < state_rows.size(); ++i) {
        const int code = state_rows[i].code;
        SCOPED_TRACE(code);
        double expected = 0.0;
        const int status = lookup_property(c.a, c.b, c.code, code, 0, &expected);
        std::string value, word;
        if (json) {
          // {"name": ..., "property": ..., "value": V, "unit": ..., "status": S}
          const std::string& line = out[i + 1];
          const auto v = line.find("\"value\": ") + 9;
          value = line.substr(v, line.find(',', v) - v);
          const auto s = line.find("\"status\": ") + 10;
          word = line.substr(s, line.rfind('}') - s);
          if (value == "null") value.clear();
          word = word == "null" ? "" : word.substr(1, word.size() - 2);
        } else {
          const auto fields = split(out[i + 1], std::string(format) == "csv" ? ',' : '\t');
          ASSERT_EQ(fields.size(), 5u);
          value = fields[2];
          word = fields[4];
        }
        if (status == status_not_applicable) {
          EXPECT_EQ(value, "");
          EXPECT_EQ(word, "N/A");
        } else if (code == 25 && expected < 0) {
          EXPECT_EQ(value, "");
          EXPECT_TRUE(word == "Subcooled" || word == "Superheated" || word == "Indeterminate");
        } else {
          ASSERT_EQ(status, status_ok);
          EXPECT_EQ(word, "");
          EXPECT_EQ(std::stod(value), code == 25 ? expected * 100 : expected);
        }
      }
    }
  }
}

TEST(StateCommand, PropsPicksRowsInTheOrderGiven) {
  const auto result = run_cli({"state", "T-p", "25", "1", "--props", "s,h,T", "--format", "csv"});
  ASSERT_EQ(result.status, 0);
  const auto out = lines(result.out);
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(split(out[1], ',')[0], "s");
  EXPECT_EQ(split(out[2], ',')[0], "h");
  EXPECT_EQ(split(out[3], ',')[1], "Temperature");
}

TEST(StateCommand, StateThatCannotBeBuiltExitsOneWithNothingOnOutput) {
  // 100001 bar is above the highest pressure of any state.
  const auto result = run_cli({"state", "T-p", "25", "100001"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find("out of range"), std::string::npos) << result.err;
}

struct saturated_case {
  const char* variable;
  const char* value;
  const char* phase;    // --phase, or nullptr
  const char* quality;  // --quality, or nullptr
  int unit_system;
};

TEST(SatCommand, TableShowsWhatTheSaturatedPageShows) {
  constexpr saturated_case cases[] = {
      {"T", "100", nullptr, nullptr, 0}, {"T", "100", "liquid", nullptr, 0},
      {"T", "250", nullptr, "0.3", 0},   {"p", "1", "vapor", nullptr, 0},
      {"p", "150", nullptr, "1", 0},     {"T", "212", "liquid", nullptr, 1},
      {"p", "100", nullptr, "0.5", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.variable << " " << c.value << " units " << c.unit_system);
    memory_platform platform;
    platform.store_units(c.unit_system);
    CSaturatedPage page(platform);
    user me(platform, page);
    page.Initialise();
    page.Activate();
    if (std::string(c.variable) == "p") me.click(control::pressure);
    me.type(control::value_edit, c.value);
    std::vector<std::string> args{"sat", c.variable, c.value, "--units", units_name(c.unit_system)};
    if (c.quality) {
      me.click(control::two_phase);
      me.type(control::quality_edit, c.quality);
      args.insert(args.end(), {"--quality", c.quality});
    } else if (c.phase) {
      if (std::string(c.phase) == "liquid") me.click(control::liquid);
      args.insert(args.end(), {"--phase", c.phase});
    }
    me.click(control::calculate);

    const auto result = run_cli(args);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(table_rows(result.out), page_rows(platform));
  }
}

TEST(SatCommand, BoilingPointAtOneAtmosphere) {
  const auto result = run_cli({"sat", "T", "100", "--props", "p,x", "--format", "csv"});
  ASSERT_EQ(result.status, 0);
  const auto out = lines(result.out);
  ASSERT_EQ(out.size(), 3u);
  // IAPWS-95: saturation pressure at 373.15 K is 0.101418 MPa.
  EXPECT_NEAR(std::stod(split(out[1], ',')[2]), 1.01418, 1e-5);
  EXPECT_EQ(split(out[2], ',')[2], "100");
}

TEST(SatCommand, MixtureReportsNotApplicableRowsAsWords) {
  const auto result = run_cli({"sat", "p", "10", "--quality", "0.5", "--format", "json"});
  ASSERT_EQ(result.status, 0);
  const auto out = lines(result.out);
  bool found = false;
  for (const auto& line : out) {
    if (line.find("\"name\": \"cp\"") == std::string::npos) continue;
    found = true;
    EXPECT_NE(line.find("\"value\": null"), std::string::npos) << line;
    EXPECT_NE(line.find("\"status\": \"N/A\""), std::string::npos) << line;
  }
  EXPECT_TRUE(found);
  double expected = 0.0;
  ASSERT_EQ(lookup_psat(10, 0.5, 8, 0, &expected), 0);
  EXPECT_NE(result.out.find("\"value\": " + number_text(expected)), std::string::npos);
}

TEST(ConstantsCommand, MatchesTheConstantsPageAndTheEntryPoints) {
  for (const int unit_system : {0, 1}) {
    SCOPED_TRACE(unit_system);
    memory_platform platform;
    platform.store_units(unit_system);
    CConstantPage page(platform);
    page.Initialise();
    const auto table = run_cli({"constants", "--units", units_name(unit_system)});
    ASSERT_EQ(table.status, 0);
    EXPECT_EQ(table_rows(table.out), page_rows(platform));

    const auto csv =
        lines(run_cli({"--units", units_name(unit_system), "--format", "csv", "constants"}).out);
    ASSERT_EQ(csv.size(), 9u);
    for (int code = 0; code < 8; ++code) {
      double expected = 0.0;
      ASSERT_EQ(lookup_constant(code, unit_system, &expected), 0);
      EXPECT_EQ(std::stod(split(csv[code + 1], ',')[2]), expected) << code;
    }
  }
  EXPECT_NE(run_cli({"constants"}).out.find("373.946"), std::string::npos);
}

}  // namespace
}  // namespace Vantrel::cli
