#include "solve/caches.h"

namespace Vantrel {

std::map<double, saturation_entry>& psat_cache() {
  static std::map<double, saturation_entry> table;
  return table;
}

std::map<double, saturation_entry>& tsat_cache() {
  static std::map<double, saturation_entry> table;
  return table;
}

std::map<state_key, steam95>& state_cache() {
  static std::map<state_key, steam95> table;
  return table;
}

void clear_library_caches() {
  psat_cache().clear();
  tsat_cache().clear();
  state_cache().clear();
}

}  // namespace Vantrel
