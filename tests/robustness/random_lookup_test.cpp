// Randomized calls of the four entry points with ordinary and adversarial arguments: no
// exception escapes, the status is 0 to 3, the output is untouched unless the status is 0, a
// value is finite, the floating-point environment afterwards is the default one, and every call
// returns in bounded time.
//
// Each run draws a fresh seed, printed with any failure; KELVORA_SEED=<n> repeats a run and
// KELVORA_SOAK=<calls> makes a longer one.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cfenv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <limits>
#include <random>
#include <sstream>
#include <string>

#include "lookup/lookup.h"
#include "lookup/units.h"
#include "model/constant95.h"
#include "properties/ice.h"

namespace Vantrel {
namespace {

using limits = std::numeric_limits<double>;

// What each input of a call holds, so that range bounds can be given in its display units.
enum class quantity { temperature, pressure, volume, energy, entropy, quality };

// The bounds of the library in internal units, each tried exactly and one ulp to either side:
// the state range (190 K, 5000 K, 0 and 10000 MPa), the triple and critical points, 273.15 K,
// and the triple points between the ice phases and the ends of the melting curves.
constexpr double temperature_bounds[] = {
    constant95::T_min, constant95::T_max, 273.15,    constant95::Tt, constant95::Tc,
    ice::T_III,        ice::T_V,          ice::T_VI, ice::T_VII,     ice::T_melt_max};
constexpr double pressure_bounds[] = {constant95::p_min, constant95::p_max, constant95::pt,
                                      constant95::pc,    ice::p_III,        ice::p_V,
                                      ice::p_VI,         ice::p_VII,        0.001};
constexpr double volume_bounds[] = {1.0 / 322.0, 0.00100021, 206.0, 1e-4, 1e4};
constexpr double energy_bounds[] = {0.0, 0.000611872, 2084.26, 2500.9, 4000.0, 1e4};
constexpr double entropy_bounds[] = {0.0, 4.40670, 9.15, -1.0, 12.0};
constexpr double quality_bounds[] = {0.0, 1.0, 0.5};

class argument_source {
 public:
  explicit argument_source(std::uint64_t seed) : rng_(seed) {}

