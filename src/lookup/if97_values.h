#pragma once
// Inside the face: IAPWS-IF97 states from two inputs, and their properties, in internal units.
// Only the face's own sources include this.
#include "if97/if97.h"
#include "lookup/method.h"

namespace Vantrel {

// The IF97 state of input pair `pair_code` (0 to input_pair_count - 1) with inputs in internal
// units (the vapour fraction of T-x and p-x from 0 to 1). Raises std::domain_error outside the
// range of IF97 or where no state of its regions has these inputs, std::runtime_error where an
// iteration does not settle.
if97::state if97_state_from_pair(int pair_code, double first, double second);

// The point of the saturation line that a T-x or p-x pair names, without its phases: T, p and
// x only, with the range checks of the full state. Raises std::domain_error as
// if97_state_from_pair does.
if97::state if97_saturation_point(int pair_code, double first, double x);

// Whether a state is the critical point, where the derivative properties do not exist.
bool if97_critical(const if97::state& s);

// Viscosity and thermal conductivity of a state, kept by its caller for the rows that share
// them (μ, λ and the Prandtl number).
struct if97_transport {
  bool known = false;
  double mu = 0.0, lambda = 0.0;
};

// The property `code` (0 to 26) of a built state in internal units, under the transport
// equations of `m`; `transport` holds the state's viscosity and conductivity once computed.
// Raises not_applicable where the property does not exist for the state, std::domain_error
// where the 2008/2011 transport equations do not reach it.
double if97_property(int code, const if97::state& s, const method& m, if97_transport& transport);

}  // namespace Vantrel
