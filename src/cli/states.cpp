#include "cli/states.h"

#include <cmath>

#include "lookup/catalogue.h"
#include "pages/value_text.h"

namespace Vantrel::cli {

namespace {

// The word of a failed lookup, as the window shows it ("N/A" or "Error").
cell failure(int status) {
  return cell::word_of(value_text(status, 0.0));
}

int status_failed_if_ok(int status) {
  return status == status_ok ? status_failed : status;
}

}  // namespace

state_result evaluate(const lookup_context& c, const state_query& q, property_set wanted) {
  return state(q.pair, q.first, q.second, c.m, c.unit_system, wanted);
}

std::string build_failure(int status) {
  return status == status_invalid ? "an input is invalid or out of range"
                                  : "the computation failed";
}

cell property_cell(const state_result& r, int code) {
  const int status =
      code >= 0 && code <= last_lookup_code ? r.status_of[static_cast<std::size_t>(code)] : 1;
  const double value = r[code];
  // A success without a finite number shows "Error", as the window's value text does.
  if (status != status_ok || !std::isfinite(value)) return failure(status_failed_if_ok(status));
  if (code == code_x) {
    if (const auto word = quality_marker_text(value)) return cell::word_of(std::string(*word));
    return cell::number(value * 100.0);
  }
  return cell::number(value);
}

std::vector<property_row> state_rows_of(const lookup_context& c, const state_result& r) {
  std::vector<property_row> rows;
  rows.reserve(property_table.size());
  for (const auto& p : property_table) {
    rows.push_back({std::string(p.short_name), std::string(p.name), property_cell(r, p.code),
                    std::string(p.unit_text(c.unit_system))});
  }
  return rows;
}

std::vector<property_row> constant_rows_of(const lookup_context& c) {
  std::vector<property_row> rows;
  rows.reserve(constant_table.size());
  for (const auto& row : constant_table) {
    const double value = constant(row.code, c.m, c.unit_system);
    rows.push_back({std::string(row.short_name), std::string(row.name),
                    std::isfinite(value) ? cell::number(value) : failure(status_invalid),
                    std::string(row.unit_text(c.unit_system))});
  }
  return rows;
}

column property_column(int code, int unit_system) {
  const property_info& p = *property_with_code(code);
  return {std::string(p.short_name), std::string(p.unit_text(unit_system))};
}

}  // namespace Vantrel::cli
