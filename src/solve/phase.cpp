#include "solve/phase.h"

#include <cmath>
#include <exception>
#include <optional>
#include <stdexcept>

#include "model/constant95.h"
#include "model/errors.h"
#include "solve/density.h"
#include "solve/saturation.h"

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

constexpr int start_budget = 40;
// Relative allowance on the auxiliary saturated densities, well above their error.
constexpr double dome_margin = 1e-2;
constexpr double start_tolerance = 1e-11;  // on the last Newton step, relative
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

bool newton_point(property_selector first, double y1, property_selector second, double y2,
                  double delta0, double tau0, helmholtz_state* state) {
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
    if (std::abs(step_l) <= start_tolerance && std::abs(step_t) <= start_tolerance * t) {
      state->update(d, t);
      return true;
    }
  }
  return false;
}

double density_tp(double theta, double pi, helmholtz_state* state) {
  double delta0 = 0.0;
  if (theta >= 1.0) {
    delta0 = ideal_gas_delta(theta, pi);
  } else {
    double pi_sat = psat_estimate(theta);
    double delta_liq = 0.0;
    double delta_vap = 0.0;
    bool have_sat = false;
    if (std::abs(1.0 - pi_sat / pi) < near_saturation) {
      try {
        pi_sat = helmholtz_psat(theta, delta_liq, delta_vap, state);
        have_sat = true;
      } catch (const std::exception&) {
        // The correlations below still choose a side.
      }
    }
    if (!have_sat) {
      pi_sat = psat_estimate(theta);
      delta_liq = liquid_density_estimate(theta);
      if (pi > dense_vapour) delta_vap = vapour_density_estimate(theta);
    }
    if (pi >= pi_sat && pi >= C::pt / C::pc) {
      delta0 = delta_liq;
    } else {
      delta0 = vapour_start(theta, pi, pi_sat, delta_vap);
    }
  }
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
  const double tau = 1.0 / theta;
  state->update(delta_vap, tau);
  const double y_vap = (state->*property)();
  state->update(delta_liq, tau);
  const double y_liq = (state->*property)();
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
    const double tau = 1.0 / theta_sat;
    state->update(delta2, tau);
    const double y_vap = (state->*property)();
    state->update(delta1, tau);
    const double y_liq = (state->*property)();
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

}  // namespace Vantrel
