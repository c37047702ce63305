#include "properties/dielectric.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "model/constant95.h"
#include "model/integer_power.h"

namespace Vantrel {

namespace {

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

}  // namespace

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

}  // namespace Vantrel
