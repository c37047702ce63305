#pragma once
// The IAPWS-95 saturation line as piecewise Chebyshev expansions. The variable is
// t = √(1 − θ), in which ρ′ − ρ″ is smooth up to the critical point; the intervals of t shrink
// geometrically toward it. Each interval holds ln π, ln δ′ and ln δ″.
//
// The coefficients (solve/saturation_table.h) are made by the fitting program in tools/, which
// solves the equal-fugacity condition in quad precision at the nodes and proves the fit against
// the same solution between them. Where the proof holds (1e-12 relative in π, δ′ and δ″) the
// fit is the saturation line itself; elsewhere it is a start for the solvers.
#include "solve/caches.h"

namespace Vantrel {

// The fitted π, δ′ and δ″ at θ (π in `value`). False, writing nothing, outside the fitted
// range from the triple point to the critical cutoff 1 − θ = 4e-6.
bool fitted_saturation(double theta, saturation_entry& point);

// As fitted_saturation, where the table's proof holds: from the triple point to
// saturation_table::proven_from in t. False, writing nothing, elsewhere.
bool exact_saturation(double theta, saturation_entry& point);

// The θ at which the fitted line reaches π, by Newton's method on the fit. False, writing
// nothing, outside the fitted range.
bool fitted_saturation_theta(double pi, double& theta);

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
