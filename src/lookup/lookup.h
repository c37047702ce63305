#pragma once
// The four lookup entry points between the pages and the property library.
// Inputs are in display units (unit_system 0 Metric/SI, any other value English).
// Each returns a status and never throws:
//   0 success (the value is written to *out), 1 invalid argument or input out of range,
//   2 computation failed, 3 the property does not apply to this state.
// On any status other than 0 the output is left untouched.
// Every call starts and ends with the default floating-point environment. The calls may come
// from several threads at once.
// These are thin over the face of lookup/state.h under the default method (IAPWS-95, IAPS 1985
// transport) and give the same doubles as it does.
#include <span>

#include "lookup/codes.h"

namespace Vantrel {

// One property (code 0-26) of the state given by two inputs (input-pair code 0-9; the saturated
// pairs T-x and p-x are lookup_tsat and lookup_psat here).
int lookup_property(double first, double second, int pair_code, int property_code, int unit_system,
                    double* out);

// One property of a saturated state at a temperature (°C or °F) and quality (0-1).
int lookup_tsat(double temperature, double quality, int property_code, int unit_system,
                double* out);

// One property of a saturated state at a pressure (bar or psia) and quality (0-1).
int lookup_psat(double pressure, double quality, int property_code, int unit_system, double* out);

// One formulation constant (code 0-15).
int lookup_constant(int constant_code, int unit_system, double* out);

// --- Property sets: many properties of one state, which is built once. For callers that
// evaluate whole arrays of states. Here unit_system may also be internal_units (lookup/units.h):
// K, MPa, m³/kg, kJ/kg, kJ/(kg·K), ... as the library computes them.
//
// statuses[i] and values[i] are what the single-value entry point gives for codes[i] (values[i]
// is written only where statuses[i] is 0). The return value is the status of building the state:
// 0, or the status that every valid code then has (1 an input invalid or out of range, 2 the
// computation failed). Spans of different sizes return 1 and write nothing.

int lookup_property_set(double first, double second, int pair_code, int unit_system,
                        std::span<const int> codes, std::span<double> values,
                        std::span<int> statuses);
int lookup_tsat_set(double temperature, double quality, int unit_system, std::span<const int> codes,
                    std::span<double> values, std::span<int> statuses);
int lookup_psat_set(double pressure, double quality, int unit_system, std::span<const int> codes,
                    std::span<double> values, std::span<int> statuses);
// Constants (codes 0-15); returns 0.
int lookup_constant_set(int unit_system, std::span<const int> codes, std::span<double> values,
                        std::span<int> statuses);

}  // namespace Vantrel
