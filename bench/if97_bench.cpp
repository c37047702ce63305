// IAPWS-IF97 through the face: one state with one property for the pairs that industrial
// calculations use most (T-p, p-h, h-s, saturation at T), and a page of 27 lookups, each of
// which builds its state afresh (IF97 keeps no cache: its states cost less than a cache search).
#include <benchmark/benchmark.h>

#include <array>

#include "lookup/pairs.h"
#include "lookup/state.h"
#include "lookup/units.h"

namespace {

using namespace Vantrel;

constexpr method if97_method{formulation::if97, transport_set::iaps1985};

struct bench_state {
  const char* name;
  double T, p;  // K, MPa
};
constexpr bench_state states[] = {
    {"liquid", 300.0, 10.0},
    {"vapour", 500.0, 0.1},
    {"supercritical", 900.0, 30.0},
    {"region 3", 650.0, 25.0},
};

// The two inputs of a pair for a state, in internal units, from its IF97 T-p state.
std::array<double, 2> inputs_for(const bench_state& s, int pair) {
  const state_result tp = state(pair_tp, s.T, s.p, if97_method, internal_units);
  return {tp[pair_table[pair].first], tp[pair_table[pair].second]};
}

// One state and one property: the temperature, or for T-p the enthalpy.
void if97_one_property(benchmark::State& st) {
  const int pair = static_cast<int>(st.range(0));
  const bench_state& s = states[st.range(1)];
  const auto in = inputs_for(s, pair);
  const std::array<int, 1> codes{pair == pair_tp ? code_h : code_t};
  std::array<double, 1> values{};
  std::array<int, 1> statuses{};
  st.SetLabel(s.name);
  for (auto _ : st) {
    benchmark::DoNotOptimize(
        state_values(pair, in[0], in[1], if97_method, internal_units, codes, values, statuses));
    benchmark::DoNotOptimize(values);
  }
}
BENCHMARK(if97_one_property)
    ->ArgNames({"pair", "state"})
    ->ArgsProduct({{pair_tp, pair_ph, pair_hs}, {0, 1, 2, 3}})
    ->Unit(benchmark::kMicrosecond);

// Saturation at 373.15 K, quality 0.5, one property: the pressure (the region 4 line alone) or
// the enthalpy (both phases).
void if97_saturation_at_t(benchmark::State& st) {
  const std::array<int, 1> codes{static_cast<int>(st.range(0))};
  std::array<double, 1> values{};
  std::array<int, 1> statuses{};
  for (auto _ : st) {
    benchmark::DoNotOptimize(
        state_values(pair_tx, 373.15, 0.5, if97_method, internal_units, codes, values, statuses));
    benchmark::DoNotOptimize(values);
  }
}
BENCHMARK(if97_saturation_at_t)
    ->ArgName("code")
    ->Arg(code_p)
    ->Arg(code_h)
    ->Unit(benchmark::kMicrosecond);

// A page: 27 lookups of one property each, as the result lists ask them; transport and the
// dielectric constant are the larger part.
void if97_page(benchmark::State& st) {
  const int pair = static_cast<int>(st.range(0));
  const bench_state& s = states[st.range(1)];
  const auto in = inputs_for(s, pair);
  std::array<int, 1> codes{};
  std::array<double, 1> values{};
  std::array<int, 1> statuses{};
  st.SetLabel(s.name);
  for (auto _ : st) {
    for (int code = 0; code <= last_lookup_code; ++code) {
      codes[0] = code;
      benchmark::DoNotOptimize(
          state_values(pair, in[0], in[1], if97_method, internal_units, codes, values, statuses));
    }
    benchmark::DoNotOptimize(values);
  }
}
BENCHMARK(if97_page)
    ->ArgNames({"pair", "state"})
    ->ArgsProduct({{pair_tp, pair_ph, pair_hs}, {0, 1, 2}})
    ->Unit(benchmark::kMicrosecond);

// The same page as one request for all 27 properties, as the result lists of the face ask it.
void if97_all_properties(benchmark::State& st) {
  const int pair = static_cast<int>(st.range(0));
  const bench_state& s = states[st.range(1)];
  const auto in = inputs_for(s, pair);
  st.SetLabel(s.name);
  for (auto _ : st) {
    benchmark::DoNotOptimize(state(pair, in[0], in[1], if97_method, internal_units));
  }
}
BENCHMARK(if97_all_properties)
    ->ArgNames({"pair", "state"})
    ->ArgsProduct({{pair_tp, pair_ph, pair_hs}, {0, 1, 2}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
