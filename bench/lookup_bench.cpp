// What a user of the pages waits for: one cold page (27 lookups with the library's caches emptied
// first) for each input pair at a liquid, a vapour and a supercritical state, the cold saturated
// pages, the same pages warm (their state built and evaluated already), and one warm lookup.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <vector>

#include "lookup/lookup.h"
#include "lookup/pairs.h"
#include "lookup/units.h"
#include "solve/caches.h"

namespace {

using namespace Vantrel;

struct bench_state {
  const char* name;
  double t_celsius, p_bar;
};
constexpr bench_state states[] = {
    {"liquid", 26.85, 100.0},         // 300 K, 10 MPa
    {"vapour", 226.85, 1.0},          // 500 K, 0.1 MPa
    {"supercritical", 626.85, 300.0}  // 900 K, 30 MPa
};

// The two inputs of a pair for a state, in Metric/SI display units, read from its T-p page.
std::array<double, 2> inputs_for(const bench_state& s, int pair) {
  std::array<double, 2> in{};
  for (int i = 0; i < 2; ++i) {
    lookup_property(s.t_celsius, s.p_bar, pair_tp,
                    (i == 0 ? pair_table[pair].first : pair_table[pair].second), metric_units,
                    &in[i]);
  }
  return in;
}

void cold_page(benchmark::State& st) {
  const int pair = static_cast<int>(st.range(0));
  const bench_state& s = states[st.range(1)];
  const auto in = inputs_for(s, pair);
  st.SetLabel(s.name);
  double out = 0.0;
  for (auto _ : st) {
    st.PauseTiming();
    clear_library_caches();
    st.ResumeTiming();
    for (int code = 0; code <= last_lookup_code; ++code) {
      benchmark::DoNotOptimize(lookup_property(in[0], in[1], pair, code, metric_units, &out));
    }
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(cold_page)
    ->ArgNames({"pair", "state"})
    ->ArgsProduct({benchmark::CreateDenseRange(0, entry_pair_count - 1, 1), {0, 1, 2}})
    ->Unit(benchmark::kMicrosecond);

// The saturated page at 100 °C as saturated liquid, mixture of quality 0.5 and saturated vapour
// (the argument is the quality in tenths), with the caches emptied first.
void cold_saturated_page(benchmark::State& st) {
  const double quality = static_cast<double>(st.range(0)) / 10;
  double out = 0.0;
  for (auto _ : st) {
    st.PauseTiming();
    clear_library_caches();
    st.ResumeTiming();
    for (int code = 0; code <= last_lookup_code; ++code) {
      benchmark::DoNotOptimize(lookup_tsat(100.0, quality, code, metric_units, &out));
    }
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(cold_saturated_page)
    ->ArgName("tenths")
    ->Arg(0)
    ->Arg(5)
    ->Arg(10)
    ->Unit(benchmark::kMicrosecond);

// The same page again: the 27 lookups of a page whose state the first pass has built and
// evaluated, for each input pair at each state.
void warm_page(benchmark::State& st) {
  const int pair = static_cast<int>(st.range(0));
  const bench_state& s = states[st.range(1)];
  const auto in = inputs_for(s, pair);
  st.SetLabel(s.name);
  clear_library_caches();
  double out = 0.0;
  for (int code = 0; code <= last_lookup_code; ++code) {
    lookup_property(in[0], in[1], pair, code, metric_units, &out);
  }
  for (auto _ : st) {
    for (int code = 0; code <= last_lookup_code; ++code) {
      benchmark::DoNotOptimize(lookup_property(in[0], in[1], pair, code, metric_units, &out));
    }
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(warm_page)
    ->ArgNames({"pair", "state"})
    ->ArgsProduct({benchmark::CreateDenseRange(0, entry_pair_count - 1, 1), {0, 1, 2}})
    ->Unit(benchmark::kMicrosecond);

void warm_lookup(benchmark::State& st) {
  double out = 0.0;
  lookup_property(226.85, 1.0, pair_tp, code_h, metric_units, &out);
  for (auto _ : st) {
    benchmark::DoNotOptimize(lookup_property(226.85, 1.0, pair_tp, code_h, metric_units, &out));
  }
}
BENCHMARK(warm_lookup);

// One cold lookup of one property through the entry point, as a flash: each iteration asks for
// the next of 2048 distinct states near the named one (its temperature moved by up to 2e-4
// relative), so that neither the state cache nor the saturation caches hold it (they are emptied
// once they pass their bound, which costs a few nanoseconds a lookup). The property is the
// enthalpy for the temperature-first pairs and the temperature for the others.
constexpr int flash_spread = 2048;

void cold_lookup(benchmark::State& st) {
  const int pair = static_cast<int>(st.range(0));
  const bench_state& s = states[st.range(1)];
  const int code = pair_table[pair].first == code_t ? code_h : code_t;
  std::vector<std::array<double, 2>> in(flash_spread);
  for (int i = 0; i < flash_spread; ++i) {
    bench_state moved = s;
    moved.t_celsius = (s.t_celsius + 273.15) * (1 + 1e-7 * i) - 273.15;
    in[i] = inputs_for(moved, pair);
  }
  st.SetLabel(s.name);
  clear_library_caches();
  double out = 0.0;
  std::size_t i = 0;
  for (auto _ : st) {
    const auto& x = in[i++ % flash_spread];
    benchmark::DoNotOptimize(lookup_property(x[0], x[1], pair, code, metric_units, &out));
  }
}
BENCHMARK(cold_lookup)
    ->ArgNames({"pair", "state"})
    ->ArgsProduct({benchmark::CreateDenseRange(0, entry_pair_count - 1, 1), {0, 1, 2}})
    ->Unit(benchmark::kMicrosecond);

// The saturated flashes: the pressure at a temperature, and the temperature of a wet p-h state
// of quality 0.5, each cold as above, near 100 °C (argument 0) and 250 °C (argument 1).
void cold_saturation_flash(benchmark::State& st, bool by_enthalpy) {
  const double t0 = st.range(0) == 0 ? 100.0 : 250.0;
  std::vector<std::array<double, 2>> in(flash_spread);
  for (int i = 0; i < flash_spread; ++i) {
    const double t = (t0 + 273.15) * (1 + 1e-7 * i) - 273.15;
    in[i] = {t, 0.0};
    if (by_enthalpy) {
      lookup_tsat(t, 0.0, code_p, metric_units, &in[i][0]);
      lookup_tsat(t, 0.5, code_h, metric_units, &in[i][1]);
    }
  }
  clear_library_caches();
  double out = 0.0;
  std::size_t i = 0;
  for (auto _ : st) {
    const auto& x = in[i++ % flash_spread];
    benchmark::DoNotOptimize(by_enthalpy
                                 ? lookup_property(x[0], x[1], pair_ph, code_t, metric_units, &out)
                                 : lookup_tsat(x[0], 0.0, code_p, metric_units, &out));
  }
}
BENCHMARK_CAPTURE(cold_saturation_flash, saturation_p_at_t, false)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(cold_saturation_flash, two_phase_ph, true)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
