// The saturation line: published check values, a sweep of the whole line with round trips,
// the range limits, the near-critical estimates and the result caches.
#include "solve/saturation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <iomanip>
#include <limits>
#include <stdexcept>
#include <vector>

#include "model/errors.h"
#include "solve/caches.h"

namespace Vantrel {
namespace {

constexpr double Tc = 647.096, pc = 22.064, rhoc = 322.0;
constexpr double theta_triple = (273.15 + 0.01) / Tc;
constexpr double pi_triple = 0.000611657 / pc;

// Agreement to n significant digits: within half a unit of the last digit.
testing::AssertionResult digits(double actual, double expected, int n) {
  const double unit = std::pow(10.0, std::floor(std::log10(std::abs(expected))) - (n - 1));
  if (std::abs(actual - expected) <= 0.5 * unit) return testing::AssertionSuccess();
  return testing::AssertionFailure() << std::setprecision(12) << actual << " differs from "
                                     << expected << " in the first " << n << " digits";
}

class Saturation : public testing::Test {
 protected:
  void SetUp() override { clear_library_caches(); }
  void TearDown() override { clear_library_caches(); }
  helmholtz_state state;
};

struct saturation_point {
  double T, p, rho_liq, rho_vap, h_liq, h_vap, s_liq, s_vap;
};
// IAPWS-95 saturation check values (R6-95(2018), Table 8), with h′ and s′ at 275 K as they
// come out with this library's ideal-gas constants n°1 and n°2.
constexpr saturation_point table8[] = {
    {275, 0.698451167e-3, 0.999887406e3, 0.550664919e-2, 0.775972206e1, 0.250428995e4,
     0.283094675e-1, 0.910660121e1},
    {450, 0.932203564, 0.890341250e3, 0.481200360e1, 0.749161585e3, 0.277441078e4, 0.210865845e1,
     0.660921221e1},
    {625, 0.169082693e2, 0.567090385e3, 0.118290280e3, 0.168626976e4, 0.255071625e4, 0.380194683e1,
     0.518506121e1},
};

// Checks the saturated densities and, through the model, h and s of both phases; the
// vapour density and the liquid's h′ and s′ may be held to fewer digits where a case says.
void expect_table8_state(helmholtz_state& state, const saturation_point& c, double theta,
                         double d_liq, double d_vap, int vapour_digits = 8,
                         int liquid_energy_digits = 8) {
  EXPECT_TRUE(digits(d_liq * rhoc, c.rho_liq, 8));
  EXPECT_TRUE(digits(d_vap * rhoc, c.rho_vap, vapour_digits));
  state.update(d_liq, 1 / theta);
  EXPECT_TRUE(digits(state.h(), c.h_liq, liquid_energy_digits));
  EXPECT_TRUE(digits(state.s(), c.s_liq, liquid_energy_digits));
  state.update(d_vap, 1 / theta);
  EXPECT_TRUE(digits(state.h(), c.h_vap, 8));
  EXPECT_TRUE(digits(state.s(), c.s_vap, 8));
}

TEST_F(Saturation, PressureAtTemperatureReproducesTable8) {
  for (const auto& c : table8) {
    SCOPED_TRACE(testing::Message() << "T=" << c.T);
    const double theta = c.T / Tc;
    double d_liq = 0, d_vap = 0;
    const double pi = helmholtz_psat(theta, d_liq, d_vap, &state);
    // π is solved to 1e-8 relative; at 275 K, where p′ begins 6.98, that is 7 digits (the
    // result is 1.2e-8 high), and the dilute vapour's density follows the pressure.
    const int p_digits = c.T < 300 ? 7 : 8;
    EXPECT_TRUE(digits(pi * pc, c.p, p_digits));
    expect_table8_state(state, c, theta, d_liq, d_vap, p_digits);
  }
}

TEST_F(Saturation, TemperatureAtPressureReproducesTable8) {
  for (const auto& c : table8) {
    SCOPED_TRACE(testing::Message() << "p=" << c.p);
    double d_liq = 0, d_vap = 0;
    const double theta = helmholtz_tsat(c.p / pc, d_liq, d_vap, &state);
    // θ is solved to 1e-8 relative: at 275 K the temperature comes back 0.3 mK low.
    EXPECT_TRUE(digits(theta * Tc, c.T, 8));
    // A temperature 0.3 mK low shifts h′ by 1.1e-6 kJ/kg and s′ by 4e-9 kJ/(kg·K); near
    // 273.16 K, where both are close to zero, that leaves 6 digits.
    expect_table8_state(state, c, theta, d_liq, d_vap, 8, c.T < 300 ? 6 : 8);
  }
}

TEST(SaturationEstimates, ReproduceTheirPublishedValues) {
  // IAPWS-IF97 region 4 (R7-97(2012), Tables 35 and 36).
  EXPECT_TRUE(digits(psat_estimate(300 / Tc) * pc, 0.353658941e-2, 9));
  EXPECT_TRUE(digits(psat_estimate(500 / Tc) * pc, 0.263889776e1, 9));
  EXPECT_TRUE(digits(psat_estimate(600 / Tc) * pc, 0.123443146e2, 9));
  EXPECT_TRUE(digits(tsat_estimate(0.1 / pc) * Tc, 0.372755919e3, 9));
  EXPECT_TRUE(digits(tsat_estimate(1 / pc) * Tc, 0.453035632e3, 9));
  EXPECT_TRUE(digits(tsat_estimate(10 / pc) * Tc, 0.584149488e3, 9));
  EXPECT_NEAR(tsat_estimate(1.0), 1.0, 1e-11);

  // Saturated densities of the auxiliary equations (IAPWS SR1-86(1992), Table 1).
  EXPECT_TRUE(digits(liquid_density_estimate(273.16 / Tc) * rhoc, 999.789, 6));
  EXPECT_TRUE(digits(vapour_density_estimate(273.16 / Tc) * rhoc, 0.00485426, 6));
  EXPECT_TRUE(digits(liquid_density_estimate(373.1243 / Tc) * rhoc, 958.365, 6));
  EXPECT_TRUE(digits(vapour_density_estimate(373.1243 / Tc) * rhoc, 0.597586, 6));
  EXPECT_EQ(liquid_density_estimate(1.0), 1.0);
  EXPECT_EQ(vapour_density_estimate(1.0), 1.0);

  // Within about 1 mK of the critical point the densities follow a power law instead.
  const double edge = 0.9999982476;
  const double above = std::nextafter(edge, 2.0);
  EXPECT_NEAR(liquid_density_estimate(above), 1 + 1.281714 * std::pow(1 - above, 0.326), 1e-15);
  EXPECT_NEAR(vapour_density_estimate(above), 1 - 1.293771 * std::pow(1 - above, 0.326), 1e-15);
  EXPECT_GT(std::fabs(liquid_density_estimate(edge) - liquid_density_estimate(above)), 1e-3);
}

TEST_F(Saturation, CoexistingPhasesHaveEqualFugacity) {
  for (const auto& c : table8) {
    SCOPED_TRACE(testing::Message() << "T=" << c.T);
    // Compare fugacities, not coefficients: the liquid's pressure at the tabulated density
    // is off by a part in a thousand at 275 K, its fugacity only by a part in 1e8.
    state.update(c.rho_liq / rhoc, Tc / c.T);
    const double liquid = fugacity_coefficient(state) * state.p();
    state.update(c.rho_vap / rhoc, Tc / c.T);
    const double vapour = fugacity_coefficient(state) * state.p();
    EXPECT_NEAR(liquid / vapour, 1, 1e-7);
  }
  state.update(1e-9, 1.0);
  EXPECT_NEAR(fugacity_coefficient(state), 1, 1e-8);  // ideal gas
  state.update(2.71487, Tc / 450);                    // stretched liquid at −22 MPa
  ASSERT_LT(state.p(), 0);
  EXPECT_EQ(fugacity_coefficient(state), 0);
}

TEST_F(Saturation, SweepOfTheWholeLine) {
  // From the triple point to the critical point in half-kelvin steps, then densely through
  // the last kelvin, which holds the band where the two solvers once disagreed about the
  // critical cutoff.
  std::vector<double> temperatures;
  for (double T = 273.16; T < 646; T += 0.5) temperatures.push_back(T);
  for (int i = 0; i < 1096; ++i) temperatures.push_back(646 + i * 1e-3);
  for (double dT : {5e-4, 1e-4, 1e-5, 1e-6, 1e-7}) temperatures.push_back(Tc - dT);
  std::sort(temperatures.begin(), temperatures.end());

  double last_pi = 0;
  for (double T : temperatures) {
    SCOPED_TRACE(testing::Message() << std::setprecision(12) << "T=" << T);
    const double theta = T / Tc;
    double d_liq = 0, d_vap = 0;
    const double pi = helmholtz_psat(theta, d_liq, d_vap, &state);
    EXPECT_GT(d_liq, 1);
    EXPECT_LT(d_vap, 1);
    EXPECT_GT(pi, last_pi);
    EXPECT_LE(pi, 1);
    last_pi = pi;
    // The formulation's own pressure at 273.16 K lies a little below the range's triple
    // point pressure, so the round trip starts just above it.
    if (pi < pi_triple) continue;
    double e_liq = 0, e_vap = 0;
    EXPECT_NEAR(helmholtz_tsat(pi, e_liq, e_vap, &state), theta, 1e-7 * theta);
    // In the last kelvin the densities move too steeply with θ to compare the two routes.
    if (T < 646) {
      EXPECT_NEAR(e_liq, d_liq, 1e-6 * d_liq);
      EXPECT_NEAR(e_vap, d_vap, 1e-6 * d_vap);
    }
  }
}

TEST_F(Saturation, SweepOfThePressuresBelowTheCriticalPressure) {
  // The last bar below the critical pressure in steps of 2 mbar; it covers the band from
  // 220.6347 to 220.6378 bar where every lookup once failed.
  double last_theta = 0;
  for (int i = 0; i < 500; ++i) {
    const double p = 21.964 + i * 0.0002;
    SCOPED_TRACE(testing::Message() << std::setprecision(12) << "p=" << p);
    double d_liq = 0, d_vap = 0;
    const double theta = helmholtz_tsat(p / pc, d_liq, d_vap, &state);
    EXPECT_GT(d_liq, 1);
    EXPECT_LT(d_vap, 1);
    EXPECT_GT(theta, last_theta);
    EXPECT_LE(theta, 1);
    last_theta = theta;
    double e_liq = 0, e_vap = 0;
    // θ is solved to 1e-8 and p rises seven times faster than T here.
    EXPECT_NEAR(helmholtz_psat(theta, e_liq, e_vap, &state), p / pc, 1e-7);
  }
}

TEST_F(Saturation, PressureIsAccurateAtLowTemperatures) {
  // Below π = 0.1 the abscissa tolerance is relative, so the pressure at low temperatures
  // is as good as at high ones: the vapour found at the solved pressure has that pressure,
  // and the liquid the same fugacity.
  for (double T : {273.16, 280.0, 300.0, 350.0, 400.0, 480.0}) {
    SCOPED_TRACE(testing::Message() << "T=" << T);
    double d_liq = 0, d_vap = 0;
    const double pi = helmholtz_psat(T / Tc, d_liq, d_vap, &state);
    state.update(d_liq, Tc / T);
    const double liquid = fugacity_coefficient(state);
    state.update(d_vap, Tc / T);
    EXPECT_NEAR(state.p() / pc / pi, 1, 1e-9);
    EXPECT_NEAR(std::log(liquid / fugacity_coefficient(state)), 0, 1e-7);
  }
  // The formulation's own triple point pressure.
  double d_liq = 0, d_vap = 0;
  EXPECT_NEAR(helmholtz_psat(273.16 / Tc, d_liq, d_vap, &state) * pc * 1e6, 611.654771, 5e-5);
}

TEST_F(Saturation, RangeLimits) {
  double d_liq = 0, d_vap = 0;
  EXPECT_NO_THROW(helmholtz_psat(theta_triple, d_liq, d_vap, &state));
  EXPECT_NO_THROW(helmholtz_tsat(pi_triple, d_liq, d_vap, &state));
  const double psat_outside[] = {std::nextafter(theta_triple, 0.0), std::nextafter(1.0, 2.0), 0, -1,
                                 std::numeric_limits<double>::quiet_NaN()};
  for (double theta : psat_outside) {
    try {
      helmholtz_psat(theta, d_liq, d_vap, &state);
      ADD_FAILURE() << "accepted θ=" << theta;
    } catch (const std::domain_error& e) {
      EXPECT_STREQ(e.what(), "helmholtz_psat");
    }
  }
  const double tsat_outside[] = {std::nextafter(pi_triple, 0.0), std::nextafter(1.0, 2.0), 0,
                                 std::numeric_limits<double>::quiet_NaN()};
  for (double pi : tsat_outside) {
    try {
      helmholtz_tsat(pi, d_liq, d_vap, &state);
      ADD_FAILURE() << "accepted π=" << pi;
    } catch (const std::domain_error& e) {
      EXPECT_STREQ(e.what(), "helmholtz_tsat");
    }
  }
}

TEST_F(Saturation, CriticalPointAndItsNeighbourhood) {
  double d_liq = 0, d_vap = 0;
  EXPECT_EQ(helmholtz_psat(1.0, d_liq, d_vap, &state), 1.0);
  EXPECT_EQ(d_liq, 1.0);
  EXPECT_EQ(d_vap, 1.0);
  EXPECT_EQ(helmholtz_tsat(1.0, d_liq, d_vap, &state), 1.0);
  EXPECT_EQ(d_liq, 1.0);
  EXPECT_EQ(d_vap, 1.0);

  // Within 4e-6 of the critical temperature both solvers answer with the estimates.
  const double theta = 1 - 3e-6;
  EXPECT_EQ(helmholtz_psat(theta, d_liq, d_vap, &state), psat_estimate(theta));
  EXPECT_EQ(d_liq, liquid_density_estimate(theta));
  EXPECT_EQ(d_vap, vapour_density_estimate(theta));
  const double pi = psat_estimate(theta);
  EXPECT_EQ(helmholtz_tsat(pi, d_liq, d_vap, &state), tsat_estimate(pi));
  EXPECT_EQ(psat_cache().size() + tsat_cache().size(), 0u);  // estimates are not cached

  // The correlation overshoots the critical pressure in its last digits; the line does not.
  EXPECT_LE(helmholtz_psat(std::nextafter(1.0, 0.0), d_liq, d_vap, &state), 1.0);
}

TEST_F(Saturation, CacheHitsAreBitIdenticalAndSkipAllWork) {
  const double theta = 500 / Tc;
  double d_liq = 0, d_vap = 0;
  const double pi = helmholtz_psat(theta, d_liq, d_vap, &state);
  ASSERT_EQ(psat_cache().count(theta), 1u);

  // A hit leaves the scratch state where it was: no density search ran.
  helmholtz_state untouched(2.0, 1.5);
  double e_liq = 0, e_vap = 0;
  EXPECT_EQ(helmholtz_psat(theta, e_liq, e_vap, &untouched), pi);
  EXPECT_EQ(e_liq, d_liq);
  EXPECT_EQ(e_vap, d_vap);
  EXPECT_EQ(untouched.delta(), 2.0);
  EXPECT_EQ(untouched.tau(), 1.5);

  // A key differing in the last bit is a new entry.
  helmholtz_psat(std::nextafter(theta, 1.0), e_liq, e_vap, &state);
  EXPECT_EQ(psat_cache().size(), 2u);

  // What is stored is returned as stored, range checks included.
  tsat_cache().emplace(2.0, saturation_entry{0.25, 3.0, 0.5});
  EXPECT_EQ(helmholtz_tsat(2.0, e_liq, e_vap, &untouched), 0.25);
  EXPECT_EQ(e_liq, 3.0);
  EXPECT_EQ(e_vap, 0.5);
}

TEST_F(Saturation, CachesAreEmptiedWholesaleBeyondTheirBound) {
  for (int i = 0; i <= 500; ++i) psat_cache().emplace(10.0 + i, saturation_entry{1, 2, 0.5});
  for (int i = 0; i <= 500; ++i) tsat_cache().emplace(10.0 + i, saturation_entry{1, 2, 0.5});
  double d_liq = 0, d_vap = 0;
  const double theta = 550 / Tc, pi = 0.1;
  helmholtz_psat(theta, d_liq, d_vap, &state);
  helmholtz_tsat(pi, d_liq, d_vap, &state);
  ASSERT_EQ(psat_cache().size(), 1u);
  EXPECT_EQ(psat_cache().begin()->first, theta);
  ASSERT_EQ(tsat_cache().size(), 1u);
  EXPECT_EQ(tsat_cache().begin()->first, pi);

  // At 500 entries the table is kept.
  for (int i = 0; i < 499; ++i) psat_cache().emplace(10.0 + i, saturation_entry{1, 2, 0.5});
  ASSERT_EQ(psat_cache().size(), 500u);
  helmholtz_psat(560 / Tc, d_liq, d_vap, &state);
  EXPECT_EQ(psat_cache().size(), 501u);

  // The same helper bounds the state table.
  for (int i = 0; i <= 500; ++i) state_cache().emplace(state_key{0, i, 0}, steam95{});
  apply_cache_bound(state_cache());
  EXPECT_TRUE(state_cache().empty());
}

TEST_F(Saturation, NothingIsCachedOnFailure) {
  double d_liq = 0, d_vap = 0;
  EXPECT_THROW(helmholtz_psat(2.0, d_liq, d_vap, &state), std::domain_error);
  EXPECT_THROW(helmholtz_tsat(2.0, d_liq, d_vap, &state), std::domain_error);
  helmholtz_psat(1.0, d_liq, d_vap, &state);
  EXPECT_TRUE(psat_cache().empty());
  EXPECT_TRUE(tsat_cache().empty());
}

// A stand-in for the fugacity function with a scripted behaviour.
class scripted : public univariate_function<double, double> {
 public:
  explicit scripted(std::function<double(double)> f) : f_(std::move(f)) {}
  double value(const double& x) override {
    ++calls;
    return f_(x);
  }
  int calls = 0;

