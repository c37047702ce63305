// The property records of the basic equations. Every derivative property comes from the
// derivatives of the equation that holds the point: a Gibbs equation gives v, (∂v/∂p)_T,
// (∂v/∂T)_p and cp directly, the Helmholtz equation gives p, (∂p/∂ρ)_T, (∂p/∂T)_ρ and cv, and
// the rest follows by the usual identities.
#include <algorithm>
#include <cmath>

#include "if97/basic.h"

namespace Vantrel::if97 {
namespace {

// Bound on the reduced slope (∂p/∂ρ)_T/(ρRT) below which the region 3 equation is taken to be
// at its critical point, where the properties that divide by the slope read 0.
constexpr double guard = 1e-8;

}  // namespace

state from_gibbs(region where, double T, double p, double p_star, double tau,
                 const gibbs_derivatives& d) {
  state s;
  s.where = where;
  s.T = T;
  s.p = p;
  const double pi = p / p_star;
  const double rt = R * T;
  s.v = rt * pi * d.g_p / (p * kj_per_mpa_m3);
  s.rho = 1.0 / s.v;
  s.dvdp = rt * d.g_pp / (p_star * p_star * kj_per_mpa_m3);
  // v = RT·γ_π/p*, and d(Tγ_π)/dT = γ_π − τγ_πτ.
  s.dvdt = R * (d.g_p - tau * d.g_pt) / (p_star * kj_per_mpa_m3);
  const double pv = kj_per_mpa_m3 * p * s.v;
  s.g = rt * d.g;
  s.h = rt * tau * d.g_t;
  s.s = R * (tau * d.g_t - d.g);
  s.u = s.h - pv;
  s.a = s.g - pv;
  s.z = pv / rt;
  s.cp = -R * tau * tau * d.g_tt;
  s.cv = s.cp + kj_per_mpa_m3 * T * s.dvdt * s.dvdt / s.dvdp;
  s.alpha = s.dvdt / s.v;
  s.kappa = -s.dvdp / s.v;
  s.dpdt = -s.dvdt / s.dvdp;
  // w² = −v²·(cp/cv)/(∂v/∂p)_T in MPa·m³/kg = 1e6 m²/s².
  s.w = std::sqrt(-1e6 * s.v * s.v * s.cp / (s.cv * s.dvdp));
  s.cjtt = kj_per_mpa_m3 * (s.v - T * s.dvdt);
  s.cjth = -s.cjtt / s.cp;
  return s;
}

state from_helmholtz(double rho, double T, const helmholtz_derivatives& d) {
  state s;
  s.where = region::three;
  s.T = T;
  s.rho = rho;
  s.v = 1.0 / rho;
  const double delta = rho / rhoc;
  const double tau = Tc / T;
  const double rt = R * T;
  s.p = rho * rt * delta * d.f_d / kj_per_mpa_m3;
  s.a = rt * d.f;
  s.u = rt * tau * d.f_t;
  s.h = rt * (tau * d.f_t + delta * d.f_d);
  s.g = rt * (d.f + delta * d.f_d);
  s.s = R * (tau * d.f_t - d.f);
  s.z = delta * d.f_d;
  s.cv = -R * tau * tau * d.f_tt;
  // x = (∂p/∂ρ)_T/(RT), y = (∂p/∂T)_ρ/(ρR), both dimensionless.
  const double x = 2.0 * delta * d.f_d + delta * delta * d.f_dd;
  const double y = delta * d.f_d - delta * tau * d.f_dt;
  s.dpdt = rho * R * y / kj_per_mpa_m3;
  s.w = std::sqrt(std::max(0.0, 1e3 * rt * (x - y * y / (tau * tau * d.f_tt))));
  if (std::abs(x) > guard) {
    const double dpdrho = rt * x / kj_per_mpa_m3;
    s.dvdp = -1.0 / (rho * rho * dpdrho);
    s.dvdt = -s.dpdt * s.dvdp;
    s.cp = s.cv + R * y * y / x;
    s.alpha = s.dvdt / s.v;
    s.kappa = -s.dvdp / s.v;
    s.cjtt = kj_per_mpa_m3 * (s.v - T * s.dvdt);
    s.cjth = -s.cjtt / s.cp;
  }
  return s;
}

}  // namespace Vantrel::if97
