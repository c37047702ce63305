#pragma once
// The shape shared by every backward equation of IAPWS-IF97: a sum of n·x^I·y^J over a
// table of {I, J, n} printed in the releases, with x and y shifted reduced variables.
#include <array>
#include <cmath>
#include <cstddef>

namespace Vantrel::if97::backward_detail {

struct term {
  int I, J;
  double n;
};

// T2a(p,s) is the one equation whose pressure exponents are quarter-integers.
struct half_term {
  double I;
  int J;
  double n;
};

// x to an integer power by squaring; the tables reach |I|, |J| = 44, where std::pow is
// several times slower and no more exact.
constexpr double ipow(double x, int k) {
  if (k < 0) {
    x = 1.0 / x;
    k = -k;
  }
  double r = 1.0;
  while (k != 0) {
    if (k & 1) r *= x;
    x *= x;
    k >>= 1;
  }
  return r;
}

template <std::size_t N>
constexpr double sum(const std::array<term, N>& terms, double x, double y) {
  double s = 0.0;
  for (const auto& t : terms) s += t.n * ipow(x, t.I) * ipow(y, t.J);
  return s;
}

}  // namespace Vantrel::if97::backward_detail
