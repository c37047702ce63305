#include "lookup/state.h"

#include <algorithm>
#include <bit>
#include <cfenv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>

#include "lookup/fp_environment.h"
#include "lookup/if97_values.h"
#include "lookup/pairs.h"
#include "lookup/steam95_values.h"
#include "model/constant95.h"
#include "model/errors.h"
#include "properties/ice.h"
#include "solve/caches.h"

namespace Vantrel {

static_assert(quality_marker::indeterminate == quality_indeterminate &&
                  quality_marker::superheated == quality_superheated &&
                  quality_marker::subcooled == quality_subcooled,
              "the face names the library's quality markers");

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// The statuses of library errors, tried in the order domain, not applicable, convergence, any
// other standard error.
template <class Compute>
int guarded(Compute compute) {
  try {
    return compute();
  } catch (const std::domain_error&) {
    return status_invalid;
  } catch (const not_applicable&) {
    return status_not_applicable;
  } catch (const convergence_error&) {
    return status_failed;
  } catch (const std::exception&) {
    return status_failed;
  }
}

bool spans_match(std::span<const int> codes, std::span<double> values, std::span<int> statuses) {
  return values.size() == codes.size() && statuses.size() == codes.size();
}

// The lowest pressure the density searches resolve at every temperature of the range, with room
// to spare (MPa): below it a state is out of range rather than a failed computation.
constexpr double lowest_pressure = 1e-15;

// A saturated pair's vapour fraction outside [0, 1], a pressure below the lowest one, or an input
// that is not a finite number, is refused before any solver sees it.
bool inputs_ok(const pair_info& pair, double a, double b, int units) {
  if (!std::isfinite(a) || !std::isfinite(b)) return false;
  if (pair.second == code_x && !(b >= 0.0 && b <= 1.0)) return false;
  const double p = pair.first == code_p ? a : pair.second == code_p ? b : HUGE_VAL;
  return to_internal(unit_dimension::pressure, p, units) >= lowest_pressure;
}

// One built IAPWS-95 state and what it gives: each code's value in display units, with the
// inputs of the pair read back exactly as they were given.
class built_state {
 public:
  built_state(int pair, double a, double b, int units, transport_set transport)
      : pair_(pair), a_(a), b_(b), units_(units), transport_(transport) {
    const pair_info* info = pair_with_code(pair);
    status_ = info != nullptr && inputs_ok(*info, a, b, units) ? guarded([&] {
      state_from_pair(a, b, state_, pair, units);
      return int{status_ok};
    })
                                                               : int{status_invalid};
    if (info != nullptr) {
      first_ = info->first;
      second_ = info->second;
    }
  }

  int status() const { return status_; }

  state_phase phase() const {
    if (status_ != status_ok) return state_phase::error;
    return phase_of_quality(state_.x());
  }

  bool critical() const { return status_ == status_ok && state_.is_critical(); }

  // The status of code; its value goes to *out only on status_ok.
  int evaluate(int code, double* out) const {
    if (code < 0 || code > last_lookup_code) return status_invalid;
    if (status_ != status_ok) return status_;
    if (code == first_ || code == second_) {
      *out = code == first_ ? a_ : b_;
      return status_ok;
    }
    if (!applies(code, state_)) return status_not_applicable;
    return guarded([&] {
      // A value that is not a finite number is a failed computation, never a result.
      const double value = property_value(code, state_, units_, transport_);
      if (!std::isfinite(value)) return int{status_failed};
      *out = value;
      return int{status_ok};
    });
  }

  // The next request for these inputs reads what this one evaluated.
  void keep() const {
    if (status_ == status_ok) keep_evaluated(state_);
  }

  // A page reads nearly every cell of the memo; once a second row is asked for, one sweep fills
  // them all where one each would follow. A single lookup does not pay for cells it never reads.
  void fill() const {
    if (status_ == status_ok && !state_.two_phase()) state_.helm().fill_all();
  }

