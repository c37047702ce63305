#pragma once
// The liquid–vapour saturation line of the IAPWS-95 formulation itself: the fitted line of
// solve/saturation_fit.h wherever its proof holds, and elsewhere the equal fugacity of the two
// phases at one temperature and pressure, with both densities from the density finder, started
// from the fit or from cheap published correlations. All quantities are reduced: θ = T/Tc,
// π = p/pc, δ = ρ/ρc.
#include <cmath>

#include "model/helmholtz.h"
#include "solve/caches.h"
#include "solve/density.h"
#include "solve/solver.h"

namespace Vantrel {

// Saturated-liquid and saturated-vapour reduced densities of the auxiliary equations
// (IAPWS SR1-86), with power-law branches within about 1 mK of the critical point.
double liquid_density_estimate(double theta);
double vapour_density_estimate(double theta);
// IAPWS-IF97 region 4 saturation pressure (Eq. 30) and temperature (Eq. 31), reduced.
double psat_estimate(double theta);
double tsat_estimate(double pi);

// Fugacity coefficient of the state at its current point; 0 where the compressibility
// factor is not positive.
double fugacity_coefficient(const helmholtz_state& state);

// The equal-fugacity condition as a function of one variable: zero on the saturation line,
// negative below it and positive above it in the argument's variable. The argument is θ at
// fixed π (x_is_temperature) or π at fixed θ. Every evaluation runs the liquid density
// search, then the vapour one, both from the guesses given at construction; a
// convergence_error of either passes through.
template <class State>
class helmholtz_kvalue : public univariate_function<double, double> {
 public:
  helmholtz_kvalue(State* state_, bool x_is_temperature_, double fixed_, double liquid_guess_,
                   double vapour_guess_)
      : x_is_temperature(x_is_temperature_),
        fixed(fixed_),
        liquid_guess(liquid_guess_),
        vapour_guess(vapour_guess_),
        state(state_) {}

  double value(const double& x) override {
    return x_is_temperature ? std::log(fugacity_ratio(x, fixed))
                            : -std::log(fugacity_ratio(fixed, x));
  }

  // The densities that the searches found at the argument x, if x is one of the last two
  // arguments evaluated. They are what a search from the same guesses at the same point gives.
  bool densities_at(double x, double& delta_liq, double& delta_vap) const {
    for (const auto& r : recent) {
      if (r.x == x) {
        delta_liq = r.delta_liq;
        delta_vap = r.delta_vap;
        return true;
      }
    }
    return false;
  }

  // The distance of the last point evaluated from the saturation line, as a fraction of its
  // pressure: one Newton step of the condition over π, whose slope (∂ ln(φ′/φ″)/∂π)_θ is
  // (z′ − z″)/π, from the compressibility factors of the two densities found. Along θ at fixed
  // π the same offset is at most a fifth of this in θ, since θ·d ln π/dθ exceeds 5 along the
  // whole line.
  double relative_offset(double value) const {
    const double theta = x_is_temperature ? recent[0].x : fixed;
    const double pi = x_is_temperature ? fixed : recent[0].x;
    // z = p/(ρRT) is this over δ; p in kPa, ρRT in kJ/m³.
    const double z_delta =
        1000 * pi * constant95::pc / (constant95::rhoc * constant95::R * constant95::Tc * theta);
    return std::fabs(value) / (z_delta / recent[0].delta_vap - z_delta / recent[0].delta_liq);
  }

  bool x_is_temperature;
  double fixed;         // the variable held fixed, π or θ
  double liquid_guess;  // start of the liquid density search
  double vapour_guess;  // start of the vapour density search
  State* state;         // not owned; used as scratch
  // The guesses are the fitted line's near-exact densities: the searches start with dfind_near.
  bool near_guesses = false;

 private:
  double fugacity_ratio(double theta, double pi) {
    const double d_liq = search(liquid_guess, theta, pi);
    const double liquid = fugacity_coefficient(*state);
    const double d_vap = search(vapour_guess, theta, pi);
    recent[1] = recent[0];
    recent[0] = {x_is_temperature ? theta : pi, d_liq, d_vap};
    return liquid / fugacity_coefficient(*state);
  }

  double search(double guess, double theta, double pi) {
    return near_guesses ? dfind_near(guess, theta, pi, state) : dfind(guess, theta, pi, state);
  }

  struct found {
    double x, delta_liq, delta_vap;
  };
  found recent[2] = {{-1, 0, 0}, {-1, 0, 0}};
};

// Steps from the estimate x0 toward the side where k changes sign, in steps of a hundredth
// of the distance to the critical value (upward) or of x0 itself (downward), at most 100
// tries; a failed density search halves the step. Returns true with [a, b] bracketing the
// root and fa, fb the values of k there. Returns false when the tries ran out, with a and b
// as they are and fa, fb not set. Throws convergence_error("helmholtz_psat") when the step
// shrinks below 1e-8, whichever solver called.
bool bracket_saturation(univariate_function<double, double>& k, double x0, double& a, double& b,
                        double& fa, double& fb);

// Saturation pressure π at θ with the coexisting reduced densities, valid for
// Tt/Tc ≤ θ ≤ 1, cached by exact θ. The answer is one evaluation of the fitted line where its
// proof holds, which for the present table is everywhere up to the cutoff 1 − θ = 4e-6; a
// table whose proof stopped short of the cutoff would leave the band between to the
// equal-fugacity solve from the fitted start. Within the cutoff, the auxiliary estimates.
// The state is scratch. Throws std::domain_error("helmholtz_psat") outside the range.
double helmholtz_psat(double theta, double& delta_liq, double& delta_vap, helmholtz_state* state);

// Saturation temperature θ at π with the coexisting reduced densities, valid for
// pt/pc ≤ π ≤ 1, cached by exact π: the fitted line inverted by Newton's method on the fit,
// with the same cutoff near the critical point as helmholtz_psat. The state is scratch.
// Throws std::domain_error("helmholtz_tsat") outside the range.
double helmholtz_tsat(double pi, double& delta_liq, double& delta_vap, helmholtz_state* state);

}  // namespace Vantrel
