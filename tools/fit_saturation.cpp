// Fits the IAPWS-95 saturation line as piecewise Chebyshev expansions of ln π, ln δ′ and ln δ″ in
// t = √(1 − θ), and writes the table that solve/saturation_fit.cpp reads (C++ source, on standard
// output). Every node is the equal-fugacity solution in quad precision
// (tools/extended_saturation.h), started from the auxiliary estimates. Between the nodes the fit is
// checked against the same solution at dense points, and the reach of the proven fit (1e-12
// relative in π, δ′ and δ″) is written into the table. Exits with 1 when a solution does not
// converge or the proven reach ends farther than 1 K below the critical point.
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
constexpr double proven = 1e-12;                    // relative in π, δ′ and δ″
constexpr int checks_per_gap = 4;                   // points checked between neighbouring nodes
constexpr double widest_band = 1 / constant95::Tc;  // in 1 − θ: 1 K
// t from just inside the critical cutoff 1 − θ = 4e-6 to just beyond the triple point.
const double t_lowest = std::sqrt(4e-6) * (1 - 1e-3);
const double t_highest = std::sqrt(1 - constant95::Tt / constant95::Tc) * (1 + 1e-9);

using extended::quad;

struct point {
  long double value[3];  // ln π, ln δ′, ln δ″
};

bool all_converged = true;

point solved(double t) {
  const double theta = 1 - t * t;
  const auto s = extended::solve_at_theta<quad>(theta, liquid_density_estimate(theta),
                                                vapour_density_estimate(theta), 1e-20);
  if (!s.converged) {
    std::fprintf(stderr, "no convergence at t = %.17g\n", t);
    all_converged = false;
  }
  return {{static_cast<long double>(logq(s.pi)), static_cast<long double>(logq(s.delta_liq)),
           static_cast<long double>(logq(s.delta_vap))}};
}

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

  // Coefficients by interval, quantity and order: cₖ = (2/n) Σ f(uⱼ)·cos(k·φⱼ), c₀ halved.
  const int n = degree + 1;
  std::vector<double> coefficients(static_cast<std::size_t>(intervals) * 3 * n);
  for (int i = 0; i < intervals; ++i) {
    const double a = edges[i], b = edges[i + 1];
    std::vector<point> nodes(n);
    for (int j = 0; j < n; ++j) {
      const double u = std::cos(std::numbers::pi * (j + 0.5) / n);
      nodes[j] = solved(a + (u + 1) * (b - a) / 2);
    }
    for (int q = 0; q < 3; ++q) {
      for (int k = 0; k < n; ++k) {
        long double sum = 0;
        for (int j = 0; j < n; ++j) {
          sum += nodes[j].value[q] * std::cos(std::numbers::pi_v<long double> * k * (j + 0.5L) / n);
        }
        coefficients[(i * 3 + q) * n + k] = static_cast<double>((k == 0 ? 1.0L : 2.0L) * sum / n);
      }
    }
  }

  // The deviation at dense points between the nodes, the ends of the interval included.
  std::vector<double> deviation(intervals);
  double worst[3] = {0, 0, 0};
  for (int i = 0; i < intervals; ++i) {
    const double a = edges[i], b = edges[i + 1];
    double local[3] = {0, 0, 0};
    for (int j = 0; j <= n * checks_per_gap; ++j) {
      const double u = std::cos(std::numbers::pi * j / (n * checks_per_gap));
      const double t = a + (u + 1) * (b - a) / 2;
      const point exact = solved(t);
      for (int q = 0; q < 3; ++q) {
        double unused = 0;
        const double fit = chebyshev_sum(&coefficients[(i * 3 + q) * n], degree, u, unused);
        const double d = std::fabs(static_cast<double>(std::expm1l(fit - exact.value[q])));
        local[q] = std::fmax(local[q], d);
        worst[q] = std::fmax(worst[q], d);
        deviation[i] = std::fmax(deviation[i], d);
      }
    }
    std::fprintf(stderr, "t %.6f to %.6f: pi %.1e, delta' %.1e, delta'' %.1e\n", a, b, local[0],
                 local[1], local[2]);
  }
  // The proven fit reaches from the triple point down to the first interval beyond which every
  // one holds to `proven`.
  int first_proven = intervals;
  while (first_proven > 0 && deviation[first_proven - 1] <= proven) --first_proven;
  const double band_edge = edges[first_proven];

  std::printf("#pragma once\n");
  std::printf(
      "// The IAPWS-95 saturation line: Chebyshev expansions of ln pi, ln delta' and ln delta''\n");
  std::printf(
      "// in t = sqrt(1 - theta) on %d intervals of t, degree %d, fitted to the equal-fugacity\n",
      intervals, degree);
  std::printf(
      "// solution in quad precision. Largest relative deviation from it at %d points between\n",
      checks_per_gap);
  std::printf("// neighbouring nodes: pi %.1e, delta' %.1e, delta'' %.1e; at most %.0e for\n",
              worst[0], worst[1], worst[2], proven);
  std::printf("// t >= %.6g (T <= %.4f K).\n", band_edge,
              (1 - band_edge * band_edge) * constant95::Tc);
  std::printf("// Written by tools/fit_saturation.cpp; do not edit. Rebuilt with\n");
  std::printf("//   cmake --build --preset default --target kelvora_fit_saturation\n");
  std::printf("//   build/default/tools/kelvora_fit_saturation > src/solve/saturation_table.h\n");
  std::printf("//   clang-format -i src/solve/saturation_table.h\n");
  std::printf("namespace Vantrel::saturation_table {\n");
  std::printf("inline constexpr int intervals = %d;\n", intervals);
  std::printf("inline constexpr int degree = %d;\n", degree);
  std::printf("// From this t to the triple point the fit holds to %.0e.\n", proven);
  std::printf("inline constexpr double proven_from = %.17g;\n", band_edge);
  std::printf("inline constexpr double edges[] = {\n");
  for (double e : edges) std::printf("    %.17g,\n", e);
  std::printf("};\n");
  std::printf("// By interval, then ln pi, ln delta', ln delta'', then order 0 to %d.\n", degree);
  std::printf("inline constexpr double coefficients[] = {\n");
  for (int i = 0; i < intervals; ++i) {
    for (int q = 0; q < 3; ++q) {
      for (int k = 0; k < n; ++k) {
        std::printf("%s%.17g,%s", k % 3 == 0 ? "    " : "", coefficients[(i * 3 + q) * n + k],
                    k % 3 == 2 || k + 1 == n ? "\n" : " ");
      }
    }
  }
  std::printf("};\n");
  std::printf("}  // namespace Vantrel::saturation_table\n");
  std::fprintf(stderr,
               "largest deviation: pi %.2e, delta' %.2e, delta'' %.2e; proven from t = %.6g\n",
               worst[0], worst[1], worst[2], band_edge);
  return !all_converged || band_edge * band_edge > widest_band ? 1 : 0;
}
