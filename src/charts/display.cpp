#include "charts/display.h"

#include "lookup/state.h"

namespace Vantrel::charts {

std::optional<water> water_state(int pair, double a, double b, const method& m,
                                 property_set wanted) {
  const state_result r = state(pair, a, b, m, internal_units, wanted);
  if (r.status != status_ok) return std::nullopt;
  for (const int code : {code_t, code_p, code_v, code_rho, code_h, code_s})
    if (wanted.contains(code) && !r.has(code)) return std::nullopt;
  return water{r[code_t], r[code_p], r[code_v], r[code_rho], r[code_h], r[code_s], r.critical};
}

point place_state(diagram_kind kind, const water& state, const display_units& u) {
  const diagram_info& d = diagram_of(kind);
  return {display_units::out(d.x, state.of(d.x), u.system),
          display_units::out(d.y, state.of(d.y), u.system)};
}

std::string unit_of(const std::string& quantity, int unit_system) {
  if (quantity == "x") return {};
  const property_info* row = property_named(quantity);
  return row != nullptr ? std::string(row->unit_text(unit_system)) : std::string();
}

std::pair<std::string, std::string> axis_titles(diagram_kind kind, int unit_system) {
  const auto title = [unit_system](int code) {
    const property_info* row = property_with_code(code);
    return std::string(row->short_name) + ", " + std::string(row->unit_text(unit_system));
  };
  const diagram_info& d = diagram_of(kind);
  return {title(d.x), title(d.y)};
}

std::string diagram_names() {
  std::string out;
  for (std::size_t i = 0; i < diagram_table.size(); ++i) {
    if (i > 0) out += i + 1 == diagram_table.size() ? " or " : ", ";
    out += diagram_table[i].name;
  }
  return out;
}

}  // namespace Vantrel::charts
