// --transport: the choice of viscosity and conductivity equations reaches every command that
// computes states, and the default is the entry points' numbers as before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_test_support.h"
#include "lookup/lookup.h"
#include "lookup/pairs.h"
#include "lookup/state.h"

namespace Vantrel::cli {
namespace {

using namespace testing_support;

constexpr method current{formulation::iapws95, transport_set::iapws2011};

// The commands at steam of 100 °C and 1 bar (sat: saturated vapour at 100 °C), csv, mu and
// lambda only; the state command's rows carry the value in the third field, the others are
// one line of numbers.
struct command {
  std::vector<std::string> args;
  std::string input;
  bool rows;
  int pair;
};
const command commands[] = {
    {{"state", "T-p", "100", "1"}, "", true, pair_tp},
    {{"sat", "T", "100"}, "", true, pair_tx},
    {{"table", "isobar", "100", "101", "10", "--at", "1"}, "", false, pair_tp},
    {{"batch"}, "T-p,100,1\n", false, pair_tp},
};

std::vector<double> mu_and_lambda(const outcome& result, bool rows) {
  const auto out = lines(result.out);
  if (!rows) return out.size() > 1 ? csv_numbers(out[1]) : std::vector<double>{};
  std::vector<double> values;
  for (std::size_t i = 1; i < out.size(); ++i) values.push_back(std::stod(split(out[i], ',')[2]));
  return values;
}

outcome run_with(const command& c, std::vector<std::string> extra) {
  auto args = c.args;
  for (const char* option : {"--props", "mu,lambda", "--format", "csv"}) args.push_back(option);
  args.insert(args.end(), extra.begin(), extra.end());
  return run_cli(args, c.input);
}

TEST(TransportOption, ReachesEveryStateCommand) {
  for (const auto& c : commands) {
    SCOPED_TRACE(c.args.front());
    const state_result expected = state(c.pair, 100.0, 1.0, current, metric_units);
    const outcome result = run_with(c, {"--transport", "2011"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(mu_and_lambda(result, c.rows),
              (std::vector<double>{expected[code_mu], expected[code_kt]}));
  }
}

TEST(TransportOption, TheDefaultIs1985AndTheEntryPointsNumbers) {
  for (const auto& c : commands) {
    SCOPED_TRACE(c.args.front());
    const outcome plain = run_with(c, {});
    EXPECT_EQ(run_with(c, {"--transport", "1985"}).out, plain.out);
    double mu = 0.0, lambda = 0.0;
    if (c.pair == pair_tx) {
      lookup_tsat(100.0, 1.0, code_mu, metric_units, &mu);
      lookup_tsat(100.0, 1.0, code_kt, metric_units, &lambda);
    } else {
      lookup_property(100.0, 1.0, pair_tp, code_mu, metric_units, &mu);
      lookup_property(100.0, 1.0, pair_tp, code_kt, metric_units, &lambda);
    }
    EXPECT_EQ(mu_and_lambda(plain, c.rows), (std::vector<double>{mu, lambda}));
  }
  const outcome unknown = run_cli({"state", "T-p", "100", "1", "--transport", "2008"});
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.err.find("1985|2011"), std::string::npos);
}

}  // namespace
}  // namespace Vantrel::cli
