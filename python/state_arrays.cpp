#include "state_arrays.h"

#include <sched.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <limits>
#include <mutex>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <vector>

#include "lookup/catalogue.h"
#include "lookup/codes.h"
#include "lookup/method.h"

namespace Vantrel::python {

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// A state has at most one value per catalogued property.
constexpr std::size_t max_codes = property_count;

// Below this many states per thread, a thread costs more to start than it saves.
constexpr std::size_t states_per_worker = 2048;

// States between two looks at the stop flag: a few milliseconds of the slowest pairs (h-s and
// p-h in two phases take tens of microseconds a state), so that an interruption stops every
// worker within a fraction of a second.
constexpr std::size_t block_states = 64;

// How often the calling thread asks whether the call is interrupted.
constexpr auto check_interval = std::chrono::milliseconds(20);

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
  const method& m = in.m;
  for (std::size_t i = begin; i < end; ++i) {
    std::fill(values.begin(), values.end(), nan);  // a value without a status 0 is not written
    state_phase ph = state_phase::error;
    const int built = state_values(in.pair, in.first[i], in.second[i], m, in.unit_system, out.codes,
                                   values, statuses, &ph);
    out.status[i] = built;
    if (built != status_ok) ph = state_phase::error;
    // A single phase has a marker in place of the vapour fraction.
    if (quality_column < count && values[quality_column] < 0.0) values[quality_column] = nan;
    out.phases[i] = static_cast<std::uint8_t>(ph);
    for (std::size_t k = 0; k < count; ++k) out.columns[k][i] = values[k];
  }
}

// States [begin, end) in blocks, stopping between blocks once `stop` is set (by the calling
// thread, or by `checkpoint` when the calling thread runs this itself).
template <class Checkpoint>
void evaluate_blocks(const state_inputs& in, const state_outputs& out, std::size_t begin,
                     std::size_t end, const std::atomic<bool>& stop, Checkpoint checkpoint) {
  while (begin < end && !stop.load(std::memory_order_relaxed)) {
    const std::size_t next = std::min(end, begin + block_states);
    evaluate_range(in, out, begin, next);
    begin = next;
    checkpoint();
  }
}

}  // namespace

std::size_t worker_count(std::size_t states, std::size_t requested) {
  const std::size_t useful = std::max<std::size_t>(1, states / states_per_worker);
  return std::clamp<std::size_t>(requested, 1, useful);
}

std::size_t available_cores() {
  cpu_set_t allowed;
  CPU_ZERO(&allowed);
  if (sched_getaffinity(0, sizeof allowed, &allowed) == 0 && CPU_COUNT(&allowed) > 0) {
    return static_cast<std::size_t>(CPU_COUNT(&allowed));
  }
  return std::max(1u, std::thread::hardware_concurrency());
}

bool evaluate_states(const state_inputs& in, const state_outputs& out, std::size_t workers,
                     const std::function<bool()>& interrupted) {
  if (out.codes.size() > max_codes) throw std::length_error("evaluate_states: too many codes");
  const std::size_t n = in.first.size();
  workers = worker_count(n, workers);

  std::atomic<bool> stop{false};
  auto last_check = std::chrono::steady_clock::now();
  // Asked on the calling thread only: the signal handlers run there.
  const auto check = [&] {
    if (!interrupted || stop.load(std::memory_order_relaxed)) return;
    const auto now = std::chrono::steady_clock::now();
    if (now - last_check < check_interval) return;
    last_check = now;
    if (interrupted()) stop.store(true, std::memory_order_relaxed);
  };

  std::mutex m;
  std::condition_variable finished;
  std::size_t running = 0;
  // Contiguous ranges, so that neighbouring states (a sweep) share a thread and its caches. The
  // calling thread takes the last range itself, then waits for the others while still watching
  // for an interruption.
  std::vector<std::jthread> threads;
  std::size_t begin = 0;
  for (std::size_t w = 1; w < workers; ++w) {
    const std::size_t end = n * w / workers;
    try {
      {
        const std::lock_guard lock(m);
        ++running;
      }
      threads.emplace_back([&, begin, end] {
        evaluate_blocks(in, out, begin, end, stop, [] {});
        const std::lock_guard lock(m);
        --running;
        finished.notify_one();
      });
    } catch (const std::system_error&) {
      {
        const std::lock_guard lock(m);
        --running;
      }
      // No thread to be had: the work is done anyway.
      evaluate_blocks(in, out, begin, end, stop, check);
    }
    begin = end;
  }
  evaluate_blocks(in, out, begin, n, stop, check);
  std::unique_lock lock(m);
  while (running > 0) {
    finished.wait_for(lock, check_interval);
    if (running == 0) break;
    lock.unlock();
    check();
    lock.lock();
  }
  return !stop.load();
}

}  // namespace Vantrel::python
