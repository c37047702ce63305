// state, sat and constants: the table form shows exactly what the window's pages show for the
// same inputs, and the machine formats carry the entry points' numbers bit for bit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/output.h"
#include "cli_test_support.h"
#include "lookup/state.h"
#include "memory_platform.h"
#include "pages/constant_page.h"
#include "pages/rows.h"
#include "pages/saturated_page.h"
#include "pages/superheated_page.h"
#include "pages/value_text.h"

namespace Vantrel::cli {
namespace {

using namespace testing_support;
using Vantrel::testing_support::memory_platform;
using Vantrel::testing_support::user;
using text_row = std::vector<std::string>;

// The result list of a page shown in `unit_system`, after `script` has worked its controls.
template <class Page, class Script>
std::vector<text_row> page_rows(int unit_system, Script script) {
  memory_platform platform;
  platform.store_units(unit_system);
  Page page(platform);
  user me(platform, page);
  page.Initialise();
  page.Activate();
  script(me);
  std::vector<text_row> rows;
  for (const auto& item : platform.items) rows.emplace_back(item.cells.begin(), item.cells.end());
  return rows;
}

// The rows of the table form, below its header line; nothing unless the command succeeded.
std::vector<text_row> table_rows(const std::vector<std::string>& args) {
  const auto result = run_cli(args);
  EXPECT_EQ(result.status, 0) << result.err;
  std::vector<text_row> rows;
  const auto all = lines(result.out);
  for (std::size_t i = 1; i < all.size(); ++i) rows.push_back(table_cells(all[i]));
  return rows;
}

const char* units_name(int unit_system) {
  return unit_system == 0 ? "si" : "english";
}

TEST(StateCommand, TableShowsWhatTheSuperheatedPageShows) {
  // Liquid, vapour, supercritical, two-phase and English states, through every page pair:
  // the pair code, the page's two list selections, the inputs and the unit system.
  const struct {
    const char* pair;
    int first, second;
    const char *a, *b;
    int unit_system;
  } cases[] = {{"T-p", 0, 0, "25", "1", 0},      {"T-p", 0, 0, "200", "1", 0},
               {"T-p", 0, 0, "400", "300", 0},   {"T-v", 0, 1, "150", "0.2", 0},
               {"T-h", 0, 2, "300", "2900", 0},  {"T-s", 0, 3, "120", "1.5", 0},
               {"T-u", 0, 4, "80", "300", 0},    {"p-v", 1, 0, "5", "0.3", 0},
               {"p-h", 1, 1, "10", "1500", 0},   {"p-s", 1, 2, "50", "7", 0},
               {"p-u", 1, 3, "1", "2600", 0},    {"T-p", 0, 0, "500", "100", 1},
               {"p-h", 1, 1, "14.696", "600", 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pair << " " << c.a << " " << c.b << " " << c.unit_system);
    const auto shown = page_rows<CSuperheatedPage>(c.unit_system, [&](user& me) {
      me.choose(control::first_variable, c.first);
      me.choose(control::second_variable, c.second);
      me.type(control::first_edit, c.a);
      me.type(control::second_edit, c.b);
      me.click(control::calculate);
    });
    EXPECT_EQ(table_rows({"state", c.pair, c.a, c.b, "--units", units_name(c.unit_system)}), shown);
  }
}

TEST(SatCommand, TableShowsWhatTheSaturatedPageShows) {
  const struct {
    const char *variable, *value;
    const char* option;  // --phase or --quality, or nullptr
    const char* setting;
    int unit_system;
  } cases[] = {{"T", "100", nullptr, nullptr, 0},   {"T", "100", "--phase", "liquid", 0},
               {"T", "250", "--quality", "0.3", 0}, {"p", "1", "--phase", "vapor", 0},
               {"p", "150", "--quality", "1", 0},   {"T", "212", "--phase", "liquid", 1},
               {"p", "100", "--quality", "0.5", 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.variable << " " << c.value << " " << c.unit_system);
    std::vector<std::string> args{"sat", c.variable, c.value, "--units", units_name(c.unit_system)};
    if (c.option) args.insert(args.end(), {c.option, c.setting});
    const auto shown = page_rows<CSaturatedPage>(c.unit_system, [&](user& me) {
      if (std::string(c.variable) == "p") me.click(control::pressure);
      me.type(control::value_edit, c.value);
      if (c.option && std::string(c.option) == "--quality") {
        me.click(control::two_phase);
        me.type(control::quality_edit, c.setting);
      } else if (c.option && std::string(c.setting) == "liquid") {
        me.click(control::liquid);
      }
      me.click(control::calculate);
    });
    EXPECT_EQ(table_rows(args), shown);
  }
}

TEST(ConstantsCommand, MatchesTheConstantsPage) {
  for (const int unit_system : {0, 1}) {
    const auto shown = page_rows<CConstantPage>(unit_system, [](user&) {});
    EXPECT_EQ(table_rows({"--units", units_name(unit_system), "constants"}), shown);
  }
}

// The value and the status word of one csv, tsv or json line.
std::pair<std::string, std::string> value_and_word(const std::string& line,
                                                   const std::string& format) {
  if (format != "json") {
    const auto fields = split(line, format == "csv" ? ',' : '\t');
    EXPECT_EQ(fields.size(), 5u) << line;
    return {fields.at(2), fields.at(4)};
  }
  // {"name": ..., "value": 1.5 or null, "unit": ..., "status": "N/A" or null}
  const auto value_at = line.find("\"value\": ");
  const auto status_at = line.rfind("\"status\": ");
  EXPECT_TRUE(value_at != std::string::npos && status_at != std::string::npos) << line;
  if (value_at == std::string::npos || status_at == std::string::npos) return {};
  const auto value_start = value_at + 9;
  std::string value = line.substr(value_start, line.find(',', value_start) - value_start);
  std::string word = line.substr(status_at + 10);
  word = word.substr(0, word.find('}'));
  if (word.size() >= 2 && word.front() == '"') word = word.substr(1, word.size() - 2);
  return {value == "null" ? "" : value, word == "null" ? "" : word};
}

// Subcooled, two-phase (a percentage, and N/A rows), enthalpy-entropy input, which no page
// offers, and saturated states by temperature or pressure and vapour fraction.
TEST(StateCommand, MachineFormatsCarryTheFaceValuesExactly) {
  const struct {
    const char* pair;
    int code;
    double a, b;
  } cases[] = {{"T-p", pair_tp, 25, 1},
               {"p-h", pair_ph, 10, 1500},
               {"h-s", pair_hs, 3000, 7},
               {"T-x", pair_tx, 150, 0.25},
               {"p-x", pair_px, 10, 1}};
  for (const auto& c : cases) {
    for (const std::string format : {"csv", "tsv", "json"}) {
      SCOPED_TRACE(testing::Message() << c.pair << " " << format);
      const auto result =
          run_cli({"state", c.pair, number_text(c.a), number_text(c.b), "--format", format});
      ASSERT_EQ(result.status, 0) << result.err;
      const auto out = lines(result.out);
      ASSERT_EQ(out.size(), 1 + state_rows.size() + (format == "json" ? 1 : 0));
      for (std::size_t i = 0; i < state_rows.size(); ++i) {
        const int code = state_rows[i].code;
        const state_result face = state(c.code, c.a, c.b, method{}, metric_units);
        const double expected = face[code];
        const int status = face.status_of[static_cast<std::size_t>(code)];
        const auto [value, word] = value_and_word(out[i + 1], format);
        const auto marker = code == steam_quality_code && status == status_ok
                                ? quality_marker_text(expected)
                                : std::nullopt;
        if (status == status_not_applicable) {
          EXPECT_EQ(value + word, "N/A") << code;
        } else if (marker) {
          EXPECT_EQ(value + word, *marker) << code;
        } else {
          EXPECT_EQ(word, "") << code;
          EXPECT_EQ(std::stod(value), code == steam_quality_code ? expected * 100 : expected);
        }
      }
    }
  }
}

TEST(StateCommand, InputsReadBackAsTyped) {
  const auto metric = run_cli({"state", "T-p", "200", "1", "--props", "T,p", "--format", "csv"});
  EXPECT_EQ(lines(metric.out)[1].substr(0, 18), "T,Temperature,200,");
  EXPECT_EQ(lines(metric.out)[2].substr(0, 13), "p,Pressure,1,");
  const auto english = run_cli(
      {"state", "p-h", "14.7", "1000", "--units", "english", "--props", "p,h", "--format", "csv"});
  EXPECT_EQ(lines(english.out)[1].substr(0, 16), "p,Pressure,14.7,");
  EXPECT_EQ(lines(english.out)[2].substr(0, 16), "h,Enthalpy,1000,");
}

TEST(StateCommand, PropsPicksRowsInTheOrderGiven) {
  const auto result = run_cli({"state", "T-p", "25", "1", "--props", "s,h,T", "--format", "csv"});
  const auto out = lines(result.out);
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(split(out[1], ',')[0], "s");
  EXPECT_EQ(split(out[2], ',')[0], "h");
  EXPECT_EQ(split(out[3], ',')[1], "Temperature");
}

// The list of short names is the one the other commands take: every name it gives picks the row
// of that name, with the same property name and unit, in either unit system.
TEST(PropsCommand, ListsTheNamesAndUnitsThatStateShows) {
  for (const char* units : {"si", "english"}) {
    SCOPED_TRACE(units);
    const auto list = lines(run_cli({"props", "--units", units, "--format", "csv"}).out);
    ASSERT_EQ(list.size(), 1 + state_rows.size());
    EXPECT_EQ(list[0], "name,property,unit");
    std::string names;
    for (std::size_t i = 1; i < list.size(); ++i) {
      names += (i > 1 ? "," : "") + split(list[i], ',')[0];
    }
    const auto state =
        run_cli({"state", "T-p", "25", "1", "--units", units, "--props", names, "--format", "csv"});
    ASSERT_EQ(state.status, 0) << state.err;
    const auto rows = lines(state.out);
    ASSERT_EQ(rows.size(), list.size());
    for (std::size_t i = 1; i < rows.size(); ++i) {
      const auto listed = split(list[i], ',');
      const auto shown = split(rows[i], ',');
      EXPECT_EQ(listed, (std::vector<std::string>{shown[0], shown[1], shown[3]}));
    }
  }
}

}  // namespace
}  // namespace Vantrel::cli
