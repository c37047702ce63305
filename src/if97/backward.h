#pragma once
// IAPWS-IF97 backward equations: temperature, volume and pressure straight from the input
// pairs p-h, p-s, h-s and p-T, without iterating the basic equations. Each result agrees with
// the basic equation of its region to within the tolerance its release states (25 mK in
// region 1, 10 mK in region 2, 0.01 % in v, ...), so it serves as the start of one Newton
// step on the basic equation, or as the answer where that accuracy is enough.
//
// Units: p MPa, T K, h kJ/kg, s kJ/(kg·K), v m³/kg. Sub-regions are named by their letter
// ('a', 'b', ... as in "3c"). A function given a sub-region evaluates that sub-region's
// equation wherever it is asked; a function without one picks the sub-region itself by the
// boundary equations of its release. A letter that names no sub-region of the region gives
// NaN. None of them checks the range of validity: outside it the result is a number without
// meaning.
//
// For h-s inputs the boundary equations name the region too (region_hs, p_hs). For p-h and
// p-s inputs the region follows from h'(p), h''(p) and the enthalpies on the 623.15 K
// isotherm and on B23, which only the basic equations give: the caller compares with them
// and then asks t1_ph, t2_ph or t3_ph. Each backward equation, evaluated outside its own
// region, extrapolates far from any answer, so none can stand in for that choice.
namespace Vantrel::if97 {

// --- Region 1 and region 2: T(p,h), T(p,s) (IAPWS R7-97(2012)), p(h,s) (SR2-01(2014)).
double t1_ph(double p, double h);
double t1_ps(double p, double s);
double p1_hs(double h, double s);

// Boundary between 2a and 2b: the 4 MPa isobar for p-h and p-s inputs.
inline constexpr double p2ab = 4.0;
// Boundary between 2b and 2c for p-s and h-s inputs: the isentrope s = 5.85 kJ/(kg·K).
inline constexpr double s2bc = 5.85;
// B2bc, the boundary between 2b and 2c for p-h inputs, as p(h) and h(p).
double b2bc_p(double h);
double b2bc_h(double p);
// Boundary between 2a and 2b for h-s inputs, h(s).
double b2ab_h(double s);

char region2_ph(double p, double h);  // 'a', 'b' or 'c'
char region2_ps(double p, double s);
char region2_hs(double h, double s);
double t2_ph(double p, double h);
double t2_ps(double p, double s);
double p2_hs(double h, double s);
double t2_ph(char sub, double p, double h);
double t2_ps(char sub, double p, double s);
double p2_hs(char sub, double h, double s);

// --- Region 3: T and v from p-h and p-s (SR3-03(2014)), p from h-s (SR4-04(2014)).
// Boundary between 3a and 3b: h3ab(p) for p-h inputs, the critical entropy for p-s and h-s.
inline constexpr double s_crit = 4.41202148223476;
double b3ab_h(double p);
// The saturation line within region 3 as p(h) and p(s), for telling region 3 from the
// two-phase region 4 above 623.15 K.
double p3sat_h(double h);
double p3sat_s(double s);

char region3_ph(double p, double h);  // 'a' or 'b'
char region3_ps(double p, double s);
char region3_hs(double h, double s);
double t3_ph(double p, double h);
double v3_ph(double p, double h);
double t3_ps(double p, double s);
double v3_ps(double p, double s);
double p3_hs(double h, double s);
double t3_ph(char sub, double p, double h);
double v3_ph(char sub, double p, double h);
double t3_ps(char sub, double p, double s);
double v3_ps(char sub, double p, double s);
double p3_hs(char sub, double h, double s);

// --- Region boundaries as functions of h and s, and Tsat(h,s) (SR4-04(2014)).
double hsat1_s(double s);          // h'(s), saturated liquid, s'(273.15 K) <= s <= s'(623.15 K)
double hsat3a_s(double s);         // h'(s), saturated liquid, s'(623.15 K) <= s <= s_crit
double hsat2ab_s(double s);        // h''(s), saturated vapour, 5.85 <= s <= s''(273.15 K)
double hsat2c3b_s(double s);       // h''(s), saturated vapour, s_crit <= s <= 5.85
double b13_h(double s);            // boundary between regions 1 and 3
double b23_t(double h, double s);  // TB23(h,s), boundary between regions 2 and 3
// Saturation temperature of a two-phase state, for s >= s''(623.15 K).
inline constexpr double s_vapour_623 = 5.210887825;
double tsat_hs(double h, double s);

// The region (1 to 4) of an h-s pair by the boundary equations above. The limits of the
// range of validity are not checked: every state below s'(273.15 K) is 1, every state above
// the vapour line is 2 or 3. Within the tolerance of the saturation-line equations of a
// line, a state may be named for the region on its other side (compressed liquid at low
// pressure lies within 0.01 kJ/kg of h'(s)).
int region_hs(double h, double s);
// p(h,s) in whichever region region_hs names; in region 4, the saturation pressure at
// tsat_hs(h,s), and NaN below s''(623.15 K), where no backward equation is given.
double p_hs(double h, double s);

// --- Region 3: v(p,T) for the 26 sub-regions 3a-3z (SR5-05(2016)).
// Sub-region boundaries as T(p).
double t3ab_p(double p);
double t3cd_p(double p);
double t3ef_p(double p);
double t3gh_p(double p);
double t3ij_p(double p);
double t3jk_p(double p);
double t3mn_p(double p);
double t3op_p(double p);
double t3qu_p(double p);
double t3rx_p(double p);
double t3uv_p(double p);
double t3wx_p(double p);
// The sub-region of (p, T) in region 3, 'a' to 'z'; the near-critical sub-regions 3u-3z
// included.
char region3_pt(double p, double T);
double v3_pt(double p, double T);
double v3_pt(char sub, double p, double T);
// Saturated liquid (x = 0) and saturated vapour (x = 1) volumes in region 3, from the
// sub-region equations that meet the saturation line, for psat(623.15 K) < p <= 22.064 MPa.
double v3_sat_liquid(double p);
double v3_sat_vapour(double p);

}  // namespace Vantrel::if97
