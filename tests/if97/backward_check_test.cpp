// The backward equations of regions 1-4 against the check values printed in their releases.
#include "backward_check.h"

#include <gtest/gtest.h>

#include "if97/backward.h"

namespace Vantrel::if97 {
namespace {

// One printed check value of a two-argument function and the significant digits printed.
struct check {
  double x, y, expected;
};
using two_args = double (*)(double, double);

void expect_table(two_args f, const check* rows, int count, int digits) {
  for (int i = 0; i < count; ++i) {
    const auto& c = rows[i];
    SCOPED_TRACE(::testing::Message() << "x=" << c.x << " y=" << c.y);
    EXPECT_PRINTED(f(c.x, c.y), c.expected, digits);
  }
}

template <int N>
void expect_table(two_args f, const check (&rows)[N], int digits) {
  expect_table(f, rows, N, digits);
}

TEST(If97Backward, RegionOneMatchesTables7And9) {
  // T1(p,h) (IAPWS R7-97(2012), Table 7).
  constexpr check t_ph[] = {
      {3, 500, 0.391798509e3}, {80, 500, 0.378108626e3}, {80, 1500, 0.611041229e3}};
  // T1(p,s) (IAPWS R7-97(2012), Table 9).
  constexpr check t_ps[] = {
      {3, 0.5, 0.307842258e3}, {80, 0.5, 0.309979785e3}, {80, 3, 0.565899909e3}};
  expect_table(t1_ph, t_ph, 9);
  expect_table(t1_ps, t_ps, 9);
}

TEST(If97Backward, RegionTwoMatchesTables24And29) {
  // T2(p,h), three points in each of 2a, 2b, 2c (IAPWS R7-97(2012), Table 24).
  constexpr check t_ph[] = {
      {0.001, 3000, 0.534433241e3}, {3, 3000, 0.575373370e3},  {3, 4000, 0.101077577e4},
      {5, 3500, 0.801299102e3},     {5, 4000, 0.101531583e4},  {25, 3500, 0.875279054e3},
      {40, 2700, 0.743056411e3},    {60, 2700, 0.791137067e3}, {60, 3200, 0.882756860e3}};
  // T2(p,s) (IAPWS R7-97(2012), Table 29).
  constexpr check t_ps[] = {
      {0.1, 7.5, 0.399517097e3}, {0.1, 8, 0.514127081e3},   {2.5, 8, 0.103984917e4},
      {8, 6, 0.600484040e3},     {8, 7.5, 0.106495556e4},   {90, 6, 0.103801126e4},
      {20, 5.75, 0.697992849e3}, {80, 5.25, 0.854011484e3}, {80, 5.75, 0.949017998e3}};
  expect_table(t2_ph, t_ph, 9);
  expect_table(t2_ps, t_ps, 9);
}

TEST(If97Backward, RegionTwoSubRegionsFollowTheirBoundaries) {
  // B2bc check value (IAPWS R7-97(2012), after Eq. 21): 100 MPa at 3516.004323 kJ/kg.
  EXPECT_PRINTED(b2bc_p(0.3516004323e4), 0.1e3, 9);
  EXPECT_PRINTED(b2bc_h(0.1e3), 0.3516004323e4, 10);
  EXPECT_EQ(region2_ph(4.0, 3000), 'a');
  EXPECT_EQ(region2_ph(4.001, 3000), 'b');  // below the pressure range of B2bc
  EXPECT_EQ(region2_ph(6.5, 2800), 'b');
  EXPECT_EQ(region2_ph(60, b2bc_h(60) - 1), 'c');
  EXPECT_EQ(region2_ph(60, b2bc_h(60) + 1), 'b');
  EXPECT_EQ(region2_ps(20, 5.85), 'b');
  EXPECT_EQ(region2_ps(20, 5.849), 'c');
}

TEST(If97Backward, PressureFromEnthalpyAndEntropyMatchesSR2Checks) {
  // p1(h,s) (IAPWS SR2-01(2014), check values of Eq. 1).
  constexpr check p1[] = {
      {0.001, 0, 0.9800980612e-3}, {90, 0, 0.9192954727e2}, {1500, 3.4, 0.5868294423e2}};
  // p2(h,s), three points in each of 2a, 2b, 2c (IAPWS SR2-01(2014), check values of Eqs. 3-5).
  constexpr check p2[] = {
      {2800, 6.5, 0.1371012767e1}, {2800, 9.5, 0.1879743844e-2}, {4100, 9.5, 0.1024788997},
      {2800, 6, 0.4793911442e1},   {3600, 6, 0.8395519209e2},    {3600, 7, 0.7527161441e1},
      {2800, 5.1, 0.9439202060e2}, {2800, 5.8, 0.8414574124e1},  {3400, 5.8, 0.8376903879e2}};
  expect_table(p1_hs, p1, 10);
  expect_table(p2_hs, p2, 10);
  // The 2a-2b boundary h2ab(s) (IAPWS SR2-01(2014), check value of Eq. 2).
  EXPECT_PRINTED(b2ab_h(7), 0.3376437884e4, 10);
}

TEST(If97Backward, RegionThreeFromPressureMatchesSR3Checks) {
  // Points in 3a then 3b, shared by the four equations (IAPWS SR3-03(2014) check tables).
  constexpr check t_ph[] = {{20, 1700, 0.6293083892e3},  {50, 2000, 0.6905718338e3},
                            {100, 2100, 0.7336163014e3}, {20, 2500, 0.6418418053e3},
                            {50, 2400, 0.7351848618e3},  {100, 2700, 0.8420460876e3}};
  constexpr check v_ph[] = {{20, 1700, 0.1749903962e-2},  {50, 2000, 0.1908139035e-2},
                            {100, 2100, 0.1676229776e-2}, {20, 2500, 0.6670547043e-2},
                            {50, 2400, 0.2801244590e-2},  {100, 2700, 0.2404234998e-2}};
  constexpr check t_ps[] = {{20, 3.8, 0.6282959869e3},  {50, 3.6, 0.6297158726e3},
                            {100, 4.0, 0.7056880237e3}, {20, 5.0, 0.6401176443e3},
                            {50, 4.5, 0.7163687517e3},  {100, 5.0, 0.8474332825e3}};
  constexpr check v_ps[] = {{20, 3.8, 0.1733791463e-2},  {50, 3.6, 0.1469680170e-2},
                            {100, 4.0, 0.1555893131e-2}, {20, 5.0, 0.6262101987e-2},
                            {50, 4.5, 0.2332634294e-2},  {100, 5.0, 0.2449610757e-2}};
  expect_table(t3_ph, t_ph, 10);
  expect_table(v3_ph, v_ph, 10);
  expect_table(t3_ps, t_ps, 10);
  expect_table(v3_ps, v_ps, 10);
  // h3ab(p) (IAPWS SR3-03(2014), check value of Eq. 1).
  EXPECT_PRINTED(b3ab_h(25), 0.2095936454e4, 10);
  // The saturation line in region 3 as p(h) and p(s) (IAPWS SR3-03(2014), check values).
  constexpr check psat_h[] = {
      {1700, 0, 0.1724175718e2}, {2000, 0, 0.2193442957e2}, {2400, 0, 0.2018090839e2}};
  constexpr check psat_s[] = {
      {3.8, 0, 0.1687755057e2}, {4.2, 0, 0.2164451789e2}, {5.2, 0, 0.1668968482e2}};
  expect_table([](double h, double) { return p3sat_h(h); }, psat_h, 10);
  expect_table([](double s, double) { return p3sat_s(s); }, psat_s, 10);
}

TEST(If97Backward, HsEquationsMatchSR4Checks) {
  // p3(h,s), three points in each of 3a and 3b (IAPWS SR4-04(2014), check values).
  constexpr check p3[] = {{1700, 3.8, 0.2555703246e2}, {2000, 4.2, 0.4540873468e2},
                          {2100, 4.3, 0.6078123340e2}, {2600, 5.1, 0.3434999263e2},
                          {2400, 4.7, 0.6363924887e2}, {2700, 5.0, 0.8839043281e2}};
  expect_table(p3_hs, p3, 10);
  // Saturation-line and region boundaries as h(s) (IAPWS SR4-04(2014), check values).
  using one_arg = double (*)(double);
  struct boundary_check {
    one_arg f;
    double s, h;
  };
  constexpr boundary_check boundaries[] = {
      {hsat1_s, 1, 0.3085509647e3},    {hsat1_s, 2, 0.7006304472e3},
      {hsat1_s, 3, 0.1198359754e4},    {hsat3a_s, 3.8, 0.1685025565e4},
      {hsat3a_s, 4, 0.1816891476e4},   {hsat3a_s, 4.2, 0.1949352563e4},
      {hsat2ab_s, 7, 0.2723729985e4},  {hsat2ab_s, 8, 0.2599047210e4},
      {hsat2ab_s, 9, 0.2511861477e4},  {hsat2c3b_s, 5.5, 0.2687693850e4},
      {hsat2c3b_s, 5, 0.2451623609e4}, {hsat2c3b_s, 4.5, 0.2144360448e4},
      {b13_h, 3.7, 0.1632525047e4},    {b13_h, 3.6, 0.1593027214e4},
      {b13_h, 3.5, 0.1566104611e4}};
  for (const auto& c : boundaries) {
    SCOPED_TRACE(::testing::Message() << "s=" << c.s);
    EXPECT_PRINTED(c.f(c.s), c.h, 10);
  }
  constexpr check tb23[] = {
      {2600, 5.1, 0.7135259364e3}, {2700, 5.15, 0.7685345532e3}, {2800, 5.2, 0.8176202120e3}};
  constexpr check tsat[] = {
      {1800, 5.3, 0.3468475498e3}, {2400, 6.0, 0.4251373305e3}, {2500, 5.5, 0.5225579013e3}};
  expect_table(b23_t, tb23, 10);
  expect_table(tsat_hs, tsat, 10);
}

TEST(If97Backward, RegionOfHsPairFollowsTheBoundaries) {
  // One state well inside each region, and each side of the lines that separate them.
  EXPECT_EQ(region_hs(500, 1.0), 1);
  EXPECT_EQ(region_hs(hsat1_s(1.0) - 1, 1.0), 4);
  EXPECT_EQ(region_hs(1700, 3.8), 3);
  EXPECT_EQ(region_hs(b13_h(3.5) + 1, 3.5), 3);
  EXPECT_EQ(region_hs(b13_h(3.5) - 1, 3.5), 1);
  EXPECT_EQ(region_hs(2400, 4.7), 3);
  EXPECT_EQ(region_hs(2800, 6.5), 2);
  EXPECT_EQ(region_hs(2400, 6.0), 4);
  EXPECT_EQ(region_hs(2600, 5.1), 3);  // TB23 = 713.5 K at 34.3 MPa: above B23
  EXPECT_EQ(region_hs(2800, 5.2), 2);
  EXPECT_EQ(region_hs(2900, 10.0), 2);  // beyond s"(273.15 K): superheated only
  EXPECT_DOUBLE_EQ(p_hs(2800, 6.5), p2_hs(2800, 6.5));
  EXPECT_DOUBLE_EQ(p_hs(1500, 3.4), p1_hs(1500, 3.4));
}

}  // namespace
}  // namespace Vantrel::if97
