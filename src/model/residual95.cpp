// Residual part φʳ(δ, τ) of the IAPWS-95 free energy and its derivatives
// (IAPWS R6-95(2018), Table 5). A sweep computes φʳ or any set of its five derivatives in one
// pass over the 56 terms in group order, and nothing is allocated.
//
// A sweep first computes every power that several of its terms share, each distinct one
// once: the integer powers of δ and τ (with integer_power), the polynomial group's real
// powers of τ, the Gaussian exponentials of terms with equal β and γ, and the group-wide
// quantities of the Gaussian and non-analytic groups. A term then reads the very numbers it
// would otherwise compute itself and multiplies them in its own order, so every term and
// every sum is rounded exactly as by a term-by-term evaluation, whatever else the sweep
// computes alongside. Nothing is carried from one sweep to the next.
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

// A derivative of φʳ, and the index of its sum in a sweep.
enum class derivative { none, d, dd, t, tt, dt };
constexpr std::size_t derivative_count = 6;

// The derivatives one sweep computes together, one bit per derivative.
using derivative_set = unsigned;
constexpr derivative_set only(derivative D) {
  return 1u << static_cast<unsigned>(D);
}
constexpr bool contains(derivative_set set, derivative D) {
  return (set & only(D)) != 0;
}
// φʳ_δ and φʳ_δδ: the slope of the pressure along an isotherm, read by every Newton step on
// the density.
constexpr derivative_set density_slopes = only(derivative::d) | only(derivative::dd);
constexpr derivative_set every_derivative = (1u << derivative_count) - 1;

// One sum per derivative; a sweep writes those of its set only.
struct sums {
  std::array<double, derivative_count> value{};
  double& operator[](derivative D) { return value[static_cast<std::size_t>(D)]; }
  double operator[](derivative D) const { return value[static_cast<std::size_t>(D)]; }
};

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

// Calls f(D) for each derivative D of the set, with D a compile-time constant.
template <derivative_set Set, class F>
void for_each_derivative(F&& f) {
  for_each_index<derivative_count>([&f](auto i) {
    constexpr auto D = static_cast<derivative>(i.value);
    if constexpr (contains(Set, D)) f(std::integral_constant<derivative, D>{});
  });
}

