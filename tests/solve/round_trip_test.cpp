// Round trips between input pairs: every single-phase state of a grid over the fluid region
// is built from (T, p), read for v, h, s and u, and rebuilt from each of the nine other
// pairs. The rebuilt state must give back the inputs it was given and the original T, p and
// ρ, and name the side of the saturation line the original lies on.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/constant95.h"
#include "model/steam95.h"
#include "solve/caches.h"

namespace Vantrel {
namespace {

using C = constant95;

// Single-phase states above the melting and sublimation curves, T (K) and p (MPa):
// compressed liquid up to 1000 MPa, vapour, near-critical and supercritical fluid, and low
// pressures near the triple point and over ice. The cold liquid at a few kPa and the cold
// liquid under hundreds of MPa are the states whose h-s search needs its liquid start.
constexpr double grid[][2] = {
    {280, 0.1},  {300, 1},      {300, 50},     {350, 1000},    {400, 10},     {450, 200},
    {550, 15},   {600, 100},    {500, 1000},   {400, 0.1},     {500, 1},      {600, 5},
    {800, 10},   {1200, 0.5},   {640, 20},     {640, 21},      {647.5, 22.5}, {650, 23},
    {660, 30},   {700, 25},     {1000, 100},   {2000, 1000},   {5000, 10},    {273.2, 0.002},
    {275, 0.01}, {274, 0.01},   {280, 0.002},  {283.15, 0.01}, {273.16, 100}, {275, 500},
    {300, 900},  {280, 0.0008}, {300, 0.0005}, {250, 0.00005}, {200, 1e-7},
};

struct values {
  double T, p, v, h, s, u;
};

// (∂y/∂ρ)_T of y = h, s or u, by central difference along the isotherm.
double slope_on_isotherm(const steam95& st, double values::*y) {
  const double d = st.helm().delta(), tau = st.helm().tau(), e = 1e-6 * d;
  const helmholtz_state up(d + e, tau), down(d - e, tau);
  const auto of = [y](const helmholtz_state& h) {
    return y == &values::h ? h.h() : y == &values::s ? h.s() : h.u();
  };
  return (of(up) - of(down)) / (2 * e * C::rhoc);
}

struct pair_case {
  const char* name;
  void (steam95::*build)(double, double);
  double values::*first;
  double values::*second;
  double tolerance;  // of a fixed-temperature iteration on its second input
};
constexpr pair_case pairs[] = {
    {"T-v", &steam95::at_tv, &values::T, &values::v, 0},
    {"T-h", &steam95::at_th, &values::T, &values::h, 1e-6},
    {"T-s", &steam95::at_ts, &values::T, &values::s, 1e-8},
    {"T-u", &steam95::at_tu, &values::T, &values::u, 1e-6},
    {"p-v", &steam95::at_pv, &values::p, &values::v, 0},
    {"p-h", &steam95::at_ph, &values::p, &values::h, 0},
    {"p-s", &steam95::at_ps, &values::p, &values::s, 0},
    {"p-u", &steam95::at_pu, &values::p, &values::u, 0},
    {"h-s", &steam95::at_hs, &values::h, &values::s, 0},
};

// How far a rebuilt state may lie from the original: each constructor pins its own
// variables to its own tolerance (the temperature searches T to 1e-8 relative, the
// fixed-temperature iterations y to `tolerance`), and the rest follows by linearisation, with
// a margin of 10. Where a pair hardly depends on density (T-h of a dilute vapour) the allowance
// grows accordingly. T, p and ρ may also stray by `floor` relative.
struct allowance {
  double T, p, rho, first, second;
  double floor = 1e-7;
};

allowance allowance_for(const pair_case& pc, const steam95& st) {
  const double T = st.t(), p = st.p(), rho = st.rho(), v = st.v(), cp = st.cp();
  const double alpha = st.alpha(), dpdrho = st.helm().dpdrho(), dT = 10 * 1e-8 * T;
  const std::string name = pc.name;
  if (name == "T-v") return {0, 1e-9 * p, 0, 0, 1e-14 * v};
  if (pc.first == &values::T) {
    const double d_rho = 10 * pc.tolerance / std::abs(slope_on_isotherm(st, pc.second));
    return {0, dpdrho * d_rho, d_rho, 0, pc.tolerance};
  }
  if (name == "h-s") {
    // The h-s flash meets h and s by Newton's method in (δ, τ) (or, where its start declines,
    // searches the pressure between narrow brackets). For a cold liquid h and s hardly change
    // with p: a part in 1e12 of the density moves its pressure by about 2e-9 MPa, while h and s
    // stay within their last digits, so the pressure comes back to about 1.5e-8 of itself plus
    // that (measured over 101 neighbouring liquid states at each of 0.002 to 10 MPa and 273 to
    // 350 K). T follows along the isentrope to the search's last digits.
    const double dp = 1.5e-8 * p + 2e-9, dT_hs = 5e-10 * T;
    const double d_rho = rho * std::abs(alpha) * dT_hs + dp / dpdrho;
    const double dh = v * 1000 * dp + cp * dT_hs, ds = cp * dT_hs / T;
    return {dT_hs, dp, d_rho, dh, ds, 0.0};
  }
  const double dy_dT = name == "p-h"   ? cp
                       : name == "p-s" ? cp / T
                       : name == "p-u" ? cp - p * st.dvdt() * 1000
                                       : st.dvdt();
  const double dp = name == "p-v" ? st.dpdt() * dT : dpdrho * rho * 1e-7;  // δ to 1e-8
  return {dT, dp, rho * alpha * dT, dp, std::abs(dy_dT) * dT};
}

TEST(RoundTrip, EveryPairRebuildsEveryGridState) {
  clear_library_caches();
  for (const auto [T, p] : grid) {
    steam95 original;
    original.at_tp(T, p);
    const values in{T, p, original.v(), original.h(), original.s(), original.u()};
    const bool liquid_side = original.helm().delta() > 1.0;
    const double side = liquid_side ? quality_subcooled : quality_superheated;
    // T-p names every state above Tc or pc indeterminate.
    const bool saturation_range = T >= C::Tt && T <= C::Tc && p >= C::pt && p <= C::pc;
    EXPECT_EQ(original.x(), saturation_range ? side : quality_indeterminate);
    for (const auto& pc : pairs) {
      SCOPED_TRACE(testing::Message() << pc.name << " at T=" << T << " K, p=" << p << " MPa");
      const std::string name = pc.name;
      const bool T_first = pc.first == &values::T;
      steam95 rebuilt;
      // Cold liquid has two temperatures for one volume about its density maximum (above 0 °C
      // only below about 20 MPa), and the pressure search of h-s starts at the triple-point
      // pressure: no answer there, by design.
      if ((name == "p-v" && liquid_side && T < 281.15 && p < 20) || (name == "h-s" && p < C::pt)) {
        EXPECT_ANY_THROW((rebuilt.*pc.build)(in.*pc.first, in.*pc.second));
        EXPECT_FALSE(rebuilt.valid());
        continue;
      }
      try {
        (rebuilt.*pc.build)(in.*pc.first, in.*pc.second);
      } catch (const std::exception& e) {
        ADD_FAILURE() << "raised " << e.what();
        continue;
      }
      const values out{rebuilt.t(), rebuilt.p(), rebuilt.v(),
                       rebuilt.h(), rebuilt.s(), rebuilt.u()};
      const allowance a = allowance_for(pc, original);
      EXPECT_NEAR(out.*pc.first, in.*pc.first, a.first + 1e-12 * std::abs(in.*pc.first));
      EXPECT_NEAR(out.*pc.second, in.*pc.second, a.second + 1e-12 * std::abs(in.*pc.second));
      const bool in_range = T_first ? T >= C::Tt && T < C::Tc : p >= C::pt && p < C::pc;
      if (rebuilt.two_phase()) {
        // Compressed liquid whose h or u at its temperature lies between the saturated values
        // (and s in the cold liquid below 4 °C) has a second answer, the wet mixture; the
        // fixed-temperature pairs give the mixture.
        EXPECT_TRUE(T_first && pc.second != &values::v && liquid_side);
        EXPECT_TRUE(pc.second != &values::s || T < 277.15);
        continue;
      }
      EXPECT_EQ(rebuilt.x(), in_range ? side : quality_indeterminate);
      // Beyond an extremum of y along the isotherm lies a second answer of the pair.
      if (T_first && pc.second != &values::v &&
          slope_on_isotherm(original, pc.second) * slope_on_isotherm(rebuilt, pc.second) < 0) {
        continue;
      }
      EXPECT_NEAR(out.T, T, a.T + a.floor * T) << "T";
      EXPECT_NEAR(out.p, p, a.p + a.floor * p) << "p";
      EXPECT_NEAR(rebuilt.rho(), original.rho(), a.rho + a.floor * original.rho()) << "rho";
    }
  }
}

}  // namespace
}  // namespace Vantrel
