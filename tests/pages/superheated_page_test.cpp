// The Superheated/Subcooled page driven through the in-memory platform on the library's entry
// points.

#include "pages/superheated_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory_platform.h"
#include "page_cells.h"

namespace Vantrel {
namespace {

using testing_support::expect_shown;
using testing_support::memory_platform;
using testing_support::shown;
using testing_support::user;

class SuperheatedPage : public ::testing::Test {
 protected:
  void SetUp() override {
    page.Initialise();
    page.Activate();
  }
  void calculate(std::string_view first, std::string_view second) {
    me.type(control::first_edit, first);
    me.type(control::second_edit, second);
    me.click(control::calculate);
  }
  // Chooses the variables by index, then calculates.
  void calculate(int first, int second, std::string_view a, std::string_view b) {
    me.choose(control::first_variable, first);
    me.choose(control::second_variable, second);
    calculate(a, b);
  }
  std::string second_selected() const {
    const auto& box = platform.combos.at(control::second_variable);
    return box.selection < 0 ? std::string() : box.entries.at(box.selection);
  }

  memory_platform platform;
  CSuperheatedPage page{platform};
  user me{platform, page};
};

TEST_F(SuperheatedPage, FirstShowingAndEnabling) {
  const auto& first = platform.combos.at(control::first_variable);
  EXPECT_EQ(first.entries, (std::vector<std::string>{"Temperature", "Pressure"}));
  EXPECT_EQ(first.selection, 0);
  EXPECT_EQ(
      platform.combos.at(control::second_variable).entries,
      (std::vector<std::string>{"Pressure", "Volume", "Enthalpy", "Entropy", "Internal energy"}));
  EXPECT_EQ(second_selected(), "Pressure");
  EXPECT_EQ(platform.items.size(), 27u);

  EXPECT_FALSE(platform.is_enabled(control::calculate));
  me.type(control::first_edit, "25");
  EXPECT_FALSE(platform.is_enabled(control::calculate));
  me.type(control::second_edit, "1");
  EXPECT_TRUE(platform.is_enabled(control::calculate));
  me.type(control::first_edit, "");
  EXPECT_FALSE(platform.is_enabled(control::calculate));
}

TEST_F(SuperheatedPage, ReadsEveryNumberFormAndRefusesTheRest) {
  calculate("1d2", "  .1E1");
  EXPECT_TRUE(platform.warnings.empty());
  EXPECT_EQ(platform.value("Temperature"), "100");
  EXPECT_EQ(platform.value("Pressure"), "1");

  for (const char* bad : {"25 ", "1,5", "1e", "inf", "abc"}) {
    SCOPED_TRACE(bad);
    platform.warnings.clear();
    calculate(bad, "1");
    ASSERT_EQ(platform.warnings.size(), 1u);
    EXPECT_EQ(platform.warnings[0], "Invalid number specified.");
    EXPECT_EQ(platform.focused, control::first_edit);
    calculate("25", bad);
    EXPECT_EQ(platform.warnings.size(), 2u);
    EXPECT_EQ(platform.focused, control::second_edit);
  }
  EXPECT_EQ(platform.value("Temperature"), "100");  // the results stay
}

TEST_F(SuperheatedPage, SecondListKeepsTheIndexNotTheVariable) {
  me.choose(control::second_variable, 1);  // Volume
  me.choose(control::first_variable, 1);   // Pressure
  EXPECT_EQ(platform.combos.at(control::second_variable).entries.size(), 4u);
  EXPECT_EQ(second_selected(), "Enthalpy");

  me.choose(control::first_variable, 0);
  me.choose(control::second_variable, 4);  // Internal energy, the last
  me.choose(control::first_variable, 1);
  EXPECT_EQ(second_selected(), "Internal energy");  // index 3 of the shorter list
  me.choose(control::first_variable, 0);
  EXPECT_EQ(second_selected(), "Entropy");
}

TEST_F(SuperheatedPage, QualityRowNamesThePhase) {
  calculate("25", "1");
  EXPECT_EQ(platform.value("Steam quality"), "Subcooled");
  calculate("200", "1");
  EXPECT_EQ(platform.value("Steam quality"), "Superheated");
  calculate("400", "300");
  EXPECT_EQ(platform.value("Steam quality"), "Indeterminate");
  calculate(0, 2, "100", "1000");  // between the saturated enthalpies at 100 °C
  EXPECT_NEAR(shown(platform, "Steam quality"), 25.75, 0.05);
  EXPECT_EQ(platform.value("Viscosity (dynamic)"), "N/A");
}

struct single_phase_check {
  const char* celsius;
  const char* bar;
  double rho, w, s;
};

// IAPWS-95 single-phase check values (R6-95(2018), Table 7) at 500 and 900 K, entered as
// temperature and pressure in °C and bar.
constexpr single_phase_check table7[] = {
    {"226.85", "9.99938125", 0.4532e1, 0.535739001e3, 0.682502725e1},
    {"226.85", "100.003858", 0.838025e3, 0.127128441e4, 0.256690919e1},
    {"626.85", "200.000690", 0.526150e2, 0.698445674e3, 0.659070225e1},
};

TEST_F(SuperheatedPage, ReproducesSinglePhaseCheckValues) {
  for (const auto& c : table7) {
    SCOPED_TRACE(c.celsius);
    calculate(c.celsius, c.bar);
    expect_shown(platform, "Density", c.rho);
    expect_shown(platform, "Speed of sound", c.w);
    expect_shown(platform, "Entropy", c.s);
  }
}

// Every other input pair, fed the cells of a state computed from temperature and pressure,
// gives that state back: each selection reaches its own pair.
TEST_F(SuperheatedPage, InputPairsRoundTrip) {
  struct state {
    const char* celsius;
    const char* bar;
    bool vapour;  // in the liquid the pairs with temperature or volume are ill-conditioned
  };
  for (const state s :
       {state{"300", "10", true}, state{"50", "100", false}, state{"500", "250", true}}) {
    SCOPED_TRACE(testing::Message() << s.celsius << " C, " << s.bar << " bar");
    calculate(0, 0, s.celsius, s.bar);
    const std::string seconds[] = {platform.value("Volume"), platform.value("Enthalpy"),
                                   platform.value("Entropy"), platform.value("Internal energy")};
    for (int i = 0; i < 4; ++i) {
      SCOPED_TRACE(seconds[i]);
      if (s.vapour) {
        calculate(0, i + 1, s.celsius, seconds[i]);
        EXPECT_NEAR(shown(platform, "Pressure"), std::atof(s.bar), 2e-3 * std::atof(s.bar));
      }
      if (!s.vapour && i == 0) continue;
      calculate(1, i, s.bar, seconds[i]);
      EXPECT_NEAR(shown(platform, "Temperature"), std::atof(s.celsius), 0.05);
    }
  }
}

// The pair and the numbers of the last accepted Calculate are what a unit switch recomputes,
// whatever was chosen or refused since.
TEST_F(SuperheatedPage, UnitSwitchRecomputesTheLastAcceptedCalculate) {
  calculate("200", "1");
  me.choose(control::first_variable, 1);
  me.choose(control::second_variable, 1);
  calculate("7", "1,5");  // refused on the second edit, after the first was read
  EXPECT_EQ(platform.warnings.size(), 1u);
  me.click(control::english);  // 200 °F and 1 psia: still a vapour
  EXPECT_EQ(platform.value("Temperature"), "200");
  EXPECT_EQ(platform.value("Pressure"), "1");
  EXPECT_EQ(platform.value("Steam quality"), "Superheated");
  EXPECT_EQ(platform.unit("Enthalpy"), "Btu/lb");
}

TEST_F(SuperheatedPage, ActivationFollowsASwitchMadeElsewhere) {
  calculate("100", "1");
  platform.store_units(1);
  page.Activate();
  EXPECT_TRUE(platform.is_checked(control::english));
  EXPECT_FALSE(platform.is_checked(control::metric));
  EXPECT_EQ(platform.value("Pressure"), "1");
  EXPECT_EQ(platform.unit("Pressure"), "psia");
  EXPECT_EQ(platform.value("Steam quality"), "Subcooled");  // 100 °F at 1 psia
}

}  // namespace
}  // namespace Vantrel
