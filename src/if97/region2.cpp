// Region 2, the vapour: γ = γ° + γʳ with π = p/1 MPa, τ = 540 K/T, and the equation of the
// metastable vapour, which shares the form with its own coefficients.
#include <array>
#include <cmath>
#include <span>
#include <stdexcept>

#include "if97/basic.h"

namespace Vantrel::if97 {
namespace {

// IAPWS R7-97(2012), Table 10: coefficients and exponents of the ideal-gas part γ°.
constexpr std::array<ideal_term, 9> ideal_terms{{
    {0, -0.96927686500217e1},
    {1, 0.10086655968018e2},
    {-5, -0.56087911283020e-2},
    {-4, 0.71452738081455e-1},
    {-3, -0.40710498223928},
    {-2, 0.14240819171444e1},
    {-1, -0.43839511319450e1},
    {2, -0.28408632460772},
    {3, 0.21268463753307e-1},
}};

// IAPWS R7-97(2012), Table 10, footnote: n°1 and n°2 of γ° within the metastable-vapour
// equation; the other seven terms are those above.
constexpr std::array<ideal_term, 9> metastable_ideal_terms = [] {
  std::array<ideal_term, 9> t = ideal_terms;
  t[0].n = -0.96937268393049e1;
  t[1].n = 0.10087275970006e2;
  return t;
}();

// IAPWS R7-97(2012), Table 11: coefficients and exponents of the residual part γʳ.
constexpr std::array<term, 43> terms{{
    {1, 0, -0.17731742473213e-2},   {1, 1, -0.17834862292358e-1},
    {1, 2, -0.45996013696365e-1},   {1, 3, -0.57581259083432e-1},
    {1, 6, -0.50325278727930e-1},   {2, 1, -0.33032641670203e-4},
    {2, 2, -0.18948987516315e-3},   {2, 4, -0.39392777243355e-2},
    {2, 7, -0.43797295650573e-1},   {2, 36, -0.26674547914087e-4},
    {3, 0, 0.20481737692309e-7},    {3, 1, 0.43870667284435e-6},
    {3, 3, -0.32277677238570e-4},   {3, 6, -0.15033924542148e-2},
    {3, 35, -0.40668253562649e-1},  {4, 1, -0.78847309559367e-9},
    {4, 2, 0.12790717852285e-7},    {4, 3, 0.48225372718507e-6},
    {5, 7, 0.22922076337661e-5},    {6, 3, -0.16714766451061e-10},
    {6, 16, -0.21171472321355e-2},  {6, 35, -0.23895741934104e2},
    {7, 0, -0.59059564324270e-17},  {7, 11, -0.12621808899101e-5},
    {7, 25, -0.38946842435739e-1},  {8, 8, 0.11256211360459e-10},
    {8, 36, -0.82311340897998e1},   {9, 13, 0.19809712802088e-7},
    {10, 4, 0.10406965210174e-18},  {10, 10, -0.10234747095929e-12},
    {10, 14, -0.10018179379511e-8}, {16, 29, -0.80882908646985e-10},
    {16, 50, 0.10693031879409},     {18, 57, -0.33662250574171},
    {20, 20, 0.89185845355421e-24}, {20, 35, 0.30629316876232e-12},
    {20, 48, -0.42002467698208e-5}, {21, 21, -0.59056029685639e-25},
    {22, 53, 0.37826947613457e-5},  {23, 39, -0.12768608934681e-14},
    {24, 26, 0.73087610595061e-28}, {24, 40, 0.55414715350778e-16},
    {24, 58, -0.94369707241210e-6},
}};

// IAPWS R7-97(2012), Table 16: coefficients and exponents of γʳ of the metastable vapour.
constexpr std::array<term, 13> metastable_terms{{
    {1, 0, -0.73362260186506e-2},
    {1, 2, -0.88223831943146e-1},
    {1, 5, -0.72334555213245e-1},
    {1, 11, -0.40813178534455e-2},
    {2, 1, 0.20097803380207e-2},
    {2, 7, -0.53045921898642e-1},
    {2, 16, -0.76190409086970e-2},
    {3, 4, -0.63498037657313e-2},
    {3, 16, -0.86043093028588e-1},
    {4, 7, 0.75321581522770e-2},
    {4, 10, -0.79238375446139e-2},
    {5, 9, -0.22888160778447e-3},
    {5, 10, -0.26456501482810e-2},
}};

// The residual part is a polynomial in π and (τ − 0.5).
constexpr double tau_shift = 0.5;

// The powers the tables and their derivatives reach: τ^−7..3 in γ°, π^0..24 and
// (τ − 0.5)^0..58 in γʳ.
using powers_tau = power_table<-7, 3>;
using powers_pi = power_table<0, 24>;
using powers_b = power_table<0, 58>;

gibbs_derivatives gamma(double pi, double tau, std::span<const ideal_term> ideal,
                        std::span<const term> residual) {
  gibbs_derivatives d;
  // γ°: ln π plus a polynomial in τ; its π-derivatives are those of ln π alone.
  const powers_tau t(tau);
  d.g = std::log(pi);
  for (const auto& c : ideal) d.g += c.n * t(c.J);
  d.g_p = 1.0 / pi;
  d.g_pp = -1.0 / (pi * pi);
  for (const auto& c : ideal) {
    if (c.J != 0) d.g_t += c.n * c.J * t(c.J - 1);
  }
  for (const auto& c : ideal) {
    if (c.J != 0 && c.J != 1) d.g_tt += c.n * c.J * (c.J - 1) * t(c.J - 2);
  }

  // One pass over the 43 terms for all six values: each term reads its powers once, and the
  // derivatives share them. Separate loops per derivative cost twice the time, and region 2 is
  // what every vapour state of the face evaluates several times.
  const powers_pi q(pi);
  const powers_b b(tau - tau_shift);
  for (const auto& c : residual) {
    const double q1 = q(c.I - 1), q2 = c.I > 1 ? q(c.I - 2) : 0.0;
    const double b0 = b(c.J), b1 = c.J > 0 ? b(c.J - 1) : 0.0, b2 = c.J > 1 ? b(c.J - 2) : 0.0;
    const double nq = c.n * q(c.I), ni = c.n * c.I;
    d.g += nq * b0;
    d.g_p += ni * q1 * b0;
    d.g_pp += ni * (c.I - 1) * q2 * b0;
    d.g_t += nq * c.J * b1;
    d.g_tt += nq * c.J * (c.J - 1) * b2;
    d.g_pt += ni * q1 * c.J * b1;
  }
  return d;
}

}  // namespace

gibbs_derivatives gamma2(double pi, double tau) {
  return gamma(pi, tau, ideal_terms, terms);
}

gibbs_derivatives gamma2_metastable(double pi, double tau) {
  return gamma(pi, tau, metastable_ideal_terms, metastable_terms);
}

volume_slope region2_volume(double T, double p) {
  const double pi = p / p_star2;
  const powers_pi q(pi);
  const powers_b b(T_star2 / T - tau_shift);
  double g_p = 1.0 / pi, g_pp = -1.0 / (pi * pi);
  for (const auto& c : terms) g_p += c.n * c.I * q(c.I - 1) * b(c.J);
  for (const auto& c : terms) {
    if (c.I > 1) g_pp += c.n * c.I * (c.I - 1) * q(c.I - 2) * b(c.J);
  }
  return {1e-3 * R * T * g_p / p_star2, 1e-3 * R * T * g_pp / (p_star2 * p_star2)};
}

state region2_tp(double T, double p) {
  if (!(T > 0.0 && p > 0.0)) throw std::domain_error("if97::region2_tp");
  const double tau = T_star2 / T;
  return from_gibbs(region::two, T, p, p_star2, tau, gamma2(p / p_star2, tau));
}

state metastable_vapour_tp(double T, double p) {
  if (!(T > 0.0 && p > 0.0)) throw std::domain_error("if97::metastable_vapour_tp");
  const double tau = T_star2 / T;
  return from_gibbs(region::two, T, p, p_star2, tau, gamma2_metastable(p / p_star2, tau));
}

}  // namespace Vantrel::if97
