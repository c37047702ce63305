// Unit conversions of the lookup service: the factor table against the definitions of the units,
// the temperature rules, and round trips from display units to internal units and back.
#include "lookup/units.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace Vantrel {
namespace {

// The value as the pages show it ("%G", six significant digits).
std::string shown(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%G", value);
  return text;
}

// Each English factor against the definitions of the units it converts: 1 ft = 0.3048 m,
// 1 lb = 0.45359237 kg, 1 Btu/lb = 2.326 kJ/kg, 1 Btu = 1055.05585262 J, 1 psi = 6894.757 Pa.
// The stored factors come from rounded intermediate constants, so they agree with the
// definitions to a few parts in 10^7; 3e-6 also admits the rounded 145.038 psia per MPa.
TEST(UnitFactors, EnglishFactorsMatchUnitDefinitions) {
  constexpr double ft = 0.3048, lb = 0.45359237;
  struct row_check {
    unit_row row;
    double expected;
  };
  const row_check checks[] = {
      {fT, 1.8},
      {fP, 1e6 / 6894.757293168361},
      {fV, lb / (ft * ft * ft)},
      {fE, 1.0 / 2.326},
      {fW, 1.0 / ft},
      {fMU, 3600.0 * ft / lb},
      {fK, 3600.0 * ft * (5.0 / 9.0) / 1055.05585262},
  };
  for (const auto& c : checks) {
    SCOPED_TRACE(testing::Message() << "row " << c.row);
    EXPECT_NEAR(unit_factor(c.row, english_units), c.expected, 3e-6 * c.expected);
  }
}

TEST(UnitFactors, MetricShowsBarAndMicropascalSecondsAndKeepsTheRest) {
  EXPECT_EQ(unit_factor(fP, metric_units), 10.0);
  EXPECT_EQ(unit_factor(fMU, metric_units), 1e6);
  for (unit_row row : {fT, fV, fE, fW, fK}) EXPECT_EQ(unit_factor(row, metric_units), 1.0);
  // Any unit system other than 0 is English, and the internal column is never selected.
  for (int units : {1, 2, -1, 1000}) {
    EXPECT_EQ(unit_column(units), 2);
    EXPECT_EQ(unit_factor(fP, units), 145.038);
  }
  EXPECT_EQ(unit_column(0), 1);
}

TEST(UnitFactors, CompoundUnitsAsThePagesShowThem) {
  // Critical pressure 22.064 MPa.
  EXPECT_EQ(shown(22.064 * unit_factor(fP, metric_units)), "220.64");
  EXPECT_EQ(shown(22.064 * unit_factor(fP, english_units)), "3200.12");
  // Viscosity 1e-3 Pa·s.
  EXPECT_EQ(shown(1e-3 * unit_factor(fMU, metric_units)), "1000");
  EXPECT_EQ(shown(1e-3 * unit_factor(fMU, english_units)), "2.41909");
  // Entropy 1 kJ/(kg·K) is 1/4.1868 Btu/(lb·°F) with the IT calorie.
  const double s_en = 1.0 * (unit_factor(fE, english_units) / unit_factor(fT, english_units));
  EXPECT_EQ(shown(s_en), "0.238846");
  EXPECT_NEAR(s_en, 1.0 / 4.1868, 1e-7);
  // Joule-Thomson coefficient 1 K/MPa in °C/bar and °F/psia.
  EXPECT_EQ(shown(unit_factor(fT, metric_units) / unit_factor(fP, metric_units)), "0.1");
  EXPECT_EQ(shown(unit_factor(fT, english_units) / unit_factor(fP, english_units)), "0.0124105");
}

TEST(Temperatures, DisplayRulesAtFixedPoints) {
  EXPECT_EQ(shown(display_temperature(metric_units, 273.15)), "0");
  EXPECT_EQ(shown(display_temperature(english_units, 273.15)), "32");
  EXPECT_EQ(shown(display_temperature(metric_units, 647.096)), "373.946");
  EXPECT_EQ(shown(display_temperature(english_units, 647.096)), "705.103");
  EXPECT_DOUBLE_EQ(display_temperature(english_units, 647.096), 705.1028);
  // Absolute zero in both scales.
  EXPECT_NEAR(display_temperature(metric_units, 0.0), -273.15, 1e-12);
  EXPECT_NEAR(display_temperature(english_units, 0.0), -459.67, 1e-12);
}

TEST(Temperatures, InputRulesAtFixedPoints) {
  EXPECT_EQ(input_temperature(metric_units, 100.0), 373.15);
  EXPECT_EQ(input_temperature(english_units, 32.0), 273.15);
  EXPECT_EQ(input_temperature(english_units, 212.0), 373.15);
  EXPECT_NEAR(input_temperature(english_units, -459.67), 0.0, 1e-12);
}

// Every input quantity: display value -> internal -> display value, in both unit systems, over
// values that span what a user types. Each pair of rules is the inverse of the other up to
// rounding.
TEST(InputConversion, RoundTripsThroughDisplayUnits) {
  for (int units : {metric_units, english_units}) {
    SCOPED_TRACE(testing::Message() << "units " << units);
    const auto f = [units](unit_row r) { return unit_factor(r, units); };
    for (double T : {190.0, 273.16, 373.15, 647.096, 1273.15, 5000.0}) {
      EXPECT_NEAR(input_temperature(units, display_temperature(units, T)), T, 1e-12 * T);
    }
    for (double value : {1e-6, 0.000611657, 1.0, 22.064, 3500.0, 10000.0}) {
      EXPECT_NEAR(input_pressure(units, value * f(fP)), value, 1e-15 * value);
      EXPECT_NEAR(input_volume(units, value * f(fV)), value, 1e-15 * value);
      EXPECT_NEAR(input_energy(units, value * f(fE)), value, 1e-15 * value);
      EXPECT_NEAR(input_entropy(units, value * (f(fE) / f(fT))), value, 1e-15 * value);
    }
  }
  // Metric inputs other than temperature and pressure are already internal units.
  EXPECT_EQ(input_pressure(metric_units, 1.01325), 0.101325);
  EXPECT_EQ(input_volume(metric_units, 1.5), 1.5);
  EXPECT_EQ(input_energy(metric_units, 2675.5), 2675.5);
  EXPECT_EQ(input_entropy(metric_units, 7.3549), 7.3549);
}

TEST(CriticalPoint, CompressibilityFactorFromFormulationConstants) {
  EXPECT_EQ(critical_z(), 0.2294409704533373);
}

}  // namespace
}  // namespace Vantrel
