#pragma once
// The library's three result caches. One page asks for 27 properties of the same inputs and
// rebuilds its state for each, so only the first request of a page should solve anything.
//
// One policy for all three: keys match by exact floating-point equality (no tolerance, no
// rounding); an entry is inserted only after a lookup of its key missed and is never
// replaced; a hit skips all computation, range checks included; and a table holding more
// than `cache_bound` entries is emptied wholesale, which needs no eviction bookkeeping.
// Every thread has its own set of tables, each with this bound and policy, so the library may be
// entered from several threads at once without a lock; the functions below return the calling
// thread's tables and clear_library_caches empties the calling thread's.
//
// A lookup that solves other lookups on its way (h-s searches pressure by solving p-s states)
// runs them inside a scratch_caches scope: while one lives on a thread, the three functions
// below answer that thread's scratch tables instead, with the same bound and policy. The many
// intermediate states of one search then cannot empty the tables of the states a caller has
// finished and reads again, while a search near an earlier one still finds its intermediates.
//
// A NaN must never be used as a key: it compares equal to every key under the map's
// ordering and would answer with an arbitrary entry.
#include <cstddef>
#include <map>
#include <tuple>

#include "model/steam95.h"

namespace Vantrel {

// A solved point of the saturation line: the solved reduced variable (π for psat_cache,
// θ for tsat_cache) and the reduced densities of the saturated liquid and vapour.
struct saturation_entry {
  double value, delta_liq, delta_vap;
};

// Saturation pressures by reduced temperature θ, filled by helmholtz_psat.
std::map<double, saturation_entry>& psat_cache();
// Saturation temperatures by reduced pressure π, filled by helmholtz_tsat.
std::map<double, saturation_entry>& tsat_cache();

// (constructor kind, first input, second input), ordered in that order.
using state_key = std::tuple<int, double, double>;
// Complete states by constructor and inputs, filled by the state constructors.
std::map<state_key, steam95>& state_cache();

// Entries a table may hold before the next bound check empties it.
inline constexpr std::size_t cache_bound = 500;

// Empties the table when it holds more than cache_bound entries. The saturation solvers
// call it before each lookup, the state constructors before each insertion.
template <class Map>
void apply_cache_bound(Map& table) {
  if (table.size() > cache_bound) table.clear();
}

// Hands the memo cells that reading properties has filled on a state back to the state_cache
// entry it was built or recalled as, so that the next request for the same inputs reads them
// instead of sweeping again. Only an entry at the same point and phase takes them; a state
// whose entry has gone (the table was emptied) is left as it is.
void keep_evaluated(const steam95& state);

// Swaps the calling thread's tables for its scratch tables for the scope's lifetime. Scopes may
// nest; the tables of finished lookups return when the outermost one ends.
class scratch_caches {
 public:
  scratch_caches();
  ~scratch_caches();
  scratch_caches(const scratch_caches&) = delete;
  scratch_caches& operator=(const scratch_caches&) = delete;
};

// Empties all three tables and the three scratch tables. For tests and benchmarks that need cold
// solves; the application never calls it.
void clear_library_caches();

// How many times clear_library_caches has run on the calling thread: a state held outside the
// tables (the face keeps the last one it built) is forgotten when this moves on.
unsigned cache_generation();

}  // namespace Vantrel
