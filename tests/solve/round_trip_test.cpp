// Round trips between input pairs: every single-phase state of a grid over the fluid region
// is built from (T, p), read for v, h, s and u, and rebuilt from each of the nine other
// pairs. The rebuilt state must reproduce the inputs it was given and the original T, p and
// ρ, each to what the constructor's own tolerances allow at that state.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "model/constant95.h"
#include "model/steam95.h"
#include "solve/caches.h"

namespace Vantrel {
namespace {

using C = constant95;

// Single-phase states above the melting and sublimation curves, with the region they test.
struct grid_point {
  double T, p;
};
constexpr grid_point grid[] = {
    // Compressed liquid, up to 1000 MPa.
    {280, 0.1},
    {300, 1},
    {300, 50},
    {350, 1000},
    {400, 10},
    {450, 200},
    {550, 15},
    {600, 100},
    {500, 1000},
    // Vapour.
    {400, 0.1},
    {500, 1},
    {600, 5},
    {800, 10},
    {1200, 0.5},
    // Near the saturation line and the critical point.
    {640, 20},
    {640, 21},
    {647.5, 22.5},
    {650, 23},
    {660, 30},
    // Supercritical fluid, to the top of the temperature range.
    {700, 25},
    {1000, 100},
    {2000, 1000},
    {5000, 10},
    // Low pressures near the triple point, and vapour over ice.
    {273.2, 0.001},
    {275, 0.01},
    {280, 0.0008},
    {300, 0.0005},
    {250, 0.00005},
    {200, 1e-7},
};

// The original state's derivatives, from which the constructor tolerances are carried over
// to T, p and ρ.
struct sensitivity {
  double T, p, rho, v;
  double cp;       // kJ/(kg·K)
  double alpha;    // 1/K
  double dpdt_v;   // (∂p/∂T)_v, MPa/K
  double dpdrho;   // (∂p/∂ρ)_T, MPa·m³/kg
  double dvdt;     // (∂v/∂T)_p
  double dh_drho;  // (∂h/∂ρ)_T, dh per dρ
  double du_drho;  // (∂u/∂ρ)_T
  double ds_drho;  // (∂s/∂ρ)_T
};

sensitivity sensitivity_of(const steam95& st) {
  sensitivity k{};
  k.T = st.t();
  k.p = st.p();
  k.rho = st.rho();
  k.v = st.v();
  k.cp = st.cp();
  k.alpha = st.alpha();
  k.dpdt_v = st.dpdt();
  k.dpdrho = st.helm().dpdrho();
  k.dvdt = st.dvdt();
  // Central differences along the isotherm.
  const double d = st.helm().delta();
  const double tau = st.helm().tau();
  const double e = 1e-6 * d;
  const helmholtz_state up(d + e, tau);
  const helmholtz_state down(d - e, tau);
  const double drho = 2.0 * e * C::rhoc;
  k.dh_drho = (up.h() - down.h()) / drho;
  k.du_drho = (up.u() - down.u()) / drho;
  k.ds_drho = (up.s() - down.s()) / drho;
  return k;
}

// Absolute error allowances of a rebuilt state: each constructor pins its own variables to
// its own tolerance; the error of every other variable follows by linearisation.
struct allowance {
  double T, p, rho, first, second;
};

// Relative abscissa tolerance of the Brent searches, and the Newton tolerances at fixed T.
constexpr double x_tol = 1e-8;
constexpr double energy_tol = 1e-6;
constexpr double entropy_tol = 1e-8;

// Errors of a pressure-first search: T to x_tol relative; the density finder's own δ to
// x_tol relative at that T.
allowance pressure_first(const sensitivity& k, double dy_dt) {
  const double dT = x_tol * k.T;
  allowance a{};
  a.T = dT;
  a.rho = k.rho * (k.alpha * dT + x_tol);
  a.p = k.dpdrho * k.rho * x_tol;
  a.first = a.p;
  a.second = std::abs(dy_dt) * dT + 1e-12 * std::abs(dy_dt) * k.T;
  return a;
}

// Errors of a fixed-temperature Newton iteration with tolerance tol on y.
allowance temperature_first(const sensitivity& k, double dy_drho, double tol) {
  allowance a{};
  a.T = 1e-12 * k.T;
  a.rho = tol / std::abs(dy_drho);
  a.p = k.dpdrho * a.rho;
  a.first = a.T;
  a.second = tol;
  return a;
}

struct pair_case {
  std::string name;
  bool temperature_first;
  std::function<void(steam95&, const steam95&)> build;
  std::function<double(const steam95&)> first, second;
  std::function<allowance(const sensitivity&)> tolerance;
};

std::vector<pair_case> pairs() {
  const auto T = [](const steam95& s) { return s.t(); };
  const auto P = [](const steam95& s) { return s.p(); };
  const auto V = [](const steam95& s) { return s.v(); };
  const auto H = [](const steam95& s) { return s.h(); };
  const auto S = [](const steam95& s) { return s.s(); };
  const auto U = [](const steam95& s) { return s.u(); };
  return {
      {"T-v", true, [](steam95& r, const steam95& o) { r.at_tv(o.t(), o.v()); }, T, V,
       [](const sensitivity& k) {
         return allowance{1e-12 * k.T, 1e-12 * k.p + 1e-9 * k.dpdrho * k.rho, 1e-12 * k.rho,
                          1e-12 * k.T, 1e-14 * k.v};
       }},
      {"T-h", true, [](steam95& r, const steam95& o) { r.at_th(o.t(), o.h()); }, T, H,
       [](const sensitivity& k) { return temperature_first(k, k.dh_drho, energy_tol); }},
      {"T-s", true, [](steam95& r, const steam95& o) { r.at_ts(o.t(), o.s()); }, T, S,
       [](const sensitivity& k) { return temperature_first(k, k.ds_drho, entropy_tol); }},
      {"T-u", true, [](steam95& r, const steam95& o) { r.at_tu(o.t(), o.u()); }, T, U,
       [](const sensitivity& k) { return temperature_first(k, k.du_drho, energy_tol); }},
      {"p-v", false, [](steam95& r, const steam95& o) { r.at_pv(o.p(), o.v()); }, P, V,
       [](const sensitivity& k) {
         // The density is the input itself; the pressure follows the temperature error.
         allowance a = pressure_first(k, k.dvdt);
         a.rho = 1e-12 * k.rho;
         a.p = a.first = k.dpdt_v * a.T + 1e-12 * k.p;
         a.second = 1e-14 * k.v;
         return a;
       }},
      {"p-h", false, [](steam95& r, const steam95& o) { r.at_ph(o.p(), o.h()); }, P, H,
       [](const sensitivity& k) { return pressure_first(k, k.cp); }},
      {"p-s", false, [](steam95& r, const steam95& o) { r.at_ps(o.p(), o.s()); }, P, S,
       [](const sensitivity& k) { return pressure_first(k, k.cp / k.T); }},
      {"p-u", false, [](steam95& r, const steam95& o) { r.at_pu(o.p(), o.u()); }, P, U,
       [](const sensitivity& k) { return pressure_first(k, k.cp - k.p * k.dvdt * 1000.0); }},
      {"h-s", false, [](steam95& r, const steam95& o) { r.at_hs(o.h(), o.s()); }, H, S,
       [](const sensitivity& k) {
         // The inner (p, s) search leaves h uncertain by cp·ΔT; at fixed s, h moves with p
         // by v, so the pressure is only as good as that error over v. In compressed liquid,
         // where v is small, h-s hardly fixes the pressure.
         const allowance inner = pressure_first(k, k.cp / k.T);
         const double dh = k.cp * inner.T + k.v * 1000.0 * x_tol * k.p;
         const double dp = dh / (k.v * 1000.0) + x_tol * k.p;
         allowance a{};
         a.p = dp + inner.p;
         a.T = inner.T + k.T * k.v * k.alpha / k.cp * dp * 1000.0;
         a.rho = inner.rho + k.rho * std::abs(k.dvdt) * a.T * k.rho + dp / k.dpdrho;
         a.first = dh;
         a.second = inner.second;
         return a;
       }},
  };
}

// The side of the saturation line that the original lies on, as a phase code: every
// constructor names the state by the same side, −1 where its first input has no saturation
// state.
double expected_code(const pair_case& pc, const steam95& original) {
  const double side = original.helm().delta() > 1.0 ? quality_subcooled : quality_superheated;
  if (pc.temperature_first) {
    const double T = original.t();
    return T >= C::Tt && T < C::Tc ? side : quality_indeterminate;
  }
  const double p = original.p();
  return p >= C::pt && p < C::pc ? side : quality_indeterminate;
}

// A margin over the linearised allowance. T, p and ρ come back to 1e-7 relative wherever
// the pair determines the state well; the inputs to the constructor's own tolerance.
constexpr double safety = 10.0;
constexpr double state_floor = 1e-7;
constexpr double input_floor = 1e-12;

void expect_close(const char* what, double got, double want, double allowed, double floor) {
  EXPECT_NEAR(got, want, safety * allowed + floor * std::abs(want)) << what;
}

TEST(RoundTrip, EveryPairRebuildsEveryGridState) {
  clear_library_caches();
  for (const auto& g : grid) {
    steam95 original;
    original.at_tp(g.T, g.p);
    const sensitivity k = sensitivity_of(original);
    for (const auto& pc : pairs()) {
      SCOPED_TRACE(testing::Message() << pc.name << " at T=" << g.T << " K, p=" << g.p << " MPa");
      steam95 rebuilt;
      try {
        pc.build(rebuilt, original);
      } catch (const std::exception& e) {
        ADD_FAILURE() << "raised " << e.what();
        continue;
      }
      const allowance a = pc.tolerance(k);
      expect_close("first input", pc.first(rebuilt), pc.first(original), a.first, input_floor);
      expect_close("second input", pc.second(rebuilt), pc.second(original), a.second, input_floor);

      if (rebuilt.two_phase()) {
        // Compressed liquid whose energy at its temperature lies between the saturated
        // values has a second answer, the wet mixture; the fixed-temperature energy pairs
        // give the mixture. Only the inputs are checked for it.
        EXPECT_TRUE(pc.name == "T-h" || pc.name == "T-u");
        EXPECT_EQ(expected_code(pc, original), quality_subcooled);
        continue;
      }
      expect_close("T", rebuilt.t(), original.t(), a.T, state_floor);
      expect_close("p", rebuilt.p(), original.p(), a.p, state_floor);
      expect_close("rho", rebuilt.rho(), original.rho(), a.rho, state_floor);
      EXPECT_EQ(rebuilt.x(), expected_code(pc, original));
    }
  }
}

}  // namespace
}  // namespace Vantrel
