#pragma once
// The vocabulary between the property library and the pages: property codes, input-pair
// codes, the two display unit systems and the conversions between them and the library's
// internal units (K, MPa, m³/kg, kg/m³, kJ/kg, kJ/(kg·K), m/s, Pa·s, W/(m·K), N/m).
//
// A unit system is a plain int: 0 is Metric/SI (°C, bar), any other value English (°F, psia),
// except that the conversions here and the property-set lookups also take `internal_units`, the
// library's own units (column 0 of the factor table), for callers that compare with other
// IAPWS-95 programs. The four single-value entry points never select it.
// The pure conversions are constexpr here so that the pages can share them without the solvers.
#include <array>

#include "model/constant95.h"

namespace Vantrel {

class steam95;

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

// Property codes: what lookup_property, lookup_tsat and lookup_psat evaluate. The entry points
// accept 0 to 26; code_dhv is evaluated by property_value only.
enum property_code : int {
  code_t = 0,
  code_p = 1,
  code_v = 2,
  code_rho = 3,
  code_z = 4,
  code_a = 5,
  code_s = 6,
  code_u = 7,
  code_h = 8,
  code_g = 9,
  code_cv = 10,
  code_cp = 11,
  code_w = 12,
  code_alpha = 13,
  code_kappa = 14,
  code_dpdt = 15,
  code_dvdt = 16,
  code_dvdp = 17,
  code_mu = 18,
  code_kt = 19,
  code_st = 20,
  code_pr = 21,
  code_de = 22,
  code_cjtt = 23,
  code_cjth = 24,
  code_x = 25,
  code_isentropic_k = 26,
  code_dhv = 27,
};

inline constexpr int property_code_count = 28;
// Highest property code that an entry point lets through.
inline constexpr int last_lookup_code = code_isentropic_k;

// Input-pair codes of lookup_property: which two quantities the inputs are, in order.
enum input_pair : int {
  pair_tp = 0,
  pair_tv = 1,
  pair_th = 2,
  pair_ts = 3,
  pair_tu = 4,
  pair_pv = 5,
  pair_ph = 6,
  pair_ps = 7,
  pair_pu = 8,
  pair_hs = 9,
};

inline constexpr int input_pair_count = 10;

// The property codes of the two inputs of each pair, in order: what reads a state's inputs back.
inline constexpr std::array<std::array<int, 2>, input_pair_count> pair_input_codes{{
    {code_t, code_p},
    {code_t, code_v},
    {code_t, code_h},
    {code_t, code_s},
    {code_t, code_u},
    {code_p, code_v},
    {code_p, code_h},
    {code_p, code_s},
    {code_p, code_u},
    {code_h, code_s},
}};

// --- Results: internal units to display units.

// An absolute temperature in K as °C (Metric/SI) or °F (English); internal units keep K.
constexpr double display_temperature(int units, double T) {
  if (units == internal_units) return T;
  return units == metric_units ? T - 273.15 : T * 1.8 - 459.67;
}

// --- Inputs: display units to internal units.

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

// Compressibility factor at the critical point from the formulation constants.
constexpr double critical_z() {
  return constant95::pc * 1000.0 / (constant95::Tc * constant95::R * constant95::rhoc);
}

// Sets `state` (normally freshly made) from two inputs in display units, with the constructor
// that the input-pair code names. A pair code outside 0-9, or an input that is not a finite
// number before or after conversion, raises std::domain_error("kelvora"); everything the
// constructor raises passes through unchanged.
void state_from_pair(double a, double b, steam95& state, int pair_code, int units);

// The property `code` (0-27) of a built state, in the display units of `units`. Whatever the
// library operation raises passes through; a code outside 0-27 raises
// std::domain_error("kelvora").
double property_value(int code, const steam95& state, int units);

}  // namespace Vantrel
