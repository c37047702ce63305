// IAPWS-IF97 states from every input pair of the face. A pair with one of T or p walks that
// isotherm or isobar through the regions it crosses: the values of the other input at the
// region boundaries (h'(p), h''(p), h at 623.15 K and on B23, ...), all from the basic
// equations, name the stretch that holds the state, and a Newton iteration on that region's
// basic equation, started from the backward equation where the release gives one and kept
// inside the stretch by bisection, finds it. h-s pairs start from the region and pressure of
// the h-s backward equations and finish with a two-dimensional Newton iteration. Two-phase
// states come from the region 4 line and the saturated phases of the basic equations.
#include "lookup/if97_values.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "if97/backward.h"
#include "lookup/codes.h"
#include "model/errors.h"
#include "properties/dielectric.h"
#include "properties/surface_tension.h"
#include "properties/transport.h"
#include "properties/transport2011.h"

namespace Vantrel {

namespace {

using if97::region;
using if97::state;

constexpr const char* context = "if97";
constexpr int max_iterations = 100;
// Relative size of the last Newton step at which a state has converged: its inputs then read
// back from the basic equations to well within 1e-9.
constexpr double step_tolerance = 1e-13;
// The lowest pressure an isotherm is followed down to, MPa.
constexpr double p_low = 1e-9;
// kJ/kg per MPa·m³/kg.
constexpr double kj = 1e3;

[[noreturn]] void out_of_range() {
  throw std::domain_error(context);
}
[[noreturn]] void unsettled() {
  throw std::runtime_error(context);
}

// Single-phase states name their side of the saturation line as the IF97 states do.
state with_quality(state s) {
  s.x = if97::quality_indeterminate;
  if (s.T <= if97::Tc && s.p <= if97::pc)
    s.x = s.rho > if97::rhoc ? if97::quality_subcooled : if97::quality_superheated;
  return s;
}

state gibbs_tp(region r, double T, double p) {
  switch (r) {
    case region::one:
      return if97::region1_tp(T, p);
    case region::two:
      return if97::region2_tp(T, p);
    default:
      return if97::region5_tp(T, p);
  }
}

double value_of(int code, const state& s) {
  switch (code) {
    case code_t:
      return s.T;
    case code_p:
      return s.p;
    case code_v:
      return s.v;
    case code_h:
      return s.h;
    case code_s:
      return s.s;
    default:
      return s.u;
  }
}

// (∂y/∂T)_p and (∂y/∂p)_T of an input y of a Gibbs region's state.
struct gibbs_gradient {
  double dT, dp;
};
gibbs_gradient gradient_tp(int code, const state& s) {
  switch (code) {
    case code_v:
      return {s.dvdt, s.dvdp};
    case code_h:
      return {s.cp, s.cjtt};
    case code_s:
      return {s.cp / s.T, -kj * s.dvdt};
    default:
      return {s.cp - kj * s.p * s.dvdt, s.cjtt - kj * (s.v + s.p * s.dvdp)};
  }
}

// (∂y/∂ρ)_T and (∂y/∂T)_ρ of an input y of a region 3 state, from the derivatives that the
// record holds even where (∂p/∂ρ)_T vanishes (there it reads 0 and bisection takes over).
struct helmholtz_gradient {
  double drho, dT;
};
helmholtz_gradient gradient_rho_t(int code, const state& s) {
  const double r2 = s.rho * s.rho;
  const double dpdrho = s.dvdp != 0.0 ? -1.0 / (r2 * s.dvdp) : 0.0;
  const double du_drho = -kj * (s.T * s.dpdt - s.p) / r2;
  switch (code) {
    case code_p:
      return {dpdrho, s.dpdt};
    case code_v:
      return {-1.0 / r2, 0.0};
    case code_h:
      return {du_drho + kj * (dpdrho / s.rho - s.p / r2), s.cv + kj * s.dpdt / s.rho};
    case code_s:
      return {-kj * s.dpdt / r2, s.cv / s.T};
    default:
      return {du_drho, s.cv};
  }
}

// --- Walking an isobar (parameter T) or an isotherm (parameter p in regions 1, 2 and 5,
// ρ in region 3) through its regions.

enum class path_kind { isobar, isotherm };

struct path {
  path_kind kind;
  double fixed;  // p of an isobar, T of an isotherm
  int code;      // the other input
  double y;      // its value
  // Tsat(p) of an isobar or psat(T) of an isotherm where the saturated phases are states of
  // regions 1 and 2; NaN elsewhere.
  double saturation = std::numeric_limits<double>::quiet_NaN();
  // Whether y rises along the path in every region (h, s, u and v along an isobar), so that
  // a stretch whose high end lies below y need not have its low end evaluated.
  bool rising = false;
};

// One stretch of a path: a region between two parameter values, or the two-phase step at the
// saturation point (region four). An end at the saturation point is the saturated phase
// (x 0 or 1) rather than the region's equation there, so that neighbouring stretches share it.
struct stretch {
  region where;
  double lo, hi;
  double lo_x = -1.0, hi_x = -1.0;
};

class path_walk {
 public:
  explicit path_walk(const path& p) : p_(p) {}

