// The four lookup entry points: every status path, the output left untouched on failure, and the
// default floating-point environment after every call.
#include <fenv.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <limits>
#include <stdexcept>
#if defined(__x86_64__)
#include <xmmintrin.h>
#endif

#include "lookup/lookup.h"
#include "lookup/units.h"
#include "model/errors.h"
#include "model/steam95.h"

namespace Vantrel {
namespace {

constexpr double untouched = -12345.678;  // sentinel in the output before each call
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

// A liquid state in Metric/SI display units: 26.85 °C (300 K), 100 bar.
constexpr double liquid_c = 26.85, liquid_bar = 100.0;

struct call_result {
  int status;
  double out;
};

call_result property(double a, double b, int pair, int code, int units = metric_units) {
  double out = untouched;
  const int status = lookup_property(a, b, pair, code, units, &out);
  return {status, out};
}
call_result tsat(double t, double x, int code, int units = metric_units) {
  double out = untouched;
  const int status = lookup_tsat(t, x, code, units, &out);
  return {status, out};
}
call_result psat(double p, double x, int code, int units = metric_units) {
  double out = untouched;
  const int status = lookup_psat(p, x, code, units, &out);
  return {status, out};
}

// A failure returns its status and leaves the output as it was.
void expect_failure(call_result r, int status) {
  EXPECT_EQ(r.status, status);
  EXPECT_EQ(r.out, untouched);
}

TEST(EntryPointArguments, PropertyCodesOutsideTheLookupRangeAreRefused) {
  for (int code : {-1, int{code_dhv}, 28, std::numeric_limits<int>::min()}) {
    SCOPED_TRACE(code);
    expect_failure(property(liquid_c, liquid_bar, pair_tp, code), status_invalid);
    expect_failure(tsat(100.0, 0.0, code), status_invalid);
    expect_failure(psat(1.01325, 0.0, code), status_invalid);
  }
  EXPECT_EQ(property(liquid_c, liquid_bar, pair_tp, code_isentropic_k).status, status_ok);
  EXPECT_EQ(tsat(100.0, 0.0, code_isentropic_k).status, status_ok);
}

TEST(EntryPointArguments, NullOutputIsRefused) {
  EXPECT_EQ(lookup_property(liquid_c, liquid_bar, pair_tp, code_h, metric_units, nullptr),
            status_invalid);
  EXPECT_EQ(lookup_tsat(100.0, 0.5, code_h, metric_units, nullptr), status_invalid);
  EXPECT_EQ(lookup_psat(1.0, 0.5, code_h, metric_units, nullptr), status_invalid);
  EXPECT_EQ(lookup_constant(0, metric_units, nullptr), status_invalid);
}

TEST(EntryPointArguments, QualityMustBeAFractionFromZeroToOne) {
  for (double x : {-0.1, 1.5, -1e-300, 1.0 + 1e-15, nan, inf, -inf}) {
    SCOPED_TRACE(x);
    expect_failure(tsat(100.0, x, code_h), status_invalid);
    expect_failure(psat(1.0, x, code_h), status_invalid);
  }
  EXPECT_EQ(tsat(100.0, 0.0, code_x).out, 0.0);
  EXPECT_EQ(tsat(100.0, 1.0, code_x).out, 1.0);
  EXPECT_EQ(psat(1.0, 0.0, code_x).out, 0.0);
  EXPECT_EQ(psat(1.0, 1.0, code_x).out, 1.0);
}

TEST(EntryPointArguments, InputPairCodesOutsideZeroToNineAreRefused) {
  for (int pair : {-1, 10, 11, std::numeric_limits<int>::max()}) {
    SCOPED_TRACE(pair);
    expect_failure(property(liquid_c, liquid_bar, pair, code_h), status_invalid);
  }
}

// Not-a-number and infinite inputs are out of range in every position, for every pair, and are
// refused before any solver runs (a solver fed a NaN could only fail or loop).
TEST(EntryPointArguments, NonFiniteInputsAreOutOfRange) {
  for (double bad : {nan, inf, -inf}) {
    SCOPED_TRACE(bad);
    for (int pair = 0; pair < input_pair_count; ++pair) {
      expect_failure(property(bad, liquid_bar, pair, code_h), status_invalid);
      expect_failure(property(liquid_c, bad, pair, code_h), status_invalid);
      expect_failure(property(bad, liquid_bar, pair, code_x, english_units), status_invalid);
    }
    expect_failure(tsat(bad, 0.5, code_h), status_invalid);
    expect_failure(psat(bad, 0.5, code_h), status_invalid);
  }
  // A finite English entropy whose conversion to kJ/(kg·K) overflows is refused the same way.
  expect_failure(property(100.0, 1e308, pair_ps, code_t, english_units), status_invalid);
  expect_failure(property(1000.0, 1e308, pair_hs, code_t, english_units), status_invalid);
}

TEST(EntryPointRanges, InputsOutsideTheLibraryRangeAreRefused) {
  expect_failure(property(liquid_c, 100001.0, pair_tp, code_h), status_invalid);  // > 10000 MPa
  expect_failure(property(liquid_c, -1.0, pair_tp, code_h), status_invalid);
  expect_failure(property(-100.0, liquid_bar, pair_tp, code_h), status_invalid);  // < 190 K
  expect_failure(property(5000.0, liquid_bar, pair_tp, code_h), status_invalid);  // > 5000 K
  expect_failure(property(liquid_c, -0.001, pair_tv, code_h), status_invalid);    // v <= 0
  expect_failure(tsat(374.0, 0.0, code_h), status_invalid);  // above the critical temperature
  expect_failure(tsat(-0.1, 0.0, code_h), status_invalid);   // below the triple point
  expect_failure(psat(221.0, 0.0, code_h), status_invalid);  // above the critical pressure
  expect_failure(psat(0.006, 0.0, code_h), status_invalid);  // below the triple point
  // The range bounds themselves are states.
  EXPECT_EQ(property(5000.0 - 273.15, 10000.0, pair_tp, code_h).status, status_ok);
  EXPECT_EQ(psat(0.00611657, 1.0, code_t).status, status_ok);
}

TEST(EntryPointStatuses, TwoPhaseStatesHaveNoTransportOrDerivativeRows) {
  for (int code = code_mu; code <= code_cjth; ++code) {
    SCOPED_TRACE(code);
    expect_failure(tsat(100.0, 0.5, code), status_not_applicable);
    expect_failure(psat(1.0, 0.5, code), status_not_applicable);
  }
  for (int code = code_cv; code <= code_dvdp; ++code) {
    expect_failure(tsat(100.0, 0.5, code), status_not_applicable);
  }
  // The quality is a fraction, not a percentage.
  const call_result x = tsat(100.0, 0.5, code_x);
  EXPECT_EQ(x.status, status_ok);
  EXPECT_EQ(x.out, 0.5);
}

TEST(EntryPointStatuses, PhaseCodesAreReturnedUnconverted) {
  for (int units : {metric_units, english_units}) {
    const double t = units == metric_units ? 300.0 : 572.0;  // 573.15 K, superheated at 1 bar
    const double p = units == metric_units ? 1.0 : 14.5038;
    EXPECT_EQ(property(t, p, pair_tp, code_x, units).out, quality_superheated);
    const double t_liq = units == metric_units ? 20.0 : 68.0;  // 293.15 K, subcooled at 1 bar
    EXPECT_EQ(property(t_liq, p, pair_tp, code_x, units).out, quality_subcooled);
  }
  // Above the critical pressure the phase is indeterminate.
  EXPECT_EQ(property(400.0, 300.0, pair_tp, code_x).out, quality_indeterminate);
}

// Where (∂v/∂p)_T vanishes, the isentropic expansion coefficient divides by zero. That is a
// failed computation, not a value: the saturated state at the critical pressure.
TEST(EntryPointStatuses, ValueThatIsNotANumberIsAFailedComputation) {
  expect_failure(psat(220.64, 1.0, code_isentropic_k), status_failed);
  expect_failure(psat(220.64, 0.0, code_isentropic_k), status_failed);
  // The same state answers its finite rows.
  EXPECT_EQ(psat(220.64, 1.0, code_h).status, status_ok);
}

TEST(EntryPointStatuses, FailureLeavesAReusedOutputAtThePreviousRow) {
  double out = untouched;
  ASSERT_EQ(lookup_tsat(100.0, 0.5, code_h, metric_units, &out), status_ok);
  const double h = out;
  EXPECT_EQ(lookup_tsat(100.0, 0.5, code_cp, metric_units, &out), status_not_applicable);
  EXPECT_EQ(out, h);
}

TEST(StateFromPair, ConvertsInputsAndRefusesUnknownPairs) {
  steam95 state;
  state_from_pair(100.0, 1.01325, state, pair_tp, metric_units);
  EXPECT_NEAR(state.t(), 373.15, 1e-12);
  EXPECT_NEAR(state.p(), 0.101325, 1e-8 * 0.101325);
  for (int pair : {-1, 10}) {
    steam95 fresh;
    try {
      state_from_pair(100.0, 1.01325, fresh, pair, metric_units);
      ADD_FAILURE() << "pair " << pair << " accepted";
    } catch (const std::domain_error& e) {
      EXPECT_STREQ(e.what(), "kelvora");
    }
    EXPECT_FALSE(fresh.valid());
  }
  // Enthalpy first for the h-s pair: 2675.57 kJ/kg and 7.35412 kJ/(kg·K) in English units are
  // the saturated vapour at 100 °C.
  steam95 hs;
  state_from_pair(2675.57 * unit_factor(fE, english_units),
                  7.35412 * unit_factor(fE, english_units) / unit_factor(fT, english_units), hs,
                  pair_hs, english_units);
  EXPECT_NEAR(hs.t(), 373.15, 0.01);
}

// Code 27 is evaluated by property_value alone: the enthalpy still needed to vaporize the liquid
// part, in display energy units; codes outside 0-27 are refused.
TEST(PropertyValue, EnthalpyOfVaporizationAndCodesOutsideTheTable) {
  steam95 liquid, vapour, mix;
  liquid.at_tsat(373.15, 0.0);
  vapour.at_tsat(373.15, 1.0);
  mix.at_tsat(373.15, 0.25);
  const double hfg = vapour.h() - liquid.h();
  EXPECT_NEAR(hfg, 2256.40, 0.01);  // 100 °C
  for (int units : {metric_units, english_units}) {
    const double f = unit_factor(fE, units);
    EXPECT_NEAR(property_value(code_dhv, liquid, units), hfg * f, 1e-9 * hfg * f);
    EXPECT_NEAR(property_value(code_dhv, mix, units), 0.75 * hfg * f, 1e-9 * hfg * f);
    EXPECT_EQ(property_value(code_dhv, vapour, units), 0.0);
  }
  EXPECT_THROW(property_value(-1, liquid, metric_units), std::domain_error);
  EXPECT_THROW(property_value(28, liquid, metric_units), std::domain_error);
  EXPECT_THROW(property_value(code_h, steam95{}, metric_units), invalid_state);
}

// Internal constant values and their display conversions, in both unit systems.
TEST(Constants, EveryCodeInBothUnitSystems) {
  struct constant_check {
    int code;
    double metric, english;
  };
  const double fv = unit_factor(fV, english_units), fe = unit_factor(fE, english_units);
  const constant_check checks[] = {
      {0, 18.015268, 18.015268},
      {1, 373.946, 705.1028},
      {2, 220.64, 22.064 * 145.038},
      {3, 1.0 / 322.0, fv / 322.0},
      {4, 322.0, 322.0 / fv},
      {5, 0.2294409704533373, 0.2294409704533373},
      {6, 0.01, 32.018},
      {7, 0.00611657, 0.000611657 * 145.038},
      {8, -83.15, -117.67},
      {9, 4726.85, 8540.33},
      {10, 0.0, 0.0},
      {11, 100000.0, 1450380.0},
      {12, 0.01, 32.018},
      {13, 0.00611657, 0.000611657 * 145.038},
      {14, 0.000611872, fe * 0.000611872},
      {15, 0.0, 0.0},
  };
  for (const auto& c : checks) {
    SCOPED_TRACE(c.code);
    for (int units : {metric_units, english_units, 7}) {
      double out = untouched;
      ASSERT_EQ(lookup_constant(c.code, units, &out), status_ok);
      const double expected = units == metric_units ? c.metric : c.english;
      EXPECT_NEAR(out, expected, 1e-12 * std::max(1.0, std::abs(expected)));
    }
  }
  for (int code : {-1, 16, 1000}) {
    double out = untouched;
    EXPECT_EQ(lookup_constant(code, metric_units, &out), status_invalid);
    EXPECT_EQ(out, untouched);
  }
}

// The caller's rounding mode and raised flags never reach the library, and every call returns
// with the default environment whatever its status.
TEST(FloatingPointEnvironment, DefaultAfterEveryKindOfCall) {
  struct call {
    const char* name;
    int (*run)(double*);
  };
  const call calls[] = {
      {"property ok", [](double* o) { return lookup_property(26.85, 100, 0, code_cp, 0, o); }},
      {"property n/a", [](double* o) { return lookup_tsat(100, 0.5, code_cp, 0, o); }},
      {"property range", [](double* o) { return lookup_property(26.85, 1e6, 0, 8, 0, o); }},
      {"property nan", [](double* o) { return lookup_property(nan, 1, 0, 8, 1, o); }},
      {"pair code", [](double* o) { return lookup_property(26.85, 100, 10, 8, 0, o); }},
      {"failed", [](double* o) { return lookup_psat(220.64, 1, code_isentropic_k, 0, o); }},
      {"tsat ok", [](double* o) { return lookup_tsat(212, 0.3, code_v, 1, o); }},
      {"psat ok", [](double* o) { return lookup_psat(14.7, 1, code_s, 1, o); }},
      {"constant", [](double* o) { return lookup_constant(3, 1, o); }},
      {"null", [](double*) { return lookup_constant(3, 1, nullptr); }},
  };
  for (int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    for (const auto& c : calls) {
      SCOPED_TRACE(testing::Message() << c.name << " mode " << mode);
      ASSERT_EQ(std::fesetround(mode), 0);
      std::feraiseexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW);
      double out = 0.0;
      const int status = c.run(&out);
      const int round = std::fegetround();
      const int flags = std::fetestexcept(FE_ALL_EXCEPT);
      std::fesetenv(FE_DFL_ENV);
      EXPECT_GE(status, 0);
      EXPECT_LE(status, 3);
      EXPECT_EQ(round, FE_TONEAREST);
      EXPECT_EQ(flags, 0);
    }
  }
}

#if defined(__x86_64__) && defined(__GLIBC__)
// A caller that unmasks floating-point traps or flushes subnormals to zero does not reach the
// library: the critical-point isentropic exponent divides by zero inside, which would raise
// SIGFPE under an unmasked trap, and it still answers status 2 with every trap masked again.
TEST(FloatingPointEnvironment, CallersTrapsAndFlushToZeroAreCleared) {
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

}  // namespace
}  // namespace Vantrel
