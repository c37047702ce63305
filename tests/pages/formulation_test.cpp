// The Formulation drop-down of the result pages: one stored choice for every page, that changes
// the transport rows and the footer, survives a restart and leaves the default's texts as they
// were.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "lookup/lookup.h"
#include "lookup/pairs.h"
#include "lookup/state.h"
#include "memory_platform.h"
#include "pages/saturated_page.h"
#include "pages/superheated_page.h"
#include "pages/value_text.h"

namespace Vantrel {
namespace {

using testing_support::memory_platform;
using testing_support::user;

constexpr method current{formulation::iapws95, transport_set::iapws2011};
const std::vector<std::string> transport_rows{"Viscosity (dynamic)", "Thermal conductivity",
                                              "Prandtl number"};

std::vector<std::string> all_values(const memory_platform& platform) {
  std::vector<std::string> values;
  for (const auto& item : platform.items) values.push_back(item.cells.at(1));
  return values;
}

TEST(Formulation, TheChoiceReachesTheTransportRowsAndTheFooter) {
  memory_platform platform;
  CSuperheatedPage page{platform};
  user me{platform, page};
  page.Initialise();
  page.Activate();
  EXPECT_EQ(platform.combos.at(control::formulation).entries,
            (std::vector<std::string>{"IAPWS-95", "IAPWS-95, 2008/2011 transport"}));
  EXPECT_EQ(platform.combos.at(control::formulation).selection, 0);
  me.type(control::first_edit, "100");
  me.type(control::second_edit, "1");
  me.click(control::calculate);
  const auto today = all_values(platform);
  const std::string today_lambda = platform.value("Thermal conductivity");
  const std::string today_footer = platform.texts.at(control::footer_notice);
  EXPECT_EQ(today_footer,
            "Vantrel Kelvora 2.0 computes the properties of water and steam from the IAPWS-95 "
            "formulation.");

  me.choose(control::formulation, 1);
  EXPECT_EQ((platform.settings[{"Settings", "Formulation"}]), 1);
  EXPECT_NE(platform.texts.at(control::footer_notice).find("IAPWS-95, 2008/2011 transport"),
            std::string::npos);
  const state_result expected = state(pair_tp, 100.0, 1.0, current, metric_units);
  EXPECT_EQ(platform.value("Viscosity (dynamic)"), value_text(status_ok, expected[code_mu]));
  EXPECT_EQ(platform.value("Thermal conductivity"), value_text(status_ok, expected[code_kt]));
  EXPECT_EQ(platform.value("Prandtl number"), value_text(status_ok, expected[code_pr]));
  EXPECT_NE(platform.value("Thermal conductivity"), today_lambda);
  for (std::size_t i = 0; i < today.size(); ++i) {
    const std::string& name = platform.items[i].cells.at(0);
    if (std::find(transport_rows.begin(), transport_rows.end(), name) == transport_rows.end()) {
      EXPECT_EQ(platform.items[i].cells.at(1), today[i]) << name;
    }
  }

  me.choose(control::formulation, 0);
  EXPECT_EQ(all_values(platform), today);
  EXPECT_EQ(platform.texts.at(control::footer_notice), today_footer);
}

// The choice is a setting: a page made afresh on the same store (the next start) and the other
// page, when it becomes active, both compute with it; an unknown stored value is the default.
TEST(Formulation, OneStoredChoiceForEveryPage) {
  memory_platform platform;
  platform.settings[{"Settings", "Formulation"}] = 1;
  CSaturatedPage saturated{platform};
  user me{platform, saturated};
  saturated.Initialise();
  saturated.Activate();
  EXPECT_EQ(platform.combos.at(control::formulation).selection, 1);
  me.type(control::value_edit, "200");
  me.click(control::calculate);
  const state_result expected = state(pair_tx, 200.0, 1.0, current, metric_units);
  EXPECT_EQ(platform.value("Viscosity (dynamic)"), value_text(status_ok, expected[code_mu]));

  platform.settings[{"Settings", "Formulation"}] = 0;  // chosen on another page
  saturated.Activate();
  EXPECT_EQ(platform.combos.at(control::formulation).selection, 0);
  double mu = 0.0;
  lookup_tsat(200.0, 1.0, code_mu, metric_units, &mu);
  EXPECT_EQ(platform.value("Viscosity (dynamic)"), value_text(status_ok, mu));

  platform.settings[{"Settings", "Formulation"}] = 7;
  saturated.Activate();
  EXPECT_EQ(platform.combos.at(control::formulation).selection, 0);
}

}  // namespace
}  // namespace Vantrel
