// Fits the IAPWS-95 saturation line as piecewise Chebyshev expansions in t = √(1 − θ) of ln π,
// ln δ′ and ln δ″ and of the saturated enthalpies h′, h″ and entropies s′, s″, and writes the
// table that solve/saturation_fit.cpp reads (C++ source, on standard output). Every node is the
// equal-fugacity solution in quad precision (tools/extended_saturation.h), started from the
// auxiliary estimates, with h and s evaluated in quad at its densities. Between the nodes the fit
// is checked against the same solution at dense points, and the reach of the proven fit is
// written into the table. Exits with 1 when a solution does not converge or the proven reach ends
// farther than 1 K below the critical point.
//
// The nodes sit at exact t: θ = 1 − t² is formed in quad, since near the critical point its
// rounding to double would move t by parts in 1e11 and the fitted densities with it.
//
// h and s are fitted as they are, not as a mean and a difference of the two phases: in t on
// intervals that shrink geometrically toward the critical point their power laws in 1 − θ are as
// smooth as the densities', and h′ and s′ pass through zero at the triple point, so their proof
// is absolute.
//
// The table also holds t as expansions in w = √(−ln π), on the same intervals with their edges
// mapped by the fit, fitted to the fit's own inverse. They only start Newton's method on the
// fitted ln π, which needs one step from within 1e-9, so a low degree does; w rather than ln π
// because t ∝ √(−ln π) near the critical point.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "model/constant95.h"
#include "solve/saturation.h"
#include "solve/saturation_fit.h"
#include "tools/extended_saturation.h"

namespace {

using namespace Vantrel;

constexpr double ratio = 1.6;             // of neighbouring edges near the critical point
constexpr double widest_interval = 0.05;  // in t
constexpr int degree = 16;
// Of the inverse, t in w = √(−ln π): a start for Newton's method on the fitted ln π, which from
// within 1e-9 of the root lands below rounding in one step.
constexpr int inverse_degree = 8;
constexpr int checks_per_gap = 4;                   // points checked between neighbouring nodes
constexpr double widest_band = 1 / constant95::Tc;  // in 1 − θ: 1 K
// t from just inside the critical cutoff 1 − θ = 4e-6 to just beyond the triple point.
const double t_lowest = std::sqrt(4e-6) * (1 - 1e-3);
const double t_highest = std::sqrt(1 - constant95::Tt / constant95::Tc) * (1 + 1e-9);

using extended::quad;

constexpr int quantities = 7;
const char* const names[quantities] = {"pi", "delta'", "delta''", "h'", "h''", "s'", "s''"};
// What the proof demands: relative in π, δ′ and δ″, in kJ/kg in h and in kJ/(kg·K) in s.
constexpr double proven_relative = 1e-12, proven_enthalpy = 1e-11, proven_entropy = 1e-13;
constexpr double proven[quantities] = {proven_relative, proven_relative, proven_relative,
                                       proven_enthalpy, proven_enthalpy, proven_entropy,
                                       proven_entropy};
constexpr bool relative(int q) {
  return q < 3;
}

struct point {
  long double value[quantities];  // ln π, ln δ′, ln δ″, h′, h″, s′, s″
};

bool all_converged = true;

point solved(double t) {
  const quad theta = 1 - quad(t) * t;
  const double start = static_cast<double>(theta);
  const auto s = extended::solve_at_theta<quad>(theta, liquid_density_estimate(start),
                                                vapour_density_estimate(start), 1e-20);
  if (!s.converged) {
    std::fprintf(stderr, "no convergence at t = %.17g\n", t);
    all_converged = false;
  }
  const auto liq = extended::energies_at<quad>(s.delta_liq, 1 / theta);
  const auto vap = extended::energies_at<quad>(s.delta_vap, 1 / theta);
  return {{static_cast<long double>(logq(s.pi)), static_cast<long double>(logq(s.delta_liq)),
           static_cast<long double>(logq(s.delta_vap)), static_cast<long double>(liq.h),
           static_cast<long double>(vap.h), static_cast<long double>(liq.s),
           static_cast<long double>(vap.s)}};
}

// Chebyshev coefficients from the values at the n nodes uⱼ = cos((j + ½)π/n):
// cₖ = (2/n) Σ f(uⱼ)·cos(k·(j + ½)π/n), c₀ halved.
std::vector<double> chebyshev_coefficients(const std::vector<long double>& values) {
  const int n = static_cast<int>(values.size());
  std::vector<double> c(n);
  for (int k = 0; k < n; ++k) {
    long double sum = 0;
    for (int j = 0; j < n; ++j) {
      sum += values[j] * std::cos(std::numbers::pi_v<long double> * k * (j + 0.5L) / n);
    }
    c[k] = static_cast<double>((k == 0 ? 1.0L : 2.0L) * sum / n);
  }
  return c;
}

double node(int j, int n) {
  return std::cos(std::numbers::pi * (j + 0.5) / n);
}

// One interval's expansion of the fitted ln π: where it reaches `target`, by Newton's method
// kept inside the interval by bisection (ln π falls as t grows).
struct log_pi_expansion {
  const double* c;
  double a, b;

