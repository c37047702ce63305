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

void clear_library_caches() {
  psat_cache().clear();
  tsat_cache().clear();
  state_cache().clear();
}

}  // namespace Vantrel
