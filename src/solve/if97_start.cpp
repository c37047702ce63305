#include "solve/if97_start.h"

#include <cmath>

#include "if97/backward.h"
#include "if97/backward_saturation.h"
#include "if97/basic.h"
#include "if97/if97.h"

namespace Vantrel {
namespace {

namespace bd = if97::backward_detail;

// The boundaries between the regions of IAPWS-IF97 (R7-97(2012)): region 1 ends at 623.15 K,
// where the B23 line starts at psat(623.15 K).
constexpr double t13 = if97::T_13;
constexpr double p_b23_low = 16.5291642526;  // B23 at 623.15 K, MPa

bool positive(double x) {
  return x > 0.0 && std::isfinite(x);
}

bool answer(double T, double v, flash_start& start) {
  if (!positive(T) || !positive(v)) return false;
  start = {T, 1.0 / v};
  return true;
}

// Region 2 above the B23 line (or below its lowest pressure), region 3 under it.
bool vapour_like(double T, double p) {
  return p <= p_b23_low || T >= bd::b23_t(p);
}

// The backward equations of one input pair: T and v of region 3, T of regions 1 and 2.
struct backward_set {
  double (*t1)(double, double);
  double (*t2)(double, double);
  double (*t3)(double, double);
  double (*v3)(double, double);
};

constexpr backward_set ph_set{if97::t1_ph, if97::t2_ph, if97::t3_ph, if97::v3_ph};
constexpr backward_set ps_set{if97::t1_ps, if97::t2_ps, if97::t3_ps, if97::v3_ps};

// T and ρ at (p, y) from the first region whose backward temperature lies inside it: region 1,
// then region 3 under the B23 line, then region 2 (and the vapour-like region 3 below B23). A
// backward equation evaluated outside its region extrapolates far from any answer, and so names
// another region. Beyond 100 MPa and 1073.15 K the equations of regions 1 and 2 are extrapolated:
// what they give is still a start, which the Newton iteration that follows either confirms or
// declines.
bool backward_start(const backward_set& b, double p, double y, start_side side,
                    flash_start& start) {
  if (!(p > 0.0) || !std::isfinite(y)) return false;
  if (side == start_side::any && p < if97::pc) side = start_side::vapour;
  if (side != start_side::vapour) {
    const double t1 = b.t1(p, y);
    if (t1 > 0.0 && t1 <= t13) return answer(t1, if97::region1_volume(t1, p).v, start);
    if (p >= p_b23_low) {
      const double t3 = b.t3(p, y);
      if (t3 >= t13 && t3 <= bd::b23_t(p)) return answer(t3, b.v3(p, y), start);
    }
    if (side == start_side::liquid) return false;
  }
  const double t2 = b.t2(p, y);
  if (!(t2 > 0.0)) return false;
  if (vapour_like(t2, p)) return answer(t2, if97::region2_volume(t2, p).v, start);
  const double t3 = b.t3(p, y);
  return t3 >= t13 && answer(t3, b.v3(p, y), start);
}

}  // namespace

bool if97_density_start(double T, double p, start_side side, double& rho) {
  if (!(p > 0.0 && T > 0.0)) return false;
  if (side == start_side::any) {
    side =
        T <= t13 && (T >= if97::Tc || p >= bd::psat_t(T)) ? start_side::liquid : start_side::vapour;
  }
  double v = 0.0;
  if (side == start_side::liquid && T <= t13) {
    v = if97::region1_volume(T, p).v;
  } else if (side == start_side::vapour && vapour_like(T, p)) {
    v = if97::region2_volume(T, p).v;
  } else if (T >= t13) {
    v = if97::v3_pt(p, T);
  }
  if (!positive(v)) return false;
  rho = 1.0 / v;
  return true;
}

bool if97_ph_start(double p, double h, start_side side, flash_start& start) {
  return backward_start(ph_set, p, h, side, start);
}

bool if97_ps_start(double p, double s, start_side side, flash_start& start) {
  return backward_start(ps_set, p, s, side, start);
}

bool if97_pu_start(double p, double u, start_side side, flash_start& start) {
  // h = u + p·v, p in MPa and v in m³/kg giving kJ/kg × 1000: first with a liquid's volume or
  // the ideal gas's at the saturation temperature's neighbourhood, then with the start's own.
  constexpr double liquid_volume = 1e-3;
  const double guess_t = p < if97::pc ? bd::tsat_p(std::fmax(p, 611.213e-6)) : 650.0;
  double v = side == start_side::liquid ? liquid_volume : if97::R * guess_t / (1000.0 * p);
  for (int round = 0; round < 2; ++round) {
    if (!backward_start(ph_set, p, u + 1000.0 * p * v, side, start)) return false;
    v = 1.0 / start.rho;
  }
  return true;
}

bool if97_hs_start(double h, double s, double& p, flash_start& start) {
  // s'(623.15 K), where region 1's liquid line meets region 3's (IAPWS SR4-04 Table 3).
  constexpr double s_liquid_623 = 3.778281340;
  const int region = if97::region_hs(h, s);
  if (region < 1 || region > 4) return false;
  // A state that IF97 puts inside its own two-phase region lies within the small difference of
  // the two saturation lines; the equation of its side, just beyond its range, starts it.
  const bool liquid = s <= if97::s_crit;
  if (region != 4) {
    p = if97::p_hs(h, s);
  } else if (liquid) {
    p = s < s_liquid_623 ? if97::p1_hs(h, s) : if97::p3_hs(h, s);
  } else {
    p = s >= if97::s_vapour_623 ? if97::p_hs(h, s) : if97::p3_hs(h, s);
  }
  if (!positive(p)) return false;
  const start_side side =
      region == 1 || (region != 2 && liquid) ? start_side::liquid : start_side::vapour;
  return backward_start(ph_set, p, h, side, start);
}

double if97_wet_temperature(double h, double s) {
  if (if97::region_hs(h, s) != 4 || !(s >= if97::s_vapour_623)) return 0.0;
  const double T = if97::tsat_hs(h, s);
  return positive(T) ? T : 0.0;
}

}  // namespace Vantrel
