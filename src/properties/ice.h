#pragma once
// Pressure along the sublimation curve of ice Ih and the melting curves of ices Ih, III, V,
// VI and VII, and the inverse temperatures (IAPWS Release on the Pressure along the Melting
// and the Sublimation Curves of Ordinary Water Substance, 1993). The library uses them to find
// the lowest temperature a state may be searched at for a given pressure.
// Units: K and MPa.

namespace Vantrel::ice {

// A point of a melting curve: the ice phase whose curve was used (0 ice Ih, 1 ice III,
// 2 ice V, 3 ice VI, 4 ice VII) and the melting pressure (MPa) or temperature (K).
struct ice_point {
  int phase;
  double quantity;
};

// Ice Ih/III/liquid triple point, stored one unit in the last place below the double
// nearest 251.165 K; the ice III curve is reduced by this stored value.
inline constexpr double T_III = 251.16499999999996;
inline constexpr double T_V = 256.164;  // ice III/V/liquid
inline constexpr double T_VI = 273.31;  // ice V/VI/liquid
inline constexpr double T_VII = 355.0;  // ice VI/VII/liquid
inline constexpr double T_subl_min = 190.0;
inline constexpr double T_melt_max = 715.0;
inline constexpr double p_III = 209.9;
inline constexpr double p_V = 350.1;
inline constexpr double p_VI = 632.4;
inline constexpr double p_VII = 2216.0;
inline constexpr double p_melt_max = 20618.0;

// Sublimation pressure at 190 K, the lowest pressure on the sublimation curve; computed
// once, on first use.
double p_min();

// Sublimation pressure of ice Ih, 190 K ≤ T ≤ Tt; std::domain_error("ice::subl_pressure").
double subl_pressure(double T);
// Inverse of subl_pressure for p_min ≤ p ≤ pt; std::domain_error("ice::subl_temperature").
double subl_temperature(double p);
// Ice Ih melting pressure (phase 0), T_III ≤ T ≤ 715 K;
// std::domain_error("ice::low_melt_pressure").
ice_point low_melt_pressure(double T);
// Melting pressure of ices III to VII (phase 1 to 4), T_III ≤ T ≤ 715 K; a temperature on a
// boundary belongs to the lower phase. std::domain_error("ice::high_melt_pressure").
ice_point high_melt_pressure(double T);
// Melting temperature for pt ≤ p ≤ 20618 MPa: ice Ih up to 209.9 MPa, ices III to VII above.
// std::domain_error("ice::melt_temperature"); solver failures pass through.
ice_point melt_temperature(double p);

// The reduced temperature window 1/τ in which a state at reduced pressure π = p/pc may be
// searched: upper is 5000 K, lower the sublimation or melting temperature at p less margin
// (K). upper is written before anything can fail.
void temperature_bounds(double pi, double& lower, double& upper, double margin);

}  // namespace Vantrel::ice
