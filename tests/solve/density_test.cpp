// The density finder: inverting the IAPWS-95 pressure on either branch, the stability
// limits, and dilute vapour. That a start beside the saturation pressure keeps its branch is
// checked through the temperature-pressure constructor.
#include "solve/density.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/errors.h"
#include "solve/saturation.h"
#include "throws.h"

namespace Vantrel {
namespace {

constexpr double Tc = 647.096, pc = 22.064, rhoc = 322.0, R = 0.46151805;
// The pressure of a liquid near zero pressure is a small difference of large terms; one
// unit in the last place of δ moves it by up to 3e-11 MPa.
constexpr double pressure_noise = 5e-11;

double ideal_gas_delta(double theta, double pi) {
  return pi * pc * 1000 / (R * Tc * theta) / rhoc;
}

// IAPWS-95 single-phase check values (R6-95(2018), Table 7): T, ρ, p, in liquid, vapour,
// near-critical and dense supercritical states.
constexpr double table7[][3] = {
    {300, 0.9965560e3, 0.992418352e-1}, {300, 0.1188202e4, 0.700004704e3},
    {500, 0.4350000, 0.999679423e-1},   {500, 0.8380250e3, 0.100003858e2},
    {647, 0.3580000e3, 0.220384756e2},  {900, 0.5261500e2, 0.200000690e2},
};

TEST(Dfind, RecoversTheDensitiesOfTable7) {
  helmholtz_state state;
  for (const auto [T, rho, p] : table7) {
    SCOPED_TRACE(testing::Message() << "T=" << T << " p=" << p);
    const double theta = T / Tc, pi = p / pc;
    const bool liquid = theta < 1 && rho > rhoc;
    const double delta = dfind(liquid ? liquid_density_estimate(theta) : ideal_gas_delta(theta, pi),
                               theta, pi, &state);
    EXPECT_TRUE(state.delta() == delta && state.tau() == 1 / theta);
    // Half a unit in the 9th digit of p, over (∂p/∂ρ)_T, bounds the density p fixes.
    const double half_unit = 0.5 * std::pow(10.0, std::floor(std::log10(p)) - 8);
    EXPECT_NEAR(delta * rhoc, rho, 1e-8 * rho + half_unit / state.dpdrho());
  }
}

// 1 ≤ θ ≤ 1.1 expands a bracket outward from a nearby start; above 1.1 Newton's method
// reaches the root from anywhere in the start range, starts outside [1e-8, 5.5] clamped.
TEST(Dfind, SolvesSupercriticalStates) {
  helmholtz_state state;
  for (double T : {Tc, 660.0, 1.1 * Tc * (1 + 1e-15), 5000.0}) {
    for (double p : {0.1, 22.064, 1000.0}) {
      SCOPED_TRACE(testing::Message() << "T=" << T << " p=" << p);
      const double theta = T / Tc, pi = p / pc;
      const double reference = dfind(ideal_gas_delta(theta, pi), theta, pi, &state);
      const double tolerance = T == Tc ? 1e-3 : 1e-8;  // p(δ) is flat at the critical point
      for (double start : {0.5 * reference, 1.5 * reference, theta > 1.1 ? 0.0 : reference,
                           theta > 1.1 ? 10.0 : reference}) {
        EXPECT_NEAR(dfind(start, theta, pi, &state), reference, tolerance * reference);
        EXPECT_NEAR(state.p() / p, 1, 1e-9);
      }
    }
  }
  helmholtz_state other;
  EXPECT_EQ(dfind(0, 0.8, 0.01, &state), dfind(1e-8, 0.8, 0.01, &other));
  EXPECT_EQ(dfind(10, 0.8, 2, &state), dfind(5.5, 0.8, 2, &other));
}

TEST(Dfind, StopsAtTheStabilityLimitOfTheBranch) {
  // A vapour pressed beyond its spinodal, or a liquid pulled beyond its own, gives the
  // density at the limit, where p stops rising with δ. The limit is found by regula falsi on
  // the gradient; around 360 K a vapour at five times its saturation pressure keeps one end
  // of that search fixed for over a hundred steps unless the kept end's weight is halved.
  helmholtz_state state;
  for (double theta = 0.45; theta < 0.995; theta += 0.005) {
    SCOPED_TRACE(testing::Message() << "T=" << theta * Tc);
    const double psat = psat_estimate(theta);
    for (double factor : {1.5, 5.0, 0.5, 0.0, -1.0}) {
      const bool vapour = factor > 1;
      const double pi = factor * psat;
      const double start = vapour ? vapour_density_estimate(theta) : liquid_density_estimate(theta);
      EXPECT_EQ(dfind(start, theta, pi, &state) < 1, vapour);
      if (std::fabs(state.p() / pc - pi) > 1e-9 * psat + pressure_noise / pc) {
        EXPECT_EQ(state.p() / pc < pi, vapour);  // short of the target, at the limit
        EXPECT_NEAR(state.dpdrho_r(), 0, 1e-6);
      }
    }
  }
}

TEST(Dfind, FailsRatherThanAnswerWrongly) {
  // Just below Tc a vapour start far below the saturated density walks a hundred steps
  // without reaching the pressure; its last points are no answer.
  helmholtz_state state;
  const double theta = 0.999, pi = 0.9999 * psat_estimate(theta);
  EXPECT_TRUE(throws<convergence_error>([&] { dfind(1e-6, theta, pi, &state); }, "dfind"));
  EXPECT_NO_THROW(dfind(vapour_density_estimate(theta), theta, pi, &state));
  // No positive density of a vapour has a pressure of zero or below.
  for (double theta : {0.9, 1.05}) {
    EXPECT_TRUE(throws<convergence_error>([&] { dfind(0.01, theta, -0.01, &state); }, "dfind"));
  }
}

TEST(Dfind, DiluteVapourKeepsThePressureAskedFor) {
  // Brent's abscissa floor of 1e-9 alone would leave δ ≈ 1e-6 wrong in the fifth digit.
  helmholtz_state state;
  for (double celsius = 0; celsius <= 1000; celsius += 100) {
    for (double bar : {1e-5, 1e-4, 1e-3, 1e-2}) {
      SCOPED_TRACE(testing::Message() << celsius << " °C, " << bar << " bar");
      const double theta = (celsius + 273.15) / Tc, pi = bar / 10 / pc;
      for (double start : {ideal_gas_delta(theta, pi), 1e-8, 1e-3}) {
        dfind(start, theta, pi, &state);
        EXPECT_NEAR(state.p() / pc / pi, 1, 1e-9);
      }
    }
  }
}

}  // namespace
}  // namespace Vantrel
