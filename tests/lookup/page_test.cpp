// Display units: the conversions against published values, the input rules at fixed points, and
// whole pages through the entry points: every row of a liquid, a vapour, a two-phase and a
// supercritical state in both unit systems is the library's value in internal units times the
// factors of its unit; and the same state reached through every input pair shows the same page.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "lookup/lookup.h"
#include "lookup/steam95_values.h"
#include "lookup/units.h"
#include "model/errors.h"
#include "model/steam95.h"

namespace Vantrel {
namespace {

// Every unit factor against its definition, through the entry points: the saturated vapour at
// 100 °C (212 °F, 373.15 K) read in each unit system over its values in the library's own
// units. The definitions are exact: 1 ft = 0.3048 m, 1 lb = 0.45359237 kg, 1 lbf = 1 lb times
// 9.80665 m/s², the IT Btu = 1055.05585262 J, a kelvin is 1.8 °F, 1 bar = 0.1 MPa. Pressure in
// psia uses the printed 14.5038 psi/bar, and three English factors come from the seven-digit
// conversions of the NIST Guide to the SI (1 lb = 0.4535924 kg for volume, 1 lb/(ft·h) =
// 4.133789e-4 Pa·s, 1 Btu/(h·ft·°F) = 1.730735 W/(m·K)): each factor is that printed value to
// all its digits, and the printed value lies within its own rounding of the definition.
TEST(Units, EveryFactorFollowsFromItsDefinition) {
  constexpr double ft = 0.3048, lb = 0.45359237, btu = 1055.05585262, F_per_K = 1.8;
  constexpr double psi = lb * 9.80665 / (ft / 12 * ft / 12) * 1e-6;  // MPa
  const struct {
    const char* what;
    int code;
    double metric, english;  // display value over internal value
    double definition;       // the English ratio from the definitions
    double rounding;         // of the printed value, relative
  } factors[] = {
      {"1/K to 1/°F", code_alpha, 1.0, 1.0 / F_per_K, 5.0 / 9.0, 0.0},
      {"MPa to bar, psia", code_p, 10.0, 10.0 * 14.5038, 1.0 / psi, 0.5e-4 / 14.5038},
      {"m³/kg to ft³/lb", code_v, 1.0, 0.4535924 / (ft * ft * ft), lb / (ft * ft * ft),
       0.5e-7 / 0.4535924},
      {"kJ/kg to Btu/lb", code_h, 1.0, lb * 1000.0 / btu, lb * 1000.0 / btu, 0.0},
      {"m/s to ft/s", code_w, 1.0, 1.0 / ft, 1.0 / ft, 0.0},
      {"Pa·s to µPa·s, lb/(ft·h)", code_mu, 1e6, 1.0 / 4.133789e-4, 3600.0 * ft / lb,
       0.5e-10 / 4.133789e-4},
      {"W/(m·K) to W/(m·°C), Btu/(h·ft·°F)", code_kt, 1.0, 1.0 / 1.730735,
       3600.0 * ft / (btu * F_per_K), 0.5e-6 / 1.730735},
  };
  std::vector<int> codes{code_t};
  for (const auto& f : factors) codes.push_back(f.code);
  const auto page = [&codes](double t, int units) {
    std::vector<double> values(codes.size());
    std::vector<int> statuses(codes.size());
    EXPECT_EQ(lookup_tsat_set(t, 1.0, units, codes, values, statuses), status_ok);
    EXPECT_EQ(statuses, std::vector<int>(codes.size(), status_ok));
    return values;
  };
  const auto internal = page(373.15, internal_units), metric = page(100.0, metric_units),
             english = page(212.0, english_units);
  EXPECT_NEAR(internal[0], 373.15, 1e-12);
  EXPECT_NEAR(metric[0], 100.0, 1e-12);
  EXPECT_NEAR(english[0], 212.0, 1e-12);
  for (std::size_t i = 0; i < std::size(factors); ++i) {
    const auto& f = factors[i];
    SCOPED_TRACE(f.what);
    const double value = internal[i + 1];
    EXPECT_NEAR(metric[i + 1] / value, f.metric, 2e-15 * f.metric);
    EXPECT_NEAR(english[i + 1] / value, f.english, 2e-15 * f.english);
    EXPECT_NEAR(f.english, f.definition, (f.rounding + 2e-15) * f.definition);
  }
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