// How many times a derivative differentiates by δ and by τ, which lowers the integer
// exponents of the polynomial and exponential terms by as much.
constexpr int delta_order(derivative D) {
  return D == derivative::dd ? 2 : (D == derivative::d || D == derivative::dt) ? 1 : 0;
}
constexpr int tau_order(derivative D) {
  return D == derivative::tt ? 2 : (D == derivative::t || D == derivative::dt) ? 1 : 0;
}
constexpr bool needs_tau_order(derivative_set set, int order) {
  for (std::size_t i = 0; i < derivative_count; ++i) {
    const auto D = static_cast<derivative>(i);
    if (contains(set, D) && tau_order(D) == order) return true;
  }
  return false;
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

// The powers δ^k the derivatives of a set take: δ^(d−order) of the polynomial and
// exponential terms, δ^c of the exponential terms, and the Gaussian δ^d (with δ^(d−1) and
// δ^(d−2) for φʳ_δδ).
template <derivative_set Set>
constexpr exponent_list<highest_delta_exponent> delta_exponents() {
  std::array<bool, exponent_list<highest_delta_exponent>::span> used{};
  auto mark = [&used](int k) { used.at(static_cast<std::size_t>(k - lowest_exponent)) = true; };
  for (std::size_t i = 0; i < derivative_count; ++i) {
    const auto D = static_cast<derivative>(i);
    if (!contains(Set, D)) continue;
    for (const int d : poly_d) mark(d - delta_order(D));
    for (const int d : exp_d) mark(d - delta_order(D));
  }
  for (const int c : exp_c) mark(c);
  for (const int d : gauss_d) {
    mark(d);
    if (contains(Set, derivative::dd)) {
      mark(d - 1);
      mark(d - 2);
    }
  }
  return exponent_list<highest_delta_exponent>(used);
}

// The powers τ^k the derivatives of a set take: τ^(t−order) of the exponential terms and
// the Gaussian τ^t.
template <derivative_set Set>
constexpr exponent_list<highest_tau_exponent> tau_exponents() {
  std::array<bool, exponent_list<highest_tau_exponent>::span> used{};
  auto mark = [&used](int k) { used.at(static_cast<std::size_t>(k - lowest_exponent)) = true; };
  for (std::size_t i = 0; i < derivative_count; ++i) {
    const auto D = static_cast<derivative>(i);
    if (!contains(Set, D)) continue;
    for (const int t : exp_t) mark(t - tau_order(D));
  }
  for (const int t : gauss_t) mark(t);
  return exponent_list<highest_tau_exponent>(used);
}

// The polynomial group's real exponents of τ for the orders a set needs (t, t − 1, t − 2),
// each distinct one once, and where term i finds τ^(t−order). One std::pow serves terms 3
// and 7 (both t = 1), and another t of term 4 with t − 1 of term 1 (both −0.5): std::pow
// gives the same number for the same exponent wherever it is asked.
constexpr std::size_t polynomial_orders = 3;

struct polynomial_exponents {
  std::array<double, polynomial_orders * poly_t.size()> exponent{};
  std::size_t count = 0;
  std::array<std::array<std::size_t, poly_t.size()>, polynomial_orders> at{};
};

template <derivative_set Set>
constexpr polynomial_exponents polynomial_tau_exponents() {
  polynomial_exponents r;
  for (std::size_t order = 0; order < polynomial_orders; ++order) {
    if (!needs_tau_order(Set, static_cast<int>(order))) continue;
    for (std::size_t i = 0; i < poly_t.size(); ++i) {
      const double e = poly_t[i] - static_cast<int>(order);
      std::size_t j = 0;
      while (j < r.count && r.exponent[j] != e) ++j;
      if (j == r.count) r.exponent[r.count++] = e;
      r.at[order][i] = j;
    }
  }
  return r;
}

// Non-analytic group constants derived from a, B, A and β.
constexpr double inv_2beta = 5.0 / 3.0;  // 1/(2β) with β = 0.3
constexpr double a_over_beta = nonan_A / nonan_beta;
constexpr double b_times_a = nonan_B * nonan_a;

// Each group below computes a term's shared numbers once and hands them to the expression
// of every derivative of the set, which adds its term to its own sum.

// The polynomial group's exponents of τ are all multiples of 1/8, so each of its powers is an
// integer power of τ times a product of √τ, τ^(1/4) and τ^(1/8): three square roots a sweep in
// place of a std::pow for each distinct exponent, at the cost of a few units in the last place.
struct eighth_roots {
  double tau, r2, r4, r8;  // τ, τ^(1/2), τ^(1/4), τ^(1/8)

  explicit eighth_roots(double t)
      : tau(t), r2(std::sqrt(t)), r4(std::sqrt(r2)), r8(std::sqrt(r4)) {}

  // τ^(k/8): k = 8m + j with 0 ≤ j < 8, τ^m times the roots that the bits of j name.
  template <int k>
  double power() const {
    constexpr int m = k >= 0 ? k / 8 : -((-k + 7) / 8);
    constexpr int j = k - 8 * m;
    double p = integer_power(tau, m);
    if constexpr ((j & 4) != 0) p *= r2;
    if constexpr ((j & 2) != 0) p *= r4;
    if constexpr ((j & 1) != 0) p *= r8;
    return p;
  }
};

template <derivative_set Set>
sums polynomial_sum(const delta_powers& delta_pow, double tau) {
  static constexpr polynomial_exponents powers = polynomial_tau_exponents<Set>();
  const eighth_roots roots(tau);
  std::array<double, powers.exponent.size()> tau_pow;
  for_each_index<powers.count>([&](auto j) {
    constexpr double eighths = powers.exponent[j] * 8;
    static_assert(eighths == static_cast<int>(eighths), "a polynomial exponent is k/8");
    tau_pow[j] = roots.power<static_cast<int>(eighths)>();
  });

  sums sum;
  for_each_index<poly_n.size()>([&](auto i) {
    constexpr int d = poly_d[i];
    constexpr double t = poly_t[i];
    constexpr double n = poly_n[i];
    for_each_derivative<Set>([&](auto D) {
      const double delta_d = delta_pow(d - delta_order(D));  // δ^d, δ^(d−1) or δ^(d−2)
      const double tau_t = tau_pow[powers.at[tau_order(D)][i]];
      if constexpr (D == derivative::none) {
        sum[D] += n * delta_d * tau_t;
      } else if constexpr (D == derivative::d) {
        sum[D] += n * d * delta_d * tau_t;
      } else if constexpr (D == derivative::dd) {
        sum[D] += n * d * (d - 1) * delta_d * tau_t;
      } else if constexpr (D == derivative::t) {
        sum[D] += n * t * delta_d * tau_t;
      } else if constexpr (D == derivative::tt) {
        sum[D] += n * t * (t - 1.0) * delta_d * tau_t;
      } else {
        sum[D] += n * d * t * delta_d * tau_t;
      }
    });
  });
  return sum;
}

// Whether exponential term i opens a run of equal c (the terms are ordered by c).
constexpr bool opens_c_run(std::size_t i) {
  return i == 0 || exp_c[i] != exp_c[i - 1];
}

template <derivative_set Set>
sums exponential_sum(const delta_powers& delta_pow, const tau_powers& tau_pow) {
  sums sum;
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
    for_each_derivative<Set>([&](auto D) {
      const double delta_d = delta_pow(d - delta_order(D));  // δ^d, δ^(d−1) or δ^(d−2)
      const double tau_t = tau_pow(t - tau_order(D));        // τ^t, τ^(t−1) or τ^(t−2)
      if constexpr (D == derivative::none) {
        sum[D] += n * delta_d * tau_t * e;
      } else if constexpr (D == derivative::d) {
        sum[D] += n * e * delta_d * tau_t * (d - c * delta_c);
      } else if constexpr (D == derivative::dd) {
        const double k = d - c * delta_c;
        sum[D] += n * e * delta_d * tau_t * (k * (k - 1.0) - c * c * delta_c);
      } else if constexpr (D == derivative::t) {
        sum[D] += n * t * delta_d * tau_t * e;
      } else if constexpr (D == derivative::tt) {
        sum[D] += n * t * (t - 1) * delta_d * tau_t * e;
      } else {
        sum[D] += n * t * delta_d * tau_t * (d - c * delta_c) * e;
      }
    });
  });
  return sum;
}

