#include "lookup/lookup.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "lookup/fp_environment.h"
#include "lookup/state.h"
#include "lookup/units.h"

namespace Vantrel {

namespace {

// The entry points compute under the default method.
constexpr method entry_method{};

bool valid_property_code(int code) {
  return code >= 0 && code <= last_lookup_code;
}

// The single-value entry points take every unit_system but 0 as English.
int entry_units(int unit_system) {
  return unit_system == metric_units ? metric_units : english_units;
}

// One property of a state, written to *out on success.
int single_value(int pair, double a, double b, int property_code, int units, double* out) {
  const std::array<int, 1> codes{property_code};
  std::array<double, 1> values{};
  std::array<int, 1> statuses{};
  state_values(pair, a, b, entry_method, units, codes, values, statuses);
  if (statuses[0] == status_ok) *out = values[0];
  return statuses[0];
}

bool valid_constant_code(int code) {
  return code >= 0 && code <= 15;
}

}  // namespace

int lookup_property(double first, double second, int pair_code, int property_code, int unit_system,
                    double* out) {
  const fp_environment_reset reset;
  if (!valid_property_code(property_code) || out == nullptr) return status_invalid;
  if (!std::isfinite(first) || !std::isfinite(second)) return status_invalid;
  // The saturated pairs have entry points of their own.
  if (pair_code < 0 || pair_code >= entry_pair_count) return status_invalid;
  return single_value(pair_code, first, second, property_code, entry_units(unit_system), out);
}

int lookup_tsat(double temperature, double quality, int property_code, int unit_system,
                double* out) {
  const fp_environment_reset reset;
  if (!valid_property_code(property_code) || out == nullptr) return status_invalid;
  return single_value(pair_tx, temperature, quality, property_code, entry_units(unit_system), out);
}

int lookup_psat(double pressure, double quality, int property_code, int unit_system, double* out) {
  const fp_environment_reset reset;
  if (!valid_property_code(property_code) || out == nullptr) return status_invalid;
  return single_value(pair_px, pressure, quality, property_code, entry_units(unit_system), out);
}

int lookup_constant(int constant_code, int unit_system, double* out) {
  const fp_environment_reset reset;
  if (!valid_constant_code(constant_code) || out == nullptr) return status_invalid;
  *out = constant(constant_code, entry_method, entry_units(unit_system));
  return status_ok;
}

int lookup_property_set(double first, double second, int pair_code, int unit_system,
                        std::span<const int> codes, std::span<double> values,
                        std::span<int> statuses) {
  // The saturated pairs have entry points of their own.
  if (pair_code >= entry_pair_count) pair_code = -1;
  return state_values(pair_code, first, second, entry_method, unit_system, codes, values, statuses);
}

int lookup_tsat_set(double temperature, double quality, int unit_system, std::span<const int> codes,
                    std::span<double> values, std::span<int> statuses) {
  return state_values(pair_tx, temperature, quality, entry_method, unit_system, codes, values,
                      statuses);
}

int lookup_psat_set(double pressure, double quality, int unit_system, std::span<const int> codes,
                    std::span<double> values, std::span<int> statuses) {
  return state_values(pair_px, pressure, quality, entry_method, unit_system, codes, values,
                      statuses);
}

int lookup_constant_set(int unit_system, std::span<const int> codes, std::span<double> values,
                        std::span<int> statuses) {
  const fp_environment_reset reset;
  if (values.size() != codes.size() || statuses.size() != codes.size()) return status_invalid;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    statuses[i] = valid_constant_code(codes[i]) ? status_ok : status_invalid;
    if (statuses[i] == status_ok) values[i] = constant(codes[i], entry_method, unit_system);
  }
  return status_ok;
}

}  // namespace Vantrel
