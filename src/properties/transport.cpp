#include "properties/transport.h"

#include <array>
#include <cmath>

#include "model/constant95.h"
#include "model/integer_power.h"
#include "model/steam95.h"

namespace Vantrel {

namespace {

// Reference constants of the 1985 transport formulations on ITS-90. Temperature and density
// are reduced by multiplying with the stored reciprocals.
constexpr double inv_T_star = 0.001545055359333525;    // 1/647.226 K
constexpr double inv_rho_star = 0.003146999493333082;  // 1/317.763 kg/m³
constexpr double p_star = 22.115;                      // MPa
constexpr double mu_star = 5.5071e-05;                 // Pa·s
constexpr double lambda_star = 0.4945;                 // W/(m·K)
constexpr double T_over_p_star = 29.26638028487452;    // T*/p*, K/MPa

// Viscosity in the dilute-gas limit, μ̄0 (IAPS 1985 viscosity release, Table 1).
constexpr std::array<double, 4> H{1.0, 0.978197, 0.579829, -0.202354};

// Residual viscosity factor μ̄1: H[i][j] multiplies (1/T̄ − 1)^i (ρ̄ − 1)^j
// (IAPS 1985 viscosity release, Table 2; zeros included).
constexpr std::array<std::array<double, 7>, 6> Hij{{
    {0.5132047, 0.2151778, -0.2818107, 0.1778064, -0.04176610, 0.0, 0.0},
    {0.3205656, 0.7317883, -1.070786, 0.4605040, 0.0, -0.01578386, 0.0},
    {0.0, 1.241044, -1.263184, 0.2340379, 0.0, 0.0, 0.0},
    {0.0, 1.476783, 0.0, -0.4924179, 0.1600435, 0.0, -0.003629481},
    {-0.7782567, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
    {0.1885447, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
}};

// Conductivity in the dilute-gas limit, λ̄0 (IAPS 1985 thermal-conductivity release,
// Table 1).
constexpr std::array<double, 4> L{1.0, 6.978267, 2.599096, -0.998254};

// Residual conductivity factor λ̄1: L[i][j] multiplies (1/T̄ − 1)^i (ρ̄ − 1)^j
// (IAPS 1985 thermal-conductivity release, Table 2; zeros included).
constexpr std::array<std::array<double, 6>, 5> Lij{{
    {1.3293046, -0.40452437, 0.24409490, 0.018660751, -0.12961068, 0.044809953},
    {1.7018363, -2.2156845, 1.6511057, -0.76736002, 0.37283344, -0.11203160},
    {5.2246158, -10.124111, 4.9874687, -0.27297694, -0.43083393, 0.13333849},
    {8.7127675, -9.5000611, 4.3786606, -0.91783782, 0.0, 0.0},
    {-1.8525999, 0.93404690, 0.0, 0.0, 0.0, 0.0},
}};

// Near-critical viscosity enhancement μ̄2 = 0.922 χ̄^0.0263, applied only inside this box of
// reduced temperature and density and above this reduced compressibility.
constexpr double mu_box_T_low = 0.997;
constexpr double mu_box_T_high = 1.0082;
constexpr double mu_box_rho_low = -0.245;  // bounds on ρ̄ − 1
constexpr double mu_box_rho_high = 0.29;
constexpr double mu_box_chi_min = 21.93;
constexpr double mu_enhancement = 0.922;
constexpr double mu_enhancement_exponent = 0.0263;

// Near-critical conductivity enhancement λ̄2.
constexpr double lambda_enhancement = 0.0013848;
constexpr double lambda_chi_exponent = 0.4678;
constexpr double lambda_T_weight = -18.66;  // on (T̄ − 1)²
constexpr double lambda_rho_weight = -1.0;  // on (ρ̄ − 1)⁴
// Below this exponent the enhancement is zero to double precision; the power terms are
// then not evaluated at all.
constexpr double lambda_exponent_cut = -600.0;
// Dense liquid: no enhancement at and above this reduced density.
constexpr double lambda_rho_cut = 3.0;

// x^0 … x^(N−1), each exactly what integer_power gives, taken once for a double sum that reads
// them many times.
template <int N>
std::array<double, N> powers(double x) {
  std::array<double, N> p{};
  for (int k = 0; k < N; ++k) p[static_cast<std::size_t>(k)] = integer_power(x, k);
  return p;
}

}  // namespace

void reduced_viscosity(double Tbar, double rhobar, double chibar, double& mu01, double& mu) {
  const double inv_T = 1.0 / Tbar;
  double dilute = 0.0;
  for (int i = 0; i < 4; ++i) dilute += H[i] * integer_power(inv_T, i);
  const double mu0 = std::sqrt(Tbar) / dilute;

  const double dt = inv_T - 1.0;
  const double dr = rhobar - 1.0;
  const auto dt_pow = powers<6>(dt);
  const auto dr_pow = powers<7>(dr);
  double sum = 0.0;
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 7; ++j) sum += dr_pow[j] * Hij[i][j] * dt_pow[i];
  mu01 = mu0 * std::exp(rhobar * sum);

  const bool near_critical = Tbar >= mu_box_T_low && Tbar <= mu_box_T_high &&
                             dr >= mu_box_rho_low && dr <= mu_box_rho_high &&
                             chibar >= mu_box_chi_min;
  mu = near_critical ? mu01 * mu_enhancement * std::pow(chibar, mu_enhancement_exponent) : mu01;
}

double conductivity_background(double Tbar, double rhobar) {
  const double lambda0 = std::sqrt(Tbar) / (L[0] + L[1] / Tbar + L[2] / integer_power(Tbar, 2) +
                                            L[3] / integer_power(Tbar, 3));
  const double dt = 1.0 / Tbar - 1.0;
  const double dr = rhobar - 1.0;
  const auto dt_pow = powers<5>(dt);
  const auto dr_pow = powers<6>(dr);
  double sum = 0.0;
  for (int i = 0; i < 5; ++i)
    for (int j = 0; j < 6; ++j) sum += dt_pow[i] * dr_pow[j] * Lij[i][j];
  return lambda0 * std::exp(rhobar * sum);
}

double conductivity_critical(double Tbar, double rhobar, double chibar, double dpdt_bar,
                             double mu01) {
  // A negative pressure-temperature derivative (liquid below the density maximum) gives no
  // enhancement.
  const double g = dpdt_bar < 0.0 ? 0.0 : dpdt_bar;
  const double exponent = lambda_T_weight * integer_power(Tbar - 1.0, 2) +
                          lambda_rho_weight * integer_power(rhobar - 1.0, 4);
  if (exponent < lambda_exponent_cut) return 0.0;
  return lambda_enhancement / mu01 * integer_power(Tbar / rhobar * g, 2) *
         std::pow(std::abs(chibar), lambda_chi_exponent) * std::sqrt(rhobar) * std::exp(exponent);
}

void transport(double T, double rho, double kappaT, double dpdt, double& mu, double& lambda) {
  const double Tbar = T * inv_T_star;
  const double rhobar = rho * inv_rho_star;
  const double chibar = rhobar * rhobar * kappaT * p_star;

  double mu01 = 0.0;
  double mubar = 0.0;
  reduced_viscosity(Tbar, rhobar, chibar, mu01, mubar);
  mu = mubar * mu_star;

  const double lambda01 = conductivity_background(Tbar, rhobar);
  double lambda2 = 0.0;
  if (rhobar < lambda_rho_cut)
    lambda2 = conductivity_critical(Tbar, rhobar, chibar, dpdt * T_over_p_star, mu01);
  lambda = (lambda01 + lambda2) * lambda_star;
}

namespace {

// The transport kernel at the single phase that a state's Helmholtz part holds.
void state_transport(const helmholtz_state& helm, double& mu, double& lambda) {
  transport(constant95::Tc / helm.tau(), constant95::rhoc * helm.delta(), helm.kappa(), helm.dpdt(),
            mu, lambda);
}

}  // namespace

void steam95::transport(double& mu, double& lambda) const {
  if (transport_delta_ != helm_.delta() || transport_tau_ != helm_.tau()) {
    state_transport(helm_, transport_mu_, transport_lambda_);
    transport_delta_ = helm_.delta();
    transport_tau_ = helm_.tau();
  }
  mu = transport_mu_;
  lambda = transport_lambda_;
}

double steam95::mu() const {
  require_single_phase("steam95::mu");
  double mu = 0.0, lambda = 0.0;
  transport(mu, lambda);
  return mu;
}

double steam95::kt() const {
  require_single_phase("steam95::kt");
  double mu = 0.0, lambda = 0.0;
  transport(mu, lambda);
  return lambda;
}

double steam95::pr() const {
  require_single_phase("steam95::pr");
  double mu = 0.0, lambda = 0.0;
  transport(mu, lambda);
  // cp in kJ/(kg·K), hence the factor 1000 to J/(kg·K).
  return (helm_.cp_r() * constant95::R) / lambda * mu * 1000.0;
}

}  // namespace Vantrel
