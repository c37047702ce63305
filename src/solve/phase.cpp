#include "solve/phase.h"

#include <cmath>
#include <exception>
#include <optional>
#include <stdexcept>

#include "model/constant95.h"
#include "model/errors.h"
#include "properties/ice.h"
#include "solve/density.h"
#include "solve/if97_start.h"
#include "solve/saturation.h"
#include "solve/saturation_fit.h"
#include "solve/saturation_table.h"

namespace Vantrel {

namespace {

using C = constant95;

// Within this relative distance of the estimated saturation pressure the estimate cannot be
// trusted to pick the branch, and the full saturation solve decides.
constexpr double near_saturation = 0.05;
// Above this reduced pressure a vapour start is moved toward the saturated vapour; below it
// the ideal gas is close enough.
constexpr double dense_vapour = 0.1;

double ideal_gas_delta(double theta, double pi) {
  // p over R·T, in units of ρc.
  return C::zc * pi / theta;
}

// A vapour-side start: the ideal gas, blended toward the saturated vapour in proportion to
// the pressure when the vapour is dense.
double vapour_start(double theta, double pi, double pi_sat, double delta_vap) {
  const double ideal = ideal_gas_delta(theta, pi);
  if (pi > dense_vapour) return ideal + (delta_vap - ideal) * (pi / pi_sat);
  return ideal;
}

// A property's values at the saturated liquid and the saturated vapour.
struct saturated_pair {
  double liquid, vapour;
};

// A property of the Helmholtz state at its point with its derivatives by δ and by τ.
struct slope2 {
  double value, by_delta, by_tau;
};

slope2 pressure_slopes(const helmholtz_state& s) {
  const double d = s.delta(), t = s.tau();
  constexpr double K = C::rhoc * C::R * C::Tc * 0.001;  // p = K·(δ + δ²φʳ_δ)/τ, MPa
  const double z = d + d * d * s.phir_d();
  return {K * z / t, K * (1 + 2 * d * s.phir_d() + d * d * s.phir_dd()) / t,
          K * (d * d * s.phir_dt() / t - z / (t * t))};
}

// A null selector stands for the pressure in MPa.
slope2 property_slopes(const helmholtz_state& s, property_selector property) {
  const double d = s.delta(), t = s.tau();
  constexpr double RTc = C::R * C::Tc;
  if (property == nullptr) return pressure_slopes(s);
  if (property == &helmholtz_state::v) return {s.v(), -1 / (C::rhoc * d * d), 0};
  const double phi_tt = s.phi0_tt() + s.phir_tt();
  if (property == &helmholtz_state::u) return {s.u(), RTc * s.phir_dt(), RTc * phi_tt};
  if (property == &helmholtz_state::h) {
    return {s.h(), RTc * (s.phir_dt() + (s.phir_d() + d * s.phir_dd()) / t),
            RTc * (phi_tt + d * s.phir_dt() / t - (1 + d * s.phir_d()) / (t * t))};
  }
  return {s.s(), C::R * (t * s.phir_dt() - 1 / d - s.phir_d()), C::R * t * phi_tt};
}

}  // namespace

double property_by_delta(const helmholtz_state& state, property_selector property) {
  state.fill_all();
  return property_slopes(state, property).by_delta;
}

namespace {

constexpr int start_budget = 40;
// Relative allowance on the auxiliary saturated densities, well above their error.
constexpr double dome_margin = 1e-2;
// Half-width of the temperature interval around a Newton start, relative: far narrower than
// the temperature search's tolerance, so that Brent's method accepts it at once with either
// end as good as the start itself, and wide enough that the relative residual changes sign
// across it well above its rounding noise.
constexpr double start_width = 1e-12;

// A point (θ, δ) of a temperature search: a start or the state found from it.
struct search_point {
  double theta, delta;
};

// The interval of θ that a temperature search covers.
struct theta_range {
  double lo, hi;
};

// The state at f's pressure whose property equals f's target, by newton_point from `from`.
// Found when it settles strictly inside the range on the stable part of an isotherm, on the
// side that f's phase code names below Tc. The state f moves is scratch.
std::optional<search_point> newton_start(const helmholtz_pfunction<helmholtz_state>& f,
                                         theta_range range, search_point from) {
  helmholtz_state* state = f.state;
  if (!newton_point(nullptr, f.pressure * C::pc, f.property, f.target, from.delta, 1 / from.theta,
                    state)) {
    return std::nullopt;
  }
  const search_point found{1 / state->tau(), state->delta()};
  const double theta = found.theta, delta = found.delta;
  if (!(theta > range.lo && theta < range.hi) || !(state->dpdrho_r() > 0)) return std::nullopt;
  // Below Tc, the equation of state also meets p and y on the loops of an isotherm between its
  // saturated densities, where no state exists: a point clearly inside that band is no start.
  if (theta < 1 && delta > vapour_density_estimate(theta) * (1 + dome_margin) &&
      delta < liquid_density_estimate(theta) * (1 - dome_margin)) {
    return std::nullopt;
  }
  if (theta < 1 && f.side == quality_superheated && !(delta < 1)) return std::nullopt;
  if (theta < 1 && f.side == quality_subcooled && !(delta > 1)) return std::nullopt;
  return found;
}

}  // namespace

namespace {

// The property's values on the two sides of the line at θ, from the fitted line where its proof
// holds (h, s and u; the volumes from the densities), else from the equation of state at the
// saturated densities.
saturated_pair saturated_values(double theta, double delta_liq, double delta_vap,
                                property_selector property, helmholtz_state* state) {
  if (property == &helmholtz_state::v) {
    return {1 / (C::rhoc * delta_liq), 1 / (C::rhoc * delta_vap)};
  }
  if (saturated_energies e{}; fitted_saturation_energies(theta, e)) {
    if (property == &helmholtz_state::h) return {e.h_liq, e.h_vap};
    if (property == &helmholtz_state::s) return {e.s_liq, e.s_vap};
    if (property == &helmholtz_state::u) return {e.u_liq, e.u_vap};
  }
  const double tau = 1.0 / theta;
  state->update(delta_vap, tau);
  const double y_vap = (state->*property)();
  state->update(delta_liq, tau);
  return {(state->*property)(), y_vap};
}

}  // namespace

bool newton_point(property_selector first, double y1, property_selector second, double y2,
                  double delta0, double tau0, helmholtz_state* state, double tolerance,
                  newton_end* end) {
  double d = delta0, t = tau0;
  for (int i = 0; i < start_budget; ++i) {
    state->update(d, t);
    // The two slopes read five or six of the residual cells: one sweep fills them all.
    state->fill_all();
    const slope2 f1 = property_slopes(*state, first);
    const slope2 f2 = property_slopes(*state, second);
    const double r1 = f1.value - y1, r2 = f2.value - y2;
    const double det = f1.by_delta * f2.by_tau - f1.by_tau * f2.by_delta;
    if (!(std::abs(det) > 0)) return false;
    // The step in ln δ, so that a dilute vapour is reached in a few steps.
    double step_l = -(r1 * f2.by_tau - r2 * f1.by_tau) / det / d;
    double step_t = -(f1.by_delta * r2 - f2.by_delta * r1) / det;
    const double scale =
        std::fmin(1.0, std::fmin(1.0 / std::abs(step_l), 0.2 * t / std::abs(step_t)));
    step_l *= scale;
    step_t *= scale;
    d *= std::exp(step_l);
    t += step_t;
    if (!(d > 0 && t > 0 && std::isfinite(d) && std::isfinite(t))) return false;
    if (std::abs(step_l) <= tolerance && std::abs(step_t) <= tolerance * t) {
      if (end != nullptr) *end = {state->p(), state->dpdrho_r()};
      state->update(d, t);
      return true;
    }
  }
  return false;
}

double density_tp(double theta, double pi, helmholtz_state* state, bool* settled) {
  if (settled != nullptr) *settled = false;
  start_side side = start_side::any;
  double pi_sat = 0.0;
  double delta_liq = 0.0;
  double delta_vap = 0.0;
  bool have_sat = false;
  if (theta < 1.0) {
    pi_sat = psat_estimate(theta);
    if (std::abs(1.0 - pi_sat / pi) < near_saturation) {
      try {
        pi_sat = helmholtz_psat(theta, delta_liq, delta_vap, state);
        have_sat = true;
      } catch (const std::exception&) {
        pi_sat = psat_estimate(theta);  // the correlations still choose a side
      }
    }
    side = pi >= pi_sat && pi >= C::pt / C::pc ? start_side::liquid : start_side::vapour;
  }
  // IF97's density is within a few parts in 1e4 of the answer on the side chosen; Newton's
  // method finishes from there, and the searches from the estimates take over where it does not.
  if (double rho = 0; if97_density_start(theta * C::Tc, pi * C::pc, side, rho)) {
    double delta = rho / C::rhoc;
    const bool on_side = side == start_side::any || (side == start_side::liquid) == (delta > 1.0);
    if (on_side && dfind_newton(delta, theta, pi, state)) {
      if (settled != nullptr) *settled = true;
      return delta;
    }
  }
  if (side == start_side::any) return dfind(ideal_gas_delta(theta, pi), theta, pi, state);
  if (!have_sat) {
    delta_liq = liquid_density_estimate(theta);
    if (pi > dense_vapour) delta_vap = vapour_density_estimate(theta);
  }
  const double delta0 =
      side == start_side::liquid ? delta_liq : vapour_start(theta, pi, pi_sat, delta_vap);
  return dfind(delta0, theta, pi, state);
}

double density_tp_on_side(double theta, double pi, double code, helmholtz_state* state) {
  if (theta >= 1.0 || (code != quality_superheated && code != quality_subcooled)) {
    return density_tp(theta, pi, state);
  }
  const double delta0 = code == quality_subcooled ? liquid_density_estimate(theta)
                                                  : vapour_start(theta, pi, psat_estimate(theta),
                                                                 vapour_density_estimate(theta));
  return dfind(delta0, theta, pi, state);
}

double quality_at_t(double theta, double y, property_selector property, double& pi,
                    double& delta_liq, double& delta_vap, helmholtz_state* state) {
  if (theta >= 1.0 || theta < C::Tt / C::Tc) return quality_indeterminate;
  pi = helmholtz_psat(theta, delta_liq, delta_vap, state);
  const auto [y_liq, y_vap] = saturated_values(theta, delta_liq, delta_vap, property, state);
  if (y >= y_vap) return quality_superheated;
  if (y <= y_liq) return quality_subcooled;
  return (y - y_liq) / (y_vap - y_liq);
}

namespace {

// The temperature search from a near-exact start: a Newton start at the saturated state of
// the code's side (or, without one, between the ends of the range), then Brent's method on
// the interval of ±1e-12 around it, which it accepts at once. False when the start fails or
// the residual does not change sign across that interval; the caller then searches the
// whole range.
bool near_root(helmholtz_pfunction<helmholtz_state>& f, brent_solver& solver, double code,
               double theta_lo, double theta_hi, double delta_liq, double delta_vap,
               double& theta) {
  double theta0 = 0, delta0 = 0;
  if (code == quality_superheated || code == quality_subcooled) {
    theta0 = code == quality_superheated ? theta_lo : theta_hi;
    delta0 = code == quality_superheated ? delta_vap : delta_liq;
  } else {
    theta0 = std::sqrt(theta_lo * theta_hi);
    delta0 = std::fmin(ideal_gas_delta(theta0, f.pressure), 3.0);
  }
  const std::optional<search_point> start = newton_start(f, {theta_lo, theta_hi}, {theta0, delta0});
  if (!start) return false;
  try {
    f.guess = start->delta;
    return solve_if_bracketed(solver, start->theta * (1 - start_width),
                              start->theta * (1 + start_width), theta);
  } catch (const convergence_error&) {
    return false;
  }
}

}  // namespace

double helmholtz_tfind(double theta_lo, double theta_hi, double pi, double y,
                       property_selector property, double& theta, double& delta1, double& delta2,
                       helmholtz_state* state) {
  density_tp(theta_hi, pi, state);
  double y_hi = (state->*property)();
  density_tp(theta_lo, pi, state);
  double y_lo = (state->*property)();
  if (y > y_hi || y < y_lo) throw std::domain_error("helmholtz_tfind");

  double code = quality_indeterminate;
  if (pi < 1.0 && pi >= C::pt / C::pc) {
    const double theta_sat = helmholtz_tsat(pi, delta1, delta2, state);
    theta = theta_sat;
    const auto [y_liq, y_vap] = saturated_values(theta_sat, delta1, delta2, property, state);
    if (y >= y_vap) {
      code = quality_superheated;
      theta_lo = theta_sat;
      y_lo = y_vap;
    } else if (y > y_liq) {
      return (y - y_liq) / (y_vap - y_liq);
    } else {
      code = quality_subcooled;
      theta_hi = theta_sat;
      y_hi = y_liq;
    }
  }

  helmholtz_pfunction<helmholtz_state> f(pi, y, property, state, code);
  brent_solver solver(&f, 0.0, 1e-8, 100);
  if (!near_root(f, solver, code, theta_lo, theta_hi, delta1, delta2, theta)) {
    f.guess = 0.0;
    theta = solver.solve(theta_lo, theta_hi, f.residual(y_lo), f.residual(y_hi));
  }
  // Once more at the root, so that the state and the density belong to it.
  f.value(theta);
  delta1 = delta2 = f.density;
  return code;
}

namespace {

// The last Newton step of a flash, relative. Newton's method converges quadratically, so the
// step after one of this size would be some parts in 1e14 (more next to the critical point,
// where the equation of state bends sharply, yet far inside the 1e-8 of the searches).
constexpr double flash_tolerance = 1e-7;

// Whether θ lies inside the temperature range of the pressure-first searches at π: above the ice
// boundary less the metastable margin, below 5000 K. Up to the pressure of ice III no ice melts
// above the triple point, so a state above the triple-point temperature needs no ice boundary.
bool in_search_range(double theta, double pi) {
  if (theta * C::Tc > C::Tt && pi * C::pc < ice::p_III) return theta < C::T_max / C::Tc;
  double theta_lo = 0, theta_hi = 0;
  ice::temperature_bounds(pi, theta_lo, theta_hi, metastable_margin);
  return theta > theta_lo && theta < theta_hi;
}

// A point of the saturation line: θ and the two densities.
struct line_point {
  double theta, delta_liq, delta_vap;
};

// A value strictly between the saturated ones is a mixture on the line: its vapour fraction in
// code, the line's θ and densities in theta, delta1 (δ′) and delta2 (δ″).
bool wet_on_line(double y, saturated_pair sat, line_point line, double& code, double& theta,
                 double& delta1, double& delta2) {
  if (!(y < sat.vapour && y > sat.liquid)) return false;
  code = (y - sat.liquid) / (sat.vapour - sat.liquid);
  theta = line.theta;
  delta1 = line.delta_liq;
  delta2 = line.delta_vap;
  return true;
}

// Below Tc every single-phase state lies on one side of the line: the vapour above the
// saturation temperature and below the saturated vapour's density, the liquid the other way.
bool on_side(double code, double theta, double delta, double theta_sat, double delta_liq,
             double delta_vap) {
  if (code == quality_superheated) return theta >= theta_sat && delta <= delta_vap;
  if (code == quality_subcooled) return theta <= theta_sat && delta >= delta_liq;
  return true;
}

bool start_for(property_selector property, double p, double y, start_side side,
               flash_start& start) {
  if (property == &helmholtz_state::h) return if97_ph_start(p, y, side, start);
  if (property == &helmholtz_state::s) return if97_ps_start(p, y, side, start);
  if (property == &helmholtz_state::u) return if97_pu_start(p, y, side, start);
  return false;
}

}  // namespace

bool started_tfind(double pi, double y, property_selector property, double& code, double& theta,
                   double& delta1, double& delta2, helmholtz_state* state) {
  double theta_sat = 0, delta_liq = 0, delta_vap = 0;
  double side_code = quality_indeterminate;
  start_side side = start_side::any;
  if (pi < 1.0 && pi >= C::pt / C::pc) {
    theta_sat = helmholtz_tsat(pi, delta_liq, delta_vap, state);
    const auto [y_liq, y_vap] = saturated_values(theta_sat, delta_liq, delta_vap, property, state);
    if (wet_on_line(y, {y_liq, y_vap}, {theta_sat, delta_liq, delta_vap}, code, theta, delta1,
                    delta2)) {
      return true;
    }
    side_code = y >= y_vap ? quality_superheated : quality_subcooled;
    side = y >= y_vap ? start_side::vapour : start_side::liquid;
  }
  flash_start start;
  if (!start_for(property, pi * C::pc, y, side, start)) return false;
  newton_end end;
  if (!newton_point(nullptr, pi * C::pc, property, y, start.rho / C::rhoc, C::Tc / start.T, state,
                    flash_tolerance, &end)) {
    return false;
  }
  const double found_theta = 1.0 / state->tau(), delta = state->delta();
  if (!in_search_range(found_theta, pi) || !(end.dpdrho_r > 0) ||
      !on_side(side_code, found_theta, delta, theta_sat, delta_liq, delta_vap)) {
    return false;
  }
  code = side_code;
  theta = found_theta;
  delta1 = delta2 = delta;
  return true;
}

namespace {

// Below this temperature an isochore of cold liquid can cross an isobar twice, around the
// density maximum; above it (∂v/∂T)_p > 0 along every isobar of the range.
constexpr double cold_liquid_theta = 290.0 / C::Tc;
// Secant steps on IF97's liquid volume, and where they stop (K): IF97's own tolerance in T.
constexpr int liquid_secant_budget = 8;
constexpr double liquid_secant_tolerance = 1e-3;
// Denser than every vapour below the triple-point pressure, by orders of magnitude.
constexpr double dilute_limit = 0.01;

// Whether θ lies strictly inside the temperature range of p-v at π: the ice boundary without
// margin, to 5000 K.
bool in_volume_range(double theta, double pi) {
  if (theta * C::Tc > C::Tt && pi * C::pc < ice::p_III) return theta < C::T_max / C::Tc;
  double theta_lo = 0, theta_hi = 0;
  ice::temperature_bounds(pi, theta_lo, theta_hi, 0.0);
  return theta > theta_lo && theta < theta_hi;
}

// A subcooled liquid's temperature at (p, v) from IF97's liquid volume, within IF97's tolerance
// of IAPWS-95's: secant steps from the saturation temperature toward the cold end of the range,
// where the isochore's Newton steps would otherwise need several steps across a strongly curved
// stretch. False, leaving T alone, where IF97 gives no volume or the steps leave the range.
bool liquid_volume_start(double p, double v, double T_sat, double& T) {
  double Ta = T_sat, Tb = 0.5 * (T_sat + cold_liquid_theta * C::Tc);
  double rho = 0;
  if (!if97_density_start(Ta, p, start_side::liquid, rho)) return false;
  double va = 1 / rho;
  for (int i = 0; i < liquid_secant_budget; ++i) {
    if (!if97_density_start(Tb, p, start_side::liquid, rho)) return false;
    const double vb = 1 / rho;
    if (!(vb != va)) return false;
    const double T_next = Tb - (vb - v) * (Tb - Ta) / (vb - va);
    if (!(T_next > cold_liquid_theta * C::Tc && T_next < T_sat)) return false;
    Ta = Tb;
    va = vb;
    Tb = T_next;
    if (std::abs(Tb - Ta) < liquid_secant_tolerance) {
      T = Tb;
      return true;
    }
  }
  return false;
}

}  // namespace

bool started_pv(double pi, double v, double& code, double& theta, double& delta1, double& delta2,
                helmholtz_state* state) {
  const double delta = 1 / (C::rhoc * v);
  const double p = pi * C::pc;
  double theta_sat = 0, delta_liq = 0, delta_vap = 0;
  double side_code = quality_indeterminate;
  // Along an isochore the real gas is below the ideal gas's pressure, so the ideal gas's
  // temperature starts Newton's method from below; a denser state starts on the line or at Tc.
  double theta0 = std::fmax(ideal_gas_delta(1.0, pi) / delta, 1.0);
  if (pi < C::pt / C::pc) {
    if (!(delta < dilute_limit)) return false;
    theta0 = ideal_gas_delta(1.0, pi) / delta;
  } else if (pi < 1.0) {
    theta_sat = helmholtz_tsat(pi, delta_liq, delta_vap, state);
    // Below 290 K the range's coldest liquid may be denser than the saturated liquid.
    if (theta_sat < cold_liquid_theta) return false;
    const double v_liq = 1 / (C::rhoc * delta_liq), v_vap = 1 / (C::rhoc * delta_vap);
    if (wet_on_line(v, {v_liq, v_vap}, {theta_sat, delta_liq, delta_vap}, code, theta, delta1,
                    delta2)) {
      return true;
    }
    side_code = v >= v_vap ? quality_superheated : quality_subcooled;
    theta0 = side_code == quality_superheated
                 ? std::fmax(theta_sat, ideal_gas_delta(1.0, pi) / delta)
                 : theta_sat;
    if (double T = 0;
        side_code == quality_subcooled && liquid_volume_start(p, v, theta_sat * C::Tc, T)) {
      theta0 = T / C::Tc;
    }
  }
  // Newton's method in θ: an isochore's pressure is close to linear in T, in the liquid and
  // the gas alike.
  double theta_n = theta0;
  bool settled = false;
  double dpdrho_r = 0;
  for (int i = 0; i < start_budget && !settled; ++i) {
    const double tau = 1 / theta_n;
    state->update(delta, tau);
    state->fill_all();
    const slope2 f = pressure_slopes(*state);
    // (∂p/∂τ)_δ < 0 is (∂p/∂T)_ρ > 0: where it is not, p meets the isobar more than once.
    if (!(f.by_tau < 0)) return false;
    double step = (f.value - p) / (f.by_tau * tau * tau);
    if (std::abs(step) > 0.5 * theta_n) step = std::copysign(0.5 * theta_n, step);
    theta_n += step;
    if (!(theta_n > 0 && std::isfinite(theta_n))) return false;
    settled = std::abs(step) <= flash_tolerance * theta_n;
    dpdrho_r = state->dpdrho_r();
  }
  const double tau = 1 / theta_n;
  if (!settled) return false;
  const double found = 1 / tau;
  if (!in_volume_range(found, pi) || !(dpdrho_r > 0)) return false;
  if (found < cold_liquid_theta && delta > dilute_limit) return false;
  if (!on_side(side_code, found, delta, theta_sat, delta_liq, delta_vap)) return false;
  state->update(delta, tau);
  code = side_code;
  theta = found;
  delta1 = delta2 = delta;
  return true;
}

bool started_hs(double h, double s, double& code, helmholtz_state* state) {
  double p0 = 0;
  flash_start start;
  if (!if97_hs_start(h, s, p0, start)) return false;
  newton_end end;
  if (!newton_point(&helmholtz_state::h, h, &helmholtz_state::s, s, start.rho / C::rhoc,
                    C::Tc / start.T, state, flash_tolerance, &end)) {
    return false;
  }
  // The pressure and the slope of the last point evaluated, a step shorter than the tolerance
  // from the answer, decide the range and the side; on the critical isobar, where the side
  // follows the last digits of p, the pressure is read at the answer itself.
  const double delta = state->delta(), theta = 1.0 / state->tau();
  const double p = std::abs(end.p / C::pc - 1.0) < 1e-6 ? state->p() : end.p, pi = p / C::pc;
  if (!(p >= C::pt && p <= C::p_max) || !(end.dpdrho_r > 0)) return false;
  if (!in_search_range(theta, pi)) return false;
  code = quality_indeterminate;
  if (pi < 1.0) {
    double delta_liq = 0, delta_vap = 0;
    helmholtz_state scratch;
    const double theta_sat = helmholtz_tsat(pi, delta_liq, delta_vap, &scratch);
    code = theta > theta_sat ? quality_superheated : quality_subcooled;
    if (!on_side(code, theta, delta, theta_sat, delta_liq, delta_vap)) return false;
  }
  return true;
}

namespace {

// h less the enthalpy that the lever rule by s gives at θ. Along the line at fixed s that enthalpy
// grows with θ, by (s − s′) + v′·dp/dT, for as long as s lies between s′ and s″; above the θ where
// s leaves that band the function answers −1, "too high", so that it falls through the whole
// range and its one root is where the two vapour fractions agree.
class wet_hs_function : public univariate_function<double, double> {
 public:
  wet_hs_function(double h, double s) : h_(h), s_(s) {}

