// kelvora-cli chart: the lines of a diagram as rows quantity,value,x,y, breaks as empty rows
// (csv, tsv) or null (json).
#include <gtest/gtest.h>

#include <string>

#include "cli_test_support.h"

namespace Vantrel::cli {
namespace {

using testing_support::lines;
using testing_support::run_cli;
using testing_support::split;

TEST(ChartCommand, WritesTheLinesWithBreaksBetweenThem) {
  const auto csv = run_cli({"chart", "p-T"});
  ASSERT_EQ(csv.status, 0) << csv.err;
  const auto rows = lines(csv.out);
  ASSERT_GT(rows.size(), 100u);
  EXPECT_EQ(rows.front(), "quantity,value,x,y");
  int breaks = 0;
  bool ice_vii = false;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    if (rows[i].empty()) {
      ++breaks;
      EXPECT_FALSE(rows[i - 1].empty()) << "two breaks in a row at " << i;
      continue;
    }
    const auto cells = split(rows[i], ',');
    ASSERT_EQ(cells.size(), 4u) << rows[i];
    EXPECT_EQ(cells[1], "") << "the p-T curves hold no value";
    ice_vii |= cells[0] == "melting-VII";
  }
  EXPECT_GE(breaks, 6);  // between the seven curves
  EXPECT_TRUE(ice_vii);

  const auto tsv = run_cli({"chart", "T-s", "--units", "english", "--format", "tsv"});
  ASSERT_EQ(tsv.status, 0) << tsv.err;
  EXPECT_EQ(lines(tsv.out).front(), "quantity\tvalue\tx\ty");
  EXPECT_NE(tsv.out.find("\np\t1000\t"), std::string::npos) << "the 1000 psia isobar";

  const auto json = run_cli({"chart", "p-h", "--format", "json"});
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(json.out.front(), '[');
  EXPECT_NE(json.out.find("{\"quantity\":\"x\",\"value\":0,\"x\":"), std::string::npos);
  EXPECT_NE(json.out.find("\nnull,\n"), std::string::npos);

  const auto bad = run_cli({"chart", "T-v"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_TRUE(bad.out.empty());
}

}  // namespace
}  // namespace Vantrel::cli
