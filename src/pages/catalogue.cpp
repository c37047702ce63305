#include "pages/catalogue.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace Vantrel {

namespace {

struct catalogue_entry {
  int key;
  std::string_view text;
};

// Sorted by key. Unit texts that repeat are distinct entries: each row owns its unit keys.
constexpr catalogue_entry catalogue[] = {
    // Constant names.
    {1000, "Molecular weight"},
    {1001, "Critical temperature"},
    {1002, "Critical pressure"},
    {1003, "Critical volume"},
    {1004, "Critical density"},
    {1005, "Critical compressibility factor"},
    {1006, "Triple point temperature"},
    {1007, "Triple point pressure"},
    // Property names.
    {2000, "Temperature"},
    {2001, "Pressure"},
    {2002, "Volume"},
    {2003, "Density"},
    {2004, "Compressibility factor"},
    {2005, "Helmoltz free energy"},
    {2006, "Entropy"},
    {2007, "Internal energy"},
    {2008, "Enthalpy"},
    {2009, "Gibbs free energy"},
    {2010, "Heat capacity at constant volume"},
    {2011, "Heat capacity at constant pressure"},
    {2012, "Speed of sound"},
    {2013, "Coefficient of thermal expansion"},
    {2014, "Isothermal compressibility"},
    {2015, "dPdT: Partial derivative of P with T at constant V"},
    {2016, "dVdT: Partial derivative of V with T at constant P"},
    {2017, "dVdP: Partial derivative of V with P at constant T"},
    {2018, "Viscosity (dynamic)"},
    {2019, "Surface tension"},
    {2020, "Prandtl number"},
    {2021, "Static dielectric constant"},
    {2022, "Isothermal Joule-Thomson coefficient"},
    {2023, "Joule-Thomson coefficient"},
    {2024, "Steam quality"},
    {2025, "Thermal conductivity"},
    {2026, "Isentropic expansion coeff."},
    // Metric/SI units.
    {10000, "°C"},
    {10001, "bar"},
    {10002, "m³/kg"},
    {10003, "kg/m³"},
    {10004, "dimensionless"},
    {10005, "kJ/kg"},
    {10006, "kJ/(kg.°C)"},
    {10007, "kJ/kg"},
    {10008, "kJ/kg"},
    {10009, "kJ/kg"},
    {10010, "kJ/(kg.°C)"},
    {10011, "kJ/(kg.°C)"},
    {10012, "m/s"},
    {10013, "1/°C"},
    {10014, "1/bar"},
    {10015, "bar/°C"},
    {10016, "m³/(kg.°C)"},
    {10017, "m³/(kg.bar)"},
    {10018, "µPa.s"},
    {10019, "W/(m.°C)"},
    {10020, "N/m"},
    {10021, "dimensionless"},
    {10022, "dimensionless"},
    {10023, "kJ/(kg.bar)"},
    {10024, "°C/bar"},
    {10025, "%"},
    // English units.
    {10026, "°F"},
    {10027, "psia"},
    {10028, "ft³/lb"},
    {10029, "lb/ft³"},
    {10030, "dimensionless"},
    {10031, "Btu/lb"},
    {10032, "Btu/(lb.°F)"},
    {10033, "Btu/lb"},
    {10034, "Btu/lb"},
    {10035, "Btu/lb"},
    {10036, "Btu/(lb.°F)"},
    {10037, "Btu/(lb.°F)"},
    {10038, "ft/s"},
    {10039, "1/°F"},
    {10040, "1/psia"},
    {10041, "psia/°F"},
    {10042, "ft³/(lb.°F)"},
    {10043, "ft³/(lb.psia)"},
    {10044, "lb/(ft.hr)"},
    {10045, "Btu/(hr.ft.°F)"},
    {10046, "N/m"},
    {10047, "dimensionless"},
    {10048, "dimensionless"},
    {10049, "Btu/(lb.psia)"},
    {10050, "°F/psia"},
    {10051, "%"},
    // Units of the constants and of the isentropic expansion coefficient.
    {10052, "kg/kmol"},
    {10053, "lb/lbmol"},
    {10054, "dimensionless"},
    {10055, "dimensionless"},
    // The unit-system setting.
    {20001, "Settings"},
    {20002, "Units"},
    // Messages.
    {30000, "Invalid number specified."},
    {30001, "Invalid two-phase quality specified. Please specify as a faction between 0 and 1."},
    // The application's names.
    {57344, "Vantrel Kelvora"},
    {57348, "Vantrel"},
};

static_assert(std::is_sorted(std::begin(catalogue), std::end(catalogue),
                             [](const catalogue_entry& a, const catalogue_entry& b) {
                               return a.key < b.key;
                             }),
              "the catalogue is searched by key");

}  // namespace

std::string_view catalogue_text(int key) {
  const auto* found =
      std::lower_bound(std::begin(catalogue), std::end(catalogue), key,
                       [](const catalogue_entry& entry, int wanted) { return entry.key < wanted; });
  if (found == std::end(catalogue) || found->key != key) return {};
  return found->text;
}

}  // namespace Vantrel
