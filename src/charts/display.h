#pragma once
// Conversions between the library's internal units (K, MPa, kJ/kg, kJ/(kg·K), m³/kg) and the
// display units of a unit system, and the states of the face as the lines use them.
#include <optional>
#include <string>
#include <utility>

#include "charts/diagram.h"
#include "lookup/catalogue.h"
#include "lookup/method.h"
#include "lookup/state.h"
#include "lookup/units.h"

namespace Vantrel::charts {

// The one conversion of the face, by the catalogue's dimension of each quantity.
struct display_units {
  int system = metric_units;

  static double out(int code, double value, int system) {
    return to_display(property_with_code(code)->dimension, value, system);
  }
  static double in(int code, double value, int system) {
    return to_internal(property_with_code(code)->dimension, value, system);
  }

  double T(double kelvin) const { return out(code_t, kelvin, system); }
  double p(double mpa) const { return out(code_p, mpa, system); }
  double h(double kj_kg) const { return out(code_h, kj_kg, system); }
  double s(double kj_kgk) const { return out(code_s, kj_kgk, system); }
  double v(double m3_kg) const { return out(code_v, m3_kg, system); }

  double T_in(double t) const { return in(code_t, t, system); }
  double p_in(double p) const { return in(code_p, p, system); }
  double h_in(double h) const { return in(code_h, h, system); }
  double s_in(double s) const { return in(code_s, s, system); }
  double v_in(double v) const { return in(code_v, v, system); }
};

// A state of the face in internal units, with what the lines ask of it (NaN where not asked).
struct water {
  double T, p, v, rho, h, s;
  bool critical = false;

  double of(int code) const {
    switch (code) {
      case code_t:
        return T;
      case code_p:
        return p;
      case code_v:
        return v;
      case code_rho:
        return rho;
      case code_h:
        return h;
      default:
        return s;
    }
  }
};

inline constexpr property_set water_properties{code_t, code_p, code_v, code_rho, code_h, code_s};

// The state of `pair` with inputs a and b in internal units, or nothing where the face builds
// none or any of the `wanted` values (some of water_properties) is missing.
std::optional<water> water_state(int pair, double a, double b, const method& m,
                                 property_set wanted = water_properties);

// The point of a diagram where a state in internal units lies.
point place_state(diagram_kind kind, const water& state, const display_units& u);

// The unit text of a held quantity ("T", "p", "h", "s", "v") in the catalogue; empty for the
// quality and the p-T curves.
std::string unit_of(const std::string& quantity, int unit_system);

// The axis titles of a diagram: "s, kJ/(kg.°C)", "T, °C", ...
std::pair<std::string, std::string> axis_titles(diagram_kind kind, int unit_system);

}  // namespace Vantrel::charts
