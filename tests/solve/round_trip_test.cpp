// Round trips between input pairs: every single-phase state of a grid over the fluid region
// is built from (T, p), read for v, h, s and u, and rebuilt from each of the nine other
// pairs. The rebuilt state must reproduce the inputs it was given and the original T, p and
// ρ, each to what the constructor's own tolerances allow at that state.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "model/constant95.h"
#include "model/steam95.h"
#include "solve/caches.h"

namespace Vantrel {
namespace {

using C = constant95;

// Single-phase states above the melting and sublimation curves.
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
    {273.2, 0.002},
    {275, 0.01},
    {280, 0.0008},
    {300, 0.0005},
    {250, 0.00005},
    {200, 1e-7},
};

// The original state's derivatives, through which each constructor's own tolerances are
// carried over to T, p and ρ. Units: kJ, kg, K, MPa, m³.
struct sensitivity {
  double T, p, rho, v, cp, alpha;
  double dpdt_v, dpdrho, dvdt;       // (∂p/∂T)_v, (∂p/∂ρ)_T, (∂v/∂T)_p
  double dh_drho, du_drho, ds_drho;  // along the isotherm
};

sensitivity sensitivity_of(const steam95& st) {
  // Central differences along the isotherm.
  const double d = st.helm().delta(), tau = st.helm().tau(), e = 1e-6 * d;
  const helmholtz_state up(d + e, tau), down(d - e, tau);
  const double drho = 2.0 * e * C::rhoc;
  return {st.t(),
          st.p(),
          st.rho(),
          st.v(),
          st.cp(),
          st.alpha(),
          st.dpdt(),
          st.helm().dpdrho(),
          st.dvdt(),
          (up.h() - down.h()) / drho,
          (up.u() - down.u()) / drho,
          (up.s() - down.s()) / drho};
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

// The six variables a pair may take its inputs from.
struct values {
  double T, p, v, h, s, u;
};

values values_of(const steam95& st) {
  return {st.t(), st.p(), st.v(), st.h(), st.s(), st.u()};
}

using input = double values::*;

struct pair_case {
  const char* name;
  void (steam95::*build)(double, double);
  input first, second;
  std::function<allowance(const sensitivity&)> tolerance;
  bool temperature_first() const { return first == &values::T; }
};

std::vector<pair_case> pairs() {
  return {
      {"T-v", &steam95::at_tv, &values::T, &values::v,
       [](const sensitivity& k) {
         return allowance{1e-12 * k.T, 1e-12 * k.p + 1e-9 * k.dpdrho * k.rho, 1e-12 * k.rho,
                          1e-12 * k.T, 1e-14 * k.v};
       }},
      {"T-h", &steam95::at_th, &values::T, &values::h,
       [](const sensitivity& k) { return temperature_first(k, k.dh_drho, energy_tol); }},
      {"T-s", &steam95::at_ts, &values::T, &values::s,
       [](const sensitivity& k) { return temperature_first(k, k.ds_drho, entropy_tol); }},
      {"T-u", &steam95::at_tu, &values::T, &values::u,
       [](const sensitivity& k) { return temperature_first(k, k.du_drho, energy_tol); }},
      {"p-v", &steam95::at_pv, &values::p, &values::v,
       [](const sensitivity& k) {
         // The density is the input itself; the pressure follows the temperature error.
         allowance a = pressure_first(k, k.dvdt);
         a.rho = 1e-12 * k.rho;
         a.p = a.first = k.dpdt_v * a.T + 1e-12 * k.p;
         a.second = 1e-14 * k.v;
         return a;
       }},
      {"p-h", &steam95::at_ph, &values::p, &values::h,
       [](const sensitivity& k) { return pressure_first(k, k.cp); }},
      {"p-s", &steam95::at_ps, &values::p, &values::s,
       [](const sensitivity& k) { return pressure_first(k, k.cp / k.T); }},
      {"p-u", &steam95::at_pu, &values::p, &values::u,
       [](const sensitivity& k) { return pressure_first(k, k.cp - k.p * k.dvdt * 1000.0); }},
      {"h-s", &steam95::at_hs, &values::h, &values::s,
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
double expected_code(const pair_case& pc, const values& in, const steam95& original) {
  const double side = original.helm().delta() > 1.0 ? quality_subcooled : quality_superheated;
  if (pc.temperature_first()) return in.T >= C::Tt && in.T < C::Tc ? side : quality_indeterminate;
  return in.p >= C::pt && in.p < C::pc ? side : quality_indeterminate;
}

// Inputs that have no answer by design, each with its reason.
const char* refused_by_design(const pair_case& pc, const values& in, const steam95& original) {
  const std::string name = pc.name;
  if (name == "p-v" && original.helm().delta() > 1.0 && in.T < 281.15) {
    return "cold liquid has two temperatures for one volume about its density maximum";
  }
  if (name == "h-s" && in.p < 0.001) return "the pressure search starts at 1 kPa";
  return nullptr;
}

// A margin over the linearised allowance. T, p and ρ come back to 1e-7 relative wherever
// the pair determines the state well; the inputs to the constructor's own tolerance.
constexpr double safety = 10.0;
constexpr double state_floor = 1e-7;
constexpr double input_floor = 1e-12;

void expect_close(const char* what, double got, double want, double allowed, double floor) {
  EXPECT_NEAR(got, want, safety * allowed + floor * std::abs(want)) << what;
}

// Along an isotherm, the energy pairs may have a second answer beyond an extremum of the
// property; the rebuilt state is that answer when the slope has the other sign there.
bool second_answer(const pair_case& pc, const steam95& original, const steam95& rebuilt) {
  if (!pc.temperature_first()) return false;
  const sensitivity a = sensitivity_of(original);
  const sensitivity b = sensitivity_of(rebuilt);
  const auto slope = [&](const sensitivity& k) {
    return pc.second == &values::h ? k.dh_drho : pc.second == &values::u ? k.du_drho : k.ds_drho;
  };
  return pc.second != &values::v && slope(a) * slope(b) < 0;
}

TEST(RoundTrip, EveryPairRebuildsEveryGridState) {
  clear_library_caches();
  for (const auto& g : grid) {
    steam95 original;
    original.at_tp(g.T, g.p);
    values in = values_of(original);
    in.T = g.T;
    in.p = g.p;
    const bool saturation_range = g.T >= C::Tt && g.T <= C::Tc && g.p >= C::pt && g.p <= C::pc;
    EXPECT_EQ(original.x(), !saturation_range               ? quality_indeterminate
                            : original.helm().delta() > 1.0 ? quality_subcooled
                                                            : quality_superheated);
    const sensitivity k = sensitivity_of(original);
    for (const auto& pc : pairs()) {
      SCOPED_TRACE(testing::Message() << pc.name << " at T=" << g.T << " K, p=" << g.p << " MPa");
      steam95 rebuilt;
      if (const char* reason = refused_by_design(pc, in, original)) {
        SCOPED_TRACE(reason);
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
      const values out = values_of(rebuilt);
      const allowance a = pc.tolerance(k);
      expect_close("first input", out.*pc.first, in.*pc.first, a.first, input_floor);
      expect_close("second input", out.*pc.second, in.*pc.second, a.second, input_floor);

      if (rebuilt.two_phase()) {
        // Compressed liquid whose h or u at its temperature lies between the saturated
        // values (and s, in the cold liquid below 4 °C) has a second answer, the wet
        // mixture; the fixed-temperature pairs give the mixture.
        EXPECT_TRUE(pc.temperature_first() && pc.second != &values::v);
        EXPECT_TRUE(pc.second != &values::s || g.T < 277.15);
        EXPECT_EQ(expected_code(pc, in, original), quality_subcooled);
        continue;
      }
      EXPECT_EQ(rebuilt.x(), expected_code(pc, in, original));
      if (second_answer(pc, original, rebuilt)) continue;
      expect_close("T", out.T, in.T, a.T, state_floor);
      expect_close("p", out.p, in.p, a.p, state_floor);
      expect_close("rho", rebuilt.rho(), original.rho(), a.rho, state_floor);
    }
  }
}

}  // namespace
}  // namespace Vantrel
