#pragma once
// Inside the face: building an IAPWS-95 state from two inputs in display units, and reading one
// property of it in display units. Only the face's own sources include this (it needs the
// library's steam95, which no surface sees).
#include "lookup/method.h"
#include "lookup/units.h"
#include "model/steam95.h"

namespace Vantrel {

// Sets `state` (normally freshly made) from two inputs in display units, with the constructor
// that the input-pair code names (0 to input_pair_count - 1; T-x and p-x are the saturated
// constructors). A pair code out of range, or an input that is not a finite number before or
// after conversion, raises std::domain_error("kelvora"); everything the constructor raises passes
// through unchanged.
void state_from_pair(double a, double b, steam95& state, int pair_code, int units);

// The property `code` (0-27) of a built state, in the display units of `units`, with viscosity,
// thermal conductivity and Prandtl number from the `transport` equations. Whatever the library
// operation raises passes through (the 2011 equations raise std::domain_error outside their
// range of validity); a code outside 0-27 raises std::domain_error("kelvora").
double property_value(int code, const steam95& state, int units,
                      transport_set transport = transport_set::iaps1985);

// Whether the property `code` has a value for this state: the derivative and transport
// properties have none for a mixture or at the critical point, the surface tension and the
// dielectric constant none for a mixture. property_value raises not_applicable exactly where this
// is false; asking first spares a mixture's page fifteen raised exceptions.
bool applies(int code, const steam95& state);

}  // namespace Vantrel
