#include "properties/further.h"

#include <array>
#include <cmath>

#include "model/constant95.h"
#include "model/errors.h"
#include "model/integer_power.h"
#include "model/steam95.h"

namespace Vantrel {

namespace {

// Surface tension σ = B θ^μ (1 + b θ), θ = 1 − T/Tc (IAPWS 1994).
constexpr double st_B = 0.2358;  // N/m
constexpr double st_b = -0.625;
constexpr double st_mu = 1.256;

// Static dielectric constant (IAPWS R8-97). Products of the release's constants as stored:
constexpr double NA_mu2 = 2.268842651465148e-35;    // N_A·μ², C²·m²/mol
constexpr double NA_alpha = 9.852215641199999e-17;  // N_A·α, C²·m²/(J·mol)
constexpr double k_boltzmann = 1.380658e-23;        // J/K
constexpr double molar_mass = 18.015268;            // g/mol
constexpr double four_e7_c2 = 35950207149.4727;     // 4·10⁻⁷·c², so ε0 = 1/(π·this)
constexpr double inv_228 = 0.0043859649122807015;   // 1/228 K
constexpr double T_dielectric_cut = 228.0;          // K

// Harris–Alder g-factor terms h = 1..11: N_h δ^i_h (Tc/T)^j_h (IAPWS R8-97, Table 3).
constexpr std::array<double, 11> g_N{
    0.978224486826,    -0.957771379375,   0.237511794148,     0.714692244396,
    -0.298217036956,   -0.108863472196,   0.949327488264e-1,  -0.980469816509e-2,
    0.165167634970e-4, 0.937359795772e-4, -0.123179218720e-9,
};
constexpr std::array<int, 11> g_i{1, 1, 1, 2, 3, 3, 4, 5, 6, 7, 10};
constexpr std::array<double, 11> g_j{0.25, 1, 2.5, 1.5, 1.5, 2.5, 2, 2, 5, 0.5, 10};
// Term 12: N12 δ (T/228 K − 1)^−1.2.
constexpr double g_N12 = 0.00196096504426;

// The two-phase isentropic coefficient is a secant in log p over this pressure step.
constexpr double k_pressure_step = 1.001;

}  // namespace

double surface_tension(double tau) {
  const double theta = 1.0 - 1.0 / tau;
  if (theta < 0.0) return 0.0;
  return std::pow(theta, st_mu) * (1.0 + st_b * theta) * st_B;
}

double dielectric_constant(double delta, double tau) {
  const double r = 1.0 / tau;
  const double T = r * constant95::Tc;
  const double rho = constant95::rhoc * delta;
  if (T <= T_dielectric_cut) return 0.0;

  const double eps0 = 1.0 / (std::acos(-1.0) * four_e7_c2);
  double g = 1.0;
  for (std::size_t h = 0; h < g_N.size(); ++h)
    g = g + integer_power(delta, g_i[h]) * std::pow(1.0 / r, g_j[h]) * g_N[h];
  g = g + g_N12 * delta / std::pow(T * inv_228 - 1.0, 1.2);

  const double rho_m = rho / molar_mass * 1000.0;  // mol/m³
  const double A = g * rho_m * NA_mu2 / (eps0 * T * k_boltzmann);
  const double B = rho_m * NA_alpha / (eps0 * 3.0);
  return (1.0 + A + 5.0 * B +
          std::sqrt(9.0 + 2.0 * A + 18.0 * B + A * A + 10.0 * A * B + 9.0 * B * B)) /
         (4.0 - 4.0 * B);
}

double steam95::st() const {
  check_valid();
  if (two_phase()) throw not_applicable("steam95::st");
  return surface_tension(helm_.tau());
}

double steam95::de() const {
  check_valid();
  if (two_phase()) throw not_applicable("steam95::de");
  return dielectric_constant(helm_.delta(), helm_.tau());
}

double steam95::dhv() const {
  check_valid();
  // A single-phase state holds its class code (−1, −2, −3) in x; NaN fails both tests too.
  if (!(x_ >= 0.0 && x_ <= 1.0)) throw not_applicable("steam95::dhv");
  const double T = constant95::Tc / helm_.tau();
  steam95 vapour;
  vapour.at_tsat(T, 1.0);
  steam95 liquid;
  liquid.at_tsat(T, 0.0);
  return (vapour.h() - liquid.h()) * (1.0 - x_);
}

double steam95::isentropic_k() const {
  check_valid();
  if (two_phase()) {
    // Within the dome p(v) at constant s has no local derivative from the Helmholtz part of
    // one phase, so take a small secant in log p against log v.
    const double p_a = helm_.p();
    const double p_b = p_a * k_pressure_step;
    const double v_a = v();
    steam95 other;
    other.at_ps(p_b, s());
    const double v_b = other.v();
    return std::log(p_a / p_b) / std::log(v_b / v_a);
  }
  // −(cp/cv)·v/(p·(∂v/∂p)_T); where (∂v/∂p)_T is guarded to 0 the result is not finite and is
  // left for the caller to refuse.
  const double cv =
      -helm_.tau() * helm_.tau() * (helm_.phi0_tt() + helm_.phir_tt()) * constant95::R;
  const double v = 1.0 / (constant95::rhoc * helm_.delta());
  return -((helm_.cp_r() * (v / cv) * constant95::R) / helm_.p()) / helm_.dvdp();
}

}  // namespace Vantrel
