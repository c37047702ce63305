#include "lookup/lookup.h"

#include <cfenv>
#include <cmath>
#include <cstddef>
#include <exception>
#include <stdexcept>

#include "lookup/units.h"
#include "model/errors.h"
#include "model/steam95.h"

namespace Vantrel {

namespace {

// Restores the default floating-point environment: round to nearest, every exception masked,
// no pending flags, no flush-to-zero. The environment belongs to the calling thread (its own
// control and status registers), so concurrent calls never see each other's. Loading a whole
// environment costs about 65 ns, a tenth of a warm lookup, so on x86-64 the control and status
// words are read first (a few cycles) and only what differs is reset: the common exit, where the
// computation has only raised flags in the SSE status, needs just one MXCSR load.
void reset_fp_environment() {
#if defined(__x86_64__) && defined(__GNUC__)
  constexpr unsigned short x87_default_control = 0x037F;
  constexpr unsigned int sse_default_control = 0x1F80;  // all masked, nearest, no FTZ/DAZ
  constexpr unsigned int sse_flags = 0x3F;
  unsigned short control, status;
  unsigned int mxcsr;
  asm volatile("fnstcw %0" : "=m"(control) : : "memory");
  asm volatile("fnstsw %0" : "=am"(status) : : "memory");
  asm volatile("stmxcsr %0" : "=m"(mxcsr) : : "memory");
  if (control == x87_default_control && (status & 0xFF) == 0 &&
      (mxcsr & ~sse_flags) == sse_default_control) {
    if (mxcsr != sse_default_control) {
      unsigned int clean = sse_default_control;
      asm volatile("ldmxcsr %0" : : "m"(clean) : "memory");
    }
    return;
  }
#endif
  std::fesetenv(FE_DFL_ENV);
}

// Puts the floating-point environment back to the default one when it is made and when it goes
// out of scope: on every return, and also while an exception that the entry point does not
// catch unwinds through it.
class fp_environment_reset {
 public:
  fp_environment_reset() { reset_fp_environment(); }
  ~fp_environment_reset() { reset_fp_environment(); }
  fp_environment_reset(const fp_environment_reset&) = delete;
  fp_environment_reset& operator=(const fp_environment_reset&) = delete;
};

bool valid_property_code(int code) {
  return code >= 0 && code <= last_lookup_code;
}

// Runs `compute` and turns a library error into its status (defined below).
template <class Compute>
int guarded(Compute compute);

// Builds a fresh state with `build`, evaluates one property on it and writes it to *out. A value
// that is not a finite number is a failed computation, never a result.
template <class Build>
int evaluate(Build build, int property_code, int units, double* out) {
  return guarded([&] {
    steam95 state;
    build(state);
    const double value = property_value(property_code, state, units);
    if (!std::isfinite(value)) return status_failed;
    *out = value;
    return status_ok;
  });
}

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

// Evaluates one property of a built state, as evaluate does.
int evaluate_on(const steam95& state, int property_code, int units, double* out) {
  return guarded([&] {
    const double value = property_value(property_code, state, units);
    if (!std::isfinite(value)) return status_failed;
    *out = value;
    return status_ok;
  });
}

bool spans_match(std::span<const int> codes, std::span<double> values, std::span<int> statuses) {
  return values.size() == codes.size() && statuses.size() == codes.size();
}

// Builds a fresh state with `build` once (unless the arguments were already refused) and
// evaluates every code on it. Returns the status of the build.
template <class Build>
int evaluate_set(bool arguments_ok, Build build, int units, std::span<const int> codes,
                 std::span<double> values, std::span<int> statuses) {
  steam95 state;
  const int built = !arguments_ok ? int{status_invalid} : guarded([&] {
    build(state);
    return int{status_ok};
  });
  for (std::size_t i = 0; i < codes.size(); ++i) {
    if (!valid_property_code(codes[i])) {
      statuses[i] = status_invalid;
    } else {
      statuses[i] = built == status_ok ? evaluate_on(state, codes[i], units, &values[i]) : built;
    }
  }
  return built;
}

// The single-value entry points take every unit_system but 0 as English.
int entry_units(int unit_system) {
  return unit_system == metric_units ? metric_units : english_units;
}

// A quality or saturation input that is not a finite number is out of range; it is refused
// here so that no solver ever sees it.
bool saturated_inputs_ok(double input, double quality) {
  return quality >= 0.0 && quality <= 1.0 && std::isfinite(input);
}

// The shared argument checks of the saturated lookups.
bool saturated_arguments_ok(double input, double quality, int property_code, const double* out) {
  return saturated_inputs_ok(input, quality) && valid_property_code(property_code) &&
         out != nullptr;
}

// One formulation constant (code 0-15) in `units`.
double constant_value(int constant_code, int units) {
  const auto f = [units](unit_row row) { return unit_factor(row, units); };
  const auto temperature = [units](double T) { return display_temperature(units, T); };
  // Enthalpy of the saturated liquid at the triple point in kJ/kg: the IAPWS-95 reference state
  // gives 0.611872 J/kg there.
  constexpr double triple_liquid_h = 0.000611872;
  switch (constant_code) {
    case 0:
      return constant95::M;
    case 1:
      return temperature(constant95::Tc);
    case 2:
      return constant95::pc * f(fP);
    case 3:
      return f(fV) / constant95::rhoc;
    case 4:
      return constant95::rhoc / f(fV);
    case 5:
      return critical_z();
    case 6:
    case 12:
      return temperature(constant95::Tt);
    case 7:
    case 13:
      return constant95::pt * f(fP);
    case 8:
      return temperature(constant95::T_min);
    case 9:
      return temperature(constant95::T_max);
    case 10:
      return constant95::p_min * f(fP);
    case 11:
      return constant95::p_max * f(fP);
    case 14:
      return f(fE) * triple_liquid_h;
    default:
      return 0.0;  // 15: zero
  }
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
  const int units = entry_units(unit_system);
  return evaluate([&](steam95& state) { state_from_pair(first, second, state, pair_code, units); },
                  property_code, units, out);
}

int lookup_tsat(double temperature, double quality, int property_code, int unit_system,
                double* out) {
  const fp_environment_reset reset;
  if (!saturated_arguments_ok(temperature, quality, property_code, out)) return status_invalid;
  const int units = entry_units(unit_system);
  const double T = input_temperature(units, temperature);
  return evaluate([&](steam95& state) { state.at_tsat(T, quality); }, property_code, units, out);
}

int lookup_psat(double pressure, double quality, int property_code, int unit_system, double* out) {
  const fp_environment_reset reset;
  if (!saturated_arguments_ok(pressure, quality, property_code, out)) return status_invalid;
  const int units = entry_units(unit_system);
  const double p = input_pressure(units, pressure);
  return evaluate([&](steam95& state) { state.at_psat(p, quality); }, property_code, units, out);
}

int lookup_constant(int constant_code, int unit_system, double* out) {
  const fp_environment_reset reset;
  if (!valid_constant_code(constant_code) || out == nullptr) return status_invalid;
  *out = constant_value(constant_code, entry_units(unit_system));
  return status_ok;
}

int lookup_property_set(double first, double second, int pair_code, int unit_system,
                        std::span<const int> codes, std::span<double> values,
                        std::span<int> statuses) {
  const fp_environment_reset reset;
  if (!spans_match(codes, values, statuses)) return status_invalid;
  return evaluate_set(
      std::isfinite(first) && std::isfinite(second),
      [&](steam95& state) { state_from_pair(first, second, state, pair_code, unit_system); },
      unit_system, codes, values, statuses);
}

int lookup_tsat_set(double temperature, double quality, int unit_system, std::span<const int> codes,
                    std::span<double> values, std::span<int> statuses) {
  const fp_environment_reset reset;
  if (!spans_match(codes, values, statuses)) return status_invalid;
  const double T = input_temperature(unit_system, temperature);
  return evaluate_set(
      saturated_inputs_ok(temperature, quality), [&](steam95& state) { state.at_tsat(T, quality); },
      unit_system, codes, values, statuses);
}

int lookup_psat_set(double pressure, double quality, int unit_system, std::span<const int> codes,
                    std::span<double> values, std::span<int> statuses) {
  const fp_environment_reset reset;
  if (!spans_match(codes, values, statuses)) return status_invalid;
  const double p = input_pressure(unit_system, pressure);
  return evaluate_set(
      saturated_inputs_ok(pressure, quality), [&](steam95& state) { state.at_psat(p, quality); },
      unit_system, codes, values, statuses);
}

int lookup_constant_set(int unit_system, std::span<const int> codes, std::span<double> values,
                        std::span<int> statuses) {
  const fp_environment_reset reset;
  if (!spans_match(codes, values, statuses)) return status_invalid;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    statuses[i] = valid_constant_code(codes[i]) ? status_ok : status_invalid;
    if (statuses[i] == status_ok) values[i] = constant_value(codes[i], unit_system);
  }
  return status_ok;
}

}  // namespace Vantrel
