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

TEST(StartedFlash, VolumeFlashLandsWhereTheTemperatureSearchDoes) {
  // Beside the states of the other flashes: cold liquid around the density maximum, where the
  // flash must decline, and wet states.
  std::vector<point> points = all_points();
  for (const point& cold : {point{274, 0.1}, point{277, 1}, point{285, 10}, point{295, 0.5},
                            point{265, 150}, point{300, 400}, point{500, 800}}) {
    points.push_back(cold);
  }
  std::vector<double> volumes;
  std::vector<double> pressures;
  for (const point& pt : points) {
    steam95 st;
    st.at_tp(pt.T, pt.p);
    volumes.push_back(st.v());
    pressures.push_back(pt.p);
  }
  for (const double p : {0.0007, 0.01, 0.1, 1.0, 10.0, 21.0, 22.0}) {
    for (const double x : {1e-6, 0.3, 0.999999}) {
      steam95 wet;
      wet.at_psat(p, x);
      volumes.push_back(wet.v());
      pressures.push_back(p);
    }
  }
  int started = 0;
  for (std::size_t i = 0; i < volumes.size(); ++i) {
    const double pi = pressures[i] / C::pc, v = volumes[i];
    SCOPED_TRACE("p=" + std::to_string(pressures[i]) + " MPa, v=" + std::to_string(v));
    helmholtz_state a, b;
    double code = 0, theta = 0, d1 = 0, d2 = 0;
    if (!started_pv(pi, v, code, theta, d1, d2, &a)) continue;
    ++started;
    double lo = 0, hi = 0;
    ice::temperature_bounds(pi, lo, hi, 0.0);
    double theta_ref = 0, d1_ref = 0, d2_ref = 0;
    const double code_ref =
        helmholtz_tfind(lo, hi, pi, v, &helmholtz_state::v, theta_ref, d1_ref, d2_ref, &b);
    EXPECT_EQ(code, code_ref);
    EXPECT_NEAR(theta, theta_ref, 1e-9 * theta_ref);
    EXPECT_NEAR(d1, d1_ref, 1e-8 * d1_ref);
    EXPECT_NEAR(d2, d2_ref, 1e-8 * d2_ref);
    if (d2 > 0.01) {
      EXPECT_GE(theta * C::Tc, 290.0);
    }
  }
  EXPECT_GT(started, static_cast<int>(volumes.size()) * 3 / 4);
}

// Every isobar of the range has (∂v/∂T)_p > 0 from 290 K up, and there its coldest liquid is
// denser than at 290 K: the volume flash's reason for leaving only colder liquid to the search.
TEST(StartedFlash, ColdLiquidAbove290KIsTheOnlyStateOfItsVolume) {
  for (const double p : {0.002, 0.1, 1.0, 10.0, 50.0, 100.0, 200.0, 300.0}) {
    double lo = 0, hi = 0;
    ice::temperature_bounds(p / C::pc, lo, hi, 0.0);
    if (lo * C::Tc >= 290.0) continue;
    steam95 coldest, warm;
    coldest.at_tp(lo * C::Tc * (1 + 1e-9), p);
    warm.at_tp(290.0, p);
    EXPECT_GT(warm.v(), coldest.v()) << p << " MPa";
    EXPECT_GT(warm.helm().dpdt(), 0.0) << p << " MPa";
  }
}

// T-h, T-s and T-u from T-p states: a single-phase answer on the side of the line that the
// phase decision names, within the iterations' tolerances. Entropy grows monotonically along an
// isotherm wherever (∂p/∂T)_ρ > 0, so above the cold liquid's anomaly its density is the T-p
// state's; h and u can meet their value twice on an isotherm of compressed liquid.
TEST(StartedFlash, TemperatureFlashesLandOnASingleStateOfTheIsotherm) {
  for (const point& pt : all_points()) {
    steam95 st;
    st.at_tp(pt.T, pt.p);
    for (const auto& [name, property] : properties) {
      SCOPED_TRACE(std::string(name) + " at T=" + std::to_string(pt.T) +
                   " K, p=" + std::to_string(pt.p) + " MPa");
      const double y = (st.helm().*property)();
      helmholtz_state scratch;
      double pi = 0, dl = 0, dv = 0;
      const double code = quality_at_t(pt.T / C::Tc, y, property, pi, dl, dv, &scratch);
      if (code >= 0) continue;  // wet: read off the line, not iterated
      const bool entropy = property == &helmholtz_state::s;
      steam95 back;
      if (property == &helmholtz_state::h) back.at_th(pt.T, y);
      if (entropy) back.at_ts(pt.T, y);
      if (property == &helmholtz_state::u) back.at_tu(pt.T, y);
      EXPECT_EQ(back.x(), code);
      EXPECT_NEAR((back.helm().*property)(), y, entropy ? 1e-8 : 1e-6);
      if (entropy && pt.T > 290) {
        EXPECT_NEAR(back.rho(), st.rho(), 1e-6 * st.rho());
      }
    }
  }
}

}  // namespace
}  // namespace Vantrel
