// The Saturated page driven through the in-memory platform, with recording entry points.

#include "pages/saturated_page.h"

#include <gtest/gtest.h>

#include <string>

#include "memory_platform.h"
#include "pages/rows.h"
#include "recorded_lookups.h"

namespace Vantrel {
namespace {

using testing_support::memory_platform;
using testing_support::recorder;
using testing_support::recording_lookups;
using testing_support::user;

const std::string invalid_number = "Invalid number specified.";
const std::string invalid_quality =
    "Invalid two-phase quality specified. Please specify as a faction between 0 and 1.";

class SaturatedPage : public ::testing::Test {
 protected:
  void SetUp() override { recorder() = {}; }

  // The shell's first showing of the page.
  void show() {
    page.Initialise();
    page.Activate();
  }
  void calculate(std::string_view value) {
    me.type(control::value_edit, value);
    me.click(control::calculate);
  }

  memory_platform platform;
  CSaturatedPage page{platform, recording_lookups()};
  user me{platform, page};
};

TEST_F(SaturatedPage, FirstShowingInMetricUnits) {
  show();
  EXPECT_TRUE(platform.is_checked(control::metric));
  EXPECT_FALSE(platform.is_checked(control::english));
  EXPECT_TRUE(platform.is_checked(control::temperature));
  EXPECT_TRUE(platform.is_checked(control::vapor));
  EXPECT_EQ(platform.text(control::value_label),
            "Value, \xC2\xB0"
            "C");
  EXPECT_EQ(platform.focused, control::value_edit);
  EXPECT_FALSE(platform.is_enabled(control::calculate));
  EXPECT_FALSE(platform.is_enabled(control::quality_edit));
  EXPECT_EQ(platform.units(), 0);  // an absent setting is written back as Metric/SI
  EXPECT_TRUE(platform.full_row);
  EXPECT_TRUE(recorder().calls.empty());

  ASSERT_EQ(platform.items.size(), 27u);
  EXPECT_EQ(platform.items[2].cells[0], "Steam quality");
  EXPECT_EQ(platform.value("Temperature"), "");
  EXPECT_EQ(platform.unit("Pressure"), "bar");
  ASSERT_EQ(platform.columns.size(), 3u);
  EXPECT_EQ(platform.columns[0].header, "Property");
  EXPECT_EQ(platform.columns[1].align, column_align::right);
  // Widest name: the 50-character dPdT/dVdT/dVdP names; widest unit: "dimensionless".
  EXPECT_EQ(platform.columns[0].width, 7 * 50 + 16);
  EXPECT_EQ(platform.columns[1].width, 50);
  EXPECT_EQ(platform.columns[2].width, 7 * 13 + 16);
}

TEST_F(SaturatedPage, CalculateEnablingFollowsTheEditsInUse) {
  show();
  me.type(control::value_edit, "100");
  EXPECT_TRUE(platform.is_enabled(control::calculate));

  me.click(control::two_phase);
  EXPECT_TRUE(platform.is_enabled(control::quality_edit));
  EXPECT_EQ(platform.focused, control::quality_edit);
  EXPECT_FALSE(platform.is_enabled(control::calculate));  // the quality is still empty

  me.type(control::quality_edit, "0.5");
  EXPECT_TRUE(platform.is_enabled(control::calculate));
  me.type(control::value_edit, "");
  EXPECT_FALSE(platform.is_enabled(control::calculate));

  // Back to Vapor: the quality edit no longer counts, and keeps its text while disabled.
  me.type(control::value_edit, "100");
  me.type(control::quality_edit, "");
  me.click(control::liquid);
  EXPECT_FALSE(platform.is_enabled(control::quality_edit));
  EXPECT_TRUE(platform.is_enabled(control::calculate));
}

TEST_F(SaturatedPage, ValueLabelFollowsVariableAndUnits) {
  platform.store_units(1);
  show();
  EXPECT_EQ(platform.text(control::value_label),
            "Value, \xC2\xB0"
            "F");
  me.click(control::pressure);
  EXPECT_EQ(platform.text(control::value_label), "Value, psia");
  EXPECT_EQ(platform.focused, control::value_edit);
  me.click(control::metric);
  EXPECT_EQ(platform.text(control::value_label), "Value, bar");
  me.click(control::temperature);
  EXPECT_EQ(platform.text(control::value_label),
            "Value, \xC2\xB0"
            "C");
}

TEST_F(SaturatedPage, PhaseSetsTheQualityOfEveryRow) {
  show();
  calculate("100");
  auto calls = recorder().last(27);
  ASSERT_EQ(calls.size(), 27u);
  for (int i = 0; i < 27; ++i) {
    EXPECT_EQ(calls[i].entry, 'T');
    EXPECT_EQ(calls[i].first, 100.0);
    EXPECT_EQ(calls[i].second, 1.0);
    EXPECT_EQ(calls[i].code, state_rows[i].code);
    EXPECT_EQ(calls[i].unit_system, 0);
  }
  EXPECT_EQ(platform.value("Steam quality"), "100");  // a percentage
  EXPECT_EQ(platform.value("Temperature"), "100");

  me.click(control::liquid);
  EXPECT_EQ(platform.value("Steam quality"), "100");  // nothing changes until Calculate
  me.click(control::calculate);
  EXPECT_EQ(platform.value("Steam quality"), "0");

  me.click(control::two_phase);
  me.type(control::quality_edit, "0.25");
  me.click(control::calculate);
  EXPECT_EQ(platform.value("Steam quality"), "25");
}

TEST_F(SaturatedPage, TwoPhaseQualityBoundsAreInclusive) {
  show();
  me.type(control::value_edit, "100");
  me.click(control::two_phase);
  for (const char* text : {"0", "1", "1e0", "0.5"}) {
    me.type(control::quality_edit, text);
    me.click(control::calculate);
    EXPECT_TRUE(platform.warnings.empty()) << text;
  }
  struct refused {
    const char* text;
    const std::string& message;
  };
  for (const refused r : {refused{"-0.01", invalid_quality}, refused{"1.0001", invalid_quality},
                          refused{"0.5x", invalid_number}, refused{"0.5 ", invalid_number}}) {
    SCOPED_TRACE(r.text);
    platform.warnings.clear();
    platform.focused = 0;
    me.type(control::quality_edit, r.text);
    me.click(control::calculate);
    ASSERT_EQ(platform.warnings.size(), 1u);
    EXPECT_EQ(platform.warnings[0], r.message);
    EXPECT_EQ(platform.focused, control::quality_edit);
  }
}

TEST_F(SaturatedPage, RefusedValueWarnsAndFocusesTheValueEdit) {
  show();
  for (const char* text : {"25 ", "1,5", "1e", "inf", "abc", "0x10"}) {
    SCOPED_TRACE(text);
    platform.warnings.clear();
    platform.focused = 0;
    calculate(text);
    ASSERT_EQ(platform.warnings.size(), 1u);
    EXPECT_EQ(platform.warnings[0], invalid_number);
    EXPECT_EQ(platform.focused, control::value_edit);
  }
  EXPECT_TRUE(recorder().calls.empty());
  EXPECT_EQ(platform.value("Temperature"), "");
}

TEST_F(SaturatedPage, VaporIgnoresALeftoverQualityText) {
  show();
  me.click(control::two_phase);
  me.type(control::quality_edit, "abc");
  me.click(control::vapor);
  calculate("100");
  EXPECT_TRUE(platform.warnings.empty());
  EXPECT_EQ(platform.value("Steam quality"), "100");
}

TEST_F(SaturatedPage, RejectedCalculateKeepsWhatWasStored) {
  show();
  calculate("100");
  me.click(control::two_phase);
  me.type(control::quality_edit, "1.5");
  me.click(control::calculate);  // refused: quality out of range
  me.type(control::quality_edit, "0.5");
  calculate("200x");  // refused: value not a number
  EXPECT_EQ(platform.warnings.size(), 2u);
  EXPECT_EQ(platform.value("Steam quality"), "100");

  // The unit switch recomputes the last successful Calculate: 100, saturated vapour.
  recorder().clear();
  me.click(control::english);
  ASSERT_EQ(recorder().calls.size(), 27u);
  for (const auto& call : recorder().calls) {
    EXPECT_EQ(call.first, 100.0);
    EXPECT_EQ(call.second, 1.0);
    EXPECT_EQ(call.unit_system, 1);
  }
  EXPECT_EQ(platform.value("Steam quality"), "100");
}

TEST_F(SaturatedPage, UnitSwitchRereadsTheStoredNumberAsTheChosenVariable) {
  show();
  calculate("100");
  me.click(control::pressure);  // relabels only
  EXPECT_EQ(recorder().calls.size(), 27u);
  me.click(control::english);
  const auto calls = recorder().last(27);
  EXPECT_EQ(calls.front().entry, 'S');
  EXPECT_EQ(calls.front().first, 100.0);
  EXPECT_EQ(calls.front().unit_system, 1);
  EXPECT_EQ(platform.units(), 1);
  EXPECT_EQ(platform.text(control::value_label), "Value, psia");
  EXPECT_EQ(platform.unit("Pressure"), "psia");
}

TEST_F(SaturatedPage, ActivationAdoptsTheStoredUnitSystem) {
  show();
  calculate("100");
  platform.store_units(5);  // another page, or an old setting, left a non-zero value
  page.Activate();
  EXPECT_EQ(platform.units(), 1);
  EXPECT_TRUE(platform.is_checked(control::english));
  EXPECT_FALSE(platform.is_checked(control::metric));
  EXPECT_EQ(recorder().calls.back().unit_system, 1);
  EXPECT_EQ(platform.unit("Temperature"),
            "\xC2\xB0"
            "F");

  platform.store_units(std::nullopt);  // unreadable reads as Metric/SI
  page.Activate();
  EXPECT_EQ(platform.units(), 0);
  EXPECT_TRUE(platform.is_checked(control::metric));
}

TEST_F(SaturatedPage, CloseClosesTheWindow) {
  show();
  me.click(control::close);
  EXPECT_TRUE(platform.closed);
}

}  // namespace
}  // namespace Vantrel
