#pragma once
// Conversions between the library's units (K, MPa, kJ/kg, kJ/(kg·K), m³/kg) and the display
// units of a unit system, and the state of the library as the charts show it.
#include <optional>
#include <string>
#include <utility>

#include "charts/diagram.h"
#include "lookup/units.h"
#include "model/steam95.h"

namespace Vantrel::charts {

struct display_units {
  int system = metric_units;

  double T(double kelvin) const { return display_temperature(system, kelvin); }
  double p(double mpa) const { return mpa * unit_factor(fP, system); }
  double h(double kj_kg) const { return kj_kg * unit_factor(fE, system); }
  double s(double kj_kgk) const {
    return kj_kgk * unit_factor(fE, system) / unit_factor(fT, system);
  }
  double v(double m3_kg) const { return m3_kg * unit_factor(fV, system); }

  double T_in(double t) const { return input_temperature(system, t); }
  double p_in(double p) const { return input_pressure(system, p); }
  double h_in(double h) const { return input_energy(system, h); }
  double s_in(double s) const { return input_entropy(system, s); }
  double v_in(double v) const { return input_volume(system, v); }
};

// The lowest temperature (K) at which water is not ice at pressure p (MPa): the sublimation
// temperature up to the triple-point pressure, the melting temperature above it, 190 K below
// the lowest sublimation pressure. Nothing above the highest melting pressure or outside the
// library's pressure range.
std::optional<double> ice_temperature(double p);

// The state's values in display units, or nothing when the state is not water (ice, outside
// the library's range, the critical point itself) or its values are not finite.
std::optional<state_values> values_of(const steam95& state, const display_units& u);

// The point of a diagram where a state in library units lies.
point place_state(diagram_kind kind, const steam95& state, const display_units& u);

}  // namespace Vantrel::charts

namespace Vantrel::charts {

// The unit text of a held quantity ("T", "p", "h", "s", "v") as the pages show it; empty for
// the quality and the p-T curves.
std::string unit_of(const std::string& quantity, int unit_system);

// The axis titles of a diagram: "s, kJ/(kg.°C)", "T, °C", ...
std::pair<std::string, std::string> axis_titles(diagram_kind kind, int unit_system);

}  // namespace Vantrel::charts
