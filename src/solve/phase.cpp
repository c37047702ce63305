#include "solve/phase.h"

#include <cmath>
#include <exception>
#include <stdexcept>

#include "model/constant95.h"
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
  // p in kPa over R·T, in units of ρc.
  return (pi * C::pc * 1000.0) / (C::R * C::Tc * theta) / C::rhoc;
}

// A vapour-side start: the ideal gas, blended toward the saturated vapour in proportion to
// the pressure when the vapour is dense.
double vapour_start(double theta, double pi, double pi_sat, double delta_vap) {
  const double ideal = ideal_gas_delta(theta, pi);
  if (pi > dense_vapour) return ideal + (delta_vap - ideal) * (pi / pi_sat);
  return ideal;
}

}  // namespace

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
  theta = solver.solve(theta_lo, theta_hi, f.residual(y_lo), f.residual(y_hi));
  // Once more at the root, so that the state and the density belong to it.
  f.value(theta);
  delta1 = delta2 = f.density;
  return code;
}

}  // namespace Vantrel