 private:
  int pair_;
  double a_, b_;
  int units_;
  transport_set transport_;
  int first_ = -1, second_ = -1;
  int status_ = status_failed;
  steam95 state_;
};

// One built IAPWS-IF97 state, with the same face as built_state. Every pair and property of
// the face has an IF97 answer or a status of its own; none comes from IAPWS-95.
class built_if97_state {
 public:
  built_if97_state(int pair, double a, double b, const method& m, int units)
      : a_(a), b_(b), units_(units), method_(m) {
    const pair_info* info = pair_with_code(pair);
    if (info == nullptr || !inputs_ok(*info, a, b, units)) {
      status_ = status_invalid;
      return;
    }
    first_ = info->first;
    second_ = info->second;
    status_ = guarded([&] {
      const double first = input_of(first_, a);
      // The vapour fraction of T-x and p-x is the same number in every unit system.
      const double second = second_ == code_x ? b : input_of(second_, b);
      // A saturated state's temperature and pressure come from the region 4 line alone; its
      // phases are evaluated once a row needs them.
      if (second_ == code_x) {
        state_ = if97_saturation_point(pair, first, second);
        pending_ = {pair, first, second};
      } else {
        state_ = if97_state_from_pair(pair, first, second);
      }
      return int{status_ok};
    });
  }

  int status() const { return status_; }

  state_phase phase() const {
    return status_ == status_ok ? phase_of_quality(state_.x) : state_phase::error;
  }

  bool critical() const { return status_ == status_ok && if97_critical(state_); }

  int evaluate(int code, double* out) const {
    if (code < 0 || code > last_lookup_code) return status_invalid;
    if (status_ != status_ok) return status_;
    if (code == first_ || code == second_) {
      *out = code == first_ ? a_ : b_;
      return status_ok;
    }
    return guarded([&] {
      if (pending_.pair >= 0 && code != code_t && code != code_p) {
        // Cleared only once built: a failure fails every later row the same way.
        state_ = if97_state_from_pair(pending_.pair, pending_.first, pending_.x);
        pending_.pair = -1;
      }
      const double value = to_display(property_table[row_of_code(code)].dimension,
                                      if97_property(code, state_, method_, transport_), units_);
      if (!std::isfinite(value)) return int{status_failed};
      *out = value;
      return int{status_ok};
    });
  }

 private:
  // An input in internal units; one that is not a finite number after conversion is refused.
  double input_of(int code, double value) const {
    const double converted =
        to_internal(property_table[row_of_code(code)].dimension, value, units_);
    if (!std::isfinite(converted)) throw std::domain_error("kelvora");
    return converted;
  }

  double a_, b_;
  int units_;
  method method_;
  int first_ = -1, second_ = -1;
  int status_ = status_failed;
  // A saturated state whose phases are not evaluated yet: its pair and inputs in internal units.
  struct pending_saturation {
    int pair = -1;
    double first = 0.0, x = 0.0;
  };
  mutable pending_saturation pending_;
  mutable if97::state state_;
  mutable if97_transport transport_;
};

template <class Built>
state_result result_of(const Built& built, property_set wanted) {
  state_result r;
  r.value.fill(nan);
  r.status = built.status();
  r.phase = built.phase();
  r.critical = built.critical();
  for (int code = 0; code <= last_lookup_code; ++code) {
    const auto i = static_cast<std::size_t>(code);
    if (!wanted.contains(code)) {
      r.status_of[i] = status_invalid;
      continue;
    }
    r.status_of[i] = static_cast<std::int8_t>(built.evaluate(code, &r.value[i]));
  }
  return r;
}

template <class Built>
int values_of(const Built& built, std::span<const int> codes, std::span<double> values,
              std::span<int> statuses, state_phase* phase) {
  for (std::size_t i = 0; i < codes.size(); ++i) statuses[i] = built.evaluate(codes[i], &values[i]);
  if (phase != nullptr) *phase = built.phase();
  return built.status();
}

bool same_bits(double x, double y) {
  return std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(y);
}

// The last IAPWS-95 state this thread built, with the request it answers. A page asks for 27
// properties of the same inputs in a row; each after the first reads this state in place, with
// the memo cells the earlier ones filled, instead of searching the state cache and copying the
// state out and its memo back in. The memo goes back to the cache entry when another request
// takes the place. Inputs match bit for bit, so that −0 is not answered with the echo of +0; a
// request that failed is held as well, and fails again at once. Forgotten when the library's
// caches are emptied.
const built_state& last_built(int pair, double a, double b, int units, transport_set transport) {
  struct held_request {
    unsigned generation = 0;
    int pair = -1, units = 0;
    double a = 0.0, b = 0.0;
    transport_set transport{};
    std::optional<built_state> built;
    bool filled = false;
  };
  thread_local held_request held;
  const unsigned generation = cache_generation();
  if (held.built && held.generation == generation && held.pair == pair && held.units == units &&
      held.transport == transport && same_bits(held.a, a) && same_bits(held.b, b)) {
    if (!held.filled) held.built->fill();
    held.filled = true;
    return *held.built;
  }
  if (held.built) held.built->keep();
  held.built.reset();
  held.built.emplace(pair, a, b, units, transport);
  held.filled = false;
  held.generation = generation;
  held.pair = pair;
  held.units = units;
  held.a = a;
  held.b = b;
  held.transport = transport;
  return *held.built;
}

// The one place where the method's equation of state picks the engine.
template <class Use>
auto with_engine(int pair, double a, double b, const method& m, int units, Use use) {
  if (m.eos == formulation::if97) return use(built_if97_state(pair, a, b, m, units));
  return use(last_built(pair, a, b, units, m.transport));
}

}  // namespace

