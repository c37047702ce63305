// Cost of the twelve state constructors from cold caches, at a compressed liquid, a vapour
// and a supercritical state (the saturation constructors at a saturated liquid, a saturated
// vapour and a mixture). Every iteration empties the library's caches first, untimed, so
// that every saturation solve and density search is paid for.
#include <benchmark/benchmark.h>

#include <functional>
#include <string>

#include "model/steam95.h"
#include "solve/caches.h"

namespace {

using Vantrel::steam95;

struct bench_state {
  const char* name;
  double T, p;
};
constexpr bench_state states[] = {
    {"liquid", 300.0, 1.0},
    {"vapour", 500.0, 1.0},
    {"supercritical", 700.0, 30.0},
};

// The saturation constructors' three states, at 450 K and at its saturation pressure.
constexpr double sat_T = 450.0;
constexpr double sat_x[] = {0.0, 1.0, 0.5};
constexpr const char* sat_names[] = {"liquid", "vapour", "mixture"};

using builder = std::function<void(steam95&, const steam95&)>;

// original builds the state whose inputs are fed to the constructor under test.
void cold_constructor(benchmark::State& bs, const builder& build, const builder& original_of) {
  steam95 original;
  original_of(original, original);
  for (auto _ : bs) {
    bs.PauseTiming();
    Vantrel::clear_library_caches();
    bs.ResumeTiming();
    steam95 st;
    build(st, original);
    benchmark::DoNotOptimize(st);
  }
  // The states the last construction built and cached (for at_hs, one per evaluation of
  // its pressure search, plus its own entry).
  bs.counters["cached_states"] = static_cast<double>(Vantrel::state_cache().size());
}

void register_all() {
  const std::pair<const char*, builder> pairs[] = {
      {"at_tp", [](steam95& s, const steam95& o) { s.at_tp(o.t(), o.p()); }},
      {"at_tv", [](steam95& s, const steam95& o) { s.at_tv(o.t(), o.v()); }},
      {"at_th", [](steam95& s, const steam95& o) { s.at_th(o.t(), o.h()); }},
      {"at_ts", [](steam95& s, const steam95& o) { s.at_ts(o.t(), o.s()); }},
      {"at_tu", [](steam95& s, const steam95& o) { s.at_tu(o.t(), o.u()); }},
      {"at_pv", [](steam95& s, const steam95& o) { s.at_pv(o.p(), o.v()); }},
      {"at_ph", [](steam95& s, const steam95& o) { s.at_ph(o.p(), o.h()); }},
      {"at_ps", [](steam95& s, const steam95& o) { s.at_ps(o.p(), o.s()); }},
      {"at_pu", [](steam95& s, const steam95& o) { s.at_pu(o.p(), o.u()); }},
      {"at_hs", [](steam95& s, const steam95& o) { s.at_hs(o.h(), o.s()); }},
  };
  for (const auto& st : states) {
    const builder original = [T = st.T, p = st.p](steam95& s, const steam95&) { s.at_tp(T, p); };
    for (const auto& [name, build] : pairs) {
      benchmark::RegisterBenchmark(
          (std::string("cold_constructor/") + name + "/" + st.name).c_str(), cold_constructor,
          build, original)
          ->Unit(benchmark::kMicrosecond);
    }
  }
  for (int i = 0; i < 3; ++i) {
    const double x = sat_x[i];
    const builder original = [x](steam95& s, const steam95&) { s.at_tsat(sat_T, x); };
    const builder by_t = [x](steam95& s, const steam95& o) { s.at_tsat(o.t(), x); };
    const builder by_p = [x](steam95& s, const steam95& o) { s.at_psat(o.p(), x); };
    benchmark::RegisterBenchmark((std::string("cold_constructor/at_tsat/") + sat_names[i]).c_str(),
                                 cold_constructor, by_t, original)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string("cold_constructor/at_psat/") + sat_names[i]).c_str(),
                                 cold_constructor, by_p, original)
        ->Unit(benchmark::kMicrosecond);
  }
}

// Registered before the benchmark main runs; nothing is computed until a benchmark runs.
const int registered = (register_all(), 0);

}  // namespace
