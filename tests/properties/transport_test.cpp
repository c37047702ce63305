// Viscosity and thermal conductivity after the IAPS Formulation 1985, tested as functions of
// temperature, density and the two thermodynamic derivatives they need.
#include "properties/transport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace Vantrel {
namespace {

constexpr double T_star = 647.226;
constexpr double rho_star = 317.763;
constexpr double mu_star = 55.071e-6;
constexpr double lambda_star = 0.4945;
// The tables print µPa·s and mW/(m·K) to six decimals: half a unit in the last digit.
constexpr double last_digit = 0.5e-6 + 1e-12;

struct background_check {
  double T, rho, mu, lambda;  // µPa·s, mW/(m·K)
};
// IAPS 1985 values without critical enhancement (computed from the release tables).
constexpr background_check background[] = {
    {298.15, 997.047, 890.082745, 607.194357}, {298.15, 998, 889.594843, 608.153199},
    {298.15, 1200, 1326.483746, 845.493120},   {373.15, 1000, 308.530526, 732.008817},
    {433.15, 1, 14.532289, 30.289136},         {433.15, 1000, 216.217038, 816.192708},
    {873.15, 1, 32.626688, 80.074768},         {873.15, 100, 35.734829, 116.836291},
    {873.15, 600, 78.137304, 415.831491},      {1173.15, 1, 44.096878, 121.839654},
    {1173.15, 100, 48.022439, 164.479142},     {1173.15, 400, 66.998519, 267.583308},
};

// With κT = 0 the reduced compressibility is 0: no viscosity enhancement and no conductivity
// enhancement, so transport gives the background values alone.
TEST(Transport, ReproducesBackgroundValues) {
  for (const auto& c : background) {
    SCOPED_TRACE(testing::Message() << "T=" << c.T << " rho=" << c.rho);
    double mu = 0.0, lambda = 0.0;
    transport(c.T, c.rho, 0.0, 0.0, mu, lambda);
    EXPECT_NEAR(mu * 1e6, c.mu, last_digit);
    EXPECT_NEAR(lambda * 1e3, c.lambda, last_digit);
  }
}

struct enhanced_check {
  double T, rho, kappaT, dpdt, chibar, mu, lambda, lambda2;  // µPa·s, mW/(m·K)
};
// IAPS 1985 values with critical enhancement; κT and (∂p/∂T)ρ from IAPWS-95 (computed).
constexpr enhanced_check enhanced[] = {
    {647.35, 122, 1.402402335e-1, 1.043940749e-1, 0.457165, 25.504865, 131.892775, 34.8455},
    {647.35, 222, 7.903467611e-1, 2.048594079e-1, 8.53108, 31.303647, 344.895362, 200.569},
    {647.35, 272, 5.545147202, 2.445759291e-1, 89.8527, 36.465753, 739.400267, 569.388},
    {647.35, 322, 3.769074376e1, 2.673111521e-1, 855.907, 43.433454, 1548.299253, 1350.84},
    {647.35, 372, 3.349239797, 2.914446209e-1, 101.511, 45.943079, 653.588980, 425.984},
    {647.35, 422, 3.089894265e-1, 3.520895385e-1, 12.0517, 49.137089, 430.382063, 168.713},
    {873.15, 100, 3.569347244e-2, 6.289046638e-2, 0.0781752, 35.734829, 117.759857, 0.923566},
    {873.15, 600, 2.111130845e-3, 7.610727097e-1, 0.166455, 78.137304, 419.842020, 4.01053},
};

TEST(Transport, ReproducesCriticalEnhancementValues) {
  for (const auto& c : enhanced) {
    SCOPED_TRACE(testing::Message() << "T=" << c.T << " rho=" << c.rho);
    double mu = 0.0, lambda = 0.0;
    transport(c.T, c.rho, c.kappaT, c.dpdt, mu, lambda);
    EXPECT_NEAR(mu * 1e6, c.mu, last_digit);
    EXPECT_NEAR(lambda * 1e3, c.lambda, last_digit);

    const double Tbar = c.T / T_star, rhobar = c.rho / rho_star;
    const double chibar = rhobar * rhobar * c.kappaT * 22.115;
    EXPECT_NEAR(chibar, c.chibar, 1e-5 * c.chibar);
    double mu01 = 0.0, mubar = 0.0;
    reduced_viscosity(Tbar, rhobar, chibar, mu01, mubar);
    const double lambda2 =
        conductivity_critical(Tbar, rhobar, chibar, c.dpdt * T_star / 22.115, mu01);
    EXPECT_NEAR(lambda2 * lambda_star * 1e3, c.lambda2, 1e-5 * c.lambda2);
  }
}

// The viscosity enhancement applies inside 0.997 ≤ T̄ ≤ 1.0082, −0.245 ≤ ρ̄ − 1 ≤ 0.29 and
// χ̄ ≥ 21.93, all bounds inclusive; everywhere else μ̄ = μ̄0·μ̄1 exactly.
TEST(ReducedViscosity, EnhancementOnlyInsideTheNearCriticalBox) {
  struct box_case {
    double Tbar, rhobar, chibar;
    bool enhanced;
  };
  const box_case cases[] = {
      {0.997, 0.755, 21.93, true},
      {1.0082, 1.2899, 100.0, true},
      {0.9969, 1.0, 100.0, false},
      {1.0083, 1.0, 100.0, false},
      {1.0, 0.7549, 100.0, false},
      {1.0, 1.2901, 100.0, false},
      {1.0, 1.0, std::nextafter(21.93, 0.0), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "Tbar=" << c.Tbar << " rhobar=" << c.rhobar << " chibar=" << c.chibar);
    double mu01 = 0.0, mu = 0.0;
    reduced_viscosity(c.Tbar, c.rhobar, c.chibar, mu01, mu);
    if (c.enhanced)
      EXPECT_DOUBLE_EQ(mu, mu01 * 0.922 * std::pow(c.chibar, 0.0263));
    else
      EXPECT_EQ(mu, mu01);
  }
}

// (ρ̄ − 1)⁰ and (1/T̄ − 1)⁰ are 1 also where the base is 0: at ρ̄ = T̄ = 1 only the H00
// and L00 terms remain, and the sums pass through that point without a step.
TEST(TransportSums, CarryTheirLeadingTermsThroughReducedUnity) {
  double mu01 = 0.0, mu = 0.0, lo = 0.0, hi = 0.0;
  reduced_viscosity(1.0, 1.0, 0.0, mu01, mu);
  EXPECT_NEAR(mu01, 1.0 / (1.0 + 0.978197 + 0.579829 - 0.202354) * std::exp(0.5132047), 1e-15);
  reduced_viscosity(1.0 - 1e-9, 1.0 - 1e-9, 0.0, lo, mu);
  reduced_viscosity(1.0 + 1e-9, 1.0 + 1e-9, 0.0, hi, mu);
  EXPECT_NEAR(mu01, 0.5 * (lo + hi), 1e-9 * mu01);
  const double lambda01 = conductivity_background(1.0, 1.0);
  EXPECT_NEAR(lambda01, 1.0 / (1.0 + 6.978267 + 2.599096 - 0.998254) * std::exp(1.3293046), 1e-15);
  EXPECT_NEAR(lambda01,
              0.5 * (conductivity_background(1.0 - 1e-9, 1.0 - 1e-9) +
                     conductivity_background(1.0 + 1e-9, 1.0 + 1e-9)),
              1e-9 * lambda01);
}

TEST(ConductivityCritical, ZeroWhereTheEnhancementVanishes) {
  // A negative ∂p̄/∂T̄ counts as 0.
  EXPECT_EQ(conductivity_critical(1.0, 1.0, 100.0, -3.0, 1.0), 0.0);
  // 18.66·(T̄ − 1)² + (ρ̄ − 1)⁴ > 600: zero without evaluating the power terms, so even a
  // compressibility that is not a number gives 0.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(conductivity_critical(6.7, 1.0, nan, 10.0, 1.0), 0.0);
  EXPECT_EQ(conductivity_critical(1.0, 6.0, nan, 10.0, 1.0), 0.0);
  EXPECT_GT(conductivity_critical(6.6, 1.0, 1.0, 10.0, 1.0), 0.0);
}

TEST(Transport, ConductivityEnhancementCutAtReducedDensityThree) {
  const double rho3 = 3.0 * rho_star;  // 953.289 kg/m³
  const double T = T_star;
  double mu = 0.0, background_only = 0.0, lambda = 0.0;
  transport(T, rho3 * (1.0 + 1e-12), 0.0, 0.0, mu, background_only);
  transport(T, rho3 * (1.0 + 1e-12), 0.5, 2.0, mu, lambda);
  EXPECT_EQ(lambda, background_only);
  transport(T, rho3 * (1.0 - 1e-12), 0.0, 0.0, mu, background_only);
  transport(T, rho3 * (1.0 - 1e-12), 0.5, 2.0, mu, lambda);
  EXPECT_GT(lambda, background_only);
  // Liquid at ambient conditions: ρ̄ > 3 and T̄ far outside the viscosity box, so the
  // derivatives do not show at all.
  transport(298.15, 997.047, 4.5e-4, 5.0, mu, lambda);
  EXPECT_NEAR(mu, 8.90083e-4, 0.5e-9);
  EXPECT_NEAR(lambda, 0.607194, 0.5e-6);
}

}  // namespace
}  // namespace Vantrel
