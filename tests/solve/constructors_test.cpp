// The state constructors: saturated and two-phase states, states beside the saturation
// line, the inputs that once gave wrong answers, range errors, the state cache, and the
// states that only the search along an isotherm reaches.
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
#include "throws.h"

namespace Vantrel {
namespace {

using C = constant95;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// Saturated and two-phase states: x = 0 and 1 are the saturated phases, the critical
// temperature gives the critical density to both, and every pair that can name a wet state
// gives back the quality it was built with and the saturation temperature and pressure.
TEST(TwoPhaseStates, EveryPairRecoversTheQuality) {
  steam95 liq, vap, crit;
  liq.at_tsat(373.15, 0);
  vap.at_tsat(373.15, 1);
  EXPECT_TRUE(liq.x() == 0 && vap.x() == 1 && liq.helm().delta() > vap.helm().delta());
  crit.at_tsat(C::Tc, 0.3);
  EXPECT_TRUE(crit.helm().delta() == 1.0 && crit.delta_liq() == 1.0);
  for (const double T : {300.0, 450.0, 600.0}) {
    for (const double x : {0.01, 0.5, 0.99}) {
      SCOPED_TRACE(testing::Message() << "T=" << T << " x=" << x);
      steam95 mix, psat, tv, th, ph, ps;
      mix.at_tsat(T, x);
      EXPECT_TRUE(mix.two_phase());
      psat.at_psat(mix.p(), x);
      tv.at_tv(T, mix.v());
      th.at_th(T, mix.h());
      ph.at_ph(mix.p(), mix.h());
      ps.at_ps(mix.p(), mix.s());
      for (const steam95* st : {&psat, &tv, &th, &ph, &ps}) {
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
  for (const double T : {280.0, 550.0, 640.0}) {
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

// Energy and entropy 1e-9 relative beside the saturated values: outside the dome the state
// is the saturated phase on that side, inside it a mixture of almost that phase.
TEST(NearSaturation, EnergyAndEntropyBesideTheLineKeepTheirBranch) {
  // Pressures (MPa) on the line, then temperatures (K).
  for (const auto& [first, by_t] :
       {std::pair{0.001, false}, {1.0, false}, {21.0, false}, {280.0, true}, {640.0, true}}) {
    steam95 liq, vap;
    (liq.*(by_t ? &steam95::at_tsat : &steam95::at_psat))(first, 0);
    (vap.*(by_t ? &steam95::at_tsat : &steam95::at_psat))(first, 1);
    for (const auto& [by, y_liq, y_vap] :
         {std::tuple{by_t ? &steam95::at_th : &steam95::at_ph, liq.h(), vap.h()},
          std::tuple{by_t ? &steam95::at_ts : &steam95::at_ps, liq.s(), vap.s()}}) {
      SCOPED_TRACE(testing::Message() << "first input " << first << ", " << y_liq);
      steam95 below, above, inside;
      (below.*by)(first, y_liq - 1e-9 * std::abs(y_liq));
      (above.*by)(first, y_vap + 1e-9 * std::abs(y_vap));
      (inside.*by)(first, y_liq + 1e-9 * std::abs(y_liq));
      EXPECT_EQ(below.x(), quality_subcooled);
      EXPECT_NEAR(below.rho() / liq.rho(), 1.0, 1e-6);
      EXPECT_EQ(above.x(), quality_superheated);
      EXPECT_NEAR(above.rho() / vap.rho(), 1.0, 1e-5);
      EXPECT_TRUE(inside.two_phase());
      EXPECT_LT(inside.x(), 1e-6);
    }
  }
}

// The inputs that once gave wrong answers: each gives the state on the branch its phase
// code names (where there is no state, the error is checked with the range errors). p-h
// beside h′ is checked with the states beside the line; the round trips also reach more
// dilute vapour by T-h and T-u, and cold liquid of low s by h-s.
TEST(Mends, InputsThatOnceGaveWrongAnswers) {
  steam95 dilute, hot_vapour;
  dilute.at_tp(273.15, 0.00004);  // 0.4 mbar at 0 °C, about 3e-4 kg/m³
  hot_vapour.at_tp(500, 0.01);    // s above any state at 10000 MPa
  const struct {
    const char* what;
    void (steam95::*build)(double, double);
    double a, b;
    double code;
    const steam95* original = nullptr;
    double rho_tolerance = 0;
  } cases[] = {
      {"T-p a hair above psat", &steam95::at_tp, 274.16, 0.000657561, quality_subcooled},
      {"T-s of dilute vapour", &steam95::at_ts, 273.15, dilute.s(), quality_indeterminate, &dilute,
       1e-6},
      {"h-s, high s", &steam95::at_hs, hot_vapour.h(), hot_vapour.s(), quality_superheated,
       &hot_vapour, 1e-6},
      {"p-u with u = 0 at the triple point", &steam95::at_pu, C::pt, 0, quality_subcooled},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    steam95 st;
    (st.*c.build)(c.a, c.b);
    EXPECT_EQ(st.x(), c.code);
    EXPECT_EQ(st.helm().delta() > 1.0, c.code == quality_subcooled);
    if (c.original) {
      EXPECT_NEAR(st.rho(), c.original->rho(), c.rho_tolerance * st.rho());
    }
  }
}

// Just above the critical pressure, the equation of state also meets a liquid-like h or s on
// the loops of an isotherm inside the dome, where no state exists; the pressure-first pairs
// must answer the stable liquid, which T-p at the answer's temperature finds again.
TEST(Mends, PressureFirstPairsAboveTheCriticalPressureAnswerTheStableLiquid) {
  for (const double p : {22.5, 23.963643388672786, 30.0}) {
    for (const double h : {0.0, 500.0, 1000.0, 1500.0}) {
      SCOPED_TRACE(testing::Message() << "p=" << p << " h=" << h);
      steam95 ph, ps, tp;
      ph.at_ph(p, h);
      tp.at_tp(ph.t(), p);
      EXPECT_NEAR(ph.rho(), tp.rho(), 1e-6 * tp.rho());
      ps.at_ps(p, tp.s());
      EXPECT_NEAR(ps.t(), ph.t(), 1e-6 * ph.t());
    }
  }
}

// Every range error and refused input, with its exact context; the state stays invalid.
TEST(Errors, RefusedInputsNameTheirContext) {
  const struct {
    void (steam95::*build)(double, double);
    double a, b;
    const char* context;
    bool convergence = false;
  } cases[] = {
      {&steam95::at_tp, std::nextafter(190.0, 0.0), 1, "steam95::t"},
      {&steam95::at_th, 5000.5, 100, "steam95::t"},
      {&steam95::at_tp, 300, -0.001, "steam95::p"},
      {&steam95::at_ph, 10000.1, 100, "steam95::p"},
      {&steam95::at_tsat, 273.15, 0, "steam95::at_tsat"},
      {&steam95::at_tsat, 300, 1.5, "steam95::at_tsat"},
      {&steam95::at_psat, std::nextafter(C::pt, 0.0), 0, "steam95::at_psat"},
      {&steam95::at_psat, 23, 0, "steam95::at_psat"},
      {&steam95::at_psat, 1, nan, "steam95"},
      {&steam95::at_tv, 300, 0, "steam95::at_tv"},
      {&steam95::at_ph, 1, 1e5, "helmholtz_tfind"},
      {&steam95::at_ps, 1, -5, "helmholtz_tfind"},
      // A NaN key would compare equivalent to every cached key: refused before the lookup.
      {&steam95::at_tp, nan, 1, "steam95::t"},
      {&steam95::at_th, 300, nan, "steam95::at_th"},
      {&steam95::at_hs, nan, 1, "helmholtz_tfind"},
      // No state: cold liquid cannot reach 1 bar below about 234 K; 50 kJ/kg at 20 °C is
      // liquid under negative pressure; 250 K and 0.01 m³/kg lie between the spinodals.
      {&steam95::at_tp, 233.15, 0.1, "steam95::at_tp", true},
      {&steam95::at_th, 293.15, 50, "steam95::at_th"},
      {&steam95::at_tv, 250, 0.01, "steam95::at_tv"},
  };
  steam95 warm;  // a cached state for a NaN key to be mistaken for
  warm.at_tp(300, 1);
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.context << " " << c.a << ", " << c.b);
    steam95 st;
    const auto build = [&] { (st.*c.build)(c.a, c.b); };
    EXPECT_TRUE(c.convergence ? throws<convergence_error>(build, c.context)
                              : throws<std::domain_error>(build, c.context));
    EXPECT_FALSE(st.valid());
  }
  steam95 st;
  EXPECT_NO_THROW(st.at_psat(C::pt, 0));
  EXPECT_NO_THROW(st.at_tsat(C::Tt, 1));
}

// --- The state cache.

TEST(StateCache, SecondCallIsAnsweredFromTheCache) {
  clear_library_caches();
  steam95 first, second;
  first.at_ps(1, 6.5);
  second.at_ps(1, 6.5);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(first.h()), std::bit_cast<std::uint64_t>(second.h()));
  EXPECT_EQ(first.x(), second.x());
  // A hit copies the stored state without solving: a planted entry is what comes back.
  steam95 planted, answered;
  planted.at_tp(400, 1);
  state_cache().insert_or_assign(state_key{2, 300.0, 1.0}, planted);
  answered.at_tp(300, 1);
  EXPECT_EQ(answered.t(), 400);
  clear_library_caches();
}

// A cold h-s lookup of a wet state solves about twenty p-s states on its way. Thirty of them
// would fill the table past its bound and empty it; they leave one entry each instead, and a
// state finished before them is still answered from its entry afterwards.
TEST(StateCache, HsSearchesLeaveTheEntriesOfFinishedLookups) {
  double h[30], s[30];
  for (int i = 0; i < 30; ++i) {
    steam95 wet;
    wet.at_tsat(300 + 10 * i, 0.5);
    h[i] = wet.h();
    s[i] = wet.s();
  }
  clear_library_caches();
  steam95 finished;
  finished.at_tp(300, 1);
  const std::size_t saturation_entries = tsat_cache().size() + psat_cache().size();
  for (int i = 0; i < 30; ++i) {
    steam95 st;
    st.at_hs(h[i], s[i]);
    EXPECT_NEAR(st.t(), 300 + 10 * i, 1e-6);
  }
  EXPECT_EQ(state_cache().count(state_key{2, 300.0, 1.0}), 1u);
  EXPECT_EQ(state_cache().size(), 31u);
  EXPECT_EQ(tsat_cache().size() + psat_cache().size(), saturation_entries);
  // With its finished entry gone, the lookup searches again over the scratch tables that the
  // first search filled, and gives the bits of a search over empty tables.
  steam95 again, cold;
  state_cache().erase(state_key{11, h[7], s[7]});
  again.at_hs(h[7], s[7]);
  clear_library_caches();
  cold.at_hs(h[7], s[7]);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(again.p()), std::bit_cast<std::uint64_t>(cold.p()));
  EXPECT_EQ(again.x(), cold.x());
  clear_library_caches();
}

// States that the fixed-temperature Newton iterations of T-h, T-s and T-u cannot reach from
// their start and that the bracketed search along the stable branch of the isotherm finds:
// each is built from (T, p), read, and rebuilt from the temperature and one of h, s or u.
TEST(IsothermSearch, ReachesTheStatesTheIterationMisses) {
  using value = double (steam95::*)() const;
  const struct {
    const char* what;
    double T, p;
    void (steam95::*by)(double, double);
    value y;
    bool two_answers;
  } cases[] = {
      // Dense fluid whose h lies above that of the dilute start, beyond the minimum of h.
      {"dense fluid by T-h", 1800, 1000, &steam95::at_th, &steam95::h, false},
      // From 1.01·δ′ the iteration steps past the extremum of u or s.
      {"cold compressed liquid by T-u", 276, 120, &steam95::at_tu, &steam95::u, false},
      {"cold compressed liquid by T-s", 274, 500, &steam95::at_ts, &steam95::s, false},
      // Below the triple point no saturated density gives a liquid start.
      {"liquid below the triple point by T-h", 254, 200, &steam95::at_th, &steam95::h, false},
      // Beyond an extremum of s or u along a cold isotherm the pair has two liquid answers;
      // the search gives the one of lower pressure.
      {"s at its maximum along the isotherm", 272, 24.2446, &steam95::at_ts, &steam95::s, true},
      {"u at its maximum along the isotherm", 262, 142.51, &steam95::at_tu, &steam95::u, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.what << " at T=" << c.T << " K, p=" << c.p << " MPa");
    steam95 original, st;
    original.at_tp(c.T, c.p);
    const double y = (original.*c.y)();
    ASSERT_NO_THROW((st.*c.by)(c.T, y));
    EXPECT_NEAR((st.*c.y)(), y, c.y == &steam95::s ? 1e-8 : 1e-6);
    EXPECT_GT(st.helm().dpdrho(), 0.0);
    EXPECT_EQ(st.x(), c.T >= C::Tt && c.T < C::Tc ? quality_subcooled : quality_indeterminate);
    if (c.two_answers) {
      EXPECT_LT(st.p(), c.p * 1.02);
      EXPECT_GE(st.p(), C::p_min);
    } else {
      EXPECT_NEAR(st.p(), c.p, 1e-6 * c.p);
      EXPECT_NEAR(st.rho(), original.rho(), 1e-8 * original.rho());
    }
  }
  // Inputs with no state on any stable branch are out of range: an energy beyond every state of
  // the isotherm, or an entropy that the iteration carried to an unstable point.
  steam95 st;
  EXPECT_THROW(st.at_th(300, -1000), std::domain_error);
  EXPECT_THROW(st.at_ts(300, -5), std::domain_error);
  EXPECT_THROW(st.at_th(650, 1e4), std::domain_error);
  EXPECT_THROW(st.at_tu(700, -500), std::domain_error);
}

}  // namespace
}  // namespace Vantrel
