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

TEST(StateProperties, ReproduceCheckValues) {
  const auto s = at_tp(298.15, 0.101325);  // 997.047 kg/m³
  EXPECT_NEAR(s.mu(), 8.90083e-4, 1e-9);
  EXPECT_NEAR(s.kt(), 0.607194, 1e-6);
  EXPECT_NEAR(s.pr(), s.cp() * s.mu() / s.kt() * 1000.0, 1e-12 * s.pr());
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
  // Wet steam expands with an exponent a little above 1 (classically 1.035 + 0.1·x).
  EXPECT_NEAR(saturated(373.124, 0.5).isentropic_k(), 1.085, 0.03);
}

}  // namespace
}  // namespace Vantrel
