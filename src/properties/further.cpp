#include <cmath>

#include "model/constant95.h"
#include "model/errors.h"
#include "model/steam95.h"
#include "properties/dielectric.h"
#include "properties/surface_tension.h"

namespace Vantrel {

namespace {

// The two-phase isentropic coefficient is a secant in log p over this pressure step.
constexpr double k_pressure_step = 1.001;

}  // namespace

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