  state at(region r, double t, double rho_start = 0.0) const {
    if (p_.kind == path_kind::isobar) {
      if (r != region::three) return gibbs_tp(r, t, p_.fixed);
      if (!(rho_start > 0.0)) rho_start = 1.0 / if97::v3_pt(p_.fixed, t);
      return if97::region3_rho_t(if97::region3_density(t, p_.fixed, rho_start), t);
    }
    return r == region::three ? if97::region3_rho_t(t, p_.fixed) : gibbs_tp(r, p_.fixed, t);
  }

  state saturated(double x) const {
    if ((x == 0.0 || x == 1.0) && std::isfinite(p_.saturation)) {
      const bool isobar = p_.kind == path_kind::isobar;
      const double T = isobar ? p_.saturation : p_.fixed, p = isobar ? p_.fixed : p_.saturation;
      state s = x == 0.0 ? if97::region1_tp(T, p) : if97::region2_tp(T, p);
      s.x = x;
      s.where = region::four;
      return s;
    }
    return p_.kind == path_kind::isobar ? if97::saturation_at_p(p_.fixed, x)
                                        : if97::saturation_at_t(p_.fixed, x);
  }

  state end(const stretch& s, bool high) const {
    const double x = high ? s.hi_x : s.lo_x;
    return x >= 0.0 ? saturated(x) : at(s.where, high ? s.hi : s.lo);
  }

  double residual(const state& s) const { return value_of(p_.code, s) - p_.y; }

  // A residual within 1e-12 of the value (with a floor for enthalpies, energies and entropies
  // that pass through zero) is the answer.
  bool settled(double f) const {
    const double floor = p_.code == code_v ? 0.0 : p_.code == code_s ? 1e-15 : 1e-12;
    return std::abs(f) <= 1e-12 * std::abs(p_.y) + floor;
  }

  bool rising() const { return p_.rising; }

  double slope(region r, const state& s) const {
    if (p_.kind == path_kind::isobar) return gradient_tp(p_.code, s).dT;
    if (r == region::three) return gradient_rho_t(p_.code, s).drho;
    return gradient_tp(p_.code, s).dp;
  }

  // Newton's method from a backward equation's start that lies inside a stretch, without the
  // stretch's ends: where the input rises along the path it has one state on the path, so a
  // settled residual strictly inside the stretch is that state, the same that the comparisons
  // with the ends would find. A step that leaves the stretch gives up (false).
  bool solve_inside(const stretch& s, double start, double rho_start, state& out) const {
    constexpr int tries = 8;
    double t = start;
    for (int i = 0; i < tries; ++i) {
      if (!(t > s.lo && t < s.hi)) return false;
      out = at(s.where, t, i == 0 ? rho_start : 0.0);
      const double f = residual(out);
      if (settled(f)) return true;
      t -= f / slope(s.where, out);
    }
    return false;
  }