// Whether Gaussian term i needs its own exponential: terms 52 and 53 have the same β and
// γ, hence the same one.
constexpr bool opens_gauss_run(std::size_t i) {
  return i == 0 || gauss_beta[i] != gauss_beta[i - 1] || gauss_gamma[i] != gauss_gamma[i - 1];
}

template <derivative_set Set>
sums gaussian_sum(double delta, double tau, const delta_powers& delta_pow,
                  const tau_powers& tau_pow) {
  const double dm1 = delta - 1.0;
  const double alpha_q = gauss_alpha * dm1 * dm1;  // α(δ−1)²
  const double two_alpha_dm1 = 2.0 * gauss_alpha * dm1;
  sums sum;
  double g = 0.0;
  for_each_index<gauss_n.size()>([&](auto i) {
    constexpr int d = gauss_d[i];
    constexpr int t = gauss_t[i];
    constexpr double n = gauss_n[i];
    constexpr double beta = gauss_beta[i];
    const double tg = tau - gauss_gamma[i];
    if constexpr (opens_gauss_run(i)) g = std::exp(-alpha_q - beta * tg * tg);
    const double tau_t = tau_pow(t);
    // φʳ_δδ has a form of its own; the others scale the term by its logarithmic slopes.
    const double base = n * delta_pow(d) * tau_t * g;
    const double fd = d / delta - two_alpha_dm1;
    const double ft = t / tau - 2.0 * beta * tg;
    for_each_derivative<Set>([&](auto D) {
      if constexpr (D == derivative::dd) {
        sum[D] += n * tau_t * g *
                  (2.0 * gauss_alpha * delta_pow(d) * (2.0 * alpha_q - 1.0) -
                   2.0 * d * two_alpha_dm1 * delta_pow(d - 1) + d * (d - 1) * delta_pow(d - 2));
      } else if constexpr (D == derivative::none) {
        sum[D] += base;
      } else if constexpr (D == derivative::d) {
        sum[D] += base * fd;
      } else if constexpr (D == derivative::t) {
        sum[D] += base * ft;
      } else if constexpr (D == derivative::tt) {
        sum[D] += base * (ft * ft - t / (tau * tau) - 2.0 * beta);
      } else {
        sum[D] += base * fd * ft;
      }
    });
  });
  return sum;
}

