// The lookup entry points: every status path, the output left untouched on failure, and the
// default floating-point environment after every call; and the property sets against them.
#include <fenv.h>
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <stdexcept>
#if defined(__x86_64__)
#include <xmmintrin.h>
#endif

#include "lookup/lookup.h"
#include "lookup/steam95_values.h"
#include "lookup/units.h"
#include "model/errors.h"
#include "model/steam95.h"

namespace Vantrel {
namespace {

constexpr double untouched = -12345.678;  // sentinel in the output before each call
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

enum entry_point { property, tsat, psat, constant };

// One call in display units: lookup_property(a, b, pair, ...), lookup_tsat(a, b, ...),
// lookup_psat(a, b, ...) or lookup_constant(code, ...).
struct call_case {
  const char* name;
  entry_point entry;
  double a, b;
  int pair, code, units, status;
  bool null_output = false;
  double value = nan;  // the value expected, where the row pins one
};

constexpr int M = metric_units, E = english_units;

// Metric/SI inputs are °C and bar; a liquid at 26.85 °C and 100 bar unless the row is about
// the inputs.
const call_case cases[] = {
    {"liquid", property, 26.85, 100, pair_tp, code_cp, M, status_ok},
    {"last entry-point code", tsat, 100, 0, 0, code_isentropic_k, M, status_ok},
    {"5000 K and 10000 MPa", property, 4726.85, 100000, pair_tp, code_h, M, status_ok},
    {"triple-point pressure", psat, 0.00611657, 1, 0, code_t, M, status_ok},
    {"English", psat, 14.7, 0.3, 0, code_v, E, status_ok},
    {"unit system 7 reads °F", tsat, 600, 0, 0, code_h, 7, status_ok},
    {"code -1", property, 26.85, 100, pair_tp, -1, M, status_invalid},
    {"code 27", property, 26.85, 100, pair_tp, code_dhv, M, status_invalid},
    {"tsat code 27", tsat, 100, 0, 0, code_dhv, M, status_invalid},
    {"psat code 28", psat, 1, 0, 0, 28, M, status_invalid},
    {"constant code 16", constant, 0, 0, 0, 16, M, status_invalid},
    {"null property", property, 26.85, 100, pair_tp, code_h, M, status_invalid, true},
    {"null tsat", tsat, 100, 0.5, 0, code_h, M, status_invalid, true},
    {"null psat", psat, 1, 0.5, 0, code_h, M, status_invalid, true},
    {"null constant", constant, 0, 0, 0, 3, M, status_invalid, true},
    {"quality -0.1", tsat, 100, -0.1, 0, code_h, M, status_invalid},
    {"quality above 1", tsat, 100, 1.0 + 1e-15, 0, code_h, M, status_invalid},
    {"quality NaN", psat, 1, nan, 0, code_h, M, status_invalid},
    {"pair -1", property, 26.85, 100, -1, code_h, M, status_invalid},
    {"pair 10", property, 26.85, 100, 10, code_h, M, status_invalid},
    {"NaN temperature", property, nan, 100, pair_tp, code_h, M, status_invalid},
    {"infinite enthalpy", property, 1, inf, pair_ph, code_t, M, status_invalid},
    {"NaN tsat", tsat, nan, 0.5, 0, code_h, M, status_invalid},
    {"inf psat", psat, inf, 0.5, 0, code_h, M, status_invalid},
    // A finite English entropy whose conversion to kJ/(kg·K) overflows.
    {"entropy 1e308 Btu/(lb·°F)", property, 100, 1e308, pair_ps, code_t, E, status_invalid},
    {"h-s 1e308", property, 1000, 1e308, pair_hs, code_t, E, status_invalid},
    {"above 10000 MPa", property, 26.85, 100001, pair_tp, code_h, M, status_invalid},
    {"below 190 K", property, -100, 100, pair_tp, code_h, M, status_invalid},
    {"above 5000 K", property, 5000, 100, pair_tp, code_h, M, status_invalid},
    {"negative volume", property, 26.85, -0.001, pair_tv, code_h, M, status_invalid},
    {"tsat above Tc", tsat, 374, 0, 0, code_h, M, status_invalid},
    {"tsat below triple point", tsat, -0.1, 0, 0, code_h, M, status_invalid},
    {"psat above pc", psat, 221, 0, 0, code_h, M, status_invalid},
    {"psat below triple point", psat, 0.006, 0, 0, code_h, M, status_invalid},
    {"two-phase viscosity", tsat, 100, 0.5, 0, code_mu, M, status_not_applicable},
    {"two-phase Joule-Thomson", psat, 1, 0.5, 0, code_cjth, E, status_not_applicable},
    // Where (∂v/∂p)_T vanishes the isentropic expansion coefficient divides by zero: a failed
    // computation, not a value.
    {"critical vapour exponent", psat, 220.64, 1, 0, code_isentropic_k, M, status_failed},
    // The range constants in English units (the physical constants 0-7 are pinned by the
    // constants page).
    {"lowest temperature", constant, 0, 0, 0, 8, E, status_ok, false, -117.67},
    {"highest temperature", constant, 0, 0, 0, 9, E, status_ok, false, 8540.33},
    {"lowest pressure", constant, 0, 0, 0, 10, E, status_ok, false, 0.0},
    {"highest pressure", constant, 0, 0, 0, 11, E, status_ok, false, 1450380.0},
    {"triple-point temperature", constant, 0, 0, 0, 12, E, status_ok, false, 32.018},
    {"triple-point pressure", constant, 0, 0, 0, 13, E, status_ok, false, 0.088713508},
    {"triple-point liquid h", constant, 0, 0, 0, 14, E, status_ok, false, 0.00026305761},
    {"triple-point liquid s", constant, 0, 0, 0, 15, E, status_ok, false, 0.0},
};

int call(const call_case& c, double* out) {
  switch (c.entry) {
    case property:
      return lookup_property(c.a, c.b, c.pair, c.code, c.units, out);
    case tsat:
      return lookup_tsat(c.a, c.b, c.code, c.units, out);
    case psat:
      return lookup_psat(c.a, c.b, c.code, c.units, out);
    case constant:
      return lookup_constant(c.code, c.units, out);
  }
  return -1;
}

// The caller's rounding mode and raised flags never reach the library, and every call returns
// with the default environment whatever its status.
TEST(EntryPoints, StatusOutputAndFloatingPointEnvironmentOfEveryKindOfCall) {
  const int modes[] = {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO};
  int row = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(std::fesetround(modes[row++ % 3]), 0);
    std::feraiseexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
    double out = untouched;
    const int status = call(c, c.null_output ? nullptr : &out);
    const int round = std::fegetround();
    const int flags = std::fetestexcept(FE_ALL_EXCEPT);
    std::fesetenv(FE_DFL_ENV);
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(round, FE_TONEAREST);
    EXPECT_EQ(flags, 0);
    if (status != status_ok) {
      EXPECT_EQ(out, untouched);
    } else if (!std::isnan(c.value)) {
      EXPECT_NEAR(out, c.value, 1e-6 * std::abs(c.value));
    } else {
      EXPECT_TRUE(std::isfinite(out));
    }
  }
}

#if defined(__x86_64__) && defined(__GLIBC__)
// A caller that unmasks floating-point traps or flushes subnormals to zero does not reach the
// library: the critical-point isentropic exponent divides by zero inside, which would raise
// SIGFPE under an unmasked trap, and it still answers status 2 with every trap masked again.
TEST(EntryPoints, CallersTrapsAndFlushToZeroAreCleared) {
  feenableexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
  _mm_setcsr(_mm_getcsr() | 0x8040);  // flush-to-zero and denormals-are-zero
  double out = untouched;
  const int status = lookup_psat(220.64, 1.0, code_isentropic_k, metric_units, &out);
  const int traps = fegetexcept();
  const unsigned int mxcsr = _mm_getcsr();
  std::fesetenv(FE_DFL_ENV);
  EXPECT_EQ(status, status_failed);
  EXPECT_EQ(out, untouched);
  EXPECT_EQ(traps, 0);
  EXPECT_EQ(mxcsr, 0x1F80u);
}
#endif

// An unknown pair code is a domain error of the lookup service, raised before any state is
// built; so is a property code outside the table.
TEST(EntryPoints, UnknownCodesAreDomainErrorsOfTheLookupService) {
  steam95 fresh;
  try {
    state_from_pair(100.0, 1.01325, fresh, input_pair_count, metric_units);
    ADD_FAILURE() << "pair " << input_pair_count << " accepted";
  } catch (const std::domain_error& e) {
    EXPECT_STREQ(e.what(), "kelvora");
  }
  EXPECT_FALSE(fresh.valid());
  EXPECT_THROW(property_value(property_code_count, fresh, metric_units), std::domain_error);
}

// T-h decides by the range of h over the states of the isotherm: an enthalpy beyond it is out of
// range (status 1) wherever the search gives up, and one just inside it is a state. Each row's
// enthalpy is that of a T-p state (°C, bar) plus an offset in kJ/kg; the states at 10 000 MPa
// hold the top of their isotherm's range (at 300 K far above the vapour's), and at 3000 K, where h
// grows with pressure from the ideal gas, the dilute gas holds its bottom.
TEST(EntryPoints, TemperatureEnthalpyIsOutOfRangeBeyondTheEnthalpiesOfItsIsotherm) {
  const struct {
    const char* what;
    double t, p, dh;
    int status;
  } rows[] = {
      {"700 K, just below h at the top pressure", 426.85, 100000, -0.5, status_ok},
      {"700 K, just above it", 426.85, 100000, 0.5, status_invalid},
      {"300 K, just below h at the top pressure", 26.85, 100000, -0.5, status_ok},
      {"300 K, just above it", 26.85, 100000, 0.5, status_invalid},
      {"300 K, 1000 kJ/kg below the saturated liquid", 26.85, 1, -1000, status_invalid},
      {"3000 K, dilute gas", 2726.85, 0.01, 0, status_ok},
      {"3000 K, just below the ideal gas", 2726.85, 1e-6, -0.01, status_invalid},
      {"650 K, 2000 kJ/kg below the dilute gas", 376.85, 1, -2000, status_invalid},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    double h = 0.0;
    ASSERT_EQ(lookup_property(r.t, r.p, pair_tp, code_h, M, &h), status_ok);
    double p = untouched;
    EXPECT_EQ(lookup_property(r.t, h + r.dh, pair_th, code_p, M, &p), r.status);
    if (r.status == status_ok && r.dh != 0) {
      EXPECT_NEAR(p, r.p, 1e-3 * r.p);
    }
  }
}

// The property sets give, code by code, what the single-value entry points give: every case
// above, asked for every code from -2 to 28 at once.
TEST(PropertySets, GiveWhatTheSingleValueEntryPointsGiveForEachCode) {
  std::array<int, 31> codes{};
  std::iota(codes.begin(), codes.end(), -2);
  for (const call_case& c : cases) {
    if (c.null_output) continue;
    SCOPED_TRACE(c.name);
    std::array<double, codes.size()> values;
    values.fill(untouched);
    std::array<int, codes.size()> statuses{};
    switch (c.entry) {
      case property:
        lookup_property_set(c.a, c.b, c.pair, c.units, codes, values, statuses);
        break;
      case tsat:
        lookup_tsat_set(c.a, c.b, c.units, codes, values, statuses);
        break;
      case psat:
        lookup_psat_set(c.a, c.b, c.units, codes, values, statuses);
        break;
      case constant:
        lookup_constant_set(c.units, codes, values, statuses);
        break;
    }
    for (std::size_t k = 0; k < codes.size(); ++k) {
      call_case single = c;
      single.code = codes[k];
      double out = untouched;
      EXPECT_EQ(statuses[k], call(single, &out)) << "code " << codes[k];
      EXPECT_EQ(std::bit_cast<std::uint64_t>(values[k]), std::bit_cast<std::uint64_t>(out))
          << "code " << codes[k];
    }
  }
}

// In internal units the inputs go to the constructors and the properties come back exactly as
// the library computes them; the inputs read back as they were given.
TEST(PropertySets, InternalUnitsAreTheLibrarysOwnValues) {
  steam95 state;
  state.at_ph(10.0, 3000.0);
  constexpr std::array<int, 5> codes{code_t, code_h, code_s, code_kappa, code_mu};
  std::array<double, 5> values{};
  std::array<int, 5> statuses{};
  ASSERT_EQ(lookup_property_set(10.0, 3000.0, pair_ph, internal_units, codes, values, statuses),
            status_ok);
  EXPECT_EQ(values, (std::array{state.t(), 3000.0, state.s(), state.kappa(), state.mu()}));
  EXPECT_EQ(statuses, (std::array{0, 0, 0, 0, 0}));

  std::array<double, 2> constants{};
  std::array<int, 2> constant_statuses{};
  lookup_constant_set(internal_units, std::array{1, 2}, constants, constant_statuses);
  EXPECT_EQ(constants, (std::array{constant95::Tc, constant95::pc}));

  // Spans of different lengths are refused before anything is written.
  std::array<double, 4> short_values;
  short_values.fill(untouched);
  EXPECT_EQ(lookup_tsat_set(100.0, 0.5, metric_units, codes, short_values, statuses),
            status_invalid);
  EXPECT_EQ(short_values[0], untouched);
}

}  // namespace
}  // namespace Vantrel

namespace Vantrel {
namespace {

// Below the lowest pressure the density searches resolve, a state is out of range (status 1),
// never a failed computation; from there up, its pressure reads back exactly.
TEST(EntryPoints, PressuresBelowTheLowestOneAreOutOfRange) {
  for (const double p : {0.0, -0.0, 5e-324, 1e-22, 1e-15}) {
    double out = 0;
    EXPECT_EQ(lookup_property(25.0, p, pair_tp, code_h, metric_units, &out), status_invalid) << p;
    EXPECT_EQ(lookup_property(p, 100.0, pair_ph, code_t, metric_units, &out), status_invalid) << p;
  }
  for (const double p : {1e-13, 1e-9, 1e-5}) {
    for (const double T : {-83.0, 25.0, 4700.0}) {
      double out = 0;
      ASSERT_EQ(lookup_property(T, p, pair_tp, code_p, metric_units, &out), status_ok) << T << p;
      EXPECT_EQ(out, p);
      EXPECT_EQ(lookup_property(T, p, pair_tp, code_rho, metric_units, &out), status_ok) << T << p;
    }
  }
}

}  // namespace
}  // namespace Vantrel
