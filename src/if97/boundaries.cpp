// The boundaries: the region 2–3 line B23 and the saturation line of region 4, with the
// region of a (T, p) point.
#include <array>
#include <cmath>
#include <stdexcept>

#include "if97/basic.h"

namespace Vantrel::if97 {
namespace {

// IAPWS R7-97(2012), Table 1: coefficients of the B23 equation, n1 to n5.
constexpr std::array<double, 5> b23{
    0.34805185628969e3, -0.11671859879975e1, 0.10192970039326e-2,
    0.57254459862746e3, 0.13918839778870e2,
};

// IAPWS R7-97(2012), Table 34: coefficients of the saturation equation, n1 to n10.
constexpr std::array<double, 10> n{
    0.11670521452767e4,  -0.72421316703206e6, -0.17073846940092e2, 0.12020824702470e5,
    -0.32325550322333e7, 0.14915108613530e2,  -0.48232657361591e4, 0.40511340542057e6,
    -0.23855557567849,   0.65017534844798e3,
};

}  // namespace

double b23_p(double T) {
  if (!(T >= T_13 && T <= T_23)) throw std::domain_error("if97::b23_p");
  return b23[0] + b23[1] * T + b23[2] * T * T;
}

double b23_t(double p) {
  // The line reaches p_max at T_23 only to within rounding, so the range allows for it.
  constexpr double slack = 1e-12;
  if (!(p >= (1.0 - slack) * b23_p(T_13) && p <= (1.0 + slack) * p_max))
    throw std::domain_error("if97::b23_t");
  return b23[3] + std::sqrt((p - b23[4]) / b23[2]);
}

double psat(double T) {
  if (!(T >= T_min && T <= Tc)) throw std::domain_error("if97::psat");
  const double theta = T + n[8] / (T - n[9]);
  const double A = theta * theta + n[0] * theta + n[1];
  const double B = n[2] * theta * theta + n[3] * theta + n[4];
  const double C = n[5] * theta * theta + n[6] * theta + n[7];
  const double r = 2.0 * C / (-B + std::sqrt(B * B - 4.0 * A * C));
  return r * r * r * r;
}

double tsat(double p) {
  // The lower end of the range is the saturation pressure at T_min, whatever its rounding.
  static const double p_low = psat(T_min);
  if (!(p >= p_low && p <= pc)) throw std::domain_error("if97::tsat");
  const double beta = std::sqrt(std::sqrt(p));
  const double E = beta * beta + n[2] * beta + n[5];
  const double F = n[0] * beta * beta + n[3] * beta + n[6];
  const double G = n[1] * beta * beta + n[4] * beta + n[7];
  const double D = 2.0 * G / (-F - std::sqrt(F * F - 4.0 * E * G));
  return 0.5 * (n[9] + D - std::sqrt((n[9] + D) * (n[9] + D) - 4.0 * (n[8] + n[9] * D)));
}

region region_of(double T, double p) {
  if (!(p > 0.0 && T >= T_min && T <= T_max)) return region::none;
  if (T > T_mid) return p <= p_max5 ? region::five : region::none;
  if (p > p_max) return region::none;
  if (T <= T_13) return p >= psat(T) ? region::one : region::two;
  if (T <= T_23 && p > b23_p(T)) return region::three;
  return region::two;
}

}  // namespace Vantrel::if97
