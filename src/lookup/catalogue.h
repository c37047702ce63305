#pragma once
// The catalogue of the face: every property of a state, in the order the result lists show them,
// and the constants of water. Each row names the code, the short name that the command line and
// scripts type, the long name, the text catalogue keys of the name and of the unit in either
// display unit system, the unit dimension that converts it, and its unit text in each unit
// system. Result lists, the command line, the charts and the Python module all read these tables.
#include <array>
#include <cstddef>
#include <string_view>

#include "lookup/codes.h"
#include "lookup/units.h"

namespace Vantrel {

// Catalogue keys of a unit text: one for Metric/SI, one for English.
struct unit_keys {
  int metric;
  int english;

  // The key for `unit_system` (0 Metric/SI, any other value English).
  constexpr int of(int unit_system) const { return unit_system == metric_units ? metric : english; }
};

// Unit texts in the order of the factor table's columns: internal, Metric/SI, English.
using unit_texts = std::array<std::string_view, 3>;

struct property_info {
  int code;
  std::string_view short_name;
  std::string_view name;
  int name_key;
  unit_keys unit;
  unit_dimension dimension;
  unit_texts units;

  // The unit text in `unit_system` (internal_units, 0 Metric/SI, any other value English).
  constexpr std::string_view unit_text(int unit_system) const {
    return units[static_cast<std::size_t>(factor_column(unit_system))];
  }
};

// Codes 0 to last_lookup_code, each once.
inline constexpr std::size_t property_count = last_lookup_code + 1;

namespace unit_text_rows {
using d = unit_dimension;
inline constexpr unit_texts none{"dimensionless", "dimensionless", "dimensionless"};
inline constexpr unit_texts energy{"kJ/kg", "kJ/kg", "Btu/lb"};
inline constexpr unit_texts entropy{"kJ/(kg·K)", "kJ/(kg.°C)", "Btu/(lb.°F)"};
}  // namespace unit_text_rows

// In display order: steam quality follows pressure, enthalpy precedes entropy, and the
// isentropic expansion coefficient follows the isothermal compressibility. The names keep the
// spellings the window has always shown. The quality is a vapour fraction in every unit system;
// its "%" is the window's and the command line's way of showing it, as a percentage.
inline constexpr std::array<property_info, property_count> property_table = [] {
  using namespace unit_text_rows;
  return std::array<property_info, property_count>{{
      {code_t, "T", "Temperature", 2000, {10000, 10026}, d::temperature, {"K", "°C", "°F"}},
      {code_p, "p", "Pressure", 2001, {10001, 10027}, d::pressure, {"MPa", "bar", "psia"}},
      {code_x, "x", "Steam quality", 2024, {10025, 10051}, d::none, {"dimensionless", "%", "%"}},
      {code_v, "v", "Volume", 2002, {10002, 10028}, d::volume, {"m³/kg", "m³/kg", "ft³/lb"}},
      {code_rho, "rho", "Density", 2003, {10003, 10029}, d::density, {"kg/m³", "kg/m³", "lb/ft³"}},
      {code_z, "z", "Compressibility factor", 2004, {10004, 10030}, d::none, none},
      {code_h, "h", "Enthalpy", 2008, {10008, 10034}, d::energy, energy},
      {code_s, "s", "Entropy", 2006, {10006, 10032}, d::entropy, entropy},
      {code_a, "a", "Helmoltz free energy", 2005, {10005, 10031}, d::energy, energy},
      {code_u, "u", "Internal energy", 2007, {10007, 10033}, d::energy, energy},
      {code_g, "g", "Gibbs free energy", 2009, {10009, 10035}, d::energy, energy},
      {code_cv,
       "cv",
       "Heat capacity at constant volume",
       2010,
       {10010, 10036},
       d::entropy,
       entropy},
      {code_cp,
       "cp",
       "Heat capacity at constant pressure",
       2011,
       {10011, 10037},
       d::entropy,
       entropy},
      {code_w, "w", "Speed of sound", 2012, {10012, 10038}, d::speed, {"m/s", "m/s", "ft/s"}},
      {code_alpha,
       "alpha",
       "Coefficient of thermal expansion",
       2013,
       {10013, 10039},
       d::per_temperature,
       {"1/K", "1/°C", "1/°F"}},
      {code_kappa,
       "kappa",
       "Isothermal compressibility",
       2014,
       {10014, 10040},
       d::per_pressure,
       {"1/MPa", "1/bar", "1/psia"}},
      {code_isentropic_k, "k", "Isentropic expansion coeff.", 2026, {10054, 10055}, d::none, none},
      {code_dpdt,
       "dpdt",
       "dPdT: Partial derivative of P with T at constant V",
       2015,
       {10015, 10041},
       d::pressure_per_temperature,
       {"MPa/K", "bar/°C", "psia/°F"}},
      {code_dvdt,
       "dvdt",
       "dVdT: Partial derivative of V with T at constant P",
       2016,
       {10016, 10042},
       d::volume_per_temperature,
       {"m³/(kg·K)", "m³/(kg.°C)", "ft³/(lb.°F)"}},
      {code_dvdp,
       "dvdp",
       "dVdP: Partial derivative of V with P at constant T",
       2017,
       {10017, 10043},
       d::volume_per_pressure,
       {"m³/(kg·MPa)", "m³/(kg.bar)", "ft³/(lb.psia)"}},
      {code_mu,
       "mu",
       "Viscosity (dynamic)",
       2018,
       {10018, 10044},
       d::viscosity,
       {"Pa·s", "µPa.s", "lb/(ft.hr)"}},
      // The name keys leave code order from here.
      {code_kt,
       "lambda",
       "Thermal conductivity",
       2025,
       {10019, 10045},
       d::conductivity,
       {"W/(m·K)", "W/(m.°C)", "Btu/(hr.ft.°F)"}},
      {code_st, "sigma", "Surface tension", 2019, {10020, 10046}, d::none, {"N/m", "N/m", "N/m"}},
      {code_pr, "pr", "Prandtl number", 2020, {10021, 10047}, d::none, none},
      {code_de, "eps", "Static dielectric constant", 2021, {10022, 10048}, d::none, none},
      {code_cjtt,
       "cjtt",
       "Isothermal Joule-Thomson coefficient",
       2022,
       {10023, 10049},
       d::energy_per_pressure,
       {"kJ/(kg·MPa)", "kJ/(kg.bar)", "Btu/(lb.psia)"}},
      {code_cjth,
       "cjth",
       "Joule-Thomson coefficient",
       2023,
       {10024, 10050},
       d::temperature_per_pressure,
       {"K/MPa", "°C/bar", "°F/psia"}},
  }};
}();

// The constants of the Constants page (codes 0 to 7), in the same form. Their values come from
// constant() (lookup/state.h), which also answers the further codes 8 to 15.
inline constexpr std::size_t constant_count = 8;
inline constexpr std::array<property_info, constant_count> constant_table = [] {
  using d = unit_dimension;
  const auto& t = property_table;
  const auto units_of = [&t](int code) {
    for (const auto& p : t)
      if (p.code == code) return p.units;
    return unit_text_rows::none;
  };
  const auto keys_of = [&t](int code) {
    for (const auto& p : t)
      if (p.code == code) return p.unit;
    return unit_keys{0, 0};
  };
  return std::array<property_info, constant_count>{{
      {0,
       "M",
       "Molecular weight",
       1000,
       {10052, 10053},
       d::none,
       {"kg/kmol", "kg/kmol", "lb/lbmol"}},
      {1, "Tc", "Critical temperature", 1001, keys_of(code_t), d::temperature, units_of(code_t)},
      {2, "pc", "Critical pressure", 1002, keys_of(code_p), d::pressure, units_of(code_p)},
      {3, "vc", "Critical volume", 1003, keys_of(code_v), d::volume, units_of(code_v)},
      {4, "rhoc", "Critical density", 1004, keys_of(code_rho), d::density, units_of(code_rho)},
      {5, "zc", "Critical compressibility factor", 1005, keys_of(code_z), d::none,
       units_of(code_z)},
      {6, "Tt", "Triple point temperature", 1006, keys_of(code_t), d::temperature,
       units_of(code_t)},
      {7, "pt", "Triple point pressure", 1007, keys_of(code_p), d::pressure, units_of(code_p)},
  }};
}();

// The row of each property code 0 to property_code_count − 1, found once at compile time: every
// lookup asks for its code's unit dimension.
inline constexpr auto rows_by_code = [] {
  std::array<std::size_t, property_code_count> rows{};
  for (int code = 0; code < property_code_count; ++code) {
    std::size_t i = 0;
    while (i < property_count && property_table[i].code != code) ++i;
    rows[static_cast<std::size_t>(code)] = i;
  }
  return rows;
}();

// Position of a code's row in property_table, or property_count when no row holds it.
constexpr std::size_t row_of_code(int code) {
  return code >= 0 && code < property_code_count ? rows_by_code[static_cast<std::size_t>(code)]
                                                 : property_count;
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
      for (std::size_t i = 0; i < constant_count; ++i) {
        if (constant_table[i].code != static_cast<int>(i)) return false;
      }
      return true;
    }(),
    "every code that the face evaluates has one row, every short name one code, and the "
    "constants are in code order");

// The row of a property code, or nullptr for a code the table does not hold.
constexpr const property_info* property_with_code(int code) {
  const std::size_t i = row_of_code(code);
  return i < property_count ? &property_table[i] : nullptr;
}

// The row of a short name, or nullptr.
constexpr const property_info* property_named(std::string_view short_name) {
  const std::size_t i = row_of_name(short_name);
  return i < property_count ? &property_table[i] : nullptr;
}

// The row of a constant's short name ("M", "Tc", ... "pt"), or nullptr.
constexpr const property_info* constant_named(std::string_view short_name) {
  for (const auto& c : constant_table)
    if (c.short_name == short_name) return &c;
  return nullptr;
}

}  // namespace Vantrel
