#pragma once
// Whole arrays of states through the library's face, spread over worker threads. No Python
// here: the module hands in plain arrays and reads plain arrays back.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "lookup/state.h"

namespace Vantrel::python {

// How the states of one call are given. `first` and `second` have one element per state.
struct state_inputs {
  int pair;                        // input-pair code, T-x and p-x included
  int unit_system;                 // metric_units, english_units or internal_units
  std::span<const double> first;   // first input of the pair
  std::span<const double> second;  // second input of the pair
  method m{};                      // the method of calculation (transport equations)
};

// The phases of state_phase, whose values are the one-byte codes of a result.
inline constexpr std::size_t phase_count = 7;

// Where the results go: one column per property code, one element per state in each column and
// in `status` and `phases` (a state_phase value per state).
struct state_outputs {
  std::span<const int> codes;
  std::span<double* const> columns;  // NaN where a value does not exist
  std::span<int> status;             // 0 built, 1 an input invalid or out of range, 2 failed
  std::span<std::uint8_t> phases;
};

// The steam quality reads NaN for a single-phase state, which has no vapour fraction.
//
// `interrupted`, when given, is asked from the calling thread every few hundredths of a second;
// once it answers true, every worker stops after the block of states in hand and the call
// returns false, leaving the states not reached as they were. Otherwise it returns true.
bool evaluate_states(const state_inputs& in, const state_outputs& out, std::size_t workers,
                     const std::function<bool()>& interrupted = {});

// Threads that `states` states are spread over: at most `requested`, and none for fewer than a
// few thousand states each, where starting a thread would cost more than it saves.
std::size_t worker_count(std::size_t states, std::size_t requested);

// The cores this process may run on, at least 1.
std::size_t available_cores();

}  // namespace Vantrel::python