  double at(double t, double& slope) const {
    const double value = chebyshev_sum(c, degree, (t - a) * 2 / (b - a) - 1, slope);
    slope *= 2 / (b - a);
    return value;
  }
  double inverse(double target) const {
    double lo = a, hi = b, t = (a + b) / 2;
    for (int k = 0; k < 200; ++k) {
      double slope = 0;
      const double r = at(t, slope) - target;
      (r > 0 ? lo : hi) = t;
      double next = t - r / slope;
      if (!(next > lo && next < hi)) next = (lo + hi) / 2;
      const bool settled = std::fabs(next - t) <= 1e-17 * t || hi - lo <= 1e-17 * t;
      t = next;
      if (settled) break;
    }
    return t;
  }
};

}  // namespace

int main() {
  // Geometric toward the critical point, where the densities change fastest; no wider than
  // widest_interval away from it, where ln π runs over several units.
  std::vector<double> edges{t_lowest};
  while (edges.back() * (1 + widest_interval / 4) < t_highest) {
    edges.push_back(std::fmin(edges.back() * ratio, edges.back() + widest_interval));
  }
  edges.back() = t_highest;
  const int intervals = static_cast<int>(edges.size()) - 1;

  // Coefficients by interval, quantity and order.
  const int n = degree + 1;
  std::vector<double> coefficients(static_cast<std::size_t>(intervals) * quantities * n);
  for (int i = 0; i < intervals; ++i) {
    const double a = edges[i], b = edges[i + 1];
    std::vector<point> nodes(n);
    for (int j = 0; j < n; ++j) nodes[j] = solved(a + (node(j, n) + 1) * (b - a) / 2);
    for (int q = 0; q < quantities; ++q) {
      std::vector<long double> values(n);
      for (int j = 0; j < n; ++j) values[j] = nodes[j].value[q];
      const std::vector<double> c = chebyshev_coefficients(values);
      std::copy(c.begin(), c.end(), coefficients.begin() + (i * quantities + q) * n);
    }
  }
  auto log_pi = [&](int i) {
    return log_pi_expansion{&coefficients[i * quantities * n], edges[i], edges[i + 1]};
  };

  // The inverse on the same intervals, their edges mapped to w = √(−ln π) by the fit, and
  // fitted to the fit's own inverse.
  const int m = inverse_degree + 1;
  std::vector<double> inverse_edges(intervals + 1);
  for (int i = 0; i <= intervals; ++i) {
    double unused = 0;
    const int k = std::min(i, intervals - 1);
    inverse_edges[i] = std::sqrt(-log_pi(k).at(edges[i], unused));
  }
  std::vector<double> inverse_coefficients(static_cast<std::size_t>(intervals) * m);
  double worst_start = 0;
  for (int i = 0; i < intervals; ++i) {
    const double a = inverse_edges[i], b = inverse_edges[i + 1];
    std::vector<long double> values(m);
    for (int j = 0; j < m; ++j) {
      const double w = a + (node(j, m) + 1) * (b - a) / 2;
      values[j] = log_pi(i).inverse(-w * w);
    }
    const std::vector<double> c = chebyshev_coefficients(values);
    std::copy(c.begin(), c.end(), inverse_coefficients.begin() + i * m);
    for (int j = 0; j <= m * checks_per_gap; ++j) {
      const double u = std::cos(std::numbers::pi * j / (m * checks_per_gap));
      const double w = a + (u + 1) * (b - a) / 2;
      double unused = 0;
      const double start = chebyshev_sum(c.data(), inverse_degree, u, unused);
      const double t = log_pi(i).inverse(-w * w);
      worst_start = std::fmax(worst_start, std::fabs(start / t - 1));
    }
  }

  // The deviation at dense points between the nodes, the ends of the interval included.
  std::vector<double> deviation(intervals);
  double worst[quantities] = {};
  for (int i = 0; i < intervals; ++i) {
    const double a = edges[i], b = edges[i + 1];
    double local[quantities] = {};
    for (int j = 0; j <= n * checks_per_gap; ++j) {
      const double u = std::cos(std::numbers::pi * j / (n * checks_per_gap));
      const double t = a + (u + 1) * (b - a) / 2;
      const point exact = solved(t);
      for (int q = 0; q < quantities; ++q) {
        double unused = 0;
        const double fit =
            chebyshev_sum(&coefficients[(i * quantities + q) * n], degree, u, unused);
        const long double difference = fit - exact.value[q];
        const double d =
            std::fabs(static_cast<double>(relative(q) ? std::expm1l(difference) : difference));
        local[q] = std::fmax(local[q], d);
        worst[q] = std::fmax(worst[q], d);
        // The deviation in units of what the proof demands.
        deviation[i] = std::fmax(deviation[i], d / proven[q]);
      }
    }
    std::fprintf(stderr, "t %.6f to %.6f:", a, b);
    for (int q = 0; q < quantities; ++q) std::fprintf(stderr, " %s %.1e", names[q], local[q]);
    std::fprintf(stderr, "\n");
  }
  // The proven fit reaches from the triple point down to the first interval beyond which every
  // quantity of every one holds to `proven`.
  int first_proven = intervals;
  while (first_proven > 0 && deviation[first_proven - 1] <= 1) --first_proven;
  const double band_edge = edges[first_proven];

  std::printf("#pragma once\n");
  std::printf(
      "// The IAPWS-95 saturation line: Chebyshev expansions of ln pi, ln delta', ln delta'', "
      "h',\n");
  std::printf(
      "// h'', s' and s'' in t = sqrt(1 - theta) on %d intervals of t, degree %d, fitted to the\n",
      intervals, degree);
  std::printf(
      "// equal-fugacity solution in quad precision and to h (kJ/kg) and s (kJ/(kg K)) of both\n");
  std::printf(
      "// phases there. Largest deviation from it at %d points between neighbouring nodes:\n",
      checks_per_gap);
  std::printf("// relative, pi %.1e, delta' %.1e, delta'' %.1e; absolute, h' %.1e, h'' %.1e,\n",
              worst[0], worst[1], worst[2], worst[3], worst[4]);
  std::printf("// s' %.1e, s'' %.1e. At most %.0e relative, %.0e kJ/kg in h and %.0e kJ/(kg K)\n",
              worst[5], worst[6], proven_relative, proven_enthalpy, proven_entropy);
  std::printf("// in s for t >= %.6g (T <= %.4f K). The inverse, t in w = sqrt(-ln pi) on the\n",
              band_edge, (1 - band_edge * band_edge) * constant95::Tc);
  std::printf(
      "// same intervals, degree %d, starts Newton's method on ln pi within %.1e of the fit's\n",
      inverse_degree, worst_start);
  std::printf("// own inverse.\n");
  std::printf("// Written by tools/fit_saturation.cpp; do not edit. Rebuilt with\n");
  std::printf("//   cmake --build --preset default --target kelvora_fit_saturation\n");
  std::printf("//   build/default/tools/kelvora_fit_saturation > src/solve/saturation_table.h\n");
  std::printf("//   clang-format -i src/solve/saturation_table.h\n");
  std::printf("namespace Vantrel::saturation_table {\n");
  std::printf("inline constexpr int intervals = %d;\n", intervals);
  std::printf("inline constexpr int degree = %d;\n", degree);
  std::printf("inline constexpr int quantities = %d;\n", quantities);
  std::printf("// From proven_from in t to the triple point the fit holds to these.\n");
  std::printf("inline constexpr double proven_relative = %.0e;  // pi, delta', delta''\n",
              proven_relative);
  std::printf("inline constexpr double proven_enthalpy = %.0e;  // kJ/kg\n", proven_enthalpy);
  std::printf("inline constexpr double proven_entropy = %.0e;  // kJ/(kg K)\n", proven_entropy);
  std::printf("inline constexpr double proven_from = %.17g;\n", band_edge);
  std::printf("inline constexpr double edges[] = {\n");
  for (double e : edges) std::printf("    %.17g,\n", e);
  std::printf("};\n");
  std::printf(
      "// By interval, then ln pi, ln delta', ln delta'', h', h'', s', s'', then order 0 to %d.\n",
      degree);
  std::printf("inline constexpr double coefficients[] = {\n");
  for (int i = 0; i < intervals; ++i) {
    for (int q = 0; q < quantities; ++q) {
      for (int k = 0; k < n; ++k) {
        std::printf("%s%.17g,%s", k % 3 == 0 ? "    " : "",
                    coefficients[(i * quantities + q) * n + k],
                    k % 3 == 2 || k + 1 == n ? "\n" : " ");
      }
    }
  }
  std::printf("};\n");
  std::printf("inline constexpr int inverse_degree = %d;\n", inverse_degree);
  std::printf("// w = sqrt(-ln pi) of the fit at the edges of t.\n");
  std::printf("inline constexpr double inverse_edges[] = {\n");
  for (double e : inverse_edges) std::printf("    %.17g,\n", e);
  std::printf("};\n");
  std::printf("// t by interval of w, then order 0 to %d.\n", inverse_degree);
  std::printf("inline constexpr double inverse_coefficients[] = {\n");
  for (int i = 0; i < intervals; ++i) {
    for (int k = 0; k < m; ++k) {
      std::printf("%s%.17g,%s", k % 3 == 0 ? "    " : "", inverse_coefficients[i * m + k],
                  k % 3 == 2 || k + 1 == m ? "\n" : " ");
    }
  }
  std::printf("};\n");
  std::printf("}  // namespace Vantrel::saturation_table\n");
  std::fprintf(stderr, "largest deviation:");
  for (int q = 0; q < quantities; ++q) std::fprintf(stderr, " %s %.2e", names[q], worst[q]);
  std::fprintf(stderr, "; proven from t = %.6g; inverse start %.2e\n", band_edge, worst_start);
  return !all_converged || band_edge * band_edge > widest_band ? 1 : 0;
}
