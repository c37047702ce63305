#include "pages/superheated_page.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory_platform.h"

namespace Vantrel {
namespace {

class SuperheatedPage : public ::testing::Test {
 protected:
  void SetUp() override {
    page.Initialise();
    page.Activate();
  }
  // Chooses the variables by index, then calculates.
  void calculate(std::string_view a, std::string_view b, int first = 0, int second = 0) {
    me.choose(control::first_variable, first);
    me.choose(control::second_variable, second);
    me.type(control::first_edit, a);
    me.type(control::second_edit, b);
    me.click(control::calculate);
  }
  std::string second_selected() const {
    const auto& box = platform.combos.at(control::second_variable);
    return box.entries.at(box.selection);
  }

  testing_support::memory_platform platform;
  CSuperheatedPage page{platform};
  testing_support::user me{platform, page};
};

TEST_F(SuperheatedPage, EnablingNumberFormsAndThePhaseWords) {
  EXPECT_EQ(platform.combos.at(control::first_variable).entries,
            (std::vector<std::string>{"Temperature", "Pressure"}));
  EXPECT_FALSE(platform.is_enabled(control::calculate));
  me.type(control::first_edit, "25");
  EXPECT_FALSE(platform.is_enabled(control::calculate));
  calculate("1d2", "  .1E1");
  EXPECT_TRUE(platform.is_enabled(control::calculate));
  EXPECT_EQ(platform.value("Temperature"), "100");
  EXPECT_EQ(platform.value("Pressure"), "1");
  calculate("abc", "1");
  EXPECT_EQ(platform.warnings, std::vector<std::string>{"Invalid number specified."});
  EXPECT_EQ(platform.focused, control::first_edit);
  EXPECT_EQ(platform.value("Temperature"), "100");  // the results stay

  calculate("25", "1");
  EXPECT_EQ(platform.value("Steam quality"), "Subcooled");
  calculate("200", "1");
  EXPECT_EQ(platform.value("Steam quality"), "Superheated");
  calculate("400", "300");
  EXPECT_EQ(platform.value("Steam quality"), "Indeterminate");
  calculate("100", "1000", 0, 2);  // between the saturated enthalpies at 100 °C
  EXPECT_NEAR(platform.number("Steam quality"), 25.75, 0.05);
  EXPECT_EQ(platform.value("Viscosity (dynamic)"), "N/A");
}

TEST_F(SuperheatedPage, SecondListKeepsTheIndexNotTheVariable) {
  EXPECT_EQ(
      platform.combos.at(control::second_variable).entries,
      (std::vector<std::string>{"Pressure", "Volume", "Enthalpy", "Entropy", "Internal energy"}));
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

// The pair and the numbers of the last accepted Calculate are what a unit switch recomputes,
// whatever was chosen or refused since.
TEST_F(SuperheatedPage, UnitSwitchRecomputesTheLastAcceptedCalculate) {
  calculate("200", "1");
  calculate("7", "1,5", 1, 1);  // refused on the second edit, after the first was read
  EXPECT_EQ(platform.focused, control::second_edit);
  me.click(control::english);  // 200 °F and 1 psia: still a vapour
  EXPECT_EQ(platform.value("Temperature"), "200");
  EXPECT_EQ(platform.value("Pressure"), "1");
  EXPECT_EQ(platform.value("Steam quality"), "Superheated");
  EXPECT_EQ(platform.unit("Enthalpy"), "Btu/lb");
}

}  // namespace
}  // namespace Vantrel