// Δ^(b−1) and Δ^(b−2) of the non-analytic terms from Δ^b: where Δ is exactly 0 (the critical
// point) they are taken as 0.
double lowered_power(double power, double big_delta) {
  return big_delta == 0.0 ? 0.0 : power / big_delta;
}

template <derivative_set Set>
sums nonanalytic_sum(double delta, double tau) {
  // The derivatives by δ need q^(1/(2β)−1) for Δ_δ; the others do without it. Δ^(b−1) serves
  // every derivative, Δ^(b−2) the second ones.
  constexpr bool needs_delta_d = contains(Set, derivative::d) || contains(Set, derivative::dd) ||
                                 contains(Set, derivative::dt);
  constexpr bool needs_db1 = (Set & ~only(derivative::none)) != 0;
  constexpr bool needs_db2 = contains(Set, derivative::dd) || contains(Set, derivative::tt) ||
                             contains(Set, derivative::dt);
  // The powers of q = (δ − 1)² that the group takes have exponents in thirds (1/(2β) = 5/3 and
  // its lowered ones) and in halves (a = 3.5 and its lowered ones): one cube root and one square
  // root a sweep serve them all.
  static_assert(inv_2beta == 5.0 / 3.0 && nonan_a == 3.5, "powers of q in thirds and halves");
  const double dm1 = delta - 1.0;
  const double tm1 = tau - 1.0;
  const double q = dm1 * dm1;
  const double q_third = std::cbrt(q);   // q^(1/3)
  const double q_half = std::fabs(dm1);  // q^(1/2)
  const double q_two_thirds = q_third * q_third;
  const double theta = (1.0 - tau) + nonan_A * (q * q_two_thirds);
  const double big_delta = theta * theta + nonan_B * (q * q * q * q_half);

  double q_pow = 0.0;     // q^(1/(2β)−1)
  double delta_d = 0.0;   // Δ_δ
  double delta_dd = 0.0;  // Δ_δδ
  if constexpr (needs_delta_d) {
    q_pow = q_two_thirds;
    delta_d = 2.0 * dm1 * (a_over_beta * theta * q_pow + b_times_a * (q * q * q_half));
  }
  if constexpr (contains(Set, derivative::dd)) {
    // At δ = 1 exactly both parts are 0/0 and 0·∞; their limit is 0, since Δ_δδ vanishes
    // like |δ−1|^(4/3).
    if (dm1 != 0.0) {
      delta_dd = delta_d / dm1 + 2.0 * q *
                                     (2.0 * a_over_beta * (inv_2beta - 1.0) * theta / q_third +
                                      2.0 * b_times_a * (nonan_a - 1.0) * (q * q_half) +
                                      a_over_beta * a_over_beta * (q * q_third));
    }
  }

  sums sum;
  for (std::size_t i = 0; i < nonan_n.size(); ++i) {
    const double n = nonan_n[i];
    const double b = nonan_b[i];
    const double C = nonan_C[i];
    const double Dc = nonan_D[i];
    const double psi = std::exp(-C * q - Dc * tm1 * tm1);
    const double db = std::pow(big_delta, b);  // Δ^b
    double db1 = 0.0;                          // Δ^(b−1)
    double db2 = 0.0;                          // Δ^(b−2)
    if constexpr (needs_db1) db1 = lowered_power(db, big_delta);
    if constexpr (needs_db2) db2 = lowered_power(db1, big_delta);
    const double psi_d = -2.0 * C * dm1 * psi;
    const double psi_t = -2.0 * Dc * tm1 * psi;
    const double dbd = b * db1 * delta_d;
    const double dbt = -2.0 * theta * b * db1;
    for_each_derivative<Set>([&](auto D) {
      if constexpr (D == derivative::none) {
        sum[D] += n * db * delta * psi;
      } else if constexpr (D == derivative::d) {
        sum[D] += n * (db * (psi + delta * psi_d) + dbd * delta * psi);
      } else if constexpr (D == derivative::dd) {
        const double psi_dd = 2.0 * C * (2.0 * C * q - 1.0) * psi;
        const double dbdd = b * (db1 * delta_dd + (b - 1.0) * db2 * delta_d * delta_d);
        sum[D] += n * (db * (2.0 * psi_d + delta * psi_dd) + 2.0 * dbd * (psi + delta * psi_d) +
                       dbdd * delta * psi);
      } else if constexpr (D == derivative::t) {
        sum[D] += n * delta * (dbt * psi + db * psi_t);
      } else if constexpr (D == derivative::tt) {
        const double psi_tt = 2.0 * Dc * (2.0 * Dc * tm1 * tm1 - 1.0) * psi;
        const double dbtt = 2.0 * b * db1 + 4.0 * theta * theta * b * (b - 1.0) * db2;
        sum[D] += n * delta * (dbtt * psi + 2.0 * dbt * psi_t + db * psi_tt);
      } else {
        const double psi_dt = 4.0 * C * Dc * dm1 * tm1 * psi;
        const double dbdt = -2.0 * a_over_beta * b * db1 * dm1 * q_pow -
                            2.0 * theta * b * (b - 1.0) * db2 * delta_d;
        sum[D] += n * (db * (psi_t + delta * psi_dt) + delta * dbd * psi_t +
                       dbt * (psi + delta * psi_d) + dbdt * delta * psi);
      }
    });
  }
  return sum;
}

