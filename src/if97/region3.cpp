// Region 3, near the critical point: φ(δ, τ) = n1·ln δ + Σ n·δ^I·τ^J with δ = ρ/ρc, τ = Tc/T.
#include <array>
#include <cmath>
#include <stdexcept>

#include "if97/basic.h"

namespace Vantrel::if97 {
namespace {

// IAPWS R7-97(2012), Table 30: n1 of the logarithmic term, then coefficients and exponents of
// terms 2 to 40.
constexpr double n1 = 0.10658070028513e1;
constexpr std::array<term, 39> region3_terms{{
    {0, 0, -0.15732845290239e2},   {0, 1, 0.20944396974307e2},    {0, 2, -0.76867707878716e1},
    {0, 7, 0.26185947787954e1},    {0, 10, -0.28080781148620e1},  {0, 12, 0.12053369696517e1},
    {0, 23, -0.84566812812502e-2}, {1, 2, -0.12654315477714e1},   {1, 6, -0.11524407806681e1},
    {1, 15, 0.88521043984318},     {1, 17, -0.64207765181607},    {2, 0, 0.38493460186671},
    {2, 2, -0.85214708824206},     {2, 6, 0.48972281541877e1},    {2, 7, -0.30502617256965e1},
    {2, 22, 0.39420536879154e-1},  {2, 26, 0.12558408424308},     {3, 0, -0.27999329698710},
    {3, 2, 0.13899799569460e1},    {3, 4, -0.20189915023570e1},   {3, 16, -0.82147637173963e-2},
    {3, 26, -0.47596035734923},    {4, 0, 0.43984074473500e-1},   {4, 2, -0.44476435428739},
    {4, 4, 0.90572070719733},      {4, 26, 0.70522450087967},     {5, 1, 0.10770512626332},
    {5, 3, -0.32913623258954},     {5, 26, -0.50871062041158},    {6, 0, -0.22175400873096e-1},
    {6, 2, 0.94260751665092e-1},   {6, 26, 0.16436278447961},     {7, 2, -0.13503372241348e-1},
    {8, 26, -0.14834345352472e-1}, {9, 2, 0.57922953628084e-3},   {9, 26, 0.32308904703711e-2},
    {10, 0, 0.80964802996215e-4},  {10, 1, -0.16557679795037e-3}, {11, 26, -0.44923899061815e-4},
}};

// The powers the table and its derivatives reach: δ^0..11, τ^0..26.
using powers_delta = power_table<0, 11>;
using powers_tau = power_table<0, 26>;

double phi_d(double delta, const powers_delta& dl, const powers_tau& t) {
  double r = n1 / delta;
  for (const auto& c : region3_terms) {
    if (c.I != 0) r += c.n * c.I * dl(c.I - 1) * t(c.J);
  }
  return r;
}

double phi_dd(double delta, const powers_delta& dl, const powers_tau& t) {
  double r = -n1 / (delta * delta);
  for (const auto& c : region3_terms) {
    if (c.I > 1) r += c.n * c.I * (c.I - 1) * dl(c.I - 2) * t(c.J);
  }
  return r;
}

}  // namespace

helmholtz_derivatives phi3(double delta, double tau) {
  const powers_delta dl(delta);
  const powers_tau t(tau);
  helmholtz_derivatives d;
  d.f = n1 * std::log(delta);
  for (const auto& c : region3_terms) d.f += c.n * dl(c.I) * t(c.J);
  d.f_d = phi_d(delta, dl, t);
  d.f_dd = phi_dd(delta, dl, t);
  for (const auto& c : region3_terms) {
    if (c.J != 0) d.f_t += c.n * dl(c.I) * c.J * t(c.J - 1);
  }
  for (const auto& c : region3_terms) {
    if (c.J > 1) d.f_tt += c.n * dl(c.I) * c.J * (c.J - 1) * t(c.J - 2);
  }
  for (const auto& c : region3_terms) {
    if (c.I != 0 && c.J != 0) d.f_dt += c.n * c.I * dl(c.I - 1) * c.J * t(c.J - 1);
  }
  return d;
}

pressure_slope region3_pressure(double rho, double T) {
  const double delta = rho / rhoc;
  const double tau = Tc / T;
  const powers_delta dl(delta);
  const powers_tau t(tau);
  const double fd = phi_d(delta, dl, t);
  const double fdd = phi_dd(delta, dl, t);
  // p = ρRT·δφ_δ and (∂p/∂ρ)_T = RT·(2δφ_δ + δ²φ_δδ), with kJ/m³ = 1e-3 MPa.
  return {1e-3 * rho * R * T * delta * fd, 1e-3 * R * T * (2.0 * delta * fd + delta * delta * fdd)};
}

state region3_rho_t(double rho, double T) {
  if (!(rho > 0.0 && T > 0.0)) throw std::domain_error("if97::region3_rho_t");
  return from_helmholtz(rho, T, phi3(rho / rhoc, Tc / T));
}

}  // namespace Vantrel::if97
