#include "charts/display.h"

#include <cmath>

#include "model/constant95.h"
#include "pages/rows.h"
#include "properties/ice.h"

namespace Vantrel::charts {

namespace {

// A state on an ice boundary itself counts as water: the lines start there.
constexpr double ice_tolerance = 1e-6;  // K

}  // namespace

std::optional<double> ice_temperature(double p) {
  if (!(p > 0.0 && p <= constant95::p_max)) return std::nullopt;
  try {
    if (p < ice::p_min()) return constant95::T_min;
    if (p <= constant95::pt) return ice::subl_temperature(p);
    return ice::melt_temperature(p).quantity;
  } catch (...) {
    return std::nullopt;
  }
}

std::optional<state_values> values_of(const steam95& state, const display_units& u) {
  try {
    if (!state.valid() || state.is_critical()) return std::nullopt;
    const double T = state.t(), p = state.p();
    const auto T_ice = ice_temperature(p);
    if (!T_ice || T < *T_ice - ice_tolerance) return std::nullopt;
    if (T < constant95::T_min || T > constant95::T_max) return std::nullopt;
    state_values v{u.T(T), u.p(p), u.h(state.h()), u.s(state.s()), u.v(state.v()), {}};
    if (state.two_phase()) v.x = state.x();
    for (const double d : {v.T, v.p, v.h, v.s, v.v}) {
      if (!std::isfinite(d)) return std::nullopt;
    }
    return v;
  } catch (...) {
    return std::nullopt;
  }
}

point place_state(diagram_kind kind, const steam95& state, const display_units& u) {
  switch (kind) {
    case diagram_kind::ts:
      return {u.s(state.s()), u.T(state.t())};
    case diagram_kind::hs:
      return {u.s(state.s()), u.h(state.h())};
    case diagram_kind::ph:
      return {u.h(state.h()), u.p(state.p())};
    case diagram_kind::pt:
      break;
  }
  return {u.T(state.t()), u.p(state.p())};
}

}  // namespace Vantrel::charts

namespace Vantrel::charts {

std::string unit_of(const std::string& quantity, int unit_system) {
  static constexpr std::pair<const char*, int> codes[] = {
      {"T", code_t}, {"p", code_p}, {"h", code_h}, {"s", code_s}, {"v", code_v}};
  for (const auto& [name, code] : codes) {
    if (quantity != name) continue;
    for (const auto& row : state_rows) {
      if (row.code == code) return std::string(unit_text(row, unit_system));
    }
  }
  return {};
}

std::pair<std::string, std::string> axis_titles(diagram_kind kind, int unit_system) {
  const auto title = [unit_system](const std::string& q) {
    return q + ", " + unit_of(q, unit_system);
  };
  switch (kind) {
    case diagram_kind::ts:
      return {title("s"), title("T")};
    case diagram_kind::hs:
      return {title("s"), title("h")};
    case diagram_kind::ph:
      return {title("h"), title("p")};
    case diagram_kind::pt:
      break;
  }
  return {title("T"), title("p")};
}

}  // namespace Vantrel::charts
