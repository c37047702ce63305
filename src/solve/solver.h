#pragma once
// The one-variable solver framework: every inverse problem of the library (density at a
// pressure, saturation pressure or temperature, temperature at an enthalpy, ...) is one
// scalar equation f(x) = 0 handed to Brent's method over a bracket.
#include <cstdint>

namespace Vantrel {

// A scalar function of one variable. Implementations are stack objects or members and are
// never deleted through this interface, hence no virtual destructor.
template <class A, class R>
class univariate_function {
 public:
  using argument_type = A;
  using result_type = R;
  virtual R value(const A& x) = 0;

 protected:
  ~univariate_function() = default;
};

// The derivative of a scalar function of one variable.
template <class A, class R>
class univariate_gradient {
 public:
  using argument_type = A;
  using result_type = R;
  virtual R gradient(const A& x) = 0;

 protected:
  ~univariate_gradient() = default;
};

// A root finder with a budget counted in function evaluations, because each evaluation in
// this library is an inner density search or a full residual pass.
class univariate_solver {
 public:
  // Throws std::invalid_argument("univariate_solver") for a negative tolerance or a budget
  // below 2. A NaN tolerance passes.
  univariate_solver(univariate_function<double, double>* func, double f_tolerance,
                    double x_tolerance, std::uint32_t max_evaluations);

  // fa and fb are the caller's values of the function at a and b. The evaluation count
  // continues from its current value.
  virtual double solve(double a, double b, double fa, double fb) = 0;
  // Evaluates the function at both ends (the count starts at 2), then as above.
  virtual double solve(double a, double b) = 0;

  univariate_function<double, double>* func;  // not owned; outlives every solve
  double f_tolerance;                         // absolute tolerance on |f|
  double x_tolerance;                         // relative tolerance on the abscissa
  double f_root = 0.0;                        // function value at the last root
  double width = 0.0;                         // final distance from the root to the other end
  double root = 0.0;                          // the last returned root
  double tolerance = 0.0;                     // abscissa tolerance of the last iteration
  std::uint32_t max_evaluations;              // evaluation budget
  std::uint32_t evaluations = 0;              // evaluations counted so far
  bool solved = false;                        // a solve finished, converged or not

 protected:
  ~univariate_solver() = default;
};

// Brent's method with the budget counted in evaluations. The convergence test compares the
// whole bracket width with the tolerance, and the interpolation is accepted without a
// tolerance term. Throws std::domain_error("brent_solver") for end values of equal strict
// sign and convergence_error("brent_solver") when the budget is used up.
class brent_solver : public univariate_solver {
 public:
  brent_solver(univariate_function<double, double>* func, double f_tolerance, double x_tolerance,
               std::uint32_t max_evaluations);

  double solve(double a, double b, double fa, double fb) override;
  double solve(double a, double b) override;
};

// Brent's method on [a, b] if the solver's function changes sign there (a product of exactly 0
// counts), with the two end values counted as its first evaluations: true with the root in
// `root`. False, after those two evaluations, when it does not change sign. For a narrow
// interval around a near-exact start, which the solver accepts at once.
bool solve_if_bracketed(univariate_solver& solver, double a, double b, double& root);

// Outward search for a sign change: the end with the smaller |f| moves away from the other
// by factor times the bracket width, at most `tries` times. Returns true when f(x1) and f(x2)
// have strictly opposite signs; x1 and x2 keep their last values either way. Throws
// std::domain_error("bracket") when x1 == x2.
bool bracket(univariate_function<double, double>& f, double& x1, double& x2, double factor,
             unsigned tries);
// As above, with f(x1) and f(x2) at the last x1 and x2 in f1 and f2, for Brent's method to
// start from.
bool bracket(univariate_function<double, double>& f, double& x1, double& x2, double factor,
             unsigned tries, double& f1, double& f2);

}  // namespace Vantrel
