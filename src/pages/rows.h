#pragma once
// The row tables of the result lists, in display order. Each row holds a lookup code (a
// property code, or a constant code for the constant table) and the catalogue keys of its name
// and of its unit in either unit system.

#include <array>
#include <span>
#include <string_view>

#include "pages/catalogue.h"

namespace Vantrel {

struct row_entry {
  int code;
  int name_key;
  int metric_unit_key;
  int english_unit_key;
};

// The unit text of `row` for `unit_system` (0 Metric/SI, any other value English).
inline std::string_view unit_text(const row_entry& row, int unit_system) {
  return catalogue_text(unit_system == 0 ? row.metric_unit_key : row.english_unit_key);
}

inline std::string_view name_text(const row_entry& row) {
  return catalogue_text(row.name_key);
}

// The property code of the steam-quality row, which the pages show in their own way.
inline constexpr int steam_quality_code = 25;

// The 27 rows of the Saturated and Superheated/Subcooled pages.
inline constexpr int state_row_count = 27;
inline constexpr std::array<row_entry, state_row_count> state_rows{{
    {0, 2000, 10000, 10026},   // temperature
    {1, 2001, 10001, 10027},   // pressure
    {25, 2024, 10025, 10051},  // steam quality
    {2, 2002, 10002, 10028},   // volume
    {3, 2003, 10003, 10029},   // density
    {4, 2004, 10004, 10030},   // compressibility factor
    {8, 2008, 10008, 10034},   // enthalpy
    {6, 2006, 10006, 10032},   // entropy
    {5, 2005, 10005, 10031},   // Helmholtz free energy
    {7, 2007, 10007, 10033},   // internal energy
    {9, 2009, 10009, 10035},   // Gibbs free energy
    {10, 2010, 10010, 10036},  // isochoric heat capacity
    {11, 2011, 10011, 10037},  // isobaric heat capacity
    {12, 2012, 10012, 10038},  // speed of sound
    {13, 2013, 10013, 10039},  // cubic expansion coefficient
    {14, 2014, 10014, 10040},  // isothermal compressibility
    {26, 2026, 10054, 10055},  // isentropic expansion coefficient
    {15, 2015, 10015, 10041},  // dp/dT at constant volume
    {16, 2016, 10016, 10042},  // dv/dT at constant pressure
    {17, 2017, 10017, 10043},  // dv/dp at constant temperature
    {18, 2018, 10018, 10044},  // dynamic viscosity
    {19, 2025, 10019, 10045},  // thermal conductivity
    {20, 2019, 10020, 10046},  // surface tension
    {21, 2020, 10021, 10047},  // Prandtl number
    {22, 2021, 10022, 10048},  // static dielectric constant
    {23, 2022, 10023, 10049},  // isothermal Joule-Thomson coefficient
    {24, 2023, 10024, 10050},  // Joule-Thomson coefficient
}};

// The unit text of the state row of property `code` (empty for a code without a row).
inline std::string_view property_unit_text(int code, int unit_system) {
  for (const row_entry& row : state_rows)
    if (row.code == code) return unit_text(row, unit_system);
  return {};
}

// The 8 rows of the Constants page.
inline constexpr int constant_row_count = 8;
inline constexpr std::array<row_entry, constant_row_count> constant_rows{{
    {0, 1000, 10052, 10053},  // molecular weight
    {1, 1001, 10000, 10026},  // critical temperature
    {2, 1002, 10001, 10027},  // critical pressure
    {3, 1003, 10002, 10028},  // critical volume
    {4, 1004, 10003, 10029},  // critical density
    {5, 1005, 10004, 10030},  // critical compressibility factor
    {6, 1006, 10000, 10026},  // triple point temperature
    {7, 1007, 10001, 10027},  // triple point pressure
}};

}  // namespace Vantrel
