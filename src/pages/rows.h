#pragma once
// The row tables of the result lists, in display order. Each row holds a lookup code (a
// property code, or a constant code for the constant table) and the catalogue keys of its name
// and of its unit in either unit system. The state rows are the property catalogue's rows.

#include <array>
#include <span>
#include <string_view>

#include "lookup/property_table.h"
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

// The rows of the Saturated and Superheated/Subcooled pages: one per catalogued property.
inline constexpr int state_row_count = static_cast<int>(property_count);
inline constexpr std::array<row_entry, property_count> state_rows = [] {
  std::array<row_entry, property_count> rows{};
  for (std::size_t i = 0; i < property_count; ++i) {
    const property_info& p = property_table[i];
    rows[i] = {p.code, p.name_key, p.unit};
  }
  return rows;
}();

// The unit keys of a property, for the constants that are values of it.
constexpr unit_keys unit_of(int property_code) {
  return property_table[row_of_code(property_code)].unit;
}

// The 8 rows of the Constants page.
inline constexpr int constant_row_count = 8;
inline constexpr std::array<row_entry, constant_row_count> constant_rows{{
    {0, 1000, {10052, 10053}},     // molecular weight
    {1, 1001, unit_of(code_t)},    // critical temperature
    {2, 1002, unit_of(code_p)},    // critical pressure
    {3, 1003, unit_of(code_v)},    // critical volume
    {4, 1004, unit_of(code_rho)},  // critical density
    {5, 1005, unit_of(code_z)},    // critical compressibility factor
    {6, 1006, unit_of(code_t)},    // triple point temperature
    {7, 1007, unit_of(code_p)},    // triple point pressure
}};

}  // namespace Vantrel
