// The Superheated/Subcooled page driven through the in-memory platform, with recording entry
// points.

#include "pages/superheated_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory_platform.h"
#include "recorded_lookups.h"

namespace Vantrel {
namespace {

using testing_support::memory_platform;
using testing_support::recorder;
using testing_support::recording_lookups;
using testing_support::user;

class SuperheatedPage : public ::testing::Test {
 protected:
  void SetUp() override { recorder() = {}; }

  void show() {
    page.Initialise();
    page.Activate();
  }
  void calculate(std::string_view first, std::string_view second) {
    me.type(control::first_edit, first);
    me.type(control::second_edit, second);
    me.click(control::calculate);
  }
  std::vector<std::string> second_entries() const {
    return platform.combos.at(control::second_variable).entries;
  }
  std::string second_selected() const {
    const auto& box = platform.combos.at(control::second_variable);
    return box.selection < 0 ? std::string() : box.entries.at(box.selection);
  }

  memory_platform platform;
  CSuperheatedPage page{platform, recording_lookups()};
  user me{platform, page};
};

TEST_F(SuperheatedPage, FirstShowing) {
  show();
  const auto& first = platform.combos.at(control::first_variable);
  EXPECT_EQ(first.entries, (std::vector<std::string>{"Temperature", "Pressure"}));
  EXPECT_EQ(first.selection, 0);
  EXPECT_EQ(second_entries(), (std::vector<std::string>{"Pressure", "Volume", "Enthalpy", "Entropy",
                                                        "Internal energy"}));
  EXPECT_EQ(second_selected(), "Pressure");
  EXPECT_FALSE(platform.is_enabled(control::calculate));
  EXPECT_EQ(platform.items.size(), 27u);
  EXPECT_TRUE(recorder().calls.empty());
}

TEST_F(SuperheatedPage, CalculateNeedsBothEdits) {
  show();
  me.type(control::first_edit, "25");
  EXPECT_FALSE(platform.is_enabled(control::calculate));
  me.type(control::second_edit, "1");
  EXPECT_TRUE(platform.is_enabled(control::calculate));
  me.type(control::first_edit, "");
  EXPECT_FALSE(platform.is_enabled(control::calculate));
}

TEST_F(SuperheatedPage, AcceptsEveryNumberForm) {
  show();
  struct accepted {
    const char* text;
    double value;
  };
  for (const accepted a :
       {accepted{"1e3", 1000}, accepted{"1d3", 1000}, accepted{"-4.5E-2", -0.045},
        accepted{".5", 0.5}, accepted{"   25", 25}}) {
    SCOPED_TRACE(a.text);
    calculate(a.text, a.text);
    EXPECT_TRUE(platform.warnings.empty());
    EXPECT_EQ(recorder().calls.back().first, a.value);
    EXPECT_EQ(recorder().calls.back().second, a.value);
  }
}

TEST_F(SuperheatedPage, RefusedNumberWarnsAndFocusesTheFailingEdit) {
  show();
  for (const char* bad : {"25 ", "1,5", "1e", "inf", "abc"}) {
    SCOPED_TRACE(bad);
    platform.warnings.clear();
    calculate(bad, "1");
    ASSERT_EQ(platform.warnings.size(), 1u);
    EXPECT_EQ(platform.warnings[0], "Invalid number specified.");
    EXPECT_EQ(platform.focused, control::first_edit);

    platform.warnings.clear();
    calculate("25", bad);
    ASSERT_EQ(platform.warnings.size(), 1u);
    EXPECT_EQ(platform.focused, control::second_edit);
  }
  EXPECT_TRUE(recorder().calls.empty());
  EXPECT_EQ(platform.value("Temperature"), "");
}

TEST_F(SuperheatedPage, SelectionsGiveTheInputPairCode) {
  show();
  int expected = 0;
  for (int first = 0; first < 2; ++first) {
    me.choose(control::first_variable, first);
    for (int second = 0; second < static_cast<int>(second_entries().size()); ++second) {
      me.choose(control::second_variable, second);
      calculate("100", "1");
      EXPECT_EQ(recorder().calls.back().pair_code, expected) << first << ", " << second;
      ++expected;
    }
  }
  EXPECT_EQ(expected, 9);  // pair code 9 is never produced here
}

TEST_F(SuperheatedPage, SecondListKeepsTheIndexNotTheVariable) {
  show();
  me.choose(control::second_variable, 1);  // Volume
  me.choose(control::first_variable, 1);   // Pressure
  EXPECT_EQ(second_entries(),
            (std::vector<std::string>{"Volume", "Enthalpy", "Entropy", "Internal energy"}));
  EXPECT_EQ(second_selected(), "Enthalpy");

  me.choose(control::first_variable, 0);
  me.choose(control::second_variable, 4);  // Internal energy, the last
  me.choose(control::first_variable, 1);
  EXPECT_EQ(second_selected(), "Internal energy");  // index 3 of the shorter list
  me.choose(control::first_variable, 0);
  EXPECT_EQ(second_selected(), "Entropy");
}

TEST_F(SuperheatedPage, QualityRowNamesThePhase) {
  show();
  struct phase {
    double answer;
    const char* text;
  };
  for (const phase p :
       {phase{-1, "Indeterminate"}, phase{-2, "Superheated"}, phase{-3, "Subcooled"},
        phase{0.25, "25"}, phase{1, "100"}, phase{0, "0"}, phase{-4, "-400"}}) {
    recorder().quality_answer = p.answer;
    calculate("100", "1");
    EXPECT_EQ(platform.value("Steam quality"), p.text);
  }
  recorder().forced_status = 3;
  calculate("100", "1");
  EXPECT_EQ(platform.value("Steam quality"), "N/A");
}

TEST_F(SuperheatedPage, UnitSwitchKeepsThePairOfTheLastCalculate) {
  show();
  calculate("100", "1");  // temperature and pressure
  me.choose(control::first_variable, 1);
  me.choose(control::second_variable, 2);
  me.type(control::first_edit, "5");
  recorder().clear();
  me.click(control::english);
  ASSERT_EQ(recorder().calls.size(), 27u);
  for (const auto& call : recorder().calls) {
    EXPECT_EQ(call.pair_code, 0);
    EXPECT_EQ(call.first, 100.0);  // now read as 100 °F
    EXPECT_EQ(call.second, 1.0);
    EXPECT_EQ(call.unit_system, 1);
  }
  EXPECT_EQ(platform.unit("Pressure"), "psia");
}

TEST_F(SuperheatedPage, RejectedCalculateKeepsWhatWasStored) {
  show();
  calculate("100", "1");
  me.choose(control::first_variable, 1);
  calculate("7", "1,5");  // refused on the second edit, after the first was read
  EXPECT_EQ(platform.warnings.size(), 1u);
  recorder().clear();
  me.click(control::english);
  ASSERT_FALSE(recorder().calls.empty());
  EXPECT_EQ(recorder().calls.back().first, 100.0);
  EXPECT_EQ(recorder().calls.back().second, 1.0);
  EXPECT_EQ(recorder().calls.back().pair_code, 0);
}

TEST_F(SuperheatedPage, ActivationFollowsASwitchMadeElsewhere) {
  show();
  calculate("100", "1");
  platform.store_units(1);
  recorder().clear();
  page.Activate();
  EXPECT_TRUE(platform.is_checked(control::english));
  EXPECT_FALSE(platform.is_checked(control::metric));
  EXPECT_EQ(recorder().calls.size(), 27u);
  EXPECT_EQ(recorder().calls.back().unit_system, 1);
  EXPECT_EQ(platform.unit("Temperature"),
            "\xC2\xB0"
            "F");
}

TEST_F(SuperheatedPage, CloseClosesTheWindow) {
  show();
  me.click(control::close);
  EXPECT_TRUE(platform.closed);
}

}  // namespace
}  // namespace Vantrel
