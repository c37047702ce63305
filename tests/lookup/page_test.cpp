// Display units: the conversions against published values, the input rules at fixed points, and
// whole pages through the entry points: every row of a liquid, a vapour, a two-phase and a
// supercritical state in both unit systems is the library's value in internal units times the
// factors of its unit; and the same state reached through every input pair shows the same page.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "lookup/lookup.h"
#include "lookup/steam95_values.h"
#include "lookup/units.h"
#include "model/errors.h"
#include "model/steam95.h"

namespace Vantrel {
namespace {

std::string shown(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%G", value);
  return text;
}

double english(unit_row row) {
  return unit_factor(row, english_units);
}

// Each row converts one internal value: the critical point, and one unit of every compound
// quantity whose English factor comes from the definitions of the foot, the pound and the IT
// Btu (1 kJ/(kg·K) is 1/4.1868 Btu/(lb·°F)).
TEST(Units, DisplayedConversionsMatchPublishedValues) {
  const struct {
    const char* what;
    double value;
    const char* expected;
  } rows[] = {
      {"Tc in °C", display_temperature(metric_units, 647.096), "373.946"},
      {"Tc in °F", display_temperature(english_units, 647.096), "705.103"},
      {"0 °C in °F", display_temperature(english_units, 273.15), "32"},
      {"pc in bar", 22.064 * unit_factor(fP, metric_units), "220.64"},
      {"pc in psia", 22.064 * english(fP), "3200.12"},
      {"1 m³/kg in ft³/lb", english(fV), "16.0185"},
      {"1 kJ/kg in Btu/lb", english(fE), "0.429923"},
      {"1 kJ/(kg·K) in Btu/(lb·°F)", english(fE) / english(fT), "0.238846"},
      {"1 m/s in ft/s", english(fW), "3.28084"},
      {"1 mPa·s in µPa·s", 1e-3 * unit_factor(fMU, metric_units), "1000"},
      {"1 mPa·s in lb/(ft·h)", 1e-3 * english(fMU), "2.41909"},
      {"1 W/(m·K) in Btu/(h·ft·°F)", english(fK), "0.577789"},
      {"1 K/MPa in °C/bar", unit_factor(fT, metric_units) / unit_factor(fP, metric_units), "0.1"},
      {"1 K/MPa in °F/psia", english(fT) / english(fP), "0.0124105"},
  };
  for (const auto& r : rows) EXPECT_EQ(shown(r.value), r.expected) << r.what;
}

// The English temperature rule subtracts 32 first, so the fixed points read back exactly. The
// other input conversions are pinned by the page round trips below.
TEST(Units, EnglishTemperatureInputAtFixedPoints) {
  EXPECT_EQ(input_temperature(english_units, 32.0), 273.15);
  EXPECT_EQ(input_temperature(english_units, 212.0), 373.15);
}

constexpr int none = -1;

// How one row's value is read from the library, and the unit rows its display unit multiplies
// and divides by.
struct row_unit {
  int code;
  double (steam95::*read)() const;
  int times, per;
};

constexpr row_unit rows[] = {
    {code_t, &steam95::t, none, none},  // absolute temperature, by the display rule
    {code_p, &steam95::p, fP, none},
    {code_v, &steam95::v, fV, none},
    {code_rho, &steam95::rho, none, fV},
    {code_z, &steam95::z, none, none},
    {code_a, &steam95::a, fE, none},
    {code_s, &steam95::s, fE, fT},
    {code_u, &steam95::u, fE, none},
    {code_h, &steam95::h, fE, none},
    {code_g, &steam95::g, fE, none},
    {code_cv, &steam95::cv, fE, fT},
    {code_cp, &steam95::cp, fE, fT},
    {code_w, &steam95::w, fW, none},
    {code_alpha, &steam95::alpha, none, fT},
    {code_kappa, &steam95::kappa, none, fP},
    {code_dpdt, &steam95::dpdt, fP, fT},
    {code_dvdt, &steam95::dvdt, fV, fT},
    {code_dvdp, &steam95::dvdp, fV, fP},
    {code_mu, &steam95::mu, fMU, none},
    {code_kt, &steam95::kt, fK, none},
    {code_st, &steam95::st, none, none},
    {code_pr, &steam95::pr, none, none},
    {code_de, &steam95::de, none, none},
    {code_cjtt, &steam95::cjtt, fE, fP},
    {code_cjth, &steam95::cjth, fT, fP},
    {code_x, &steam95::x, none, none},
    {code_isentropic_k, &steam95::isentropic_k, none, none},
    {code_dhv, &steam95::dhv, fE, none},  // through property_value alone
};
static_assert(std::size(rows) == property_code_count);

double factor(int row, int units) {
  return row == none ? 1.0 : unit_factor(static_cast<unit_row>(row), units);
}

struct sample {
  const char* name;
  double T, second;  // K; MPa, or the quality of a saturated state
  bool saturated;
  int unreachable_pair = none;  // a pair whose inputs name another state
};

// A cold compressed liquid has more enthalpy than the saturated liquid at its temperature, so
// its (T, h) also fits a wet mixture, which is the state that temperature and enthalpy name.
constexpr sample samples[] = {
    {"cold liquid", 300.0, 10.0, false, pair_th},
    {"hot liquid", 600.0, 20.0, false},
    {"vapour", 500.0, 0.1, false},
    {"supercritical", 900.0, 30.0, false},
    {"wet steam", 373.15, 0.3, true},
};

// The sample's row as the pages ask for it: by temperature and pressure, or saturated by
// temperature, in display units.
int lookup(const sample& s, int code, int units, double* out) {
  const double t = display_temperature(units, s.T);
  if (s.saturated) return lookup_tsat(t, s.second, code, units, out);
  return lookup_property(t, s.second * unit_factor(fP, units), pair_tp, code, units, out);
}

// The library's state from the same inputs after their conversion, so that the solvers take
// the same path.
void build(const sample& s, int units, steam95& state) {
  const double T = input_temperature(units, display_temperature(units, s.T));
  if (s.saturated) {
    state.at_tsat(T, s.second);
  } else {
    state.at_tp(T, input_pressure(units, s.second * unit_factor(fP, units)));
  }
}

// Each sample's page, by temperature and pressure or saturated by temperature: every row is the
// library's value times its unit factors. The same state reached through each of the other
// input pairs (and a saturated one through its pressure) shows the same page. The pair inputs
// are read from the page in display units, so the round trip also exercises every input
// conversion. The constructors stop at 1e-6 kJ/kg in energy and 1e-8 in entropy, and the
// pressure-first ones search temperature to about 1e-9 relative, so the pages agree to about
// 1e-6 relative; rows near zero get an absolute allowance.
TEST(WholePage, EveryRowIsTheLibraryValueAndEveryInputPairGivesTheSamePage) {
  const struct {
    int pair, first, second;
  } pairs[] = {
      {pair_tv, code_t, code_v}, {pair_th, code_t, code_h}, {pair_ts, code_t, code_s},
      {pair_tu, code_t, code_u}, {pair_pv, code_p, code_v}, {pair_ph, code_p, code_h},
      {pair_ps, code_p, code_s}, {pair_pu, code_p, code_u}, {pair_hs, code_h, code_s},
  };
  for (const auto& s : samples) {
    for (int units : {metric_units, english_units}) {
      steam95 state;
      build(s, units, state);
      double page[property_code_count] = {};
      int status[property_code_count] = {};
      for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << s.name << " units " << units << " code " << r.code);
        int expected = status_ok;
        double value = 0.0;
        try {
          const double raw = (state.*r.read)();
          value = r.code == code_t ? display_temperature(units, raw)
                                   : raw * factor(r.times, units) / factor(r.per, units);
        } catch (const not_applicable&) {
          expected = status_not_applicable;
        }
        double& out = page[r.code];
        if (r.code == code_dhv) {
          if (expected == status_ok) out = property_value(code_dhv, state, units);
        } else {
          status[r.code] = lookup(s, r.code, units, &out);
          ASSERT_EQ(status[r.code], expected);
        }
        // The inputs read back exactly as they were given.
        const bool input = r.code == code_t || (r.code == code_p && !s.saturated);
        if (expected == status_ok && input) {
          EXPECT_EQ(out, r.code == code_t ? display_temperature(units, s.T)
                                          : s.second * unit_factor(fP, units));
        } else if (expected == status_ok) {
          EXPECT_NEAR(out, value, 1e-13 * std::abs(value) + 1e-300);
        }
      }
      // The page again: each row read from what the first reading left on the cached state,
      // bit for bit the same.
      for (int code = 0; code <= last_lookup_code; ++code) {
        double again = 0.0;
        EXPECT_EQ(lookup(s, code, units, &again), status[code]);
        if (status[code] == status_ok) {
          EXPECT_EQ(again, page[code]) << s.name << " code " << code;
        }
      }
      const auto expect_same_page = [&](auto&& call) {
        for (int code = 0; code <= last_lookup_code; ++code) {
          SCOPED_TRACE(code);
          double out = 0.0;
          ASSERT_EQ(call(code, &out), status[code]);
          if (status[code] != status_ok) continue;
          // The free energies are small differences of u or h and T·s; they carry the error of
          // their largest term.
          const bool free_energy = code == code_a || code == code_g;
          const double scale =
              free_energy ? std::abs(page[code_h]) + std::abs(page[code_u]) : std::abs(page[code]);
          EXPECT_NEAR(out, page[code], 2e-6 * scale + 1e-9);
        }
      };
      for (const auto& pr : pairs) {
        if (pr.pair == s.unreachable_pair) continue;
        SCOPED_TRACE(testing::Message() << s.name << " pair " << pr.pair << " units " << units);
        expect_same_page([&](int code, double* out) {
          return lookup_property(page[pr.first], page[pr.second], pr.pair, code, units, out);
        });
      }
      if (s.saturated) {
        SCOPED_TRACE(testing::Message() << s.name << " by pressure, units " << units);
        expect_same_page([&](int code, double* out) {
          return lookup_psat(page[code_p], s.second, code, units, out);
        });
      }
    }
  }
}

}  // namespace
}  // namespace Vantrel
