// Bad usage is refused with status 2, a message on standard error and nothing on standard
// output; --help and --version answer on standard output.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli_test_support.h"

namespace Vantrel::cli {
namespace {

using testing_support::run_cli;

struct refused_case {
  std::vector<std::string> args;
  const char* message;  // a part of what standard error must say
};

TEST(Usage, RefusedWithStatusTwoAndNothingOnOutput) {
  const refused_case cases[] = {
      {{}, "subcommand"},
      {{"state", "T-q", "25", "1"}, "T-q"},
      {{"state", "T-p", "25"}, "B"},
      {{"state", "T-p", "25x", "1"}, "A \"25x\": Invalid number specified."},
      {{"state", "T-p", "25", "1,5"}, "B \"1,5\": Invalid number specified."},
      {{"state", "T-p", "25", "1", "--props", "T,enthalpy"}, "enthalpy"},
      {{"sat", "T", "100", "--quality", "1.0001"}, "faction between 0 and 1"},
      {{"sat", "T", "100", "--quality", "half"}, "--quality \"half\": Invalid number"},
      {{"sat", "T", "100", "--quality", "0.5", "--phase", "liquid"}, "excludes"},
      {{"table", "sat-T", "0", "100", "0"}, "STEP must not be zero"},
      {{"table", "sat-T", "100", "0", "10"}, "STEP must lead"},
      {{"table", "sat-T", "0", "100", "1e-6"}, "more than"},
      {{"table", "isobar", "0", "100", "10"}, "--at"},
      {{"table", "sat-p", "1", "100", "10", "--at", "5"}, "--at"},
      {{"state", "T-p", "25", "-inf"}, "B \"-inf\": Invalid number specified."},
      {{"state", "T-p", "-NaN", "1"}, "A \"-NaN\": Invalid number specified."},
      {{"table", "isobar", "0", "100", "10", "--at", "-infinity"}, "--at \"-infinity\": Invalid"},
      {{"state", "T-p", "25", "1e-400"}, "B \"1e-400\": Invalid number specified."},
      {{"sat", "p", "-2.5e-999999"}, "VALUE \"-2.5e-999999\": Invalid"},
      {{"sat", "T", "100", "--quality", ""}, "--quality \"\": Invalid number"},
      {{"batch", "/nonexistent/states.csv"}, "cannot be opened"},
      {{"batch", std::filesystem::temp_directory_path().string()}, "is a directory"},
  };
  for (const auto& c : cases) {
    std::string joined;
    for (const auto& a : c.args) joined += a + " ";
    SCOPED_TRACE(joined);
    const auto result = run_cli(c.args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
  }
}

// -5 °C is a number, not an option, below the triple point; 100001 bar is above the highest
// pressure of any state. A batch writes its line for the state and goes on.
TEST(Usage, StatesThatCannotBeBuiltExitOne) {
  const struct {
    std::vector<std::string> args;
    std::string input;
    long out_lines;
  } cases[] = {{{"sat", "T", "-5"}, "", 0},
               {{"state", "T-p", "25", "100001"}, "", 0},
               {{"batch"}, "T-p,25,1\nT-p,-100,1\n", 4}};
  for (const auto& c : cases) {
    const auto result = run_cli(c.args, c.input);
    EXPECT_EQ(result.status, 1) << c.args[0];
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), c.out_lines) << c.args[0];
    EXPECT_NE(result.err.find("invalid or out of range"), std::string::npos) << result.err;
  }
  const auto down = run_cli({"table", "sat-T", "100", "50", "-25", "--format", "csv"});
  EXPECT_EQ(down.status, 0) << down.err;
}

// Careless spellings that mean one thing are read as that thing.
TEST(Usage, EitherSpellingOfVapourAndBlanksAfterANumber) {
  EXPECT_EQ(run_cli({"sat", "T", "100", "--phase", "vapour"}).out,
            run_cli({"sat", "T", "100", "--phase", "vapor"}).out);
  const auto plain = run_cli({"state", "T-p", "25", "1", "--format", "csv"});
  ASSERT_EQ(plain.status, 0);
  EXPECT_EQ(run_cli({"state", "T-p", "25 ", "1\t", "--format", "csv"}).out, plain.out);
  EXPECT_EQ(run_cli({"state", "T-p", " 25", " 1", "--format", "csv"}).out, plain.out);
}

// Output that does not reach its file is an error of its own, for single states, sweeps and
// batches alike, and a batch stops reading when it can no longer write.
TEST(Usage, AFullDeviceExitsThreeWithAMessage) {
  std::string batch;
  for (int i = 0; i < 100000; ++i) batch += "T-p,25,1\n";
  const std::vector<std::string> commands[] = {
      {"state", "T-p", "25", "1"}, {"table", "sat-T", "0.01", "373", "0.0373"}, {"batch"}};
  for (const auto& args : commands) {
    SCOPED_TRACE(args[0]);
    std::ofstream full("/dev/full");
    std::istringstream in(batch);
    std::ostringstream err;
    EXPECT_EQ(run(args, in, full, err), 3);
    EXPECT_EQ(err.str(), "kelvora-cli: could not write the output\n");
    if (args[0] == "batch") {
      EXPECT_GT(in.rdbuf()->in_avail(), 0);
    }
  }
}

TEST(Usage, HelpAndVersionAnswerOnStandardOutput) {
  const auto version = run_cli({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "kelvora-cli 2.0 (IAPWS-95)\n");

  const auto help = run_cli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.err, "");
  for (const char* sub : {"state", "sat", "constants", "table", "batch"}) {
    EXPECT_NE(help.out.find(sub), std::string::npos) << sub;
    const auto sub_help = run_cli({sub, "--help"});
    EXPECT_EQ(sub_help.status, 0);
    EXPECT_NE(sub_help.out.find(std::string("kelvora-cli ") + sub), std::string::npos) << sub;
    EXPECT_NE(sub_help.out.find("--units"), std::string::npos) << sub;
  }
  for (const char* sub : {"state", "table", "batch"}) {
    EXPECT_NE(run_cli({sub, "--help"}).out.find("kelvora-cli props"), std::string::npos) << sub;
  }
}

}  // namespace
}  // namespace Vantrel::cli
