// Fits the saturation line of the library's own equal-fugacity solution as piecewise Chebyshev
// expansions of ln π, ln δ′ and ln δ″ in t = √(1 − θ), and writes the table that
// solve/saturation_fit.cpp reads (C++ source, on standard output). Every node is solved from the
// auxiliary estimates with Brent's method tightened to 1e-14 on π; the densities come from the
// density finder, which polishes them to the last digits. Between the nodes the fit is checked
// against the same tightened solve, and the largest deviations are written into the table's
// comment. Exits with 1 when a deviation exceeds 1e-7.
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "model/constant95.h"
#include "solve/saturation.h"
#include "solve/saturation_fit.h"

namespace {

using namespace Vantrel;

constexpr double ratio = 1.6;             // of neighbouring edges near the critical point
constexpr double widest_interval = 0.05;  // in t
constexpr int degree = 16;
constexpr double fit_tolerance = 1e-14;  // Brent's relative tolerance on π at the nodes
// Largest relative deviation of a quantity. Near the triple point the solved π itself scatters
// by some 1e-8 (the liquid's pressure there is a small difference of large terms), and near
// the critical point the densities scatter as much (the isotherms are flat); elsewhere the fit
// keeps to about 1e-12.
constexpr double accepted = 1e-7;
// t from just inside the critical cutoff 1 − θ = 4e-6 to just beyond the triple point.
const double t_lowest = std::sqrt(4e-6) * (1 - 1e-3);
const double t_highest = std::sqrt(1 - constant95::Tt / constant95::Tc) * (1 + 1e-9);

struct point {
  double value[3];  // ln π, ln δ′, ln δ″
};

point solved(double t) {
  helmholtz_state state;
  const saturation_entry s = solve_saturation_pressure(1 - t * t, fit_tolerance, &state);
  return {{std::log(s.value), std::log(s.delta_liq), std::log(s.delta_vap)}};
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

  // Coefficients by interval, quantity and order: cₖ = (2/(n)) Σ f(uⱼ)·cos(k·φⱼ), c₀ halved.
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
        double sum = 0;
        for (int j = 0; j < n; ++j) {
          sum += nodes[j].value[q] * std::cos(std::numbers::pi * k * (j + 0.5) / n);
        }
        coefficients[(i * 3 + q) * n + k] = (k == 0 ? 1.0 : 2.0) * sum / n;
      }
    }
  }

  // The deviation between the nodes: midway between neighbouring nodes and at the ends.
  double worst[3] = {0, 0, 0};
  for (int i = 0; i < intervals; ++i) {
    const double a = edges[i], b = edges[i + 1];
    double local[3] = {0, 0, 0};
    for (int j = 0; j <= n; ++j) {
      const double u = j == 0 ? 1.0 : j == n ? -1.0 : std::cos(std::numbers::pi * j / n);
      const double t = a + (u + 1) * (b - a) / 2;
      const point exact = solved(t);
      for (int q = 0; q < 3; ++q) {
        double unused = 0;
        const double fit = chebyshev_sum(&coefficients[(i * 3 + q) * n], degree, u, unused);
        local[q] = std::fmax(local[q], std::fabs(std::expm1(fit - exact.value[q])));
        worst[q] = std::fmax(worst[q], local[q]);
      }
    }
    std::fprintf(stderr, "t %.6f to %.6f: pi %.1e, delta' %.1e, delta'' %.1e\n", a, b, local[0],
                 local[1], local[2]);
  }

  std::printf("#pragma once\n");
  std::printf(
      "// The saturation line of this library's IAPWS-95 equal-fugacity solution: Chebyshev\n");
  std::printf(
      "// expansions of ln pi, ln delta' and ln delta'' in t = sqrt(1 - theta) on %d intervals\n",
      intervals);
  std::printf("// of t, degree %d. Largest relative deviation from the solver between the nodes:\n",
              degree);
  std::printf("// pi %.1e, delta' %.1e, delta'' %.1e; the largest are the scatter of the solved\n",
              worst[0], worst[1], worst[2]);
  std::printf("// pi near the triple point and of the densities near the critical point.\n");
  std::printf("// Written by tools/fit_saturation.cpp; do not edit. Rebuilt with\n");
  std::printf("//   cmake --build --preset default --target kelvora_fit_saturation\n");
  std::printf("//   build/default/tools/kelvora_fit_saturation > src/solve/saturation_table.h\n");
  std::printf("//   clang-format -i src/solve/saturation_table.h\n");
  std::printf("namespace Vantrel::saturation_table {\n");
  std::printf("inline constexpr int intervals = %d;\n", intervals);
  std::printf("inline constexpr int degree = %d;\n", degree);
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
  std::fprintf(stderr, "largest deviation: pi %.2e, delta' %.2e, delta'' %.2e\n", worst[0],
               worst[1], worst[2]);
  return worst[0] > accepted || worst[1] > accepted || worst[2] > accepted ? 1 : 0;
}
