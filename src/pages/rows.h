#pragma once
// The row tables of the result lists, in display order. Each row holds a lookup code (a
// property code, or a constant code for the constant table) and the catalogue keys of its name
// and of its unit in either unit system. The state rows are the property catalogue's rows.

#include <array>
#include <span>
#include <string_view>

#include "lookup/catalogue.h"
#include "pages/catalogue.h"

namespace Vantrel {

struct row_entry {
  int code;
  int name_key;
  unit_keys unit;
};

// The catalogue texts of a row, or of a property catalogue entry: its name, and its unit text
// for `unit_system` (0 Metric/SI, any other value English).
template <class Row>
std::string_view name_text(const Row& row) {
  return catalogue_text(row.name_key);
}
template <class Row>
std::string_view unit_text(const Row& row, int unit_system) {
  return catalogue_text(row.unit.of(unit_system));
}

// The property code of the steam-quality row, which the pages show in their own way.
inline constexpr int steam_quality_code = code_x;

// The result-list rows of the face's catalogue rows, in the same order.
template <std::size_t N>
constexpr std::array<row_entry, N> rows_of(const std::array<property_info, N>& table) {
  std::array<row_entry, N> rows{};
  for (std::size_t i = 0; i < N; ++i) rows[i] = {table[i].code, table[i].name_key, table[i].unit};
  return rows;
}

// The rows of the Saturated and Superheated/Subcooled pages: one per catalogued property.
inline constexpr int state_row_count = static_cast<int>(property_count);
inline constexpr std::array<row_entry, property_count> state_rows = rows_of(property_table);

// The unit text of the state row of property `code` (empty for a code without a row).
inline std::string_view property_unit_text(int code, int unit_system) {
  for (const row_entry& row : state_rows)
    if (row.code == code) return unit_text(row, unit_system);
  return {};
}

// The 8 rows of the Constants page: the face's constants.
inline constexpr int constant_row_count = static_cast<int>(constant_count);
inline constexpr std::array<row_entry, constant_count> constant_rows = rows_of(constant_table);

}  // namespace Vantrel
