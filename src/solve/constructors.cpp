// The twelve state constructors of steam95, one per input pair. Each one first looks its
// (kind, first input, second input) up in state_cache, then checks its inputs, decides the
// phase, solves for the Helmholtz point, and stores a copy of the finished state.
#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <limits>
#include <stdexcept>

#include "model/constant95.h"
#include "model/errors.h"
#include "model/steam95.h"
#include "properties/ice.h"
#include "solve/caches.h"
#include "solve/density.h"
#include "solve/if97_start.h"
#include "solve/phase.h"
#include "solve/saturation.h"
#include "solve/saturation_fit.h"
#include "solve/solver.h"

namespace Vantrel {

namespace {

using C = constant95;

// Constructor kinds: the first component of the state_cache key.
enum constructor_kind : int {
  kind_tsat = 0,
  kind_psat = 1,
  kind_tp = 2,
  kind_tv = 3,
  kind_th = 4,
  kind_ts = 5,
  kind_tu = 6,
  kind_pv = 7,
  kind_ph = 8,
  kind_ps = 9,
  kind_pu = 10,
  kind_hs = 11,
};

// Convergence of the fixed-temperature Newton iterations on δ.
constexpr int newton_budget = 100;
constexpr double energy_tolerance = 1e-6;   // kJ/kg
constexpr double entropy_tolerance = 1e-8;  // kJ/(kg·K)
// An entropy step may grow δ at most e³-fold, where s is far from logarithmic in δ.
constexpr double largest_log_step = 3.0;
// Below this temperature (K) the iterations keep their damped steps and forward differences.
constexpr double analytic_from = 290.0;
// Forward-difference step of the damped energy iterations, relative to δ.
constexpr double difference_step = 0.001;
// A Newton step may shrink δ at most to this fraction of its previous value, so that very
// dilute vapour stays reachable and δ never turns negative.
constexpr double smallest_step_ratio = 0.1;

// A NaN input would compare equivalent to every key of the ordered cache and could be
// answered with another state; it is refused before the lookup, with the context of the
// input's own check.
void refuse_nan(double value, const char* context) {
  if (std::isnan(value)) throw std::domain_error(context);
}

// The cached copy of (kind, a, b) into *state, if there is one.
bool recall(int kind, double a, double b, steam95& state) {
  const auto& cache = state_cache();
  const auto found = cache.find(state_key{kind, a, b});
  if (found == cache.end()) return false;
  state = found->second;
  return true;
}

// A point of an isotherm is a state only where it is mechanically stable and inside the
// pressure range of every state; an iteration that converged onto the unstable or
// negative-pressure part of an isotherm has found no state.
bool physical(const helmholtz_state& helm) {
  const double p = helm.p();
  return p >= C::p_min && p <= C::p_max && helm.dpdrho_r() > 0.0;
}

// The largest relative step in δ taken as the polish of a converged Newton iteration.
constexpr double polish_limit = 1e-2;

// The fixed-temperature iteration on δ from *delta until the property is within `tolerance` of
// y: Newton's method with the analytic slope, or the damped iteration (a forward difference for
// the energies, nine tenths of the entropy's step). Leaves the state at the last δ evaluated.
bool iterate_isotherm(bool damped, double& delta, double tau, property_selector property, double y,
                      double tolerance, helmholtz_state& helm) {
  const bool entropy = property == &helmholtz_state::s;
  for (int i = 0; i < newton_budget; ++i) {
    helm.update(delta, tau);
    const double slope = damped ? 0.0 : property_by_delta(helm, property);
    const double y1 = (helm.*property)();
    const double r = y - y1;
    double next = 0.0;
    if (!damped) {
      next = entropy ? delta * std::exp(std::fmin(r / (delta * slope), largest_log_step))
                     : delta + r / slope;
      if (!std::isfinite(next)) return false;
      // Within the tolerance, the step from here is still taken as the polish where it brings the
      // property closer: a liquid's pressure follows its density so steeply, and a dilute
      // vapour's energy so weakly, that the tolerance on the property alone would leave the
      // pressure wrong in the third digit.
      if (std::abs(r) < tolerance) {
        if (std::abs(next - delta) <= polish_limit * delta) {
          helm.update(next, tau);
          if (std::abs(y - (helm.*property)()) <= std::abs(r)) {
            delta = next;
          } else {
            helm.update(delta, tau);
          }
        }
        return true;
      }
    } else if (std::abs(r) < tolerance) {
      return true;
    } else if (entropy) {
      // δ·(∂s/∂δ)_T = −(∂p/∂T)_ρ / ρ, in kJ/(kg·K).
      const double q = -1000.0 * helm.dpdt() * helm.v();
      next = delta * (1.0 + 0.9 * r / q);
    } else {
      helm.update((1.0 + difference_step) * delta, tau);
      const double y2 = (helm.*property)();
      next = delta * (1.0 + r / ((y2 - y1) / difference_step));
    }
    delta = next < smallest_step_ratio * delta ? smallest_step_ratio * delta : next;
  }
  return false;
}

// A vapour start on the isotherm at θ below the saturated vapour: for the entropy, s − s″ taken as
// the ideal gas's −R·ln(δ/δ″); for h and u, the chord from the ideal gas (δ → 0) to the saturated
// vapour, as a second virial coefficient would have it. 0.9·δ″ where the fitted line gives no
// saturated values or the chord leaves (0, δ″].
double vapour_start(double theta, double delta_vap, property_selector property, double y,
                    helmholtz_state& helm) {
  const double fallback = 0.9 * delta_vap;
  saturated_energies e{};
  if (!fitted_saturation_energies(theta, e)) return fallback;
  if (property == &helmholtz_state::s) return delta_vap * std::exp((e.s_vap - y) / C::R);
  helm.update(delta_vap, 1.0 / theta);
  const double RT = C::R * C::Tc * theta;
  const double u0 = RT * helm.phi0_t() / theta;  // u and h of the ideal gas at T
  const bool enthalpy = property == &helmholtz_state::h;
  const double y0 = enthalpy ? u0 + RT : u0;
  const double y_vap = enthalpy ? e.h_vap : e.u_vap;
  const double ratio = (y - y0) / (y_vap - y0);
  return ratio > 0.0 && ratio <= 1.0 ? ratio * delta_vap : fallback;
}

// An entropy's start where no saturated vapour bounds the isotherm: the ideal gas's density,
// s = R·(τ·φ°_τ − φ°) with φ° = ln δ + f(τ), at most the density of the compressed liquid.
double ideal_entropy_start(double tau, double s, helmholtz_state& helm) {
  helm.update(1.0, tau);
  const double s_unit = C::R * (tau * helm.phi0_t() - helm.phi0());  // the ideal gas's at δ = 1
  return std::fmin(std::exp((s_unit - s) / C::R), 3.0);
}

// The property along one isotherm, less its target: the equation of the bracketed search
// that takes over from a fixed-temperature Newton iteration that found no state.
class isotherm_function : public univariate_function<double, double> {
 public:
  isotherm_function(helmholtz_state* state_, double tau_, property_selector property_,
                    double target_)
      : state(state_), tau(tau_), property(property_), target(target_) {}

