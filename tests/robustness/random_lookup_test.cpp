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
#include <bit>
#include <cfenv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <limits>
#include <random>
#include <span>
#include <string>

#include "lookup/lookup.h"
#include "lookup/units.h"
#include "model/constant95.h"
#include "properties/ice.h"

namespace Vantrel {
namespace {

using limits = std::numeric_limits<double>;

// What each input of a call holds, so that range bounds can be given in its display units.
enum quantity { temperature, pressure, volume, energy, entropy, quality };

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

// Per quantity: its bounds, and the span (in internal units, or in powers of ten of them) of a
// value a user might type, a little beyond the library's range.
struct quantity_values {
  std::span<const double> bounds;
  double lo, hi;
  bool powers_of_ten;
};
const quantity_values values_of[] = {
    {temperature_bounds, 150.0, 5100.0, false}, {pressure_bounds, -5.0, 4.1, true},
    {volume_bounds, -3.5, 3.5, true},           {energy_bounds, -200.0, 9000.0, false},
    {entropy_bounds, -1.0, 14.0, false},        {quality_bounds, -0.1, 1.1, false},
};

// The two inputs of each pair code 0-9; the codes outside take temperature and pressure.
constexpr quantity pair_inputs[][2] = {
    {temperature, pressure}, {temperature, volume}, {temperature, energy}, {temperature, entropy},
    {temperature, energy},   {pressure, volume},    {pressure, energy},    {pressure, entropy},
    {pressure, energy},      {energy, entropy},
};

constexpr double nan = limits::quiet_NaN(), inf = limits::infinity();
constexpr double subnormal = limits::denorm_min(), tiny = limits::min(), huge = limits::max();
// NaN of either sign, infinities, zeros, subnormals, the extremes and the machine epsilon.
constexpr double specials[] = {nan,       -nan,       inf,  -inf, 0.0,   -0.0,
                               subnormal, -subnormal, tiny, huge, -huge, limits::epsilon()};

double to_display(quantity q, int u, double internal) {
  const auto f = [u](unit_row row) { return unit_factor(row, u); };
  const double factors[] = {1.0, f(fP), f(fV), f(fE), f(fE) / f(fT), 1.0};
  return q == temperature ? display_temperature(u, internal) : internal * factors[q];
}

enum entry_point { property, tsat, psat, constant };

// One call of an entry point with its arguments.
struct drawn_call {
  entry_point entry;
  double a = 0.0, b = 0.0;
  int pair = 0, code = 0, units = 0;
  bool null_output = false;

  int run(double* out) const {
    switch (entry) {
      case property:
        return lookup_property(a, b, pair, code, units, out);
      case tsat:
        return lookup_tsat(a, b, code, units, out);
      case psat:
        return lookup_psat(a, b, code, units, out);
      default:
        return lookup_constant(code, units, out);
    }
  }
};

std::ostream& operator<<(std::ostream& os, const drawn_call& c) {
  const char* names[] = {"lookup_property(", "lookup_tsat(", "lookup_psat(", "lookup_constant("};
  os << std::setprecision(17) << names[c.entry];
  if (c.entry != constant) os << c.a << ", " << c.b << ", ";
  if (c.entry == property) os << c.pair << ", ";
  return os << c.code << ", " << c.units << (c.null_output ? ", nullptr)" : ", &out)");
}

class argument_source {
 public:
  explicit argument_source(std::uint64_t seed) : rng_(seed) {}

