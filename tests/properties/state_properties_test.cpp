// Transport and further properties read from built states: the wiring of the IAPWS-95
// derivatives into the correlations, and which states have which property.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/errors.h"
#include "model/steam95.h"

namespace Vantrel {
namespace {

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

using member = double (steam95::*)() const;

template <class Error>
void expect_error(const steam95& s, member m, const std::string& context) {
  SCOPED_TRACE(context);
  try {
    (s.*m)();
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), context);
  }
}

TEST(StateProperties, LiquidAtAmbientConditions) {
  const auto s = at_tp(298.15, 0.101325);  // 997.047 kg/m³
  EXPECT_NEAR(s.mu(), 8.90083e-4, 1e-9);
  EXPECT_NEAR(s.kt(), 0.607194, 1e-6);
  EXPECT_NEAR(s.pr(), s.cp() * s.mu() / s.kt() * 1000.0, 1e-12 * s.pr());
  EXPECT_NEAR(s.st(), 0.0719722, 0.5e-7);
  EXPECT_NEAR(s.de(), 78.4084, 1e-4);
}

// The near-critical IAPS 1985 values were computed with κT and (∂p/∂T)ρ of IAPWS-95, so a
// state built at the same T and ρ reproduces them only if the derivatives arrive in the
// right units.
TEST(StateProperties, NearCriticalTransportUsesTheStateDerivatives) {
  struct check {
    double T, rho, mu, lambda;  // µPa·s, mW/(m·K)
  };
  constexpr check checks[] = {{647.35, 122, 25.504865, 131.892775},
                              {647.35, 322, 43.433454, 1548.299253},
                              {873.15, 600, 78.137304, 419.842020}};
  for (const auto& c : checks) {
    SCOPED_TRACE(testing::Message() << "T=" << c.T << " rho=" << c.rho);
    steam95 s;
    s.at_tv(c.T, 1.0 / c.rho);
    EXPECT_NEAR(s.mu() * 1e6, c.mu, 1e-5 * c.mu);
    EXPECT_NEAR(s.kt() * 1e3, c.lambda, 1e-5 * c.lambda);
  }
}

TEST(StateProperties, WhichStatesHaveWhichProperty) {
  const steam95 unbuilt;
  for (member m : {&steam95::mu, &steam95::kt, &steam95::pr, &steam95::st, &steam95::de,
                   &steam95::dhv, &steam95::isentropic_k})
    expect_error<invalid_state>(unbuilt, m, "steam95");

  const auto mixture = saturated(373.124, 0.5);
  expect_error<not_applicable>(mixture, &steam95::mu, "steam95::mu");
  expect_error<not_applicable>(mixture, &steam95::kt, "steam95::kt");
  expect_error<not_applicable>(mixture, &steam95::pr, "steam95::pr");
  expect_error<not_applicable>(mixture, &steam95::st, "steam95::st");
  expect_error<not_applicable>(mixture, &steam95::de, "steam95::de");
  // The saturated phases are single states.
  const auto vapour = saturated(373.124, 1.0);
  EXPECT_NEAR(saturated(373.124, 0.0).mu(), 2.82e-4, 0.01e-4);
  EXPECT_NEAR(vapour.mu(), 1.23e-5, 0.02e-5);
  EXPECT_NEAR(vapour.st(), 0.0589, 0.0001);

  const auto critical = at_tp(647.096, 22.064);
  ASSERT_TRUE(critical.is_critical());
  expect_error<not_applicable>(critical, &steam95::mu, "steam95::mu");
  expect_error<not_applicable>(critical, &steam95::kt, "steam95::kt");
  expect_error<not_applicable>(critical, &steam95::pr, "steam95::pr");
  EXPECT_EQ(critical.st(), 0.0);  // no critical-point test, and 0 from Tc up
  EXPECT_EQ(at_tp(700.0, 1.0).st(), 0.0);
}

TEST(EnthalpyOfVaporization, RemainingPartOfTheLatentHeat) {
  const double latent = 2774.41078 - 749.161585;  // IAPWS-95 Table 8, h″ − h′ at 450 K
  EXPECT_NEAR(saturated(450.0, 0.0).dhv(), latent, 1e-7 * latent);
  EXPECT_NEAR(saturated(450.0, 0.25).dhv(), 0.75 * latent, 1e-7 * latent);
  EXPECT_EQ(saturated(450.0, 1.0).dhv(), 0.0);
  expect_error<not_applicable>(at_tp(500.0, 0.1), &steam95::dhv, "steam95::dhv");
  expect_error<not_applicable>(at_tp(300.0, 1.0), &steam95::dhv, "steam95::dhv");
}

TEST(IsentropicExpansion, TendsToTheHeatCapacityRatioInADiluteVapour) {
  for (double T : {300.0, 500.0, 900.0}) {
    SCOPED_TRACE(testing::Message() << "T=" << T);
    const auto s = at_tp(T, 1e-5);
    const double ratio = s.cp() / s.cv();
    EXPECT_NEAR(s.isentropic_k(), ratio, 1e-5 * ratio);
    EXPECT_NEAR(ratio, 1.3, 0.04);
  }
  // In a liquid, p·k is the isentropic bulk modulus ρw².
  const auto liquid = at_tp(300.0, 1.0);
  const double bulk = liquid.rho() * liquid.w() * liquid.w() * 1e-6;  // MPa
  EXPECT_NEAR(liquid.isentropic_k() * liquid.p(), bulk, 1e-6 * bulk);
  // Wet steam expands with an exponent a little above 1 (classically 1.035 + 0.1·x).
  EXPECT_NEAR(saturated(373.124, 0.5).isentropic_k(), 1.035 + 0.1 * 0.5, 0.03);
}

}  // namespace
}  // namespace Vantrel
