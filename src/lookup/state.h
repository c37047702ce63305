#pragma once
// States of water and steam from any input pair, under a method of calculation and in a unit
// system: the one call through which every surface reaches the physics. Also the constants, the
// range of the formulation and the ice curves that bound the liquid.
//
// Inputs and results are in the display units of `units` (internal_units, 0 Metric/SI, any other
// value English). The quality (code_x) is a vapour fraction from 0 to 1 in every unit system, or a
// marker of quality_marker for a single-phase state. The inputs of a state read back exactly as
// they were given. Nothing here throws; every call starts and ends with the default
// floating-point environment, and the calls may come from several threads at once.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <span>
#include <string_view>

#include "lookup/catalogue.h"
#include "lookup/codes.h"
#include "lookup/method.h"

namespace Vantrel {

// Which properties to compute: a set of property codes (0 to last_lookup_code).
class property_set {
 public:
  constexpr property_set() = default;
  constexpr property_set(std::initializer_list<int> codes) {
    for (const int code : codes) add(code);
  }
  // A code outside 0 to last_lookup_code is not added.
  constexpr void add(int code) {
    if (code >= 0 && code <= last_lookup_code) bits_ |= std::uint32_t{1} << code;
  }
  constexpr bool contains(int code) const {
    return code >= 0 && code <= last_lookup_code && (bits_ >> code & 1u) != 0;
  }
  constexpr bool empty() const { return bits_ == 0; }
  static constexpr property_set all() {
    property_set s;
    for (int code = 0; code <= last_lookup_code; ++code) s.add(code);
    return s;
  }

 private:
  std::uint32_t bits_ = 0;
};

inline constexpr property_set all_properties = property_set::all();

// What a state is, as a result names it.
enum class state_phase : std::uint8_t {
  error,  // no state could be built
  indeterminate,
  superheated,
  subcooled,
  two_phase,
  saturated_liquid,
  saturated_vapour,
};

// The phase that a quality value (a vapour fraction or a marker) names.
constexpr state_phase phase_of_quality(double x) {
  if (x == quality_marker::indeterminate) return state_phase::indeterminate;
  if (x == quality_marker::superheated) return state_phase::superheated;
  if (x == quality_marker::subcooled) return state_phase::subcooled;
  if (x == 0.0) return state_phase::saturated_liquid;
  if (x == 1.0) return state_phase::saturated_vapour;
  if (x > 0.0 && x < 1.0) return state_phase::two_phase;
  return state_phase::error;
}

struct state_result {
  // Of building the state: status_ok, or the status every wanted property then has
  // (status_invalid, status_failed).
  int status = status_failed;
  state_phase phase = state_phase::error;
  // The critical point itself, where the derivative properties do not exist.
  bool critical = false;
  // By property code: the value (NaN where not wanted or not computed) and its status
  // (status_ok, or why there is no value).
  std::array<double, property_count> value;
  std::array<std::int8_t, property_count> status_of;

  // The value of a code, NaN for a code out of range.
  double operator[](int code) const {
    return code >= 0 && code <= last_lookup_code ? value[static_cast<std::size_t>(code)]
                                                 : std::numeric_limits<double>::quiet_NaN();
  }
  bool has(int code) const {
    return code >= 0 && code <= last_lookup_code &&
           status_of[static_cast<std::size_t>(code)] == status_ok;
  }
};

// The state of input pair `pair` (0 to input_pair_count - 1) with inputs a and b.
state_result state(int pair, double a, double b, const method& m, int units,
                   property_set wanted = all_properties);

// The same for callers that evaluate many states into arrays of their own: statuses[i] and
// values[i] are the status and value of codes[i] (values[i] is written only where statuses[i] is
// status_ok; a code outside 0 to last_lookup_code gets status_invalid). Returns the status of
// building the state and writes its phase to *phase when given. Spans of different sizes return
// status_invalid and write nothing.
int state_values(int pair, double a, double b, const method& m, int units,
                 std::span<const int> codes, std::span<double> values, std::span<int> statuses,
                 state_phase* phase = nullptr);

// A constant of water (code 0 to 15, the codes of lookup_constant) in `units`, as published:
// the triple point reads 0.01 °C. NaN for an unknown code.
double constant(int code, const method& m, int units);

// The range of states of a formulation and its critical and triple points, in internal units
// (K, MPa, kg/m³) as the formulation stores them, for callers that walk the range (the charts).
struct formulation_range {
  double T_min, T_max;  // K
  double p_min, p_max;  // MPa
  double Tc, pc, rhoc;  // critical point
  double Tt, pt;        // triple point
};
formulation_range range_of(const method& m);

// --- The ice curves (IAPWS 1993 melting and sublimation curves), in internal units.

enum class ice_curve : std::uint8_t {
  sublimation,
  melting_ih,
  melting_iii,
  melting_v,
  melting_vi,
  melting_vii,
};

struct ice_curve_info {
  ice_curve curve;
  std::string_view name;  // "sublimation", "melting-Ih", ... "melting-VII"
  double T_lo, T_hi;      // K, the curve's ends
};
extern const std::array<ice_curve_info, 6> ice_curves;

// The pressure (MPa) of a curve at temperature T (K) between its ends, or nothing.
std::optional<double> ice_curve_pressure(ice_curve curve, double T);

// The triple points of the ices with the liquid.
struct ice_triple_point {
  std::string_view name;  // "Ih-III-liquid", "III-V-liquid", "V-VI-liquid", "VI-VII-liquid"
  double T, p;            // K, MPa
};
extern const std::array<ice_triple_point, 4> ice_triple_points;

// The lowest pressure of the sublimation curve (MPa, at 190 K).
double ice_lowest_pressure();

// The lowest temperature (K) at which water is not ice at pressure p (MPa): the sublimation
// temperature up to the triple-point pressure, the melting temperature above it, the lowest
// temperature of the range below the lowest sublimation pressure. Nothing above the highest
// melting pressure or outside the range.
std::optional<double> lowest_water_temperature(double p, const method& m);

}  // namespace Vantrel
