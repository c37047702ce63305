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

}  // namespace
}  // namespace Vantrel::if97
