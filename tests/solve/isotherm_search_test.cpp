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
using build = void (steam95::*)(double, double);
using value = double (steam95::*)() const;

TEST(IsothermSearch, ReachesTheStatesTheIterationMisses) {
  const struct {
    const char* what;
    double T, p;
    build by;
    value y;
    bool two_answers;
  } cases[] = {
      // Dense fluid whose h lies above that of the dilute start, beyond the minimum of h.
      {"dense fluid by T-h", 1800, 1000, &steam95::at_th, &steam95::h, false},
      {"dense fluid by T-h", 2500, 100, &steam95::at_th, &steam95::h, false},
      // From 1.01·δ′ the iteration steps past the extremum of u or s.
      {"cold compressed liquid by T-u", 276, 120, &steam95::at_tu, &steam95::u, false},
      {"cold compressed liquid by T-s", 274, 500, &steam95::at_ts, &steam95::s, false},
      // Below the triple point no saturated density gives a liquid start.
      {"liquid below the triple point by T-h", 254, 200, &steam95::at_th, &steam95::h, false},
      {"liquid below the triple point by T-u", 260, 150, &steam95::at_tu, &steam95::u, false},
      // Beyond an extremum of s or u along a cold isotherm the pair has two liquid answers;
      // the search gives the one of lower pressure.
      {"s with answers near 12 and 150 MPa", 260, 150, &steam95::at_ts, &steam95::s, true},
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
  // Inputs with no state on any stable branch still fail as the iteration failed.
  steam95 st;
  EXPECT_THROW(st.at_th(300, -1000), convergence_error);
  EXPECT_THROW(st.at_ts(300, -5), std::domain_error);
  EXPECT_THROW(st.at_th(650, 1e4), convergence_error);
}

}  // namespace
}  // namespace Vantrel
