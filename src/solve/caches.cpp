#include "solve/caches.h"

namespace Vantrel {

// Each thread has its own three tables, so that threads never share a table and the hot path
// takes no lock. A table lives from its thread's first use to that thread's exit.

std::map<double, saturation_entry>& psat_cache() {
  static thread_local std::map<double, saturation_entry> table;
  return table;
}

std::map<double, saturation_entry>& tsat_cache() {
  static thread_local std::map<double, saturation_entry> table;
  return table;
}

std::map<state_key, steam95>& state_cache() {
  static thread_local std::map<state_key, steam95> table;
  return table;
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
  psat_cache().clear();
  tsat_cache().clear();
  state_cache().clear();
}

}  // namespace Vantrel
