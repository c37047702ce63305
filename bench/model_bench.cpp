// Cost of the IAPWS-95 Helmholtz evaluation: one residual sweep of one derivative with an
// empty memo, the sweeps that fill several cells at once, and a full set of properties at one
// point.
#include <benchmark/benchmark.h>

#include "model/helmholtz.h"

namespace {

using Vantrel::helmholtz_state;
using Vantrel::ideal95;
using Vantrel::residual95;

// 500 K, 838.025 kg/m³: compressed liquid, every group of terms active.
constexpr double bench_delta = 838.025 / 322.0;
constexpr double bench_tau = 647.096 / 500.0;

template <double (residual95::*Quantity)() const>
void residual_sweep(benchmark::State& state) {
  double delta = bench_delta;
  benchmark::DoNotOptimize(delta);
  for (auto _ : state) {
    const residual95 r(delta, bench_tau);  // a fresh object has every memo cell empty
    benchmark::DoNotOptimize((r.*Quantity)());
  }
}
BENCHMARK(residual_sweep<&residual95::phir>)->Name("residual_sweep/phir");
BENCHMARK(residual_sweep<&residual95::phir_d>)->Name("residual_sweep/phir_d");
BENCHMARK(residual_sweep<&residual95::phir_dd>)->Name("residual_sweep/phir_dd");
BENCHMARK(residual_sweep<&residual95::phir_t>)->Name("residual_sweep/phir_t");
BENCHMARK(residual_sweep<&residual95::phir_tt>)->Name("residual_sweep/phir_tt");
BENCHMARK(residual_sweep<&residual95::phir_dt>)->Name("residual_sweep/phir_dt");

template <class Part, void (Part::*Fill)() const>
void shared_sweep(benchmark::State& state) {
  double delta = bench_delta;
  benchmark::DoNotOptimize(delta);
  for (auto _ : state) {
    const Part part(delta, bench_tau);
    (part.*Fill)();
    benchmark::DoNotOptimize(part);
  }
}
BENCHMARK(shared_sweep<residual95, &residual95::fill_density_slopes>)
    ->Name("residual_sweep/density_slopes");
BENCHMARK(shared_sweep<residual95, &residual95::fill_all>)->Name("residual_sweep/all");

template <double (ideal95::*Quantity)() const>
void ideal_sweep(benchmark::State& state) {
  double delta = bench_delta;
  benchmark::DoNotOptimize(delta);
  for (auto _ : state) {
    const ideal95 i(delta, bench_tau);
    benchmark::DoNotOptimize((i.*Quantity)());
  }
}
BENCHMARK(ideal_sweep<&ideal95::phi0>)->Name("ideal_sweep/phi0");
BENCHMARK(ideal_sweep<&ideal95::phi0_t>)->Name("ideal_sweep/phi0_t");
BENCHMARK(ideal_sweep<&ideal95::phi0_tt>)->Name("ideal_sweep/phi0_tt");
BENCHMARK(shared_sweep<ideal95, &ideal95::fill_all>)->Name("ideal_sweep/all");

// p, v, u, h, s, a, g, cv, cp, w, α, κ, (∂p/∂T)_v, (∂v/∂T)_p, (∂v/∂p)_T and the two
// Joule-Thomson coefficients at one point, starting from an empty memo: three ideal-gas and
// six residual sweeps, the rest served from the memo.
void full_property_set(benchmark::State& state) {
  double delta = bench_delta;
  benchmark::DoNotOptimize(delta);
  for (auto _ : state) {
    const helmholtz_state h(delta, bench_tau);
    double sum = h.p() + h.v() + h.u() + h.h() + h.s() + h.a() + h.g() + h.cv() + h.cp_r() + h.w() +
                 h.alpha_t() + h.kappa() + h.dpdt() + h.dvdt() + h.dvdp() + h.throttle_r() +
                 h.cjth();
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(full_property_set);

}  // namespace