 private:
  std::function<double(double)> f_;
};

TEST(BracketSaturation, StepsTowardTheSignChange) {
  double a = 0, b = 0, fa = 0, fb = 0;
  scripted below([](double x) { return x - 0.6; });  // estimate below the root: step up
  ASSERT_TRUE(bracket_saturation(below, 0.5, a, b, fa, fb));
  EXPECT_EQ(a, 0.5);
  EXPECT_GT(b, 0.6);
  EXPECT_EQ(fa, a - 0.6);
  EXPECT_EQ(fb, b - 0.6);

  scripted above([](double x) { return x - 0.4; });  // estimate above the root: step down
  ASSERT_TRUE(bracket_saturation(above, 0.5, a, b, fa, fb));
  EXPECT_EQ(b, 0.5);
  EXPECT_LT(a, 0.4);
  EXPECT_EQ(fa, a - 0.4);

  // A value within 1e-8 of zero is not yet past the root.
  scripted flat([](double x) { return x < 0.5 ? -1.0 : 5e-9; });
  EXPECT_FALSE(bracket_saturation(flat, 0.49, a, b, fa, fb));
  EXPECT_EQ(flat.calls, 101);
}

TEST(BracketSaturation, FailedDensitySearchesHalveTheStep) {
  // Every evaluation away from the start fails: the step halves until it drops below 1e-8.
  scripted failing([](double x) -> double {
    if (x != 0.5) throw convergence_error("dfind");
    return -1;
  });
  double a = 0, b = 0, fa = 0, fb = 0;
  try {
    bracket_saturation(failing, 0.5, a, b, fa, fb);
    FAIL() << "no error";
  } catch (const convergence_error& e) {
    EXPECT_STREQ(e.what(), "helmholtz_psat");
  }
  EXPECT_EQ(failing.calls, 1 + 19);  // 0.005 halves 19 times to reach 9.5e-9

  // One failure on the way only shortens the step.
  bool failed = false;
  scripted once([&failed](double x) -> double {
    if (x != 0.5 && !failed) {
      failed = true;
      throw convergence_error("dfind");
    }
    return x - 0.51;
  });
  ASSERT_TRUE(bracket_saturation(once, 0.5, a, b, fa, fb));
  EXPECT_GT(b, 0.51);
  EXPECT_EQ(fb, b - 0.51);
}

}  // namespace
}  // namespace Vantrel
