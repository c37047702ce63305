// The state constructors: saturated and two-phase states, states beside the saturation
// line, the inputs that once gave wrong answers, range errors and the state cache.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "model/constant95.h"
#include "model/errors.h"
#include "model/steam95.h"
#include "solve/caches.h"

namespace Vantrel {
namespace {

using C = constant95;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

struct saturation_check {
  double T, p, rho_liq, rho_vap, h_liq, h_vap, s_liq, s_vap;
};
// IAPWS-95 saturation check values (R6-95(2018), Table 8), h′ and s′ at 275 K with the
// library's ideal-gas constants.
constexpr saturation_check table8[] = {
    {275, 0.698451167e-3, 0.999887406e3, 0.550664919e-2, 0.775972206e1, 0.250428995e4,
     0.283094675e-1, 0.910660121e1},
    {450, 0.932203564, 0.890341250e3, 0.481200360e1, 0.749161585e3, 0.277441078e4, 0.210865845e1,
     0.660921221e1},
    {625, 0.169082693e2, 0.567090385e3, 0.118290280e3, 0.168626976e4, 0.255071625e4, 0.380194683e1,
     0.518506121e1},
};

// The printed digits; at 275 K the saturation search fixes the reduced pressure, about
// 3e-5, only to its absolute abscissa tolerance of 1e-9, which shows in the ninth digit of p
// and of the vapour density there.
void expect_digits(double got, double want) {
  EXPECT_NEAR(got, want, 2e-8 * std::abs(want));
}

TEST(SaturatedStates, ReproduceTable8AtTemperatureAndPressure) {
  for (const auto& c : table8) {
    SCOPED_TRACE(testing::Message() << "T=" << c.T);
    steam95 liq, vap, by_p;
    liq.at_tsat(c.T, 0);
    vap.at_tsat(c.T, 1);
    by_p.at_psat(c.p, 1);
    const std::pair<double, double> checks[] = {
        {liq.p(), c.p},     {liq.rho(), c.rho_liq}, {vap.rho(), c.rho_vap},
        {liq.h(), c.h_liq}, {vap.h(), c.h_vap},     {liq.s(), c.s_liq},
        {vap.s(), c.s_vap}, {by_p.t(), c.T},        {by_p.rho(), c.rho_vap}};
    for (const auto& [got, want] : checks) expect_digits(got, want);
    EXPECT_EQ(liq.x(), 0.0);
    EXPECT_EQ(vap.x(), 1.0);
  }
}

TEST(SaturatedStates, MixtureHoldsBothPhasesAtOneTemperature) {
  steam95 liq, vap, mix, mix_p;
  liq.at_tsat(373.15, 0);
  vap.at_tsat(373.15, 1);
  mix.at_tsat(373.15, 0.5);
  mix_p.at_psat(vap.p(), 0.5);
  EXPECT_TRUE(mix.two_phase());
  EXPECT_EQ(mix.delta_liq(), liq.helm().delta());
  EXPECT_EQ(mix.helm().delta(), vap.helm().delta());
  EXPECT_NEAR(mix.v(), 0.5 * (liq.v() + vap.v()), 1e-14);
  EXPECT_NEAR(mix_p.t(), 373.15, 1e-7 * 373.15);
  EXPECT_NEAR(mix_p.h(), mix.h(), 1e-6);
  // At the critical temperature both phases are the critical density.
  steam95 crit;
  crit.at_tsat(C::Tc, 0.3);
  EXPECT_EQ(crit.helm().delta(), 1.0);
  EXPECT_EQ(crit.delta_liq(), 1.0);
}

// Two-phase states from the single-phase input pairs: each gives the quality it was built
// with and the saturation temperature and pressure.
TEST(TwoPhaseStates, EveryPairRecoversTheQuality) {
  for (const double T : {300.0, 450.0, 600.0}) {
    for (const double x : {0.01, 0.5, 0.99}) {
      SCOPED_TRACE(testing::Message() << "T=" << T << " x=" << x);
      steam95 mix, tv, th, ph, ps;
      mix.at_tsat(T, x);
      tv.at_tv(T, mix.v());
      th.at_th(T, mix.h());
      ph.at_ph(mix.p(), mix.h());
      ps.at_ps(mix.p(), mix.s());
      for (const steam95* st : {&tv, &th, &ph, &ps}) {
        EXPECT_NEAR(st->x(), x, 1e-8);
        EXPECT_NEAR(st->t(), T, 1e-7 * T);
        EXPECT_NEAR(st->p(), mix.p(), 1e-7 * mix.p());
      }
    }
  }
}

// States beside the saturation line: the density is found on the branch of the side the
// state lies on, and the phase code names that branch.
TEST(NearSaturation, PressureBesideTheLineKeepsItsBranch) {
  for (const double T : {280.0, 373.15, 550.0, 640.0}) {
    steam95 liq, vap;
    liq.at_tsat(T, 0);
    vap.at_tsat(T, 1);
    for (const double eps : {1e-6, 1e-3}) {
      SCOPED_TRACE(testing::Message() << "T=" << T << " eps=" << eps);
      steam95 above, below;
      above.at_tp(T, liq.p() * (1 + eps));
      below.at_tp(T, liq.p() * (1 - eps));
      EXPECT_EQ(above.x(), quality_subcooled);
      EXPECT_EQ(below.x(), quality_superheated);
      // Compressed a little beyond the saturated liquid, expanded a little beyond the vapour.
      EXPECT_GT(above.rho(), liq.rho());
      EXPECT_LT(above.rho(), liq.rho() * (1 + 10 * eps));
      EXPECT_LT(below.rho(), vap.rho());
      EXPECT_GT(below.rho(), vap.rho() * (1 - 20 * eps));
    }
  }
}

// Energy and entropy on the saturated values themselves, 1e-9 relative outside them and
// 1e-9 inside them; liq and vap are the saturated states at the same first input.
void expect_beside_the_line(const steam95& liq, const steam95& vap,
                            void (steam95::*by_h)(double, double),
                            void (steam95::*by_s)(double, double), double first) {
  const auto beside = [](double y, double sign) { return y + sign * 1e-9 * std::abs(y); };
  steam95 h_liq, h_vap, s_liq, s_vap, h_in, s_in;
  (h_liq.*by_h)(first, beside(liq.h(), -1));
  (s_liq.*by_s)(first, liq.s());
  (h_vap.*by_h)(first, vap.h());
  (s_vap.*by_s)(first, beside(vap.s(), +1));
  (h_in.*by_h)(first, beside(liq.h(), +1));
  (s_in.*by_s)(first, beside(vap.s(), -1));
  for (const steam95* st : {&h_liq, &s_liq}) {
    EXPECT_EQ(st->x(), quality_subcooled);
    EXPECT_NEAR(st->rho() / liq.rho(), 1.0, 1e-6);
  }
  for (const steam95* st : {&h_vap, &s_vap}) {
    EXPECT_EQ(st->x(), quality_superheated);
    EXPECT_NEAR(st->rho() / vap.rho(), 1.0, 1e-5);
  }
  EXPECT_TRUE(h_in.two_phase());
  EXPECT_LT(h_in.x(), 1e-6);
  EXPECT_TRUE(s_in.two_phase());
  EXPECT_GT(s_in.x(), 1 - 1e-6);
}

TEST(NearSaturation, EnergyAndEntropyBesideTheLineKeepTheirBranch) {
  for (const double p : {0.001, 0.1, 1.0, 10.0, 21.0}) {
    SCOPED_TRACE(testing::Message() << "p=" << p);
    steam95 liq, vap;
    liq.at_psat(p, 0);
    vap.at_psat(p, 1);
    expect_beside_the_line(liq, vap, &steam95::at_ph, &steam95::at_ps, p);
  }
  for (const double T : {280.0, 450.0, 640.0}) {
    SCOPED_TRACE(testing::Message() << "T=" << T);
    steam95 liq, vap;
    liq.at_tsat(T, 0);
    vap.at_tsat(T, 1);
    expect_beside_the_line(liq, vap, &steam95::at_th, &steam95::at_ts, T);
  }
}

// --- The inputs that once gave wrong answers.

// Runs one construction on a fresh state and checks the error class and exact context.
template <class Error>
void expect_error(void (steam95::*build)(double, double), double a, double b, const char* context) {
  steam95 st;
  try {
    (st.*build)(a, b);
    ADD_FAILURE() << "no error, expected " << context << "; p = " << st.p();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), context);
  }
  EXPECT_FALSE(st.valid());
}

