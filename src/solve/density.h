#pragma once
// The density finder: the one routine that inverts the equation of state. Given θ = T/Tc,
// π = p/pc and a starting reduced density, it finds the δ = ρ/ρc at which the IAPWS-95
// pressure equals π·pc, on the branch (liquid or vapour) that the start selects.
#include "model/constant95.h"
#include "model/helmholtz.h"
#include "solve/solver.h"

namespace Vantrel {

// The finder's equation object over a Helmholtz state: value(δ) = p/pc − target and
// gradient(δ) = (∂(p/pc)/∂δ)_τ, both at the state's τ. Every call moves the state to δ, so
// after a solve the state holds the last δ tried.
template <class State>
class helmholtz_function : public univariate_function<double, double>,
                           public univariate_gradient<double, double> {
 public:
  helmholtz_function(double target_, State* state_) : target(target_), state(state_) {}

  double value(const double& x) override {
    state->update(x, state->tau());
    return state->p() / constant95::pc - target;
  }

  double gradient(const double& x) override {
    state->update(x, state->tau());
    const double t = constant95::Tc / state->tau();
    return state->dpdrho_r() * (constant95::rhoc / constant95::pc) * t * constant95::R * 0.001;
  }

  double target;  // the wanted pressure over pc
  State* state;   // not owned; used as scratch
};

// Finds an interval [lo, hi] that brackets the root on the branch of the start x (liquid
// for x > 1, vapour otherwise) and returns true. Returns false with lo == hi at the
// stability limit of the branch when the wanted pressure lies beyond it. Throws
// convergence_error("dfind") when no bracket is found. f_lo and f_hi receive the function's
// values at lo and hi where the search evaluated both there, and NaN otherwise.
bool bracket_density(helmholtz_function<helmholtz_state>& f, double x, double& lo, double& hi,
                     double& f_lo, double& f_hi);

// The reduced density at reduced temperature theta and reduced pressure pi on the branch
// that delta0 selects; delta0 is limited to [1e-8, 5.5]. Leaves the state at (δ, 1/θ).
// A pressure beyond the branch's stability limit gives the density at that limit.
// Throws convergence_error("dfind") or, from the bracket solve, the solver's errors.
double dfind(double delta0, double theta, double pi, helmholtz_state* state);

// As dfind, for a start that lies within a few parts in 1e9 of the answer (the fitted
// saturation line gives such starts): Brent's method is handed the interval of ±4e-9 around
// the start, narrower than its own tolerance, and accepts it at once when the pressure changes
// sign across it on the stable part of the branch. From any other start, as dfind.
double dfind_near(double delta0, double theta, double pi, helmholtz_state* state);

// Newton's method on the pressure from a start within a few parts in 1e4 of the answer (IF97's
// v(p,T) gives such starts): at most six steps, each on a positive slope and within a factor of
// two of the last point, until a step is shorter than 1e-9·δ, which is then taken. True with δ
// and the state at the answer; false, with both as scratch, otherwise.
bool dfind_newton(double& delta, double theta, double pi, helmholtz_state* state);

}  // namespace Vantrel
