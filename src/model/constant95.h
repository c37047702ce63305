#pragma once

namespace Vantrel {

// IAPWS-95 formulation constants as the library stores them (internal units: K, MPa,
// kg/m³, kJ/(kg·K), kg/kmol), and the range every state enforces.
struct constant95 {
  static constexpr double Tc = 647.096;
  static constexpr double rhoc = 322.0;
  static constexpr double pc = 22.064;
  static constexpr double R = 0.46151805;
  static constexpr double M = 18.015268;
  // The compressibility factor at the critical point, pc/(ρc·R·Tc) with R in kJ/(kg·K): also
  // the reduced density of the ideal gas at π = θ = 1.
  static constexpr double zc = pc * 1000.0 / (R * Tc * rhoc);
  // Formed as 273.15 + 0.01, which is one unit in the last place below 273.16;
  // the saturation limits compare against this value.
  static constexpr double Tt = 273.15 + 0.01;
  static constexpr double pt = 0.000611657;

  static constexpr double T_min = 190.0;
  static constexpr double T_max = 5000.0;
  static constexpr double p_min = 0.0;
  static constexpr double p_max = 10000.0;
};

}  // namespace Vantrel
