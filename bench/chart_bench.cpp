// One diagram with all its lines and labels over its default view, from cold caches: what the
// Chart page and `kelvora-cli chart` compute when a diagram is first shown.
#include <benchmark/benchmark.h>

#include "charts/diagram.h"
#include "solve/caches.h"

namespace {

using Vantrel::charts::diagram_kind;

void cold_chart(benchmark::State& bs, diagram_kind kind, int units) {
  const auto range = Vantrel::charts::default_view(kind, units);
  for (auto _ : bs) {
    bs.PauseTiming();
    Vantrel::clear_library_caches();
    bs.ResumeTiming();
    auto c = Vantrel::charts::build_chart(kind, units, range);
    benchmark::DoNotOptimize(c);
  }
}

BENCHMARK_CAPTURE(cold_chart, T_s, diagram_kind::ts, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(cold_chart, h_s, diagram_kind::hs, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(cold_chart, p_h, diagram_kind::ph, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(cold_chart, p_T, diagram_kind::pt, 0)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(cold_chart, T_s_english, diagram_kind::ts, 1)->Unit(benchmark::kMillisecond);

// The state under the cursor, cold, at a superheated point of each diagram (10 bar, 200 °C).
void cold_hover(benchmark::State& bs, diagram_kind kind, double x, double y) {
  for (auto _ : bs) {
    bs.PauseTiming();
    Vantrel::clear_library_caches();
    bs.ResumeTiming();
    benchmark::DoNotOptimize(Vantrel::charts::state_at(kind, 0, {x, y}));
  }
}

BENCHMARK_CAPTURE(cold_hover, T_s, diagram_kind::ts, 6.69554, 200.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(cold_hover, h_s, diagram_kind::hs, 6.69554, 2828.26)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(cold_hover, p_h, diagram_kind::ph, 2828.26, 10.0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(cold_hover, p_T, diagram_kind::pt, 200.0, 10.0)->Unit(benchmark::kMicrosecond);

}  // namespace
