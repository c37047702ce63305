#include "pages/saturated_page.h"

#include <gtest/gtest.h>

#include <string>

#include "memory_platform.h"

namespace Vantrel {
namespace {

const std::string invalid_number = "Invalid number specified.";
const std::string invalid_quality =
    "Invalid two-phase quality specified. Please specify as a faction between 0 and 1.";

class SaturatedPage : public ::testing::Test {
 protected:
  void SetUp() override {
    page.Initialise();
    page.Activate();
  }
  void calculate(std::string_view value, const char* quality = nullptr) {
    if (quality) {
      me.click(control::two_phase);
      me.type(control::quality_edit, quality);
    }
    me.type(control::value_edit, value);
    me.click(control::calculate);
  }

  testing_support::memory_platform platform;
  CSaturatedPage page{platform};
  testing_support::user me{platform, page};
};

TEST_F(SaturatedPage, FirstShowingAndCalculateEnabling) {
  EXPECT_TRUE(platform.is_checked(control::metric));
  EXPECT_EQ(platform.units(), 0);  // an absent setting is written back as Metric/SI
  EXPECT_EQ(platform.focused, control::value_edit);
  ASSERT_EQ(platform.items.size(), 27u);
  EXPECT_EQ(platform.items[2].cells[0], "Steam quality");
  // The widest name has 50 characters, the widest Metric/SI unit ("dimensionless") 13.
  EXPECT_EQ(platform.widths, (std::vector<int>{7 * 50 + 16, 50, 7 * 13 + 16}));

  EXPECT_FALSE(platform.is_enabled(control::calculate));
  me.type(control::value_edit, "100");
  EXPECT_TRUE(platform.is_enabled(control::calculate));
  me.click(control::two_phase);
  EXPECT_EQ(platform.focused, control::quality_edit);
  EXPECT_FALSE(platform.is_enabled(control::calculate));
  me.type(control::quality_edit, "0.5");
  EXPECT_TRUE(platform.is_enabled(control::calculate));
  me.type(control::value_edit, "");
  EXPECT_FALSE(platform.is_enabled(control::calculate));
  // With Liquid the quality edit no longer counts; its leftover text is ignored.
  me.type(control::quality_edit, "abc");
  me.click(control::liquid);
  EXPECT_FALSE(platform.is_enabled(control::quality_edit));
  calculate("100");
  EXPECT_TRUE(platform.warnings.empty());
  EXPECT_EQ(platform.value("Steam quality"), "0");
}

// A refused Calculate warns, focuses the edit at fault and stores nothing: a unit switch
// recomputes the last accepted one.
TEST_F(SaturatedPage, RefusedInputWarnsAndKeepsWhatWasStored) {
  const struct {
    const char* value;
    const char* quality;  // nullptr: Vapor
    const std::string& message;
    int edit;
  } cases[] = {{"25 ", nullptr, invalid_number, control::value_edit},
               {"abc", "0.5", invalid_number, control::value_edit},
               {"100", "-0.01", invalid_quality, control::quality_edit},
               {"100", "1.0001", invalid_quality, control::quality_edit},
               {"100", "0.5x", invalid_number, control::quality_edit}};
  calculate("100");
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.value << " / " << (c.quality ? c.quality : "vapor"));
    platform.warnings.clear();
    me.click(control::vapor);
    calculate(c.value, c.quality);
    EXPECT_EQ(platform.warnings, std::vector<std::string>{c.message});
    EXPECT_EQ(platform.focused, c.edit);
  }
  me.click(control::english);
  EXPECT_EQ(platform.value("Temperature"), "100");  // now 100 °F
  EXPECT_EQ(platform.value("Steam quality"), "100");
}

TEST_F(SaturatedPage, PhasesAtTheBoilingPointAndBackThroughPressure) {
  calculate("100");
  EXPECT_EQ(platform.value("Steam quality"), "100");
  EXPECT_NEAR(platform.number("Pressure"), 1.014, 0.001);
  me.click(control::liquid);
  me.click(control::calculate);
  EXPECT_EQ(platform.value("Steam quality"), "0");
  calculate("100", "1");  // the bounds of the two-phase quality are accepted
  EXPECT_EQ(platform.value("Steam quality"), "100");
  calculate("100", "0");
  EXPECT_EQ(platform.value("Steam quality"), "0");
  me.click(control::pressure);
  calculate(platform.value("Pressure"));
  EXPECT_NEAR(platform.number("Temperature"), 100.0, 1e-3);
}

// The Value column follows its texts, and may shrink; the Unit column keeps its first width.
// Items are found by their data, so a list showing them in another order gets each row's texts.
TEST_F(SaturatedPage, NotApplicableBetweenNumbersAndErrorEverywhere) {
  const int unit_width = platform.widths[2];
  std::swap(platform.items[0], platform.items[1]);
  calculate("100", "0.5");
  EXPECT_EQ(platform.items[0].cells, (std::array<std::string, 3>{"Pressure", "1.01418", "bar"}));
  EXPECT_EQ(platform.value("Steam quality"), "50");
  EXPECT_EQ(platform.value("Viscosity (dynamic)"), "N/A");

  calculate("400");  // above the critical temperature
  for (const auto& item : platform.items) EXPECT_EQ(item.cells[1], "Error") << item.cells[0];
  EXPECT_EQ(platform.widths[1], 7 * 5 + 16);
  me.click(control::english);
  EXPECT_EQ(platform.unit("Thermal conductivity"),
            "Btu/(hr.ft.\xC2\xB0"
            "F)");
  EXPECT_EQ(platform.widths[2], unit_width);
}

TEST_F(SaturatedPage, UnitSwitchesReadTheStoredNumberInTheNewUnits) {
  EXPECT_EQ(platform.text(control::value_label),
            "Value, \xC2\xB0"
            "C");
  calculate("100");
  me.click(control::english);  // 100 °F
  EXPECT_EQ(platform.text(control::value_label),
            "Value, \xC2\xB0"
            "F");
  EXPECT_EQ(platform.value("Temperature"), "100");
  me.click(control::pressure);  // relabels only
  EXPECT_EQ(platform.text(control::value_label), "Value, psia");
  EXPECT_EQ(platform.value("Temperature"), "100");

  platform.store_units(std::nullopt);  // another page left an unreadable setting: Metric/SI
  page.Activate();                     // 100 bar
  EXPECT_TRUE(platform.is_checked(control::metric));
  EXPECT_EQ(platform.text(control::value_label), "Value, bar");
  EXPECT_NEAR(platform.number("Temperature"), 311.0, 0.1);
}

}  // namespace
}  // namespace Vantrel
