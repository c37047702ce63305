#include "solve/solver.h"

#include <cmath>
#include <stdexcept>
#include <utility>

#include "model/errors.h"

namespace Vantrel {

univariate_solver::univariate_solver(univariate_function<double, double>* func_,
                                     double f_tolerance_, double x_tolerance_,
                                     std::uint32_t max_evaluations_)
    : func(func_),
      f_tolerance(f_tolerance_),
      x_tolerance(x_tolerance_),
      max_evaluations(max_evaluations_) {
  if (f_tolerance < 0 || x_tolerance < 0 || max_evaluations < 2)
    throw std::invalid_argument("univariate_solver");
}

brent_solver::brent_solver(univariate_function<double, double>* func_, double f_tolerance_,
                           double x_tolerance_, std::uint32_t max_evaluations_)
    : univariate_solver(func_, f_tolerance_, x_tolerance_, max_evaluations_) {}

double brent_solver::solve(double a, double b) {
  evaluations = 2;
  const double fa = func->value(a);
  const double fb = func->value(b);
  return solve(a, b, fa, fb);
}

double brent_solver::solve(double a, double b, double fa, double fb) {
  if (fa * fb > 0) throw std::domain_error("brent_solver");

  double c = a, fc = fa;
  double d = b - a, e = d;

  while (evaluations <= max_evaluations) {
    // Keep b the best estimate and c the other end of the bracket.
    if (std::fabs(fc) < std::fabs(fb)) {
      a = b, b = c, c = a;
      fa = fb, fb = fc, fc = fa;
    }
    // Below |b| = 0.1 the tolerance stays absolute, so a root at 0 still converges.
    const double tol = x_tolerance * std::fmax(std::fabs(b), 0.1);
    tolerance = tol;
    const double m = (c - b) / 2;

    if (std::fabs(fb) <= f_tolerance || std::fabs(c - b) <= tol) break;

    if (std::fabs(e) < tol || std::fabs(fa) <= std::fabs(fb)) {
      d = e = m;
    } else {
      const double s = fb / fa;
      double p, q;
      if (a == c) {
        p = (c - b) * s;
        q = 1 - s;
      } else {
        const double qq = fa / fc, r = fb / fc;
        p = s * ((c - b) * qq * (qq - r) - (b - a) * (r - 1));
        q = (qq - 1) * (r - 1) * (s - 1);
      }
      if (p > 0) q = -q;
      p = std::fabs(p);
      const double e_old = e;
      e = d;
      // Interpolate only when the step stays well inside the bracket and shrinks faster
      // than the step before last; otherwise bisect.
      if (2 * p < 3 * m * q && 2 * p < std::fabs(e_old * q)) {
        d = p / q;
      } else {
        d = e = m;
      }
    }

    a = b, fa = fb;
    if (std::fabs(d) > tol / 2)
      b += d;
    else
      b += std::copysign(tol / 2, m);

    fb = func->value(b);
    ++evaluations;

    if (fb * fc > 0) {
      // The new point lies on c's side: the bracket is now [a, b].
      c = a, fc = fa;
      d = e = b - a;
    }
  }

  root = b;
  f_root = fb;
  width = std::fabs(c - b);
  solved = true;
  if (evaluations > max_evaluations) throw convergence_error("brent_solver");
  return b;
}

bool solve_if_bracketed(univariate_solver& solver, double a, double b, double& root) {
  const double fa = solver.func->value(a);
  const double fb = solver.func->value(b);
  if (fa * fb > 0) return false;
  solver.evaluations = 2;
  root = solver.solve(a, b, fa, fb);
  return true;
}

bool bracket(univariate_function<double, double>& f, double& x1, double& x2, double factor,
             unsigned tries) {
  double f1 = 0, f2 = 0;
  return bracket(f, x1, x2, factor, tries, f1, f2);
}

bool bracket(univariate_function<double, double>& f, double& x1, double& x2, double factor,
             unsigned tries, double& f1, double& f2) {
  if (x1 == x2) throw std::domain_error("bracket");
  f1 = f.value(x1);
  f2 = f.value(x2);
  for (unsigned j = 1; j <= tries; ++j) {
    if (f1 * f2 < 0) return true;
    if (std::fabs(f1) < std::fabs(f2)) {
      x1 += factor * (x1 - x2);
      f1 = f.value(x1);
    } else {
      x2 += factor * (x2 - x1);
      f2 = f.value(x2);
    }
  }
  return false;
}

}  // namespace Vantrel
