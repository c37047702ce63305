// Phase decision at a temperature and temperature search at a pressure.
#include "solve/phase.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "model/constant95.h"
#include "model/steam95.h"
#include "solve/saturation.h"

namespace Vantrel {
namespace {

using C = constant95;

TEST(DensityTp, StartsOnTheSideOfThePressure) {
  helmholtz_state st;
  const double theta = 450 / C::Tc;
  double dl = 0, dv = 0;
  const double pi_sat = helmholtz_psat(theta, dl, dv, &st);
  // Within the 5 % window the full saturation solve picks the branch.
  EXPECT_NEAR(density_tp(theta, pi_sat * (1 + 1e-9), &st), dl, 1e-6 * dl);
  EXPECT_NEAR(density_tp(theta, pi_sat * (1 - 1e-9), &st), dv, 1e-6 * dv);
  // Below the triple-point pressure the start is the vapour even above the estimated
  // saturation pressure of a supercooled temperature.
  EXPECT_LT(density_tp(260 / C::Tc, 0.0005 / C::pc, &st), 1e-3);
  // Above Tc the ideal gas is the start, whatever the pressure.
  EXPECT_GT(density_tp(700 / C::Tc, 100 / C::pc, &st), 1.0);
}

TEST(QualityAtT, SaturatedValuesAreSinglePhase) {
  helmholtz_state st;
  const double theta = 400 / C::Tc;
  double pi = 0, dl = 0, dv = 0;
  helmholtz_psat(theta, dl, dv, &st);
  const helmholtz_state liq(dl, 1 / theta), vap(dv, 1 / theta);
  for (const property_selector y :
       {&helmholtz_state::v, &helmholtz_state::h, &helmholtz_state::s, &helmholtz_state::u}) {
    EXPECT_EQ(quality_at_t(theta, (vap.*y)(), y, pi, dl, dv, &st), quality_superheated);
    EXPECT_EQ(quality_at_t(theta, (liq.*y)(), y, pi, dl, dv, &st), quality_subcooled);
    const double mid = 0.25 * (liq.*y)() + 0.75 * (vap.*y)();
    EXPECT_NEAR(quality_at_t(theta, mid, y, pi, dl, dv, &st), 0.75, 1e-12);
  }
  EXPECT_EQ(quality_at_t(1.0, 100, &helmholtz_state::h, pi, dl, dv, &st), quality_indeterminate);
  EXPECT_EQ(quality_at_t(0.42, 100, &helmholtz_state::h, pi, dl, dv, &st), quality_indeterminate);
}

TEST(HelmholtzTfind, TargetOutsideTheWindowIsRefused) {
  helmholtz_state st;
  double theta = 0, d1 = 0, d2 = 0;
  const double lo = 300 / C::Tc, hi = 5000 / C::Tc;
  try {
    helmholtz_tfind(lo, hi, 1 / C::pc, 1e5, &helmholtz_state::h, theta, d1, d2, &st);
    ADD_FAILURE();
  } catch (const std::domain_error& e) {
    EXPECT_STREQ(e.what(), "helmholtz_tfind");
  }
}

TEST(HelmholtzTfind, SupercriticalPressureSkipsTheSaturationLine) {
  helmholtz_state st;
  double theta = 0, d1 = 0, d2 = 0;
  const double pi = 30 / C::pc;
  const double theta0 = 700 / C::Tc;
  st.update(density_tp(theta0, pi, &st), 1 / theta0);
  const double h = st.h();
  const double c =
      helmholtz_tfind(273.16 / C::Tc, 5000 / C::Tc, pi, h, &helmholtz_state::h, theta, d1, d2, &st);
  EXPECT_EQ(c, quality_indeterminate);
  EXPECT_NEAR(theta, theta0, 2e-8);
  EXPECT_EQ(d1, d2);
}

TEST(HelmholtzTfind, SaturatedVapourTargetIsAnEndOfTheSearch) {
  helmholtz_state st;
  const double pi = 1 / C::pc;
  double dl = 0, dv = 0;
  const double theta_s = helmholtz_tsat(pi, dl, dv, &st);
  const helmholtz_state vap(dv, 1 / theta_s);
  double theta = 0, d1 = 0, d2 = 0;
  const double c = helmholtz_tfind(273.16 / C::Tc, 5000 / C::Tc, pi, vap.h(), &helmholtz_state::h,
                                   theta, d1, d2, &st);
  EXPECT_EQ(c, quality_superheated);
  EXPECT_EQ(theta, theta_s);
  EXPECT_NEAR(d2, dv, 1e-7 * dv);
}

}  // namespace
}  // namespace Vantrel
