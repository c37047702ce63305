// The fitted saturation line and its saturated energies against the equal-fugacity solution in
// quad precision that the fitting program proves them with, at points of this test's own.
#include "solve/saturation_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <vector>

#include "solve/caches.h"
#include "solve/saturation.h"
#include "solve/saturation_table.h"
#include "table8.h"
#include "tools/extended_saturation.h"

namespace Vantrel {
namespace {

constexpr double Tc = 647.096, pc = 22.064, rhoc = 322.0;

using check_values::table8;

// Agreement to 9 significant digits: within half a unit of the last digit.
testing::AssertionResult nine_digits(double actual, double expected) {
  const double unit = std::pow(10.0, std::floor(std::log10(std::abs(expected))) - 8);
  if (std::abs(actual - expected) <= 0.5 * unit) return testing::AssertionSuccess();
  return testing::AssertionFailure() << std::setprecision(12) << actual << " is not " << expected;
}

// The equal-fugacity solution in quad precision, with h and s evaluated in quad at its
// densities, is the reference for the fit, so it must be the IAPWS-95 line: the saturation check
// values (R6-95(2018), Table 8) to their nine digits. So must the fit itself.
TEST(SaturationFit, ReferenceSolutionAndFitReproduceTable8) {
  for (const auto& c : table8) {
    SCOPED_TRACE(testing::Message() << "T=" << c[0]);
    const double theta = c[0] / Tc;
    const auto exact = extended::solve_at_theta<extended::quad>(
        theta, liquid_density_estimate(theta), vapour_density_estimate(theta), 1e-20);
    ASSERT_TRUE(exact.converged);
    const auto liq = extended::energies_at<extended::quad>(exact.delta_liq, 1 / theta);
    const auto vap = extended::energies_at<extended::quad>(exact.delta_vap, 1 / theta);
    saturated_state fit{};
    ASSERT_TRUE(exact_saturated_state(theta, fit));
    const double reference[] = {static_cast<double>(exact.pi) * pc,
                                static_cast<double>(exact.delta_liq) * rhoc,
                                static_cast<double>(exact.delta_vap) * rhoc,
                                static_cast<double>(liq.h),
                                static_cast<double>(vap.h),
                                static_cast<double>(liq.s),
                                static_cast<double>(vap.s)};
    const saturated_energies& e = fit.energies;
    const double fitted[] = {
        fit.pi * pc, fit.delta_liq * rhoc, fit.delta_vap * rhoc, e.h_liq, e.h_vap, e.s_liq,
        e.s_vap};
    for (int q = 0; q < 7; ++q) {
      EXPECT_TRUE(nine_digits(reference[q], c[q + 1])) << "column " << q + 1;
      EXPECT_TRUE(nine_digits(fitted[q], c[q + 1])) << "column " << q + 1;
    }
  }
}

// The fitted line is the saturation line wherever the table says its proof holds: π, δ′ and δ″
// from helmholtz_psat within 1e-12 of the quad-precision solution, and θ from helmholtz_tsat at
// that π within 1e-12; the saturated state at θ, and at that π, to the table's bounds in π, δ′,
// δ″, h and s (u = h − p/ρ to what those bounds allow). At points spread over every interval by
// the golden ratio, which fall on neither the nodes nor the points the fitting program checked,
// and at both ends of the range.
TEST(SaturationFit, IsTheLineItselfBetweenItsNodes) {
  namespace table = saturation_table;
  const double golden = (std::sqrt(5.0) - 1) / 2;
  // Within 1 − θ = 4e-6 of the critical point both solvers answer with the estimates.
  const double cutoff = 4e-6, t_top = std::fmax(table::proven_from, std::sqrt(cutoff * (1 + 1e-9)));
  std::vector<double> thetas{273.16 / Tc, 1 - t_top * t_top};
  for (int i = 0; i < table::intervals; ++i) {
    for (int k = 1; k <= 6; ++k) {
      const double u = std::fmod(k * golden, 1.0);
      const double t = table::edges[i] + u * (table::edges[i + 1] - table::edges[i]);
      if (t >= t_top && 1 - t * t >= 273.16 / Tc) thetas.push_back(1 - t * t);
    }
  }
  helmholtz_state state;
  double d_liq = 0, d_vap = 0;
  for (double theta : thetas) {
    SCOPED_TRACE(testing::Message() << std::setprecision(12) << "T=" << theta * Tc);
    const auto exact = extended::solve_at_theta<extended::quad>(
        theta, liquid_density_estimate(theta), vapour_density_estimate(theta), 1e-20);
    ASSERT_TRUE(exact.converged);
    const double pi = static_cast<double>(exact.pi);
    clear_library_caches();
    EXPECT_NEAR(helmholtz_psat(theta, d_liq, d_vap, &state) / pi, 1, 1e-12);
    EXPECT_NEAR(d_liq / static_cast<double>(exact.delta_liq), 1, 1e-12);
    EXPECT_NEAR(d_vap / static_cast<double>(exact.delta_vap), 1, 1e-12);
    if (pi >= 0.000611657 / pc && 1 - tsat_estimate(pi) >= cutoff) {
      EXPECT_NEAR(helmholtz_tsat(pi, d_liq, d_vap, &state) / theta, 1, 1e-12);
    }

    const auto liq = extended::energies_at<extended::quad>(exact.delta_liq, 1 / theta);
    const auto vap = extended::energies_at<extended::quad>(exact.delta_vap, 1 / theta);
    const double flow = pc * 1000 / rhoc * pi;  // p/ρ = flow/δ, kJ/kg
    const double h_liq = static_cast<double>(liq.h), h_vap = static_cast<double>(vap.h);
    const double u_liq = h_liq - flow / static_cast<double>(exact.delta_liq);
    const double u_vap = h_vap - flow / static_cast<double>(exact.delta_vap);
    saturated_state at_theta{}, at_pi{};
    ASSERT_TRUE(exact_saturated_state(theta, at_theta));
    ASSERT_TRUE(exact_saturated_state_at_pi(pi, at_pi));
    EXPECT_NEAR(at_pi.theta / theta, 1, 1e-12);
    for (const saturated_state& fit : {at_theta, at_pi}) {
      EXPECT_NEAR(fit.pi / pi, 1, table::proven_relative);
      EXPECT_NEAR(fit.delta_liq / static_cast<double>(exact.delta_liq), 1, table::proven_relative);
      EXPECT_NEAR(fit.delta_vap / static_cast<double>(exact.delta_vap), 1, table::proven_relative);
      const saturated_energies& e = fit.energies;
      EXPECT_NEAR(e.h_liq, h_liq, table::proven_enthalpy);
      EXPECT_NEAR(e.h_vap, h_vap, table::proven_enthalpy);
      EXPECT_NEAR(e.s_liq, static_cast<double>(liq.s), table::proven_entropy);
      EXPECT_NEAR(e.s_vap, static_cast<double>(vap.s), table::proven_entropy);
      // p/ρ carries the relative error of π and of δ.
      EXPECT_NEAR(e.u_liq, u_liq,
                  table::proven_enthalpy + 2 * table::proven_relative * (h_liq - u_liq));
      EXPECT_NEAR(e.u_vap, u_vap,
                  table::proven_enthalpy + 2 * table::proven_relative * (h_vap - u_vap));
    }
  }
  clear_library_caches();
  saturation_entry outside{};
  EXPECT_FALSE(fitted_saturation(1 - 1e-6, outside) || fitted_saturation(0.4, outside));
  double theta = 0;
  EXPECT_FALSE(fitted_saturation_theta(1.0, theta) || fitted_saturation_theta(1e-5, theta));
  saturated_state beyond{};
  saturated_energies energies{};
  EXPECT_FALSE(exact_saturated_state(1 - 1e-6, beyond) || exact_saturated_state(0.4, beyond) ||
               exact_saturated_state(std::nan(""), beyond) ||
               exact_saturated_state_at_pi(1.0, beyond) ||
               fitted_saturation_energies(0.4, energies));
}

}  // namespace
}  // namespace Vantrel
