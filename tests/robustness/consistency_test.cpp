// Thermodynamic consistency over a grid of single-phase states. Nothing here trusts the
// derivative formulas: the exact identities between properties must hold to rounding, and every
// derivative property must agree with a central difference of plain state values (T, p, v, h,
// u, s) taken from states that the constructors build at neighbouring inputs.
#include <gtest/gtest.h>

#include <cmath>
#include <exception>
#include <limits>

#include "model/helmholtz.h"
#include "model/steam95.h"
#include "properties/ice.h"

namespace Vantrel {
namespace {

// Temperatures (K) and pressures (MPa) spanning compressed liquid, dense and dilute vapour and
// supercritical fluid. Points within 3 % of the saturation pressure and the critical region
// are left out: there the differences below straddle a phase boundary or the derivatives
// diverge.
constexpr double grid_T[] = {280.0, 350.0, 450.0, 550.0, 640.0, 700.0, 900.0, 1500.0};
constexpr double grid_p[] = {0.01, 0.1, 1.0, 5.0, 15.0, 40.0, 200.0, 1000.0};

// A state built by one of the constructors from its two inputs.
steam95 built(void (steam95::*constructor)(double, double), double a, double b) {
  steam95 s;
  (s.*constructor)(a, b);
  return s;
}

steam95 tp(double T, double p) {
  return built(&steam95::at_tp, T, p);
}

bool away_from_boundaries(double T, double p) {
  if (T < 647.096) {
    const double ps = built(&steam95::at_tsat, T, 0.0).p();
    if (std::abs(p / ps - 1.0) < 0.03) return false;
    // The isochore through a compressed liquid loses up to 0.1 MPa over the temperature step
    // below; closer to saturation it would cross into the two-phase region.
    if (p > ps && p < ps + 0.15) return false;
  }
  // The pressure-first constructors search no lower than the melting temperature (less a
  // margin), so a liquid below the ice boundary has no isenthalp to follow.
  if (p >= 0.000611657 && T < ice::melt_temperature(p).quantity + 1.0) return false;
  // The critical region, where (∂p/∂ρ)_T vanishes.
  return !(std::abs(T / 647.096 - 1.0) < 0.03 && std::abs(p / 22.064 - 1.0) < 0.3);
}

template <class Check>
void for_each_state(Check check) {
  int visited = 0;
  for (double T : grid_T) {
    for (double p : grid_p) {
      if (!away_from_boundaries(T, p)) continue;
      SCOPED_TRACE(testing::Message() << "T=" << T << " K, p=" << p << " MPa");
      try {
        steam95 s;
        s.at_tp(T, p);
        check(s, T, p);
      } catch (const std::exception& e) {
        ADD_FAILURE() << "exception " << e.what();
      }
      ++visited;
    }
  }
  EXPECT_GT(visited, 50);
}

// Richardson-extrapolated central difference: (4·D(h/2) − D(h))/3 cancels the h² term, so the
// truncation error is O(h⁴) and the steps can be large enough for the solver tolerance (the
// density finder stops at 1e-8 in relative pressure) to stay small against the difference.
template <class F>
double derivative(F f, double x, double h) {
  const double d1 = (f(x + h) - f(x - h)) / (2.0 * h);
  const double d2 = (f(x + h / 2) - f(x - h / 2)) / h;
  return (4.0 * d2 - d1) / 3.0;
}

// Identities that hold exactly between the property formulas, so only rounding separates the
// two sides. The energies are compared against the size of their largest term, since
// g = h − T·s cancels most digits in the liquid. cp − cv = T·v·α²/κ and w² = (cp/cv)·(∂p/∂ρ)_T
// with (∂p/∂ρ)_T = 1/(ρ·κ) are identities of the Helmholtz derivatives, good to 1e-10.
TEST(Consistency, ExactIdentitiesBetweenProperties) {
  for_each_state([](const steam95& s, double T, double p) {
    const double scale = std::abs(s.h()) + std::abs(T * s.s()) + 1.0;
    EXPECT_NEAR(s.g(), s.h() - T * s.s(), 1e-12 * scale);
    EXPECT_NEAR(s.a(), s.u() - T * s.s(), 1e-12 * scale);
    // The state's own pressure, which the density search matched to the input to 1e-8.
    const double ps = s.p();
    EXPECT_NEAR(ps, p, 1e-8 * p);
    EXPECT_NEAR(s.h(), s.u() + ps * s.v() * 1000.0, 1e-12 * scale);  // MPa·m³/kg = 1000 kJ/kg
    const double cp = s.cp(), cv = s.cv(), kappa = s.kappa(), alpha = s.alpha();
    EXPECT_NEAR(cp - cv, 1000.0 * T * s.v() * alpha * alpha / kappa, 1e-10 * cp);
    const double w2 = (cp / cv) / (s.rho() * kappa) * 1e6;  // MPa·m³/kg = 1e6 m²/s²
    EXPECT_NEAR(s.w() * s.w(), w2, 1e-10 * w2);
  });
}

// Derivatives along an isobar and an isotherm against differences of v and h from at_tp. With
// cp, cv and w checked, the identities above pin κ and α² as well.
// Steps: 0.2 % of T and 0.2 % of p. With the fourth-order difference the truncation error is
// below 1e-9 relative; the solver tolerance (relative pressure 1e-8, hence a density error of at
// most 1e-8 relative) over a step of 0.2 % costs at most 1e-8/0.002 = 5e-6. The tolerance
// 2e-5 relative covers both with margin.
TEST(Consistency, IsobaricAndIsothermalDerivativesMatchDifferences) {
  for_each_state([](const steam95& s, double T, double p) {
    const double dT = 0.002 * T, dp = 0.002 * p;
    const auto v_t = [p](double t) { return tp(t, p).v(); };
    const auto v_p = [T](double q) { return tp(T, q).v(); };
    const auto h_t = [p](double t) { return tp(t, p).h(); };
    const auto h_p = [T](double q) { return tp(T, q).h(); };
    constexpr double tol = 2e-5;
    const double dvdt = derivative(v_t, T, dT);
    EXPECT_NEAR(s.dvdt(), dvdt, tol * std::abs(dvdt) + 1e-12 * s.v());
    EXPECT_NEAR(s.alpha(), dvdt / s.v(), tol * std::abs(dvdt / s.v()) + 1e-12);
    const double dvdp = derivative(v_p, p, dp);
    EXPECT_NEAR(s.dvdp(), dvdp, tol * std::abs(dvdp));
    const double cp = derivative(h_t, T, dT);
    EXPECT_NEAR(s.cp(), cp, tol * cp);
    const double cjtt = derivative(h_p, p, dp);
    EXPECT_NEAR(s.cjtt(), cjtt, tol * std::abs(cjtt) + 1e-6 * s.v() * 1000.0);
  });
}

// The Joule-Thomson coefficient (∂T/∂p)_h against T along an isenthalp built by at_ph, and
// (∂p/∂T)_v along an isochore built by at_tv. at_tv takes the density as
// given, so the isochore carries no solver error; at_ph carries the temperature search's error,
// which stays below 1e-9 relative in T, so the isenthalp difference over 0.5 % of p is good to
// about 1e-9·T/(0.005·p·|μ|). The tolerance adds that to 2e-5 relative.
TEST(Consistency, IsenthalpicAndIsochoricDerivativesMatchDifferences) {
  // Brent's method on θ stops within 1e-8 of the root: 1e-8·Tc in temperature.
  constexpr double temperature_search_error = 1e-8 * 647.096;
  for_each_state([](const steam95& s, double T, double p) {
    const double h = s.h(), v = s.v();
    const double dp = 0.02 * p, dT = 1e-4 * T;
    const auto t_along_h = [h](double q) { return built(&steam95::at_ph, q, h).t(); };
    const double cjth = derivative(t_along_h, p, dp);
    EXPECT_NEAR(s.cjth(), cjth, 2e-5 * std::abs(cjth) + 3.0 * temperature_search_error / dp);
    const auto p_along_v = [v](double t) { return built(&steam95::at_tv, t, v).p(); };
    const double dpdt = derivative(p_along_v, T, dT);
    EXPECT_NEAR(s.dpdt(), dpdt, 2e-5 * std::abs(dpdt));
  });
}

// How far the pressure computed at a saturated phase's density may lie from the line's pressure.
// The saturation solver settles each density to within a few tens of units in the last place of
// its root, which moves p by that many times ε·ρ·(∂p/∂ρ)_T; 128 of them are allowed. On top comes
// the rounding scatter of p itself at a fixed density, measured here as the largest departure of
// p over ±64 units in the last place of δ from the tangent line through the state. For a liquid
// that scatter is far larger than ε·ρ·(∂p/∂ρ)_T, up to about 150 times it near the triple point,
// because its pressure is the small remainder of residual terms that are each much larger.
double pressure_noise(const steam95& s) {
  helmholtz_state h = s.helm();
  const double delta = h.delta(), tau = h.tau(), p = s.p();
  const double slope = 1.0 / s.kappa();  // ρ·(∂p/∂ρ)_T, MPa
  constexpr double ulp = std::numeric_limits<double>::epsilon();
  double scatter = 0.0;
  for (int i = -64; i <= 64; ++i) {
    h.update(delta * (1 + i * ulp), tau);
    scatter = std::fmax(scatter, std::abs(h.p() - p - slope * i * ulp));
  }
  return 128 * ulp * slope + 3 * scatter;
}

// Along the whole saturation line, every kelvin from the triple point to the critical point,
// the two phases have equal pressure and Gibbs free energy. The pressures agree to the noise of
// both phases' pressures, which is about 3e-7 of p at the triple point but below 1e-9 of p from
// about 365 K up, so that a pressure one phase carried 1e-9 off would fail there. The saturation
// solver matches the Gibbs free energies to about 1e-9 relative.
TEST(Consistency, SaturatedPhasesAreInEquilibrium) {
  for (double T = 273.16; T < 647.096; T += 1.0) {
    SCOPED_TRACE(testing::Message() << "T=" << T << " K");
    steam95 liq, vap;
    liq.at_tsat(T, 0.0);
    vap.at_tsat(T, 1.0);
    EXPECT_NEAR(liq.p(), vap.p(), pressure_noise(liq) + pressure_noise(vap));
    const double scale = std::abs(vap.h()) + std::abs(T * vap.s());
    EXPECT_NEAR(liq.g(), vap.g(), 1e-9 * scale);
  }
}

}  // namespace
}  // namespace Vantrel
