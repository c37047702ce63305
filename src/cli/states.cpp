#include "cli/states.h"

#include <cmath>

#include "cli/names.h"
#include "lookup/lookup.h"
#include "lookup/pairs.h"
#include "lookup/state.h"
#include "lookup/units.h"
#include "pages/rows.h"
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

int lookup(const lookup_context& c, const state_query& q, int code, double* out) {
  if (c.how != method{}) {
    const int pair = q.how == state_query::kind::pair                    ? q.pair
                     : q.how == state_query::kind::saturated_temperature ? int{pair_tx}
                                                                         : int{pair_px};
    int status = status_failed;
    state_values(pair, q.first, q.second, c.how, c.unit_system, std::span<const int>(&code, 1),
                 std::span<double>(out, 1), std::span<int>(&status, 1));
    return status;
  }
  switch (q.how) {
    case state_query::kind::pair:
      return c.lookups.property(q.first, q.second, q.pair, code, c.unit_system, out);
    case state_query::kind::saturated_temperature:
      return c.lookups.tsat(q.first, q.second, code, c.unit_system, out);
    case state_query::kind::saturated_pressure:
      return c.lookups.psat(q.first, q.second, code, c.unit_system, out);
  }
  return status_invalid;
}

int build_status(const lookup_context& c, const state_query& q) {
  double t = 0.0;
  return lookup(c, q, code_t, &t);
}

std::string build_failure(int status) {
  return status == status_invalid ? "an input is invalid or out of range"
                                  : "the computation failed";
}

cell property_cell(const lookup_context& c, const state_query& q, int code) {
  double value = 0.0;
  const int status = lookup(c, q, code, &value);
  // A success without a finite number shows "Error", as the window's value text does.
  if (status != status_ok || !std::isfinite(value)) return failure(status_failed_if_ok(status));
  if (code == steam_quality_code) {
    if (q.how == state_query::kind::pair) {
      if (const auto word = quality_marker_text(value)) return cell::word_of(std::string(*word));
    }
    value *= 100.0;
  }
  return cell::number(value);
}

std::vector<property_row> state_rows_of(const lookup_context& c, const state_query& q) {
  std::vector<property_row> rows;
  rows.reserve(property_table.size());
  for (const auto& p : property_table) {
    rows.push_back({std::string(p.short_name), std::string(name_text(p)),
                    property_cell(c, q, p.code), std::string(unit_text(p, c.unit_system))});
  }
  return rows;
}

std::vector<property_row> constant_rows_of(const lookup_context& c) {
  std::vector<property_row> rows;
  rows.reserve(constant_rows.size());
  for (const auto& row : constant_rows) {
    double value = 0.0;
    const int status = c.lookups.constant(row.code, c.unit_system, &value);
    rows.push_back({std::string(constant_name(row.code)), std::string(name_text(row)),
                    status == status_ok ? cell::number(value) : failure(status),
                    std::string(unit_text(row, c.unit_system))});
  }
  return rows;
}

column property_column(int code, int unit_system) {
  const property_info& p = *property_with_code(code);
  return {std::string(p.short_name), std::string(unit_text(p, unit_system))};
}

}  // namespace Vantrel::cli