TEST(Mends, TemperaturePressureCodeFollowsTheDensityFound) {
  // 1.01 °C and 0.00657561 bar, a hair above the saturation pressure: compressed liquid.
  steam95 st;
  st.at_tp(274.16, 0.000657561);
  EXPECT_EQ(st.x(), quality_subcooled);
  EXPECT_GT(st.helm().delta(), 1.0);
}

TEST(Mends, StatesOffTheStableIsothermAreRefused) {
  // Cold liquid cannot reach 1 bar below about 234 K: the stability limit is no answer.
  expect_error<convergence_error>(&steam95::at_tp, 233.15, 0.1, "steam95::at_tp");
  // 50 kJ/kg at 20 °C is liquid under negative pressure.
  expect_error<std::domain_error>(&steam95::at_th, 293.15, 50, "steam95::at_th");
  // 250 K and 0.01 m³/kg lie between the spinodals of a supercooled isotherm.
  expect_error<std::domain_error>(&steam95::at_tv, 250, 0.01, "steam95::at_tv");
}

TEST(Mends, EnthalpyBesideTheLiquidLineStaysLiquid) {
  steam95 liq, st;
  liq.at_psat(1, 0);
  st.at_ph(1, liq.h() * (1 - 1e-8));
  EXPECT_EQ(st.x(), quality_subcooled);
  EXPECT_NEAR(st.rho() / liq.rho(), 1.0, 1e-6);
}

