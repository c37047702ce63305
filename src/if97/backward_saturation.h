#pragma once
// The saturation-pressure and saturation-temperature equations of region 4 and the B23 line,
// without range checks: the checked forms of if97.h stand on them, and the backward equations use
// them to tell sub-regions apart along the saturation line.
#include <array>
#include <cmath>

namespace Vantrel::if97::backward_detail {

// Region 4 coefficients n1-n10 (IAPWS R7-97(2012), Table 34).
inline constexpr std::array<double, 10> sat_n{
    0.11670521452767e4,  -0.72421316703206e6, -0.17073846940092e2, 0.12020824702470e5,
    -0.32325550322333e7, 0.14915108613530e2,  -0.48232657361591e4, 0.40511340542057e6,
    -0.23855557567849,   0.65017534844798e3};

// psat(T), Eq. (30); 273.15 K <= T <= 647.096 K.
inline double psat_t(double T) {
  const auto& n = sat_n;
  const double v = T + n[8] / (T - n[9]);
  const double A = v * v + n[0] * v + n[1];
  const double B = n[2] * v * v + n[3] * v + n[4];
  const double C = n[5] * v * v + n[6] * v + n[7];
  const double x = 2.0 * C / (-B + std::sqrt(B * B - 4.0 * A * C));
  return x * x * x * x;
}

// Tsat(p), Eq. (31); 611.213 Pa <= p <= 22.064 MPa.
inline double tsat_p(double p) {
  const auto& n = sat_n;
  const double beta = std::sqrt(std::sqrt(p));
  const double E = beta * beta + n[2] * beta + n[5];
  const double F = n[0] * beta * beta + n[3] * beta + n[6];
  const double G = n[1] * beta * beta + n[4] * beta + n[7];
  const double D = 2.0 * G / (-F - std::sqrt(F * F - 4.0 * E * G));
  return 0.5 * (n[9] + D - std::sqrt((n[9] + D) * (n[9] + D) - 4.0 * (n[8] + n[9] * D)));
}

// B23, the boundary between regions 2 and 3 (IAPWS R7-97(2012), Table 1): n1 to n5.
inline constexpr std::array<double, 5> b23_n{
    0.34805185628969e3, -0.11671859879975e1, 0.10192970039326e-2,
    0.57254459862746e3, 0.13918839778870e2,
};

// p(T), Eq. (5).
inline double b23_p(double T) {
  return b23_n[0] + b23_n[1] * T + b23_n[2] * T * T;
}

// T(p), Eq. (6).
inline double b23_t(double p) {
  return b23_n[3] + std::sqrt((p - b23_n[4]) / b23_n[2]);
}

}  // namespace Vantrel::if97::backward_detail
