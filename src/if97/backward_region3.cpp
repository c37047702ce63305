// Backward equations of region 3 from p-h and p-s (IAPWS SR3-03(2014)) and from h-s, with
// the h-s boundary equations and Tsat(h,s) (IAPWS SR4-04(2014)).
#include <cmath>

#include "if97/backward.h"
#include "if97/backward_saturation.h"
#include "if97/backward_tables3.h"

namespace Vantrel::if97 {

using backward_detail::ipow;
using backward_detail::sum;

// h3ab(p), the boundary between 3a and 3b for p-h inputs (IAPWS SR3-03(2014), Eq. 1).
double b3ab_h(double p) {
  return 0.201464004206875e4 +
         p * (0.374696550136983e1 + p * (-0.219921901054187e-1 + p * 0.875131686009950e-4));
}

double p3sat_h(double h) {
  const double eta = h / 2600.0;
  return 22.0 * sum(backward_detail::p3sat_h_terms, eta - 1.02, eta - 0.608);
}

double p3sat_s(double s) {
  const double sigma = s / 5.2;
  return 22.0 * sum(backward_detail::p3sat_s_terms, sigma - 1.03, sigma - 0.699);
}

char region3_ph(double p, double h) {
  return h <= b3ab_h(p) ? 'a' : 'b';
}
char region3_ps(double, double s) {
  return s <= s_crit ? 'a' : 'b';
}
char region3_hs(double, double s) {
  return s <= s_crit ? 'a' : 'b';
}

double t3_ph(char sub, double p, double h) {
  const double pi = p / 100.0;
  switch (sub) {
    case 'a':
      return 760.0 * sum(backward_detail::t3a_ph_terms, pi + 0.240, h / 2300.0 - 0.615);
    case 'b':
      return 860.0 * sum(backward_detail::t3b_ph_terms, pi + 0.298, h / 2800.0 - 0.720);
    default:
      return NAN;
  }
}

double v3_ph(char sub, double p, double h) {
  const double pi = p / 100.0;
  switch (sub) {
    case 'a':
      return 0.0028 * sum(backward_detail::v3a_ph_terms, pi + 0.128, h / 2100.0 - 0.727);
    case 'b':
      return 0.0088 * sum(backward_detail::v3b_ph_terms, pi + 0.0661, h / 2800.0 - 0.720);
    default:
      return NAN;
  }
}

double t3_ps(char sub, double p, double s) {
  const double pi = p / 100.0;
  switch (sub) {
    case 'a':
      return 760.0 * sum(backward_detail::t3a_ps_terms, pi + 0.240, s / 4.4 - 0.703);
    case 'b':
      return 860.0 * sum(backward_detail::t3b_ps_terms, pi + 0.760, s / 5.3 - 0.818);
    default:
      return NAN;
  }
}

double v3_ps(char sub, double p, double s) {
  const double pi = p / 100.0;
  switch (sub) {
    case 'a':
      return 0.0028 * sum(backward_detail::v3a_ps_terms, pi + 0.187, s / 4.4 - 0.755);
    case 'b':
      return 0.0088 * sum(backward_detail::v3b_ps_terms, pi + 0.298, s / 5.3 - 0.816);
    default:
      return NAN;
  }
}

double p3_hs(char sub, double h, double s) {
  switch (sub) {
    case 'a':
      return 99.0 * sum(backward_detail::p3a_hs_terms, h / 2300.0 - 1.01, s / 4.4 - 0.750);
    // 3b is fitted to 1/p, which varies more gently over the sub-region than p.
    case 'b':
      return 16.6 / sum(backward_detail::p3b_hs_terms, h / 2800.0 - 0.681, s / 5.3 - 0.792);
    default:
      return NAN;
  }
}

double t3_ph(double p, double h) {
  return t3_ph(region3_ph(p, h), p, h);
}
double v3_ph(double p, double h) {
  return v3_ph(region3_ph(p, h), p, h);
}
double t3_ps(double p, double s) {
  return t3_ps(region3_ps(p, s), p, s);
}
double v3_ps(double p, double s) {
  return v3_ps(region3_ps(p, s), p, s);
}
double p3_hs(double h, double s) {
  return p3_hs(region3_hs(h, s), h, s);
}

// --- Boundaries as functions of h and s.

double hsat1_s(double s) {
  const double sigma = s / 3.8;
  return 1700.0 * sum(backward_detail::h1_sat_s_terms, sigma - 1.09, sigma + 0.366e-4);
}

double hsat3a_s(double s) {
  const double sigma = s / 3.8;
  return 1700.0 * sum(backward_detail::h3a_sat_s_terms, sigma - 1.09, sigma + 0.366e-4);
}

double hsat2ab_s(double s) {
  return 2800.0 *
         std::exp(sum(backward_detail::h2ab_sat_s_terms, 5.21 / s - 0.513, s / 9.2 - 0.524));
}

double hsat2c3b_s(double s) {
  const double sigma = s / 5.9;
  return 2800.0 * ipow(sum(backward_detail::h2c3b_sat_s_terms, sigma - 1.02, sigma - 0.726), 4);
}

double b13_h(double s) {
  const double sigma = s / 3.8;
  return 1700.0 * sum(backward_detail::hb13_s_terms, sigma - 0.884, sigma - 0.864);
}

double b23_t(double h, double s) {
  return 900.0 * sum(backward_detail::tb23_hs_terms, h / 3000.0 - 0.727, s / 5.3 - 0.864);
}

double tsat_hs(double h, double s) {
  return 550.0 * sum(backward_detail::tsat_hs_terms, h / 2800.0 - 0.119, s / 9.2 - 1.07);
}

// --- Region of an h-s pair.

namespace {
// Entropy limits of the boundary equations (IAPWS SR4-04(2014)): saturated liquid at
// 273.15 K and 623.15 K, region 1 at 100 MPa and 623.15 K, saturated vapour at 273.15 K.
constexpr double s_liquid_273 = -1.545495919e-4;
constexpr double s_liquid_623 = 3.778281340;
constexpr double s_r1_100mpa_623 = 3.397782955;
constexpr double s_vapour_273 = 9.155759395;
// The window in which the boundary between regions 2 and 3 runs through the h-s plane.
constexpr double s_b23_min = 5.048096828;
constexpr double s_b23_max = 5.260578707;
constexpr double h_b23_min = 2.563592004e3;
constexpr double h_b23_max = 2.812942061e3;
}  // namespace

int region_hs(double h, double s) {
  // Below the saturated liquid at 273.15 K lies only liquid compressed at low temperature.
  if (s < s_liquid_273) return 1;
  // Beyond the saturated vapour at 273.15 K no saturation line bounds region 2 from below.
  if (s > s_vapour_273) return 2;
  if (s <= s_liquid_623) {
    if (h < hsat1_s(s)) return 4;
    if (s > s_r1_100mpa_623 && h > b13_h(s)) return 3;
    return 1;
  }
  if (s <= s_crit) return h < hsat3a_s(s) ? 4 : 3;
  if (s <= s2bc) {
    if (h < hsat2c3b_s(s)) return 4;
    if (s < s_b23_min) return 3;
    if (s > s_b23_max) return 2;
    if (h < h_b23_min) return 3;
    if (h > h_b23_max) return 2;
    // On either side of B23 the pressure from p2c(h,s) tells: above pB23(TB23) is region 3.
    return p2_hs('c', h, s) > backward_detail::b23_p(b23_t(h, s)) ? 3 : 2;
  }
  return h < hsat2ab_s(s) ? 4 : 2;
}

double p_hs(double h, double s) {
  switch (region_hs(h, s)) {
    case 1:
      return p1_hs(h, s);
    case 2:
      return p2_hs(h, s);
    case 3:
      return p3_hs(h, s);
    case 4:
      return s >= s_vapour_623 ? backward_detail::psat_t(tsat_hs(h, s)) : NAN;
  }
  return NAN;
}

}  // namespace Vantrel::if97
