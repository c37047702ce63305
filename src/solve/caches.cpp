#include "solve/caches.h"

#include <initializer_list>

namespace Vantrel {

// Each thread has its own three tables and three scratch tables, so that threads never share a
// table and the hot path takes no lock. A table lives from its thread's first use to that
// thread's exit.

namespace {

struct table_set {
  std::map<double, saturation_entry> psat, tsat;
  std::map<state_key, steam95> states;
};

thread_local table_set finished;
thread_local table_set scratch;
thread_local int scratch_depth = 0;
thread_local unsigned generation = 0;

table_set& current() {
  return scratch_depth > 0 ? scratch : finished;
}

}  // namespace

std::map<double, saturation_entry>& psat_cache() {
  return current().psat;
}

std::map<double, saturation_entry>& tsat_cache() {
  return current().tsat;
}

std::map<state_key, steam95>& state_cache() {
  return current().states;
}

scratch_caches::scratch_caches() {
  ++scratch_depth;
}

scratch_caches::~scratch_caches() {
  --scratch_depth;
}

void keep_evaluated(const steam95& state) {
  const state_source& key = state.source();
  if (key.kind < 0) return;
  auto& table = state_cache();
  const auto found = table.find(state_key{key.kind, key.first, key.second});
  if (found == table.end()) return;
  steam95& cached = found->second;
  const bool same = cached.helm().delta() == state.helm().delta() &&
                    cached.helm().tau() == state.helm().tau() &&
                    cached.delta_liq() == state.delta_liq() && cached.x() == state.x();
  if (same) cached = state;
}

void clear_library_caches() {
  ++generation;
  for (table_set* set : {&finished, &scratch}) {
    set->psat.clear();
    set->tsat.clear();
    set->states.clear();
  }
}

unsigned cache_generation() {
  return generation;
}

}  // namespace Vantrel
