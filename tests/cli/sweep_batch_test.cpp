// table and batch: sweeps along the saturation line, isobars and isotherms, batches through a
// pipe, and round trips between input pairs through the full-precision output.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli_test_support.h"

namespace Vantrel::cli {
namespace {

using namespace testing_support;

TEST(SaturationTable, TriplePointToNearTheCriticalPointInKelvinSteps) {
  const auto result =
      run_cli({"table", "sat-T", "0.01", "373.9", "1", "--props", "T,p,rho,h", "--format", "csv"});
  ASSERT_EQ(result.status, 0) << result.err;
  const auto out = lines(result.out);
  ASSERT_EQ(out[0], "T [°C],p [bar],rho_liq [kg/m³],rho_vap [kg/m³],h_liq [kJ/kg],h_vap [kJ/kg]");
  ASSERT_EQ(out.size(), 1u + 374u);  // 0.01, 1.01, ... 373.01
  double last_p = 0.0;
  for (std::size_t i = 1; i < out.size(); ++i) {
    SCOPED_TRACE(out[i]);
    const auto v = csv_numbers(out[i]);
    ASSERT_EQ(v.size(), 6u);
    EXPECT_NEAR(v[0], 0.01 + static_cast<double>(i - 1), 1e-9);
    EXPECT_GT(v[1], last_p);
    EXPECT_GT(v[2], v[3]);  // the liquid is denser
    EXPECT_LT(v[4], v[5]);  // and takes up heat to boil
    last_p = v[1];
  }
  // IAPWS-95 saturation pressure at the triple point, 611.655 Pa.
  EXPECT_NEAR(csv_numbers(out[1])[1], 0.00611655, 1e-8);
}

TEST(SaturationTable, BeyondTheCriticalPointLinesShowErrorAndExitOne) {
  const auto result = run_cli({"table", "sat-T", "370", "380", "5"});
  EXPECT_EQ(result.status, 1);
  const auto out = lines(result.out);
  ASSERT_EQ(out.size(), 2u + 3u);  // names, units, 370, 375, 380
  EXPECT_EQ(out[2].find("Error"), std::string::npos);
  EXPECT_NE(out[3].find("Error"), std::string::npos);
  EXPECT_NE(result.err.find("2 of 3"), std::string::npos) << result.err;
}

// Each swept value is FROM + i·STEP, and it and the held variable read back exactly.
TEST(SinglePhaseSweeps, IsobarAndIsothermHoldTheirVariable) {
  struct sweep_case {
    const char* kind;
    double from, to, step, at;
  };
  for (const auto& c :
       {sweep_case{"isobar", 0, 400, 100, 1}, sweep_case{"isotherm", 1, 301, 75, 300}}) {
    SCOPED_TRACE(c.kind);
    const bool isobar = std::string(c.kind) == "isobar";
    const auto result =
        run_cli({"table", c.kind, number_text(c.from), number_text(c.to), number_text(c.step),
                 "--at", number_text(c.at), "--props", "T,p", "--format", "csv"});
    ASSERT_EQ(result.status, 0) << result.err;
    const auto out = lines(result.out);
    ASSERT_EQ(out.size(), 6u);
    for (std::size_t i = 1; i < out.size(); ++i) {
      const auto v = csv_numbers(out[i]);  // T, p
      EXPECT_EQ(v[isobar ? 0 : 1], c.from + c.step * static_cast<double>(i - 1));
      EXPECT_EQ(v[isobar ? 1 : 0], c.at);
    }
  }
}

TEST(SweepValues, StepsLandOnTheEndAndNeverPassIt) {
  const auto tenths = sweep_values(0, 1, 0.1);
  ASSERT_EQ(tenths.size(), 11u);
  EXPECT_EQ(tenths.back(), 1.0);
  const auto down = sweep_values(100, 0, -30);
  EXPECT_EQ(down, (std::vector<double>{100, 70, 40, 10}));
  EXPECT_EQ(sweep_values(5, 5, 1), std::vector<double>{5});
}

TEST(Batch, MixedLinesKeepOrderOneLineOutPerLineIn) {
  const std::string input =
      "T-p,25,1\n"
      "nonsense\n"
      "T-p,25,100001\n"     // above the highest pressure: no state
      "p-h,10,1e3x\n"       // not a number
      "T-y,25,1\n"          // no such pair
      "p-h, 10 , 1500\r\n"  // blanks around fields, carriage return
      "h-s,3000,7\n"
      "T-x,100,0.25\n";  // saturated, by temperature and vapour fraction
  const auto result = run_cli({"batch", "--props", "T,p,h,x", "--format", "csv"}, input);
  EXPECT_EQ(result.status, 2);
  const auto out = lines(result.out);
  ASSERT_EQ(out.size(), 1u + 8u);
  const bool ok[] = {true, false, false, false, false, true, true, true};
  for (std::size_t i = 0; i < 8; ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_EQ(out[i + 1] == "Error,Error,Error,Error", !ok[i]) << out[i + 1];
  }
  // The inputs of a state read back exactly, a mixture's pressure and quality too.
  EXPECT_EQ(csv_numbers(out[6])[1], 10.0);
  EXPECT_EQ(csv_numbers(out[8])[0], 100.0);
  EXPECT_EQ(csv_numbers(out[8])[3], 25.0);
  for (const char* line : {"line 2:", "line 3:", "line 4: B", "line 5:"}) {
    EXPECT_NE(result.err.find(line), std::string::npos) << line;
  }
  EXPECT_NE(result.err.find("Invalid number specified."), std::string::npos);
}

// As spreadsheets and people write them: a byte-order mark, blank lines and comments give no
// output line, and the messages still count them.
TEST(Batch, ByteOrderMarkBlankAndCommentLinesArePassedOver) {
  const std::string input =
      "\xEF\xBB\xBFT-p,25,1\r\n"
      "\n"
      "  \t \n"
      "# T-p,25,1\n"
      "   #T-p,25,1\n"
      "T-p,25,x\n"
      "T-p,25,100\n";
  const auto result = run_cli({"batch", "--props", "T,x", "--format", "csv"}, input);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(lines(result.out), (std::vector<std::string>{"T [°C],x [%]", "25,Subcooled",
                                                         "Error,Error", "25,Subcooled"}));
  EXPECT_EQ(result.err, "kelvora-cli: line 6: B \"x\": Invalid number specified.\n");
}

// A long field, or a terminal escape, must not reach standard error whole or raw. A field is
// quoted up to 40 characters, however many bytes they take, and marked where it goes on.
TEST(Batch, MessagesQuoteAShortEscapedPartOfABadField) {
  const std::string field(60000, '9');
  std::string forty;
  for (int i = 0; i < 40; ++i) forty += "\xC3\xA9";  // é
  const auto result = run_cli({"batch"}, "T-p,1," + field + "x\n\x1b[2J\xff\xC3\xA9,1,1\n" +
                                             "T-p,1," + forty + "\nT-p,1," + forty + "9\n");
  EXPECT_EQ(result.status, 2);
  const auto err = lines(result.err);
  ASSERT_EQ(err.size(), 4u);
  EXPECT_EQ(err[0],
            "kelvora-cli: line 1: B \"" + field.substr(0, 40) + "...\": Invalid number specified.");
  EXPECT_EQ(err[1].rfind("kelvora-cli: line 2: unknown input pair \"\\x1b[2J\\xff\xC3\xA9\" (", 0),
            0u)
      << err[1];
  EXPECT_EQ(err[2], "kelvora-cli: line 3: B \"" + forty + "\": Invalid number specified.");
  EXPECT_EQ(err[3], "kelvora-cli: line 4: B \"" + forty + "...\": Invalid number specified.");
}

// Serves `length` bytes of 'x' without a newline, then `tail`, never holding more than one
// block: an endless line as a device of zeros or a file without newlines gives it.
class endless_line : public std::streambuf {
 public:
  endless_line(std::size_t length, std::string tail)
      : block_(1 << 16, 'x'), left_(length), tail_(std::move(tail)) {}

