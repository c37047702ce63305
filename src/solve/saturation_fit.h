#pragma once
// The IAPWS-95 saturation line as piecewise Chebyshev expansions. The variable is
// t = √(1 − θ), in which ρ′ − ρ″ is smooth up to the critical point; the intervals of t shrink
// geometrically toward it. Each interval holds ln π, ln δ′ and ln δ″, and the saturated
// enthalpies h′, h″ and entropies s′, s″, so that a two-phase state needs no evaluation of the
// Helmholtz function: its lever rule runs on the fitted values.
//
// The coefficients (solve/saturation_table.h) are made by the fitting program in tools/, which
// solves the equal-fugacity condition in quad precision at the nodes, evaluates h and s there in
// quad, and proves the fit against the same solution between them. Where the proof holds (1e-12
// relative in π, δ′ and δ″, 1e-11 kJ/kg in h, 1e-13 kJ/(kg·K) in s) the fit is the saturation
// line itself; elsewhere it is a start for the solvers.
#include "solve/caches.h"

namespace Vantrel {

// The fitted π, δ′ and δ″ at θ (π in `value`). False, writing nothing, outside the fitted
// range from the triple point to the critical cutoff 1 − θ = 4e-6.
bool fitted_saturation(double theta, saturation_entry& point);

// As fitted_saturation, where the table's proof holds: from the triple point to
// saturation_table::proven_from in t. False, writing nothing, elsewhere.
bool exact_saturation(double theta, saturation_entry& point);

// The θ at which the fitted line reaches π, by Newton's method on the fit from the table's
// inverse, usually one step. False, writing nothing, outside the fitted range.
bool fitted_saturation_theta(double pi, double& theta);

// The saturated liquid's (′) and vapour's (″) specific enthalpy h and internal energy u (kJ/kg)
// and entropy s (kJ/(kg·K)).
struct saturated_energies {
  double h_liq, h_vap, s_liq, s_vap, u_liq, u_vap;
};

// A point of the saturation line, θ, π, δ′ and δ″, with its energies.
struct saturated_state {
  double theta, pi, delta_liq, delta_vap;
  saturated_energies energies;
};

// The fitted h′, h″, s′ and s″ at θ, and u = h − p/ρ of each phase from the fitted π, δ′ and
// δ″, where the table's proof holds (as exact_saturation). False, writing nothing, elsewhere.
bool fitted_saturation_energies(double theta, saturated_energies& energies);

// The whole saturated state at θ in one pass: one search for the interval and the seven
// expansions summed side by side at one point. Where the proof holds; false, writing nothing,
// elsewhere.
bool exact_saturated_state(double theta, saturated_state& state);

// The saturated state at π: θ as fitted_saturation_theta finds it, and the rest at that θ as
// exact_saturated_state gives it; `state.pi` is the π given. Where the proof holds; false,
// writing nothing, elsewhere.
bool exact_saturated_state_at_pi(double pi, saturated_state& state);

// Chebyshev expansions on the intervals [edges[i], edges[i + 1]] of t, each of `degree` + 1
// coefficients per quantity, stored quantity by quantity within an interval. Read by the fit
// above and written by the fitting program.
struct chebyshev_table {
  int intervals;
  int degree;
  const double* edges;
  const double* coefficients;
};

// Σ cₖ·Tₖ(u) with its derivative by u, by Clenshaw's recurrence.
double chebyshev_sum(const double* c, int degree, double u, double& derivative);

}  // namespace Vantrel
