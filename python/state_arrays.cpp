#include "state_arrays.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <vector>

#include "lookup/catalogue.h"
#include "lookup/lookup.h"
#include "lookup/pairs.h"
#include "lookup/state.h"
#include "lookup/units.h"
#include "model/steam95.h"

namespace Vantrel::python {

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// A state has at most one value per catalogued property.
constexpr std::size_t max_codes = property_count;

// Below this many states per thread, a thread costs more to start than it saves.
constexpr std::size_t states_per_worker = 2048;

phase phase_of(double quality) {
  if (quality == quality_indeterminate) return phase::indeterminate;
  if (quality == quality_superheated) return phase::superheated;
  if (quality == quality_subcooled) return phase::subcooled;
  if (quality == 0.0) return phase::saturated_liquid;
  if (quality == 1.0) return phase::saturated_vapour;
  return phase::two_phase;
}

int lookup_set(const state_inputs& in, std::size_t i, std::span<const int> codes,
               std::span<double> values, std::span<int> statuses) {
  const double a = in.first[i], b = in.second[i];
  if (in.how_computed != method{}) {
    const int pair = in.how == state_inputs::kind::pair                    ? in.pair
                     : in.how == state_inputs::kind::saturated_temperature ? int{pair_tx}
                                                                           : int{pair_px};
    return state_values(pair, a, b, in.how_computed, in.unit_system, codes, values, statuses);
  }
  switch (in.how) {
    case state_inputs::kind::saturated_temperature:
      return lookup_tsat_set(a, b, in.unit_system, codes, values, statuses);
    case state_inputs::kind::saturated_pressure:
      return lookup_psat_set(a, b, in.unit_system, codes, values, statuses);
    case state_inputs::kind::pair:
      break;
  }
  return lookup_property_set(a, b, in.pair, in.unit_system, codes, values, statuses);
}

// States [begin, end).
void evaluate_range(const state_inputs& in, const state_outputs& out, std::size_t begin,
                    std::size_t end) {
  const std::size_t count = out.codes.size();
  const auto quality_at = std::find(out.codes.begin(), out.codes.end(), int{code_x});
  const std::size_t quality_column = static_cast<std::size_t>(quality_at - out.codes.begin());
  std::array<double, max_codes> value_row;
  std::array<int, max_codes> status_row;
  const std::span<double> values(value_row.data(), count);
  const std::span<int> statuses(status_row.data(), count);
  for (std::size_t i = begin; i < end; ++i) {
    std::fill(values.begin(), values.end(), nan);  // a failed lookup leaves its value as it is
    const int built = lookup_set(in, i, out.codes, values, statuses);
    out.status[i] = built;
    out.phases[i] = phase::error;
    if (built == status_ok && quality_column < count) {
      double& quality = values[quality_column];
      out.phases[i] = phase_of(quality);
      if (quality < 0.0) quality = nan;
    }
    for (std::size_t k = 0; k < count; ++k) out.columns[k][i] = values[k];
  }
}

}  // namespace

std::size_t worker_count(std::size_t states, std::size_t requested) {
  const std::size_t useful = std::max<std::size_t>(1, states / states_per_worker);
  return std::clamp<std::size_t>(requested, 1, useful);
}

void evaluate_states(const state_inputs& in, const state_outputs& out, std::size_t workers) {
  if (out.codes.size() > max_codes) throw std::length_error("evaluate_states: too many codes");
  const std::size_t n = in.first.size();
  workers = worker_count(n, workers);
  // Contiguous ranges, so that neighbouring states (a sweep) share a thread and its caches. The
  // calling thread takes the last range itself.
  std::vector<std::jthread> threads;
  std::size_t begin = 0;
  for (std::size_t w = 1; w < workers; ++w) {
    const std::size_t end = n * w / workers;
    try {
      threads.emplace_back([&in, &out, begin, end] { evaluate_range(in, out, begin, end); });
    } catch (const std::system_error&) {
      evaluate_range(in, out, begin, end);  // no thread to be had: the work is done anyway
    }
    begin = end;
  }
  evaluate_range(in, out, begin, n);
}

}  // namespace Vantrel::python
