// IAPWS-IF97 against the computer-program verification values of the release, to the digits
// printed: the basic equations of regions 1, 2, 3 and 5, the metastable vapour, the region 4
// saturation equations and the B23 boundary.
#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>

#include "if97/if97.h"

namespace Vantrel::if97 {
namespace {

// Agreement to nine significant digits: within half a unit of the last digit printed.
testing::AssertionResult printed(double actual, double expected) {
  const double unit = std::pow(10.0, std::floor(std::log10(std::abs(expected))) - 8);
  if (std::abs(actual - expected) <= 0.5 * unit) return testing::AssertionSuccess();
  return testing::AssertionFailure() << std::setprecision(15) << actual << " differs from "
                                     << expected << " beyond its nine digits";
}

// One row of a Gibbs equation's table: the point and v, h, u, s, cp, w.
struct tp_check {
  double T, p, v, h, u, s, cp, w;
};

void expect_row(const state& st, const tp_check& c) {
  EXPECT_TRUE(printed(st.v, c.v)) << "v";
  EXPECT_TRUE(printed(st.h, c.h)) << "h";
  EXPECT_TRUE(printed(st.u, c.u)) << "u";
  EXPECT_TRUE(printed(st.s, c.s)) << "s";
  EXPECT_TRUE(printed(st.cp, c.cp)) << "cp";
  EXPECT_TRUE(printed(st.w, c.w)) << "w";
}

// IAPWS R7-97(2012), Table 5: region 1.
constexpr tp_check table5[] = {
    {300, 3, 0.100215168e-2, 0.115331273e3, 0.112324818e3, 0.392294792, 0.417301218e1,
     0.150773921e4},
    {300, 80, 0.971180894e-3, 0.184142828e3, 0.106448356e3, 0.368563852, 0.401008987e1,
     0.163469054e4},
    {500, 3, 0.120241800e-2, 0.975542239e3, 0.971934985e3, 0.258041912e1, 0.465580682e1,
     0.124071337e4},
};

// IAPWS R7-97(2012), Table 15: region 2.
constexpr tp_check table15[] = {
    {300, 0.0035, 0.394913866e2, 0.254991145e4, 0.241169160e4, 0.852238967e1, 0.191300162e1,
     0.427920172e3},
    {700, 0.0035, 0.923015898e2, 0.333568375e4, 0.301262819e4, 0.101749996e2, 0.208141274e1,
     0.644289068e3},
    {700, 30, 0.542946619e-2, 0.263149474e4, 0.246861076e4, 0.517540298e1, 0.103505092e2,
     0.480386523e3},
};

// IAPWS R7-97(2012), Table 18: the metastable-vapour equation.
constexpr tp_check table18[] = {
    {450, 1, 0.192516540, 0.276881115e4, 0.257629461e4, 0.656660377e1, 0.276349265e1,
     0.498408101e3},
    {440, 1, 0.186212297, 0.274015123e4, 0.255393894e4, 0.650218759e1, 0.298166443e1,
     0.489363295e3},
    {450, 1.5, 0.121685206, 0.272134539e4, 0.253881758e4, 0.629170440e1, 0.362795578e1,
     0.481941819e3},
};

// IAPWS R7-97(2012), Table 42: region 5.
constexpr tp_check table42[] = {
    {1500, 0.5, 0.138455090e1, 0.521976855e4, 0.452749310e4, 0.965408875e1, 0.261609445e1,
     0.917068690e3},
    {1500, 30, 0.230761299e-1, 0.516723514e4, 0.447495124e4, 0.772970133e1, 0.272724317e1,
     0.928548002e3},
    {2000, 30, 0.311385219e-1, 0.657122604e4, 0.563707038e4, 0.853640523e1, 0.288569882e1,
     0.106736948e4},
};

TEST(If97Checks, Region1ReproducesTable5) {
  for (const auto& c : table5) {
    SCOPED_TRACE(testing::Message() << "T=" << c.T << " p=" << c.p);
    expect_row(region1_tp(c.T, c.p), c);
  }
}

TEST(If97Checks, Region2ReproducesTable15) {
  for (const auto& c : table15) {
    SCOPED_TRACE(testing::Message() << "T=" << c.T << " p=" << c.p);
    expect_row(region2_tp(c.T, c.p), c);
  }
}

TEST(If97Checks, MetastableVapourReproducesTable18) {
  for (const auto& c : table18) {
    SCOPED_TRACE(testing::Message() << "T=" << c.T << " p=" << c.p);
    expect_row(metastable_vapour_tp(c.T, c.p), c);
  }
}

TEST(If97Checks, Region5ReproducesTable42) {
  for (const auto& c : table42) {
    SCOPED_TRACE(testing::Message() << "T=" << c.T << " p=" << c.p);
    expect_row(region5_tp(c.T, c.p), c);
  }
}

// The (T, p) points of the tables lie in the regions whose equations they check, and a state
// built from (T, p) is that equation's.
TEST(If97Checks, TablePointsLieInTheirRegions) {
  for (const auto& c : table5) EXPECT_EQ(region_of(c.T, c.p), region::one);
  for (const auto& c : table15) EXPECT_EQ(region_of(c.T, c.p), region::two);
  for (const auto& c : table42) EXPECT_EQ(region_of(c.T, c.p), region::five);
  EXPECT_TRUE(printed(at_tp(700, 30).v, table15[2].v));
  EXPECT_TRUE(printed(at_tp(2000, 30).h, table42[2].h));
}

// One row of region 3's table: the point (ρ, T) and p, h, u, s, cp, w.
struct rho_t_check {
  double T, rho, p, h, u, s, cp, w;
};

// IAPWS R7-97(2012), Table 33: region 3.
constexpr rho_t_check table33[] = {
    {650, 500, 0.255837018e2, 0.186343019e4, 0.181226279e4, 0.405427273e1, 0.138935717e2,
     0.502005554e3},
    {650, 200, 0.222930643e2, 0.237512401e4, 0.226365868e4, 0.485438792e1, 0.446579342e2,
     0.383444594e3},
    {750, 500, 0.783095639e2, 0.225868845e4, 0.210206932e4, 0.446971906e1, 0.634165359e1,
     0.760696041e3},
};

TEST(If97Checks, Region3ReproducesTable33) {
  for (const auto& c : table33) {
    SCOPED_TRACE(testing::Message() << "T=" << c.T << " rho=" << c.rho);
    const state st = region3_rho_t(c.rho, c.T);
    EXPECT_TRUE(printed(st.p, c.p)) << "p";
    EXPECT_TRUE(printed(st.h, c.h)) << "h";
    EXPECT_TRUE(printed(st.u, c.u)) << "u";
    EXPECT_TRUE(printed(st.s, c.s)) << "s";
    EXPECT_TRUE(printed(st.cp, c.cp)) << "cp";
    EXPECT_TRUE(printed(st.w, c.w)) << "w";
  }
}

TEST(If97Checks, SaturationPressureReproducesTable35) {
  // IAPWS R7-97(2012), Table 35.
  constexpr double rows[][2] = {{300, 0.353658941e-2}, {500, 0.263889776e1}, {600, 0.123443146e2}};
  for (const auto& r : rows) EXPECT_TRUE(printed(psat(r[0]), r[1])) << "T=" << r[0];
}

TEST(If97Checks, SaturationTemperatureReproducesTable36) {
  // IAPWS R7-97(2012), Table 36.
  constexpr double rows[][2] = {{0.1, 0.372755919e3}, {1, 0.453035632e3}, {10, 0.584149488e3}};
  for (const auto& r : rows) EXPECT_TRUE(printed(tsat(r[0]), r[1])) << "p=" << r[0];
}

TEST(If97Checks, B23ReproducesItsCheckPoint) {
  // IAPWS R7-97(2012), the check values of the B23 equations below Table 1.
  EXPECT_TRUE(printed(b23_p(623.15), 0.165291643e2));
  EXPECT_TRUE(printed(b23_t(0.165291643e2), 0.623150000e3));
}

}  // namespace
}  // namespace Vantrel::if97
