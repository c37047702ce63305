#include "properties/surface_tension.h"

#include <cmath>

namespace Vantrel {

namespace {

// Surface tension σ = B θ^μ (1 + b θ), θ = 1 − T/Tc (IAPWS 1994).
constexpr double st_B = 0.2358;  // N/m
constexpr double st_b = -0.625;
constexpr double st_mu = 1.256;

}  // namespace

double surface_tension(double tau) {
  const double theta = 1.0 - 1.0 / tau;
  if (theta < 0.0) return 0.0;
  return std::pow(theta, st_mu) * (1.0 + st_b * theta) * st_B;
}

}  // namespace Vantrel
