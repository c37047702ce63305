// Viscosity and thermal conductivity (IAPS 1985), surface tension (IAPWS 1994) and static
// dielectric constant (IAPWS 1997) as functions of temperature, density and, for transport,
// the two thermodynamic derivatives they need; then the same and the further properties
// (enthalpy of vaporization, isentropic exponent) read from built states.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "model/errors.h"
#include "model/steam95.h"
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

// --- The same properties read from built states: the wiring of the IAPWS-95 derivatives into
// the correlations, and which states have which property.

steam95 saturated(double T, double x) {
  steam95 s;
  s.at_tsat(T, x);
  return s;
}

steam95 at_tp(double T, double p) {
  steam95 s;
  s.at_tp(T, p);
  return s;
}

TEST(StateProperties, ReproduceCheckValues) {
  const auto s = at_tp(298.15, 0.101325);  // 997.047 kg/m³
  EXPECT_NEAR(s.mu(), 8.90083e-4, 1e-9);
  EXPECT_NEAR(s.kt(), 0.607194, 1e-6);
  EXPECT_NEAR(s.st(), 0.0719722, 0.5e-7);
  EXPECT_NEAR(s.de(), 78.4084, 1e-4);
  // The near-critical IAPS 1985 value needs κT and (∂p/∂T)ρ of the state in the right units.
  steam95 critical_density;
  critical_density.at_tv(647.35, 1.0 / 322);
  EXPECT_NEAR(critical_density.mu() * 1e6, 43.433454, 1e-5 * 43.433454);
  EXPECT_NEAR(critical_density.kt() * 1e3, 1548.299253, 1e-5 * 1548.299253);
}

// Each property raises with its own context on a state it does not apply to.
TEST(StateProperties, WhichStatesHaveWhichProperty) {
  using member = double (steam95::*)() const;
  const steam95 unbuilt, mixture = saturated(373.124, 0.5);
  const steam95 critical = at_tp(647.096, 22.064), vapour = at_tp(500.0, 0.1);
  const struct {
    const steam95* state;
    member m;
    const char* context;
  } cases[] = {
      {&unbuilt, &steam95::mu, "steam95"},      {&unbuilt, &steam95::dhv, "steam95"},
      {&mixture, &steam95::mu, "steam95::mu"},  {&mixture, &steam95::st, "steam95::st"},
      {&mixture, &steam95::de, "steam95::de"},  {&critical, &steam95::kt, "steam95::kt"},
      {&critical, &steam95::pr, "steam95::pr"}, {&vapour, &steam95::dhv, "steam95::dhv"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.context);
    try {
      ((*c.state).*c.m)();
      ADD_FAILURE() << "no error";
    } catch (const std::exception& e) {
      EXPECT_EQ(std::string(e.what()), c.context);
      EXPECT_EQ(dynamic_cast<const invalid_state*>(&e) != nullptr, c.state == &unbuilt);
    }
  }
  // The saturated phases are single states; surface tension is 0 from Tc up.
  EXPECT_NEAR(saturated(373.124, 1.0).mu(), 1.23e-5, 0.02e-5);
  EXPECT_EQ(critical.st(), 0.0);
}

TEST(StateProperties, EnthalpyOfVaporizationIsTheRemainingLatentHeat) {
  const double latent = 2774.41078 - 749.161585;  // IAPWS-95 Table 8, h″ − h′ at 450 K
  EXPECT_NEAR(saturated(450.0, 0.0).dhv(), latent, 1e-7 * latent);
  EXPECT_NEAR(saturated(450.0, 0.25).dhv(), 0.75 * latent, 1e-7 * latent);
  EXPECT_EQ(saturated(450.0, 1.0).dhv(), 0.0);
}

TEST(StateProperties, IsentropicExponent) {
  // A dilute vapour tends to cp/cv.
  for (double T : {300.0, 900.0}) {
    const auto s = at_tp(T, 1e-5);
    EXPECT_NEAR(s.isentropic_k(), s.cp() / s.cv(), 1e-5 * s.cp() / s.cv());
  }
  // In a liquid, p·k is the isentropic bulk modulus ρw² (MPa).
  const auto liquid = at_tp(300.0, 1.0);
  const double bulk = liquid.rho() * liquid.w() * liquid.w() * 1e-6;
  EXPECT_NEAR(liquid.isentropic_k() * liquid.p(), bulk, 1e-6 * bulk);
}

}  // namespace
}  // namespace Vantrel
