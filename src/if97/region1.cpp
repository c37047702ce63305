// Region 1, the liquid: the basic equation γ(π, τ) with π = p/16.53 MPa, τ = 1386 K/T.
#include <array>
#include <stdexcept>

#include "if97/basic.h"

namespace Vantrel::if97 {
namespace {

// IAPWS R7-97(2012), Table 2: coefficients and exponents of γ for region 1.
constexpr std::array<term, 34> region1_terms{{
    {0, -2, 0.14632971213167},        {0, -1, -0.84548187169114},
    {0, 0, -0.37563603672040e1},      {0, 1, 0.33855169168385e1},
    {0, 2, -0.95791963387872},        {0, 3, 0.15772038513228},
    {0, 4, -0.16616417199501e-1},     {0, 5, 0.81214629983568e-3},
    {1, -9, 0.28319080123804e-3},     {1, -7, -0.60706301565874e-3},
    {1, -1, -0.18990068218419e-1},    {1, 0, -0.32529748770505e-1},
    {1, 1, -0.21841717175414e-1},     {1, 3, -0.52838357969930e-4},
    {2, -3, -0.47184321073267e-3},    {2, 0, -0.30001780793026e-3},
    {2, 1, 0.47661393906987e-4},      {2, 3, -0.44141845330846e-5},
    {2, 17, -0.72694996297594e-15},   {3, -4, -0.31679644845054e-4},
    {3, 0, -0.28270797985312e-5},     {3, 6, -0.85205128120103e-9},
    {4, -5, -0.22425281908000e-5},    {4, -2, -0.65171222895601e-6},
    {4, 10, -0.14341729937924e-12},   {5, -8, -0.40516996860117e-6},
    {8, -11, -0.12734301741641e-8},   {8, -6, -0.17424871230634e-9},
    {21, -29, -0.68762131295531e-18}, {23, -31, 0.14478307828521e-19},
    {29, -38, 0.26335781662795e-22},  {30, -39, -0.11947622640071e-22},
    {31, -40, 0.18228094581404e-23},  {32, -41, -0.93537087292458e-25},
}};

// The equation is a polynomial in (7.1 − π) and (τ − 1.222).
constexpr double pi_shift = 7.1;
constexpr double tau_shift = 1.222;

// The powers the table and its derivatives reach: (7.1 − π)^0..32, (τ − 1.222)^−43..17.
using powers_a = power_table<0, 32>;
using powers_b = power_table<-43, 17>;

}  // namespace

gibbs_derivatives gamma1(double pi, double tau) {
  const powers_a a(pi_shift - pi);
  const powers_b b(tau - tau_shift);
  gibbs_derivatives d;
  // One pass over the 34 terms for all six values: each term reads its powers once and the
  // derivatives share them (the π-derivatives carry the sign of d(7.1 − π)/dπ).
  for (const auto& c : region1_terms) {
    const double a0 = a(c.I), a1 = c.I > 0 ? a(c.I - 1) : 0.0, a2 = c.I > 1 ? a(c.I - 2) : 0.0;
    // A term whose τ-derivative vanishes reads no power below it, which may not be finite.
    const double b0 = b(c.J), b1 = c.J != 0 ? b(c.J - 1) : 0.0;
    const double b2 = c.J != 0 && c.J != 1 ? b(c.J - 2) : 0.0;
    const double na = c.n * a0, ni = c.n * c.I;
    d.g += na * b0;
    d.g_p -= ni * a1 * b0;
    d.g_pp += ni * (c.I - 1) * a2 * b0;
    d.g_t += na * c.J * b1;
    d.g_tt += na * c.J * (c.J - 1) * b2;
    d.g_pt -= ni * a1 * c.J * b1;
  }
  return d;
}

volume_slope region1_volume(double T, double p) {
  const powers_a a(pi_shift - p / p_star1);
  const powers_b b(T_star1 / T - tau_shift);
  double g_p = 0.0, g_pp = 0.0;
  for (const auto& c : region1_terms) {
    if (c.I != 0) g_p -= c.n * c.I * a(c.I - 1) * b(c.J);
  }
  for (const auto& c : region1_terms) {
    if (c.I > 1) g_pp += c.n * c.I * (c.I - 1) * a(c.I - 2) * b(c.J);
  }
  // v = RT·γ_π/p*, with kJ/(kg·MPa) = 1e-3 m³/kg.
  return {1e-3 * R * T * g_p / p_star1, 1e-3 * R * T * g_pp / (p_star1 * p_star1)};
}

state region1_tp(double T, double p) {
  if (!(T > 0.0 && p > 0.0)) throw std::domain_error("if97::region1_tp");
  const double tau = T_star1 / T;
  return from_gibbs(region::one, T, p, p_star1, tau, gamma1(p / p_star1, tau));
}

}  // namespace Vantrel::if97
