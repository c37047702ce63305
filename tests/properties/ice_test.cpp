// Melting and sublimation curves of ice (IAPWS 1993 equations) and the temperature window
// that the pressure-input constructors search in.
#include "properties/ice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "model/constant95.h"

namespace Vantrel::ice {
namespace {

constexpr double Tt = constant95::Tt;
constexpr double pt = constant95::pt;
constexpr double Tc = constant95::Tc;
constexpr double pc = constant95::pc;

struct curve_check {
  double T, p;
};

// Values of the 1993 sublimation equation (computed to 11 digits).
constexpr curve_check sublimation[] = {
    {190, 3.2262863118e-8}, {200, 1.6226518216e-7}, {230, 8.9465316539e-6},
    {250, 7.6028975429e-5}, {270, 4.7007825370e-4},
};

TEST(IceSublimation, ReproducesThe1993Equation) {
  for (const auto& c : sublimation) {
    SCOPED_TRACE(testing::Message() << "T=" << c.T);
    EXPECT_NEAR(subl_pressure(c.T), c.p, 1e-10 * c.p);
  }
  EXPECT_NEAR(p_min(), 3.226286311845408e-08, 1e-15 * 3.226286311845408e-08);
  EXPECT_EQ(subl_pressure(Tt), pt);
}

TEST(IceSublimation, TemperatureInvertsPressure) {
  for (double T = 190.0; T <= 273.0; T += 7.5) {
    SCOPED_TRACE(testing::Message() << "T=" << T);
    EXPECT_NEAR(subl_temperature(subl_pressure(T)), T, 1e-7 * T);
  }
  // Both ends are known values; the end value pt − p is exactly 0 there.
  EXPECT_EQ(subl_temperature(pt), Tt);
  EXPECT_NEAR(subl_temperature(p_min()), 190.0, 1e-9);
}

struct melt_check {
  double T;
  int phase;
  double p;
  double tol;  // half a unit in the last printed digit
};

// IAPWS R14-08(2011) Table 3 for ices V, VI and VII (unchanged since 1993, printed to six
// digits), and computed values of the 1993 equations for the other curves.
constexpr melt_check high_melting[] = {
    {265, 2, 479.640, 5e-4},    {320, 3, 1356.76, 5e-3},    {550, 4, 6308.71, 5e-3},
    {252, 1, 223.555983, 5e-7}, {254, 1, 269.455928, 5e-7}, {260, 2, 402.582603, 5e-7},
    {280, 3, 712.374148, 5e-7}, {400, 4, 2816.64259, 5e-6}, {700, 4, 19554.4063, 5e-5},
};

TEST(IceMelting, ReproducesPublishedAndComputedPressures) {
  for (const auto& c : high_melting) {
    SCOPED_TRACE(testing::Message() << "T=" << c.T);
    const auto m = high_melt_pressure(c.T);
    EXPECT_EQ(m.phase, c.phase);
    EXPECT_NEAR(m.quantity, c.p, c.tol);
  }
  constexpr curve_check ice_ih[] = {{255, 180.301935}, {260, 139.382059}, {270, 39.9620024}};
  for (const auto& c : ice_ih) {
    SCOPED_TRACE(testing::Message() << "ice Ih T=" << c.T);
    const auto m = low_melt_pressure(c.T);
    EXPECT_EQ(m.phase, 0);
    EXPECT_NEAR(m.quantity, c.p, 1e-8 * c.p);
  }
}

TEST(IceMelting, BoundaryTemperatureBelongsToTheLowerPhase) {
  const auto at_III = high_melt_pressure(T_III);
  EXPECT_EQ(at_III.phase, 1);
  EXPECT_EQ(at_III.quantity, 209.9);
  EXPECT_EQ(high_melt_pressure(256.164).phase, 1);
  EXPECT_EQ(high_melt_pressure(273.31).phase, 2);
  const auto at_VII = high_melt_pressure(355.0);
  EXPECT_EQ(at_VII.phase, 3);
  EXPECT_NEAR(at_VII.quantity, 2216.0022571602276, 1e-12 * 2216.0);
  EXPECT_EQ(high_melt_pressure(355.0000001).phase, 4);
  // The ice Ih curve misses the ice III triple point by 1.5 kPa.
  EXPECT_NEAR(low_melt_pressure(T_III).quantity, 209.8985, 1e-4);
}

TEST(IceMelting, TemperatureInvertsPressureOnEveryCurve) {
  for (double T = 252.0; T < 715.0; T += 11.0) {
    SCOPED_TRACE(testing::Message() << "T=" << T);
    const auto m = high_melt_pressure(T);
    const auto back = melt_temperature(m.quantity);
    EXPECT_EQ(back.phase, m.phase);
    EXPECT_NEAR(back.quantity, T, 1e-7 * T);
  }
  for (double T = 252.0; T < 273.0; T += 2.0) {
    SCOPED_TRACE(testing::Message() << "ice Ih T=" << T);
    const auto back = melt_temperature(low_melt_pressure(T).quantity);
    EXPECT_EQ(back.phase, 0);
    EXPECT_NEAR(back.quantity, T, 1e-7 * T);
  }
}

TEST(IceMelting, BranchesMeetAtTheIceIIITriplePoint) {
  const auto above = melt_temperature(209.91);
  EXPECT_EQ(above.phase, 1);
  EXPECT_GT(above.quantity, 251.165);
  EXPECT_LT(above.quantity, 251.2);

  const auto below = melt_temperature(200.0);
  EXPECT_EQ(below.phase, 0);
  EXPECT_GT(below.quantity, T_III);
  EXPECT_LT(below.quantity, Tt);

  const auto at_pt = melt_temperature(pt);
  EXPECT_EQ(at_pt.phase, 0);
  EXPECT_EQ(at_pt.quantity, Tt);
}

template <class Call>
void expect_domain_error(Call call, const char* context) {
  SCOPED_TRACE(context);
  try {
    call();
    ADD_FAILURE() << "no error";
  } catch (const std::domain_error& e) {
    EXPECT_STREQ(e.what(), context);
  }
}

TEST(IceErrors, RangeErrorsCarryTheOperationName) {
  expect_domain_error([] { subl_pressure(189.9); }, "ice::subl_pressure");
  expect_domain_error([] { subl_pressure(273.16); }, "ice::subl_pressure");  // above Tt as stored
  expect_domain_error([] { subl_temperature(1e-9); }, "ice::subl_temperature");
  expect_domain_error([] { subl_temperature(0.0); }, "ice::subl_temperature");
  expect_domain_error([] { low_melt_pressure(251.16); }, "ice::low_melt_pressure");
  expect_domain_error([] { high_melt_pressure(715.0001); }, "ice::high_melt_pressure");
  expect_domain_error([] { melt_temperature(0.0006); }, "ice::melt_temperature");
  expect_domain_error([] { melt_temperature(20618.001); }, "ice::melt_temperature");
  // A pressure that is not a number is refused, not handed to the solver.
  expect_domain_error([] { melt_temperature(std::nan("")); }, "ice::melt_temperature");
  expect_domain_error([] { subl_temperature(std::nan("")); }, "ice::subl_temperature");
  // Between the ice Ih curve's end (209.8985 MPa) and the ice III triple point, and between
  // the ice VII curve's end (20617.81 MPa) and 20618 MPa, no curve reaches the pressure.
  expect_domain_error([] { melt_temperature(209.9); }, "brent_solver");
  expect_domain_error([] { melt_temperature(20617.9); }, "brent_solver");
}

TEST(IceTemperatureBounds, SublimationUpToTheTriplePointMeltingAbove) {
  double lower = 0.0, upper = 0.0;
  temperature_bounds(pt / pc, lower, upper, 0.0);
  EXPECT_EQ(upper, 5000.0 / Tc);
  EXPECT_NEAR(lower * Tc, Tt, 1e-9);
  temperature_bounds(subl_pressure(230.0) / pc, lower, upper, 20.0);
  EXPECT_NEAR(lower * Tc, 210.0, 1e-6);
  temperature_bounds(high_melt_pressure(300.0).quantity / pc, lower, upper, 20.0);
  EXPECT_NEAR(lower * Tc, 280.0, 1e-6);
}

}  // namespace
}  // namespace Vantrel::ice
