// Residual part φʳ(δ, τ) of the IAPWS-95 free energy and its derivatives
// (IAPWS R6-95(2018), Table 5). Each memoised quantity is one sweep over the 56 terms in
// group order, and nothing is allocated.
//
// A sweep first computes every power that several of its terms share, each distinct one
// once: the integer powers of δ and τ (with integer_power), the polynomial group's real
// powers of τ, the Gaussian exponentials of terms with equal β and γ, and the group-wide
// quantities of the Gaussian and non-analytic groups. A term then reads the very numbers it
// would otherwise compute itself and multiplies them in its own order, so every term and
// every sum is rounded exactly as by a term-by-term evaluation. Nothing is carried from one
// sweep to the next.
#include <array>
#include <cmath>
#include <cstddef>
#include <type_traits>
#include <utility>

#include "model/coefficients95.h"
#include "model/helmholtz.h"
#include "model/integer_power.h"

namespace Vantrel {
namespace {

using namespace iapws95;

// Which derivative a sweep computes.
enum class derivative { none, d, dd, t, tt, dt };

// Calls f(i) for i = 0 … N−1 in this order, with i a compile-time constant: a term's
// coefficients and exponents become constants of the generated code, and the table of
// powers is read at fixed places.
template <class F, std::size_t... I>
void call_in_order(F& f, std::index_sequence<I...>) {
  (f(std::integral_constant<std::size_t, I>{}), ...);
}
template <std::size_t N, class F>
void for_each_index(F&& f) {
  call_in_order(f, std::make_index_sequence<N>{});
}

// How many times a sweep differentiates by δ and by τ, which lowers the integer exponents
// of the polynomial and exponential terms by as much.
constexpr int delta_order(derivative D) {
  return D == derivative::dd ? 2 : (D == derivative::d || D == derivative::dt) ? 1 : 0;
}
constexpr int tau_order(derivative D) {
  return D == derivative::tt ? 2 : (D == derivative::t || D == derivative::dt) ? 1 : 0;
}

// Range of the integer exponents a sweep can use: from −1 (d − 2 or t − 2 of a term with
// d = 1 or t = 1) to the largest d and t of the exponential group. An exponent outside this
// range fails to compile.
constexpr int lowest_exponent = -1;
constexpr int highest_delta_exponent = 15;
constexpr int highest_tau_exponent = 50;

// The distinct integer exponents of one base that a sweep uses, in ascending order.
template <int Highest>
struct exponent_list {
  static constexpr std::size_t span = Highest - lowest_exponent + 1;
  std::array<int, span> k{};
  std::size_t count = 0;

  // Built from a mark per exponent k at index k − lowest_exponent.
  constexpr explicit exponent_list(const std::array<bool, span>& used) {
    for (std::size_t i = 0; i < span; ++i)
      if (used[i]) k[count++] = static_cast<int>(i) + lowest_exponent;
  }
};

// x^k for each exponent of a list, computed once per sweep with integer_power and read by
// exponent. Entries for exponents not in the list are never written nor read.
template <int Highest>
class power_table {
 public:
  template <exponent_list<Highest> List>
  static power_table of(double x) {
    power_table table;
    for_each_index<List.count>([&table, x](auto i) {
      table.value_[List.k[i] - lowest_exponent] = integer_power(x, List.k[i]);
    });
    return table;
  }
  double operator()(int k) const { return value_[k - lowest_exponent]; }