  // Newton's method on the residual inside [lo, hi], whose ends' residuals f_lo and f_hi do
  // not have the same sign; a step that leaves the bracket is replaced by bisection.
  // Without a start, the secant through the ends gives one.
  state solve(const stretch& s, double f_lo, double f_hi, double start, double rho_start) const {
    double a = s.lo, b = s.hi, fa = f_lo;
    if (!std::isfinite(start)) start = a + f_lo / (f_lo - f_hi) * (b - a);
    double t = std::clamp(start, std::min(a, b), std::max(a, b));
    for (int i = 0; i < max_iterations; ++i) {
      const state st = at(s.where, t, i == 0 ? rho_start : 0.0);
      const double f = residual(st);
      if (settled(f)) return st;
      if ((f < 0.0) == (fa < 0.0)) {
        a = t;
        fa = f;
      } else {
        b = t;
      }
      double next = t - f / slope(s.where, st);
      if (!(next > std::min(a, b) && next < std::max(a, b))) next = 0.5 * (a + b);
      if (std::abs(next - t) <= step_tolerance * std::abs(t)) return st;
      t = next;
    }
    unsettled();
  }

 private:
  path p_;
};

// The stretch of a path that holds the value, and the state there. `start` gives the backward
// equation's parameter (and region 3 density) for a region, NaN where there is none.
template <std::size_t N, class Start>
state walk(const path& p, const std::array<stretch, N>& stretches, std::size_t count, Start start) {
  const path_walk w(p);
  if (w.rising()) {
    for (std::size_t k = 0; k < count; ++k) {
      const stretch& s = stretches[k];
      if (s.where == region::four) continue;
      const auto [t0, rho0] = start(s.where);
      state found;
      if (std::isfinite(t0) && w.solve_inside(s, t0, rho0, found)) return with_quality(found);
    }
  }
  state lo_state, hi_state;
  for (std::size_t k = 0; k < count; ++k) {
    const stretch& s = stretches[k];
    // Neighbouring stretches that meet at a saturated phase share the state.
    const bool shared = k > 0 && s.lo_x >= 0.0 && stretches[k - 1].hi_x == s.lo_x;
    const state previous_hi = hi_state;
    const state lo_shared = hi_state;
    hi_state = w.end(s, true);
    const double f_hi = w.residual(hi_state);
    if (w.rising() && f_hi < 0.0) continue;
    lo_state = shared ? lo_shared : w.end(s, false);
    const double f_lo = w.residual(lo_state);
    // A saturated end keeps its vapour fraction.
    if (f_lo == 0.0) return s.lo_x >= 0.0 ? lo_state : with_quality(lo_state);
    if (f_hi == 0.0) return s.hi_x >= 0.0 ? hi_state : with_quality(hi_state);
    bool bracketed = (f_lo < 0.0) != (f_hi < 0.0);
    stretch solved = s;
    double f_solved = f_lo;
    // Two regions meet on B23 and at 623.15 K only to within their consistency: a value in
    // the sliver between them is taken by this region's equation a little past its end.
    if (!bracketed && k > 0 && !shared && (w.residual(previous_hi) < 0.0) != (f_lo < 0.0)) {
      solved.lo = s.lo - 0.01 * (s.hi - s.lo);
      f_solved = w.residual(w.at(s.where, solved.lo));
      bracketed = (f_solved < 0.0) != (f_lo < 0.0);
    }
    if (!bracketed) continue;
    if (s.where == region::four) {
      // The ends are the saturated phases: x runs from the low end's to the high end's.
      const double share = f_lo / (f_lo - f_hi);
      return w.saturated(std::clamp(s.lo_x + share * (s.hi_x - s.lo_x), 0.0, 1.0));
    }
    const auto [t0, rho0] = start(s.where);
    return with_quality(w.solve(solved, f_solved, f_hi, t0, rho0));
  }
  // The input may turn back within a stretch (a liquid's volume near 4 °C along an isobar, its
  // enthalpy along a hot isotherm): two states of the stretch share it and its ends do not
  // bracket either. Samples across each stretch find the one nearer its low end.
  constexpr int samples = 16;
  for (std::size_t k = 0; k < count; ++k) {
    const stretch& s = stretches[k];
    if (s.where == region::four) continue;
    double a = s.lo, fa = w.residual(w.end(s, false));
    for (int i = 1; i <= samples; ++i) {
      // Closer together at the low end, where a liquid's volume turns near 4 °C.
      const double share = static_cast<double>(i * i) / (samples * samples);
      const double b = i == samples ? s.hi : s.lo + (s.hi - s.lo) * share;
      const double fb = w.residual(i == samples ? w.end(s, true) : w.at(s.where, b));
      if ((fa < 0.0) != (fb < 0.0)) {
        const stretch part{s.where, a, b};
        return with_quality(w.solve(part, fa, fb, std::numeric_limits<double>::quiet_NaN(), 0.0));
      }
      a = b;
      fa = fb;
    }
  }
  out_of_range();
}

struct start_point {
  double t = std::numeric_limits<double>::quiet_NaN();
  double rho = 0.0;
};

state on_isobar(double p, int code, double y) {
  using namespace if97;
  if (!(p > 0.0 && p <= p_max)) out_of_range();
  std::array<stretch, 7> s{};
  std::size_t n = 0;
  const double p13 = psat(T_13);
  double saturation = std::numeric_limits<double>::quiet_NaN();
  if (p < psat(T_min)) {
    s[n++] = {region::two, T_min, T_mid};
  } else if (p <= p13) {
    const double Ts = tsat(p);
    saturation = Ts;
    s[n++] = {region::one, T_min, Ts, -1.0, 0.0};
    s[n++] = {region::four, Ts, Ts, 0.0, 1.0};
    s[n++] = {region::two, Ts, T_mid, 1.0, -1.0};
  } else {
    const double Tb = b23_t(p);
    s[n++] = {region::one, T_min, T_13};
    if (p < pc) {
      const double Ts = tsat(p);
      s[n++] = {region::three, T_13, Ts, -1.0, 0.0};
      s[n++] = {region::four, Ts, Ts, 0.0, 1.0};
      s[n++] = {region::three, Ts, Tb, 1.0, -1.0};
    } else {
      s[n++] = {region::three, T_13, Tb};
    }
    s[n++] = {region::two, Tb, T_mid};
  }
  if (p <= p_max5) s[n++] = {region::five, T_mid, T_max};
  const path along{path_kind::isobar, p, code, y, saturation, true};
  return walk(along, s, n, [&](region r) -> start_point {
    if (code == code_h) {
      if (r == region::one) return {t1_ph(p, y)};
      if (r == region::two) return {t2_ph(p, y)};
      if (r == region::three) return {t3_ph(p, y), 1.0 / v3_ph(p, y)};
    } else if (code == code_s) {
      if (r == region::one) return {t1_ps(p, y)};
      if (r == region::two) return {t2_ps(p, y)};
      if (r == region::three) return {t3_ps(p, y), 1.0 / v3_ps(p, y)};
    }
    return {};
  });
}

state on_isotherm(double T, int code, double y) {
  using namespace if97;
  if (!(T >= T_min && T <= T_max)) out_of_range();
  std::array<stretch, 5> s{};
  std::size_t n = 0;
  double saturation = std::numeric_limits<double>::quiet_NaN();
  const auto density = [T](double p) { return region3_density(T, p, 1.0 / v3_pt(p, T)); };
  if (T > T_mid) {
    s[n++] = {region::five, p_low, p_max5};
  } else if (T > T_23) {
    s[n++] = {region::two, p_low, p_max};
  } else if (T > T_13) {
    const double pb = b23_p(T);
    s[n++] = {region::two, p_low, pb};
    if (T < Tc) {
      const state vapour = saturation_at_t(T, 1.0), liquid = saturation_at_t(T, 0.0);
      s[n++] = {region::three, density(pb), vapour.rho, -1.0, 1.0};
      s[n++] = {region::four, vapour.p, vapour.p, 1.0, 0.0};
      s[n++] = {region::three, liquid.rho, density(p_max), 0.0, -1.0};
    } else {
      s[n++] = {region::three, density(pb), density(p_max)};
    }
  } else {
    saturation = psat(T);
    s[n++] = {region::two, p_low, saturation, -1.0, 1.0};
    s[n++] = {region::four, saturation, saturation, 1.0, 0.0};
    s[n++] = {region::one, saturation, p_max, 0.0, -1.0};
  }
  const path along{path_kind::isotherm, T, code, y, saturation, false};
  return walk(along, s, n, [](region) { return start_point{}; });
}

// --- h-s pairs.

bool in_region(const state& s, region r) {
  if (r == region::four) return s.x >= 0.0 && s.x <= 1.0;
  return if97::region_of(s.T, s.p) == r;
}

// Two-dimensional Newton iteration on h and s; `at` builds the state of the unknowns (u0, u1),
// `jacobian` the derivatives of h and s by them. Each step is shortened to change no unknown
// by more than a quarter of itself.
template <class At, class Jacobian>
state newton_hs(double h, double s, double u0, double u1, At at, Jacobian jacobian) {
  for (int i = 0; i < max_iterations; ++i) {
    if (!(u0 > 0.0 && u1 > 0.0)) out_of_range();
    const state st = at(u0, u1);
    const double fh = st.h - h, fs = st.s - s;
    const auto [h0, h1, s0, s1] = jacobian(st);
    // Where p hardly moves h and s (a liquid at low pressure), the step in p stays at the
    // rounding of h and s: residuals at that rounding are the answer.
    if (std::abs(fh) <= 1e-13 * (std::abs(h) + 1.0) && std::abs(fs) <= 1e-13 * (std::abs(s) + 1.0))
      return st;
    const double det = h0 * s1 - h1 * s0;
    if (!(det != 0.0) || !std::isfinite(det)) unsettled();
    double d0 = (fh * s1 - fs * h1) / det;
    double d1 = (fs * h0 - fh * s0) / det;
    if (std::abs(d0) <= step_tolerance * u0 && std::abs(d1) <= step_tolerance * u1) return st;
    const double shorten = std::max({1.0, 4.0 * std::abs(d0) / u0, 4.0 * std::abs(d1) / u1});
    u0 -= d0 / shorten;
    u1 -= d1 / shorten;
  }
  unsettled();
}

state hs_gibbs(region r, double h, double s, double T, double p) {
  return newton_hs(
      h, s, T, p, [r](double t, double q) { return gibbs_tp(r, t, q); },
      [](const state& st) {
        const auto gh = gradient_tp(code_h, st), gs = gradient_tp(code_s, st);
        return std::array<double, 4>{gh.dT, gh.dp, gs.dT, gs.dp};
      });
}

state hs_region3(double h, double s, double rho, double T) {
  return newton_hs(
      h, s, rho, T, [](double r, double t) { return if97::region3_rho_t(r, t); },
      [](const state& st) {
        const auto gh = gradient_rho_t(code_h, st), gs = gradient_rho_t(code_s, st);
        return std::array<double, 4>{gh.drho, gh.dT, gs.drho, gs.dT};
      });
}

// A two-phase h-s state: the saturation temperature at which the mixture of entropy s has
// enthalpy h. Along the saturation line at fixed s, dh/dT = s − s' + v'·dp/dT is positive
// below the temperature where s' reaches s; a point past that maximum narrows the bracket
// from above.
state hs_two_phase(double h, double s) {
  using namespace if97;
  constexpr double x_tolerance = 1e-9;
  double lo = T_min, hi = Tc;
  double T = s >= s_vapour_623 ? tsat_hs(h, s) : 0.5 * (T_13 + T_min);
  if (!(T > lo && T < hi)) T = 0.5 * (lo + hi);
  for (int i = 0; i < max_iterations; ++i) {
    const state liquid = saturation_at_t(T, 0.0), vapour = saturation_at_t(T, 1.0);
    const double x = (s - liquid.s) / (vapour.s - liquid.s);
    const double f = liquid.h + x * (vapour.h - liquid.h) - h;
    // Clapeyron: dp/dT = (s'' − s')/(v'' − v'), with v'·dp/dT already in kJ/(kg·K).
    const double df = s - liquid.s + liquid.v * (vapour.s - liquid.s) / (vapour.v - liquid.v);
    if (f == 0.0) return saturation_at_t(T, std::clamp(x, 0.0, 1.0));
    if (df > 0.0 && f < 0.0)
      lo = T;
    else
      hi = T;
    double next = df > 0.0 ? T - f / df : 0.5 * (lo + hi);
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
    if (std::abs(next - T) <= step_tolerance * T) {
      // A saturated phase may come out a rounding error past its end of the line.
      if (!(x >= -x_tolerance && x <= 1.0 + x_tolerance)) out_of_range();
      return saturation_at_t(T, std::clamp(x, 0.0, 1.0));
    }
    T = next;
  }
  unsettled();
}

state hs_attempt(region r, double h, double s) {
  using namespace if97;
  switch (r) {
    case region::one: {
      const double p = std::clamp(p1_hs(h, s), 1e-3, p_max);
      return hs_gibbs(r, h, s, t1_ph(p, h), p);
    }
    case region::two: {
      const double p = std::clamp(p2_hs(h, s), p_low, p_max);
      return hs_gibbs(r, h, s, t2_ph(p, h), p);
    }
    case region::three: {
      const double p = std::clamp(p3_hs(h, s), 16.0, p_max);
      return hs_region3(h, s, 1.0 / v3_ph(p, h), t3_ph(p, h));
    }
    case region::four:
      return hs_two_phase(h, s);
    default: {
      // Region 5 has no backward equation: start from the region 2 pressure at 1500 K.
      const double p = std::clamp(p2_hs(h, s), 1e-3, p_max5);
      return hs_gibbs(r, h, s, 1500.0, p);
    }
  }
}

state on_hs(double h, double s) {
  // The h-s boundary equations name the region to within their tolerance: a state that its
  // region's equation places across a boundary is tried in the neighbouring regions.
  const int named = if97::region_hs(h, s);
  std::array<region, 4> order{};
  switch (named) {
    case 1:
      order = {region::one, region::four, region::three, region::two};
      break;
    case 3:
      order = {region::three, region::four, region::two, region::one};
      break;
    case 4:
      order = {region::four, region::one, region::two, region::three};
      break;
    default:
      order = {region::two, region::five, region::four, region::three};
      break;
  }
  for (const region r : order) {
    try {
      const state st = hs_attempt(r, h, s);
      if (in_region(st, r)) return r == region::four ? st : with_quality(st);
    } catch (const std::domain_error&) {
    } catch (const std::runtime_error&) {
    }
  }
  out_of_range();
}

}  // namespace

if97::state if97_state_from_pair(int pair_code, double first, double second) {
  if (!std::isfinite(first) || !std::isfinite(second)) out_of_range();
  switch (pair_code) {
    case pair_tp:
      return if97::at_tp(first, second);
    case pair_tv:
      if (!(second > 0.0)) out_of_range();
      return if97::at_rho_t(1.0 / second, first);
    case pair_th:
      return on_isotherm(first, code_h, second);
    case pair_ts:
      return on_isotherm(first, code_s, second);
    case pair_tu:
      return on_isotherm(first, code_u, second);
    case pair_pv:
      return on_isobar(first, code_v, second);
    case pair_ph:
      return on_isobar(first, code_h, second);
    case pair_ps:
      return on_isobar(first, code_s, second);
    case pair_pu:
      return on_isobar(first, code_u, second);
    case pair_hs:
      return on_hs(first, second);
    case pair_tx:
      return if97::saturation_at_t(first, second);
    case pair_px:
      return if97::saturation_at_p(first, second);
    default:
      out_of_range();
  }
}

if97::state if97_saturation_point(int pair_code, double first, double x) {
  using namespace if97;
  if (!(x >= 0.0 && x <= 1.0)) out_of_range();
  state s;
  s.where = region::four;
  s.x = x;
  if (pair_code == pair_tx) {
    if (!(first >= T_min && first <= Tc)) out_of_range();
    s.T = first;
    s.p = psat(first);
  } else {
    if (!(first >= psat(T_min) && first <= pc)) out_of_range();
    s.p = first;
    s.T = tsat(first);
  }
  return s;
}

bool if97_critical(const if97::state& s) {
  constexpr double tolerance = 1e-8;
  return std::abs(s.T / if97::Tc - 1.0) < tolerance && std::abs(s.p / if97::pc - 1.0) < tolerance;
}

double if97_property(int code, const if97::state& s, const method& m, if97_transport& kept) {
  const bool mixture = s.two_phase();
  const bool iapws2011 = m.transport == transport_set::iapws2011;
  const auto single_phase = [&] {
    if (mixture || if97_critical(s)) throw not_applicable(context);
  };
  // The 1985 equations take IF97's own compressibility and (∂p/∂T)ρ for their critical
  // enhancement; the 2008/2011 ones evaluate theirs at the IF97 density and temperature, and
  // refuse a state outside their ranges of validity as out of range.
  const auto transport_of = [&](double& mu, double& lambda, bool viscosity, bool conductivity) {
    single_phase();
    if (iapws2011 && ((viscosity && !viscosity2008_valid(s.T, s.p)) ||
                      (conductivity && !conductivity2011_valid(s.T, s.p))))
      throw std::domain_error(context);
    if (!kept.known) {
      if (iapws2011)
        transport2011(s.T, s.rho, kept.mu, kept.lambda);
      else
        transport(s.T, s.rho, s.kappa, s.dpdt, kept.mu, kept.lambda);
      kept.known = true;
    }
    mu = kept.mu;
    lambda = kept.lambda;
  };
  double mu = 0.0, lambda = 0.0;
  switch (code) {
    case code_t:
      return s.T;
    case code_p:
      return s.p;
    case code_v:
      return s.v;
    case code_rho:
      return s.rho;
    case code_z:
      return s.z;
    case code_a:
      return s.a;
    case code_s:
      return s.s;
    case code_u:
      return s.u;
    case code_h:
      return s.h;
    case code_g:
      return s.g;
    case code_x:
      return s.x;
    case code_cv:
      return single_phase(), s.cv;
    case code_cp:
      return single_phase(), s.cp;
    case code_w:
      return single_phase(), s.w;
    case code_alpha:
      return single_phase(), s.alpha;
    case code_kappa:
      return single_phase(), s.kappa;
    case code_dpdt:
      return single_phase(), s.dpdt;
    case code_dvdt:
      return single_phase(), s.dvdt;
    case code_dvdp:
      return single_phase(), s.dvdp;
    case code_cjtt:
      return single_phase(), s.cjtt;
    case code_cjth:
      return single_phase(), s.cjth;
    case code_mu:
      return transport_of(mu, lambda, true, false), mu;
    case code_kt:
      return transport_of(mu, lambda, false, true), lambda;
    case code_pr:
      // cp in kJ/(kg·K), hence the factor 1000 to J/(kg·K).
      return transport_of(mu, lambda, true, true), s.cp * 1e3 * mu / lambda;
    case code_st:
      if (mixture) throw not_applicable(context);
      return surface_tension(if97::Tc / s.T);
    case code_de:
      if (mixture) throw not_applicable(context);
      return dielectric_constant(s.rho / if97::rhoc, if97::Tc / s.T);
    case code_isentropic_k: {
      if (!mixture) return -(s.cp / s.cv) * s.v / (s.p * s.dvdp);
      // Within the dome p(v) at constant s has no local derivative of one phase: a small
      // secant in log p against log v.
      constexpr double step = 1.001;
      const state other = if97_state_from_pair(pair_ps, s.p * step, s.s);
      return std::log(1.0 / step) / std::log(other.v / s.v);
    }
    default:
      throw std::domain_error(context);
  }
}

}  // namespace Vantrel
