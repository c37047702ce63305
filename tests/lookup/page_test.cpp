// Whole pages through the entry points: every row of a liquid, a vapour, a two-phase and a
// supercritical state in both unit systems equals the library's value in internal units times
// the dimensional factor of its unit; and the same state reached through every input pair shows
// the same page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>

#include "lookup/lookup.h"
#include "lookup/units.h"
#include "model/errors.h"
#include "model/steam95.h"

namespace Vantrel {
namespace {

// How one row's value is read from the library and which units it carries, as powers of the
// factor rows: the display value is value × fT^T × fP^P × fV^V × fE^E × fW^W × fMU^MU × fK^K.
struct row_unit {
  int code;
  double (steam95::*read)() const;
  int T, P, V, E, W, MU, K;
};

// clang-format off
constexpr row_unit rows[] = {
    {code_t, &steam95::t, 0, 0, 0, 0, 0, 0, 0},  // absolute temperature, handled apart
    {code_p, &steam95::p, 0, 1, 0, 0, 0, 0, 0},
    {code_v, &steam95::v, 0, 0, 1, 0, 0, 0, 0},
    {code_rho, &steam95::rho, 0, 0, -1, 0, 0, 0, 0},
    {code_z, &steam95::z, 0, 0, 0, 0, 0, 0, 0},
    {code_a, &steam95::a, 0, 0, 0, 1, 0, 0, 0},
    {code_s, &steam95::s, -1, 0, 0, 1, 0, 0, 0},
    {code_u, &steam95::u, 0, 0, 0, 1, 0, 0, 0},
    {code_h, &steam95::h, 0, 0, 0, 1, 0, 0, 0},
    {code_g, &steam95::g, 0, 0, 0, 1, 0, 0, 0},
    {code_cv, &steam95::cv, -1, 0, 0, 1, 0, 0, 0},
    {code_cp, &steam95::cp, -1, 0, 0, 1, 0, 0, 0},
    {code_w, &steam95::w, 0, 0, 0, 0, 1, 0, 0},
    {code_alpha, &steam95::alpha, -1, 0, 0, 0, 0, 0, 0},
    {code_kappa, &steam95::kappa, 0, -1, 0, 0, 0, 0, 0},
    {code_dpdt, &steam95::dpdt, -1, 1, 0, 0, 0, 0, 0},
    {code_dvdt, &steam95::dvdt, -1, 0, 1, 0, 0, 0, 0},
    {code_dvdp, &steam95::dvdp, 0, -1, 1, 0, 0, 0, 0},
    {code_mu, &steam95::mu, 0, 0, 0, 0, 0, 1, 0},
    {code_kt, &steam95::kt, 0, 0, 0, 0, 0, 0, 1},
    {code_st, &steam95::st, 0, 0, 0, 0, 0, 0, 0},
    {code_pr, &steam95::pr, 0, 0, 0, 0, 0, 0, 0},
    {code_de, &steam95::de, 0, 0, 0, 0, 0, 0, 0},
    {code_cjtt, &steam95::cjtt, 0, -1, 0, 1, 0, 0, 0},
    {code_cjth, &steam95::cjth, 1, -1, 0, 0, 0, 0, 0},
    {code_x, &steam95::x, 0, 0, 0, 0, 0, 0, 0},
    {code_isentropic_k, &steam95::isentropic_k, 0, 0, 0, 0, 0, 0, 0},
};
// clang-format on
static_assert(std::size(rows) == last_lookup_code + 1);

double dimension_factor(const row_unit& r, int units) {
  const auto f = [units](unit_row row, int power) {
    return std::pow(unit_factor(row, units), power);
  };
  return f(fT, r.T) * f(fP, r.P) * f(fV, r.V) * f(fE, r.E) * f(fW, r.W) * f(fMU, r.MU) * f(fK, r.K);
}

// The status and display value the page should show for a row of a built state.
struct expected_row {
  int status = status_ok;
  double value = 0.0;
};

expected_row expect_row(const steam95& state, const row_unit& r, int units) {
  expected_row e;
  try {
    const double raw = (state.*r.read)();
    e.value = r.code == code_t ? (units == metric_units ? raw - 273.15 : raw * 1.8 - 459.67)
                               : raw * dimension_factor(r, units);
  } catch (const not_applicable&) {
    e.status = status_not_applicable;
  }
  return e;
}

using page_call = std::function<int(int code, int units, double* out)>;

void check_page(const steam95& state, const page_call& call, int units) {
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << "code " << r.code << " units " << units);
    const expected_row e = expect_row(state, r, units);
    double out = -1e300;
    ASSERT_EQ(call(r.code, units, &out), e.status);
    if (e.status != status_ok) continue;
    EXPECT_NEAR(out, e.value, 1e-13 * std::abs(e.value) + 1e-300);
  }
}

