#pragma once
// Whole arrays of states through the property-set lookups, spread over worker threads. No
// Python here: the module hands in plain arrays and reads plain arrays back.
#include <cstddef>
#include <cstdint>
#include <span>

#include "lookup/method.h"

namespace Vantrel::python {

// How the states of one call are given. `first` and `second` have one element per state.
struct state_inputs {
  enum class kind { pair, saturated_temperature, saturated_pressure };

  kind how;
  int pair;                        // input-pair code, for kind::pair
  int unit_system;                 // metric_units, english_units or internal_units
  std::span<const double> first;   // first input, or the saturation temperature or pressure
  std::span<const double> second;  // second input, or the quality (0-1)
  method how_computed{};           // the entry points answer for the default, the face else
};

// What a state is, as the result's phase word names it.
enum class phase : std::uint8_t {
  error,  // the state could not be built
  indeterminate,
  superheated,
  subcooled,
  two_phase,
  saturated_liquid,
  saturated_vapour,
};

// Where the results go: one column per property code, one element per state in each column and
// in `status` and `phases`.
struct state_outputs {
  std::span<const int> codes;
  std::span<double* const> columns;  // NaN where a value does not exist
  std::span<int> status;             // 0 built, 1 an input invalid or out of range, 2 failed
  std::span<phase> phases;
};

// The steam quality reads NaN for a single-phase state, whose quality row holds a marker and no
// vapour fraction; the marker becomes the state's phase.
void evaluate_states(const state_inputs& in, const state_outputs& out, std::size_t workers);

// Threads that `states` states are spread over: at most `requested`, and none for fewer than a
// few thousand states each, where starting a thread would cost more than it saves.
std::size_t worker_count(std::size_t states, std::size_t requested);

}  // namespace Vantrel::python
