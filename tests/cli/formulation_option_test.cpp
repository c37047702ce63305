// --formulation reaches the states of every command: IAPWS-IF97 answers where it is chosen,
// names itself where its range ends, and an unknown word is refused.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_test_support.h"

namespace Vantrel::cli {
namespace {

using testing_support::lines;
using testing_support::run_cli;
using testing_support::split;

// The value column of a one-property csv state.
double value_of(const std::vector<std::string>& args) {
  const auto result = run_cli(args);
  EXPECT_EQ(result.status, 0) << result.err;
  const auto out = lines(result.out);
  if (out.size() < 2) return 0.0;
  return std::stod(split(out[1], ',')[2]);
}

// 30 bar and 3000 kJ/kg is superheated steam at about 302 °C (region 2 of IF97); the two
// formulations agree there to within their consistency but not to the bit.
TEST(FormulationOption, StateAnswersUnderIf97) {
  const std::vector<std::string> base{"state",   "p-h", "30",       "3000",
                                      "--props", "T,x", "--format", "csv"};
  auto if97 = base;
  if97.insert(if97.end(), {"--formulation", "if97"});
  const auto result = run_cli(if97);
  ASSERT_EQ(result.status, 0) << result.err;
  const auto out = lines(result.out);
  ASSERT_GE(out.size(), 3u);
  const double t97 = std::stod(split(out[1], ',')[2]);
  EXPECT_NE(out[2].find("Superheated"), std::string::npos) << out[2];
  auto t95_args = base;
  t95_args[5] = "T";
  const double t95 = value_of(t95_args);
  EXPECT_NEAR(t97, t95, 0.05);
  EXPECT_NE(t97, t95);
}

// The saturated states take it too.
TEST(FormulationOption, SaturationUnderIf97) {
  const auto sat95 = value_of({"sat", "T", "100", "--props", "p", "--format", "csv"});
  const auto sat97 =
      value_of({"sat", "T", "100", "--props", "p", "--format", "csv", "--formulation", "if97"});
  EXPECT_NEAR(sat97, sat95, 1e-4);
  EXPECT_NE(sat97, sat95);
}

// The diagrams draw under it: the p-T diagram's vaporization line at 0.01 °C is IF97's
// saturation pressure there, not IAPWS-95's.
TEST(FormulationOption, ChartDrawsUnderIf97) {
  const auto first_vaporization = [](const std::vector<std::string>& args) {
    const auto result = run_cli(args);
    EXPECT_EQ(result.status, 0) << result.err;
    for (const auto& line : lines(result.out)) {
      if (line.starts_with("vaporization,")) return std::stod(split(line, ',')[3]);
    }
    return 0.0;
  };
  const double p95 = first_vaporization({"chart", "p-T", "--format", "csv"});
  const double p97 =
      first_vaporization({"chart", "p-T", "--format", "csv", "--formulation", "if97"});
  // 0.00611657 bar at the triple point; the formulations differ in the sixth digit.
  EXPECT_NEAR(p97, 0.0061166, 1e-7);
  EXPECT_NEAR(p95, 0.0061165, 1e-7);
  EXPECT_NE(p97, p95);
}

TEST(FormulationOption, OutsideIf97NamesItAndUnknownWordsAreRefused) {
  // 2100 °C is inside IAPWS-95 and IF97 region 5 only up to 50 MPa (500 bar).
  const auto beyond =
      run_cli({"state", "T-p", "2100", "600", "--format", "csv", "--formulation", "if97"});
  EXPECT_NE(beyond.status, 0);
  EXPECT_NE(beyond.err.find("IAPWS-IF97"), std::string::npos) << beyond.err;
  EXPECT_EQ(run_cli({"state", "T-p", "2100", "600", "--format", "csv"}).status, 0);

  const auto unknown = run_cli({"state", "T-p", "25", "1", "--formulation", "if98"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("iapws95|if97"), std::string::npos) << unknown.err;
}

}  // namespace
}  // namespace Vantrel::cli