struct tp_case {
  const char* name;
  double T, p;                // K, MPa
  int unreachable_pair = -1;  // an input pair that names another state with the same inputs
};
// A cold compressed liquid has more enthalpy than the saturated liquid at its temperature, so
// its (T, h) also fits a wet mixture, which is the state that temperature and enthalpy name.
// Above the temperature where α·T = 1 the liquid's enthalpy falls with pressure and (T, h)
// names it.
constexpr tp_case single_phase_states[] = {
    {"cold liquid", 300.0, 10.0, pair_th},
    {"hot liquid", 600.0, 20.0},
    {"vapour", 500.0, 0.1},
    {"supercritical", 900.0, 30.0},
};

TEST(WholePage, SinglePhaseStatesFromTemperatureAndPressure) {
  for (const auto& c : single_phase_states) {
    SCOPED_TRACE(c.name);
    for (int units : {metric_units, english_units}) {
      const double t = display_temperature(units, c.T);
      const double p = c.p * unit_factor(fP, units);
      steam95 state;
      state.at_tp(input_temperature(units, t), input_pressure(units, p));
      check_page(
          state,
          [&](int code, int u, double* out) {
            return lookup_property(t, p, pair_tp, code, u, out);
          },
          units);
    }
  }
}

TEST(WholePage, SaturatedStatesFromTemperatureAndFromPressure) {
  for (double x : {0.0, 0.5, 1.0}) {
    SCOPED_TRACE(testing::Message() << "x " << x);
    for (int units : {metric_units, english_units}) {
      const double t = display_temperature(units, 373.15);
      steam95 by_t;
      by_t.at_tsat(input_temperature(units, t), x);
      check_page(
          by_t, [&](int code, int u, double* out) { return lookup_tsat(t, x, code, u, out); },
          units);
      const double p = 1.0 * unit_factor(fP, units);
      steam95 by_p;
      by_p.at_psat(input_pressure(units, p), x);
      check_page(
          by_p, [&](int code, int u, double* out) { return lookup_psat(p, x, code, u, out); },
          units);
    }
  }
}

// The same state reached through each of the ten input pairs shows the same page. The second
// inputs are read from the temperature-pressure page in display units, so the round trip also
// exercises every input conversion. The constructors stop at 1e-6 kJ/kg in energy and 1e-8 in
// entropy, and the pressure-first ones search temperature to about 1e-9 relative, so the pages
// agree to about 1e-6 relative; the derivative rows near zero get an absolute allowance.
TEST(WholePage, EveryInputPairGivesTheSamePage) {
  struct pair_inputs {
    int pair, first, second;
  };
  constexpr pair_inputs pairs[] = {
      {pair_tv, code_t, code_v}, {pair_th, code_t, code_h}, {pair_ts, code_t, code_s},
      {pair_tu, code_t, code_u}, {pair_pv, code_p, code_v}, {pair_ph, code_p, code_h},
      {pair_ps, code_p, code_s}, {pair_pu, code_p, code_u}, {pair_hs, code_h, code_s},
  };
  for (const auto& c : single_phase_states) {
    for (int units : {metric_units, english_units}) {
      const double t = display_temperature(units, c.T);
      const double p = c.p * unit_factor(fP, units);
      double page[last_lookup_code + 1];
      for (int code = 0; code <= last_lookup_code; ++code) {
        ASSERT_EQ(lookup_property(t, p, pair_tp, code, units, &page[code]), status_ok);
      }
      for (const auto& pr : pairs) {
        if (pr.pair == c.unreachable_pair) continue;
        SCOPED_TRACE(testing::Message() << c.name << " pair " << pr.pair << " units " << units);
        for (int code = 0; code <= last_lookup_code; ++code) {
          SCOPED_TRACE(code);
          double out = 0.0;
          ASSERT_EQ(lookup_property(page[pr.first], page[pr.second], pr.pair, code, units, &out),
                    status_ok);
          if (code == code_x) {
            EXPECT_EQ(out, page[code]);
          } else if (code == code_a || code == code_g) {
            // The free energies are small differences of u or h and T·s; they carry the
            // error of their largest term.
            const double scale = std::abs(page[code_h]) + std::abs(page[code_u]);
            EXPECT_NEAR(out, page[code], 2e-6 * scale);
          } else {
            EXPECT_NEAR(out, page[code], 2e-6 * std::abs(page[code]) + 1e-9);
          }
        }
      }
    }
  }
}

