#include "charts/diagram.h"

#include <algorithm>
#include <cmath>

#include "charts/display.h"
#include "charts/labels.h"
#include "charts/lines.h"
#include "lookup/pairs.h"
#include "lookup/state.h"

namespace Vantrel::charts {

namespace {

// The default views in display units, SI and English. The upper entropy and enthalpy bounds
// take in steam at 800 °C and the triple-point pressure; the p-T view reaches from
// the lowest temperature of the formulation and 1e-5 bar past the end of the ice VII melting
// curve (715 K, 20618 MPa).
view default_range(diagram_kind kind, int unit_system, const formulation_range& r) {
  const bool si = unit_system == metric_units;
  const display_units u{unit_system};
  switch (kind) {
    case diagram_kind::ts:
      return si ? view{0.0, 13.0, u.T(r.Tt), 800.0} : view{0.0, 3.1, u.T(r.Tt), 1472.0};
    case diagram_kind::hs:
      return si ? view{0.0, 12.0, 0.0, 4200.0} : view{0.0, 2.9, 0.0, 1850.0};
    case diagram_kind::ph:
      return si ? view{0.0, 4200.0, 0.005, 1000.0} : view{0.0, 1850.0, 0.07, 15000.0};
    case diagram_kind::pt:
      break;
  }
  return si ? view{u.T(r.T_min), 450.0, 1e-5, 3e5} : view{u.T(r.T_min), 850.0, 1e-4, 5e6};
}

// The inputs must come back from the state to this relative precision (with a floor for values
// near zero), so that a solver that settled on another root gives no state. Close to the
// critical point the pressure-first solvers settle only to about 1e-5.
bool matches(double got, double wanted, double floor) {
  return std::abs(got - wanted) <= 1e-4 * std::max(std::abs(wanted), floor);
}

// How close to the critical point a state counts as near-critical: a kelvin, and the change of
// the saturation pressure over a kelvin there.
constexpr double near_critical_T = 1.0;  // K
constexpr double near_critical_p = 0.3;  // MPa

// The properties that the hover shows, and the two that check it: a state gives back its inputs
// exactly, so whether the solver found the state of those inputs is read from the identities
// s = (u - a)/T and h = u + p·v of its other properties.
constexpr property_set hover_properties{code_t, code_p, code_h, code_s,
                                        code_v, code_x, code_u, code_a};

// The state of a diagram's pair at a point in display units, checked as above; nothing where
// the state does not reproduce the point, is not water or lies outside the range.
std::optional<state_values> checked_state(diagram_kind kind, int unit_system, point at,
                                          const method& m) {
  if (!std::isfinite(at.x) || !std::isfinite(at.y)) return std::nullopt;
  const diagram_info& d = diagram_of(kind);
  const bool y_first = pair_with_code(d.pair)->first == d.y;
  const state_result r = y_first ? state(d.pair, at.y, at.x, m, unit_system, hover_properties)
                                 : state(d.pair, at.x, at.y, m, unit_system, hover_properties);
  if (r.status != status_ok || r.critical) return std::nullopt;
  for (const int code : {code_t, code_p, code_h, code_s, code_v, code_u, code_a})
    if (!r.has(code)) return std::nullopt;

  // Internal units for the checks.
  const auto in = [&](int code) { return display_units::in(code, r[code], unit_system); };
  const double T = in(code_t), p = in(code_p), u = in(code_u), a = in(code_a);
  const double s_found = (u - a) / T, h_found = u + 1000.0 * p * in(code_v);
  switch (kind) {
    case diagram_kind::ts:
      if (!matches(s_found, in(code_s), 0.1)) return std::nullopt;
      break;
    case diagram_kind::hs:
      if (!matches(h_found, in(code_h), 100.0) || !matches(s_found, in(code_s), 0.1))
        return std::nullopt;
      break;
    case diagram_kind::ph:
      if (!matches(h_found, in(code_h), 100.0)) return std::nullopt;
      break;
    case diagram_kind::pt:
      break;
  }
  // A point in the ice is no state (the solver finds metastable liquid there); a state on an ice
  // boundary itself counts as water, since the lines start there.
  const auto T_ice = lowest_water_temperature(p, m);
  const formulation_range range = range_of(m);
  if (!T_ice || T < *T_ice - 1e-6 || T < range.T_min || T > range.T_max) return std::nullopt;

  state_values v{r[code_t], r[code_p], r[code_h], r[code_s], r[code_v], {}, false};
  for (const double value : {v.T, v.p, v.h, v.s, v.v})
    if (!std::isfinite(value)) return std::nullopt;
  if (r.phase == state_phase::two_phase) v.x = r[code_x];
  v.near_critical =
      std::abs(T - range.Tc) <= near_critical_T && std::abs(p - range.pc) <= near_critical_p;
  return v;
}

}  // namespace

view default_view(diagram_kind kind, int unit_system, const method& m) {
  return default_range(kind, unit_system, range_of(m));
}

std::optional<state_values> state_at(diagram_kind kind, int unit_system, point at,
                                     const method& m) {
  return checked_state(kind, unit_system, at, m);
}

std::optional<page_inputs> page_inputs_at(diagram_kind kind, int unit_system, point at,
                                          const method& m) {
  if (!std::isfinite(at.x) || !std::isfinite(at.y)) return std::nullopt;
  const diagram_info& d = diagram_of(kind);
  // The page reads its inputs in the same display units as the chart. A point that is no
  // pressure of the formulation's range gives no inputs.
  const double p_max = display_units{unit_system}.p(range_of(m).p_max);
  if (d.y == code_p && !(at.y > 0.0 && at.y <= p_max)) return std::nullopt;
  const bool y_first = pair_with_code(d.pair)->first == d.y;
  return y_first ? page_inputs{d.pair, at.y, at.x} : page_inputs{d.pair, at.x, at.y};
}

point place(diagram_kind kind, const state_values& state) {
  const auto of = [&state](int code) {
    switch (code) {
      case code_t:
        return state.T;
      case code_p:
        return state.p;
      case code_h:
        return state.h;
      default:
        return state.s;
    }
  };
  const diagram_info& d = diagram_of(kind);
  return {of(d.x), of(d.y)};
}

chart build_chart(diagram_kind kind, int unit_system, const view& range, double width,
                  double height, const method& m) {
  const display_units u{unit_system};
  chart c;
  c.kind = kind;
  c.unit_system = unit_system;
  c.range = range;
  c.log_y = diagram_of(kind).log_y;
  const auto titles = axis_titles(kind, unit_system);
  c.x_title = titles.first;
  c.y_title = titles.second;
  c.lines = diagram_lines(kind, u, range, m);
  c.markers = diagram_markers(kind, u, m);
  c.labels = place_labels(c, width, height);
  return c;
}

}  // namespace Vantrel::charts
