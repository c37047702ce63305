#include "solve/saturation_fit.h"

#include <algorithm>
#include <cmath>

#include "model/constant95.h"
#include "solve/saturation.h"
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
constexpr double newton_tolerance = 1e-15;  // on the step in t, relative
// The inverse is accepted where ln π of the fit is met this closely.
constexpr double inverse_residual = 1e-13;

// The interval of t that holds t, or −1 outside the table.
int interval_of(double t) {
  const int n = table.intervals;
  if (n == 0 || !(t >= table.edges[0] && t <= table.edges[n])) return -1;
  int i = 0;
  while (i + 1 < n && t >= table.edges[i + 1]) ++i;
  return i;
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

// The first `count` quantities of interval i at t. Their recurrences run side by side, so that
// the processor overlaps them; no derivatives.
template <int count>
void fitted_all(int i, double t, double (&value)[count]) {
  constexpr int n = saturation_table::degree + 1;
  const double a = table.edges[i];
  const double b = table.edges[i + 1];
  const double u = (t - a) * (2.0 / (b - a)) - 1.0;
  const double two_u = 2 * u;
  const double* c = table.coefficients + i * quantities * n;
  double b1[count] = {}, b2[count] = {};
  for (int k = n - 1; k >= 1; --k) {
    for (int q = 0; q < count; ++q) {
      const double b0 = c[q * n + k] + two_u * b1[q] - b2[q];
      b2[q] = b1[q];
      b1[q] = b0;
    }
  }
  for (int q = 0; q < count; ++q) value[q] = c[q * n] + u * b1[q] - b2[q];
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
  if (n == 0 || !(pi > 0.0)) return false;
  const double target = std::log(pi);
  const double lowest = table.edges[0];
  const double highest = table.edges[n];
  // Start from the inverse of the IF97 equation; ln π falls as t grows.
  double t = std::clamp(std::sqrt(std::fmax(1.0 - tsat_estimate(pi), 0.0)), lowest, highest);
  double residual = 1.0;
  for (int k = 0; k < newton_budget; ++k) {
    double slope = 0;
    residual = fitted(interval_of(t), log_pi, t, slope) - target;
    const double next = std::clamp(t - residual / slope, lowest, highest);
    const bool settled = std::fabs(next - t) <= newton_tolerance * t;
    t = next;
    if (settled) break;
  }
  double unused = 0;
  residual = fitted(interval_of(t), log_pi, t, unused) - target;
  if (!(std::fabs(residual) <= inverse_residual)) return false;
  theta = 1.0 - t * t;
  return true;
}

}  // namespace Vantrel
