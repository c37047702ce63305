// The Saturated page driven through the in-memory platform on the library's entry points.

#include "pages/saturated_page.h"

#include <gtest/gtest.h>

#include <string>

#include "memory_platform.h"
#include "page_cells.h"

namespace Vantrel {
namespace {

using testing_support::expect_shown;
using testing_support::memory_platform;
using testing_support::shown;
using testing_support::user;

const std::string invalid_number = "Invalid number specified.";
const std::string invalid_quality =
    "Invalid two-phase quality specified. Please specify as a faction between 0 and 1.";
const std::string degrees_c =
    "\xC2\xB0"
    "C";
const std::string degrees_f =
    "\xC2\xB0"
    "F";

class SaturatedPage : public ::testing::Test {
 protected:
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
  CSaturatedPage page{platform};
  user me{platform, page};
};

TEST_F(SaturatedPage, FirstShowingInMetricUnits) {
  show();
  EXPECT_TRUE(platform.is_checked(control::metric));
  EXPECT_EQ(platform.text(control::value_label), "Value, " + degrees_c);
  EXPECT_EQ(platform.focused, control::value_edit);
  EXPECT_FALSE(platform.is_enabled(control::calculate));
  EXPECT_FALSE(platform.is_enabled(control::quality_edit));
  EXPECT_EQ(platform.units(), 0);  // an absent setting is written back as Metric/SI

  ASSERT_EQ(platform.items.size(), 27u);
  EXPECT_EQ(platform.items[2].cells[0], "Steam quality");
  EXPECT_EQ(platform.value("Temperature"), "");
  EXPECT_EQ(platform.unit("Pressure"), "bar");
  // The widest name has 50 characters, the widest Metric/SI unit ("dimensionless") 13.
  ASSERT_EQ(platform.columns.size(), 3u);
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

  // With Liquid the quality edit no longer counts; its leftover text is ignored.
  me.type(control::value_edit, "100");
  me.type(control::quality_edit, "abc");
  me.click(control::liquid);
  EXPECT_FALSE(platform.is_enabled(control::quality_edit));
  me.click(control::calculate);
  EXPECT_TRUE(platform.warnings.empty());
  EXPECT_EQ(platform.value("Steam quality"), "0");
}

TEST_F(SaturatedPage, ValueLabelFollowsVariableAndUnits) {
  platform.store_units(1);
  show();
  EXPECT_EQ(platform.text(control::value_label), "Value, " + degrees_f);
  me.click(control::pressure);
  EXPECT_EQ(platform.text(control::value_label), "Value, psia");
  EXPECT_EQ(platform.focused, control::value_edit);
  me.click(control::metric);
  EXPECT_EQ(platform.text(control::value_label), "Value, bar");
}

TEST_F(SaturatedPage, RefusedInputWarnsAndFocusesTheFailingEdit) {
  show();
  for (const char* text : {"25 ", "1,5", "1e", "inf", "abc"}) {
    SCOPED_TRACE(text);
    platform.warnings.clear();
    calculate(text);
    ASSERT_EQ(platform.warnings.size(), 1u);
    EXPECT_EQ(platform.warnings[0], invalid_number);
    EXPECT_EQ(platform.focused, control::value_edit);
  }
  EXPECT_EQ(platform.value("Temperature"), "");

  me.click(control::two_phase);
  struct quality {
    const char* text;
    const std::string* message;  // none: accepted
  };
  for (const quality q :
       {quality{"0", nullptr}, quality{"1", nullptr}, quality{"-0.01", &invalid_quality},
        quality{"1.0001", &invalid_quality}, quality{"0.5x", &invalid_number}}) {
    SCOPED_TRACE(q.text);
    platform.warnings.clear();
    platform.focused = 0;
    me.type(control::quality_edit, q.text);
    calculate("100");
    if (q.message == nullptr) {
      EXPECT_TRUE(platform.warnings.empty());
      EXPECT_EQ(platform.value("Steam quality"), q.text[0] == '0' ? "0" : "100");
    } else {
      ASSERT_EQ(platform.warnings.size(), 1u);
      EXPECT_EQ(platform.warnings[0], *q.message);
      EXPECT_EQ(platform.focused, control::quality_edit);
    }
  }
}

// A refused Calculate stores nothing, so a unit switch recomputes the last accepted one.
TEST_F(SaturatedPage, RefusedCalculateKeepsWhatWasStored) {
  show();
  calculate("100");
  me.click(control::two_phase);
  me.type(control::quality_edit, "1.5");
  me.click(control::calculate);
  me.type(control::quality_edit, "0.5");
  calculate("200x");
  EXPECT_EQ(platform.warnings.size(), 2u);
  me.click(control::english);
  EXPECT_EQ(platform.value("Temperature"), "100");  // now 100 °F
  EXPECT_EQ(platform.value("Steam quality"), "100");
}

struct saturation_check {
  const char* celsius;
  double p_bar, rho_liquid, rho_vapour, h_liquid, h_vapour, s_liquid, s_vapour;
};

// IAPWS-95 saturation check values (R6-95(2018), Table 8) at 275, 450 and 625 K, pressures in
// bar; h′ and s′ at 275 K with this formulation's reference-state constants.
constexpr saturation_check table8[] = {
    {"1.85", 0.698451167e-2, 0.999887406e3, 0.550664919e-2, 0.775972206e1, 0.250428995e4,
     0.283094675e-1, 0.910660121e1},
    {"176.85", 0.932203564e1, 0.890341250e3, 0.481200360e1, 0.749161585e3, 0.277441078e4,
     0.210865845e1, 0.660921221e1},
    {"351.85", 0.169082693e3, 0.567090385e3, 0.118290280e3, 0.168626976e4, 0.255071625e4,
     0.380194683e1, 0.518506121e1},
};

TEST_F(SaturatedPage, ReproducesSaturationCheckValues) {
  show();
  for (const auto& c : table8) {
    SCOPED_TRACE(c.celsius);
    me.click(control::liquid);
    calculate(c.celsius);
    EXPECT_EQ(platform.value("Steam quality"), "0");
    expect_shown(platform, "Pressure", c.p_bar);
    expect_shown(platform, "Density", c.rho_liquid);
    expect_shown(platform, "Enthalpy", c.h_liquid);
    expect_shown(platform, "Entropy", c.s_liquid);

    me.click(control::vapor);
    me.click(control::calculate);
    EXPECT_EQ(platform.value("Steam quality"), "100");
    expect_shown(platform, "Density", c.rho_vapour);
    expect_shown(platform, "Enthalpy", c.h_vapour);
    expect_shown(platform, "Entropy", c.s_vapour);
  }
}

TEST_F(SaturatedPage, BoilingPointRoundTripsThroughPressure) {
  show();
  calculate("100");
  EXPECT_NEAR(shown(platform, "Pressure"), 1.014, 0.001);
  me.click(control::pressure);
  calculate(platform.value("Pressure"));
  EXPECT_NEAR(shown(platform, "Temperature"), 100.0, 1e-3);
}

TEST_F(SaturatedPage, MixtureShowsNotApplicableBetweenNumbers) {
  show();
  me.click(control::two_phase);
  me.type(control::quality_edit, "0.5");
  calculate("100");
  EXPECT_EQ(platform.value("Steam quality"), "50");
  for (const char* row : {"Viscosity (dynamic)", "Thermal conductivity", "Surface tension",
                          "Prandtl number", "Static dielectric constant",
                          "Isothermal Joule-Thomson coefficient", "Joule-Thomson coefficient"}) {
    EXPECT_EQ(platform.value(row), "N/A") << row;
  }
  EXPECT_NEAR(shown(platform, "Enthalpy"), (419.1 + 2675.6) / 2, 0.5);  // halfway
}

// The Value column follows its texts, and may shrink; the Unit column keeps its first width.
TEST_F(SaturatedPage, OutOfRangeShowsErrorInEveryRow) {
  show();
  const int unit_width = platform.columns[2].width;
  calculate("100");
  const int number_width = platform.columns[1].width;
  calculate("400");  // above the critical temperature
  for (const auto& item : platform.items) EXPECT_EQ(item.cells[1], "Error") << item.cells[0];
  EXPECT_EQ(platform.columns[1].width, 7 * 5 + 16);
  EXPECT_LT(platform.columns[1].width, number_width);

  me.click(control::english);
  EXPECT_EQ(platform.unit("Thermal conductivity"), "Btu/(hr.ft." + degrees_f + ")");
  EXPECT_EQ(platform.columns[2].width, unit_width);
}

TEST_F(SaturatedPage, UnitSwitchReadsTheStoredNumberInTheNewUnits) {
  show();
  calculate("100");
  me.click(control::english);  // 100 °F
  EXPECT_EQ(platform.value("Temperature"), "100");
  EXPECT_NEAR(shown(platform, "Pressure"), 0.9505, 0.001);
  me.click(control::pressure);  // relabels only
  EXPECT_EQ(platform.value("Temperature"), "100");
  me.click(control::metric);  // 100 bar
  EXPECT_EQ(platform.value("Pressure"), "100");
  EXPECT_NEAR(shown(platform, "Temperature"), 311.0, 0.1);
  me.click(control::english);  // 100 psia
  EXPECT_NEAR(shown(platform, "Temperature"), 327.8, 0.1);
  EXPECT_EQ(platform.text(control::value_label), "Value, psia");
}

TEST_F(SaturatedPage, ActivationAdoptsTheStoredUnitSystem) {
  show();
  calculate("100");
  platform.store_units(5);  // another page, or an old setting, left a non-zero value
  page.Activate();
  EXPECT_EQ(platform.units(), 1);
  EXPECT_TRUE(platform.is_checked(control::english));
  EXPECT_FALSE(platform.is_checked(control::metric));
  EXPECT_EQ(platform.unit("Temperature"), degrees_f);
  EXPECT_NEAR(shown(platform, "Pressure"), 0.9505, 0.001);  // 100 °F in psia

  platform.store_units(std::nullopt);  // unreadable reads as Metric/SI
  page.Activate();
  EXPECT_EQ(platform.units(), 0);
  EXPECT_TRUE(platform.is_checked(control::metric));
}

// Items carry their row's index; a list that shows them in another order (a sorted view, say)
// still gets each row's own texts.
TEST_F(SaturatedPage, RowsAreFoundByItemDataNotPosition) {
  show();
  std::swap(platform.items[0], platform.items[1]);
  calculate("100");
  EXPECT_EQ(platform.items[0].cells[0], "Pressure");
  EXPECT_EQ(platform.items[0].cells[2], "bar");
  EXPECT_EQ(platform.value("Temperature"), "100");
}

}  // namespace
}  // namespace Vantrel
