// Viscosity and thermal conductivity (IAPS 1985), surface tension (IAPWS 1994) and static
// dielectric constant (IAPWS 1997) as functions of temperature, density and, for transport,
// the two thermodynamic derivatives they need.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "properties/dielectric.h"
#include "properties/surface_tension.h"
#include "properties/transport.h"

namespace Vantrel {
namespace {

constexpr double Tc = 647.096, rhoc = 322.0;
constexpr double rho_star = 317.763;

struct transport_check {
  double T, rho, kappaT, dpdt, mu, lambda;  // µPa·s, mW/(m·K)
};
// IAPS 1985 values computed from the release tables: with κT = 0 the reduced
// compressibility is 0 and only the background remains; the rest with critical enhancement,
// κT and (∂p/∂T)ρ from IAPWS-95.
constexpr transport_check transport_checks[] = {
    {298.15, 997.047, 0, 0, 890.082745, 607.194357},
    {433.15, 1, 0, 0, 14.532289, 30.289136},
    {1173.15, 400, 0, 0, 66.998519, 267.583308},
    {647.35, 122, 1.402402335e-1, 1.043940749e-1, 25.504865, 131.892775},
    {647.35, 322, 3.769074376e1, 2.673111521e-1, 43.433454, 1548.299253},
    {647.35, 422, 3.089894265e-1, 3.520895385e-1, 49.137089, 430.382063},
    {873.15, 600, 2.111130845e-3, 7.610727097e-1, 78.137304, 419.842020},
};

TEST(Transport, ReproducesTheIaps1985Values) {
  for (const auto& c : transport_checks) {
    SCOPED_TRACE(testing::Message() << "T=" << c.T << " rho=" << c.rho);
    double mu = 0.0, lambda = 0.0;
    transport(c.T, c.rho, c.kappaT, c.dpdt, mu, lambda);
    EXPECT_NEAR(mu * 1e6, c.mu, 0.5e-6 + 1e-12);  // half a unit of the printed digit
    EXPECT_NEAR(lambda * 1e3, c.lambda, 0.5e-6 + 1e-12);
  }
}

// The viscosity enhancement applies inside 0.997 ≤ T̄ ≤ 1.0082, −0.245 ≤ ρ̄ − 1 ≤ 0.29 and
// χ̄ ≥ 21.93, all bounds inclusive; the conductivity's is cut at ρ̄ ≥ 3 and vanishes far away.
TEST(Transport, EnhancementsOnlyWhereTheyApply) {
  const double below = std::nextafter(21.93, 0.0);
  const struct {
    double Tbar, rhobar, chibar;
    bool enhanced;
  } cases[] = {{0.997, 0.755, 21.93, true}, {1.0082, 1.2899, 100, true}, {0.9969, 1, 100, false},
               {1.0083, 1, 100, false},     {1, 0.7549, 100, false},     {1, 1.2901, 100, false},
               {1, 1, below, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Tbar << ", " << c.rhobar << ", " << c.chibar);
    double mu01 = 0.0, mu = 0.0;
    reduced_viscosity(c.Tbar, c.rhobar, c.chibar, mu01, mu);
    EXPECT_EQ(mu != mu01, c.enhanced);
  }
  for (double side : {1.0 + 1e-12, 1.0 - 1e-12}) {
    double mu = 0.0, background = 0.0, lambda = 0.0;
    transport(647.226, 3 * rho_star * side, 0.0, 0.0, mu, background);
    transport(647.226, 3 * rho_star * side, 0.5, 2.0, mu, lambda);
    EXPECT_EQ(lambda > background, side < 1.0);
  }
  // A negative ∂p̄/∂T̄ counts as 0; far from the critical point nothing is evaluated.
  EXPECT_EQ(conductivity_critical(1.0, 1.0, 100.0, -3.0, 1.0), 0.0);
  EXPECT_EQ(conductivity_critical(6.7, 1.0, std::nan(""), 10.0, 1.0), 0.0);
}

// (ρ̄ − 1)⁰ and (1/T̄ − 1)⁰ are 1 also where the base is 0: no step at ρ̄ = T̄ = 1.
TEST(Transport, SumsAreContinuousThroughReducedUnity) {
  double at = 0.0, near = 0.0, mu = 0.0;
  reduced_viscosity(1.0, 1.0, 0.0, at, mu);
  reduced_viscosity(1.0 + 1e-9, 1.0 + 1e-9, 0.0, near, mu);
  EXPECT_NEAR(at, near, 1e-8 * at);
  const double k = conductivity_background(1.0, 1.0);
  EXPECT_NEAR(k, conductivity_background(1.0 + 1e-9, 1.0 + 1e-9), 1e-8 * k);
}

// IAPWS 1994 table (printed to 0.01 mN/m) with the equation's unrounded values.
constexpr double surface_tensions[][3] = {
    {273.16, 75.65, 75.64627}, {298.15, 71.97, 71.97221}, {373.15, 58.91, 58.91187},
    {473.15, 37.67, 37.67451}, {573.15, 14.36, 14.35961}, {643.15, 0.39, 0.38822},
};

TEST(SurfaceTension, ReproducesThe1994TableAndVanishesFromTc) {
  for (const auto [T, published, computed] : surface_tensions) {
    SCOPED_TRACE(testing::Message() << "T=" << T);
    const double sigma = surface_tension(Tc / T) * 1e3;
    EXPECT_NEAR(sigma, published, 0.005 + 1e-9);
    EXPECT_NEAR(sigma, computed, 0.5e-5 + 1e-9);
  }
  EXPECT_EQ(surface_tension(1.0), 0.0);
  EXPECT_EQ(surface_tension(Tc / 700.0), 0.0);
}

// IAPWS R8-97 Table 4 at the IAPWS-95 densities of its (T, p) points: T, ρ, ε, tolerance.
constexpr double dielectric[][4] = {
    {240, 978.895788, 104.34982, 0.6e-5}, {300, 1237.516574, 103.69632, 2e-5},
    {650, 40.478868, 1.26715, 0.6e-5},    {650, 726.211744, 17.71733, 2e-5},
    {870, 810.934884, 15.09746, 0.6e-5},  {298.15, 997.047, 78.40843, 0.6e-5},
};

TEST(DielectricConstant, ReproducesThe1997TableAndIsCutAt228K) {
  for (const auto [T, rho, eps, tol] : dielectric) {
    SCOPED_TRACE(testing::Message() << "T=" << T << " rho=" << rho);
    EXPECT_NEAR(dielectric_constant(rho / rhoc, Tc / T), eps, tol);
  }
  EXPECT_EQ(dielectric_constant(1000.0 / rhoc, Tc / 228.0), 0.0);
  EXPECT_TRUE(std::isfinite(dielectric_constant(1000.0 / rhoc, Tc / 229.0)));
  EXPECT_NEAR(dielectric_constant(1e-6 / rhoc, Tc / 1000.0), 1.0, 1e-8);
}

}  // namespace
}  // namespace Vantrel
