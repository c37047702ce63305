#include "properties/transport2011.h"

#include <array>
#include <cmath>
#include <numbers>
#include <stdexcept>

#include "model/constant95.h"
#include "model/errors.h"
#include "model/helmholtz.h"
#include "model/integer_power.h"
#include "model/steam95.h"
#include "properties/ice.h"

namespace Vantrel {

namespace {

constexpr double mu_star = 1.0e-6;      // Pa·s
constexpr double lambda_star = 1.0e-3;  // W/(m·K)

// Dilute-gas viscosity μ̄0: H_i divides T̄^i (IAPWS R12-08, Table 1).
constexpr std::array<double, 4> H{1.67752, 2.20462, 0.6366564, -0.241605};

// Residual viscosity factor μ̄1: H[i][j] multiplies (1/T̄ − 1)^i (ρ̄ − 1)^j
// (IAPWS R12-08, Table 2; zeros included).
constexpr std::array<std::array<double, 7>, 6> Hij{{
    {5.20094e-1, 2.22531e-1, -2.81378e-1, 1.61913e-1, -3.25372e-2, 0.0, 0.0},
    {8.50895e-2, 9.99115e-1, -9.06851e-1, 2.57399e-1, 0.0, 0.0, 0.0},
    {-1.08374, 1.88797, -7.72479e-1, 0.0, 0.0, 0.0, 0.0},
    {-2.89555e-1, 1.26613, -4.89837e-1, 0.0, 6.98452e-2, 0.0, -4.35673e-3},
    {0.0, 0.0, -2.57040e-1, 0.0, 0.0, 8.72102e-3, 0.0},
    {0.0, 1.20573e-1, 0.0, 0.0, 0.0, 0.0, -5.93264e-4},
}};

// Viscosity critical enhancement μ̄2 = exp(x_μ·Y) (IAPWS R12-08, Table 3).
constexpr double x_mu = 0.068;
constexpr double q_C = 1.0 / 1.9;  // 1/nm
constexpr double q_D = 1.0 / 1.1;  // 1/nm
// Below this correlation length the closed form of Y loses every digit to cancellation;
// the release gives a series for it instead.
constexpr double xi_series_limit = 0.3817016416;  // nm

// Correlation length, shared by both enhancements (IAPWS R12-08, Table 3; IAPWS R15-11,
// Table 3).
constexpr double nu = 0.630;
constexpr double gamma = 1.239;
constexpr double xi_0 = 0.13;  // nm
constexpr double Gamma_0 = 0.06;
constexpr double T_reference = 1.5;  // reduced

// Dilute-gas conductivity λ̄0: L_k divides T̄^k (IAPWS R15-11, Table 1).
constexpr std::array<double, 5> L{2.443221e-3, 1.323095e-2, 6.770357e-3, -3.454586e-3, 4.096266e-4};

// Residual conductivity factor λ̄1: L[i][j] multiplies (1/T̄ − 1)^i (ρ̄ − 1)^j
// (IAPWS R15-11, Table 2; zeros included).
constexpr std::array<std::array<double, 6>, 5> Lij{{
    {1.60397357, -0.646013523, 0.111443906, 0.102997357, -0.0504123634, 0.00609859258},
    {2.33771842, -2.78843778, 1.53616167, -0.463045512, 0.0832827019, -0.00719201245},
    {2.19650529, -4.54580785, 3.55777244, -1.40944978, 0.275418278, -0.0205938816},
    {-1.21051378, 1.60812989, -0.621178141, 0.0716373224, 0.0, 0.0},
    {-2.7203370, 4.57586331, -3.18369245, 1.1168348, -0.19268305, 0.012913842},
}};

// Conductivity critical enhancement (IAPWS R15-11, Table 3).
constexpr double Lambda = 177.8514;
constexpr double q_D_conductivity = 1.0 / 0.40;  // 1/nm
// Below this y = q̄_D·ξ the enhancement is zero to double precision and its formula
// cancels to noise.
constexpr double y_min = 1.2e-7;

// Upper temperature of the range of validity for pressures up to p_max (MPa); above the
// last step the equations are not valid at all.
struct validity_step {
  double p_max;
  double T_max;
};
// IAPWS R12-08, range of validity.
constexpr std::array<validity_step, 4> viscosity_range{{
    {300.0, 1173.15},
    {350.0, 873.15},
    {500.0, 433.15},
    {1000.0, 373.15},
}};
// IAPWS R15-11, range of validity.
constexpr std::array<validity_step, 5> conductivity_range{{
    {100.0, 1173.15},
    {250.0, 874.0},
    {687.0, 573.0},
    {785.0, 403.0},
    {1000.0, 348.0},
}};

// Whether (T, p) is a fluid state, not one where ice is the stable phase: above the
// sublimation curve's vapour, between the ice Ih and the high-pressure melting curves, or
// hotter than any melting curve reaches. Compares pressures, so nothing iterates.
bool outside_ice(double T, double p) {
  if (T < ice::T_subl_min) return false;
  if (T > ice::T_melt_max) return true;
  if (T >= constant95::Tt) return p <= ice::high_melt_pressure(T).quantity;
  if (p <= ice::subl_pressure(T)) return true;
  if (T < ice::T_III) return false;
  return p >= ice::low_melt_pressure(T).quantity && p <= ice::high_melt_pressure(T).quantity;
}

template <std::size_t N>
bool in_range(const std::array<validity_step, N>& steps, double T, double p) {
  if (!(p > 0.0) || !outside_ice(T, p)) return false;
  for (const auto& step : steps)
    if (p <= step.p_max) return T <= step.T_max;
  return false;
}

// ζ̄ = (∂ρ̄/∂p̄)_T at the point of `h`.
double reduced_zeta(const helmholtz_state& h) {
  return constant95::pc / (constant95::rhoc * h.dpdrho());
}

// μ̄ and λ̄ with both enhancements at the point of `h`.
void reduced_transport(const helmholtz_state& h, double& mubar, double& lambdabar) {
  const double Tbar = 1.0 / h.tau();
  const double rhobar = h.delta();
  const helmholtz_state reference(rhobar, 1.0 / T_reference);
  const double xi = correlation_length(Tbar, rhobar, reduced_zeta(h), reduced_zeta(reference));

  mubar = viscosity2008_background(Tbar, rhobar) * viscosity2008_critical(xi);

  const double cv_bar = -h.tau() * h.tau() * h.phi_tt();
  const double cp_bar = h.cp_r();
  lambdabar = conductivity2011_background(Tbar, rhobar) +
              conductivity2011_critical(Tbar, rhobar, cp_bar, cp_bar / cv_bar, mubar, xi);
}

// The checks that the 1985 equations apply to a state, then the range of validity.
void require_applicable(const steam95& state, const char* context, bool viscosity,
                        bool conductivity) {
  state.check_valid();
  if (state.two_phase() || state.is_critical()) throw not_applicable(context);
  const double T = state.t();
  const double p = state.p();
  if ((viscosity && !viscosity2008_valid(T, p)) || (conductivity && !conductivity2011_valid(T, p)))
    throw std::domain_error(context);
}

}  // namespace

double viscosity2008_background(double Tbar, double rhobar) {
  double dilute = 0.0;
  for (std::size_t i = 0; i < H.size(); ++i)
    dilute += H[i] / integer_power(Tbar, static_cast<int>(i));
  const double mu0 = 100.0 * std::sqrt(Tbar) / dilute;

  const double dt = 1.0 / Tbar - 1.0;
  const double dr = rhobar - 1.0;
  double sum = 0.0;
  for (std::size_t i = 0; i < Hij.size(); ++i) {
    double row = 0.0;
    for (std::size_t j = Hij[i].size(); j-- > 0;) row = row * dr + Hij[i][j];
    sum += integer_power(dt, static_cast<int>(i)) * row;
  }
  return mu0 * std::exp(rhobar * sum);
}

double viscosity2008_critical(double xi) {
  if (!(xi > 0.0)) return 1.0;
  const double c = q_C * xi;
  const double d = q_D * xi;
  double Y = 0.0;
  if (xi <= xi_series_limit) {
    Y = 0.2 * c * integer_power(d, 5) * (1.0 - c + c * c - 765.0 / 504.0 * d * d);
  } else {
    const double psi = std::acos(1.0 / std::sqrt(1.0 + d * d));
    const double w = std::sqrt(std::abs((c - 1.0) / (c + 1.0))) * std::tan(0.5 * psi);
    const double Lw = c > 1.0 ? std::log((1.0 + w) / (1.0 - w)) : 2.0 * std::atan(std::abs(w));
    Y = std::sin(3.0 * psi) / 12.0 - std::sin(2.0 * psi) / (4.0 * c) +
        (1.0 - 1.25 * c * c) * std::sin(psi) / (c * c) -
        ((1.0 - 1.5 * c * c) * psi - std::pow(std::abs(c * c - 1.0), 1.5) * Lw) /
            integer_power(c, 3);
  }
  return std::exp(x_mu * Y);
}

double conductivity2011_background(double Tbar, double rhobar) {
  double dilute = 0.0;
  for (std::size_t k = 0; k < L.size(); ++k)
    dilute += L[k] / integer_power(Tbar, static_cast<int>(k));
  const double lambda0 = std::sqrt(Tbar) / dilute;

  const double dt = 1.0 / Tbar - 1.0;
  const double dr = rhobar - 1.0;
  double sum = 0.0;
  for (std::size_t i = 0; i < Lij.size(); ++i) {
    double row = 0.0;
    for (std::size_t j = Lij[i].size(); j-- > 0;) row = row * dr + Lij[i][j];
    sum += integer_power(dt, static_cast<int>(i)) * row;
  }
  return lambda0 * std::exp(rhobar * sum);
}

double conductivity2011_critical(double Tbar, double rhobar, double cp_bar, double cp_over_cv,
                                 double mubar, double xi) {
  const double y = q_D_conductivity * xi;
  if (!(y >= y_min)) return 0.0;
  const double inv_kappa = 1.0 / cp_over_cv;
  const double Z = 2.0 / (std::numbers::pi * y) *
                   ((1.0 - inv_kappa) * std::atan(y) + inv_kappa * y -
                    (1.0 - std::exp(-1.0 / (1.0 / y + y * y / (3.0 * rhobar * rhobar)))));
  return Lambda * rhobar * cp_bar * Tbar / mubar * Z;
}

double correlation_length(double Tbar, double rhobar, double zeta, double zeta_reference) {
  const double delta_chi = rhobar * (zeta - zeta_reference * T_reference / Tbar);
  if (!(delta_chi > 0.0)) return 0.0;
  return xi_0 * std::pow(delta_chi / Gamma_0, nu / gamma);
}

void transport2011(double T, double rho, double& mu, double& lambda) {
  const helmholtz_state h(rho / constant95::rhoc, constant95::Tc / T);
  double mubar = 0.0, lambdabar = 0.0;
  reduced_transport(h, mubar, lambdabar);
  mu = mubar * mu_star;
  lambda = lambdabar * lambda_star;
}

bool viscosity2008_valid(double T, double p) {
  return in_range(viscosity_range, T, p);
}

bool conductivity2011_valid(double T, double p) {
  return in_range(conductivity_range, T, p);
}

double viscosity2008(const steam95& state) {
  require_applicable(state, "viscosity2008", true, false);
  double mubar = 0.0, lambdabar = 0.0;
  reduced_transport(state.helm(), mubar, lambdabar);
  return mubar * mu_star;
}

double conductivity2011(const steam95& state) {
  require_applicable(state, "conductivity2011", false, true);
  double mubar = 0.0, lambdabar = 0.0;
  reduced_transport(state.helm(), mubar, lambdabar);
  return lambdabar * lambda_star;
}

double prandtl2011(const steam95& state) {
  require_applicable(state, "prandtl2011", true, true);
  double mubar = 0.0, lambdabar = 0.0;
  reduced_transport(state.helm(), mubar, lambdabar);
  // cp in kJ/(kg·K), hence the factor 1000 to J/(kg·K).
  return state.helm().cp_r() * constant95::R * 1000.0 * (mubar * mu_star) /
         (lambdabar * lambda_star);
}

}  // namespace Vantrel
