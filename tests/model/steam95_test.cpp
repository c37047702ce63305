// steam95: preconditions and their errors, the two-phase mixing rules, the critical point and
// the guards.
#include "model/steam95.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/errors.h"

namespace Vantrel {

// Sets a state's fields directly, standing in for the state constructors.
struct steam95_test_access {
  static steam95 make(double T, double rho, double x = quality_indeterminate,
                      double rho_liq = 0.0) {
    steam95 s;
    s.helm_.update(rho / constant95::rhoc, constant95::Tc / T);
    s.x_ = x;
    s.delta_liq_ = rho_liq / constant95::rhoc;
    s.valid_ = true;
    return s;
  }
};

namespace {

using access = steam95_test_access;
using property = double (steam95::*)() const;

struct named_property {
  property op;
  const char* context;
};
// The derivative properties and the context each reports when it does not apply.
const named_property derivative_properties[] = {
    {&steam95::cv, "steam95::cv"},       {&steam95::cp, "steam95::cp"},
    {&steam95::w, "steam95::w"},         {&steam95::alpha, "steam95::alpha"},
    {&steam95::kappa, "steam95::kappa"}, {&steam95::dpdt, "steam95::dpdt"},
    {&steam95::dvdt, "steam95::dvdt"},   {&steam95::dvdp, "steam95::dvdp"},
    {&steam95::cjtt, "steam95::cjtt"},   {&steam95::cjth, "steam95::cjth"},
};
const property state_properties[] = {&steam95::t, &steam95::p, &steam95::v, &steam95::rho,
                                     &steam95::z, &steam95::a, &steam95::u, &steam95::h,
                                     &steam95::g, &steam95::s, &steam95::x};

// The context of the error that op raises on s, or "" when it raises none of type E.
template <class E>
std::string context_of(const steam95& s, property op) {
  try {
    (s.*op)();
  } catch (const E& e) {
    return e.what();
  }
  return "";
}

TEST(Steam95Checks, NewStateHasNoProperties) {
  const steam95 s;
  EXPECT_FALSE(s.valid());
  EXPECT_THROW(s.check_valid(), invalid_state);
  for (property op : state_properties) EXPECT_EQ(context_of<invalid_state>(s, op), "steam95");
  EXPECT_EQ(context_of<invalid_state>(s, &steam95::cp), "steam95");
}

// Both range ends are allowed and NaN passes (the constructors refuse NaN themselves); the
// errors just outside are checked through the constructors.
TEST(Steam95Checks, RangesAreClosed) {
  for (double T : {190.0, 5000.0, std::nan("")}) EXPECT_NO_THROW(steam95::check_t(T));
  for (double p : {0.0, 10000.0, std::nan("")}) EXPECT_NO_THROW(steam95::check_p(p));
}

// IAPWS-95 saturation check values at 450 K (R6-95(2018), Table 8).
constexpr double T_sat = 450.0;
constexpr double p_sat = 0.932203564;
constexpr double rho_liq = 0.890341250e3, rho_vap = 0.481200360e1;
constexpr double h_liq = 0.749161585e3, h_vap = 0.277441078e4;
constexpr double s_liq = 0.210865845e1, s_vap = 0.660921221e1;

TEST(Steam95Mixture, WeightsThePhasesByMass) {
  const double x = 0.25;  // unequal weights, so that swapped phases show
  const steam95 mix = access::make(T_sat, rho_vap, x, rho_liq);
  EXPECT_TRUE(mix.two_phase());
  EXPECT_DOUBLE_EQ(mix.t(), T_sat);
  EXPECT_NEAR(mix.p(), p_sat, 1e-8 * p_sat);
  const double v = (1 - x) / rho_liq + x / rho_vap;
  EXPECT_NEAR(mix.v(), v, 1e-14 * v);
  EXPECT_NEAR(mix.h(), (1 - x) * h_liq + x * h_vap, 1e-6);
  EXPECT_NEAR(mix.s(), (1 - x) * s_liq + x * s_vap, 1e-8);
  EXPECT_EQ(mix.x(), x);
  // Equal Gibbs energy of the two phases makes g of the mixture that of either phase.
  EXPECT_NEAR(mix.g(), access::make(T_sat, rho_vap, 1.0).g(), 1e-5);
  EXPECT_NEAR(mix.a(), mix.u() - T_sat * mix.s(), 1e-9 * mix.h());

  // x = 0 and x = 1 are the saturated phases themselves, with every property.
  const steam95 sat_liquid = access::make(T_sat, rho_liq, 0.0, rho_vap);
  const steam95 sat_vapour = access::make(T_sat, rho_vap, 1.0, rho_liq);
  EXPECT_GT(sat_liquid.cp(), 0.0);
  EXPECT_GT(sat_vapour.w(), 0.0);
}

// A mixture and the critical point have only the extensive properties.
TEST(Steam95Critical, DerivativePropertiesDoNotApplyToMixtureOrCriticalPoint) {
  const steam95 c = access::make(constant95::Tc, constant95::rhoc);
  EXPECT_TRUE(c.is_critical());
  for (const steam95& s : {access::make(T_sat, rho_vap, 0.5, rho_liq), c}) {
    for (const auto& d : derivative_properties) {
      EXPECT_EQ(context_of<not_applicable>(s, d.op), d.context);
    }
  }
  EXPECT_NEAR(c.v(), 1.0 / 322.0, 1e-15);
  EXPECT_TRUE(std::isfinite(c.h()));
  // 1e-8 apart in T (relative) is no longer critical, nor is 5 % apart in ρ, where p is off
  // by far more.
  EXPECT_FALSE(access::make(constant95::Tc * (1.0 + 2e-8), constant95::rhoc).is_critical());
  EXPECT_FALSE(access::make(constant95::Tc, 1.05 * constant95::rhoc).is_critical());
}

TEST(Steam95Guards, VanishingPressureDerivativeGivesZero) {
  // The liquid-side spinodal at 640 K, where (∂p/∂ρ)_T passes 0, found by bisection.
  const steam95 s = access::make(640.0, 442.51476668029557);
  ASSERT_LT(std::abs(s.helm().dpdrho_r()), 1e-8);
  ASSERT_FALSE(s.is_critical());
  for (property op : {&steam95::cp, &steam95::kappa, &steam95::alpha, &steam95::cjtt,
                      &steam95::cjth, &steam95::dvdt, &steam95::dvdp}) {
    EXPECT_EQ((s.*op)(), 0.0);
  }
  EXPECT_TRUE(std::isfinite(s.cv()));
  EXPECT_TRUE(std::isfinite(s.dpdt()));
}

TEST(Steam95Guards, NegativeSquaredSoundSpeedGivesZero) {
  const steam95 s = access::make(500.0, 161.0);  // deep inside the unstable region
  ASSERT_LT(s.helm().w2_r(), 0.0);
  EXPECT_EQ(s.w(), 0.0);
}

}  // namespace
}  // namespace Vantrel
