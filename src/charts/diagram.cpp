#include "charts/diagram.h"

#include <cmath>

#include "charts/display.h"
#include "charts/labels.h"
#include "charts/lines.h"
#include "model/constant95.h"
#include "properties/ice.h"

namespace Vantrel::charts {

namespace {

// The default views in display units, SI and English. The upper entropy and enthalpy bounds
// take in steam at 800 °C and the triple-point pressure (on h-s at 0.01 bar, the lowest
// pressure at which a state is found from its enthalpy and entropy); the p-T view reaches from
// 190 K and 1e-5 bar past the end of the ice VII melting curve (715 K, 20618 MPa).
struct default_range {
  view si, english;
};
const default_range& defaults(diagram_kind kind) {
  static const display_units si{metric_units}, en{english_units};
  static const default_range ts{{0.0, 13.0, si.T(constant95::Tt), 800.0},
                                {0.0, 3.1, en.T(constant95::Tt), 1472.0}};
  static const default_range hs{{0.0, 12.0, 0.0, 4200.0}, {0.0, 2.9, 0.0, 1850.0}};
  static const default_range ph{{0.0, 4200.0, 0.005, 1000.0}, {0.0, 1850.0, 0.07, 15000.0}};
  static const default_range pt{{si.T(constant95::T_min), 450.0, 1e-5, 3e5},
                                {en.T(constant95::T_min), 850.0, 1e-4, 5e6}};
  switch (kind) {
    case diagram_kind::ts:
      return ts;
    case diagram_kind::hs:
      return hs;
    case diagram_kind::ph:
      return ph;
    case diagram_kind::pt:
      break;
  }
  return pt;
}

// The inputs must come back from the state to this relative precision (with a floor for values
// near zero), so that a constructor that settled on another root gives no state. Close to the
// critical point the pressure-first constructors settle only to about 1e-5.
bool matches(double got, double wanted, double floor) {
  return std::abs(got - wanted) <= 1e-4 * std::max(std::abs(wanted), floor);
}

// Builds the state of a diagram's pair in library units; false where the constructor fails or
// the state does not reproduce its inputs.
bool build_state(diagram_kind kind, const display_units& u, point at, steam95& state) {
  if (!std::isfinite(at.x) || !std::isfinite(at.y)) return false;
  try {
    switch (kind) {
      case diagram_kind::ts: {
        const double T = u.T_in(at.y), s = u.s_in(at.x);
        state.at_ts(T, s);
        return matches(state.s(), s, 0.1);
      }
      case diagram_kind::hs: {
        const double h = u.h_in(at.y), s = u.s_in(at.x);
        state.at_hs(h, s);
        return matches(state.h(), h, 100.0) && matches(state.s(), s, 0.1);
      }
      case diagram_kind::ph: {
        const double p = u.p_in(at.y), h = u.h_in(at.x);
        state.at_ph(p, h);
        return matches(state.h(), h, 100.0);
      }
      case diagram_kind::pt: {
        const double T = u.T_in(at.x), p = u.p_in(at.y);
        // A point in the ice is no state; the constructor would find metastable liquid.
        const auto T_ice = ice_temperature(p);
        if (!T_ice || T < *T_ice) return false;
        state.at_tp(T, p);
        return true;
      }
    }
  } catch (...) {
  }
  return false;
}

}  // namespace

view default_view(diagram_kind kind, int unit_system) {
  const auto& d = defaults(kind);
  return unit_system == metric_units ? d.si : d.english;
}

std::optional<state_values> state_at(diagram_kind kind, int unit_system, point at) {
  const display_units u{unit_system};
  steam95 state;
  if (!build_state(kind, u, at, state)) return std::nullopt;
  return values_of(state, u);
}

std::optional<page_inputs> page_inputs_at(diagram_kind kind, int unit_system, point at) {
  if (!std::isfinite(at.x) || !std::isfinite(at.y)) return std::nullopt;
  (void)unit_system;  // the page reads its inputs in the same display units as the chart
  switch (kind) {
    case diagram_kind::ts:
      return page_inputs{pair_ts, at.y, at.x};
    case diagram_kind::hs:
      return page_inputs{pair_hs, at.y, at.x};
    case diagram_kind::ph:
      if (!(at.y > 0.0)) return std::nullopt;
      return page_inputs{pair_ph, at.y, at.x};
    case diagram_kind::pt:
      break;
  }
  if (!(at.y > 0.0)) return std::nullopt;
  return page_inputs{pair_tp, at.x, at.y};
}

point place(diagram_kind kind, const state_values& state) {
  switch (kind) {
    case diagram_kind::ts:
      return {state.s, state.T};
    case diagram_kind::hs:
      return {state.s, state.h};
    case diagram_kind::ph:
      return {state.h, state.p};
    case diagram_kind::pt:
      break;
  }
  return {state.T, state.p};
}

chart build_chart(diagram_kind kind, int unit_system, const view& range, double width,
                  double height) {
  const display_units u{unit_system};
  chart c;
  c.kind = kind;
  c.unit_system = unit_system;
  c.range = range;
  c.log_y = kind == diagram_kind::ph || kind == diagram_kind::pt;
  const auto titles = axis_titles(kind, unit_system);
  c.x_title = titles.first;
  c.y_title = titles.second;
  c.lines = diagram_lines(kind, u, range);
  c.markers = diagram_markers(kind, u);
  c.labels = place_labels(c, width, height);
  return c;
}

}  // namespace Vantrel::charts
