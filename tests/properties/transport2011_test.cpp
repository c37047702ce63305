// Viscosity (IAPWS 2008) and thermal conductivity (IAPWS 2011) against the releases'
// computer-program verification tables, their ranges of validity, and the state-level
// readers that the lookup face calls.
#include "properties/transport2011.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "model/errors.h"
#include "model/steam95.h"

namespace Vantrel {
namespace {

constexpr double Tc = 647.096, rhoc = 322.0;

struct check {
  double T, rho, value, half_unit;  // value in µPa·s or mW/(m·K); half a unit of its last digit
};

// IAPWS R12-08, Table 4: the correlating equation with μ̄2 = 1.
constexpr check viscosity_table4[] = {
    {298.15, 998, 889.735100, 0.5e-6},  {298.15, 1200, 1437.649467, 0.5e-6},
    {373.15, 1000, 307.883622, 0.5e-6}, {433.15, 1, 14.538324, 0.5e-6},
    {433.15, 1000, 217.685358, 0.5e-6}, {873.15, 1, 32.619287, 0.5e-6},
    {873.15, 100, 35.802262, 0.5e-6},   {873.15, 600, 77.430195, 0.5e-6},
    {1173.15, 1, 44.217245, 0.5e-6},    {1173.15, 100, 47.640433, 0.5e-6},
    {1173.15, 400, 64.154608, 0.5e-6},
};

// IAPWS R12-08, Table 5: near the critical point, μ̄2 included, with IAPWS-95 for the
// derivatives; the second value is μ̄2 itself.
constexpr struct {
  double rho, mu, mu2;
} viscosity_table5[] = {
    {122, 25.520677, 1.00000289}, {222, 31.337589, 1.00375120}, {272, 36.228143, 1.03416789},
    {322, 42.961579, 1.09190440}, {372, 45.688204, 1.03665871}, {422, 49.436256, 1.00596332},
};

TEST(Transport2011, ViscosityReproducesTable4WithoutEnhancement) {
  for (const auto& c : viscosity_table4) {
    SCOPED_TRACE(testing::Message() << "T=" << c.T << " rho=" << c.rho);
    EXPECT_NEAR(viscosity2008_background(c.T / Tc, c.rho / rhoc), c.value, c.half_unit);
  }
}

TEST(Transport2011, ViscosityReproducesTable5NearTheCriticalPoint) {
  constexpr double T = 647.35;
  for (const auto& c : viscosity_table5) {
    SCOPED_TRACE(testing::Message() << "rho=" << c.rho);
    double mu = 0.0, lambda = 0.0;
    transport2011(T, c.rho, mu, lambda);
    EXPECT_NEAR(mu * 1e6, c.mu, 0.5e-6);
    EXPECT_NEAR(mu * 1e6 / viscosity2008_background(T / Tc, c.rho / rhoc), c.mu2, 0.5e-8);
  }
}

// IAPWS R15-11, Table 4: the correlating equation with λ̄2 = 0 (ρ = 0 is the dilute gas).
constexpr check conductivity_table4[] = {
    {298.15, 0, 18.4341883, 0.5e-7},
    {298.15, 998, 607.712868, 0.5e-6},
    {298.15, 1200, 799.038144, 0.5e-6},
    {873.15, 0, 79.1034659, 0.5e-7},
};

// IAPWS R15-11, Table 5: the 647.35 K isotherm with λ̄2 and the 2008 viscosity included.
constexpr check conductivity_table5[] = {
    {647.35, 1, 51.9298924, 0.5e-7},   {647.35, 122, 130.922885, 0.5e-6},
    {647.35, 222, 367.787459, 0.5e-6}, {647.35, 272, 757.959776, 0.5e-6},
    {647.35, 322, 1443.75556, 0.5e-5}, {647.35, 372, 650.319402, 0.5e-6},
    {647.35, 422, 448.883487, 0.5e-6}, {647.35, 750, 600.961346, 0.5e-6},
};

TEST(Transport2011, ConductivityReproducesTable4WithoutEnhancement) {
  for (const auto& c : conductivity_table4) {
    SCOPED_TRACE(testing::Message() << "T=" << c.T << " rho=" << c.rho);
    EXPECT_NEAR(conductivity2011_background(c.T / Tc, c.rho / rhoc), c.value, c.half_unit);
  }
}

TEST(Transport2011, ConductivityReproducesTable5NearTheCriticalPoint) {
  // Table 5 also prints λ̄0 at this temperature, which isolates the dilute-gas sum.
  EXPECT_NEAR(conductivity2011_background(647.35 / Tc, 0.0), 51.5764797, 0.5e-7);
  for (const auto& c : conductivity_table5) {
    SCOPED_TRACE(testing::Message() << "rho=" << c.rho);
    double mu = 0.0, lambda = 0.0;
    transport2011(c.T, c.rho, mu, lambda);
    EXPECT_NEAR(lambda * 1e3, c.value, c.half_unit);
  }
}

// Far from the critical point the enhancements vanish: ξ is 0 where Δχ̄ < 0, and the
// short-ξ series of Y meets the closed form at its switching length.
TEST(Transport2011, EnhancementsVanishAwayFromTheCriticalPoint) {
  EXPECT_EQ(correlation_length(1.2, 1.0, 0.1, 0.2), 0.0);
  EXPECT_EQ(viscosity2008_critical(0.0), 1.0);
  EXPECT_EQ(conductivity2011_critical(1.2, 1.0, 5.0, 1.5, 30.0, 0.0), 0.0);
  const double at = 0.3817016416;
  EXPECT_NEAR(viscosity2008_critical(at), viscosity2008_critical(at * (1 + 1e-9)), 1e-12);
}

// The ranges of validity step down in temperature as pressure rises and stop at the ice
// boundary: vapour above the sublimation curve, liquid between the melting curves.
TEST(Transport2011, RangesOfValidity) {
  const struct {
    double T, p;
    bool viscosity, conductivity;
  } cases[] = {
      {1173.15, 100, true, true},  {1173.16, 50, false, false},    {1173.15, 100.5, true, false},
      {1173.15, 300, true, false}, {873.15, 350, true, false},     {874, 250, true, true},
      {874.01, 250, true, false},  {873.15, 350.01, false, false}, {433.15, 500, true, true},
      {373.15, 1000, true, false}, {348, 1000, true, true},        {300, 1000.5, false, false},
      {273.15, 0.1, false, false}, {260, 1e-4, true, true},        {260, 0.1, false, false},
      {260, 100, false, false},    {260, 150, true, true},         {240, 1e-6, true, true},
      {300, 0.0, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "T=" << c.T << " p=" << c.p);
    EXPECT_EQ(viscosity2008_valid(c.T, c.p), c.viscosity);
    EXPECT_EQ(conductivity2011_valid(c.T, c.p), c.conductivity);
  }
}

// The state readers give the kernel's numbers, refuse a mixture as the 1985 readers do, and
// report a state outside the range of validity as a domain error.
TEST(Transport2011, StateReaders) {
  steam95 steam;
  steam.at_tp(373.15, 0.1);
  double mu = 0.0, lambda = 0.0;
  transport2011(steam.t(), steam.rho(), mu, lambda);
  EXPECT_EQ(viscosity2008(steam), mu);
  EXPECT_EQ(conductivity2011(steam), lambda);
  EXPECT_DOUBLE_EQ(prandtl2011(steam), steam.cp() * 1000.0 * mu / lambda);

  steam95 mixture;
  mixture.at_tsat(400.0, 0.5);
  EXPECT_THROW(viscosity2008(mixture), not_applicable);
  EXPECT_THROW(prandtl2011(mixture), not_applicable);

  steam95 hot;
  hot.at_tp(1000.0, 200.0);  // inside the viscosity's range, outside the conductivity's
  EXPECT_NO_THROW(viscosity2008(hot));
  EXPECT_THROW(conductivity2011(hot), std::domain_error);
  EXPECT_THROW(prandtl2011(hot), std::domain_error);
}

}  // namespace
}  // namespace Vantrel
