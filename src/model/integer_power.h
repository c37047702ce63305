#pragma once
#include <limits>

namespace Vantrel {

// x to an integer power. At x = 0 the cases are fixed: n = 0 gives 1, n < 0 gives +inf,
// odd n > 0 gives x itself (a signed zero), even n > 0 gives 0.
inline double integer_power(double x, int n) {
  if (x == 0.0) {
    if (n == 0) return 1.0;
    if (n < 0) return std::numeric_limits<double>::infinity();
    return (n & 1) ? x : 0.0;
  }
  switch (n) {
    case -2: return 1.0 / (x * x);
    case -1: return 1.0 / x;
    case 0: return 1.0;
    case 1: return x;
    case 2: return x * x;
    default: break;
  }
  unsigned long long m;
  if (n < 0) {
    x = 1.0 / x;
    m = static_cast<unsigned long long>(-static_cast<long long>(n));
  } else {
    m = static_cast<unsigned long long>(n);
  }
  double result = 1.0;
  for (;;) {
    if (m & 1u) result *= x;
    m >>= 1;
    if (m == 0) break;
    x *= x;
  }
  return result;
}

}  // namespace Vantrel
