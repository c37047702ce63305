#include "solve/saturation.h"

#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <stdexcept>

#include "model/constant95.h"
#include "model/errors.h"
#include "solve/caches.h"
#include "solve/saturation_fit.h"

namespace Vantrel {
namespace {

struct power_term {
  double n, exponent;
};

// Saturated liquid density, ρ′/ρc = 1 + Σ bᵢ·ϑ^eᵢ (IAPWS SR1-86(1992), Eq. 2.3).
constexpr std::array<power_term, 6> liquid_terms{{
    {1.99274064, 1.0 / 3},
    {1.09965342, 2.0 / 3},
    {-0.510839303, 5.0 / 3},
    {-1.75493479, 16.0 / 3},
    {-45.5170352, 43.0 / 3},
    {-6.74694450e5, 110.0 / 3},
}};

// Saturated vapour density, ln(ρ″/ρc) = Σ cᵢ·ϑ^eᵢ (IAPWS SR1-86(1992), Eq. 2.4).
constexpr std::array<power_term, 6> vapour_terms{{
    {-2.03150240, 2.0 / 6},
    {-2.68302940, 4.0 / 6},
    {-5.38626492, 8.0 / 6},
    {-17.2991605, 18.0 / 6},
    {-44.7586581, 37.0 / 6},
    {-63.9201063, 71.0 / 6},
}};

// Within about 1 mK of the critical point the auxiliary densities take a simple power law
// of the critical exponent, symmetric about δ = 1.
constexpr double near_critical_theta = 0.9999982476;
constexpr double near_critical_exponent = 0.326;
constexpr double near_critical_liquid = 1.281714;
constexpr double near_critical_vapour = 1.293771;

// IAPWS-IF97 region 4, coefficients n1 to n10 (IAPWS R7-97(2012), Table 34).
constexpr std::array<double, 10> n{
    0.11670521452767e4,  -0.72421316703206e6, -0.17073846940092e2, 0.12020824702470e5,
    -0.32325550322333e7, 0.14915108613530e2,  -0.48232657361591e4, 0.40511340542057e6,
    -0.23855557567849,   0.65017534844798e3,
};

// Within this distance of 1 in θ the two phases are too close for the fugacity solve: the
// bracket search stalls on spinodal returns, so both solvers answer with the estimates.
constexpr double critical_cutoff = 4e-6;
constexpr double x_tolerance = 1e-8;
constexpr unsigned budget = 100;
constexpr double bracket_margin = 1e-8;  // |k| beyond this counts as past the root
constexpr double min_step = 1e-8;

constexpr double theta_triple = constant95::Tt / constant95::Tc;
constexpr double pi_triple = constant95::pt / constant95::pc;

// The compressibility factor z = p/(ρRT) of a state is this times π/(θ·δ).
constexpr double z_scale =
    1000 * constant95::pc / (constant95::rhoc * constant95::R * constant95::Tc);
// The liquid's pressure, evaluated in double at one density, is uncertain by about 1e-13/z of
// itself (a small difference of large terms), which near the triple point is a few parts in
// 1e8, and varies from one unit in the last place of δ to the next as rounding noise. Where that
// noise can exceed liquid_noise_floor, the saturated liquid's density is taken as the nearest
// double to the fitted δ′, within liquid_ulps units in the last place either way, whose own
// pressure meets the saturation pressure to liquid_agreement: all of them are the fitted δ′ to
// within 1e-14, and the state built from the one chosen reads its pressure as its neighbour
// the vapour does.
constexpr double liquid_noise_floor = 1e-9;
constexpr double liquid_agreement = 5e-9;
constexpr int liquid_ulps = 64;

double power_sum(const std::array<power_term, 6>& terms, double x) {
  double sum = 0;
  for (const auto& t : terms) sum += t.n * std::pow(x, t.exponent);
  return sum;
}

// Brent's method on a bracket whose end values the search has already computed.
double solve_on(univariate_function<double, double>& k, double a, double b, double fa, double fb,
                double tolerance) {
  brent_solver solver(&k, 0, tolerance, budget);
  solver.evaluations = 2;
  return solver.solve(a, b, fa, fb);
}

// Brent's method with its end values already known from the bracket search, or
// evaluating them itself when the search ran out of tries. The budget is the same either way.
double solve_bracketed(univariate_function<double, double>& k, double x0, double tolerance) {
  double a = 0, b = 0, fa = 0, fb = 0;
  if (!bracket_saturation(k, x0, a, b, fa, fb)) {
    brent_solver solver(&k, 0, tolerance, budget);
    return solver.solve(a, b);
  }
  return solve_on(k, a, b, fa, fb, tolerance);
}

// A fitted start lies within about 1e-12 of the root. Where the Newton offset of the condition
// at the start is at most a tenth of the solver's tolerance, the start is the answer (near the
// triple point the liquid's fugacity, and with it the condition, is uncertain by a few parts in
// 1e9, so a closer test would rarely pass there). Otherwise the root lies more than that offset
// away, and the steps toward it begin at a hundredth of the tolerance and grow tenfold, so the
// second or third usually brackets it; Brent's method accepts such a bracket at once.
constexpr double settled_offset = 1e-9;
constexpr double near_step = 1e-10;
constexpr unsigned near_tries = 3;

// The outcome of a search from a fitted start: [a, b] brackets the root with the values of the
// condition fa, fb at its ends, or, when `settled`, a = b is the start taken as the answer.
struct near_bracket {
  double a, b, fa, fb;
  bool settled;
};

// From the fitted start x0: settled there when the Newton offset of the condition over π (see
// helmholtz_kvalue::relative_offset) is at most settled_offset. Otherwise steps from x0 toward
// the root (upward where k < 0) by near_step·x0, then ten and a hundred times that, until k
// changes sign. The settled offset is ten times the first step, so along π that step alone
// rarely reaches the root; along θ, where the offset is at most a fifth of its measure in π, it
// may. Nothing when the tries run out or a density search fails, and the caller then starts
// afresh from the estimates.
std::optional<near_bracket> bracket_near(helmholtz_kvalue<helmholtz_state>& k, double x0) {
  try {
    const double f0 = k.value(x0);
    if (k.relative_offset(f0) <= settled_offset) return near_bracket{x0, x0, f0, f0, true};
    double step = (f0 < 0 ? near_step : -near_step) * x0;
    for (unsigned i = 0; i < near_tries; ++i, step *= 10) {
      const double x = x0 + step;
      const double f = k.value(x);
      if (f * f0 > 0) continue;
      if (step > 0) return near_bracket{x0, x, f0, f, false};
      return near_bracket{x, x0, f, f0, false};
    }
  } catch (const convergence_error&) {
  }
  return std::nullopt;
}

// One point of the saturation line to solve: the root in x of the fugacity condition (θ at
// fixed π, or π at fixed θ) from `start`, which is the fitted line's point when `fitted` holds
// and the estimates' otherwise, to the relative tolerance on x.
struct line_problem {
  bool x_is_temperature;
  double fixed;
  saturation_entry start;
  bool fitted;
  double tolerance;
};

// The root x (in `value`) and the densities of both phases there. Nothing when the fitted
// start fails to bracket the root; from the estimates a failure throws as the solver does.
std::optional<saturation_entry> solve_line(const line_problem& line, helmholtz_state* state) {
  helmholtz_kvalue<helmholtz_state> k(state, line.x_is_temperature, line.fixed,
                                      line.start.delta_liq, line.start.delta_vap);
  k.near_guesses = line.fitted;
  saturation_entry solved{};
  double& x = solved.value;
  if (line.fitted) {
    const std::optional<near_bracket> near = bracket_near(k, line.start.value);
    if (!near) return std::nullopt;
    try {
      x = near->settled ? near->a
                        : solve_on(k, near->a, near->b, near->fa, near->fb, line.tolerance);
    } catch (const convergence_error&) {
      return std::nullopt;
    }
  } else {
    x = solve_bracketed(k, line.start.value, line.tolerance);
  }
  // The searches at the root have usually run already, from the same guesses.
  if (k.densities_at(x, solved.delta_liq, solved.delta_vap)) return solved;
  const double theta = line.x_is_temperature ? x : line.fixed;
  const double pi = line.x_is_temperature ? line.fixed : x;
  const auto search = line.fitted ? dfind_near : dfind;
  solved.delta_liq = search(line.start.delta_liq, theta, pi, state);
  solved.delta_vap = search(line.start.delta_vap, theta, pi, state);
  return solved;
}

// The saturated liquid's density at (θ, π) from the fitted δ′, as liquid_noise_floor above
// describes; δ′ itself wherever the liquid's pressure is not that uncertain. If no density in
// reach agrees, the one that came closest. The state is scratch.
double liquid_reading_its_pressure(double theta, double pi, double delta_liq,
                                   helmholtz_state* state) {
  if (1e-13 * theta * delta_liq / (z_scale * pi) <= liquid_noise_floor) return delta_liq;
  const double tau = 1 / theta, p = pi * constant95::pc;
  double best = delta_liq, best_miss = std::numeric_limits<double>::infinity();
  const auto agrees = [&](double delta) {
    state->update(delta, tau);
    const double miss = std::fabs(state->p() - p);
    if (miss < best_miss) {
      best = delta;
      best_miss = miss;
    }
    return miss <= liquid_agreement * p;
  };
  if (agrees(delta_liq)) return delta_liq;
  double up = delta_liq, down = delta_liq;
  for (int k = 1; k <= liquid_ulps; ++k) {
    up = std::nextafter(up, 2 * up);
    down = std::nextafter(down, 0.0);
    if (agrees(up)) return up;
    if (agrees(down)) return down;
  }
  return best;
}

using saturation_cache = std::map<double, saturation_entry>;

// The stored answer for key and its two densities, if there is one. The bound applies
// before the lookup, and a hit skips all computation.
bool recall(saturation_cache& cache, double key, double& value, double& delta_liq,
            double& delta_vap) {
  apply_cache_bound(cache);
  const auto hit = cache.find(key);
  if (hit == cache.end()) return false;
  value = hit->second.value;
  delta_liq = hit->second.delta_liq;
  delta_vap = hit->second.delta_vap;
  return true;
}

// The auxiliary-equation start at θ, with π from the given estimate.
saturation_entry estimated_start(double theta, double pi) {
  return {pi, liquid_density_estimate(theta), vapour_density_estimate(theta)};
}

// The liquid's fugacity amplifies an error in π; an absolute floor of 1e-9 would leave low
// pressures wrong in the fifth digit, so below π = 0.1 the tolerance is relative.
double pressure_tolerance(double x_tolerance, double pi) {
  return x_tolerance * std::fmin(1.0, 10 * pi);
}

}  // namespace

double liquid_density_estimate(double theta) {
  const double t = std::fmax(1 - theta, 0.0);
  if (theta > near_critical_theta)
    return 1 + near_critical_liquid * std::pow(t, near_critical_exponent);
  return 1 + power_sum(liquid_terms, t);
}

double vapour_density_estimate(double theta) {
  const double t = std::fmax(1 - theta, 0.0);
  if (theta > near_critical_theta)
    return 1 - near_critical_vapour * std::pow(t, near_critical_exponent);
  return std::exp(power_sum(vapour_terms, t));
}

double psat_estimate(double theta) {
  const double T = constant95::Tc * theta;
  const double v = T + n[8] / (T - n[9]);
  const double A = v * v + n[0] * v + n[1];
  const double B = n[2] * v * v + n[3] * v + n[4];
  const double C = n[5] * v * v + n[6] * v + n[7];
  const double r = 2 * C / (-B + std::sqrt(B * B - 4 * A * C));
  return r * r * r * r / constant95::pc;
}

double tsat_estimate(double pi) {
  const double beta = std::pow(constant95::pc * pi, 0.25);
  const double E = beta * beta + n[2] * beta + n[5];
  const double F = n[0] * beta * beta + n[3] * beta + n[6];
  const double G = n[1] * beta * beta + n[4] * beta + n[7];
  const double D = 2 * G / (-F - std::sqrt(F * F - 4 * E * G));
  const double T = (n[9] + D - std::sqrt((n[9] + D) * (n[9] + D) - 4 * (n[8] + n[9] * D))) / 2;
  return T / constant95::Tc;
}

double fugacity_coefficient(const helmholtz_state& state) {
  const double d = state.delta();
  const double z = d * (state.phir_d() + 1 / d);
  if (z <= 0) return 0;
  return std::exp(state.phir() + (z - 1) - std::log(z));
}

bool bracket_saturation(univariate_function<double, double>& k, double x0, double& a, double& b,
                        double& fa, double& fb) {
  const double f0 = k.value(x0);
  a = b = x0;
  fa = fb = f0;
  double prev = x0;
  // Below the line step up toward the critical value, above it down toward zero.
  const bool upward = f0 < 0;
  double step = upward ? 0.01 * (1 - x0) : -0.01 * x0;
  double& end = upward ? b : a;
  double& f_end = upward ? fb : fa;
  for (unsigned tries = 0; tries < budget; ++tries) {
    end = prev + step;
    double f;
    try {
      f = k.value(end);
    } catch (const convergence_error&) {
      // A density search failed, typically on a spinodal near the critical point: retry
      // from the same point with half the step.
      step /= 2;
      if (std::fabs(step) < min_step) throw convergence_error("helmholtz_psat");
      continue;
    }
    if (upward ? f > bracket_margin : f < -bracket_margin) {
      f_end = f;
      return true;
    }
    prev = end;
  }
  return false;
}

double helmholtz_psat(double theta, double& delta_liq, double& delta_vap, helmholtz_state* state) {
  // A NaN would match an arbitrary cached key, so it is refused before the lookup.
  if (std::isnan(theta)) throw std::domain_error("helmholtz_psat");
  auto& cache = psat_cache();
  if (double pi = 0; recall(cache, theta, pi, delta_liq, delta_vap)) return pi;

  if (theta < theta_triple || theta > 1) throw std::domain_error("helmholtz_psat");
  if (theta == 1) {
    delta_liq = delta_vap = 1;
    return 1;
  }

  // The line ends at the critical point; the correlation may overshoot it in the last digit.
  if (std::fabs(1 - theta) < critical_cutoff) {
    const saturation_entry estimate = estimated_start(theta, psat_estimate(theta));
    delta_liq = estimate.delta_liq;
    delta_vap = estimate.delta_vap;
    return std::fmin(estimate.value, 1.0);
  }

  // Where the fit is proven it is the answer; nearer the critical point it starts the solve, and
  // without it the auxiliary estimates do.
  std::optional<saturation_entry> solved;
  if (saturation_entry exact{}; exact_saturation(theta, exact)) {
    exact.delta_liq = liquid_reading_its_pressure(theta, exact.value, exact.delta_liq, state);
    solved = exact;
  } else if (saturation_entry fitted{}; fitted_saturation(theta, fitted)) {
    solved = solve_line({false, theta, fitted, true, pressure_tolerance(x_tolerance, fitted.value)},
                        state);
  }
  if (!solved) {
    const saturation_entry estimate = estimated_start(theta, psat_estimate(theta));
    solved = solve_line(
        {false, theta, estimate, false, pressure_tolerance(x_tolerance, estimate.value)}, state);
  }
  delta_liq = solved->delta_liq;
  delta_vap = solved->delta_vap;
  cache.emplace(theta, *solved);
  return solved->value;
}

double helmholtz_tsat(double pi, double& delta_liq, double& delta_vap, helmholtz_state* state) {
  if (std::isnan(pi)) throw std::domain_error("helmholtz_tsat");
  auto& cache = tsat_cache();
  if (double theta = 0; recall(cache, pi, theta, delta_liq, delta_vap)) return theta;

  if (pi < pi_triple || pi > 1) throw std::domain_error("helmholtz_tsat");
  if (pi == 1) {
    delta_liq = delta_vap = 1;
    return 1;
  }

  // The fitted line inverted for θ by Newton's method on the fit, and its densities there: where
  // the fit is proven these are the answer. A saturated state keeps the pressure asked for as its
  // own, so the vapour density needs no step of its own toward it.
  double theta = 0;
  saturation_entry on_line{};
  const bool inverted = fitted_saturation_theta(pi, theta);
  if (inverted && exact_saturation(theta, on_line)) {
    const double liquid = liquid_reading_its_pressure(theta, pi, on_line.delta_liq, state);
    delta_liq = liquid;
    delta_vap = on_line.delta_vap;
    cache.emplace(pi, saturation_entry{theta, liquid, on_line.delta_vap});
    return theta;
  }

  // The same cutoff in θ as helmholtz_psat, so that the two solvers agree on where the line stops
  // being refined; short of it, the fitted point, else the estimates, start the solve.
  const double theta_estimate = tsat_estimate(pi);
  if (std::fabs(1 - theta_estimate) < critical_cutoff) {
    const saturation_entry estimate = estimated_start(theta_estimate, theta_estimate);
    delta_liq = estimate.delta_liq;
    delta_vap = estimate.delta_vap;
    return theta_estimate;
  }
  std::optional<saturation_entry> solved;
  if (inverted && fitted_saturation(theta, on_line)) {
    solved = solve_line(
        {true, pi, {theta, on_line.delta_liq, on_line.delta_vap}, true, x_tolerance}, state);
  }
  if (!solved) {
    solved = solve_line(
        {true, pi, estimated_start(theta_estimate, theta_estimate), false, x_tolerance}, state);
  }
  delta_liq = solved->delta_liq;
  delta_vap = solved->delta_vap;
  cache.emplace(pi, *solved);
  return solved->value;
}

}  // namespace Vantrel