TEST(Mends, FixedTemperatureIterationReachesDiluteVapour) {
  // 0.4 mbar at 0 °C: a density near 3e-4 kg/m³.
  steam95 original, by_s, by_h;
  original.at_tp(273.15, 0.00004);
  by_s.at_ts(273.15, original.s());
  by_h.at_th(273.15, original.h());
  EXPECT_NEAR(by_s.rho(), original.rho(), 1e-6 * original.rho());
  EXPECT_NEAR(by_h.h(), original.h(), 1e-6);
}

TEST(Mends, EnthalpyEntropyBeyondTheTopIsobar) {
  // s above 8.8 (dilute vapour) and below 0.7 (cold liquid) have no state at 10000 MPa.
  for (const auto& [T, p] : {std::pair{500.0, 0.01}, std::pair{300.0, 1.0}}) {
    SCOPED_TRACE(testing::Message() << "T=" << T);
    steam95 original, st;
    original.at_tp(T, p);
    st.at_hs(original.h(), original.s());
    EXPECT_NEAR(st.t(), T, 1e-4);
    EXPECT_NEAR(st.h(), original.h(), 1e-4);
  }
}

TEST(Mends, ZeroTargetKeepsTheLiquid) {
  steam95 st;
  st.at_pu(C::pt, 0);
  EXPECT_EQ(st.x(), quality_subcooled);
  EXPECT_GT(st.helm().delta(), 1.0);
  // The temperature search fixes T to 1e-8 relative, u to about cv·T·1e-8.
  EXPECT_NEAR(st.u(), 0.0, 2e-5);
}

// --- Errors.