  int integer(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  double uniform(double lo, double hi) { return std::uniform_real_distribution<>(lo, hi)(rng_); }

  int units() {
    switch (integer(0, 5)) {
      case 0:
      case 1:
        return metric_units;
      case 2:
      case 3:
        return english_units;
      case 4:
        return integer(std::numeric_limits<int>::min(), -1);
      default:
        return integer(2, std::numeric_limits<int>::max());
    }
  }

  // An input of quantity q in display units of `u`.
  double value(quantity q, int u) {
    switch (integer(0, 9)) {
      case 0:
        return special();
      case 1:
      case 2:
        return near_bound(q, u);
      case 3:
        return anything();
      default:
        return plausible(q, u);
    }
  }

 private:
  double special() {
    constexpr double values[] = {limits::quiet_NaN(),
                                 -limits::quiet_NaN(),
                                 limits::infinity(),
                                 -limits::infinity(),
                                 0.0,
                                 -0.0,
                                 limits::denorm_min(),
                                 -limits::denorm_min(),
                                 limits::min(),
                                 limits::max(),
                                 -limits::max(),
                                 1e300,
                                 -1e300,
                                 1e-300,
                                 limits::epsilon()};
    return values[integer(0, std::size(values) - 1)];
  }

  // Any double at all, sign and exponent drawn evenly, including NaN payloads.
  double anything() {
    const std::uint64_t bits = std::uniform_int_distribution<std::uint64_t>()(rng_);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }

  template <std::size_t N>
  double pick(const double (&table)[N]) {
    return table[integer(0, static_cast<int>(N) - 1)];
  }

  double to_display(quantity q, int u, double internal) {
    switch (q) {
      case quantity::temperature:
        return display_temperature(u, internal);
      case quantity::pressure:
        return internal * unit_factor(fP, u);
      case quantity::volume:
        return internal * unit_factor(fV, u);
      case quantity::energy:
        return internal * unit_factor(fE, u);
      case quantity::entropy:
        return internal * (unit_factor(fE, u) / unit_factor(fT, u));
      case quantity::quality:
        return internal;
    }
    return internal;
  }

  double near_bound(quantity q, int u) {
    double internal = 0.0;
    switch (q) {
      case quantity::temperature:
        internal = pick(temperature_bounds);
        break;
      case quantity::pressure:
        internal = pick(pressure_bounds);
        break;
      case quantity::volume:
        internal = pick(volume_bounds);
        break;
      case quantity::energy:
        internal = pick(energy_bounds);
        break;
      case quantity::entropy:
        internal = pick(entropy_bounds);
        break;
      case quantity::quality:
        internal = pick(quality_bounds);
        break;
    }
    const double d = to_display(q, u, internal);
    switch (integer(0, 2)) {
      case 0:
        return std::nextafter(d, -limits::infinity());
      case 1:
        return std::nextafter(d, limits::infinity());
      default:
        return d;
    }
  }

  // A value a user might type, spread over and a little beyond the library's range.
  double plausible(quantity q, int u) {
    double internal = 0.0;
    switch (q) {
      case quantity::temperature:
        internal = uniform(150.0, 5100.0);
        break;
      case quantity::pressure:
        internal = std::pow(10.0, uniform(-5.0, 4.1));
        break;
      case quantity::volume:
        internal = std::pow(10.0, uniform(-3.5, 3.5));
        break;
      case quantity::energy:
        internal = uniform(-200.0, 9000.0);
        break;
      case quantity::entropy:
        internal = uniform(-1.0, 14.0);
        break;
      case quantity::quality:
        internal = uniform(-0.1, 1.1);
        break;
    }
    return to_display(q, u, internal);
  }

  std::mt19937_64 rng_;
};

struct pair_quantities {
  quantity first, second;
};

pair_quantities quantities_of(int pair) {
  using q = quantity;
  switch (pair) {
    case pair_tp:
      return {q::temperature, q::pressure};
    case pair_tv:
      return {q::temperature, q::volume};
    case pair_th:
    case pair_tu:
      return {q::temperature, q::energy};
    case pair_ts:
      return {q::temperature, q::entropy};
    case pair_pv:
      return {q::pressure, q::volume};
    case pair_ph:
    case pair_pu:
      return {q::pressure, q::energy};
    case pair_ps:
      return {q::pressure, q::entropy};
    case pair_hs:
      return {q::energy, q::entropy};
    default:
      return {q::temperature, q::pressure};
  }
}

std::uint64_t run_seed() {
  if (const char* s = std::getenv("KELVORA_SEED")) return std::strtoull(s, nullptr, 10);
  return std::random_device{}() ^ (std::uint64_t{std::random_device{}()} << 32);
}

// Calls per run: about 25 s in the release build on the shared development machine; the
// sanitizer build runs about four times slower and makes a quarter of the calls.
#if defined(__SANITIZE_ADDRESS__)
constexpr long calls_per_run = 60000;
#else
constexpr long calls_per_run = 250000;
#endif

long run_calls(long normal) {
  if (const char* s = std::getenv("KELVORA_SOAK")) return std::max(1L, std::atol(s));
  return normal;
}

// The largest time one call may take. The slowest legitimate call (an enthalpy-entropy search
// that fails only after its whole budget) takes well under a second; ten cover a loaded
// machine and the sanitizer build.
constexpr auto call_time_limit = std::chrono::seconds(10);

TEST(RandomLookups, EveryCallKeepsTheEntryPointContract) {
  const std::uint64_t seed = run_seed();
  const long calls = run_calls(calls_per_run);
  SCOPED_TRACE(testing::Message() << "seed " << seed << " (repeat with KELVORA_SEED=" << seed
                                  << ")");
  argument_source args(seed);
  const double sentinel = -7.25e-301;
  long by_status[4] = {0, 0, 0, 0};
  std::chrono::nanoseconds slowest{0};

  for (long i = 0; i < calls; ++i) {
    const int kind = args.integer(0, 9);
    const int u = args.units();
    const int code = args.integer(-2, 28);
    double a = 0.0, b = 0.0;
    int pair = 0;
    std::ostringstream call;
    call.precision(17);
    // Most calls go to lookup_property, as they do from the pages.
    if (kind < 6) {
      pair = args.integer(-2, 11);
      const pair_quantities q = quantities_of(pair);
      a = args.value(q.first, u);
      b = args.value(q.second, u);
      call << "lookup_property(" << a << ", " << b << ", " << pair << ", " << code << ", " << u;
    } else if (kind < 8) {
      a = args.value(kind == 6 ? quantity::temperature : quantity::pressure, u);
      b = args.value(quantity::quality, u);
      call << (kind == 6 ? "lookup_tsat(" : "lookup_psat(") << a << ", " << b << ", " << code
           << ", " << u;
    } else {
      call << "lookup_constant(" << code << ", " << u;
    }
    const bool null_output = args.integer(0, 99) == 0;
    call << (null_output ? ", nullptr)" : ", &out)") << " at call " << i;

    // A caller may hold any floating-point environment.
    std::fesetround(std::array{FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}[i % 4]);
    if (i % 3 == 0) std::feraiseexcept(FE_INVALID | FE_INEXACT);

    double out = sentinel;
    double* target = null_output ? nullptr : &out;
    int status = -1;
    const auto start = std::chrono::steady_clock::now();
    try {
      if (kind < 6) {
        status = lookup_property(a, b, pair, code, u, target);
      } else if (kind == 6) {
        status = lookup_tsat(a, b, code, u, target);
      } else if (kind == 7) {
        status = lookup_psat(a, b, code, u, target);
      } else {
        status = lookup_constant(code, u, target);
      }
    } catch (...) {
      std::fesetenv(FE_DFL_ENV);
      FAIL() << "an exception escaped " << call.str();
    }
    const auto took = std::chrono::steady_clock::now() - start;
    const bool default_rounding = std::fegetround() == FE_TONEAREST;
    const int flags = std::fetestexcept(FE_ALL_EXCEPT);
    std::fesetenv(FE_DFL_ENV);

    slowest = std::max(slowest, std::chrono::duration_cast<std::chrono::nanoseconds>(took));
    ASSERT_LT(took, call_time_limit) << call.str();
    ASSERT_TRUE(status >= 0 && status <= 3) << "status " << status << " from " << call.str();
    // An input that is not a finite number is out of range, whatever else the call holds; it
    // must never be answered from a cache, where a NaN key matches any entry.
    if (kind < 8 && (!std::isfinite(a) || !std::isfinite(b))) {
      ASSERT_EQ(status, status_invalid) << call.str();
    }
    ++by_status[status];
    ASSERT_TRUE(default_rounding) << "rounding mode left changed by " << call.str();
    ASSERT_EQ(flags, 0) << "floating-point flags left raised by " << call.str();
    if (status == status_ok) {
      ASSERT_FALSE(null_output) << "success without an output from " << call.str();
      ASSERT_TRUE(std::isfinite(out)) << out << " reported as a value by " << call.str();
      // Nothing outside the entry points' codes answers.
      ASSERT_TRUE(code >= 0 && code <= last_lookup_code) << call.str();
    } else {
      ASSERT_EQ(std::memcmp(&out, &sentinel, sizeof out), 0)
          << "output written on status " << status << " by " << call.str();
    }
  }
  // Enough of the calls reach the solvers and succeed for the run to mean something.
  EXPECT_GT(by_status[status_ok], calls / 20);
  std::cout << "seed " << seed << ": " << calls << " calls, statuses 0-3: " << by_status[0] << " "
            << by_status[1] << " " << by_status[2] << " " << by_status[3] << ", slowest "
            << std::chrono::duration<double, std::milli>(slowest).count() << " ms\n";
}

}  // namespace
}  // namespace Vantrel
