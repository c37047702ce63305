// Region 5, steam above 1073.15 K: γ = γ° + γʳ with π = p/1 MPa, τ = 1000 K/T.
#include <array>
#include <cmath>
#include <stdexcept>

#include "if97/basic.h"

namespace Vantrel::if97 {
namespace {

// IAPWS R7-97(2012), Table 37: coefficients and exponents of the ideal-gas part γ°.
constexpr std::array<ideal_term, 6> ideal_terms{{
    {0, -0.13179983674201e2},
    {1, 0.68540841634434e1},
    {-3, -0.24805148933466e-1},
    {-2, 0.36901534980333},
    {-1, -0.31161318213925e1},
    {2, -0.32961626538917},
}};

// IAPWS R7-97(2012), Table 38: coefficients and exponents of the residual part γʳ.
constexpr std::array<term, 6> terms{{
    {1, 1, 0.15736404855259e-2},
    {1, 2, 0.90153761673944e-3},
    {1, 3, -0.50270077677648e-2},
    {2, 3, 0.22440037409485e-5},
    {2, 9, -0.41163275453471e-5},
    {3, 7, 0.37919454822955e-7},
}};

// The powers the tables and their derivatives reach: π^0..3, τ^−5..9.
using powers_pi = power_table<0, 3>;
using powers_tau = power_table<-5, 9>;

}  // namespace

gibbs_derivatives gamma5(double pi, double tau) {
  const powers_pi q(pi);
  const powers_tau t(tau);
  gibbs_derivatives d;
  d.g = std::log(pi);
  for (const auto& c : ideal_terms) d.g += c.n * t(c.J);
  d.g_p = 1.0 / pi;
  d.g_pp = -1.0 / (pi * pi);
  for (const auto& c : ideal_terms) {
    if (c.J != 0) d.g_t += c.n * c.J * t(c.J - 1);
  }
  for (const auto& c : ideal_terms) {
    if (c.J != 0 && c.J != 1) d.g_tt += c.n * c.J * (c.J - 1) * t(c.J - 2);
  }

  for (const auto& c : terms) d.g += c.n * q(c.I) * t(c.J);
  for (const auto& c : terms) d.g_p += c.n * c.I * q(c.I - 1) * t(c.J);
  for (const auto& c : terms) {
    if (c.I > 1) d.g_pp += c.n * c.I * (c.I - 1) * q(c.I - 2) * t(c.J);
  }
  for (const auto& c : terms) d.g_t += c.n * q(c.I) * c.J * t(c.J - 1);
  for (const auto& c : terms) {
    d.g_tt += c.n * q(c.I) * c.J * (c.J - 1) * t(c.J - 2);
  }
  for (const auto& c : terms) {
    d.g_pt += c.n * c.I * q(c.I - 1) * c.J * t(c.J - 1);
  }
  return d;
}

volume_slope region5_volume(double T, double p) {
  const double pi = p / p_star5;
  const powers_pi q(pi);
  const powers_tau t(T_star5 / T);
  double g_p = 1.0 / pi, g_pp = -1.0 / (pi * pi);
  for (const auto& c : terms) g_p += c.n * c.I * q(c.I - 1) * t(c.J);
  for (const auto& c : terms) {
    if (c.I > 1) g_pp += c.n * c.I * (c.I - 1) * q(c.I - 2) * t(c.J);
  }
  return {1e-3 * R * T * g_p / p_star5, 1e-3 * R * T * g_pp / (p_star5 * p_star5)};
}

state region5_tp(double T, double p) {
  if (!(T > 0.0 && p > 0.0)) throw std::domain_error("if97::region5_tp");
  const double tau = T_star5 / T;
  return from_gibbs(region::five, T, p, p_star5, tau, gamma5(p / p_star5, tau));
}

}  // namespace Vantrel::if97