TEST(Errors, RangeChecksNameTheirContext) {
  using E = std::domain_error;
  const struct {
    void (steam95::*build)(double, double);
    double a, b;
    const char* context;
  } cases[] = {
      {&steam95::at_tp, std::nextafter(190.0, 0.0), 1, "steam95::t"},
      {&steam95::at_tv, 5000.5, 1, "steam95::t"},
      {&steam95::at_th, 189.99, 100, "steam95::t"},
      {&steam95::at_tp, 300, -0.001, "steam95::p"},
      {&steam95::at_ph, 10000.1, 100, "steam95::p"},
      {&steam95::at_tsat, 273.15, 0, "steam95::at_tsat"},
      {&steam95::at_tsat, 650, 0, "steam95::at_tsat"},
      {&steam95::at_tsat, 300, 1.5, "steam95::at_tsat"},
      {&steam95::at_psat, std::nextafter(C::pt, 0.0), 0, "steam95::at_psat"},
      {&steam95::at_psat, 23, 0, "steam95::at_psat"},
      {&steam95::at_psat, 1, -0.1, "steam95::at_psat"},
      {&steam95::at_tsat, 300, nan, "steam95"},
      {&steam95::at_psat, 1, nan, "steam95"},
      {&steam95::at_tv, 300, 0, "steam95::at_tv"},
      {&steam95::at_ph, 1, 1e5, "helmholtz_tfind"},
      {&steam95::at_ps, 1, -5, "helmholtz_tfind"},
      // A NaN key would compare equivalent to every cached key: refused before the lookup.
      {&steam95::at_tp, nan, 1, "steam95::t"},
      {&steam95::at_tp, 300, nan, "steam95::p"},
      {&steam95::at_th, 300, nan, "steam95::at_th"},
      {&steam95::at_pv, 1, nan, "helmholtz_tfind"},
      {&steam95::at_hs, nan, 1, "helmholtz_tfind"},
  };
  steam95 warm;  // a cached state for a NaN key to be mistaken for
  warm.at_tp(300, 1);
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.context << " " << c.a << ", " << c.b);
    expect_error<E>(c.build, c.a, c.b, c.context);
  }
  steam95 st;
  EXPECT_NO_THROW(st.at_psat(C::pt, 0));
  EXPECT_NO_THROW(st.at_tsat(C::Tt, 1));
}

// --- The state cache.

void expect_identical(const steam95& a, const steam95& b) {
  const auto bits = [](double d) { return std::bit_cast<std::uint64_t>(d); };
  EXPECT_EQ(a.valid(), b.valid());
  EXPECT_EQ(bits(a.x()), bits(b.x()));
  EXPECT_EQ(bits(a.helm().delta()), bits(b.helm().delta()));
  EXPECT_EQ(bits(a.helm().tau()), bits(b.helm().tau()));
  EXPECT_EQ(bits(a.h()), bits(b.h()));
}

TEST(StateCache, SecondCallIsAnsweredFromTheCache) {
  clear_library_caches();
  steam95 first, second;
  first.at_ps(1, 6.5);
  second.at_ps(1, 6.5);
  expect_identical(first, second);
  // A hit copies the stored state without solving: a planted entry is what comes back.
  steam95 planted, answered;
  planted.at_tp(400, 1);
  state_cache().insert_or_assign(state_key{2, 300.0, 1.0}, planted);
  answered.at_tp(300, 1);
  expect_identical(answered, planted);
  clear_library_caches();
}

TEST(StateCache, AnEnthalpyEntropyStateCachesEveryPressureStateItTried) {
  steam95 original, st;
  original.at_tp(500, 1);
  clear_library_caches();
  st.at_hs(original.h(), original.s());
  // One (p, s) state per evaluation of the pressure search, the final at_ps a hit, and
  // the (h, s) state itself.
  EXPECT_GE(state_cache().size(), 4u);
  EXPECT_EQ(state_cache().count(state_key{11, original.h(), original.s()}), 1u);
}

}  // namespace
}  // namespace Vantrel