 private:
  std::array<double, exponent_list<Highest>::span> value_;
};

using delta_powers = power_table<highest_delta_exponent>;
using tau_powers = power_table<highest_tau_exponent>;

// The powers δ^k a sweep takes: δ^(d−order) of the polynomial and exponential terms, δ^c of
// the exponential terms, and the Gaussian δ^d (with δ^(d−1) and δ^(d−2) for φʳ_δδ).
template <derivative D>
constexpr exponent_list<highest_delta_exponent> delta_exponents() {
  std::array<bool, exponent_list<highest_delta_exponent>::span> used{};
  auto mark = [&used](int k) { used.at(static_cast<std::size_t>(k - lowest_exponent)) = true; };
  for (const int d : poly_d) mark(d - delta_order(D));
  for (const int d : exp_d) mark(d - delta_order(D));
  for (const int c : exp_c) mark(c);
  for (const int d : gauss_d) {
    mark(d);
    if (D == derivative::dd) {
      mark(d - 1);
      mark(d - 2);
    }
  }
  return exponent_list<highest_delta_exponent>(used);
}

// The powers τ^k a sweep takes: τ^(t−order) of the exponential terms and the Gaussian τ^t.
template <derivative D>
constexpr exponent_list<highest_tau_exponent> tau_exponents() {
  std::array<bool, exponent_list<highest_tau_exponent>::span> used{};
  auto mark = [&used](int k) { used.at(static_cast<std::size_t>(k - lowest_exponent)) = true; };
  for (const int t : exp_t) mark(t - tau_order(D));
  for (const int t : gauss_t) mark(t);
  return exponent_list<highest_tau_exponent>(used);
}

// The polynomial group's real exponents of τ for one sweep (t, t − 1 or t − 2) and, per
// term, the first term with the same exponent: terms 3 and 7 both have t = 1, so one
// std::pow serves both.
struct polynomial_exponents {
  std::array<double, poly_t.size()> exponent{};
  std::array<std::size_t, poly_t.size()> first{};
};

template <derivative D>
constexpr polynomial_exponents polynomial_tau_exponents() {
  polynomial_exponents r;
  for (std::size_t i = 0; i < poly_t.size(); ++i) {
    r.exponent[i] = poly_t[i] - tau_order(D);
    r.first[i] = i;
    for (std::size_t j = 0; j < i; ++j) {
      if (r.exponent[j] == r.exponent[i]) {
        r.first[i] = j;
        break;
      }
    }
  }
  return r;
}

// Non-analytic group constants derived from a, B, A and β.
constexpr double inv_2beta = 5.0 / 3.0;  // 1/(2β) with β = 0.3
constexpr double a_over_beta = nonan_A / nonan_beta;
constexpr double b_times_a = nonan_B * nonan_a;

template <derivative D>
double polynomial_sum(const delta_powers& delta_pow, double tau) {
  static constexpr polynomial_exponents powers = polynomial_tau_exponents<D>();
  constexpr int dk = delta_order(D);
  std::array<double, poly_t.size()> tau_pow;
  for_each_index<poly_t.size()>([&](auto i) {
    if constexpr (powers.first[i] == i) {
      tau_pow[i] = std::pow(tau, powers.exponent[i]);
    } else {
      tau_pow[i] = tau_pow[powers.first[i]];
    }
  });

  double sum = 0.0;
  for_each_index<poly_n.size()>([&](auto i) {
    constexpr int d = poly_d[i];
    constexpr double t = poly_t[i];
    constexpr double n = poly_n[i];
    const double delta_d = delta_pow(d - dk);  // δ^d, δ^(d−1) or δ^(d−2)
    if constexpr (D == derivative::none) {
      sum += n * delta_d * tau_pow[i];
    } else if constexpr (D == derivative::d) {
      sum += n * d * delta_d * tau_pow[i];
    } else if constexpr (D == derivative::dd) {
      sum += n * d * (d - 1) * delta_d * tau_pow[i];
    } else if constexpr (D == derivative::t) {
      sum += n * t * delta_d * tau_pow[i];
    } else if constexpr (D == derivative::tt) {
      sum += n * t * (t - 1.0) * delta_d * tau_pow[i];
    } else {
      sum += n * d * t * delta_d * tau_pow[i];
    }
  });
  return sum;
}

// Whether exponential term i opens a run of equal c (the terms are ordered by c).
constexpr bool opens_c_run(std::size_t i) {
  return i == 0 || exp_c[i] != exp_c[i - 1];
}

template <derivative D>
double exponential_sum(const delta_powers& delta_pow, const tau_powers& tau_pow) {
  constexpr int dk = delta_order(D);
  constexpr int tk = tau_order(D);
  double sum = 0.0;
  // δ^c and e^(−δ^c) change only five times per sweep.
  double delta_c = 0.0;
  double e = 0.0;
  for_each_index<exp_n.size()>([&](auto i) {
    constexpr int c = exp_c[i];
    constexpr int d = exp_d[i];
    constexpr int t = exp_t[i];
    constexpr double n = exp_n[i];
    if constexpr (opens_c_run(i)) {
      delta_c = delta_pow(c);
      e = std::exp(-delta_c);
    }
    const double delta_d = delta_pow(d - dk);  // δ^d, δ^(d−1) or δ^(d−2)
    const double tau_t = tau_pow(t - tk);      // τ^t, τ^(t−1) or τ^(t−2)
    if constexpr (D == derivative::none) {
      sum += n * delta_d * tau_t * e;
    } else if constexpr (D == derivative::d) {
      sum += n * e * delta_d * tau_t * (d - c * delta_c);
    } else if constexpr (D == derivative::dd) {
      const double k = d - c * delta_c;
      sum += n * e * delta_d * tau_t * (k * (k - 1.0) - c * c * delta_c);
    } else if constexpr (D == derivative::t) {
      sum += n * t * delta_d * tau_t * e;
    } else if constexpr (D == derivative::tt) {
      sum += n * t * (t - 1) * delta_d * tau_t * e;
    } else {
      sum += n * t * delta_d * tau_t * (d - c * delta_c) * e;
    }
  });
  return sum;
}

// Whether Gaussian term i needs its own exponential: terms 52 and 53 have the same β and
// γ, hence the same one.
constexpr bool opens_gauss_run(std::size_t i) {
  return i == 0 || gauss_beta[i] != gauss_beta[i - 1] || gauss_gamma[i] != gauss_gamma[i - 1];
}

template <derivative D>
double gaussian_sum(double delta, double tau, const delta_powers& delta_pow,
                    const tau_powers& tau_pow) {
  const double dm1 = delta - 1.0;
  const double alpha_q = gauss_alpha * dm1 * dm1;  // α(δ−1)²
  const double two_alpha_dm1 = 2.0 * gauss_alpha * dm1;
  double sum = 0.0;
  double g = 0.0;
  for_each_index<gauss_n.size()>([&](auto i) {
    constexpr int d = gauss_d[i];
    constexpr int t = gauss_t[i];
    constexpr double n = gauss_n[i];
    constexpr double beta = gauss_beta[i];
    const double tg = tau - gauss_gamma[i];
    if constexpr (opens_gauss_run(i)) g = std::exp(-alpha_q - beta * tg * tg);
    const double tau_t = tau_pow(t);
    if constexpr (D == derivative::dd) {
      sum += n * tau_t * g *
             (2.0 * gauss_alpha * delta_pow(d) * (2.0 * alpha_q - 1.0) -
              2.0 * d * two_alpha_dm1 * delta_pow(d - 1) + d * (d - 1) * delta_pow(d - 2));
    } else {
      const double base = n * delta_pow(d) * tau_t * g;
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
  });
  return sum;
}

// Δ^e for the exponents b−1 and b−2 of the non-analytic terms: where Δ is exactly 0
// (the critical point) the power is taken as 0.
double guarded_power(double big_delta, double e) {
  return big_delta == 0.0 ? 0.0 : std::pow(big_delta, e);
}

template <derivative D>
double nonanalytic_sum(double delta, double tau) {
  // The sweeps by δ need q^(1/(2β)−1) for Δ_δ; the others do without it.
  constexpr bool needs_delta_d = D == derivative::d || D == derivative::dd || D == derivative::dt;
  const double dm1 = delta - 1.0;
  const double tm1 = tau - 1.0;
  const double q = dm1 * dm1;
  const double theta = (1.0 - tau) + nonan_A * std::pow(q, inv_2beta);
  const double big_delta = theta * theta + nonan_B * std::pow(q, nonan_a);

  double q_pow = 0.0;     // q^(1/(2β)−1)
  double delta_d = 0.0;   // Δ_δ
  double delta_dd = 0.0;  // Δ_δδ
  if constexpr (needs_delta_d) {
    q_pow = std::pow(q, inv_2beta - 1.0);
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
  const delta_powers delta_pow = delta_powers::of<delta_exponents<D>()>(delta);
  const tau_powers tau_pow = tau_powers::of<tau_exponents<D>()>(tau);
  double sum = polynomial_sum<D>(delta_pow, tau);
  sum += exponential_sum<D>(delta_pow, tau_pow);
  sum += gaussian_sum<D>(delta, tau, delta_pow, tau_pow);
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
