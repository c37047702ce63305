// The density finder: inverting the IAPWS-95 pressure on either branch, the stability
// limits, and dilute vapour.
#include "solve/density.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/errors.h"
#include "solve/saturation.h"

namespace Vantrel {
namespace {

constexpr double Tc = 647.096, pc = 22.064, rhoc = 322.0, R = 0.46151805;

double ideal_gas_delta(double theta, double pi) {
  return pi * pc * 1000 / (R * Tc * theta) / rhoc;
}

struct single_phase_point {
  double T, rho, p;
};
// IAPWS-95 computer-program verification values (R6-95(2018), Table 7): T, ρ, p.
constexpr single_phase_point table7[] = {
    {300, 0.9965560e3, 0.992418352e-1}, {300, 0.1005308e4, 0.200022515e2},
    {300, 0.1188202e4, 0.700004704e3},  {500, 0.4350000, 0.999679423e-1},
    {500, 0.4532000e1, 0.999938125},    {500, 0.8380250e3, 0.100003858e2},
    {500, 0.1084564e4, 0.700000405e3},  {647, 0.3580000e3, 0.220384756e2},
    {900, 0.2410000, 0.100062559},      {900, 0.5261500e2, 0.200000690e2},
    {900, 0.8707690e3, 0.700000006e3},
};

TEST(Dfind, RecoversTheDensitiesOfTable7) {
  helmholtz_state state;
  for (const auto& c : table7) {
    SCOPED_TRACE(testing::Message() << "T=" << c.T << " p=" << c.p);
    const double theta = c.T / Tc, pi = c.p / pc;
    // Start each search from the side the tabulated state lies on.
    const bool liquid = theta < 1 && c.rho > rhoc;
    const double start = liquid ? liquid_density_estimate(theta) : ideal_gas_delta(theta, pi);
    const double delta = dfind(start, theta, pi, &state);
    EXPECT_EQ(state.delta(), delta);
    EXPECT_EQ(state.tau(), 1 / theta);
    // p is tabulated to 9 digits: half a unit of its last digit, over (∂p/∂ρ)_T, bounds the
    // density it fixes.
    const double half_unit = 0.5 * std::pow(10.0, std::floor(std::log10(c.p)) - 8);
    EXPECT_NEAR(delta * rhoc, c.rho, 1e-8 * c.rho + half_unit / state.dpdrho());
  }
}

// The pressure of a liquid near zero pressure is a small difference of large terms; one
// unit in the last place of δ moves it by up to 3e-11 MPa.
constexpr double pressure_noise = 5e-11;

TEST(Dfind, FindsBothBranchesBelowTheCriticalTemperature) {
  // At each θ, a pressure just above and just below the saturation pressure, searched from
  // the liquid and the vapour start: the branch follows the start.
  helmholtz_state state;
  for (double T : {280.0, 373.15, 450.0, 550.0, 620.0, 645.0}) {
    SCOPED_TRACE(testing::Message() << "T=" << T);
    const double theta = T / Tc;
    double d_liq = 0, d_vap = 0;
    const double psat = helmholtz_psat(theta, d_liq, d_vap, &state);
    for (double factor : {0.999, 1.001}) {
      const double p = psat * factor * pc;
      const double liquid = dfind(liquid_density_estimate(theta), theta, p / pc, &state);
      EXPECT_NEAR(state.p(), p, 1e-9 * p + pressure_noise);
      const double vapour = dfind(vapour_density_estimate(theta), theta, p / pc, &state);
      EXPECT_NEAR(state.p(), p, 1e-9 * p);
      EXPECT_GT(liquid, 1);
      EXPECT_LT(vapour, 1);
      // Metastable states continue each branch past the saturated density.
      if (factor > 1) {
        EXPECT_GT(liquid, d_liq);
        EXPECT_GT(vapour, d_vap);
      } else {
        EXPECT_LT(liquid, d_liq);
        EXPECT_LT(vapour, d_vap);
      }
    }
  }
}

TEST(Dfind, SolvesSupercriticalStates) {
  // Above the critical temperature p(δ) rises monotonically, so the start does not matter
  // as long as it is not far off: 1 ≤ θ ≤ 1.1 expands a bracket outward from the start,
  // above 1.1 the Newton iteration halves its steps toward δ = 0.
  helmholtz_state state;
  for (double T : {Tc, 660.0, 1.1 * Tc, 1.1 * Tc * (1 + 1e-15), 750.0, 1273.15, 5000.0}) {
    for (double p : {0.1, 22.064, 25.0, 100.0, 1000.0}) {
      SCOPED_TRACE(testing::Message() << "T=" << T << " p=" << p);
      const double theta = T / Tc, pi = p / pc;
      const double reference = dfind(ideal_gas_delta(theta, pi), theta, pi, &state);
      EXPECT_NEAR(state.p() / p, 1, 1e-9);
      std::vector<double> starts{0.5 * reference, 0.9 * reference, 1.5 * reference};
      if (theta > 1.1) starts.insert(starts.end(), {1e-8, 1.0, 5.5});
      for (double start : starts) {
        // At the critical point itself p(δ) is flat; there only the pressure is well defined.
        const double delta = dfind(start, theta, pi, &state);
        EXPECT_NEAR(state.p() / p, 1, 1e-9) << "start " << start;
        if (T != Tc) {
          EXPECT_NEAR(delta, reference, 1e-8 * reference) << "start " << start;
        }
      }
    }
  }
}

TEST(Dfind, ClampsTheStart) {
  helmholtz_state a, b;
  const double theta = 500 / Tc, pi = 1 / pc;
  EXPECT_EQ(dfind(0, theta, pi, &a), dfind(1e-8, theta, pi, &b));
  EXPECT_EQ(dfind(-3, theta, pi, &a), dfind(1e-8, theta, pi, &b));
  EXPECT_EQ(dfind(10, theta, pi, &a), dfind(5.5, theta, pi, &b));
  EXPECT_EQ(dfind(10, 2.0, pi, &a), dfind(5.5, 2.0, pi, &b));
}

TEST(Dfind, StopsAtTheStabilityLimitOfTheBranch) {
  // A vapour pressed beyond its spinodal, or a liquid pulled below its spinodal, gives the
  // density at the limit of its branch, where p stops rising with δ.
  helmholtz_state state;
  for (double T : {450.0, 550.0, 620.0, 640.0}) {
    SCOPED_TRACE(testing::Message() << "T=" << T);
    const double theta = T / Tc;
    double d_liq = 0, d_vap = 0;
    const double psat = helmholtz_psat(theta, d_liq, d_vap, &state);

    const double vapour = dfind(d_vap, theta, 3 * psat, &state);
    EXPECT_GT(vapour, d_vap);
    EXPECT_LT(vapour, 1);
    EXPECT_LT(state.p() / pc, 3 * psat);
    EXPECT_NEAR(state.dpdrho_r(), 0, 1e-6);

    if (T >= 620) {  // below about 600 K the liquid spinodal lies at negative pressure
      const double liquid = dfind(d_liq, theta, 0.5 * psat, &state);
      EXPECT_LT(liquid, d_liq);
      EXPECT_GT(liquid, 1);
      EXPECT_GT(state.p() / pc, 0.5 * psat);
      EXPECT_NEAR(state.dpdrho_r(), 0, 1e-6);
    }
  }
}

TEST(Dfind, LocatesTheStabilityLimitAcrossTheWholeLine) {
  // The limit is found by regula falsi on the gradient. Around 360 K a vapour pressed to
  // five times its saturation pressure keeps one end of that search fixed for over a
  // hundred steps; halving the kept end's weight resolves it.
  helmholtz_state state;
  for (double theta = 0.45; theta < 0.995; theta += 0.005) {
    SCOPED_TRACE(testing::Message() << "T=" << theta * Tc);
    const double psat = psat_estimate(theta);
    for (double factor : {1.5, 5.0}) {
      const double pi = factor * psat;
      const double delta = dfind(vapour_density_estimate(theta), theta, pi, &state);
      EXPECT_LT(delta, 1);
      // Either the pressure was reachable on the branch or the answer is the limit itself.
      if (std::fabs(state.p() / pc / pi - 1) > 1e-9) {
        EXPECT_LT(state.p() / pc, pi);
        EXPECT_NEAR(state.dpdrho_r(), 0, 1e-6);
      }
    }
    for (double factor : {0.5, 0.0, -1.0}) {
      const double pi = factor * psat;
      const double delta = dfind(liquid_density_estimate(theta), theta, pi, &state);
      EXPECT_GT(delta, 1);
      if (std::fabs(state.p() / pc - pi) > 1e-9 * psat + pressure_noise / pc) {
        EXPECT_GT(state.p() / pc, pi);
        EXPECT_NEAR(state.dpdrho_r(), 0, 1e-6);
      }
    }
  }
}

TEST(Dfind, StartsInsideTheUnstableSectionMoveOutward) {
  helmholtz_state state;
  const double theta = 600 / Tc;
  double d_liq = 0, d_vap = 0;
  const double psat = helmholtz_psat(theta, d_liq, d_vap, &state);
  // δ = 1.7 and δ = 0.45 lie just inside the liquid and vapour stability limits at 600 K.
  for (double start : {1.7, 0.45}) {
    state.update(start, 1 / theta);
    ASSERT_LT(state.dpdrho_r(), 0) << start;
  }
  EXPECT_NEAR(dfind(1.7, theta, 1.2 * psat, &state), dfind(d_liq, theta, 1.2 * psat, &state), 1e-8);
  EXPECT_NEAR(dfind(0.45, theta, 0.8 * psat, &state), dfind(d_vap, theta, 0.8 * psat, &state),
              1e-9);
}

TEST(Dfind, DiluteVapourKeepsThePressureAskedFor) {
  // Brent's abscissa tolerance alone would leave δ ≈ 1e-6 wrong in the fifth digit; the
  // final Newton step brings the pressure back to the one asked for.
  helmholtz_state state;
  for (double celsius = 0; celsius <= 1000; celsius += 50) {
    for (double bar : {1e-5, 1e-4, 1e-3, 3e-3, 1e-2}) {
      SCOPED_TRACE(testing::Message() << celsius << " °C, " << bar << " bar");
      const double theta = (celsius + 273.15) / Tc, pi = bar / 10 / pc;
      for (double start : {ideal_gas_delta(theta, pi), 1e-8, 1e-3}) {
        dfind(start, theta, pi, &state);
        EXPECT_NEAR(state.p() / pc / pi, 1, 1e-9);
      }
    }
  }
}

TEST(Dfind, AWalkThatEndsWithoutABracketFails) {
  // Just below the critical temperature a vapour start far below the saturated density
  // walks a hundred steps without reaching the pressure. Its last points are no answer.
  helmholtz_state state;
  const double theta = 0.999;
  double d_liq = 0, d_vap = 0;
  const double psat = helmholtz_psat(theta, d_liq, d_vap, &state);
  try {
    dfind(1e-6, theta, 0.9999 * psat, &state);
    FAIL() << "returned " << state.delta();
  } catch (const convergence_error& e) {
    EXPECT_STREQ(e.what(), "dfind");
  }
  // From the saturated-vapour estimate the same pressure is found.
  EXPECT_NEAR(dfind(vapour_density_estimate(theta), theta, 0.9999 * psat, &state), d_vap,
              0.01 * d_vap);
}

}  // namespace
}  // namespace Vantrel
