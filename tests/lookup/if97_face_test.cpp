// IAPWS-IF97 through the face: every input pair rebuilds the (T, p) state it was read from,
// in every region and sub-region and on the right side of the region boundaries and the
// saturation line; IF97 agrees with IAPWS-95 within the consistency its release states; and
// the entry points stay on IAPWS-95.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "lookup/lookup.h"
#include "lookup/pairs.h"
#include "lookup/state.h"
#include "lookup/units.h"

namespace Vantrel {
namespace {

constexpr method if97_method{formulation::if97, transport_set::iaps1985};
constexpr method iapws95_method{};

state_result if97_state(int pair, double a, double b) {
  return state(pair, a, b, if97_method, internal_units);
}

double relative(double a, double b) {
  return std::abs(a - b) / std::abs(b);
}

// Each single-phase state, found from T and p, is found again from every other pair.
TEST(If97Face, EveryPairRebuildsSinglePhaseStates) {
  const struct {
    const char* where;
    double T, p;
  } points[] = {
      {"region 1, cold", 300.0, 3.0},
      {"region 1, compressed", 500.0, 50.0},
      {"region 1 below 623.15 K at 90 MPa", 620.0, 90.0},
      {"region 1, 0.1 K below saturation", 452.9356, 1.0},
      {"region 2a", 400.0, 0.1},
      {"region 2a near the triple point", 300.0, 0.0035},
      {"region 2b", 800.0, 10.0},
      {"region 2c", 650.0, 15.0},
      {"region 2, 0.1 K above saturation", 453.1356, 1.0},
      {"region 2 just below B23", 700.0, 30.3},
      {"region 2, high pressure", 1000.0, 80.0},
      {"region 3 just above B23", 700.0, 30.7},
      {"region 3, liquid-like", 630.0, 20.0},
      {"region 3, vapour-like", 640.0, 19.5},
      {"region 3, supercritical", 750.0, 50.0},
      {"region 3, near critical", 650.0, 25.0},
      {"region 3, dense", 660.0, 95.0},
      {"region 5", 1500.0, 30.0},
      {"region 5, low pressure", 2000.0, 1.0},
  };
  const int pairs[] = {pair_tv, pair_th, pair_ts, pair_tu, pair_pv,
                       pair_ph, pair_ps, pair_pu, pair_hs};
  for (const auto& pt : points) {
    const state_result tp = if97_state(pair_tp, pt.T, pt.p);
    ASSERT_EQ(tp.status, status_ok) << pt.where;
    for (const int pair : pairs) {
      const pair_info& info = *pair_with_code(pair);
      const state_result r = if97_state(pair, tp[info.first], tp[info.second]);
      const std::string what = std::string(pt.where) + ", " + std::string(info.name);
      ASSERT_EQ(r.status, status_ok) << what;
      // A compressed liquid whose enthalpy lies above h'(T) shares T and h with a wet state of
      // the same isotherm; both formulations take the wet one.
      if (pair == pair_th && r.phase == state_phase::two_phase) {
        EXPECT_EQ(
            state(pair, tp[info.first], tp[info.second], iapws95_method, internal_units).phase,
            state_phase::two_phase)
            << what;
        continue;
      }
      EXPECT_LT(relative(r[code_t], pt.T), 1e-9) << what;
      EXPECT_LT(relative(r[code_p], pt.p), 1e-8) << what;
      EXPECT_EQ(r.phase, tp.phase) << what;
      // The inputs read back as given; the rest from the basic equation at the state found.
      EXPECT_EQ(r[info.first], tp[info.first]) << what;
      EXPECT_LT(relative(r[code_cp], tp[code_cp]), 1e-6) << what;
    }
  }
}

// Two-phase states and saturated phases, found from T and x, are found again from every pair
// that can fix them, with the same vapour fraction.
TEST(If97Face, EveryPairRebuildsTwoPhaseStates) {
  const struct {
    const char* where;
    double T, x;
  } points[] = {
      {"cold, mostly vapour", 300.0, 0.9}, {"region 1 and 2 phases", 450.0, 0.3},
      {"region 3 phases", 640.0, 0.5},     {"saturated liquid", 500.0, 0.0},
      {"saturated vapour", 550.0, 1.0},
  };
  const int pairs[] = {pair_tv, pair_th, pair_ts, pair_tu, pair_px,
                       pair_pv, pair_ph, pair_ps, pair_pu, pair_hs};
  for (const auto& pt : points) {
    const state_result tx = if97_state(pair_tx, pt.T, pt.x);
    ASSERT_EQ(tx.status, status_ok) << pt.where;
    for (const int pair : pairs) {
      const pair_info& info = *pair_with_code(pair);
      const state_result r = if97_state(pair, tx[info.first], tx[info.second]);
      const std::string what = std::string(pt.where) + ", " + std::string(info.name);
      ASSERT_EQ(r.status, status_ok) << what;
      EXPECT_LT(relative(r[code_t], pt.T), 1e-9) << what;
      // A saturated phase may come back as the single phase on its own side of the line,
      // within the rounding of psat(Tsat(p)).
      const bool own_side = (pt.x == 0.0 && r.phase == state_phase::subcooled) ||
                            (pt.x == 1.0 && r.phase == state_phase::superheated);
      if (!own_side) {
        EXPECT_NEAR(r[code_x], pt.x, 1e-8) << what;
      }
    }
  }
}

// Where the second input turns back along the path (a liquid's volume about its 4 °C minimum
// along an isobar, a hot liquid's enthalpy along an isotherm), two states share the inputs;
// the one found has them, and it is a state of IF97 at its own T and p.
TEST(If97Face, InputsThatTurnBackGiveOneOfTheirStates) {
  const struct {
    const char* what;
    int pair;
    double T, p;
  } cases[] = {
      {"liquid volume at 2 °C", pair_pv, 275.15, 1.0},
      {"liquid volume at 6 °C", pair_pv, 279.15, 1.0},
      {"hot liquid enthalpy", pair_th, 550.0, 44.4},
  };
  for (const auto& c : cases) {
    const state_result tp = if97_state(pair_tp, c.T, c.p);
    const pair_info& info = *pair_with_code(c.pair);
    const state_result r = if97_state(c.pair, tp[info.first], tp[info.second]);
    ASSERT_EQ(r.status, status_ok) << c.what;
    const state_result again = if97_state(pair_tp, r[code_t], r[code_p]);
    EXPECT_LT(relative(again[info.first], tp[info.first]), 1e-12) << c.what;
    EXPECT_LT(relative(again[info.second], tp[info.second]), 1e-9) << c.what;
  }
}

// The formulations differ by no more than the IF97 release's consistency with IAPWS-95:
// 0.1 % in v, 0.5 kJ/kg in h, 1 % in cp, w and the transport properties, away from the
// critical region; through p-h the temperatures of one (p, h) agree within 0.25 K.
TEST(If97Face, AgreesWithIapws95WithinTheReleasesConsistency) {
  const struct {
    double T, p;
  } points[] = {{280.0, 1.0},   {350.0, 50.0},  {450.0, 0.5},  {600.0, 100.0},
                {700.0, 5.0},   {750.0, 60.0},  {900.0, 20.0}, {1050.0, 90.0},
                {1300.0, 10.0}, {2200.0, 45.0}, {620.0, 0.01}, {800.0, 35.0}};
  for (const auto& pt : points) {
    const state_result a = if97_state(pair_tp, pt.T, pt.p);
    const state_result b = state(pair_tp, pt.T, pt.p, iapws95_method, internal_units);
    ASSERT_EQ(a.status, status_ok);
    ASSERT_EQ(b.status, status_ok);
    const std::string where = std::to_string(pt.T) + " K, " + std::to_string(pt.p) + " MPa";
    EXPECT_LT(relative(a[code_v], b[code_v]), 1e-3) << where;
    EXPECT_NEAR(a[code_h], b[code_h], 0.5) << where;
    for (const int code : {code_cp, code_w, code_mu, code_kt})
      EXPECT_LT(relative(a[code], b[code]), 1e-2) << where << ", code " << code;
    EXPECT_NEAR(if97_state(pair_ph, pt.p, b[code_h])[code_t], pt.T, 0.25) << where;
  }
}

// IF97 answers inside its own range only: where IAPWS-95 still has a state, IF97 refuses it
// rather than handing over the other formulation's answer.
TEST(If97Face, OutsideItsRangeIsInvalidNotIapws95) {
  const struct {
    const char* what;
    int pair;
    double a, b;
  } cases[] = {
      {"below 273.15 K", pair_tp, 260.0, 1.0},
      {"above 2273.15 K", pair_tp, 2400.0, 1.0},
      {"above 50 MPa beyond 1073.15 K", pair_tp, 1200.0, 60.0},
      {"above 100 MPa", pair_ph, 150.0, 1000.0},
      {"enthalpy beyond 2273.15 K", pair_ph, 1.0, 9000.0},
      {"entropy beyond the lowest pressure", pair_ts, 400.0, 40.0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(if97_state(c.pair, c.a, c.b).status, status_invalid) << c.what;
    EXPECT_EQ(state(c.pair, c.a, c.b, iapws95_method, internal_units).status, status_ok) << c.what;
  }
  EXPECT_EQ(range_of(if97_method).T_max, 2273.15);
  EXPECT_EQ(range_of(if97_method).p_max, 100.0);
  // Its liquid starts at 273.15 K, above the ice curves at every pressure it covers.
  EXPECT_EQ(lowest_water_temperature(1.0, if97_method), 273.15);
  EXPECT_LT(*lowest_water_temperature(1.0, iapws95_method), 273.15);
  EXPECT_FALSE(lowest_water_temperature(150.0, if97_method).has_value());
}

// A mixture has no derivative or transport properties; its isentropic exponent is a secant.
TEST(If97Face, MixtureStatusesAsUnderIapws95) {
  const state_result a = if97_state(pair_tx, 400.0, 0.5);
  const state_result b = state(pair_tx, 400.0, 0.5, iapws95_method, internal_units);
  for (int code = 0; code <= last_lookup_code; ++code)
    EXPECT_EQ(a.status_of[code], b.status_of[code]) << "code " << code;
  EXPECT_LT(relative(a[code_isentropic_k], b[code_isentropic_k]), 1e-2);
}

// Under IF97 the transport choice holds too: the 2008/2011 equations at the IF97 density agree
// with them under IAPWS-95, and refuse a state beyond their range that IF97 still covers.
TEST(If97Face, TransportChoiceHoldsUnderIf97) {
  const method if97_2011{formulation::if97, transport_set::iapws2011};
  const method iapws95_2011{formulation::iapws95, transport_set::iapws2011};
  const state_result a = state(pair_tp, 500.0, 10.0, if97_2011, internal_units);
  const state_result b = state(pair_tp, 500.0, 10.0, iapws95_2011, internal_units);
  const state_result c = if97_state(pair_tp, 500.0, 10.0);
  for (const int code : {code_mu, code_kt, code_pr}) {
    ASSERT_EQ(a.status_of[code], status_ok) << code;
    EXPECT_LT(relative(a[code], b[code]), 2e-3) << code;
    EXPECT_NE(a[code], c[code]) << code;
  }
  const state_result hot = state(pair_tp, 1500.0, 10.0, if97_2011, internal_units);
  EXPECT_EQ(hot.status, status_ok);
  EXPECT_EQ(hot.status_of[code_mu], status_invalid);
  EXPECT_EQ(if97_state(pair_tp, 1500.0, 10.0).status_of[code_mu], status_ok);
}

// The entry points compute under IAPWS-95 whatever the face offers.
TEST(If97Face, EntryPointsStayOnIapws95) {
  double v = 0.0;
  ASSERT_EQ(lookup_property(226.85, 500.0, pair_tp, code_v, metric_units, &v), status_ok);
  EXPECT_EQ(v, state(pair_tp, 226.85, 500.0, iapws95_method, metric_units)[code_v]);
  EXPECT_NE(v, state(pair_tp, 226.85, 500.0, if97_method, metric_units)[code_v]);
}

}  // namespace
}  // namespace Vantrel
