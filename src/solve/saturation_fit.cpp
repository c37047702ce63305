#include "solve/saturation_fit.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "model/constant95.h"
#include "solve/saturation_table.h"

namespace Vantrel {
namespace {

constexpr chebyshev_table table{saturation_table::intervals, saturation_table::degree,
                                saturation_table::edges, saturation_table::coefficients};

// Quantities of an interval, in the order the coefficients are stored.
enum quantity : int {
  log_pi = 0,
  log_delta_liq = 1,
  log_delta_vap = 2,
  h_liq = 3,
  h_vap = 4,
  s_liq = 5,
  s_vap = 6,
};
constexpr int quantities = saturation_table::quantities;
static_assert(quantities == s_vap + 1);

// p/ρ = flow_energy·π/δ, in kJ/kg.
constexpr double flow_energy = constant95::pc * 1000.0 / constant95::rhoc;

constexpr int newton_budget = 20;
// A Newton step on the fitted ln π at most this large, relative to t, leaves the next one
// below rounding: the convergence is quadratic, with |f″/2f′|·t at most about 3 on the line.
constexpr double settled_step = 1e-9;

// The interval of x among the n intervals of `edges`, or −1 outside them.
int interval_in(const double* edges, int n, double x) {
  if (n == 0 || !(x >= edges[0] && x <= edges[n])) return -1;
  int i = 0;
  while (i + 1 < n && x >= edges[i + 1]) ++i;
  return i;
}

// The interval of t that holds t, or −1 outside the table.
int interval_of(double t) {
  return interval_in(table.edges, table.intervals, t);
}

// The start for inverting the fit at ln π: t from the table's inverse, in w = √(−ln π). −1
// outside the table.
double inverse_start(double log_pi) {
  namespace inverse = saturation_table;
  const double w = std::sqrt(-log_pi);
  const int i = interval_in(inverse::inverse_edges, inverse::intervals, w);
  if (i < 0) return -1;
  const double a = inverse::inverse_edges[i];
  const double b = inverse::inverse_edges[i + 1];
  double unused = 0;
  return chebyshev_sum(inverse::inverse_coefficients + i * (inverse::inverse_degree + 1),
                       inverse::inverse_degree, (w - a) * (2.0 / (b - a)) - 1.0, unused);
}

// One quantity of interval i at t, with its derivative by t.
double fitted(int i, quantity q, double t, double& derivative) {
  const double a = table.edges[i];
  const double b = table.edges[i + 1];
  const double scale = 2.0 / (b - a);
  const double* c = table.coefficients + (i * quantities + q) * (table.degree + 1);
  const double value = chebyshev_sum(c, table.degree, (t - a) * scale - 1.0, derivative);
  derivative *= scale;
  return value;
}

// Clenshaw's recurrence for the quantities q... of interval i at t, side by side so that the
// processor overlaps them; no derivatives. Unrolled over the quantities, so that the recurrences'
// terms stay in registers.
template <std::size_t count, std::size_t... q>
void fitted_all(int i, double t, double (&value)[count], std::index_sequence<q...>) {
  constexpr int n = saturation_table::degree + 1;
  const double a = table.edges[i];
  const double b = table.edges[i + 1];
  const double u = (t - a) * (2.0 / (b - a)) - 1.0;
  const double two_u = 2 * u;
  const double* c = table.coefficients + i * quantities * n;
  double b1[count] = {}, b2[count] = {};
  for (int k = n - 1; k >= 1; --k) {
    ((b2[q] = std::exchange(b1[q], c[q * n + k] + two_u * b1[q] - b2[q])), ...);
  }
  ((value[q] = c[q * n] + u * b1[q] - b2[q]), ...);
}

// The first `count` quantities of interval i at t.
template <std::size_t count>
void fitted_all(int i, double t, double (&value)[count]) {
  static_assert(count <= quantities);
  fitted_all(i, t, value, std::make_index_sequence<count>());
}

// The fitted point at t, if the table holds t.
bool fitted_at(double t, saturation_entry& point) {
  const int i = interval_of(t);
  if (i < 0) return false;
  double v[log_delta_vap + 1];
  fitted_all(i, t, v);
  point.value = std::exp(v[log_pi]);
  point.delta_liq = std::exp(v[log_delta_liq]);
  point.delta_vap = std::exp(v[log_delta_vap]);
  return true;
}

// t = √(1 − θ) where the proof holds, else −1.
double proven_t(double theta) {
  if (!(theta <= 1.0)) return -1;
  const double t = std::sqrt(1.0 - theta);
  return t >= saturation_table::proven_from ? t : -1;
}

// The whole state at t but θ, if the table holds t.
bool state_at(double t, saturated_state& state) {
  const int i = interval_of(t);
  if (i < 0) return false;
  double v[quantities];
  fitted_all(i, t, v);
  state.pi = std::exp(v[log_pi]);
  state.delta_liq = std::exp(v[log_delta_liq]);
  state.delta_vap = std::exp(v[log_delta_vap]);
  saturated_energies& e = state.energies;
  e.h_liq = v[h_liq];
  e.h_vap = v[h_vap];
  e.s_liq = v[s_liq];
  e.s_vap = v[s_vap];
  const double flow = flow_energy * state.pi;
  e.u_liq = e.h_liq - flow / state.delta_liq;
  e.u_vap = e.h_vap - flow / state.delta_vap;
  return true;
}

}  // namespace

double chebyshev_sum(const double* c, int degree, double u, double& derivative) {
  double b1 = 0, b2 = 0;  // b(k+1), b(k+2)
  double d1 = 0, d2 = 0;  // their derivatives by u
  for (int k = degree; k >= 1; --k) {
    const double b0 = c[k] + 2 * u * b1 - b2;
    const double d0 = 2 * b1 + 2 * u * d1 - d2;
    b2 = b1;
    b1 = b0;
    d2 = d1;
    d1 = d0;
  }
  derivative = b1 + u * d1 - d2;
  return c[0] + u * b1 - b2;
}

bool fitted_saturation(double theta, saturation_entry& point) {
  return theta <= 1.0 && fitted_at(std::sqrt(1.0 - theta), point);
}

bool exact_saturation(double theta, saturation_entry& point) {
  const double t = proven_t(theta);
  return t >= 0 && fitted_at(t, point);
}

bool fitted_saturation_energies(double theta, saturated_energies& energies) {
  saturated_state state;
  if (!exact_saturated_state(theta, state)) return false;
  energies = state.energies;
  return true;
}

bool exact_saturated_state(double theta, saturated_state& state) {
  const double t = proven_t(theta);
  if (!(t >= 0 && state_at(t, state))) return false;
  state.theta = theta;
  return true;
}

bool exact_saturated_state_at_pi(double pi, saturated_state& state) {
  double theta = 0;
  if (!(fitted_saturation_theta(pi, theta) && exact_saturated_state(theta, state))) return false;
  state.pi = pi;
  return true;
}

bool fitted_saturation_theta(double pi, double& theta) {
  const int n = table.intervals;
  if (n == 0 || !(pi > 0.0 && pi < 1.0)) return false;
  const double target = std::log(pi);
  double t = inverse_start(target);
  if (t < 0) return false;
  for (int k = 0; k < newton_budget; ++k) {
    double slope = 0;
    const double step = (fitted(interval_of(t), log_pi, t, slope) - target) / slope;
    if (!std::isfinite(step)) return false;
    // The root lies inside the table, since w did; the clamp only holds an overshoot there.
    t = std::clamp(t - step, table.edges[0], table.edges[n]);
    if (std::fabs(step) <= settled_step * t) {
      theta = 1.0 - t * t;
      return true;
    }
  }
  return false;
}

}  // namespace Vantrel
