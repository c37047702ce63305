// The states the pages announce to other views of them, and the trail that keeps them.

#include "pages/calculated_state.h"

#include <gtest/gtest.h>

#include <vector>

#include "lookup/units.h"
#include "memory_platform.h"
#include "pages/saturated_page.h"
#include "pages/superheated_page.h"

namespace Vantrel {
namespace {

// A page shown in `units`, with the states it announces kept in `heard`.
template <class Page>
struct listened_page {
  explicit listened_page(int units = metric_units) {
    platform.store_units(units);
    page.SetStateListener([this](const calculated_state& s) { heard.push_back(s); });
    page.Initialise();
    page.Activate();
  }
  testing_support::memory_platform platform;
  Page page{platform};
  testing_support::user me{platform, page};
  std::vector<calculated_state> heard;
};

TEST(CalculatedState, SuperheatedPageAnnouncesEachSuccessfulCalculate) {
  listened_page<CSuperheatedPage> shown;
  auto& me = shown.me;
  const auto& heard = shown.heard;
  const auto calculate = [&me](int first, int second, std::string_view a, std::string_view b) {
    me.choose(control::first_variable, first);
    me.choose(control::second_variable, second);
    me.type(control::first_edit, a);
    me.type(control::second_edit, b);
    me.click(control::calculate);
  };

  calculate(0, 0, "200", "1");
  ASSERT_EQ(heard.size(), 1u);
  const calculated_state& steam = heard[0];
  EXPECT_EQ(steam.page, "Superheated/Subcooled");
  EXPECT_EQ(steam.inputs, "T = 200 °C, p = 1 bar");
  EXPECT_NEAR(steam.T, 473.15, 1e-9);
  EXPECT_NEAR(steam.p, 0.1, 1e-12);
  EXPECT_NEAR(steam.h, 2875.5, 0.5);  // steam tables: 2875.5 kJ/kg, 7.8356 kJ/(kg·K)
  EXPECT_NEAR(steam.s, 7.8356, 5e-4);
  EXPECT_FALSE(steam.x.has_value());

  // The same state in English units, as the chart shows it after a unit switch.
  const auto english = in_display_units(steam, english_units);
  EXPECT_NEAR(english.T, 392.0, 1e-9);
  EXPECT_NEAR(english.p, 14.5038, 1e-9);
  EXPECT_NEAR(english.s, 1.8715, 5e-4);

  // Pressure and enthalpy inside the dome: a mixture with its quality.
  calculate(1, 1, "1", "1500");
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_EQ(heard[1].inputs, "p = 1 bar, h = 1500 kJ/kg");
  ASSERT_TRUE(heard[1].x.has_value());
  EXPECT_GT(*heard[1].x, 0.0);
  EXPECT_LT(*heard[1].x, 1.0);

  // A rejected input and a state the library cannot build are not states on a chart.
  calculate(1, 1, "abc", "1500");
  calculate(0, 0, "-400", "1");
  EXPECT_EQ(heard.size(), 2u);
}

TEST(CalculatedState, SaturatedPageNamesThePhaseOrQuality) {
  listened_page<CSaturatedPage> shown{english_units};
  auto& me = shown.me;
  const auto& heard = shown.heard;

  me.type(control::value_edit, "212");
  me.click(control::calculate);
  me.click(control::liquid);
  me.click(control::calculate);
  me.click(control::two_phase);
  me.type(control::quality_edit, "0.25");
  me.click(control::calculate);
  ASSERT_EQ(heard.size(), 3u);
  EXPECT_EQ(heard[0].inputs, "T = 212 °F, saturated vapor");
  EXPECT_EQ(heard[1].inputs, "T = 212 °F, saturated liquid");
  EXPECT_EQ(heard[2].inputs, "T = 212 °F, x = 0.25");
  EXPECT_EQ(heard[0].x, 1.0);
  EXPECT_EQ(heard[1].x, 0.0);
  EXPECT_NEAR(heard[0].T, 373.15, 1e-9);
  EXPECT_NEAR(heard[0].p, 0.101418, 1e-5);  // the boiling point at 212 °F
}

TEST(CalculatedState, TrailKeepsTheNewestFiftyWithTheirNumbers) {
  state_trail trail;
  for (int i = 0; i < 53; ++i) {
    calculated_state state;
    state.inputs = std::to_string(i);
    trail.add(state);
  }
  ASSERT_EQ(trail.entries().size(), state_trail::capacity);
  EXPECT_EQ(trail.entries().front().number, 4);
  EXPECT_EQ(trail.entries().front().state.inputs, "3");
  EXPECT_EQ(trail.entries().back().number, 53);
  trail.clear();
  trail.add(calculated_state{});
  EXPECT_EQ(trail.entries().size(), 1u);
  EXPECT_EQ(trail.entries().front().number, 1);
}

}  // namespace
}  // namespace Vantrel