state_result state(int pair, double a, double b, const method& m, int units, property_set wanted) {
  const fp_environment_reset reset;
  return with_engine(pair, a, b, m, units,
                     [wanted](const auto& built) { return result_of(built, wanted); });
}

int state_values(int pair, double a, double b, const method& m, int units,
                 std::span<const int> codes, std::span<double> values, std::span<int> statuses,
                 state_phase* phase) {
  const fp_environment_reset reset;
  if (!spans_match(codes, values, statuses)) return status_invalid;
  return with_engine(pair, a, b, m, units, [&](const auto& built) {
    return values_of(built, codes, values, statuses, phase);
  });
}

namespace {

// Constants as published, by unit system: internal (K, MPa), Metric/SI (°C, bar), English
// (°F, psia). Written out rather than converted, so that 273.16 K reads 0.01 °C and not the
// rounding of a subtraction.
struct published_constant {
  int code;
  double internal, metric, english;
};
constexpr published_constant published[] = {
    {0, 18.015268, 18.015268, 18.015268},          // molar mass, kg/kmol = lb/lbmol
    {1, 647.096, 373.946, 705.1028},               // critical temperature
    {2, 22.064, 220.64, 3200.118432},              // critical pressure
    {6, 273.16, 0.01, 32.018},                     // triple-point temperature
    {7, 0.000611657, 0.00611657, 0.088713507966},  // triple-point pressure
    {8, 190.0, -83.15, -117.67},                   // lowest temperature of the range
    {9, 5000.0, 4726.85, 8540.33},                 // highest temperature of the range
    {10, 0.0, 0.0, 0.0},                           // lowest pressure of the range
    {11, 10000.0, 100000.0, 1450380.0},            // highest pressure of the range
};

// The constants in which IAPWS-IF97 differs from IAPWS-95: its range of validity (273.15 K to
// 2273.15 K, up to 100 MPa) and its gas constant, which gives the critical compressibility
// factor.
constexpr published_constant published_if97[] = {
    {8, 273.15, 0.0, 32.0},
    {9, 2273.15, 2000.0, 3632.0},
    {11, 100.0, 1000.0, 14503.8},
};

}  // namespace

