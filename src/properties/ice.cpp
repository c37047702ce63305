#include "properties/ice.h"

#include <cmath>
#include <stdexcept>

#include "model/constant95.h"
#include "model/integer_power.h"
#include "solve/solver.h"

namespace Vantrel::ice {

namespace {

constexpr double Tt = constant95::Tt;
constexpr double pt = constant95::pt;

static_assert(T_III < 251.165, "T_III is stored below the double nearest 251.165 K");

// Ice-boundary temperature solves: Brent's method, exact abscissa to 1e-8 relative.
constexpr double f_tolerance = 0.0;
constexpr double x_tolerance = 1e-8;
constexpr std::uint32_t max_evaluations = 100;

// subl_pressure(T) − p.
class subl_function final : public univariate_function<double, double> {
 public:
  explicit subl_function(double p) : p_(p) {}
  double value(const double& T) override { return subl_pressure(T) - p_; }

 private:
  double p_;
};

// Melting pressure of the ice Ih curve (high = false) or of ices III to VII (high = true),
// less the target pressure.
class melt_function final : public univariate_function<double, double> {
 public:
  melt_function(bool high, double p) : high_(high), p_(p) {}
  double value(const double& T) override {
    return (high_ ? high_melt_pressure(T).quantity : low_melt_pressure(T).quantity) - p_;
  }

 private:
  bool high_;
  double p_;
};

}  // namespace

double p_min() {
  static const double value = subl_pressure(T_subl_min);
  return value;
}

double subl_pressure(double T) {
  if (!(T >= T_subl_min && T <= Tt)) throw std::domain_error("ice::subl_pressure");
  const double theta = T / Tt;
  return pt * std::exp(34.7078238 * (1.0 - std::pow(theta, -1.25)) -
                       13.928169 * (1.0 - std::pow(theta, -1.5)));
}

double subl_temperature(double p) {
  const double lowest = p_min();
  if (!(p >= lowest && p <= pt)) throw std::domain_error("ice::subl_temperature");
  subl_function f(p);
  brent_solver solver(&f, f_tolerance, x_tolerance, max_evaluations);
  // Both end values are known without evaluating the curve.
  return solver.solve(T_subl_min, Tt, lowest - p, pt - p);
}

ice_point low_melt_pressure(double T) {
  // The accepted range is that of the high-pressure curves; melt_temperature only
  // evaluates this curve between T_III and Tt.
  if (!(T >= T_III && T <= T_melt_max)) throw std::domain_error("ice::low_melt_pressure");
  const double theta = T / Tt;
  const double p = ((1.0 - integer_power(theta, -3)) * (-626000.0) +
                    (1.0 - std::pow(theta, 21.2)) * 197135.0 + 1.0) *
                   pt;
  return {0, p};
}

ice_point high_melt_pressure(double T) {
  if (!(T >= T_III && T <= T_melt_max)) throw std::domain_error("ice::high_melt_pressure");
  if (T <= T_V) return {1, p_III * (1.0 - 0.295252 * (1.0 - integer_power(T / T_III, 60)))};
  if (T <= T_VI) return {2, p_V * (1.0 - 1.18721 * (1.0 - integer_power(T / T_V, 8)))};
  if (T <= T_VII) return {3, p_VI * (1.0 - 1.07476 * (1.0 - std::pow(T / T_VI, 4.6)))};
  const double theta = T / T_VII;
  return {4, p_VII * std::exp(1.73683 * (1.0 - 1.0 / theta) -
                              0.0544606 * (1.0 - integer_power(theta, 5)) +
                              8.06106e-8 * (1.0 - integer_power(theta, 22)))};
}

ice_point melt_temperature(double p) {
  if (!(p >= pt && p <= p_melt_max)) throw std::domain_error("ice::melt_temperature");
  if (p > p_III) {
    melt_function f(true, p);
    brent_solver solver(&f, f_tolerance, x_tolerance, max_evaluations);
    // At T_III the ice III curve gives p_III exactly.
    const double T =
        solver.solve(T_III, T_melt_max, p_III - p, high_melt_pressure(T_melt_max).quantity - p);
    return {high_melt_pressure(T).phase, T};
  }
  melt_function f(false, p);
  brent_solver solver(&f, f_tolerance, x_tolerance, max_evaluations);
  const double T = solver.solve(T_III, Tt, low_melt_pressure(T_III).quantity - p, pt - p);
  return {0, T};
}

void temperature_bounds(double pi, double& lower, double& upper, double margin) {
  upper = constant95::T_max / constant95::Tc;
  const double p = pi * constant95::pc;
  const double T_ice =
      pi <= pt / constant95::pc ? subl_temperature(p) : melt_temperature(p).quantity;
  lower = (T_ice - margin) / constant95::Tc;
}

}  // namespace Vantrel::ice
