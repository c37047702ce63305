// Several threads calling the library at once get exactly what one thread gets: every lookup of a
// fixed mixed list, run on four threads at once and again on one, gives the same status and the
// same value to the last bit. Each thread has its own caches and its own history of hits and
// misses, so this also shows that no result depends on what a cache happened to hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <latch>
#include <random>
#include <thread>
#include <vector>

#include "lookup/lookup.h"
#include "lookup/pairs.h"
#include "lookup/units.h"
#include "solve/caches.h"

namespace Vantrel {
namespace {

enum entry_point { property, tsat, psat };

struct lookup_call {
  entry_point entry;
  double a, b;
  int pair, code, units;

  int run(double* out) const {
    switch (entry) {
      case tsat:
        return lookup_tsat(a, b, code, units, out);
      case psat:
        return lookup_psat(a, b, code, units, out);
      default:
        return lookup_property(a, b, pair, code, units, out);
    }
  }
};

struct lookup_result {
  int status;
  std::uint64_t bits;
  bool operator==(const lookup_result&) const = default;
};

// A fixed list of pages of lookups over 150 states: states of every input pair in both unit
// systems (liquid, vapour, supercritical and some below the range) and saturated states by
// temperature and by pressure.
std::vector<lookup_call> mixed_lookups(std::size_t count) {
  std::mt19937_64 rng(20261207);
  const auto uniform = [&rng](double lo, double hi) {
    return std::uniform_real_distribution<>(lo, hi)(rng);
  };
  std::vector<lookup_call> states;
  while (states.size() < 150) {
    const int units = states.size() % 2 == 0 ? metric_units : english_units;
    const int kind = static_cast<int>(rng() % 10);
    if (kind == 0) {
      states.push_back({tsat, uniform(0.5, 370.0), uniform(0.0, 1.0), 0, 0, units});
      continue;
    }
    if (kind == 1) {
      states.push_back({psat, uniform(0.01, 220.0), uniform(0.0, 1.0), 0, 0, units});
      continue;
    }
    if (kind == 2) {  // below the library's lowest temperature: fails at the range check
      states.push_back(
          {property, uniform(-200.0, -150.0), uniform(0.05, 600.0), pair_tp, 0, units});
      continue;
    }
    // Temperatures from 1 to 900 (°C or °F) and pressures from 0.05 to 600 (bar or psia).
    const double t = uniform(1.0, 900.0), p = uniform(0.05, 600.0);
    const int pair = static_cast<int>(rng() % entry_pair_count);
    std::array<double, 2> in{};
    for (int i = 0; i < 2; ++i) {
      lookup_property(t, p, pair_tp, (i == 0 ? pair_table[pair].first : pair_table[pair].second),
                      units, &in[i]);
    }
    states.push_back({property, in[0], in[1], pair, 0, units});
  }
  // Pages: one state, then its properties in a random order, as the window asks for them.
  std::vector<lookup_call> calls;
  calls.reserve(count);
  std::array<int, last_lookup_code + 1> codes{};
  for (int code = 0; code <= last_lookup_code; ++code) codes[code] = code;
  while (calls.size() < count) {
    lookup_call c = states[rng() % states.size()];
    std::shuffle(codes.begin(), codes.end(), rng);
    for (int code : codes) {
      if (calls.size() == count) break;
      c.code = code;
      calls.push_back(c);
    }
  }
  return calls;
}

lookup_result run(const lookup_call& c) {
  double out = -7.25e-301;  // left as it is by a failed lookup
  const int status = c.run(&out);
  return {status, std::bit_cast<std::uint64_t>(out)};
}

TEST(Threads, FourThreadsGiveWhatOneThreadGivesToTheLastBit) {
  const std::vector<lookup_call> calls = mixed_lookups(100000);

  std::vector<lookup_result> alone(calls.size());
  std::thread([&] {
    clear_library_caches();
    for (std::size_t i = 0; i < calls.size(); ++i) alone[i] = run(calls[i]);
  }).join();

  // The threads take every fourth call and start together from empty caches, so that they
  // overlap in solving as well as in reading the caches.
  constexpr int threads = 4;
  std::vector<lookup_result> together(calls.size());
  std::latch start(threads);
  std::vector<std::jthread> workers;
  for (int w = 0; w < threads; ++w) {
    workers.emplace_back([&, w] {
      clear_library_caches();
      start.arrive_and_wait();
      for (std::size_t i = w; i < calls.size(); i += threads) together[i] = run(calls[i]);
    });
  }
  workers.clear();

  int successes = 0;
  for (std::size_t i = 0; i < calls.size(); ++i) {
    const lookup_call& c = calls[i];
    ASSERT_EQ(together[i], alone[i]) << "call " << i << ": entry " << c.entry << " (" << c.a << ", "
                                     << c.b << ") pair " << c.pair << " code " << c.code;
    successes += alone[i].status == status_ok;
  }
  // Most of the list are states that can be built; a list of failures would prove little.
  EXPECT_GT(successes, 60000);
}

}  // namespace
}  // namespace Vantrel
