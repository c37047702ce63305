#pragma once
// The unit systems of the face and the one conversion between the library's internal units
// (K, MPa, m³/kg, kg/m³, kJ/kg, kJ/(kg·K), m/s, Pa·s, W/(m·K), N/m) and the display units.
//
// A unit system is a plain int: 0 is Metric/SI (°C, bar), any other value English (°F, psia),
// except that the conversions here and the face's states also take `internal_units`, the
// library's own units (column 0 of the factor table), for callers that compare with other
// IAPWS programs. The four single-value entry points never select it.
// Every surface converts through to_display and to_internal, so a value reads the same to the
// last bit wherever it is shown.
#include "lookup/codes.h"

namespace Vantrel {

inline constexpr int metric_units = 0;
inline constexpr int english_units = 1;
inline constexpr int internal_units = -1;

// Rows of the unit factor table. A value in internal units times a row's factor is a value in
// display units; compound units multiply the factors of their numerator and divide by those of
// their denominator.
enum unit_row : int {
  fT = 0,   // temperature difference: K to °C, K to °F
  fP = 1,   // pressure: MPa to bar, MPa to psia
  fV = 2,   // specific volume: m³/kg to m³/kg, to ft³/lb
  fE = 3,   // specific energy: kJ/kg to kJ/kg, to Btu/lb
  fW = 4,   // speed: m/s to m/s, to ft/s
  fMU = 5,  // dynamic viscosity: Pa·s to µPa·s, to lb/(ft·h)
  fK = 6,   // thermal conductivity: W/(m·K) to W/(m·°C), to Btu/(h·ft·°F)
};

// Column 0 is the internal units; column 1 Metric/SI; column 2 English. These exact doubles are
// what the displayed values are formed with, so they are written out in full.
inline constexpr double unit_factors[7][3] = {
    {1.0, 1.0, 1.8},
    {1.0, 10.0, 145.038},
    {1.0, 1.0, 16.01846443340014},
    {1.0, 1.0, 0.42992261392949266},
    {1.0, 1.0, 3.280839895013123},
    {1.0, 1000000.0, 2419.088153749502},
    {1.0, 1.0, 0.5777892051642799},
};

// The factor column that a unit system selects.
constexpr int factor_column(int units) {
  return units == metric_units ? 1 : units == internal_units ? 0 : 2;
}

constexpr double unit_factor(unit_row row, int units) {
  return unit_factors[row][factor_column(units)];
}

// What a quantity is measured in, as far as converting it goes. Each names the way its value is
// formed from the factor table; the parenthesised quotients are formed first, then applied.
enum class unit_dimension : unsigned char {
  none,                      // z, quality, Prandtl number, dielectric constant, surface tension
  temperature,               // absolute: K to °C or °F
  pressure,                  // × fP
  volume,                    // × fV
  density,                   // ÷ fV
  energy,                    // × fE
  entropy,                   // × (fE/fT): also the heat capacities
  speed,                     // × fW
  per_temperature,           // ÷ fT
  per_pressure,              // ÷ fP
  pressure_per_temperature,  // × (fP/fT)
  volume_per_temperature,    // × (fV/fT)
  volume_per_pressure,       // × (fV/fP)
  viscosity,                 // × fMU
  conductivity,              // × fK
  energy_per_pressure,       // × (fE/fP)
  temperature_per_pressure,  // × (fT/fP)
};

// An absolute temperature in K as °C (Metric/SI) or °F (English); internal units keep K.
constexpr double display_temperature(int units, double T) {
  if (units == internal_units) return T;
  return units == metric_units ? T - 273.15 : T * 1.8 - 459.67;
}

// °C or °F to K (K stays K). The English rule subtracts 32 first and uses the double nearest 5/9,
// so that the displayed temperatures of the constants page read back exactly.
constexpr double input_temperature(int units, double t) {
  if (units == internal_units) return t;
  return units == metric_units ? t + 273.15 : (t - 32.0) * 0.5555555555555556 + 273.15;
}
// bar or psia to MPa.
constexpr double input_pressure(int units, double p) {
  return p / unit_factor(fP, units);
}
// m³/kg or ft³/lb to m³/kg.
constexpr double input_volume(int units, double v) {
  return v / unit_factor(fV, units);
}
// kJ/kg or Btu/lb (enthalpy, internal energy) to kJ/kg.
constexpr double input_energy(int units, double e) {
  return e / unit_factor(fE, units);
}
// kJ/(kg·K) or Btu/(lb·°F) to kJ/(kg·K).
constexpr double input_entropy(int units, double s) {
  return (unit_factor(fT, units) / unit_factor(fE, units)) * s;
}

// A value in internal units in the display units of `units`.
constexpr double to_display(unit_dimension d, double value, int units) {
  const auto f = [units](unit_row row) { return unit_factor(row, units); };
  switch (d) {
    case unit_dimension::none:
      return value;
    case unit_dimension::temperature:
      return display_temperature(units, value);
    case unit_dimension::pressure:
      return value * f(fP);
    case unit_dimension::volume:
      return value * f(fV);
    case unit_dimension::density:
      return value / f(fV);
    case unit_dimension::energy:
      return value * f(fE);
    case unit_dimension::entropy:
      return value * (f(fE) / f(fT));
    case unit_dimension::speed:
      return value * f(fW);
    case unit_dimension::per_temperature:
      return value / f(fT);
    case unit_dimension::per_pressure:
      return value / f(fP);
    case unit_dimension::pressure_per_temperature:
      return value * (f(fP) / f(fT));
    case unit_dimension::volume_per_temperature:
      return value * (f(fV) / f(fT));
    case unit_dimension::volume_per_pressure:
      return value * (f(fV) / f(fP));
    case unit_dimension::viscosity:
      return value * f(fMU);
    case unit_dimension::conductivity:
      return value * f(fK);
    case unit_dimension::energy_per_pressure:
      return value * (f(fE) / f(fP));
    case unit_dimension::temperature_per_pressure:
      return value * (f(fT) / f(fP));
  }
  return value;
}

// A value in the display units of `units` in internal units. The inputs of the pairs (T, p, v,
// h, u, s) use the rules above, which the entry points have always used; the other dimensions
// undo to_display.
constexpr double to_internal(unit_dimension d, double value, int units) {
  const auto f = [units](unit_row row) { return unit_factor(row, units); };
  switch (d) {
    case unit_dimension::none:
      return value;
    case unit_dimension::temperature:
      return input_temperature(units, value);
    case unit_dimension::pressure:
      return input_pressure(units, value);
    case unit_dimension::volume:
      return input_volume(units, value);
    case unit_dimension::density:
      return value * f(fV);
    case unit_dimension::energy:
      return input_energy(units, value);
    case unit_dimension::entropy:
      return input_entropy(units, value);
    case unit_dimension::speed:
      return value / f(fW);
    case unit_dimension::per_temperature:
      return value * f(fT);
    case unit_dimension::per_pressure:
      return value * f(fP);
    case unit_dimension::pressure_per_temperature:
      return value / (f(fP) / f(fT));
    case unit_dimension::volume_per_temperature:
      return value / (f(fV) / f(fT));
    case unit_dimension::volume_per_pressure:
      return value / (f(fV) / f(fP));
    case unit_dimension::viscosity:
      return value / f(fMU);
    case unit_dimension::conductivity:
      return value / f(fK);
    case unit_dimension::energy_per_pressure:
      return value / (f(fE) / f(fP));
    case unit_dimension::temperature_per_pressure:
      return value / (f(fT) / f(fP));
  }
  return value;
}

}  // namespace Vantrel
