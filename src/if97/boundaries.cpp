// The boundaries: the region 2–3 line B23 and the saturation line of region 4, with the
// region of a (T, p) point.
#include <stdexcept>

#include "if97/backward_saturation.h"
#include "if97/basic.h"

namespace Vantrel::if97 {

double b23_p(double T) {
  if (!(T >= T_13 && T <= T_23)) throw std::domain_error("if97::b23_p");
  return backward_detail::b23_p(T);
}

double b23_t(double p) {
  // The line reaches p_max at T_23 only to within rounding, so the range allows for it.
  constexpr double slack = 1e-12;
  if (!(p >= (1.0 - slack) * b23_p(T_13) && p <= (1.0 + slack) * p_max))
    throw std::domain_error("if97::b23_t");
  return backward_detail::b23_t(p);
}

double psat(double T) {
  if (!(T >= T_min && T <= Tc)) throw std::domain_error("if97::psat");
  return backward_detail::psat_t(T);
}

double tsat(double p) {
  // The lower end of the range is the saturation pressure at T_min, whatever its rounding.
  static const double p_low = psat(T_min);
  if (!(p >= p_low && p <= pc)) throw std::domain_error("if97::tsat");
  return backward_detail::tsat_p(p);
}

region region_of(double T, double p) {
  if (!(p > 0.0 && T >= T_min && T <= T_max)) return region::none;
  if (T > T_mid) return p <= p_max5 ? region::five : region::none;
  if (p > p_max) return region::none;
  if (T <= T_13) return p >= psat(T) ? region::one : region::two;
  if (T <= T_23 && p > b23_p(T)) return region::three;
  return region::two;
}

}  // namespace Vantrel::if97
