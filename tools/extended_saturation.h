#pragma once
// The IAPWS-95 saturation line in a wider floating type than the library's: the residual part
// φʳ with its first two derivatives by δ and its first by τ, the ideal-gas part φ° with its first
// by τ, the equal-fugacity condition solved by Newton's method for both densities at once, and
// the enthalpy and entropy of either phase at the solution. The coefficients are the library's own
// doubles, taken exactly, so the line is that of the equation the library evaluates; only the
// rounding of the arithmetic differs.
//
// Written for proofs of the fitted line, not for speed: the fitting program checks its table
// against it between the nodes, and the saturation tests do the same at points of their own.
// R is long double or quad (__float128, through libquadmath). Near the critical point long double
// keeps the densities only to a few parts in 1e13, so the proofs solve in quad.
#include <quadmath.h>

#include <cmath>
#include <cstddef>

#include "model/coefficients95.h"
#include "model/constant95.h"

namespace Vantrel::extended {

__extension__ typedef __float128 quad;

inline long double exp_of(long double x) {
  return std::exp(x);
}
inline long double log_of(long double x) {
  return std::log(x);
}
inline quad exp_of(quad x) {
  return expq(x);
}
inline quad log_of(quad x) {
  return logq(x);
}

// φʳ and its derivatives by δ, and its first by τ, at one (δ, τ).
template <class R>
struct residual {
  R phi, phi_d, phi_dd, phi_t;
};

template <class R>
R power(R x, int k) {
  R result = 1;
  for (int i = 0; i < k; ++i) result *= x;
  return result;
}

// x^y for x > 0 and any real y.
template <class R>
R real_power(R x, R y) {
  return exp_of(y * log_of(x));
}

// IAPWS-95 residual part and its derivatives, term by term (IAPWS R6-95(2018), Table 5).
template <class R>
residual<R> residual_at(R delta, R tau) {
  using namespace iapws95;
  residual<R> r{0, 0, 0, 0};
  for (std::size_t i = 0; i < poly_n.size(); ++i) {
    const int d = poly_d[i];
    const R n = R(poly_n[i]) * real_power(tau, R(poly_t[i]));
    r.phi += n * power(delta, d);
    r.phi_d += n * d * power(delta, d - 1);
    if (d >= 2) r.phi_dd += n * d * (d - 1) * power(delta, d - 2);
    r.phi_t += n * R(poly_t[i]) / tau * power(delta, d);
  }
  for (std::size_t i = 0; i < exp_n.size(); ++i) {
    const int c = exp_c[i], d = exp_d[i];
    const R dc = power(delta, c);
    const R n = R(exp_n[i]) * power(tau, exp_t[i]) * exp_of(-dc);
    const R dd = power(delta, d - 1);
    r.phi += n * dd * delta;
    r.phi_t += n * dd * delta * exp_t[i] / tau;
    r.phi_d += n * dd * (d - c * dc);
    r.phi_dd += n * dd / delta * ((d - c * dc) * (d - 1 - c * dc) - R(c) * c * dc);
  }
  for (std::size_t i = 0; i < gauss_n.size(); ++i) {
    const int d = gauss_d[i];
    const R a = R(gauss_alpha), de = delta - 1, te = tau - R(gauss_gamma[i]);
    const R e =
        R(gauss_n[i]) * power(tau, gauss_t[i]) * exp_of(-a * de * de - R(gauss_beta[i]) * te * te);
    const R dd = power(delta, d);
    r.phi += e * dd;
    r.phi_t += e * dd * (gauss_t[i] / tau - 2 * R(gauss_beta[i]) * te);
    r.phi_d += e * dd * (R(d) / delta - 2 * a * de);
    r.phi_dd += e * (-2 * a * dd + 4 * a * a * dd * de * de - 4 * d * a * power(delta, d - 1) * de +
                     R(d) * (d - 1) * power(delta, d - 2));
  }
  const R dm1 = delta - 1, q = dm1 * dm1, tm1 = tau - 1;
  const R A = R(nonan_A), B = R(nonan_B), a = R(nonan_a), beta = R(nonan_beta);
  const R half_inverse_beta = 1 / (2 * beta);
  const R q_theta = real_power(q, half_inverse_beta - 1);  // q^(1/(2β) − 1)
  const R theta = -tm1 + A * q_theta * q;
  const R big = theta * theta + B * real_power(q, a);
  const R big_d = dm1 * (A * theta * 2 / beta * q_theta + 2 * B * a * real_power(q, a - 1));
  const R big_dd = big_d / dm1 + q * (4 * B * a * (a - 1) * real_power(q, a - 2) +
                                      2 * A * A / (beta * beta) * q_theta * q_theta +
                                      A * theta * 4 / beta * (half_inverse_beta - 1) *
                                          real_power(q, half_inverse_beta - 2));
  for (std::size_t i = 0; i < nonan_n.size(); ++i) {
    const R n = R(nonan_n[i]), b = R(nonan_b[i]), C = R(nonan_C[i]), D = R(nonan_D[i]);
    const R psi = exp_of(-C * q - D * tm1 * tm1);
    const R psi_d = -2 * C * dm1 * psi;
    const R psi_dd = (2 * C * q - 1) * 2 * C * psi;
    const R big_b = real_power(big, b);
    const R big_b_d = b * big_b / big * big_d;
    const R big_b_dd = b * (big_b / big * big_dd + (b - 1) * big_b / (big * big) * big_d * big_d);
    r.phi += n * big_b * delta * psi;
    // ∂Δ/∂τ = −2θ, ∂ψ/∂τ = −2D(τ − 1)ψ.
    r.phi_t += n * delta * (-2 * theta * b * big_b / big * psi - 2 * D * tm1 * big_b * psi);
    r.phi_d += n * (big_b * (psi + delta * psi_d) + big_b_d * delta * psi);
    r.phi_dd += n * (big_b * (2 * psi_d + delta * psi_dd) + 2 * big_b_d * (psi + delta * psi_d) +
                     big_b_dd * delta * psi);
  }
  return r;
}

// φ° and its derivative by τ at one (δ, τ).
template <class R>
struct ideal {
  R phi, phi_t;
};

// IAPWS-95 ideal-gas part (IAPWS R6-95(2018), Table 4, coefficients of Table 1).
template <class R>
ideal<R> ideal_at(R delta, R tau) {
  using namespace iapws95;
  ideal<R> o{log_of(delta) + R(ideal_n1) + R(ideal_n2) * tau + R(ideal_n3) * log_of(tau),
             R(ideal_n2) + R(ideal_n3) / tau};
  for (std::size_t i = 0; i < ideal_n.size(); ++i) {
    const R e = exp_of(-R(ideal_gamma[i]) * tau);
    o.phi += R(ideal_n[i]) * log_of(1 - e);
    o.phi_t += R(ideal_n[i]) * R(ideal_gamma[i]) * e / (1 - e);
  }
  return o;
}

// The specific enthalpy (kJ/kg) and entropy (kJ/(kg·K)) of one phase.
template <class R>
struct energies {
  R h, s;
};

// h = RT(1 + τφ_τ + δφʳ_δ) and s = R(τφ_τ − φ), with φ = φ° + φʳ.
template <class R>
energies<R> energies_at(R delta, R tau) {
  const ideal<R> o = ideal_at(delta, tau);
  const residual<R> r = residual_at(delta, tau);
  const R gas_constant = R(constant95::R);
  const R tau_phi_t = tau * (o.phi_t + r.phi_t);
  return {gas_constant * R(constant95::Tc) / tau * (1 + tau_phi_t + delta * r.phi_d),
          gas_constant * (tau_phi_t - o.phi - r.phi)};
}

// A point of the saturation line: π = p/pc, δ′ and δ″.
template <class R>
struct saturation_point {
  R pi, delta_liq, delta_vap;
  bool converged;
};

// At fixed τ the two phases have equal pressure, J(δ′) = J(δ″) with J = δ(1 + δφʳ_δ), and equal
// Gibbs energy, K(δ′) = K(δ″) with K = δφʳ_δ + φʳ + ln δ. Newton's method on both densities at
// once from (δ′₀, δ″₀); dK/dδ = (dJ/dδ)/δ. Converged once a step moves the densities by at most
// `tolerance` relative, which leaves them within about its square of the root. The pressure is
// read from the vapour, where J is not a small difference of large terms.
template <class R>
saturation_point<R> solve_at_theta(R theta, R delta_liq, R delta_vap, R tolerance) {
  const R tau = 1 / theta;
  bool converged = false;
  for (int k = 0; k < 40 && !converged; ++k) {
    const residual<R> l = residual_at(delta_liq, tau), v = residual_at(delta_vap, tau);
    const R J_l = delta_liq * (1 + delta_liq * l.phi_d);
    const R J_v = delta_vap * (1 + delta_vap * v.phi_d);
    const R K_l = delta_liq * l.phi_d + l.phi + log_of(delta_liq);
    const R K_v = delta_vap * v.phi_d + v.phi + log_of(delta_vap);
    const R Jd_l = 1 + 2 * delta_liq * l.phi_d + delta_liq * delta_liq * l.phi_dd;
    const R Jd_v = 1 + 2 * delta_vap * v.phi_d + delta_vap * delta_vap * v.phi_dd;
    const R Kd_l = Jd_l / delta_liq, Kd_v = Jd_v / delta_vap;
    // F = (J_v − J_l, K_v − K_l) over (δ′, δ″).
    const R F1 = J_v - J_l, F2 = K_v - K_l;
    const R det = -Jd_l * Kd_v + Jd_v * Kd_l;
    const R step_l = -(F1 * Kd_v - Jd_v * F2) / det;
    const R step_v = -(-Jd_l * F2 + Kd_l * F1) / det;
    delta_liq += step_l;
    delta_vap += step_v;
    const R size =
        (step_l < 0 ? -step_l : step_l) / delta_liq + (step_v < 0 ? -step_v : step_v) / delta_vap;
    converged = size <= tolerance;
  }
  const residual<R> v = residual_at(delta_vap, tau);
  const R scale =
      R(constant95::rhoc) * R(constant95::R) * R(constant95::Tc) / (1000 * R(constant95::pc));
  const R pi = delta_vap * (1 + delta_vap * v.phi_d) * scale * theta;
  return {pi, delta_liq, delta_vap, converged};
}

}  // namespace Vantrel::extended
