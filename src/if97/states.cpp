// States from input pairs: (T, p) through the region it lies in, (ρ, T) through the pressure
// that gives ρ there, and saturation from the region 4 line with liquid and vapour from the
// basic equations at the saturation pressure.
#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "if97/basic.h"

namespace Vantrel::if97 {
namespace {

constexpr int max_iterations = 100;
// Relative change of the unknown at which an iteration has converged; a few units in the
// last place, which every caller's round trip can resolve.
constexpr double tolerance = 1e-14;
constexpr double not_applicable = std::numeric_limits<double>::quiet_NaN();

// The region 3 liquid branch lies below this density over the whole region, so Newton's
// method started there walks down the convex liquid isotherm without passing its root.
constexpr double rho_liquid_start = 800.0;

// Marks a single-phase state's side of the saturation line the way the rest of the library
// does: below Tc and pc the density names it.
void set_quality(state& s) {
  s.x = quality_indeterminate;
  if (s.T <= Tc && s.p <= pc) s.x = s.rho > rhoc ? quality_subcooled : quality_superheated;
}

// Newton's method on p(ρ) = p inside a bracket that every evaluation narrows: a step that
// leaves the bracket, or meets a slope that is not positive, is replaced by bisection.
double newton_density(double T, double p, double rho, double lo, double hi) {
  for (int i = 0; i < max_iterations; ++i) {
    const pressure_slope e = region3_pressure(rho, T);
    const double f = e.p - p;
    if (f == 0.0) return rho;
    (f > 0.0 ? hi : lo) = rho;
    double next = rho - f / e.dpdrho;
    if (!(e.dpdrho > 0.0) || !(next > lo && next < hi)) next = 0.5 * (lo + hi);
    if (std::abs(next - rho) <= tolerance * rho) return next;
    rho = next;
  }
  throw std::runtime_error("if97::region3_density");
}

// Newton's method on v(p) = v for a Gibbs equation, bracketed the same way; v falls with p.
template <class Volume>
double newton_pressure(Volume volume, double T, double v, double p, double lo, double hi) {
  for (int i = 0; i < max_iterations; ++i) {
    const volume_slope e = volume(T, p);
    const double f = e.v - v;
    if (f == 0.0) return p;
    (f > 0.0 ? lo : hi) = p;
    double next = p - f / e.dvdp;
    if (!(e.dvdp < 0.0) || !(next > lo && next < hi)) next = 0.5 * (lo + hi);
    if (std::abs(next - p) <= tolerance * p) return next;
    p = next;
  }
  throw std::runtime_error("if97::at_rho_t");
}

// The pressure at which a Gibbs equation gives volume v at T, between lo and hi; outside
// that interval the point belongs to no state of the equation's region.
template <class Volume>
double pressure_for_volume(Volume volume, double T, double v, double lo, double hi) {
  if (v < volume(T, hi).v) throw std::domain_error("if97::at_rho_t");
  // An ideal-gas start lies above the root of a vapour (its compressibility is below one),
  // and the first step of a convex falling v(p) from there lands below it.
  const double start = std::clamp(R * T / (kj_per_mpa_m3 * v), lo, hi);
  return newton_pressure(volume, T, v, start, lo, hi);
}

// The root of p(ρ) = p that a region 3 state wants: below Tc the liquid-like or the
// vapour-like one, above it the only one.
enum class branch { liquid, vapour, single };

double density_on(branch b, double T, double p, double start) {
  // The vapour-like branch starts from the ideal-gas density, which lies below the root;
  // the liquid-like branch and the supercritical isotherm start from above. The two roots
  // meet a little above ρc, at the critical point of the region 3 equation, so each branch's
  // bound reaches a little past ρc.
  if (b == branch::vapour) {
    const double hi = 1.01 * rhoc;
    if (!(start > 0.0)) start = 1e-3 * p / (R * T);
    return newton_density(T, p, std::min(start, hi), 0.0, hi);
  }
  if (!(start > 0.0)) start = rho_liquid_start;
  const double lo = b == branch::liquid ? 0.99 * rhoc : 0.0;
  return newton_density(T, p, std::max(start, lo), lo, 2.0 * rho_liquid_start);
}

state mixture(const state& liquid, const state& vapour, double x) {
  if (x == 0.0) return liquid;
  if (x == 1.0) return vapour;
  state s;
  s.where = region::four;
  s.T = vapour.T;
  s.p = vapour.p;
  s.x = x;
  // Volumes, not densities, add by mass.
  s.v = (1.0 - x) * liquid.v + x * vapour.v;
  s.rho = 1.0 / s.v;
  s.z = 1e3 * s.p * s.v / (R * s.T);
  s.a = (1.0 - x) * liquid.a + x * vapour.a;
  s.u = (1.0 - x) * liquid.u + x * vapour.u;
  s.h = (1.0 - x) * liquid.h + x * vapour.h;
  s.g = (1.0 - x) * liquid.g + x * vapour.g;
  s.s = (1.0 - x) * liquid.s + x * vapour.s;
  s.cv = s.cp = s.w = s.alpha = s.kappa = not_applicable;
  s.dpdt = s.dvdt = s.dvdp = s.cjtt = s.cjth = not_applicable;
  return s;
}

// Saturated liquid and vapour at T and its saturation pressure p: regions 1 and 2 up to
// 623.15 K, region 3 above.
void saturated_phases(double T, double p, state& liquid, state& vapour) {
  if (T <= T_13) {
    liquid = region1_tp(T, p);
    vapour = region2_tp(T, p);
  } else {
    const bool below = T < Tc;
    liquid = region3_rho_t(density_on(below ? branch::liquid : branch::single, T, p, 0.0), T);
    vapour = region3_rho_t(density_on(below ? branch::vapour : branch::single, T, p, 0.0), T);
    // Only the iteration's last step lies between the equation's pressure and p.
    liquid.p = vapour.p = p;
  }
  liquid.x = 0.0;
  vapour.x = 1.0;
  liquid.where = vapour.where = region::four;
}

state saturation(double T, double p, double x, const char* context) {
  if (!(x >= 0.0 && x <= 1.0)) throw std::domain_error(context);
  state liquid, vapour;
  saturated_phases(T, p, liquid, vapour);
  return mixture(liquid, vapour, x);
}

}  // namespace

double region3_density(double T, double p, double start) {
  if (!(T > 0.0 && p > 0.0)) throw std::domain_error("if97::region3_density");
  const branch b = T >= Tc ? branch::single : p < psat(T) ? branch::vapour : branch::liquid;
  return density_on(b, T, p, start);
}

state at_tp(double T, double p) {
  state s;
  switch (region_of(T, p)) {
    case region::one:
      s = region1_tp(T, p);
      break;
    case region::two:
      s = region2_tp(T, p);
      break;
    case region::three:
      s = region3_rho_t(region3_density(T, p), T);
      s.p = p;
      break;
    case region::five:
      s = region5_tp(T, p);
      break;
    default:
      throw std::domain_error("if97::at_tp");
  }
  set_quality(s);
  return s;
}

state at_rho_t(double rho, double T) {
  if (!(rho > 0.0 && T >= T_min && T <= T_max)) throw std::domain_error("if97::at_rho_t");
  const double v = 1.0 / rho;
  state s;
  if (T > T_mid) {
    s = region5_tp(T, pressure_for_volume(region5_volume, T, v, 0.0, p_max5));
  } else if (T > T_23) {
    s = region2_tp(T, pressure_for_volume(region2_volume, T, v, 0.0, p_max));
  } else if (T > T_13) {
    if (T < Tc) {
      const double ps = psat(T);
      const double rho_liq = density_on(branch::liquid, T, ps, 0.0);
      const double rho_vap = density_on(branch::vapour, T, ps, 0.0);
      if (rho < rho_liq && rho > rho_vap) {
        const double x = (v - 1.0 / rho_liq) / (1.0 / rho_vap - 1.0 / rho_liq);
        return saturation(T, ps, x, "if97::at_rho_t");
      }
    }
    // Regions 2 and 3 meet at B23 only to within their consistency; a density in the sliver
    // between them stays with region 3.
    const double pb = b23_p(T);
    if (region3_pressure(rho, T).p >= pb || v < region2_volume(T, pb).v) {
      s = region3_rho_t(rho, T);
      if (s.p > p_max) throw std::domain_error("if97::at_rho_t");
    } else {
      s = region2_tp(T, pressure_for_volume(region2_volume, T, v, 0.0, pb));
    }
  } else {
    const double ps = psat(T);
    const double v_liq = region1_volume(T, ps).v;
    const double v_vap = region2_volume(T, ps).v;
    if (v <= v_liq) {
      s = region1_tp(T, pressure_for_volume(region1_volume, T, v, ps, p_max));
    } else if (v >= v_vap) {
      s = region2_tp(T, pressure_for_volume(region2_volume, T, v, 0.0, ps));
    } else {
      return saturation(T, ps, (v - v_liq) / (v_vap - v_liq), "if97::at_rho_t");
    }
  }
  set_quality(s);
  return s;
}

state saturation_at_t(double T, double x) {
  if (!(T >= T_min && T <= Tc)) throw std::domain_error("if97::saturation_at_t");
  return saturation(T, psat(T), x, "if97::saturation_at_t");
}

state saturation_at_p(double p, double x) {
  if (!(p >= psat(T_min) && p <= pc)) throw std::domain_error("if97::saturation_at_p");
  return saturation(tsat(p), p, x, "if97::saturation_at_p");
}

}  // namespace Vantrel::if97
