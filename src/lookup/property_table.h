#pragma once
// The property catalogue: every property of a state that the lookup entry points evaluate, in
// the order the result lists show them. Each row names the property code, the short name that
// the command line and scripts type, the text catalogue key of its long name and the catalogue
// keys of its unit text in either unit system. Result lists, the command line and the scripting
// module all read this one table; the texts behind the keys live in the pages' text catalogue
// (name_text and unit_text of pages/rows.h give them for a row of this table).
#include <array>
#include <cstddef>
#include <string_view>

#include "lookup/units.h"

namespace Vantrel {

// Catalogue keys of a unit text: one for Metric/SI, one for English.
struct unit_keys {
  int metric;
  int english;

  // The key for `unit_system` (0 Metric/SI, any other value English).
  constexpr int of(int unit_system) const { return unit_system == metric_units ? metric : english; }
};

// One row per property code: the short name users type, the catalogue text of its name, and
// the catalogue texts of its unit in each unit system.
struct property_info {
  int code;
  std::string_view short_name;
  int name_key;
  unit_keys unit;
};

// Codes 0 to last_lookup_code, each once.
inline constexpr std::size_t property_count = last_lookup_code + 1;

// In display order: steam quality follows pressure, enthalpy precedes entropy, and the
// isentropic expansion coefficient follows the isothermal compressibility.
inline constexpr std::array<property_info, property_count> property_table{{
    {code_t, "T", 2000, {10000, 10026}},
    {code_p, "p", 2001, {10001, 10027}},
    {code_x, "x", 2024, {10025, 10051}},
    {code_v, "v", 2002, {10002, 10028}},
    {code_rho, "rho", 2003, {10003, 10029}},
    {code_z, "z", 2004, {10004, 10030}},
    {code_h, "h", 2008, {10008, 10034}},
    {code_s, "s", 2006, {10006, 10032}},
    {code_a, "a", 2005, {10005, 10031}},
    {code_u, "u", 2007, {10007, 10033}},
    {code_g, "g", 2009, {10009, 10035}},
    {code_cv, "cv", 2010, {10010, 10036}},
    {code_cp, "cp", 2011, {10011, 10037}},
    {code_w, "w", 2012, {10012, 10038}},
    {code_alpha, "alpha", 2013, {10013, 10039}},
    {code_kappa, "kappa", 2014, {10014, 10040}},
    {code_isentropic_k, "k", 2026, {10054, 10055}},
    {code_dpdt, "dpdt", 2015, {10015, 10041}},
    {code_dvdt, "dvdt", 2016, {10016, 10042}},
    {code_dvdp, "dvdp", 2017, {10017, 10043}},
    {code_mu, "mu", 2018, {10018, 10044}},
    {code_kt, "lambda", 2025, {10019, 10045}},  // name keys leave code order from here
    {code_st, "sigma", 2019, {10020, 10046}},
    {code_pr, "pr", 2020, {10021, 10047}},
    {code_de, "eps", 2021, {10022, 10048}},
    {code_cjtt, "cjtt", 2022, {10023, 10049}},
    {code_cjth, "cjth", 2023, {10024, 10050}},
}};

// Position of a code's row in property_table, or property_count when no row holds it.
constexpr std::size_t row_of_code(int code) {
  std::size_t i = 0;
  while (i < property_count && property_table[i].code != code) ++i;
  return i;
}

// Position of a short name's row (case matters: "T" and "p"), or property_count.
constexpr std::size_t row_of_name(std::string_view short_name) {
  std::size_t i = 0;
  while (i < property_count && property_table[i].short_name != short_name) ++i;
  return i;
}

static_assert(
    [] {
      for (int code = 0; code <= last_lookup_code; ++code) {
        if (row_of_code(code) == property_count) return false;
      }
      for (std::size_t i = 0; i < property_count; ++i) {
        if (row_of_name(property_table[i].short_name) != i) return false;
      }
      return true;
    }(),
    "every code that an entry point evaluates has one row, and every short name one code");

// The row of a property code, or nullptr for a code the table does not hold.
inline const property_info* property_with_code(int code) {
  const std::size_t i = row_of_code(code);
  return i < property_count ? &property_table[i] : nullptr;
}

// The row of a short name, or nullptr.
inline const property_info* property_named(std::string_view short_name) {
  const std::size_t i = row_of_name(short_name);
  return i < property_count ? &property_table[i] : nullptr;
}

}  // namespace Vantrel