 protected:
  int_type underflow() override {
    if (left_ > 0) {
      const std::size_t n = std::min(left_, block_.size());
      left_ -= n;
      setg(block_.data(), block_.data(), block_.data() + n);
    } else if (!tail_served_) {
      tail_served_ = true;
      setg(tail_.data(), tail_.data(), tail_.data() + tail_.size());
    } else {
      return traits_type::eof();
    }
    return traits_type::to_int_type(*gptr());
  }

 private:
  std::string block_;
  std::size_t left_;
  std::string tail_;
  bool tail_served_ = false;
};

long peak_resident_kib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// A quarter of a gigabyte in one line is passed over in bounded memory; its start is quoted
// with its line number, and the lines after it are read as usual.
TEST(Batch, AnOverlongLineIsRefusedInBoundedMemoryAndTheBatchGoesOn) {
  endless_line source(std::size_t{1} << 28, "\nT-p,25,1\n");
  std::istream in(&source);
  std::ostringstream out, err;
  const long before = peak_resident_kib();
  const int status = run({"batch", "--props", "T", "--format", "csv"}, in, out, err);
  EXPECT_LT(peak_resident_kib() - before, 32 * 1024);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(lines(out.str()), (std::vector<std::string>{"T [°C]", "Error", "25"}));
  EXPECT_EQ(err.str(),
            "kelvora-cli: line 1: \"" + std::string(40, 'x') + "...\": longer than 65536 bytes\n");
  // A line of exactly the longest length is still a line.
  const std::string longest = "T-p,25," + std::string(max_batch_line - 8, ' ') + "1";
  const auto result = run_cli({"batch", "--props", "T", "--format", "csv"}, longest + "\n");
  EXPECT_EQ(result.status, 0) << result.err;
}

TEST(Batch, JsonRowsAreNumbersOrWords) {
  const auto result =
      run_cli({"batch", "--props", "T,x,cp", "--format", "json"}, "T-p,25,1\np-h,10,1500\n");
  ASSERT_EQ(result.status, 0);
  const auto out = lines(result.out);
  ASSERT_EQ(out.size(), 5u);
  EXPECT_EQ(out[0].rfind("{\"columns\": [{\"name\": \"T\", \"unit\": \"°C\"}", 0), 0u);
  EXPECT_NE(out[2].find(", \"Subcooled\", "), std::string::npos) << out[2];
  EXPECT_NE(out[3].find(", \"N/A\"]"), std::string::npos) << out[3];
  EXPECT_EQ(out[4], " ]}");
}

// Each state goes out as T-p and comes back through another pair from the full-precision
// values of the first answer.
TEST(RoundTrips, FullPrecisionOutputRebuildsTheSameState) {
  const std::vector<std::pair<double, double>> states = {{25, 1},    {150, 3},  {350, 100},
                                                         {600, 250}, {20, 500}, {400, 300}};
  std::string forward;
  for (const auto& [T, p] : states)
    forward += "T-p," + number_text(T) + "," + number_text(p) + "\n";
  const auto first = run_cli({"batch", "--props", "T,p,v,h,s,u", "--format", "csv"}, forward);
  ASSERT_EQ(first.status, 0) << first.err;
  const auto rows = lines(first.out);

  std::string back;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const auto f = split(rows[i], ',');  // T, p, v, h, s, u as written
    back += "p-h," + f[1] + "," + f[3] + "\n";
    back += "p-s," + f[1] + "," + f[4] + "\n";
    back += "T-v," + f[0] + "," + f[2] + "\n";
    back += "p-u," + f[1] + "," + f[5] + "\n";
    back += "h-s," + f[3] + "," + f[4] + "\n";
  }
  const auto second = run_cli({"batch", "--props", "T,p", "--format", "csv"}, back);
  ASSERT_EQ(second.status, 0) << second.err;
  const auto answers = lines(second.out);
  ASSERT_EQ(answers.size(), 1 + 5 * states.size());
  for (std::size_t i = 0; i < states.size(); ++i) {
    for (std::size_t k = 0; k < 5; ++k) {
      SCOPED_TRACE(testing::Message() << "state " << i << " pair " << k);
      const auto v = csv_numbers(answers[1 + 5 * i + k]);
      EXPECT_NEAR(v[0], states[i].first, 1e-6);
      // Enthalpy and entropy of a liquid hardly depend on pressure, so h-s fixes it loosely.
      const double p_tolerance = (k == 4 ? 1e-6 : 1e-7) * states[i].second;
      EXPECT_NEAR(v[1], states[i].second, p_tolerance) << answers[1 + 5 * i + k];
    }
  }
}

}  // namespace
}  // namespace Vantrel::cli