  double value(const double& theta) override {
    saturated_energies e{};
    if (!fitted_saturation_energies(theta, e)) throw convergence_error("started_wet_hs");
    x = (s_ - e.s_liq) / (e.s_vap - e.s_liq);
    if (!(x >= 0.0 && x <= 1.0)) return -1.0;
    return h_ - (e.h_liq + x * (e.h_vap - e.h_liq));
  }

  double x = 0.0;  // the fraction by s at the last θ evaluated

 private:
  double h_, s_;
};

// Relative half-width of the interval around IF97's saturation temperature of (h, s), well
// beyond the difference between the two formulations' lines.
constexpr double wet_start_width = 1e-4;
// How closely the lever rule must meet h at the root, kJ/kg: the fit's own accuracy, with room.
constexpr double wet_tolerance = 1e-8;

}  // namespace

bool started_wet_hs(double h, double s, double& theta, double& x) {
  // The proven line, from the triple point to its edge next to the critical point.
  const double lowest = C::Tt / C::Tc;
  const double highest = 1.0 - saturation_table::proven_from * saturation_table::proven_from;
  wet_hs_function f(h, s);
  brent_solver solver(&f, 0.0, 1e-14, 100);
  try {
    double root = 0;
    const double start = if97_wet_temperature(h, s) / C::Tc;
    const bool near = start > lowest && start < highest &&
                      solve_if_bracketed(solver, std::fmax(lowest, start * (1 - wet_start_width)),
                                         std::fmin(highest, start * (1 + wet_start_width)), root);
    if (!near && !solve_if_bracketed(solver, lowest, highest, root)) return false;
    // The root of a state beyond the dome is the edge of the band, where h is not met.
    if (!(std::abs(f.value(root)) <= wet_tolerance) || !(f.x > 0.0 && f.x < 1.0)) return false;
    theta = root;
    x = f.x;
    return true;
  } catch (const convergence_error&) {
    return false;
  }
}

}  // namespace Vantrel