TEST(WholePage, TwoPhaseStatesFromEveryPairThatReachesThem) {
  // 100 °C at quality 0.3: the pairs with pressure or temperature and a mixture quantity.
  double page[last_lookup_code + 1];
  for (int code = 0; code <= last_lookup_code; ++code) {
    if (lookup_tsat(100.0, 0.3, code, metric_units, &page[code]) != status_ok) page[code] = NAN;
  }
  const int pairs[][3] = {
      {pair_tv, code_t, code_v}, {pair_th, code_t, code_h}, {pair_ts, code_t, code_s},
      {pair_tu, code_t, code_u}, {pair_pv, code_p, code_v}, {pair_ph, code_p, code_h},
      {pair_ps, code_p, code_s}, {pair_pu, code_p, code_u}, {pair_hs, code_h, code_s}};
  for (const auto& pr : pairs) {
    SCOPED_TRACE(testing::Message() << "pair " << pr[0]);
    for (int code : {code_t, code_p, code_v, code_h, code_s, code_u, code_x}) {
      SCOPED_TRACE(code);
      double out = 0.0;
      ASSERT_EQ(lookup_property(page[pr[1]], page[pr[2]], pr[0], code, metric_units, &out),
                status_ok);
      EXPECT_NEAR(out, page[code], 2e-6 * std::abs(page[code]) + 1e-9);
    }
    double out = 0.0;
    EXPECT_EQ(lookup_property(page[pr[1]], page[pr[2]], pr[0], code_cp, metric_units, &out),
              status_not_applicable);
  }
}

// IAPWS-95 saturation states (R6-95(2018), Table 8) read through the saturated page in both
// unit systems, converted back to internal units with the factors; nine printed digits.
TEST(WholePage, SaturatedPagesReproduceIapws95Table8) {
  struct saturation_check {
    double T, p, rho_liq, rho_vap, h_liq, h_vap, s_liq, s_vap;
  };
  constexpr saturation_check table8[] = {
      {450, 0.932203564, 0.890341250e3, 0.481200360e1, 0.749161585e3, 0.277441078e4, 0.210865845e1,
       0.660921221e1},
      {625, 0.169082693e2, 0.567090385e3, 0.118290280e3, 0.168626976e4, 0.255071625e4,
       0.380194683e1, 0.518506121e1},
  };
  for (const auto& c : table8) {
    for (int units : {metric_units, english_units}) {
      SCOPED_TRACE(testing::Message() << "T " << c.T << " units " << units);
      const auto f = [units](unit_row r) { return unit_factor(r, units); };
      const double t = display_temperature(units, c.T);
      const auto read = [&](double x, int code, double factor) {
        double out = 0.0;
        EXPECT_EQ(lookup_tsat(t, x, code, units, &out), status_ok);
        return out / factor;
      };
      EXPECT_NEAR(read(0.0, code_p, f(fP)), c.p, 5e-9 * c.p);
      EXPECT_NEAR(read(0.0, code_rho, 1.0 / f(fV)), c.rho_liq, 5e-9 * c.rho_liq);
      EXPECT_NEAR(read(1.0, code_rho, 1.0 / f(fV)), c.rho_vap, 5e-9 * c.rho_vap);
      EXPECT_NEAR(read(0.0, code_h, f(fE)), c.h_liq, 5e-9 * c.h_liq);
      EXPECT_NEAR(read(1.0, code_h, f(fE)), c.h_vap, 5e-9 * c.h_vap);
      EXPECT_NEAR(read(0.0, code_s, f(fE) / f(fT)), c.s_liq, 5e-9 * c.s_liq);
      EXPECT_NEAR(read(1.0, code_s, f(fE) / f(fT)), c.s_vap, 5e-9 * c.s_vap);
      // The saturation pressure read back through the pressure page gives the temperature.
      double T_back = 0.0;
      ASSERT_EQ(lookup_psat(c.p * f(fP), 0.0, code_t, units, &T_back), status_ok);
      EXPECT_NEAR(input_temperature(units, T_back), c.T, 1e-6);
    }
  }
}

}  // namespace
}  // namespace Vantrel
