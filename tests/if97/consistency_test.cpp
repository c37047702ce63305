// IAPWS-IF97 against IAPWS-95 over the range of validity. The check tables test a few points of
// each equation; a wrong coefficient that barely moves them still moves the equation away from
// the scientific formulation it was fitted to somewhere on this grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "if97/if97.h"
#include "model/steam95.h"

namespace Vantrel::if97 {
namespace {

// Largest deviations allowed per region, near the ones the release states for its equations.
struct bounds {
  double v, h, s, cp, w;  // relative, kJ/kg, kJ/(kg·K), relative, relative
};
constexpr bounds bounds_for(region r) {
  switch (r) {
    case region::one:
      return {1e-4, 0.3, 5e-4, 2e-3, 5e-3};
    case region::three:
      return {1.5e-3, 1.0, 2e-3, 1.5e-2, 1e-2};
    default:
      return {5e-4, 0.5, 5e-4, 1e-2, 3e-3};
  }
}

// Around the critical point both formulations change steeply with T and p; the release
// compares them there through the saturation and critical parameters only.
bool critical_region(double T, double p) {
  return T > 620.0 && T < 720.0 && p > 15.0 && p < 40.0;
}

TEST(If97Consistency, AgreesWithIapws95OverTheRange) {
  int points = 0;
  for (double T = 273.15; T <= 2273.15; T += (T < T_mid ? 4.1 : 37.0)) {
    for (double p = 0.0005; p <= 100.0; p *= 1.23) {
      const region r = region_of(T, p);
      if (r == region::none || critical_region(T, p)) continue;
      SCOPED_TRACE(testing::Message()
                   << "T=" << T << " p=" << p << " region " << static_cast<int>(r));
      const state a = at_tp(T, p);
      steam95 b;
      b.at_tp(T, p);
      const bounds e = bounds_for(r);
      EXPECT_NEAR(a.v / b.v(), 1.0, e.v);
      EXPECT_NEAR(a.h, b.h(), e.h);
      EXPECT_NEAR(a.s, b.s(), e.s);
      EXPECT_NEAR(a.cp / b.cp(), 1.0, e.cp);
      EXPECT_NEAR(a.w / b.w(), 1.0, e.w);
      ++points;
    }
  }
  EXPECT_GT(points, 5000);
}

TEST(If97Consistency, SaturationAgreesWithIapws95) {
  for (double T = 273.16; T < 640.0; T += 9.7) {
    SCOPED_TRACE(testing::Message() << "T=" << T);
    const state liquid = saturation_at_t(T, 0.0), vapour = saturation_at_t(T, 1.0);
    steam95 b;
    b.at_tsat(T, 0.0);
    EXPECT_NEAR(liquid.p / b.p(), 1.0, 3e-4);
    EXPECT_NEAR(liquid.v / b.v(), 1.0, 1.5e-3);
    EXPECT_NEAR(liquid.h, b.h(), 1.0);
    b.at_tsat(T, 1.0);
    EXPECT_NEAR(vapour.v / b.v(), 1.0, 1.5e-3);
    EXPECT_NEAR(vapour.h, b.h(), 1.0);
  }
}

// Where two basic equations meet, they give the same state to within the consistency the
// formulation was built to: v 0.05 %, h 0.2 kJ/kg, s 0.2 J/(kg·K), cp 2 %, w 1 %.
void expect_consistent(const state& a, const state& b) {
  EXPECT_NEAR(a.v / b.v, 1.0, 5e-4);
  EXPECT_NEAR(a.h, b.h, 0.2);
  EXPECT_NEAR(a.s, b.s, 2e-4);
  EXPECT_NEAR(a.cp / b.cp, 1.0, 2e-2);
  EXPECT_NEAR(a.w / b.w, 1.0, 1e-2);
}

TEST(If97Consistency, NeighbouringEquationsAgreeAlongTheirBoundaries) {
  for (double p = psat(T_13); p <= p_max; p += 2.9) {
    SCOPED_TRACE(testing::Message() << "regions 1 and 3, p=" << p);
    expect_consistent(region1_tp(T_13, p), region3_rho_t(region3_density(T_13, p), T_13));
  }
  // From just above the corner where B23 meets the saturation line, on the vapour side.
  for (double T = T_13 + 1.0; T <= T_23; T += 4.3) {
    SCOPED_TRACE(testing::Message() << "regions 2 and 3, T=" << T);
    const double p = b23_p(T);
    expect_consistent(region2_tp(T, p), region3_rho_t(region3_density(T, p), T));
  }
  for (double p = 0.001; p <= p_max5; p *= 1.5) {
    SCOPED_TRACE(testing::Message() << "regions 2 and 5, p=" << p);
    expect_consistent(region2_tp(T_mid, p), region5_tp(T_mid, p));
  }
}

}  // namespace
}  // namespace Vantrel::if97