  int integer(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  // Metric/SI, English, or any int at all (every one but 0 reads as English).
  int units() {
    const int kind = integer(0, 3);
    return kind < 2 ? kind
                    : integer(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  }

  // An input of quantity q in display units of `u`: a special double, a bound or one ulp beside
  // it, any bit pattern at all (NaN payloads included), or a plausible value.
  double value(quantity q, int u) {
    const quantity_values& v = values_of[q];
    switch (integer(0, 9)) {
      case 0:
        return specials[integer(0, std::size(specials) - 1)];
      case 1:
      case 2: {
        const double d = to_display(q, u, v.bounds[integer(0, v.bounds.size() - 1)]);
        const int side = integer(-1, 1);
        return side == 0 ? d : std::nextafter(d, side * inf);
      }
      case 3:
        return std::bit_cast<double>(std::uniform_int_distribution<std::uint64_t>()(rng_));
      default: {
        const double x = std::uniform_real_distribution<>(v.lo, v.hi)(rng_);
        return to_display(q, u, v.powers_of_ten ? std::pow(10.0, x) : x);
      }
    }
  }

  // Most calls go to lookup_property, as they do from the pages; one in a hundred has no
  // output.
  drawn_call next() {
    const int kind = integer(0, 9);
    drawn_call c{kind < 6 ? property : kind < 8 ? entry_point(kind - 5) : constant};
    c.units = units();
    c.code = integer(-2, 28);
    if (c.entry == property) {
      c.pair = integer(-2, 11);
      const auto& q =
          c.pair >= 0 && c.pair < entry_pair_count ? pair_inputs[c.pair] : pair_inputs[0];
      c.a = value(q[0], c.units);
      c.b = value(q[1], c.units);
    } else if (c.entry != constant) {
      c.a = value(c.entry == tsat ? temperature : pressure, c.units);
      c.b = value(quality, c.units);
    }
    c.null_output = integer(0, 99) == 0;
    return c;
  }

 private:
  std::mt19937_64 rng_;
};

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

// The largest time one call may take. The slowest legitimate call (an enthalpy-entropy search
// that fails only after its whole budget) takes well under a second; ten cover a loaded
// machine and the sanitizer build.
constexpr auto call_time_limit = std::chrono::seconds(10);

TEST(RandomLookups, EveryCallKeepsTheEntryPointContract) {
  const std::uint64_t seed = run_seed();
  const char* soak = std::getenv("KELVORA_SOAK");
  const long calls = soak != nullptr ? std::max(1L, std::atol(soak)) : calls_per_run;
  SCOPED_TRACE(testing::Message() << "seed " << seed << " (repeat with KELVORA_SEED=" << seed
                                  << ")");
  argument_source args(seed);
  const double sentinel = -7.25e-301;
  long by_status[4] = {0, 0, 0, 0};

  for (long i = 0; i < calls; ++i) {
    const drawn_call c = args.next();
    const auto where = [&] { return testing::Message() << " from " << c << " at call " << i; };
    // A caller may hold any floating-point environment.
    std::fesetround(std::array{FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}[i % 4]);
    if (i % 3 == 0) std::feraiseexcept(FE_INVALID | FE_INEXACT);

    double out = sentinel;
    int status = -1;
    const auto start = std::chrono::steady_clock::now();
    try {
      status = c.run(c.null_output ? nullptr : &out);
    } catch (...) {
      std::fesetenv(FE_DFL_ENV);
      FAIL() << "an exception escaped" << where();
    }
    const auto took = std::chrono::steady_clock::now() - start;
    const bool default_env =
        std::fegetround() == FE_TONEAREST && std::fetestexcept(FE_ALL_EXCEPT) == 0;
    std::fesetenv(FE_DFL_ENV);

    ASSERT_LT(took, call_time_limit) << where();
    ASSERT_TRUE(status >= 0 && status <= 3) << "status " << status << where();
    ASSERT_TRUE(default_env) << "floating-point environment left changed" << where();
    // An input that is not a finite number is out of range, whatever else the call holds; it
    // must never be answered from a cache, where a NaN key matches any entry.
    if (c.entry != constant && !(std::isfinite(c.a) && std::isfinite(c.b))) {
      ASSERT_EQ(status, status_invalid) << where();
    }
    ++by_status[status];
    if (status == status_ok) {
      // A finite value, in an output that exists, for a code the entry points answer.
      ASSERT_TRUE(!c.null_output && std::isfinite(out) && c.code >= 0 && c.code <= last_lookup_code)
          << out << where();
    } else {
      ASSERT_EQ(std::bit_cast<std::uint64_t>(out), std::bit_cast<std::uint64_t>(sentinel))
          << "output written on status " << status << where();
    }
  }
  // Enough of the calls reach the solvers and succeed for the run to mean something.
  EXPECT_GT(by_status[status_ok], calls / 20);
  std::cout << "seed " << seed << ": " << calls << " calls, statuses 0-3: " << by_status[0] << " "
            << by_status[1] << " " << by_status[2] << " " << by_status[3] << "\n";
}

}  // namespace
}  // namespace Vantrel