double constant(int code, const method& m, int units) {
  const fp_environment_reset reset;
  if (code == 12 || code == 13) code -= 6;  // the triple point again
  const auto pick = [units](const published_constant& c) {
    return units == internal_units ? c.internal : units == metric_units ? c.metric : c.english;
  };
  if (m.eos == formulation::if97) {
    for (const auto& c : published_if97)
      if (c.code == code) return pick(c);
    if (code == 5) return if97::pc * 1000.0 / (if97::Tc * if97::R * if97::rhoc);
    // IF97 sets the internal energy and entropy of the liquid at the triple point to zero, so
    // its enthalpy there is p·v of region 1.
    if (code == 14) {
      const if97::state liquid = if97::region1_tp(constant95::Tt, constant95::pt);
      return unit_factor(fE, units) * liquid.h;
    }
  }
  for (const auto& c : published) {
    if (c.code == code) return pick(c);
  }
  const auto f = [units](unit_row row) { return unit_factor(row, units); };
  // Enthalpy of the saturated liquid at the triple point in kJ/kg: the IAPWS-95 reference state
  // gives 0.611872 J/kg there.
  constexpr double triple_liquid_h = 0.000611872;
  switch (code) {
    case 3:
      return f(fV) / constant95::rhoc;
    case 4:
      return constant95::rhoc / f(fV);
    case 5:
      return constant95::zc;
    case 14:
      return f(fE) * triple_liquid_h;
    case 15:
      return 0.0;
    default:
      return nan;
  }
}

formulation_range range_of(const method& m) {
  using C = constant95;
  if (m.eos == formulation::if97)
    return {if97::T_min, if97::T_max, 0.0,   if97::p_max, if97::Tc,
            if97::pc,    if97::rhoc,  C::Tt, C::pt};
  return {C::T_min, C::T_max, C::p_min, C::p_max, C::Tc, C::pc, C::rhoc, C::Tt, C::pt};
}

// --- Ice curves.

const std::array<ice_curve_info, 6> ice_curves{{
    {ice_curve::sublimation, "sublimation", ice::T_subl_min, constant95::Tt},
    {ice_curve::melting_ih, "melting-Ih", ice::T_III, constant95::Tt},
    {ice_curve::melting_iii, "melting-III", ice::T_III, ice::T_V},
    {ice_curve::melting_v, "melting-V", ice::T_V, ice::T_VI},
    {ice_curve::melting_vi, "melting-VI", ice::T_VI, ice::T_VII},
    {ice_curve::melting_vii, "melting-VII", ice::T_VII, ice::T_melt_max},
}};

const std::array<ice_triple_point, 4> ice_triple_points{{
    {"Ih-III-liquid", ice::T_III, ice::p_III},
    {"III-V-liquid", ice::T_V, ice::p_V},
    {"V-VI-liquid", ice::T_VI, ice::p_VI},
    {"VI-VII-liquid", ice::T_VII, ice::p_VII},
}};

std::optional<double> ice_curve_pressure(ice_curve curve, double T) {
  const fp_environment_reset reset;
  try {
    switch (curve) {
      case ice_curve::sublimation:
        return ice::subl_pressure(T);
      case ice_curve::melting_ih:
        return ice::low_melt_pressure(T).quantity;
      case ice_curve::melting_iii:
      case ice_curve::melting_v:
      case ice_curve::melting_vi:
      case ice_curve::melting_vii:
        return ice::high_melt_pressure(T).quantity;
    }
  } catch (const std::domain_error&) {
  } catch (const convergence_error&) {
  }
  return std::nullopt;
}

double ice_lowest_pressure() {
  const fp_environment_reset reset;
  return ice::p_min();
}

std::optional<double> lowest_water_temperature(double p, const method& m) {
  const fp_environment_reset reset;
  const bool if97 = m.eos == formulation::if97;
  if (!(p > 0.0 && p <= (if97 ? if97::p_max : constant95::p_max))) return std::nullopt;
  // IF97 starts at 273.15 K, above the ice curves except near the triple point.
  const double floor = if97 ? if97::T_min : constant95::T_min;
  try {
    if (p < ice::p_min()) return floor;
    if (p <= constant95::pt) return std::max(floor, ice::subl_temperature(p));
    return std::max(floor, ice::melt_temperature(p).quantity);
  } catch (const std::domain_error&) {
  } catch (const convergence_error&) {
  }
  return std::nullopt;
}

}  // namespace Vantrel
