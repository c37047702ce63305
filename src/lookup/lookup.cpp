#include "lookup/lookup.h"

#include <cfenv>
#include <cmath>
#include <exception>
#include <stdexcept>

#include "lookup/units.h"
#include "model/errors.h"
#include "model/steam95.h"
#include "solve/caches.h"

namespace Vantrel {

namespace {

// Restores the default floating-point environment: round to nearest, every exception masked,
// no pending flags, no flush-to-zero. Loading a whole environment costs about 65 ns, a tenth of
// a warm lookup, so on x86-64 the control and status words are read first (a few cycles) and
// only what differs is reset: the common exit, where the computation has only raised flags in
// the SSE status, needs just one MXCSR load.
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

// Builds a fresh state with `build`, evaluates one property on it and writes it to *out.
// Library errors become statuses in the order domain, not applicable, convergence, any other
// standard error. A value that is not a finite number is a failed computation, never a result.
template <class Build>
int evaluate(Build build, int property_code, int units, double* out) {
  try {
    steam95 state;
    build(state);
    const double value = property_value(property_code, state, units);
    // The next request for these inputs reads what this one evaluated.
    keep_evaluated(state);
    if (!std::isfinite(value)) return status_failed;
    *out = value;
    return status_ok;
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

// The shared argument checks of the saturated lookups. A quality or saturation input that is
// not a finite number is out of range; it is refused here so that no solver ever sees it.
bool saturated_arguments_ok(double input, double quality, int property_code, const double* out) {
  if (!(quality >= 0.0 && quality <= 1.0)) return false;
  if (!valid_property_code(property_code)) return false;
  if (out == nullptr) return false;
  return std::isfinite(input);
}

}  // namespace

int lookup_property(double first, double second, int pair_code, int property_code, int unit_system,
                    double* out) {
  const fp_environment_reset reset;
  if (!valid_property_code(property_code) || out == nullptr) return status_invalid;
  if (!std::isfinite(first) || !std::isfinite(second)) return status_invalid;
  return evaluate(
      [&](steam95& state) { state_from_pair(first, second, state, pair_code, unit_system); },
      property_code, unit_system, out);
}

int lookup_tsat(double temperature, double quality, int property_code, int unit_system,
                double* out) {
  const fp_environment_reset reset;
  if (!saturated_arguments_ok(temperature, quality, property_code, out)) return status_invalid;
  const double T = input_temperature(unit_system, temperature);
  return evaluate([&](steam95& state) { state.at_tsat(T, quality); }, property_code, unit_system,
                  out);
}

int lookup_psat(double pressure, double quality, int property_code, int unit_system, double* out) {
  const fp_environment_reset reset;
  if (!saturated_arguments_ok(pressure, quality, property_code, out)) return status_invalid;
  const double p = input_pressure(unit_system, pressure);
  return evaluate([&](steam95& state) { state.at_psat(p, quality); }, property_code, unit_system,
                  out);
}

int lookup_constant(int constant_code, int unit_system, double* out) {
  const fp_environment_reset reset;
  if (constant_code < 0 || constant_code > 15 || out == nullptr) return status_invalid;
  const auto f = [unit_system](unit_row row) { return unit_factor(row, unit_system); };
  const auto temperature = [unit_system](double T) { return display_temperature(unit_system, T); };
  // Enthalpy of the saturated liquid at the triple point in kJ/kg: the IAPWS-95 reference state
  // gives 0.611872 J/kg there.
  constexpr double triple_liquid_h = 0.000611872;
  double value = 0.0;
  switch (constant_code) {
    case 0:
      value = constant95::M;
      break;
    case 1:
      value = temperature(constant95::Tc);
      break;
    case 2:
      value = constant95::pc * f(fP);
      break;
    case 3:
      value = f(fV) / constant95::rhoc;
      break;
    case 4:
      value = constant95::rhoc / f(fV);
      break;
    case 5:
      value = critical_z();
      break;
    case 6:
    case 12:
      value = temperature(constant95::Tt);
      break;
    case 7:
    case 13:
      value = constant95::pt * f(fP);
      break;
    case 8:
      value = temperature(constant95::T_min);
      break;
    case 9:
      value = temperature(constant95::T_max);
      break;
    case 10:
      value = constant95::p_min * f(fP);
      break;
    case 11:
      value = constant95::p_max * f(fP);
      break;
    case 14:
      value = f(fE) * triple_liquid_h;
      break;
    default:
      value = 0.0;
      break;  // 15: zero
  }
  *out = value;
  return status_ok;
}

}  // namespace Vantrel