  double value(const double& delta) override {
    state->update(delta, tau);
    return (state->*property)() - target;
  }

  helmholtz_state* state;
  double tau;
  property_selector property;
  double target;
};

// The lowest density of the bracketed search on a dilute branch.
constexpr double dilute_delta = 1e-8;
// Densities tried along the branch, evenly spaced in log δ, when looking for a sign change.
constexpr int branch_samples = 100;

// The stable branch of the isotherm at θ on which a state of phase code c lies: the vapour
// up to δ″ on the vapour side; the liquid from δ′ (or, below the triple point, from its
// lowest stable density) and the whole isotherm above the critical temperature, both up to
// the density at the top of the pressure range. False when a density search fails.
bool stable_branch(double theta, double c, double delta_liq, double delta_vap,
                   helmholtz_state* state, double& lo, double& hi) {
  try {
    if (c == quality_superheated) {
      lo = dilute_delta;
      hi = delta_vap;
      return true;
    }
    const double dense_start = theta < 1.0 ? liquid_density_estimate(theta) : 3.0;
    hi = dfind(dense_start, theta, C::p_max / C::pc, state);
    if (c == quality_subcooled) {
      lo = delta_liq;
    } else if (theta >= 1.0) {
      lo = dilute_delta;
    } else {
      // Zero pressure, or the stability limit of the liquid where it cannot reach zero.
      lo = dfind(dense_start, theta, C::p_min / C::pc, state);
    }
  } catch (const std::exception&) {
    return false;
  }
  return lo > 0.0 && hi > lo;
}

// The extremum of y(δ) − y between a and c around a sample b where |y(δ) − y| is smallest,
// by golden-section search on |y(δ) − y|; fb is the value at b. Answers the density of the
// extremum and, in f_ext, the value there.
double extremum(isotherm_function& f, double a, double b, double c, double fb, double& f_ext) {
  constexpr double golden = 0.3819660112501051;  // (3 − √5)/2
  double x = b;
  double fx = std::abs(fb);
  for (int i = 0; i < newton_budget && c - a > 1e-15 * c; ++i) {
    // Probe the larger of the two parts, keeping the best point inside the bracket.
    const bool right = c - x > x - a;
    const double u = right ? x + golden * (c - x) : x - golden * (x - a);
    const double fu = std::abs(f.value(u));
    if (fu < fx) {
      (right ? a : c) = x;
      x = u;
      fx = fu;
    } else {
      (right ? c : a) = u;
    }
  }
  f_ext = f.value(x);
  return x;
}

// Brent's method on a bracket [a, b] of y(δ) − y, until |y(δ) − y| is within the iteration's
// own tolerance. False when it does not get there.
bool refine(isotherm_function& f, double a, double b, double fa, double fb, double tolerance,
            double& delta) {
  try {
    brent_solver solver(&f, tolerance, 1e-15, newton_budget);
    const double root = solver.solve(a, b, fa, fb);
    if (!(std::abs(f.value(root)) < tolerance)) return false;
    delta = root;
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// Where the Newton iteration at fixed temperature cannot reach the state from its start (an
// extremum of the property lies between them, or a step leaves the stable branch), the
// state is searched by bracketing instead: y(δ) − y is sampled along the stable branch from
// its low-density end, and the first root found is refined by Brent's method until
// |y(δ) − y| is within the iteration's own tolerance. A root is found either between two
// samples of opposite sign or, where y has an extremum close to the target and two nearby
// roots fall between the same samples, on the near side of that extremum. Answers false,
// leaving δ alone, when there is none.
bool bracketed_density(double theta, double c, double delta_liq, double delta_vap,
                       property_selector property, double y, double tolerance,
                       helmholtz_state* state, double& delta) {
  double lo = 0.0;
  double hi = 0.0;
  if (!stable_branch(theta, c, delta_liq, delta_vap, state, lo, hi)) return false;
  isotherm_function f(state, 1.0 / theta, property, y);
  const double ratio = std::pow(hi / lo, 1.0 / (branch_samples - 1));
  double before = 0.0;  // the sample before a, once there is one
  double f_before = 0.0;
  double a = lo;
  double fa = f.value(a);
  for (int i = 1; i < branch_samples; ++i) {
    const double b = i == branch_samples - 1 ? hi : lo * std::pow(ratio, i);
    const double fb = f.value(b);
    if (fa * fb <= 0.0) return refine(f, a, b, fa, fb, tolerance, delta);
    if (i > 1 && std::abs(fa) < std::abs(f_before) && std::abs(fa) < std::abs(fb)) {
      double f_ext = 0.0;
      const double ext = extremum(f, before, a, b, fa, f_ext);
      if (std::abs(f_ext) < tolerance) {
        delta = ext;
        return true;
      }
      if (f_ext * fa < 0.0) return refine(f, before, ext, f_before, f_ext, tolerance, delta);
    }
    before = a;
    f_before = fa;
    a = b;
    fa = fb;
  }
  return false;
}

// Whether any state of one isotherm has the energy y (h or u): its stable points, with pressures
// from zero to the top of the range, less the inside of the two-phase dome between δ″ and δ′
// (zero for none), whose mixtures lie between the two saturated values anyway. The energy is
// sampled along ln δ, from a dilute vapour, where it has all but reached its ideal-gas limit, to
// beyond the densest state. A y inside the samples' range is held; one outside it is decided by
// the bound on its side, at the ends of the stable stretches (by bisection) or at the extrema
// inside them (by golden-section search), so that the bound is as exact as the property itself.
// Only a search that has found no state asks, to tell an energy that no state at this temperature
// has (out of range) from a state that the search missed (failed).
class isotherm_range {
 public:
  isotherm_range(double theta, property_selector property, double delta_liq, double delta_vap)
      : tau_(1.0 / theta), property_(property), delta_liq_(delta_liq), delta_vap_(delta_vap) {}

  bool holds(double y) {
    const double first = std::log(range_dilute);
    const double step = (std::log(range_dense) - first) / (samples - 1);
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (int i = 0; i < samples; ++i) {
      at_[i] = first + step * i;
      stable_[i] = stable(at_[i]);
      y_at_[i] = y_;
      if (!stable_[i]) continue;
      lo = std::min(lo, y_);
      hi = std::max(hi, y_);
    }
    if (y >= lo && y <= hi) return true;
    // Beyond the samples: the bound on that side is at an end of a stable stretch or at an
    // extremum inside one.
    const bool above = y > hi;
    const double sign = above ? -1.0 : 1.0;  // the bound is the smallest sign·y
    double bound = sign * (above ? hi : lo);
    for (int i = 0; i + 1 < samples; ++i) {
      if (stable_[i] != stable_[i + 1]) bound = std::min(bound, sign * stretch_end(i));
      const bool inner = i > 0 && stable_[i - 1] && stable_[i] && stable_[i + 1];
      if (inner && sign * y_at_[i] <= sign * y_at_[i - 1] &&
          sign * y_at_[i] <= sign * y_at_[i + 1]) {
        bound = std::min(bound, extremum(i, sign));
      }
    }
    return above ? y <= -bound : y >= bound;
  }

 private:
  static constexpr double range_dilute = 1e-12;
  static constexpr double range_dense = 6.0;
  static constexpr int samples = 100;
  static constexpr int bisections = 45;
  static constexpr int golden_steps = 60;

  // Whether ln δ names a state; the energy there in y_ when it does.
  bool stable(double ln_delta) {
    const double delta = std::exp(ln_delta);
    if (delta > delta_vap_ && delta < delta_liq_) return false;
    state_.update(delta, tau_);
    if (!physical(state_)) return false;
    y_ = (state_.*property_)();
    return true;
  }

  // The energy at the last state between samples i and i + 1, of which one is no state.
  double stretch_end(int i) {
    double in = stable_[i] ? at_[i] : at_[i + 1];
    double out = stable_[i] ? at_[i + 1] : at_[i];
    for (int k = 0; k < bisections; ++k) {
      const double mid = 0.5 * (in + out);
      (stable(mid) ? in : out) = mid;
    }
    stable(in);
    return y_;
  }

  // The smallest sign·y between samples k − 1 and k + 1, by golden-section search from k.
  double extremum(int k, double sign) {
    double a = at_[k - 1], c = at_[k + 1];
    double x = at_[k], fx = sign * y_at_[k];
    constexpr double golden = 0.3819660112501051;  // (3 − √5)/2
    for (int i = 0; i < golden_steps && c - a > 1e-14; ++i) {
      const bool right = c - x > x - a;
      const double u = right ? x + golden * (c - x) : x - golden * (x - a);
      const double fu = stable(u) ? sign * y_ : std::numeric_limits<double>::infinity();
      if (fu < fx) {
        (right ? a : c) = x;
        x = u;
        fx = fu;
      } else {
        (right ? c : a) = u;
      }
    }
    return fx;
  }

  helmholtz_state state_;
  double tau_;
  property_selector property_;
  double delta_liq_, delta_vap_;
  double y_ = 0.0;
  std::array<double, samples> at_{}, y_at_{};
  std::array<bool, samples> stable_{};
};

// Evaluates h − h(p, s) for the pressure search of at_hs. Where no (p, s) state exists at a
// trial pressure (the entropy lies beyond every temperature of that isobar, which happens at
// the top of the pressure range), it answers −1: at fixed entropy h grows with p, so the
// trial pressure is taken as too high and the search moves down.
class hs_function : public univariate_function<double, double> {
 public:
  hs_function(double h, double s) : h_target(h), s_given(s) {}

  double value(const double& p) override {
    steam95 state;
    try {
      state.at_ps(p, s_given);
    } catch (const std::domain_error&) {
      return -1.0;
    }
    return h_target - state.h();
  }

  double h_target;
  double s_given;
};

// Relative half-widths of the pressure intervals tried around the start of at_hs, narrowest
// first; both are far inside the pressure search's tolerance. h(p, s) carries what the (p, s)
// state's temperature search leaves in T; where that hides the change of h across the narrow
// interval, the wider one shows it.
constexpr double hs_widths[] = {1e-9, 1e-7};
constexpr int ideal_gas_budget = 20;

// Liquid water's heat capacity, kJ/(kg·K): the liquid start of at_hs takes T from h with it.
constexpr double liquid_cp = 4.18;

// The (h, s) point reached by newton_point from (δ0, τ0), if it lies on the stable part of an
// isotherm inside the search range; its pressure in p.
bool hs_point(double h, double s, double delta0, double tau0, double p_lo, helmholtz_state& state,
              double& p) {
  if (!(delta0 > 0 && tau0 > 0 && std::isfinite(delta0) && std::isfinite(tau0))) return false;
  if (!newton_point(&helmholtz_state::h, h, &helmholtz_state::s, s, delta0, tau0, &state)) {
    return false;
  }
  p = state.p();
  return state.dpdrho_r() > 0 && p > p_lo && p < C::p_max;
}

// A start for the pressure search of at_hs: the (h, s) point reached from the ideal gas with
// this h and s or, failing that, from the saturated liquid at the temperature that a constant
// heat capacity gives for h.
bool hs_start(double h, double s, double p_lo, double& p) {
  helmholtz_state state;
  // The ideal gas: h = R·Tc·(φ°_τ + 1/τ), solved for τ by Newton's method; then ln δ from s.
  double tau = 1.0;
  for (int i = 0; i < ideal_gas_budget && tau > 0; ++i) {
    state.update(1.0, tau);
    const double f = C::R * C::Tc * (state.phi0_t() + 1 / tau) - h;
    const double g = C::R * C::Tc * (state.phi0_tt() - 1 / (tau * tau));
    const double step = std::clamp(-f / g, -0.2 * tau, 0.2 * tau);
    tau += step;
    if (std::abs(step) < 1e-12 * tau) break;
  }
  if (tau > 0) {
    state.update(1.0, tau);
    const double delta = std::exp(tau * state.phi0_t() - state.phi0() - s / C::R);
    if (hs_point(h, s, delta, tau, p_lo, state, p)) return true;
  }
  const double theta = (C::Tt + h / liquid_cp) / C::Tc;
  return theta < 1 && hs_point(h, s, liquid_density_estimate(theta), 1 / theta, p_lo, state, p);
}

// Brent's method over a narrow pressure interval around the start of at_hs. False when there
// is no start or no interval shows a sign change; the caller then searches the whole range.
bool hs_near_root(const hs_function& f, brent_solver& solver, double p_lo, double& p) {
  double p0 = 0;
  if (!hs_start(f.h_target, f.s_given, p_lo, p0)) return false;
  try {
    for (double w : hs_widths) {
      if (solve_if_bracketed(solver, p0 * (1 - w), p0 * (1 + w), p)) return true;
    }
  } catch (const convergence_error&) {
  }
  return false;
}

}  // namespace

// Names the state by its constructor and inputs and stores a copy of it under that key,
// after the bound of the table.
void steam95::store(int kind, double a, double b) {
  if (x_ < 0.0) p_line_ = 0.0;
  source_ = state_source{kind, a, b};
  auto& cache = state_cache();
  apply_cache_bound(cache);
  cache.emplace(state_key{kind, a, b}, *this);
}

void steam95::at_tsat(double T, double x) {
  refuse_nan(T, "steam95::at_tsat");
  if (std::isnan(x)) throw std::domain_error("steam95");
  if (recall(kind_tsat, T, x, *this)) return;
  if (T < C::Tt || T > C::Tc || x < 0.0 || x > 1.0) throw std::domain_error("steam95::at_tsat");
  const double theta = T / C::Tc;
  double delta_liq = 0.0;
  double delta_vap = 0.0;
  const double pi = helmholtz_psat(theta, delta_liq, delta_vap, &helm_);
  set_saturated(x, 1.0 / theta, delta_liq, delta_vap, pi * C::pc);
  valid_ = true;
  store(kind_tsat, T, x);
}

void steam95::at_psat(double p, double x) {
  refuse_nan(p, "steam95::at_psat");
  if (std::isnan(x)) throw std::domain_error("steam95");
  if (recall(kind_psat, p, x, *this)) return;
  if (p < C::pt || p > C::pc || x < 0.0 || x > 1.0) throw std::domain_error("steam95::at_psat");
  double delta_liq = 0.0;
  double delta_vap = 0.0;
  const double theta = helmholtz_tsat(p / C::pc, delta_liq, delta_vap, &helm_);
  set_saturated(x, 1.0 / theta, delta_liq, delta_vap, p);
  valid_ = true;
  store(kind_psat, p, x);
}

void steam95::set_saturated(double x, double tau, double delta_liq, double delta_vap,
                            double p_line) {
  p_line_ = p_line;
  if (x == 1.0) {
    helm_.update(delta_vap, tau);
  } else if (x == 0.0) {
    helm_.update(delta_liq, tau);
  } else if (x > 0.0 && x < 1.0) {
    delta_liq_ = delta_liq;
    helm_.update(delta_vap, tau);
  } else {
    throw std::domain_error("steam95");
  }
  x_ = x;
}

void steam95::at_tp(double T, double p) {
  refuse_nan(T, "steam95::t");
  refuse_nan(p, "steam95::p");
  if (recall(kind_tp, T, p, *this)) return;
  check_t(T);
  check_p(p);
  const double theta = T / C::Tc;
  bool settled = false;
  const double delta = density_tp(theta, p / C::pc, &helm_, &settled);
  // The density finder answers the stability limit of a branch that cannot reach the
  // pressure; such a point is no solution. Newton's method from IF97's start has checked its
  // slope and its pressure already.
  if (!settled) {
    const double slope = helm_.dpdrho() * C::rhoc;  // (∂p/∂δ)_T in MPa
    if (!(slope > 0.0 && std::abs(helm_.p() - p) <= 1e-6 * delta * slope)) {
      throw convergence_error("steam95::at_tp");
    }
  }
  x_ = quality_indeterminate;
  if (T >= C::Tt && T <= C::Tc && p >= C::pt && p <= C::pc) {
    // The branch the density was found on names the side of the saturation line.
    x_ = delta > 1.0 ? quality_subcooled : quality_superheated;
  }
  valid_ = true;
  store(kind_tp, T, p);
}

void steam95::at_tv(double T, double v) {
  refuse_nan(T, "steam95::t");
  refuse_nan(v, "steam95::at_tv");
  if (recall(kind_tv, T, v, *this)) return;
  check_t(T);
  if (v <= 0.0) throw std::domain_error("steam95::at_tv");
  const double theta = T / C::Tc;
  const double tau = 1.0 / theta;
  double pi = 0.0;
  double delta_liq = 0.0;
  double delta_vap = 0.0;
  const double c = quality_at_t(theta, v, &helmholtz_state::v, pi, delta_liq, delta_vap, &helm_);
  if (c < 0.0) {
    helm_.update(1.0 / (C::rhoc * v), tau);
    // Any volume names a point of the isotherm, but only a stable one at a pressure in
    // range is a state.
    if (!physical(helm_)) throw std::domain_error("steam95::at_tv");
  } else {
    delta_liq_ = delta_liq;
    helm_.update(delta_vap, tau);
    p_line_ = pi * C::pc;
  }
  x_ = c;
  valid_ = true;
  store(kind_tv, T, v);
}

void steam95::at_th(double T, double h) {
  at_t_energy(kind_th, T, h, &helmholtz_state::h);
}

void steam95::at_ts(double T, double s) {
  at_t_energy(kind_ts, T, s, &helmholtz_state::s);
}

void steam95::at_tu(double T, double u) {
  at_t_energy(kind_tu, T, u, &helmholtz_state::u);
}

// The fixed-temperature pairs T-h, T-s and T-u: a Newton iteration on δ along the isotherm.
void steam95::at_t_energy(int kind, double T, double y, property_selector property) {
  refuse_nan(T, "steam95::t");
  refuse_nan(y, "steam95::at_th");
  if (recall(kind, T, y, *this)) return;
  check_t(T);
  const bool entropy = kind == kind_ts;
  const double tolerance = entropy ? entropy_tolerance : energy_tolerance;
  const double theta = T / C::Tc;
  const double tau = 1.0 / theta;
  double pi = 0.0;
  double delta_liq = 0.0;
  double delta_vap = 0.0;
  const double c = quality_at_t(theta, y, property, pi, delta_liq, delta_vap, &helm_);
  x_ = c;
  if (c >= 0.0) {
    delta_liq_ = delta_liq;
    helm_.update(delta_vap, tau);
    p_line_ = pi * C::pc;
  } else {
    double delta = c == quality_superheated ? 0.9 * delta_vap
                   : c == quality_subcooled ? 1.01 * delta_liq
                   : entropy || y > 1000.0  ? 0.01
                                            : 0.3;
    // Newton's method with the analytic slope (∂y/∂δ)_T: in ln δ for the entropy, which is close
    // to −R·ln δ in the vapour, and in δ for the energies, which are close to linear in it there.
    // Where a property can meet its value twice along the isotherm, which density the iteration
    // reaches (or whether the bracketed search decides) depends on its path, and the damped
    // iteration with a forward difference keeps its own: in cold liquid, where u and s pass an
    // extremum, and for h and u in dense fluid, where they have a minimum. The entropy is
    // monotonic along every isotherm above the cold liquid's anomaly.
    const bool analytic = T >= analytic_from && (entropy || c != quality_subcooled);
    const double start = delta;
    if (analytic && c == quality_superheated) {
      delta = vapour_start(theta, delta_vap, property, y, helm_);
    } else if (analytic && entropy && c == quality_indeterminate) {
      delta = ideal_entropy_start(tau, y, helm_);
    }
    bool converged = iterate_isotherm(!analytic, delta, tau, property, y, tolerance, helm_);
    if (analytic && !entropy && !(converged && delta < 1.0 && physical(helm_))) {
      delta = start;
      converged = iterate_isotherm(true, delta, tau, property, y, tolerance, helm_);
    }
    retry_unless_settled(converged, delta, theta, c, delta_liq, delta_vap, property, y, tolerance);
    bool found = converged;
    if (found) {
      helm_.update(delta, tau);
      found = physical(helm_);
    }
    if (!found && !entropy) {
      // Out of range if no state of this isotherm has the energy, else a failed search. Without
      // a saturation line (δ′ = δ″ = 0) no dome is left out.
      if (!isotherm_range(theta, property, delta_liq, delta_vap).holds(y)) {
        valid_ = false;
        throw std::domain_error("steam95::at_th");
      }
      converged = false;
    }
    settle(converged, delta, tau);
  }
  valid_ = true;
  store(kind, T, y);
}

void steam95::retry_unless_settled(bool& converged, double& delta, double theta, double c,
                                   double delta_liq, double delta_vap, property_selector property,
                                   double y, double tolerance) {
  if (converged) {
    helm_.update(delta, 1.0 / theta);
    if (physical(helm_)) return;
  }
  // The iteration found no state; a bracketed search along the stable branch may. If it
  // finds none either, the iteration's own outcome stands and settle reports it.
  double found = 0.0;
  if (bracketed_density(theta, c, delta_liq, delta_vap, property, y, tolerance, &helm_, found)) {
    converged = true;
    delta = found;
    return;
  }
  // An energy above the vapour's is met again only on the liquid branch, in liquid compressed
  // far above the critical pressure (where no side of the saturation line is named), where it
  // can exceed even the ideal gas's.
  if (c == quality_superheated && bracketed_density(theta, quality_subcooled, delta_liq, delta_vap,
                                                    property, y, tolerance, &helm_, found)) {
    converged = true;
    delta = found;
    x_ = quality_indeterminate;
  }
}

void steam95::settle(bool converged, double delta, double tau) {
  if (!converged) {
    valid_ = false;
    throw convergence_error("steam95::at_th");
  }
  helm_.update(delta, tau);
  if (!physical(helm_)) {
    valid_ = false;
    throw std::domain_error("steam95::at_th");
  }
}

void steam95::at_pv(double p, double v) {
  at_p_property(kind_pv, p, v, &helmholtz_state::v);
}
void steam95::at_ph(double p, double h) {
  at_p_property(kind_ph, p, h, &helmholtz_state::h);
}
void steam95::at_ps(double p, double s) {
  at_p_property(kind_ps, p, s, &helmholtz_state::s);
}
void steam95::at_pu(double p, double u) {
  at_p_property(kind_pu, p, u, &helmholtz_state::u);
}

void steam95::at_p_property(int kind, double p, double y, property_selector property) {
  refuse_nan(p, "steam95::p");
  refuse_nan(y, "helmholtz_tfind");
  if (recall(kind, p, y, *this)) return;
  check_p(p);
  const double pi = p / C::pc;
  const bool volume = kind == kind_pv;
  double theta = 0.0;
  double delta1 = 0.0;
  double delta2 = 0.0;
  double c = 0.0;
  const bool started = volume ? started_pv(pi, y, c, theta, delta1, delta2, &helm_)
                              : started_tfind(pi, y, property, c, theta, delta1, delta2, &helm_);
  if (!started) {
    // From the ice boundary at p, less the margin, up to 5000 K.
    double theta_lo = 0.0;
    double theta_hi = 0.0;
    ice::temperature_bounds(pi, theta_lo, theta_hi, volume ? 0.0 : metastable_margin);
    c = helmholtz_tfind(theta_lo, theta_hi, pi, y, property, theta, delta1, delta2, &helm_);
  }
  const bool two_phase = c > 0.0 && c < 1.0;
  if (volume && !two_phase) {
    // The density of a single-phase state is the input itself.
    helm_.update(1.0 / (C::rhoc * y), 1.0 / theta);
  } else {
    delta_liq_ = delta1;
    helm_.update(delta2, 1.0 / theta);
    p_line_ = p;
  }
  x_ = c;
  valid_ = true;
  store(kind, p, y);
}

// The wet state at θ with vapour fraction x, on the line that helmholtz_psat gives.
void steam95::at_wet_hs(double theta, double x) {
  double delta_liq = 0.0, delta_vap = 0.0;
  const double pi = helmholtz_psat(theta, delta_liq, delta_vap, &helm_);
  set_saturated(x, 1.0 / theta, delta_liq, delta_vap, pi * C::pc);
  valid_ = true;
}

void steam95::at_hs(double h, double s) {
  refuse_nan(h, "helmholtz_tfind");
  refuse_nan(s, "helmholtz_tfind");
  if (recall(kind_hs, h, s, *this)) return;
  {
    // The saturation lines and p-s states that the flash reads on its way, the answer's own
    // included, are intermediates: only the h-s state is a finished lookup.
    const scratch_caches intermediates;
    // A state that IF97 calls wet is tried on the line first: Newton's method from inside the
    // dome would only wander there.
    const bool wet_first = if97_wet_temperature(h, s) > 0.0;
    double theta = 0.0, x = 0.0, code = 0.0;
    if (wet_first && started_wet_hs(h, s, theta, x)) {
      at_wet_hs(theta, x);
    } else if (started_hs(h, s, code, &helm_)) {
      x_ = code;
      valid_ = true;
    } else if (!wet_first && started_wet_hs(h, s, theta, x)) {
      at_wet_hs(theta, x);
    } else {
      hs_function f(h, s);
      brent_solver solver(&f, 0.0, 1e-8, 100);
      // From the triple-point pressure, the lowest at which a mixture exists, to the top of the
      // range.
      constexpr double p_lo = C::pt;
      double p = 0.0;
      if (!hs_near_root(f, solver, p_lo, p)) p = solver.solve(p_lo, C::p_max);
      at_ps(p, s);
    }
  }
  store(kind_hs, h, s);
}

}  // namespace Vantrel
