#pragma once
// The dimensionless basic equations of IAPWS-IF97 and their first and second derivatives, and
// the property records built from them. Internal to the if97 layer.
#include <array>

#include "if97/if97.h"

namespace Vantrel::if97 {

// γ(π, τ) of a Gibbs free energy equation with its derivatives.
// A term n·π^I·τ^J (or δ^I·τ^J) of a basic equation, and a term n·τ^J of an ideal-gas part, as
// the release's tables print them.
struct term {
  int I, J;
  double n;
};
struct ideal_term {
  int J;
  double n;
};

struct gibbs_derivatives {
  double g = 0.0, g_p = 0.0, g_pp = 0.0, g_t = 0.0, g_tt = 0.0, g_pt = 0.0;
};

// φ(δ, τ) of the region 3 Helmholtz free energy equation with its derivatives.
struct helmholtz_derivatives {
  double f = 0.0, f_d = 0.0, f_dd = 0.0, f_t = 0.0, f_tt = 0.0, f_dt = 0.0;
};

// kJ/kg per MPa·m³/kg.
inline constexpr double kj_per_mpa_m3 = 1e3;

// Reducing values of each basic equation.
inline constexpr double p_star1 = 16.53, T_star1 = 1386.0;
inline constexpr double p_star2 = 1.0, T_star2 = 540.0;
inline constexpr double p_star5 = 1.0, T_star5 = 1000.0;

gibbs_derivatives gamma1(double pi, double tau);
gibbs_derivatives gamma2(double pi, double tau);
gibbs_derivatives gamma2_metastable(double pi, double tau);
gibbs_derivatives gamma5(double pi, double tau);
helmholtz_derivatives phi3(double delta, double tau);

// Only γ_π and γ_ππ: what a pressure search at fixed volume needs.
struct volume_slope {
  double v = 0.0;     // m³/kg
  double dvdp = 0.0;  // m³/(kg·MPa)
};
volume_slope region1_volume(double T, double p);
volume_slope region2_volume(double T, double p);
volume_slope region5_volume(double T, double p);

// Only φ_δ and φ_δδ: what a density search at fixed pressure needs.
struct pressure_slope {
  double p = 0.0;       // MPa
  double dpdrho = 0.0;  // MPa·m³/kg
};
pressure_slope region3_pressure(double rho, double T);

// The property records of a point of a Gibbs equation (reducing pressure p_star, τ its
// reduced inverse temperature) and of the Helmholtz equation.
state from_gibbs(region where, double T, double p, double p_star, double tau,
                 const gibbs_derivatives& d);
state from_helmholtz(double rho, double T, const helmholtz_derivatives& d);

// x^k for lo ≤ k ≤ hi (lo ≤ 0 ≤ hi), filled by repeated multiplication once per point, so
// that the terms of a table read their powers instead of computing them in every loop.
template <int lo, int hi>
class power_table {
 public:
  explicit power_table(double x) {
    values_[-lo] = 1.0;
    for (int k = 1; k <= hi; ++k) values_[k - lo] = values_[k - 1 - lo] * x;
    if constexpr (lo < 0) {
      const double inverse = 1.0 / x;
      for (int k = -1; k >= lo; --k) values_[k - lo] = values_[k + 1 - lo] * inverse;
    }
  }
  double operator()(int k) const { return values_[k - lo]; }

 private:
  std::array<double, hi - lo + 1> values_;  // every element written by the constructor
};

}  // namespace Vantrel::if97
