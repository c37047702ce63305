// The flashes started from IAPWS-IF97 against the bracketing searches they stand in for. At
// states across the range, a few millikelvin from the saturation line and next to the critical
// point, a started flash either declines (and the search decides) or lands on the state that the
// search finds, with the same phase code.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/constant95.h"
#include "model/steam95.h"
#include "properties/ice.h"
#include "solve/caches.h"
#include "solve/density.h"
#include "solve/phase.h"
#include "solve/saturation.h"

namespace Vantrel {
namespace {

using C = constant95;

// T (K) and p (MPa): liquid, vapour, supercritical and dilute states, then states within a few
// millikelvin of the saturation temperature on both sides, then the critical neighbourhood.
struct point {
  double T, p;
};
constexpr point ordinary[] = {
    {280, 0.1},   {300, 10},  {350, 1000}, {450, 200},  {550, 15},   {600, 100}, {400, 0.1},
    {500, 1},     {600, 5},   {800, 10},   {1200, 0.5}, {660, 30},   {700, 25},  {1000, 100},
    {2000, 1000}, {4000, 10}, {275, 0.01}, {300, 5e-4}, {250, 5e-5}, {900, 30},
};
constexpr double saturation_pressures[] = {0.001, 0.1, 1, 10, 20, 22};
constexpr double saturation_offsets[] = {-1e-5, -1e-2, 1e-5, 1e-2};  // relative to Tsat
constexpr point critical[] = {{647.2, 22.1}, {648, 22.07},  {646.5, 22.064}, {650, 23},
                              {647.0, 22.5}, {645, 22.064}, {647.1, 21.9}};

std::vector<point> all_points() {
  std::vector<point> points(std::begin(ordinary), std::end(ordinary));
  for (const double p : saturation_pressures) {
    double dl = 0, dv = 0;
    helmholtz_state scratch;
    const double T = helmholtz_tsat(p / C::pc, dl, dv, &scratch) * C::Tc;
    for (const double k : saturation_offsets) points.push_back({T * (1 + k), p});
  }
  points.insert(points.end(), std::begin(critical), std::end(critical));
  return points;
}

struct property_case {
  const char* name;
  property_selector property;
};
constexpr property_case properties[] = {
    {"h", &helmholtz_state::h}, {"s", &helmholtz_state::s}, {"u", &helmholtz_state::u}};

// Both searches at (π, y) for one property; the started one must agree where it answers.
void expect_same_search(double pi, double y, property_selector property, int& started_count) {
  double lo = 0, hi = 0;
  ice::temperature_bounds(pi, lo, hi, metastable_margin);
  helmholtz_state a, b;
  double code = 0, theta = 0, d1 = 0, d2 = 0;
  if (!started_tfind(pi, y, property, code, theta, d1, d2, &a)) return;
  ++started_count;
  double theta_ref = 0, d1_ref = 0, d2_ref = 0;
  const double code_ref = helmholtz_tfind(lo, hi, pi, y, property, theta_ref, d1_ref, d2_ref, &b);
  EXPECT_EQ(code, code_ref);
  EXPECT_NEAR(theta, theta_ref, 1e-10 * theta_ref);
  EXPECT_NEAR(d1, d1_ref, 1e-8 * d1_ref);
  EXPECT_NEAR(d2, d2_ref, 1e-8 * d2_ref);
}

TEST(StartedFlash, PressureFlashesLandWhereTheTemperatureSearchDoes) {
  int started = 0, asked = 0;
  for (const point& pt : all_points()) {
    steam95 st;
    st.at_tp(pt.T, pt.p);
    for (const auto& [name, property] : properties) {
      SCOPED_TRACE(std::string(name) + " at T=" + std::to_string(pt.T) +
                   " K, p=" + std::to_string(pt.p) + " MPa");
      ++asked;
      expect_same_search(pt.p / C::pc, (st.helm().*property)(), property, started);
    }
  }
  // Declining is always allowed, but a start that hardly ever answers saves nothing.
  EXPECT_GT(started, asked * 9 / 10);
}

TEST(StartedFlash, WetStatesReadTheSameQualityAsTheSearch) {
  int started = 0, asked = 0;
  for (const double p : {0.0007, 0.01, 0.1, 1.0, 10.0, 21.0, 22.0}) {
    for (const double x : {1e-6, 0.3, 0.999999}) {
      steam95 wet;
      wet.at_psat(p, x);
      for (const auto& [name, property] : properties) {
        SCOPED_TRACE(std::string(name) + " at p=" + std::to_string(p) +
                     " MPa, x=" + std::to_string(x));
        const double y = name == std::string("h")   ? wet.h()
                         : name == std::string("s") ? wet.s()
                                                    : wet.u();
        ++asked;
        expect_same_search(p / C::pc, y, property, started);
      }
    }
  }
  EXPECT_EQ(started, asked);
}

TEST(StartedFlash, EnthalpyEntropyFlashLandsOnItsState) {
  int started = 0, asked = 0;
  for (const point& pt : all_points()) {
    SCOPED_TRACE("T=" + std::to_string(pt.T) + " K, p=" + std::to_string(pt.p) + " MPa");
    steam95 st;
    st.at_tp(pt.T, pt.p);
    helmholtz_state found;
    double code = 0;
    ++asked;
    if (!started_hs(st.h(), st.s(), code, &found)) continue;
    ++started;
    EXPECT_NEAR(found.t(), pt.T, 1e-9 * pt.T);
    EXPECT_NEAR(found.p(), pt.p, 1e-7 * pt.p);
    // The phase code is the one the pressure flash names at the same p and s.
    steam95 by_ps;
    by_ps.at_ps(found.p(), st.s());
    EXPECT_EQ(code, by_ps.x());
  }
  // Declined only beyond IF97's backward equations (1000 MPa, 4000 K) and below the triple
  // point's pressure, where the pressure search does not look either.
  EXPECT_GT(started, asked * 9 / 10);
  // A wet state has no single-phase (h, s) point to land on: whatever the Newton iteration
  // reaches lies inside the dome, and the flash must decline it.
  for (const double p : {0.001, 0.1, 1.0, 10.0, 20.0, 22.0}) {
    for (const double x : {0.001, 0.5, 0.999}) {
      steam95 wet;
      wet.at_psat(p, x);
      helmholtz_state found;
      double code = 0;
      EXPECT_FALSE(started_hs(wet.h(), wet.s(), code, &found)) << "p=" << p << " x=" << x;
      // On the fitted line, the wet flash lands on the state itself.
      double theta = 0, quality = 0;
      ASSERT_TRUE(started_wet_hs(wet.h(), wet.s(), theta, quality)) << "p=" << p << " x=" << x;
      EXPECT_NEAR(theta * C::Tc, wet.t(), 1e-10 * wet.t()) << "p=" << p << " x=" << x;
      EXPECT_NEAR(quality, x, 1e-9) << "p=" << p << " x=" << x;
    }
  }
  // A single-phase (h, s) is not wet anywhere on the line.
  for (const point& pt : ordinary) {
    steam95 st;
    st.at_tp(pt.T, pt.p);
    double theta = 0, quality = 0;
    EXPECT_FALSE(started_wet_hs(st.h(), st.s(), theta, quality)) << pt.T << " K " << pt.p;
  }
}

TEST(StartedFlash, DensityFromIf97IsTheBracketedRoot) {
  for (const point& pt : all_points()) {
    SCOPED_TRACE("T=" + std::to_string(pt.T) + " K, p=" + std::to_string(pt.p) + " MPa");
    const double theta = pt.T / C::Tc, pi = pt.p / C::pc;
    helmholtz_state a, b;
    const double delta = density_tp(theta, pi, &a);
    // The bracket search and Brent's method from a start 1 % off on the same branch.
    const double bracketed = dfind(delta * (delta > 1 ? 1.01 : 0.99), theta, pi, &b);
    EXPECT_NEAR(delta, bracketed, 1e-8 * bracketed);
  }
}

}  // namespace
}  // namespace Vantrel
