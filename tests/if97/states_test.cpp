// IAPWS-IF97 states: the region of a point, the derivative properties against differences of
// the basic equations, round trips between (T, p) and (ρ, T), and saturation with its mixtures.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <stdexcept>

#include "if97/if97.h"

namespace Vantrel::if97 {
namespace {

TEST(If97Regions, RegionOfSplitsTheRangeAlongItsBoundaries) {
  struct row {
    double T, p;
    region expected;
  };
  const double ps = psat(500);
  const double pb = b23_p(700);
  const row rows[] = {
      {300, 3, region::one},
      {300, 0.0035, region::two},
      {500, ps * (1 + 1e-9), region::one},
      {500, ps * (1 - 1e-9), region::two},
      {623.15, 16.6, region::one},
      {623.15, 16.5, region::two},
      {650, 25, region::three},
      {640, 19, region::three},  // vapour side of region 3
      {700, pb * (1 + 1e-9), region::three},
      {700, pb * (1 - 1e-9), region::two},
      {863.15, 100, region::two},
      {900, 100, region::two},
      {1073.15, 100, region::two},
      {1073.16, 50, region::five},
      {2273.15, 50, region::five},
      {1500, 50.001, region::none},
      {300, 100.001, region::none},
      {273.149, 1, region::none},
      {2273.16, 1, region::none},
      {300, 0, region::none},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(region_of(r.T, r.p), r.expected) << "T=" << r.T << " p=" << r.p;
  }
  EXPECT_THROW(at_tp(300, 101), std::domain_error);
  EXPECT_THROW(at_tp(1500, 60), std::domain_error);
}

TEST(If97Regions, BoundariesRefusePointsOutsideTheirRange) {
  EXPECT_THROW(psat(647.1), std::domain_error);
  EXPECT_THROW(psat(273.0), std::domain_error);
  EXPECT_THROW(tsat(22.1), std::domain_error);
  EXPECT_THROW(tsat(0.0006), std::domain_error);
  EXPECT_THROW(b23_p(900), std::domain_error);
  EXPECT_THROW(b23_t(101), std::domain_error);
  EXPECT_THROW(at_rho_t(1000, 272), std::domain_error);
  EXPECT_THROW(at_rho_t(1100, 300), std::domain_error);  // needs more than 100 MPa
  EXPECT_THROW(saturation_at_t(650, 0.5), std::domain_error);
  EXPECT_THROW(saturation_at_t(400, 1.5), std::domain_error);
  EXPECT_THROW(saturation_at_p(23, 0.5), std::domain_error);
  EXPECT_THROW(region2_tp(300, 0), std::domain_error);
  EXPECT_THROW(region3_rho_t(0, 650), std::domain_error);
}

// The saturation equations are inverses of each other, and B23's two forms too.
TEST(If97Regions, BoundaryEquationsInvertEachOther) {
  for (double T = 273.15; T <= 647.0; T += 7.3) {
    EXPECT_NEAR(tsat(psat(T)), T, 1e-9 * T) << "T=" << T;
  }
  for (double T = 623.15; T <= 863.15; T += 12.0) {
    EXPECT_NEAR(b23_t(b23_p(T)), T, 1e-9 * T) << "T=" << T;
  }
}

// Central differences of the basic equations at (T, p) give every derivative property that
// the state reports through identities.
void expect_derivatives_match_differences(double T, double p) {
  SCOPED_TRACE(testing::Message() << "T=" << T << " p=" << p);
  const state s = at_tp(T, p);
  const double dT = 2e-6 * T, dp = 2e-6 * p;
  const state t_up = at_tp(T + dT, p), t_down = at_tp(T - dT, p);
  const state p_up = at_tp(T, p + dp), p_down = at_tp(T, p - dp);
  const double dvdt = (t_up.v - t_down.v) / (2 * dT);
  const double dvdp = (p_up.v - p_down.v) / (2 * dp);
  const double cp = (t_up.h - t_down.h) / (2 * dT);
  const double dhdp = (p_up.h - p_down.h) / (2 * dp);
  const state v_up = at_rho_t(s.rho, T + dT), v_down = at_rho_t(s.rho, T - dT);
  const double cv = (v_up.u - v_down.u) / (2 * dT);
  const double dpdt = (v_up.p - v_down.p) / (2 * dT);
  constexpr double tol = 1e-5;
  EXPECT_NEAR(s.dvdt, dvdt, tol * std::abs(dvdt));
  EXPECT_NEAR(s.dvdp, dvdp, tol * std::abs(dvdp));
  EXPECT_NEAR(s.cp, cp, tol * cp);
  EXPECT_NEAR(s.cv, cv, tol * cv);
  EXPECT_NEAR(s.dpdt, dpdt, tol * std::abs(dpdt));
  EXPECT_NEAR(s.alpha, dvdt / s.v, tol * std::abs(dvdt / s.v));
  EXPECT_NEAR(s.kappa, -dvdp / s.v, tol * std::abs(dvdp / s.v));
  EXPECT_NEAR(s.cjtt, dhdp, tol * std::abs(dhdp) + 1e-6);
  EXPECT_NEAR(s.cjth, -dhdp / cp, tol * std::abs(dhdp / cp) + 1e-6);
  // The free energies and the compressibility factor hold together with h, u, s and pv.
  EXPECT_NEAR(s.g, s.h - T * s.s, 1e-9 * std::abs(s.h));
  EXPECT_NEAR(s.a, s.u - T * s.s, 1e-9 * std::abs(s.h));
  EXPECT_NEAR(s.h - s.u, 1e3 * s.p * s.v, 1e-9 * std::abs(s.h));
  EXPECT_NEAR(s.z, 1e3 * s.p * s.v / (R * T), 1e-12);
  EXPECT_NEAR(s.rho * s.v, 1.0, 1e-15);
}

TEST(If97Derivatives, MatchDifferencesInEveryRegion) {
  expect_derivatives_match_differences(300, 3);    // region 1
  expect_derivatives_match_differences(500, 50);   // region 1
  expect_derivatives_match_differences(400, 0.1);  // region 2
  expect_derivatives_match_differences(700, 25);   // region 2, dense
  expect_derivatives_match_differences(650, 25);   // region 3, liquid-like
  expect_derivatives_match_differences(640, 19);   // region 3, vapour-like
  expect_derivatives_match_differences(750, 60);   // region 3, supercritical
  expect_derivatives_match_differences(1500, 30);  // region 5
}

// The speed of sound of each equation against −v²(∂p/∂v)_s from differences along an
// isentrope: s is held by moving T with p as the state's own (∂T/∂p)_s = Tv·α/cp says.
TEST(If97Derivatives, SpeedOfSoundMatchesTheIsentropicSlope) {
  const double points[][2] = {{300, 3}, {400, 0.1}, {650, 25}, {750, 60}, {1500, 30}};
  for (const auto& pt : points) {
    const double T = pt[0], p = pt[1];
    SCOPED_TRACE(testing::Message() << "T=" << T << " p=" << p);
    const state s = at_tp(T, p);
    const double dp = 1e-5 * p;
    const double dTdp = 1e3 * T * s.dvdt / s.cp;
    const state up = at_tp(T + dTdp * dp, p + dp), down = at_tp(T - dTdp * dp, p - dp);
    const double dvdp_s = (up.v - down.v) / (2 * dp);
    EXPECT_NEAR(up.s - down.s, 0.0, 1e-9 * s.s);
    EXPECT_NEAR(s.w, std::sqrt(-1e6 * s.v * s.v / dvdp_s), 1e-5 * s.w);
  }
}

// (T, p) → ρ → (ρ, T) gives back p and the state in every region, on both sides of the
// saturation line and of B23.
TEST(If97States, DensityAndTemperatureGiveBackThePressure) {
  int region3_points = 0;
  for (double T = 273.15; T <= 2273.15; T += (T < 1073.15 ? 3.7 : 47.0)) {
    for (double p = 0.001; p <= 100.0; p *= 1.37) {
      if (region_of(T, p) == region::none) continue;
      const state s = at_tp(T, p);
      const state back = at_rho_t(s.rho, T);
      ASSERT_NEAR(back.p, p, 1e-9 * p) << "T=" << T << " p=" << p;
      EXPECT_EQ(back.where, s.where) << "T=" << T << " p=" << p;
      EXPECT_NEAR(back.h, s.h, 1e-9 * std::abs(s.h)) << "T=" << T << " p=" << p;
      region3_points += s.where == region::three;
    }
  }
  EXPECT_GT(region3_points, 20);
}

// Region 3 by itself: Newton's method reaches the pressure on the right branch down to the
// saturation line and over the critical isotherm.
TEST(If97States, Region3DensityRoundTripsNearSaturationAndTheCriticalPoint) {
  for (double T = 623.2; T <= 863.15; T += 1.3) {
    const double pb = b23_p(T);
    for (double p = std::max(pb, 16.6); p <= 100.0; p += 0.53) {
      if (region_of(T, p) != region::three) continue;
      const double rho = region3_density(T, p);
      const state s = region3_rho_t(rho, T);
      ASSERT_NEAR(s.p, p, 1e-9 * p) << "T=" << T << " p=" << p;
      ASSERT_LT(s.dvdp, 0.0) << "T=" << T << " p=" << p;  // a stable root
      if (T < Tc) {
        EXPECT_EQ(rho > rhoc, p >= psat(T)) << "T=" << T << " p=" << p;
      }
    }
  }
}

// Regions 2 and 3 agree at B23 only to within their consistency, so a density taken from
// either side of the line still finds a state there, close to the line's pressure.
TEST(If97States, DensitiesOnEitherSideOfB23FindAState) {
  for (double T = 623.5; T <= 863.15; T += 9.1) {
    const double pb = b23_p(T);
    const double rho2 = region2_tp(T, pb).rho, rho3 = region3_density(T, pb);
    for (double rho : {rho2, 0.5 * (rho2 + rho3), rho3}) {
      EXPECT_NEAR(at_rho_t(rho, T).p, pb, 2e-3 * pb) << "T=" << T << " rho=" << rho;
    }
  }
}

TEST(If97Saturation, PhasesComeFromTheBasicEquationsAtTheSaturationPressure) {
  for (double T : {273.16, 373.15, 500.0, 623.15}) {
    const double ps = psat(T);
    const state liquid = saturation_at_t(T, 0.0), vapour = saturation_at_t(T, 1.0);
    EXPECT_EQ(liquid.p, ps);
    EXPECT_EQ(liquid.v, region1_tp(T, ps).v);
    EXPECT_EQ(vapour.h, region2_tp(T, ps).h);
    EXPECT_EQ(liquid.x, 0.0);
    EXPECT_EQ(vapour.x, 1.0);
    EXPECT_EQ(liquid.cp, region1_tp(T, ps).cp);  // a saturated phase keeps its derivatives
  }
  for (double T : {623.5, 635.0, 645.0, 647.0, 647.0959}) {
    const double ps = psat(T);
    const state liquid = saturation_at_t(T, 0.0), vapour = saturation_at_t(T, 1.0);
    SCOPED_TRACE(testing::Message() << "T=" << T);
    EXPECT_GT(liquid.rho, vapour.rho);
    EXPECT_NEAR(region3_rho_t(liquid.rho, T).p, ps, 1e-11 * ps);
    EXPECT_NEAR(region3_rho_t(vapour.rho, T).p, ps, 1e-11 * ps);
    // Phase equilibrium: the Gibbs free energies of the two phases agree as closely as the
    // region 3 equation agrees with the saturation-pressure equation.
    EXPECT_NEAR(liquid.g, vapour.g, 0.01);
  }
}

// The saturation line agrees with the basic equations through the Clapeyron equation
// dp/dT = (h″ − h′)/(T·(v″ − v′)) to within the formulation's consistency.
TEST(If97Saturation, SlopeOfTheSaturationLineObeysClapeyron) {
  for (double T = 280.0; T < 647.0; T += 23.0) {
    const state liquid = saturation_at_t(T, 0.0), vapour = saturation_at_t(T, 1.0);
    const double dT = 1e-4;
    const double slope = (psat(T + dT) - psat(T - dT)) / (2 * dT);
    const double clapeyron = 1e-3 * (vapour.h - liquid.h) / (T * (vapour.v - liquid.v));
    EXPECT_NEAR(clapeyron, slope, 2e-3 * slope) << "T=" << T;
  }
}

TEST(If97Saturation, MixturesWeightTheirPhasesByMass) {
  for (double T : {300.0, 500.0, 640.0}) {
    SCOPED_TRACE(testing::Message() << "T=" << T);
    const state liquid = saturation_at_t(T, 0.0), vapour = saturation_at_t(T, 1.0);
    const state m = saturation_at_t(T, 0.25);
    EXPECT_EQ(m.where, region::four);
    EXPECT_TRUE(m.two_phase());
    EXPECT_DOUBLE_EQ(m.v, 0.75 * liquid.v + 0.25 * vapour.v);
    EXPECT_DOUBLE_EQ(m.h, 0.75 * liquid.h + 0.25 * vapour.h);
    EXPECT_DOUBLE_EQ(m.s, 0.75 * liquid.s + 0.25 * vapour.s);
    EXPECT_DOUBLE_EQ(m.u, 0.75 * liquid.u + 0.25 * vapour.u);
    EXPECT_DOUBLE_EQ(m.rho, 1.0 / m.v);
    EXPECT_TRUE(std::isnan(m.cp) && std::isnan(m.w) && std::isnan(m.cjth));
    // The same mixture from its density and temperature, and from the pressure.
    const state back = at_rho_t(m.rho, T);
    EXPECT_NEAR(back.x, 0.25, 1e-12);
    EXPECT_DOUBLE_EQ(back.h, m.h);
    const state by_p = saturation_at_p(m.p, 0.25);
    EXPECT_NEAR(by_p.T, T, 1e-9 * T);
    EXPECT_NEAR(by_p.h, m.h, 1e-6 * m.h);
  }
}

TEST(If97States, SinglePhaseStatesNameTheirSideOfTheSaturationLine) {
  EXPECT_EQ(at_tp(300, 3).x, quality_subcooled);
  EXPECT_EQ(at_tp(400, 0.1).x, quality_superheated);
  EXPECT_EQ(at_tp(645, 22).x, quality_subcooled);    // region 3, liquid-like
  EXPECT_EQ(at_tp(645, 21).x, quality_superheated);  // region 3, vapour-like
  EXPECT_EQ(at_tp(700, 30).x, quality_indeterminate);
  EXPECT_EQ(at_tp(300, 50).x, quality_indeterminate);
}

}  // namespace
}  // namespace Vantrel::if97
