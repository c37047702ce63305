// The fitted saturation line against the equal-fugacity solution in quad precision that the
// fitting program proves it with, at points of this test's own.
#include "solve/saturation_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <vector>

#include "solve/caches.h"
#include "solve/saturation.h"
#include "solve/saturation_table.h"
#include "tools/extended_saturation.h"

namespace Vantrel {
namespace {

constexpr double Tc = 647.096, pc = 22.064, rhoc = 322.0;

// IAPWS-95 saturation check values (R6-95(2018), Table 8): T, p, ρ′, ρ″.
constexpr double table8[][4] = {
    {275, 0.698451167e-3, 0.999887406e3, 0.550664919e-2},
    {450, 0.932203564, 0.890341250e3, 0.481200360e1},
    {625, 0.169082693e2, 0.567090385e3, 0.118290280e3},
};

// Agreement to 9 significant digits: within half a unit of the last digit.
testing::AssertionResult nine_digits(double actual, double expected) {
  const double unit = std::pow(10.0, std::floor(std::log10(std::abs(expected))) - 8);
  if (std::abs(actual - expected) <= 0.5 * unit) return testing::AssertionSuccess();
  return testing::AssertionFailure() << std::setprecision(12) << actual << " is not " << expected;
}

// The equal-fugacity solution in quad precision is the reference for the fitted line, so it must
// be the IAPWS-95 line: the saturation check values (R6-95(2018), Table 8) to their nine digits.
TEST(SaturationFit, ReferenceSolutionReproducesTable8) {
  for (const auto& c : table8) {
    SCOPED_TRACE(testing::Message() << "T=" << c[0]);
    const double theta = c[0] / Tc;
    const auto exact = extended::solve_at_theta<extended::quad>(
        theta, liquid_density_estimate(theta), vapour_density_estimate(theta), 1e-20);
    ASSERT_TRUE(exact.converged);
    EXPECT_TRUE(nine_digits(static_cast<double>(exact.pi) * pc, c[1]));
    EXPECT_TRUE(nine_digits(static_cast<double>(exact.delta_liq) * rhoc, c[2]));
    EXPECT_TRUE(nine_digits(static_cast<double>(exact.delta_vap) * rhoc, c[3]));
  }
}

// The fitted line is the saturation line wherever the table says its proof holds: π, δ′ and δ″
// from helmholtz_psat within 1e-12 of the quad-precision solution, and θ from helmholtz_tsat at
// that π within 1e-12, at points spread over every interval by the golden ratio, which fall on
// neither the nodes nor the points the fitting program checked, and at both ends of the range.
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
  }
  clear_library_caches();
  saturation_entry outside{};
  EXPECT_FALSE(fitted_saturation(1 - 1e-6, outside) || fitted_saturation(0.4, outside));
  double theta = 0;
  EXPECT_FALSE(fitted_saturation_theta(1.0, theta) || fitted_saturation_theta(1e-5, theta));
}

}  // namespace
}  // namespace Vantrel
