// The six residual sweeps against each other: every derivative must agree with a numerical
// derivative of the quantity one order below, over points where each group of terms weighs
// in (dilute and dense vapour, liquid, the critical region, hot and cold). One published
// check point cannot show a wrong power in a term that is small there; this grid does.
#include <gtest/gtest.h>

#include <cmath>

#include "model/helmholtz.h"

namespace Vantrel {
namespace {

using quantity = double (residual95::*)() const;

// Richardson-extrapolated central difference of q along δ (by_delta) or τ at (δ, τ):
// (4·D(h/2) − D(h))/3 cancels the h² term, leaving an error of order h⁴.
double difference(quantity q, double delta, double tau, bool by_delta) {
  const double x = by_delta ? delta : tau;
  const double h = 1e-4 * x;
  auto at = [&](double step) {
    const residual95 r = by_delta ? residual95(delta + step, tau) : residual95(delta, tau + step);
    return (r.*q)();
  };
  const double wide = (at(h) - at(-h)) / (2 * h);
  const double narrow = (at(h / 2) - at(-h / 2)) / h;
  return (4 * narrow - wide) / 3;
}

struct derivative_pair {
  const char* name;
  quantity derivative, base;
  bool by_delta;
};

constexpr derivative_pair pairs[] = {
    {"phir_d", &residual95::phir_d, &residual95::phir, true},
    {"phir_dd", &residual95::phir_dd, &residual95::phir_d, true},
    {"phir_t", &residual95::phir_t, &residual95::phir, false},
    {"phir_tt", &residual95::phir_tt, &residual95::phir_t, false},
    {"phir_dt by τ", &residual95::phir_dt, &residual95::phir_d, false},
    {"phir_dt by δ", &residual95::phir_dt, &residual95::phir_t, true},
};

// (δ, τ) of states across the formulation's range.
struct point {
  double delta, tau;
};
constexpr point points[] = {
    {0.002, 1.8}, {0.05, 1.3}, {0.3, 1.05}, {0.02, 0.26}, {0.3, 0.7},   {0.8, 0.9},
    {1.6, 0.8},   {2.5, 0.6},  {3.0, 0.5},  {1.15, 1.02}, {0.85, 1.01}, {1.3, 0.99},
    {2.2, 1.1},   {2.6, 1.3},  {3.1, 2.15}, {3.7, 2.15},
};

TEST(ResidualSweeps, EachDerivativeMatchesADifferenceOfTheOneBelow) {
  for (const auto& [delta, tau] : points) {
    const residual95 r(delta, tau);
    for (const auto& p : pairs) {
      SCOPED_TRACE(testing::Message() << p.name << " at delta=" << delta << " tau=" << tau);
      const double exact = (r.*p.derivative)();
      const double numeric = difference(p.base, delta, tau, p.by_delta);
      EXPECT_NEAR(exact, numeric, 1e-9 * (1 + std::abs(exact)));
    }
  }
}

}  // namespace
}  // namespace Vantrel
