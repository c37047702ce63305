// Region 3 backward equations v(p,T), sub-regions 3a-3z (IAPWS SR5-05(2016)).
#include <cmath>
#include <span>

#include "if97/backward.h"
#include "if97/backward_saturation.h"
#include "if97/backward_tables_vpt.h"

namespace Vantrel::if97 {

using backward_detail::ipow;
using backward_detail::term;

namespace {

// Reducing quantities and exponents of one sub-region: v/v* = [Σ n (π−a)^(c·I) (θ−b)^(d·J)]^e
// with π = p/p*, θ = T/T*. c and d are 1, 1/2 or 1/4; e is 1 or 4.
struct vpt_equation {
  double v_star, p_star, T_star, a, b;
  int c_inv, d_inv, e;
  std::span<const term> terms;
};

// IAPWS SR5-05(2016), the table of reducing quantities v*, p*, T*, a, b, c, d, e of the
// sub-regions, in letter order. 3n has its own exponential form and appears with e = 0.
const vpt_equation equations[26] = {
    {0.0024, 100, 760, 0.085, 0.817, 1, 1, 1, backward_detail::v3a_pt_terms},
    {0.0041, 100, 860, 0.280, 0.779, 1, 1, 1, backward_detail::v3b_pt_terms},
    {0.0022, 40, 690, 0.259, 0.903, 1, 1, 1, backward_detail::v3c_pt_terms},
    {0.0029, 40, 690, 0.559, 0.939, 1, 1, 4, backward_detail::v3d_pt_terms},
    {0.0032, 40, 710, 0.587, 0.918, 1, 1, 1, backward_detail::v3e_pt_terms},
    {0.0064, 40, 730, 0.587, 0.891, 2, 1, 4, backward_detail::v3f_pt_terms},
    {0.0027, 25, 660, 0.872, 0.971, 1, 1, 4, backward_detail::v3g_pt_terms},
    {0.0032, 25, 660, 0.898, 0.983, 1, 1, 4, backward_detail::v3h_pt_terms},
    {0.0041, 25, 660, 0.910, 0.984, 2, 1, 4, backward_detail::v3i_pt_terms},
    {0.0054, 25, 670, 0.875, 0.964, 2, 1, 4, backward_detail::v3j_pt_terms},
    {0.0077, 25, 680, 0.802, 0.935, 1, 1, 1, backward_detail::v3k_pt_terms},
    {0.0026, 24, 650, 0.908, 0.989, 1, 1, 4, backward_detail::v3l_pt_terms},
    {0.0028, 23, 650, 1.000, 0.997, 1, 4, 1, backward_detail::v3m_pt_terms},
    {0.0031, 23, 650, 0.976, 0.997, 1, 1, 0, backward_detail::v3n_pt_terms},
    {0.0034, 23, 650, 0.974, 0.996, 2, 1, 1, backward_detail::v3o_pt_terms},
    {0.0041, 23, 650, 0.972, 0.997, 2, 1, 1, backward_detail::v3p_pt_terms},
    {0.0022, 23, 650, 0.848, 0.983, 1, 1, 4, backward_detail::v3q_pt_terms},
    {0.0054, 23, 650, 0.874, 0.982, 1, 1, 1, backward_detail::v3r_pt_terms},
    {0.0022, 21, 640, 0.886, 0.990, 1, 1, 4, backward_detail::v3s_pt_terms},
    {0.0088, 20, 650, 0.803, 1.020, 1, 1, 1, backward_detail::v3t_pt_terms},
    {0.0026, 23, 650, 0.902, 0.988, 1, 1, 1, backward_detail::v3u_pt_terms},
    {0.0031, 23, 650, 0.960, 0.995, 1, 1, 1, backward_detail::v3v_pt_terms},
    {0.0039, 23, 650, 0.959, 0.995, 1, 1, 4, backward_detail::v3w_pt_terms},
    {0.0049, 23, 650, 0.910, 0.988, 1, 1, 1, backward_detail::v3x_pt_terms},
    {0.0031, 22, 650, 0.996, 0.994, 1, 1, 4, backward_detail::v3y_pt_terms},
    {0.0038, 22, 650, 0.993, 0.994, 1, 1, 4, backward_detail::v3z_pt_terms},
};

// x^(1/k) for k = 1, 2 or 4.
double root(double x, int k) {
  switch (k) {
    case 1:
      return x;
    case 2:
      return std::sqrt(x);
    default:
      return std::sqrt(std::sqrt(x));
  }
}

// Boundary equations T3xy(p) of the form Σ n_i π^I_i (IAPWS SR5-05(2016), Eq. 1), and of
// the form Σ n_i (ln π)^I_i (Eq. 2), both with the exponents 0, 1, 2, ... or 0, 1, 2, −1, −2
// in the order of the release's boundary table.
template <std::size_t N>
double power_series(const double (&n)[N], double x) {
  double t = 0.0;
  for (std::size_t i = N; i-- > 0;) t = t * x + n[i];
  return t;
}

double log_series(const double (&n)[5], double p) {
  const double x = std::log(p);
  return n[0] + n[1] * x + n[2] * x * x + n[3] / x + n[4] / (x * x);
}

constexpr double n_ab[5] = {0.154793642129415e4, -0.187661219490113e3, 0.213144632222113e2,
                            -0.191887498864292e4, 0.918419702359447e3};
constexpr double n_cd[4] = {0.585276966696349e3, 0.278233532206915e1, -0.127283549295878e-1,
                            0.159090746562729e-3};
constexpr double n_gh[5] = {-0.249284240900418e5, 0.428143584791546e4, -0.269029173140130e3,
                            0.751608051114157e1, -0.787105249910383e-1};
constexpr double n_ij[5] = {0.584814781649163e3, -0.616179320924617, 0.260763050899562,
                            -0.587071076864459e-2, 0.515308185433082e-4};
constexpr double n_jk[5] = {0.617229772068439e3, -0.770600270141675e1, 0.697072596851896,
                            -0.157391839848015e-1, 0.137897492684194e-3};
constexpr double n_mn[4] = {0.535339483742384e3, 0.761978122720128e1, -0.158365725441648,
                            0.192871054508108e-2};
constexpr double n_op[5] = {0.969461372400213e3, -0.332500170441278e3, 0.642859598466067e2,
                            0.773845935768222e3, -0.152313732937084e4};
constexpr double n_qu[4] = {0.565603648239126e3, 0.529062258221222e1, -0.102020639611016,
                            0.122240301070145e-2};
constexpr double n_rx[4] = {0.584561202520006e3, -0.102961025163669e1, 0.243293362700452,
                            -0.294905044740799e-2};
constexpr double n_uv[4] = {0.528199646263062e3, 0.890579602135307e1, -0.222814134903755,
                            0.286791682263697e-2};
constexpr double n_wx[5] = {0.728052609145380e1, 0.973505869861952e2, 0.147370491183191e2,
                            0.329196213998375e3, 0.873371668682417e3};

// Pressures that bound the sub-region layout (IAPWS SR5-05(2016)): p3cd, where 3c, 3s and
// 3t meet on the saturation line, and the pressures on the saturation line where 3u meets
// 3y and 3x meets 3z.
constexpr double p3cd = 19.00881189173929;
constexpr double p_uy_sat = 21.93161551;
constexpr double p_xz_sat = 21.90096265;
constexpr double p_crit = 22.064;

double p_sat_643() {
  static const double p = backward_detail::psat_t(643.15);
  return p;
}

}  // namespace

double t3ab_p(double p) {
  return log_series(n_ab, p);
}
double t3cd_p(double p) {
  return power_series(n_cd, p);
}
// 3e-3f follows the critical isochore, a straight line in p-T (Eq. 3).
double t3ef_p(double p) {
  return 3.727888004 * (p - p_crit) + 647.096;
}
double t3gh_p(double p) {
  return power_series(n_gh, p);
}
double t3ij_p(double p) {
  return power_series(n_ij, p);
}
double t3jk_p(double p) {
  return power_series(n_jk, p);
}
double t3mn_p(double p) {
  return power_series(n_mn, p);
}
double t3op_p(double p) {
  return log_series(n_op, p);
}
double t3qu_p(double p) {
  return power_series(n_qu, p);
}
double t3rx_p(double p) {
  return power_series(n_rx, p);
}
double t3uv_p(double p) {
  return power_series(n_uv, p);
}
double t3wx_p(double p) {
  return log_series(n_wx, p);
}

// The sub-region layout of region 3 in p-T (IAPWS SR5-05(2016), the table of sub-region
// definitions and, near the critical point, that of the auxiliary sub-regions 3u-3z).
char region3_pt(double p, double T) {
  if (p > 40.0) return T <= t3ab_p(p) ? 'a' : 'b';
  if (p > 25.0) {
    if (T <= t3cd_p(p)) return 'c';
    if (T <= t3ab_p(p)) return 'd';
    return T <= t3ef_p(p) ? 'e' : 'f';
  }
  if (p > 22.5) {
    if (T <= t3cd_p(p)) return 'c';
    if (p > 23.5) {
      if (T <= t3gh_p(p)) return 'g';
      if (T <= t3ef_p(p)) return 'h';
    } else if (p > 23.0) {
      if (T <= t3gh_p(p)) return 'l';
      if (T <= t3ef_p(p)) return 'h';
    } else {
      if (T <= t3gh_p(p)) return 'l';
      if (T <= t3mn_p(p)) return 'm';
      if (T <= t3ef_p(p)) return 'n';
      if (T <= t3op_p(p)) return 'o';
      if (T <= t3ij_p(p)) return 'p';
      return T <= t3jk_p(p) ? 'j' : 'k';
    }
    if (T <= t3ij_p(p)) return 'i';
    return T <= t3jk_p(p) ? 'j' : 'k';
  }
  const double p643 = p_sat_643();
  if (p > p643) {
    if (T <= t3cd_p(p)) return 'c';
    if (T <= t3qu_p(p)) return 'q';
    if (T > t3rx_p(p)) return T <= t3jk_p(p) ? 'r' : 'k';
    // Between 3q and 3r lies the near-critical part, covered by the auxiliary equations.
    if (p > 22.11) {
      if (T <= t3uv_p(p)) return 'u';
      if (T <= t3ef_p(p)) return 'v';
      return T <= t3wx_p(p) ? 'w' : 'x';
    }
    if (p > p_crit) {
      if (T <= t3uv_p(p)) return 'u';
      if (T <= t3ef_p(p)) return 'y';
      return T <= t3wx_p(p) ? 'z' : 'x';
    }
    if (T > backward_detail::tsat_p(p)) {
      if (p <= p_xz_sat) return 'x';
      return T <= t3wx_p(p) ? 'z' : 'x';
    }
    if (p <= p_uy_sat) return 'u';
    return T <= t3uv_p(p) ? 'u' : 'y';
  }
  if (p > 20.5) {
    if (T <= t3cd_p(p)) return 'c';
    if (T <= backward_detail::tsat_p(p)) return 's';
    return T <= t3jk_p(p) ? 'r' : 'k';
  }
  if (p > p3cd) {
    if (T <= t3cd_p(p)) return 'c';
    return T <= backward_detail::tsat_p(p) ? 's' : 't';
  }
  return T <= backward_detail::tsat_p(p) ? 'c' : 't';
}

double v3_pt(char sub, double p, double T) {
  if (sub < 'a' || sub > 'z') return NAN;
  const vpt_equation& eq = equations[sub - 'a'];
  const double x = root(p / eq.p_star - eq.a, eq.c_inv);
  const double y = root(T / eq.T_star - eq.b, eq.d_inv);
  double sum = 0.0;
  for (const auto& t : eq.terms) sum += t.n * ipow(x, t.I) * ipow(y, t.J);
  if (eq.e == 0) return eq.v_star * std::exp(sum);
  return eq.v_star * ipow(sum, eq.e);
}

double v3_pt(double p, double T) {
  return v3_pt(region3_pt(p, T), p, T);
}

// On the saturation line the release names the sub-region by pressure alone.
double v3_sat_liquid(double p) {
  const double T = backward_detail::tsat_p(p);
  if (p <= p3cd) return v3_pt('c', p, T);
  if (p <= p_sat_643()) return v3_pt('s', p, T);
  if (p <= p_uy_sat) return v3_pt('u', p, T);
  return v3_pt('y', p, T);
}

double v3_sat_vapour(double p) {
  const double T = backward_detail::tsat_p(p);
  if (p <= 20.5) return v3_pt('t', p, T);
  if (p <= p_sat_643()) return v3_pt('r', p, T);
  if (p <= p_xz_sat) return v3_pt('x', p, T);
  return v3_pt('z', p, T);
}

}  // namespace Vantrel::if97
