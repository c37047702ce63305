// The backward equations against states of IAPWS-95: T from (p, h(T,p)), v from (p, T) and
// so on, over a grid in each region. The releases keep each backward equation within tens of
// millikelvin (or 0.01 % in v and p) of IF97's basic equations, and IF97 lies close to
// IAPWS-95 away from the critical point, so the grid must come back within those two
// differences together. One wrong digit in a coefficient moves the result far more in the
// part of the region where its term weighs, which a handful of check points can miss.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "if97/backward.h"
#include "if97/backward_saturation.h"
#include "model/steam95.h"

namespace Vantrel::if97 {
namespace {

using backward_detail::b23_p;
using backward_detail::psat_t;

struct state {
  double T, p, h, s, v;
};

state at(double T, double p) {
  steam95 st;
  st.at_tp(T, p);
  return {T, p, st.h(), st.s(), st.v()};
}

// A T-p grid over a box, linear in T and logarithmic in p, of the states a region holds.
struct box {
  double T0, T1, p0, p1;
  bool (*inside)(double T, double p);
};

// The largest deviation of a backward result over the grid.
template <class Deviation>
double worst(const box& b, Deviation deviation) {
  double w = 0.0;
  constexpr int n = 14;
  for (int i = 0; i <= n; ++i) {
    const double T = b.T0 + (b.T1 - b.T0) * i / n;
    for (int j = 0; j <= n; ++j) {
      const double p = b.p0 * std::pow(b.p1 / b.p0, static_cast<double>(j) / n);
      if (!b.inside(T, p)) continue;
      // A NaN, an equation with no answer, is the worst deviation of all.
      const double d = std::fabs(deviation(at(T, p)));
      w = std::isnan(d) ? INFINITY : std::max(w, d);
    }
  }
  return w;
}

// Regions 1, 2 and 3 away from their boundaries and the critical point. Liquid compressed
// only a little at low pressure lies within the tolerance of the h'(s) line, so region 1
// keeps 10 % above the saturation pressure.
constexpr box region1{273.16, 620, 0.1, 100,
                      [](double T, double p) { return p > 1.1 * psat_t(T); }};
constexpr box region2{300, 1070, 0.001, 100, [](double T, double p) {
                        return (T > 647 || p < 0.95 * psat_t(T)) &&
                               (T > 870 || p < b23_p(T) * 0.95);
                      }};
constexpr box region3{630, 860, 17, 100, [](double T, double p) {
                        const bool near_critical = std::fabs(T - 647.1) < 10 && p < 30;
                        return p > b23_p(T) * 1.05 && (T > 647.1 || p > 1.05 * psat_t(T)) &&
                               !near_critical;
                      }};

using deviation_fn = double (*)(const state&);
struct consistency_case {
  const char* name;
  const box* where;
  deviation_fn deviation;
  double tolerance;
};

// Tolerances: the release's permissible inconsistency plus IF97's distance from IAPWS-95,
// with a margin; the largest deviations on these grids are about two thirds of them.
// Relative deviations are used where the value spans decades, absolute ones in T and
// in p of the liquid, which hardly depends on h and s at low pressure.
const consistency_case cases[] = {
    {"T1(p,h)", &region1, [](const state& x) { return t1_ph(x.p, x.h) - x.T; }, 0.1},
    {"T1(p,s)", &region1, [](const state& x) { return t1_ps(x.p, x.s) - x.T; }, 0.1},
    {"p1(h,s)", &region1, [](const state& x) { return p1_hs(x.h, x.s) - x.p; }, 0.04},
    {"T2(p,h)", &region2, [](const state& x) { return t2_ph(x.p, x.h) - x.T; }, 0.25},
    {"T2(p,s)", &region2, [](const state& x) { return t2_ps(x.p, x.s) - x.T; }, 0.25},
    {"p2(h,s)", &region2, [](const state& x) { return p2_hs(x.h, x.s) / x.p - 1; }, 4e-4},
    {"T3(p,h)", &region3, [](const state& x) { return t3_ph(x.p, x.h) - x.T; }, 0.12},
    {"v3(p,h)", &region3, [](const state& x) { return v3_ph(x.p, x.h) / x.v - 1; }, 1e-3},
    {"T3(p,s)", &region3, [](const state& x) { return t3_ps(x.p, x.s) - x.T; }, 0.12},
    {"v3(p,s)", &region3, [](const state& x) { return v3_ps(x.p, x.s) / x.v - 1; }, 1e-3},
    {"p3(h,s)", &region3, [](const state& x) { return p3_hs(x.h, x.s) / x.p - 1; }, 1e-3},
    {"v3(p,T)", &region3, [](const state& x) { return v3_pt(x.p, x.T) / x.v - 1; }, 1.6e-3},
    // p(h,s) must find the region itself and answer as its region's equation does.
    {"p(h,s) in 1", &region1, [](const state& x) { return p_hs(x.h, x.s) - x.p; }, 0.04},
    {"p(h,s) in 2", &region2, [](const state& x) { return p_hs(x.h, x.s) / x.p - 1; }, 4e-4},
    {"p(h,s) in 3", &region3, [](const state& x) { return p_hs(x.h, x.s) / x.p - 1; }, 1e-3},
};

TEST(If97BackwardConsistency, GridsOverEachRegionReturnTheirIapws95States) {
  for (const auto& c : cases) {
    const double w = worst(*c.where, c.deviation);
    EXPECT_LT(w, c.tolerance) << c.name;
  }
}

TEST(If97BackwardConsistency, WetStatesReturnTheirSaturationTemperature) {
  // Tsat(h,s) covers the two-phase region from s''(623.15 K) up; below it region_hs still
  // names region 4 but p_hs has no equation to give.
  for (double T = 275; T <= 620; T += 15) {
    for (double x = 0.05; x < 1.0; x += 0.15) {
      steam95 st;
      st.at_tsat(T, x);
      const double h = st.h();
      const double s = st.s();
      SCOPED_TRACE(::testing::Message() << "T=" << T << " x=" << x);
      EXPECT_EQ(region_hs(h, s), 4);
      if (s < s_vapour_623) {
        EXPECT_TRUE(std::isnan(p_hs(h, s)));
        continue;
      }
      EXPECT_NEAR(tsat_hs(h, s), T, 0.05);
      EXPECT_NEAR(p_hs(h, s) / st.p(), 1.0, 1e-3);
    }
  }
}

}  // namespace
}  // namespace Vantrel::if97
