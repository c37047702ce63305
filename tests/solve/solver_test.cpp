// Brent's method with its evaluation budget, and the outward bracketing search.
#include "solve/solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <stdexcept>

#include "model/errors.h"

namespace Vantrel {
namespace {

// A function that counts its evaluations.
class counted : public univariate_function<double, double> {
 public:
  explicit counted(std::function<double(double)> f) : f_(std::move(f)) {}
  double value(const double& x) override {
    ++calls;
    return f_(x);
  }
  int calls = 0;

 private:
  std::function<double(double)> f_;
};

struct root_case {
  const char* name;
  std::function<double(double)> f;
  double a, b, root;
};

TEST(BrentSolver, FindsRootsToTheAbscissaTolerance) {
  const root_case cases[] = {
      {"cube root of 2", [](double x) { return x * x * x - 2; }, 0, 3, std::cbrt(2.0)},
      {"cos x = x", [](double x) { return std::cos(x) - x; }, 0, 1, 0.7390851332151607},
      {"steep exponential", [](double x) { return std::exp(20 * x) - 1e5; }, -1, 1,
       std::log(1e5) / 20},
      {"step", [](double x) { return x < 0.3 ? -1.0 : 1.0; }, 0, 1, 0.3},
      {"large abscissa", [](double x) { return x - 4.5e6; }, 1e6, 1e7, 4.5e6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    counted f(c.f);
    brent_solver s(&f, 0, 1e-10, 100);
    const double r = s.solve(c.a, c.b);
    EXPECT_NEAR(r, c.root, 2e-10 * std::fmax(std::fabs(c.root), 0.1));
    EXPECT_TRUE(s.solved);
    EXPECT_EQ(s.root, r);
    EXPECT_EQ(s.f_root, c.f(r));
    EXPECT_EQ(static_cast<int>(s.evaluations), f.calls);
    EXPECT_TRUE(s.width <= s.tolerance || s.f_root == 0);
    EXPECT_LT(s.evaluations, 100u);
  }
}

TEST(BrentSolver, ConvergesFastOnSmoothFunctions) {
  // Interpolation, not bisection, must carry a smooth root: bisection from a width of 3 to
  // 1e-10 alone would take 35 evaluations.
  counted f([](double x) { return x * x * x - 2; });
  brent_solver s(&f, 0, 1e-10, 100);
  s.solve(0, 3);
  EXPECT_LE(s.evaluations, 15u);
}

TEST(BrentSolver, ExactRootAtAnEndStopsAtOnce) {
  counted at_a([](double x) { return x - 1; });
  brent_solver sa(&at_a, 0, 1e-8, 100);
  EXPECT_EQ(sa.solve(1, 5), 1.0);
  EXPECT_EQ(sa.evaluations, 2u);
  EXPECT_EQ(at_a.calls, 2);

  counted at_both([](double x) { return (x - 1) * (x - 5); });
  brent_solver sb(&at_both, 0, 1e-8, 100);
  EXPECT_EQ(sb.solve(1, 5), 5.0);
  EXPECT_EQ(at_both.calls, 2);
}

TEST(BrentSolver, RejectsEndsOfEqualSignBeforeEvaluating) {
  counted f([](double x) { return x; });
  brent_solver s(&f, 0, 1e-8, 100);
  try {
    s.solve(1, 2, 1, 2);
    FAIL() << "no error";
  } catch (const std::domain_error& e) {
    EXPECT_STREQ(e.what(), "brent_solver");
  }
  EXPECT_EQ(f.calls, 0);
  EXPECT_FALSE(s.solved);
  // The caller's end values are taken as given; the count continues from construction.
  brent_solver t(&f, 0, 1e-8, 100);
  EXPECT_NEAR(t.solve(-1, 2, -1, 2), 0, 1e-9);
  EXPECT_EQ(static_cast<int>(t.evaluations), f.calls);
}

TEST(BrentSolver, BudgetExhaustionThrowsWithFieldsReadable) {
  // With no tolerance at all the bracket can never be reported converged.
  counted f([](double x) { return x < 1.0 / 3 ? -1.0 : 1.0; });
  brent_solver s(&f, 0, 0, 100);
  try {
    s.solve(0, 1);
    FAIL() << "no error";
  } catch (const convergence_error& e) {
    EXPECT_STREQ(e.what(), "brent_solver");
  }
  EXPECT_TRUE(s.solved);
  EXPECT_EQ(s.evaluations, 101u);
  EXPECT_EQ(f.calls, 101);
  EXPECT_NEAR(s.root, 1.0 / 3, 1e-15);
}

TEST(BrentSolver, BudgetOfTwoAllowsOnePass) {
  counted wide([](double x) { return x - 0.5; });
  brent_solver s(&wide, 0, 1e-8, 2);
  EXPECT_THROW(s.solve(0, 1), convergence_error);
  EXPECT_EQ(wide.calls, 3);

  // Ends already within the tolerance converge without a further evaluation.
  counted narrow([](double x) { return x - 0.5; });
  brent_solver t(&narrow, 0, 1e-8, 2);
  EXPECT_NEAR(t.solve(0.5 - 1e-10, 0.5 + 1e-10), 0.5, 2e-10);
  EXPECT_EQ(narrow.calls, 2);
}

TEST(BrentSolver, AbscissaToleranceHasAFloorNearZero) {
  counted f([](double x) { return x - 1e-12; });
  brent_solver s(&f, 0, 1e-8, 100);
  const double r = s.solve(-1, 1);
  EXPECT_EQ(s.tolerance, 1e-8 * 0.1);
  EXPECT_NEAR(r, 1e-12, 1e-9);
}

TEST(BrentSolver, FunctionTolerance) {
  counted f([](double x) { return x - 0.25; });
  brent_solver s(&f, 0.3, 1e-12, 100);
  EXPECT_EQ(s.solve(0, 1), 0.0);  // |f(0)| = 0.25 already within the tolerance
  EXPECT_EQ(f.calls, 2);
}

TEST(BrentSolver, ErrorsOfTheFunctionPassThrough) {
  counted f([](double x) -> double {
    if (x > 0 && x < 1) throw std::runtime_error("inner");
    return x - 0.5;
  });
  brent_solver s(&f, 0, 1e-8, 100);
  EXPECT_THROW(s.solve(0, 1), std::runtime_error);
  EXPECT_FALSE(s.solved);
}

TEST(UnivariateSolver, ChecksItsSettings) {
  counted f([](double x) { return x; });
  for (auto [ft, xt, n] : {std::tuple{-1.0, 1e-8, 100u}, {0.0, -1e-8, 100u}, {0.0, 1e-8, 1u}}) {
    try {
      brent_solver s(&f, ft, xt, n);
      FAIL() << "accepted " << ft << " " << xt << " " << n;
    } catch (const std::invalid_argument& e) {
      EXPECT_STREQ(e.what(), "univariate_solver");
    }
  }
  EXPECT_NO_THROW(brent_solver(&f, 0, 0, 2));
  EXPECT_NO_THROW(brent_solver(&f, NAN, NAN, 2));
}

TEST(Bracket, ExpandsUntilTheSignChanges) {
  counted f([](double x) { return x - 10; });
  double x1 = 0, x2 = 1;
  EXPECT_TRUE(bracket(f, x1, x2, 0.5, 100));
  EXPECT_LT(f.value(x1) * f.value(x2), 0);
  EXPECT_EQ(x1, 0);  // only the end with the smaller |f| moves
  EXPECT_GT(x2, 10);

  // Already bracketing: no expansion.
  counted g([](double x) { return x; });
  double y1 = -1, y2 = 2;
  EXPECT_TRUE(bracket(g, y1, y2, 0.5, 100));
  EXPECT_EQ(y1, -1);
  EXPECT_EQ(y2, 2);
  EXPECT_EQ(g.calls, 2);
}

TEST(Bracket, GivesUpAfterItsTries) {
  counted f([](double x) { return x * x + 1; });
  double x1 = -1, x2 = 2;
  EXPECT_FALSE(bracket(f, x1, x2, 0.5, 5));
  EXPECT_EQ(f.calls, 7);  // two ends and five expansions, the last one untested
  EXPECT_LT(x1, -1);      // the ends keep their last values

  // A zero product is not a sign change.
  counted g([](double x) { return x; });
  double y1 = 0, y2 = 1;
  EXPECT_FALSE(bracket(g, y1, y2, 0.5, 0));
}

TEST(Bracket, RejectsEqualEnds) {
  counted f([](double x) { return x; });
  double x1 = 1, x2 = 1;
  try {
    bracket(f, x1, x2, 0.5, 100);
    FAIL() << "no error";
  } catch (const std::domain_error& e) {
    EXPECT_STREQ(e.what(), "bracket");
  }
}

}  // namespace
}  // namespace Vantrel
