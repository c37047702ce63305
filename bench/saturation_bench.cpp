// Cost of the density finder and the saturation line: cold solves with every cache emptied,
// and a repeated call answered from the cache.
#include <benchmark/benchmark.h>

#include "model/constant95.h"
#include "solve/caches.h"
#include "solve/density.h"
#include "solve/saturation.h"
#include "solve/saturation_fit.h"

namespace {

using namespace Vantrel;

constexpr double Tc = constant95::Tc;
constexpr double pc = constant95::pc;

// Saturation pressure at T (the benchmark argument, K), solved from scratch each time.
void psat_cold(benchmark::State& bench) {
  const double theta = static_cast<double>(bench.range(0)) / Tc;
  helmholtz_state state;
  double d_liq = 0, d_vap = 0;
  for (auto _ : bench) {
    clear_library_caches();
    benchmark::DoNotOptimize(helmholtz_psat(theta, d_liq, d_vap, &state));
  }
}
BENCHMARK(psat_cold)->Arg(275)->Arg(373)->Arg(450)->Arg(550)->Arg(625)->Arg(646)->Unit(
    benchmark::kMicrosecond);

// Saturation temperature at the saturation pressure of T (the benchmark argument, K).
void tsat_cold(benchmark::State& bench) {
  const double pi = psat_estimate(static_cast<double>(bench.range(0)) / Tc);
  helmholtz_state state;
  double d_liq = 0, d_vap = 0;
  for (auto _ : bench) {
    clear_library_caches();
    benchmark::DoNotOptimize(helmholtz_tsat(pi, d_liq, d_vap, &state));
  }
}
BENCHMARK(tsat_cold)->Arg(275)->Arg(373)->Arg(450)->Arg(550)->Arg(625)->Arg(646)->Unit(
    benchmark::kMicrosecond);

// A repeated call: one map lookup.
void psat_cached(benchmark::State& bench) {
  const double theta = 450 / Tc;
  helmholtz_state state;
  double d_liq = 0, d_vap = 0;
  clear_library_caches();
  helmholtz_psat(theta, d_liq, d_vap, &state);
  for (auto _ : bench) benchmark::DoNotOptimize(helmholtz_psat(theta, d_liq, d_vap, &state));
  clear_library_caches();
}
BENCHMARK(psat_cached);

// The whole saturated state (π, δ′, δ″, h, s and u of both phases) from the fit at T (the
// benchmark argument, K), and at the saturation pressure of T, where θ is found first.
void saturated_state_at_t(benchmark::State& bench) {
  const double theta = static_cast<double>(bench.range(0)) / Tc;
  saturated_state state{};
  for (auto _ : bench) {
    benchmark::DoNotOptimize(exact_saturated_state(theta, state));
    benchmark::DoNotOptimize(state);
  }
}
BENCHMARK(saturated_state_at_t)->Arg(275)->Arg(450)->Arg(625)->Arg(646);

void saturated_state_at_p(benchmark::State& bench) {
  const double pi = psat_estimate(static_cast<double>(bench.range(0)) / Tc);
  saturated_state state{};
  for (auto _ : bench) {
    benchmark::DoNotOptimize(exact_saturated_state_at_pi(pi, state));
    benchmark::DoNotOptimize(state);
  }
}
BENCHMARK(saturated_state_at_p)->Arg(275)->Arg(450)->Arg(625)->Arg(646);

// The alternative to fitting the energies: h and s of both phases evaluated from the fitted
// densities through the Helmholtz function, at 450 K.
void saturated_energies_by_helmholtz(benchmark::State& bench) {
  const double theta = 450 / Tc;
  saturation_entry line{};
  exact_saturation(theta, line);
  for (auto _ : bench) {
    const helmholtz_state liquid(line.delta_liq, 1 / theta), vapour(line.delta_vap, 1 / theta);
    benchmark::DoNotOptimize(liquid.h() + vapour.h() + liquid.s() + vapour.s());
  }
}
BENCHMARK(saturated_energies_by_helmholtz);

// dfind from the auxiliary estimate of each branch at 450 K, 10 % away from saturation,
// and in the Newton region above 1.1 Tc.
void dfind_liquid(benchmark::State& bench) {
  const double theta = 450 / Tc, pi = 1.1 * psat_estimate(theta);
  const double start = liquid_density_estimate(theta);
  helmholtz_state state;
  for (auto _ : bench) benchmark::DoNotOptimize(dfind(start, theta, pi, &state));
}
BENCHMARK(dfind_liquid);

void dfind_vapour(benchmark::State& bench) {
  const double theta = 450 / Tc, pi = 0.9 * psat_estimate(theta);
  const double start = vapour_density_estimate(theta);
  helmholtz_state state;
  for (auto _ : bench) benchmark::DoNotOptimize(dfind(start, theta, pi, &state));
}
BENCHMARK(dfind_vapour);

void dfind_supercritical(benchmark::State& bench) {
  const double theta = 800 / Tc, pi = 25 / pc;
  const double start = pi * pc * 1000 / (constant95::R * Tc * theta) / constant95::rhoc;
  helmholtz_state state;
  for (auto _ : bench) benchmark::DoNotOptimize(dfind(start, theta, pi, &state));
}
BENCHMARK(dfind_supercritical);

}  // namespace
