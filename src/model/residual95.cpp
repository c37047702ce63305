// Residual part φʳ(δ, τ) of the IAPWS-95 free energy and its derivatives
// (IAPWS R6-95(2018), Table 5). Each memoised quantity is one sweep over the 56 terms in
// group order; the group-wide quantities are hoisted out of the term loops and nothing is
// allocated.
#include <cmath>
#include <cstddef>

#include "model/coefficients95.h"
#include "model/helmholtz.h"
#include "model/integer_power.h"

namespace Vantrel {
namespace {

using namespace iapws95;

// Which derivative a sweep computes.
enum class derivative { none, d, dd, t, tt, dt };

// Non-analytic group constants derived from a, B, A and β.
constexpr double inv_2beta = 5.0 / 3.0;  // 1/(2β) with β = 0.3
constexpr double a_over_beta = nonan_A / nonan_beta;
constexpr double b_times_a = nonan_B * nonan_a;

template <derivative D>
double polynomial_sum(double delta, double tau) {
  double sum = 0.0;
  for (std::size_t i = 0; i < poly_n.size(); ++i) {
    const int d = poly_d[i];
    const double t = poly_t[i];
    const double n = poly_n[i];
    if constexpr (D == derivative::none) {
      sum += n * integer_power(delta, d) * std::pow(tau, t);
    } else if constexpr (D == derivative::d) {
      sum += n * d * integer_power(delta, d - 1) * std::pow(tau, t);
    } else if constexpr (D == derivative::dd) {
      sum += n * d * (d - 1) * integer_power(delta, d - 2) * std::pow(tau, t);
    } else if constexpr (D == derivative::t) {
      sum += n * t * integer_power(delta, d) * std::pow(tau, t - 1.0);
    } else if constexpr (D == derivative::tt) {
      sum += n * t * (t - 1.0) * integer_power(delta, d) * std::pow(tau, t - 2.0);
    } else {
      sum += n * d * t * integer_power(delta, d - 1) * std::pow(tau, t - 1.0);
    }
  }
  return sum;
}

template <derivative D>
double exponential_sum(double delta, double tau) {
  double sum = 0.0;
  // The terms are ordered by c, so δ^c and e^(−δ^c) change only five times per sweep.
  int last_c = 0;
  double delta_c = 0.0;
  double e = 0.0;
  for (std::size_t i = 0; i < exp_n.size(); ++i) {
    const int c = exp_c[i];
    const int d = exp_d[i];
    const int t = exp_t[i];
    const double n = exp_n[i];
    if (c != last_c) {
      last_c = c;
      delta_c = integer_power(delta, c);
      e = std::exp(-delta_c);
    }
    if constexpr (D == derivative::none) {
      sum += n * integer_power(delta, d) * integer_power(tau, t) * e;
    } else if constexpr (D == derivative::d) {
      sum += n * e * integer_power(delta, d - 1) * integer_power(tau, t) * (d - c * delta_c);
    } else if constexpr (D == derivative::dd) {
      const double k = d - c * delta_c;
      sum += n * e * integer_power(delta, d - 2) * integer_power(tau, t) *
             (k * (k - 1.0) - c * c * delta_c);
    } else if constexpr (D == derivative::t) {
      sum += n * t * integer_power(delta, d) * integer_power(tau, t - 1) * e;
    } else if constexpr (D == derivative::tt) {
      sum += n * t * (t - 1) * integer_power(delta, d) * integer_power(tau, t - 2) * e;
    } else {
      sum +=
          n * t * integer_power(delta, d - 1) * integer_power(tau, t - 1) * (d - c * delta_c) * e;
    }
  }
  return sum;
}

template <derivative D>
double gaussian_sum(double delta, double tau) {
  const double dm1 = delta - 1.0;
  const double alpha_q = gauss_alpha * dm1 * dm1;  // α(δ−1)²
  const double two_alpha_dm1 = 2.0 * gauss_alpha * dm1;
  double sum = 0.0;
  for (std::size_t i = 0; i < gauss_n.size(); ++i) {
    const int d = gauss_d[i];
    const int t = gauss_t[i];
    const double n = gauss_n[i];
    const double beta = gauss_beta[i];
    const double tg = tau - gauss_gamma[i];
    const double g = std::exp(-alpha_q - beta * tg * tg);
    const double tau_t = integer_power(tau, t);
    if constexpr (D == derivative::dd) {
      sum += n * tau_t * g *
             (2.0 * gauss_alpha * integer_power(delta, d) * (2.0 * alpha_q - 1.0) -
              2.0 * d * two_alpha_dm1 * integer_power(delta, d - 1) +
              d * (d - 1) * integer_power(delta, d - 2));
    } else {
      const double base = n * integer_power(delta, d) * tau_t * g;
      const double fd = d / delta - two_alpha_dm1;
      const double ft = t / tau - 2.0 * beta * tg;
      if constexpr (D == derivative::none) {
        sum += base;
      } else if constexpr (D == derivative::d) {
        sum += base * fd;
      } else if constexpr (D == derivative::t) {
        sum += base * ft;
      } else if constexpr (D == derivative::tt) {
        sum += base * (ft * ft - t / (tau * tau) - 2.0 * beta);
      } else {
        sum += base * fd * ft;
      }
    }
  }
  return sum;
}

// Δ^e for the exponents b−1 and b−2 of the non-analytic terms: where Δ is exactly 0
// (the critical point) the power is taken as 0.
double guarded_power(double big_delta, double e) {
  return big_delta == 0.0 ? 0.0 : std::pow(big_delta, e);
}

template <derivative D>
double nonanalytic_sum(double delta, double tau) {
  const double dm1 = delta - 1.0;
  const double tm1 = tau - 1.0;
  const double q = dm1 * dm1;
  const double q_pow = std::pow(q, inv_2beta - 1.0);  // q^(1/(2β)−1)
  const double theta = (1.0 - tau) + nonan_A * std::pow(q, inv_2beta);
  const double big_delta = theta * theta + nonan_B * std::pow(q, nonan_a);

  double delta_d = 0.0;   // Δ_δ
  double delta_dd = 0.0;  // Δ_δδ
  if constexpr (D == derivative::d || D == derivative::dd || D == derivative::dt) {
    delta_d = 2.0 * dm1 * (a_over_beta * theta * q_pow + b_times_a * std::pow(q, nonan_a - 1.0));
  }
  if constexpr (D == derivative::dd) {
    // At δ = 1 exactly both parts are 0/0 and 0·∞; their limit is 0, since Δ_δδ vanishes
    // like |δ−1|^(4/3).
    if (dm1 != 0.0) {
      delta_dd = delta_d / dm1 +
                 2.0 * q *
                     (2.0 * a_over_beta * (inv_2beta - 1.0) * theta * std::pow(q, inv_2beta - 2.0) +
                      2.0 * b_times_a * (nonan_a - 1.0) * std::pow(q, nonan_a - 2.0) +
                      a_over_beta * a_over_beta * std::pow(q, 2.0 * (inv_2beta - 1.0)));
    }
  }

  double sum = 0.0;
  for (std::size_t i = 0; i < nonan_n.size(); ++i) {
    const double n = nonan_n[i];
    const double b = nonan_b[i];
    const double C = nonan_C[i];
    const double Dc = nonan_D[i];
    const double psi = std::exp(-C * q - Dc * tm1 * tm1);
    const double db = std::pow(big_delta, b);  // Δ^b
    if constexpr (D == derivative::none) {
      sum += n * db * delta * psi;
    } else {
      const double db1 = guarded_power(big_delta, b - 1.0);
      const double psi_d = -2.0 * C * dm1 * psi;
      const double psi_t = -2.0 * Dc * tm1 * psi;
      if constexpr (D == derivative::d) {
        const double dbd = b * db1 * delta_d;
        sum += n * (db * (psi + delta * psi_d) + dbd * delta * psi);
      } else if constexpr (D == derivative::dd) {
        const double db2 = guarded_power(big_delta, b - 2.0);
        const double psi_dd = 2.0 * C * (2.0 * C * q - 1.0) * psi;
        const double dbd = b * db1 * delta_d;
        const double dbdd = b * (db1 * delta_dd + (b - 1.0) * db2 * delta_d * delta_d);
        sum += n * (db * (2.0 * psi_d + delta * psi_dd) + 2.0 * dbd * (psi + delta * psi_d) +
                    dbdd * delta * psi);
      } else if constexpr (D == derivative::t) {
        const double dbt = -2.0 * theta * b * db1;
        sum += n * delta * (dbt * psi + db * psi_t);
      } else if constexpr (D == derivative::tt) {
        const double db2 = guarded_power(big_delta, b - 2.0);
        const double psi_tt = 2.0 * Dc * (2.0 * Dc * tm1 * tm1 - 1.0) * psi;
        const double dbt = -2.0 * theta * b * db1;
        const double dbtt = 2.0 * b * db1 + 4.0 * theta * theta * b * (b - 1.0) * db2;
        sum += n * delta * (dbtt * psi + 2.0 * dbt * psi_t + db * psi_tt);
      } else {
        const double db2 = guarded_power(big_delta, b - 2.0);
        const double psi_dt = 4.0 * C * Dc * dm1 * tm1 * psi;
        const double dbd = b * db1 * delta_d;
        const double dbt = -2.0 * theta * b * db1;
        const double dbdt = -2.0 * a_over_beta * b * db1 * dm1 * q_pow -
                            2.0 * theta * b * (b - 1.0) * db2 * delta_d;
        sum += n * (db * (psi_t + delta * psi_dt) + delta * dbd * psi_t +
                    dbt * (psi + delta * psi_d) + dbdt * delta * psi);
      }
    }
  }
  return sum;
}

template <derivative D>
double residual_sweep(double delta, double tau) {
  double sum = polynomial_sum<D>(delta, tau);
  sum += exponential_sum<D>(delta, tau);
  sum += gaussian_sum<D>(delta, tau);
  sum += nonanalytic_sum<D>(delta, tau);
  return sum;
}

}  // namespace

double residual95::eval_phir() const {
  return residual_sweep<derivative::none>(delta_, tau_);
}
double residual95::eval_phir_d() const {
  return residual_sweep<derivative::d>(delta_, tau_);
}
double residual95::eval_phir_dd() const {
  return residual_sweep<derivative::dd>(delta_, tau_);
}
double residual95::eval_phir_t() const {
  return residual_sweep<derivative::t>(delta_, tau_);
}
double residual95::eval_phir_tt() const {
  return residual_sweep<derivative::tt>(delta_, tau_);
}
double residual95::eval_phir_dt() const {
  return residual_sweep<derivative::dt>(delta_, tau_);
}

}  // namespace Vantrel
