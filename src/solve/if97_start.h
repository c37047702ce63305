#pragma once
// Starting points for the IAPWS-95 flashes from the IAPWS-IF97 backward equations and its basic
// equations' v(p,T). IF97 agrees with IAPWS-95 to within its own tolerances (tens of mK in T, a
// few parts in 1e4 in v in regions 1 and 2), so Newton's method on IAPWS-95 finishes from these
// points in two or three steps. A start is only a start: every caller checks what its iteration
// reaches, and falls back to its bracketing search where no start is given.
//
// Units: K, MPa, kg/m³, kJ/kg, kJ/(kg·K). Each function answers false, writing nothing, where
// IF97 offers no start (outside its range of validity, or a result that is not a positive
// number).

namespace Vantrel {

// The side of the saturation line a start is wanted on: the liquid, the vapour, or whichever
// the region boundaries of IF97 name (above the critical pressure and below the triple point).
enum class start_side { liquid, vapour, any };

struct flash_start {
  double T = 0.0;    // K
  double rho = 0.0;  // kg/m³
};

// The density at (T, p) on the side named.
bool if97_density_start(double T, double p, start_side side, double& rho);

// T from the backward equations T(p,h), T(p,s), and the density at (T, p). For p-u, h is
// estimated from u by two rounds of h = u + p·v.
bool if97_ph_start(double p, double h, start_side side, flash_start& start);
bool if97_ps_start(double p, double s, start_side side, flash_start& start);
bool if97_pu_start(double p, double u, start_side side, flash_start& start);

// p from the backward equations p(h,s), then T and ρ as if97_ph_start. Not for wet states:
// inside IF97's two-phase region only within the narrow band between its saturation line and
// IAPWS-95's, from the equation of the side named by s.
bool if97_hs_start(double h, double s, double& p, flash_start& start);

// The saturation temperature (K) that IF97 gives a wet (h, s), or 0 where it names another region
// or gives none (below s''(623.15 K)).
double if97_wet_temperature(double h, double s);

}  // namespace Vantrel
