// States that the fixed-temperature Newton iterations of T-h, T-s and T-u cannot reach from
// their start and that the bracketed search along the stable branch of the isotherm finds:
// each is built from (T, p), read, and rebuilt from the temperature and one of h, s or u.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "model/constant95.h"
#include "model/errors.h"
#include "model/steam95.h"

namespace Vantrel {
namespace {

using C = constant95;

enum class energy { h, s, u };

struct isotherm_case {
  const char* what;
  double T, p;
  energy by;
};

double value_of(const steam95& st, energy by) {
  return by == energy::h ? st.h() : by == energy::s ? st.s() : st.u();
}

steam95 rebuilt(double T, double y, energy by) {
  steam95 st;
  if (by == energy::h) st.at_th(T, y);
  if (by == energy::s) st.at_ts(T, y);
  if (by == energy::u) st.at_tu(T, y);
  return st;
}

// The iterations' own tolerances on the second input.
double tolerance(energy by) {
  return by == energy::s ? 1e-8 : 1e-6;
}

// A state of the pair: the inputs come back, and the point is on the stable part of the
// isotherm inside the pressure range.
void expect_a_state_of_the_pair(const steam95& st, double T, double y, energy by) {
  EXPECT_TRUE(st.valid());
  EXPECT_NEAR(st.t(), T, 1e-12 * T);
  EXPECT_NEAR(value_of(st, by), y, tolerance(by));
  EXPECT_GT(st.helm().dpdrho(), 0.0);
  EXPECT_GE(st.p(), C::p_min);
  EXPECT_LE(st.p(), C::p_max);
}

// Where the pair has one answer the rebuilt state is the original.
TEST(IsothermSearch, ReachesTheOnlyAnswer) {
  constexpr isotherm_case cases[] = {
      // Dense supercritical fluid whose enthalpy lies above that of the dilute start: the
      // iteration cannot cross the enthalpy minimum of the isotherm.
      {"dense fluid by T-h", 1800, 1000, energy::h},
      {"dense fluid by T-h", 2000, 1000, energy::h},
      {"dense fluid by T-h", 2500, 100, energy::h},
      // Compressed liquid just above 0 °C: from 1.01·δ′ the iteration steps past the
      // extremum of u or s and off the liquid branch.
      {"cold compressed liquid by T-u", 276, 120, energy::u},
      {"cold compressed liquid by T-s", 274, 500, energy::s},
      // Liquid below the triple-point temperature, where no saturated density gives a
      // liquid start and the iteration from δ = 0.3 never reaches the liquid.
      {"liquid below the triple point by T-h", 260, 150, energy::h},
      {"liquid below the triple point by T-h", 254, 200, energy::h},
      {"liquid below the triple point by T-u", 260, 150, energy::u},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.what << " at T=" << c.T << " K, p=" << c.p << " MPa");
    steam95 original;
    original.at_tp(c.T, c.p);
    const double y = value_of(original, c.by);
    steam95 st;
    try {
      st = rebuilt(c.T, y, c.by);
    } catch (const std::exception& e) {
      ADD_FAILURE() << "raised " << e.what();
      continue;
    }
    expect_a_state_of_the_pair(st, c.T, y, c.by);
    // Liquid between the triple point and the critical temperature is subcooled at any
    // pressure; below the triple point and above Tc there is no saturation state.
    EXPECT_EQ(st.x(), c.T >= C::Tt && c.T < C::Tc ? quality_subcooled : quality_indeterminate);
    // The tolerance on y leaves p uncertain by tolerance/(∂y/∂p)_T, well below 1e-6 here.
    EXPECT_NEAR(st.p(), c.p, 1e-6 * c.p);
    EXPECT_NEAR(st.rho(), original.rho(), 1e-8 * original.rho());
  }
}

// Along a cold isotherm s and u pass through an extremum (s where the liquid has its density
// maximum), so the pair has two liquid answers; the search gives the one of lower pressure.
// Close to the extremum both answers lie within a few MPa of it and the pair hardly fixes
// the pressure.
TEST(IsothermSearch, TwoLiquidAnswersGiveTheLowerPressure) {
  constexpr isotherm_case cases[] = {
      {"entropy, answers near 12 and 150 MPa", 260, 150, energy::s},
      {"entropy at its maximum along the isotherm", 272, 24.2446, energy::s},
      {"internal energy at its maximum along the isotherm", 262, 142.51, energy::u},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.what << " at T=" << c.T << " K, p=" << c.p << " MPa");
    steam95 original;
    original.at_tp(c.T, c.p);
    const double y = value_of(original, c.by);
    steam95 st;
    try {
      st = rebuilt(c.T, y, c.by);
    } catch (const std::exception& e) {
      ADD_FAILURE() << "raised " << e.what();
      continue;
    }
    expect_a_state_of_the_pair(st, c.T, y, c.by);
    EXPECT_EQ(st.x(), quality_indeterminate);
    EXPECT_LT(st.p(), c.p * 1.02);
    // Liquid, and the same state when built from its own temperature and pressure.
    steam95 again;
    again.at_tp(c.T, st.p());
    EXPECT_NEAR(again.rho(), st.rho(), 1e-9 * st.rho());
  }
}

// Inputs with no state on any stable branch still fail as the iteration failed.
TEST(IsothermSearch, NoStateStillRaisesTheIterationsError) {
  EXPECT_THROW(rebuilt(300, -1000, energy::h), convergence_error);
  EXPECT_THROW(rebuilt(300, -5, energy::s), std::domain_error);
  EXPECT_THROW(rebuilt(2000, -5000, energy::u), convergence_error);
  EXPECT_THROW(rebuilt(650, 1e4, energy::h), convergence_error);
}

}  // namespace
}  // namespace Vantrel
