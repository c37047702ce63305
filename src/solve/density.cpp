#include "solve/density.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/errors.h"

namespace Vantrel {
namespace {

constexpr double min_start = 1e-8;    // lowest start density
constexpr double max_start = 5.5;     // highest start density
constexpr double newton_theta = 1.1;  // above this θ, p(δ) is monotonic: plain Newton
constexpr double newton_tolerance = 1e-8;
constexpr unsigned budget = 100;             // iterations of every loop below
constexpr double stability_gradient = 1e-8;  // |∂(p/pc)/∂δ| at a branch's stability limit
constexpr double limit_width = 1e-5;         // lo and hi this close mark the stability limit

constexpr double x_tolerance = 1e-8;  // Brent's relative abscissa tolerance
constexpr double near_width = 4e-9;   // half-width of the start interval of dfind_near
constexpr unsigned vapour_steps = 8;  // Newton steps from a vapour start before the bracket

double reduced_pressure(const helmholtz_state& s) {
  return s.p() / constant95::pc;
}

// Brent's abscissa tolerance has an absolute floor (1e-9 in δ) that leaves a dilute vapour
// wrong in the fifth digit. One Newton step from the root fixes that; it is kept only while it
// stays within the solver's final bracket.
double polished(helmholtz_function<helmholtz_state>& f, const brent_solver& solver, double root) {
  const double g = f.gradient(root);
  const double step = -solver.f_root / g;
  return std::fabs(step) <= solver.width ? root + step : root;
}

// Newton's method on the pressure from δ, at most `steps` steps, each on a positive slope and
// none beyond `upper`: true with δ moved by the first step shorter than tolerance·δ, the step
// that a bracketed solve ends with as its polish; false, with δ at the last point tried, when
// a slope is not positive, a step leaves (0, upper), a point after the first lies above the
// wanted pressure (on a concave branch the steps after the first rise toward the root from
// below) or the steps run out.
bool newton_settles(helmholtz_function<helmholtz_state>& f, double& delta, unsigned steps,
                    double tolerance, double upper) {
  for (unsigned i = 0; i < steps; ++i) {
    const double slope = f.gradient(delta);
    const double value = f.value(delta);
    if (!(slope > 0) || (i > 0 && value > 0)) return false;
    const double step = -value / slope;
    if (std::fabs(step) <= tolerance * delta) {
      delta += step;
      return true;
    }
    if (!(delta + step > 0 && delta + step < upper)) return false;
    delta += step;
  }
  return false;
}

}  // namespace

bool bracket_density(helmholtz_function<helmholtz_state>& f, double x, double& lo, double& hi,
                     double& f_lo, double& f_hi) {
  f_lo = f_hi = std::numeric_limits<double>::quiet_NaN();
  helmholtz_state& state = *f.state;
  const double tau = state.tau();
  const double theta = 1.0 / tau;
  const double target = f.target;

  state.update(x, tau);
  state.fill_density_slopes();  // the pressure and its slope, in one sweep
  double P = reduced_pressure(state);
  double G = f.gradient(x);  // gradient at the last stable point

  // A start inside the unstable section is first moved outward until p rises with δ.
  if (G < 0) {
    const double factor = x > 1 ? 1.05 : 0.95;
    for (unsigned i = 0; i < budget; ++i) {
      x *= factor;
      const double g = f.gradient(x);
      if (g > 0) {
        G = g;
        P = reduced_pressure(state);
        break;
      }
    }
  }

  lo = x;
  hi = 1.01 * x;

  const bool liquid = x > 1;
  auto reached = [&](double p) { return liquid ? p <= target : p >= target; };

  // Walk toward the other phase only when the root lies that way on a branch with an
  // unstable section; otherwise p is monotonic outward and expansion finds the sign change.
  if (theta < 1 && !reached(P)) {
    double S = x;  // last stable point
    for (unsigned walk = 0; walk < budget; ++walk) {
      const double step = liquid ? -0.1 * (S - 1) : std::min(1.1 * S, 0.01 * (1 - S));
      double F = S + step;
      state.update(F, tau);
      state.fill_density_slopes();
      P = reduced_pressure(state);
      double w = f.gradient(F);

      if (w < 0) {
        // F crossed into the unstable section: locate the stability limit between the
        // unstable F and the stable S by regula falsi on the gradient. The Illinois rule
        // halves the stored gradient of an end kept twice in a row, so the search cannot
        // stagnate on one end.
        double W = w;
        double a = F, b = S;  // a unstable (gradient W < 0), b stable (gradient G > 0)
        int kept = 0;         // +1: b kept last step, -1: a kept last step
        for (unsigned i = 0; i < budget; ++i) {
          const double X = a - W * (b - a) / (G - W);
          w = f.gradient(X);
          P = reduced_pressure(state);
          if (w > 0 && reached(P)) {
            lo = X;
            hi = S;
            return true;
          }
          if (std::fabs(w) < stability_gradient) {
            lo = hi = X;
            return false;
          }
          if (w < 0) {
            a = X;
            W = w;
            if (kept == 1) G /= 2;
            kept = 1;
          } else {
            b = X;
            G = w;
            if (kept == -1) W /= 2;
            kept = -1;
          }
        }
        throw convergence_error("dfind");
      }

      if (reached(P)) {
        lo = F;
        hi = S;
        return true;
      }
      S = F;
      G = w;
    }
    // A walk that ends without a bracket has failed; its last points are no answer.
    throw convergence_error("dfind");
  }

  if (bracket(f, lo, hi, 0.5, budget, f_lo, f_hi)) return true;
  throw convergence_error("dfind");
}

double dfind(double delta0, double theta, double pi, helmholtz_state* state) {
  double delta = std::clamp(delta0, min_start, max_start);
  const double tau = 1.0 / theta;
  state->update(delta, tau);
  helmholtz_function<helmholtz_state> f(pi, state);

  if (theta > newton_theta) {
    // Supercritical by more than 10 %: p(δ) is monotonic and Newton needs no bracket.
    bool converged = false;
    for (unsigned i = 0; i < budget; ++i) {
      state->update(delta, tau);
      // The step reads the pressure, then its slope: one sweep for both.
      state->fill_density_slopes();
      const double pi_calc = reduced_pressure(*state);
      const double g = f.gradient(delta);
      double step = -(pi_calc - pi) / g;
      // Never more than half the density, so that δ stays positive.
      if (std::fabs(step) > delta / 2) step = std::copysign(delta / 2, step);
      delta += step;
      // The pressure test passes up to 1e-8 off; the step already taken from the converged
      // point costs nothing and brings a dilute gas to the pressure asked for.
      if (std::fabs(1 - pi_calc / pi) < newton_tolerance) {
        converged = true;
        break;
      }
    }
    if (!converged) throw convergence_error("dfind");
  } else {
    // A vapour start: on the stable vapour branch the pressure rises with δ and is concave, so
    // Newton's method settles in two or three steps where the bracket search and Brent's
    // method take about ten evaluations. Any sign of another shape, or a wanted pressure
    // beyond the branch, leaves the search to the bracket.
    if (double d = delta;
        delta < 1 && newton_settles(f, d, vapour_steps, x_tolerance, 1.0) && d > 0) {
      state->update(d, tau);
      return d;
    }
    double lo = 0, hi = 0, f_lo = 0, f_hi = 0;
    if (!bracket_density(f, delta, lo, hi, f_lo, f_hi)) {
      // The wanted pressure lies beyond the branch's stability limit: answer with the
      // point of the branch nearest to it.
      if (std::fabs(lo - hi) < limit_width) return lo;
      throw convergence_error("dfind");
    }
    brent_solver solver(&f, 0, x_tolerance, budget);
    // The outward search leaves both end values; the walks toward the other phase do not.
    solver.evaluations = 2;
    const double root = std::isnan(f_lo) ? solver.solve(lo, hi) : solver.solve(lo, hi, f_lo, f_hi);
    delta = polished(f, solver, root);
    // The outward search may cross δ = 0, where the pressure changes sign. A vapour asked
    // for a pressure of zero or below has no density; the root found there is no answer.
    if (!(delta > 0)) throw convergence_error("dfind");
  }

  state->update(delta, tau);
  return delta;
}

double dfind_near(double delta0, double theta, double pi, helmholtz_state* state) {
  const double tau = 1.0 / theta;
  if (theta < 1.0 && delta0 > min_start && delta0 < max_start) {
    helmholtz_function<helmholtz_state> f(pi, state);
    state->update(delta0, tau);
    // For a vapour, the pressure and its slope at the start give the Newton step to the root.
    // When that step stays within the start interval on the stable part of the branch, the
    // start already meets the search's tolerance, and the step is the polish that the bracket
    // solve below would end with. A liquid's pressure is a small difference of large terms,
    // uncertain by a few parts in 1e9 at one density; it keeps the bracket, whose ends lie far
    // enough apart for their signs to be sure.
    if (double delta = delta0;
        delta0 < 1 &&
        newton_settles(f, delta, 1, near_width, std::numeric_limits<double>::infinity())) {
      state->update(delta, tau);
      return delta;
    }
    brent_solver solver(&f, 0, x_tolerance, budget);
    double root = 0;
    // Only the stable part of the branch holds a density; at its limit, or in the unstable
    // section, the full search decides.
    if (solve_if_bracketed(solver, delta0 * (1 - near_width), delta0 * (1 + near_width), root) &&
        f.gradient(root) > 0) {
      const double delta = polished(f, solver, root);
      state->update(delta, tau);
      return delta;
    }
  }
  return dfind(delta0, theta, pi, state);
}

bool dfind_newton(double& delta, double theta, double pi, helmholtz_state* state) {
  constexpr int steps = 6;
  constexpr double tolerance = 1e-9;
  helmholtz_function<helmholtz_state> f(pi, state);
  state->update(delta, 1.0 / theta);
  double d = delta;
  for (int i = 0; i < steps; ++i) {
    const double slope = f.gradient(d);
    const double step = -f.value(d) / slope;
    if (!(slope > 0) || !(d + step > 0.5 * d && d + step < 2 * d)) return false;
    d += step;
    if (std::fabs(step) <= tolerance * d) {
      state->update(d, 1.0 / theta);
      delta = d;
      return true;
    }
  }
  return false;
}

}  // namespace Vantrel
