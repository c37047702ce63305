// Backward equations of regions 1 and 2: T(p,h) and T(p,s) (IAPWS R7-97(2012)) and p(h,s)
// (IAPWS SR2-01(2014)).
#include <cmath>

#include "if97/backward.h"
#include "if97/backward_tables12.h"

namespace Vantrel::if97 {

using backward_detail::ipow;
using backward_detail::sum;

double t1_ph(double p, double h) {
  return sum(backward_detail::t1_ph_terms, p, h / 2500.0 + 1.0);
}

double t1_ps(double p, double s) {
  return sum(backward_detail::t1_ps_terms, p, s + 2.0);
}

double p1_hs(double h, double s) {
  return 100.0 * sum(backward_detail::p1_hs_terms, h / 3400.0 + 0.05, s / 7.6 + 0.05);
}

// B2bc (IAPWS R7-97(2012), Table 19).
namespace {
constexpr double b2bc_n1 = 0.90584278514723e3;
constexpr double b2bc_n2 = -0.67955786399241;
constexpr double b2bc_n3 = 0.12809002730136e-3;
constexpr double b2bc_n4 = 0.26526571908428e4;
constexpr double b2bc_n5 = 0.45257578905948e1;
}  // namespace

double b2bc_p(double h) {
  return b2bc_n1 + b2bc_n2 * h + b2bc_n3 * h * h;
}

double b2bc_h(double p) {
  return b2bc_n4 + std::sqrt((p - b2bc_n5) / b2bc_n3);
}

// h2ab(s), the boundary between 2a and 2b for h-s inputs (IAPWS SR2-01(2014), Eq. 2).
double b2ab_h(double s) {
  return -0.349898083432139e4 +
         s * (0.257560716905876e4 + s * (-0.421073558227969e3 + s * 0.276349063799944e2));
}

// Below the pressure where B2bc meets the saturation line, region 2 holds no 2c states, and
// h2bc(p) runs out of its domain (it is NaN below 4.53 MPa).
constexpr double p2bc_saturation = 6.546699678;

char region2_ph(double p, double h) {
  if (p <= p2ab) return 'a';
  if (p <= p2bc_saturation) return 'b';
  return h >= b2bc_h(p) ? 'b' : 'c';
}

char region2_ps(double p, double s) {
  if (p <= p2ab) return 'a';
  return s >= s2bc ? 'b' : 'c';
}

char region2_hs(double h, double s) {
  if (h <= b2ab_h(s)) return 'a';
  return s >= s2bc ? 'b' : 'c';
}

double t2_ph(char sub, double p, double h) {
  const double eta = h / 2000.0;
  switch (sub) {
    case 'a':
      return sum(backward_detail::t2a_ph_terms, p, eta - 2.1);
    case 'b':
      return sum(backward_detail::t2b_ph_terms, p - 2.0, eta - 2.6);
    case 'c':
      return sum(backward_detail::t2c_ph_terms, p + 25.0, eta - 1.8);
    default:
      return NAN;
  }
}

double t2_ps(char sub, double p, double s) {
  switch (sub) {
    case 'a': {
      // The pressure exponents are multiples of 1/4: one fourth root, then integer powers.
      const double root = std::sqrt(std::sqrt(p));
      const double y = s / 2.0 - 2.0;
      double t = 0.0;
      for (const auto& term : backward_detail::t2a_ps_terms)
        t += term.n * ipow(root, static_cast<int>(4.0 * term.I)) * ipow(y, term.J);
      return t;
    }
    case 'b':
      return sum(backward_detail::t2b_ps_terms, p, 10.0 - s / 0.7853);
    case 'c':
      return sum(backward_detail::t2c_ps_terms, p, 2.0 - s / 2.9251);
    default:
      return NAN;
  }
}

double p2_hs(char sub, double h, double s) {
  double x = 0.0;
  double scale = 100.0;
  switch (sub) {
    case 'a':
      x = sum(backward_detail::p2a_hs_terms, h / 4200.0 - 0.5, s / 12.0 - 1.2);
      scale = 4.0;
      break;
    case 'b':
      x = sum(backward_detail::p2b_hs_terms, h / 4100.0 - 0.6, s / 7.9 - 1.01);
      break;
    case 'c':
      x = sum(backward_detail::p2c_hs_terms, h / 3500.0 - 0.7, s / 5.9 - 1.1);
      break;
    default:
      return NAN;
  }
  return scale * ipow(x, 4);
}

double t2_ph(double p, double h) {
  return t2_ph(region2_ph(p, h), p, h);
}
double t2_ps(double p, double s) {
  return t2_ps(region2_ps(p, s), p, s);
}
double p2_hs(double h, double s) {
  return p2_hs(region2_hs(h, s), h, s);
}

}  // namespace Vantrel::if97