// φʳ and the derivatives of a set at (δ, τ): every power, exponential and std::pow is taken
// once for the whole set, and each derivative's sum is the same, to the last bit, as a sweep
// of that derivative alone gives. The groups are added in term order.
template <derivative_set Set>
sums residual_sweep(double delta, double tau) {
  const delta_powers delta_pow = delta_powers::of<delta_exponents<Set>()>(delta);
  const tau_powers tau_pow = tau_powers::of<tau_exponents<Set>()>(tau);
  sums sum = polynomial_sum<Set>(delta_pow, tau);
  const sums exponential = exponential_sum<Set>(delta_pow, tau_pow);
  const sums gaussian = gaussian_sum<Set>(delta, tau, delta_pow, tau_pow);
  const sums nonanalytic = nonanalytic_sum<Set>(delta, tau);
  for_each_derivative<Set>([&](auto D) {
    sum[D] += exponential[D];
    sum[D] += gaussian[D];
    sum[D] += nonanalytic[D];
  });
  return sum;
}

template <derivative D>
double single_sweep(double delta, double tau) {
  return residual_sweep<only(D)>(delta, tau)[D];
}

// A cell keeps the number it holds: a filled cell already has what a sweep would give.
void fill_cell(double& cell, double value) {
  if (cell == 0.0) cell = value;
}

}  // namespace

double residual95::eval_phir() const {
  return single_sweep<derivative::none>(delta_, tau_);
}
double residual95::eval_phir_d() const {
  return single_sweep<derivative::d>(delta_, tau_);
}
double residual95::eval_phir_dd() const {
  return single_sweep<derivative::dd>(delta_, tau_);
}
double residual95::eval_phir_t() const {
  return single_sweep<derivative::t>(delta_, tau_);
}
double residual95::eval_phir_tt() const {
  return single_sweep<derivative::tt>(delta_, tau_);
}
double residual95::eval_phir_dt() const {
  return single_sweep<derivative::dt>(delta_, tau_);
}

void residual95::sweep_density_slopes() const {
  // With one of the two already there, its partner's own sweep is the cheaper.
  if (phir_d_ != 0.0 || phir_dd_ != 0.0) {
    phir_d();
    phir_dd();
    return;
  }
  const sums s = residual_sweep<density_slopes>(delta_, tau_);
  phir_d_ = s[derivative::d];
  phir_dd_ = s[derivative::dd];
}

void residual95::fill_all() const {
  const int empty = (phir_ == 0.0) + (phir_d_ == 0.0) + (phir_dd_ == 0.0) + (phir_t_ == 0.0) +
                    (phir_tt_ == 0.0) + (phir_dt_ == 0.0);
  if (empty <= 2) {
    // The shared sweep of all six costs about as much as three of their own sweeps.
    fill_density_slopes();
    phir();
    phir_t();
    phir_tt();
    phir_dt();
    return;
  }
  const sums s = residual_sweep<every_derivative>(delta_, tau_);
  fill_cell(phir_, s[derivative::none]);
  fill_cell(phir_d_, s[derivative::d]);
  fill_cell(phir_dd_, s[derivative::dd]);
  fill_cell(phir_t_, s[derivative::t]);
  fill_cell(phir_tt_, s[derivative::tt]);
  fill_cell(phir_dt_, s[derivative::dt]);
}

}  // namespace Vantrel
