// Brent's method with its evaluation budget, and the outward bracketing search.
#include "solve/solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <stdexcept>

#include "model/errors.h"
#include "throws.h"

namespace Vantrel {
namespace {

// A function that counts its evaluations.
struct counted : univariate_function<double, double> {
  explicit counted(std::function<double(double)> f_) : f(std::move(f_)) {}
  double value(const double& x) override { return ++calls, f(x); }
  std::function<double(double)> f;
  int calls = 0;
};

TEST(BrentSolver, FindsRootsToTheAbscissaTolerance) {
  struct root_case {
    std::function<double(double)> f;
    double a, b, root;
  };
  const root_case cases[] = {
      {[](double x) { return x * x * x - 2; }, 0, 3, std::cbrt(2.0)},
      {[](double x) { return std::cos(x) - x; }, 0, 1, 0.7390851332151607},
      {[](double x) { return x < 0.3 ? -1.0 : 1.0; }, 0, 1, 0.3},
      {[](double x) { return x - 1e-12; }, -1, 1, 1e-12},  // the tolerance floor near 0
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.root);
    counted f(c.f);
    brent_solver s(&f, 0, 1e-10, 100);
    const double r = s.solve(c.a, c.b);
    EXPECT_EQ(s.tolerance, 1e-10 * std::fmax(std::fabs(r), 0.1));
    EXPECT_NEAR(r, c.root, s.tolerance);
    EXPECT_TRUE(s.solved);
    EXPECT_EQ(s.f_root, c.f(r));
    EXPECT_EQ(static_cast<int>(s.evaluations), f.calls);
  }
}

// Ends of one sign are refused before any evaluation.
TEST(BrentSolver, RefusesEndsOfOneSign) {
  counted f([](double x) { return x - 1; });
  brent_solver s(&f, 0, 1e-8, 100);
  EXPECT_TRUE(throws<std::domain_error>([&] { s.solve(2, 3, 1, 2); }, "brent_solver"));
  EXPECT_EQ(f.calls, 0);
}

TEST(BrentSolver, BudgetIsCountedInEvaluations) {
  // Without any tolerance the bracket is never reported converged: 2 + 99 evaluations.
  counted step([](double x) { return x < 1.0 / 3 ? -1.0 : 1.0; });
  brent_solver s(&step, 0, 0, 100);
  EXPECT_TRUE(throws<convergence_error>([&] { s.solve(0, 1); }, "brent_solver"));
  EXPECT_TRUE(s.solved);
  EXPECT_EQ(step.calls, 101);
  EXPECT_NEAR(s.root, 1.0 / 3, 1e-15);
}

TEST(Bracket, ExpandsTheEndNearerTheRoot) {
  counted f([](double x) { return x - 10; });
  double x1 = 0, x2 = 1;
  EXPECT_TRUE(bracket(f, x1, x2, 0.5, 100));
  EXPECT_EQ(x1, 0);
  EXPECT_GT(x2, 10);

  counted never([](double x) { return x * x + 1; });
  double y1 = -1, y2 = 2;
  EXPECT_FALSE(bracket(never, y1, y2, 0.5, 5));
  EXPECT_EQ(never.calls, 7);  // the last expansion is not tested
  EXPECT_LT(y1, -1);

  double z = 1;
  EXPECT_TRUE(throws<std::domain_error>([&] { bracket(f, z, z, 0.5, 100); }, "bracket"));
}

}  // namespace
}  // namespace Vantrel
