// steam95: the checks and the thermodynamic properties of a state. A mixture (0 < x < 1)
// holds its saturated vapour in helm_ and the liquid's reduced density in delta_liq_; its
// extensive properties weight the two phases by mass, and its derivative properties do not
// exist.
#include "model/steam95.h"

#include <cmath>
#include <stdexcept>

#include "model/errors.h"

namespace Vantrel {
namespace {

using C = constant95;

// Bound on the relative distance from Tc and pc inside which a state counts as critical.
constexpr double critical_tolerance = 1e-8;

// (1 − x)·liquid + x·vapour for a mixture, the value of helm otherwise. The liquid state is
// moved to (δ′, τ) first; at the same point it keeps what earlier reads have evaluated.
double extensive(const helmholtz_state& helm, bool two_phase, double x, double delta_liq,
                 helmholtz_state& liquid, property_selector member) {
  const double vapour = (helm.*member)();
  if (!two_phase) return vapour;
  liquid.update(delta_liq, helm.tau());
  return (1.0 - x) * (liquid.*member)() + x * vapour;
}

}  // namespace

void steam95::check_valid() const {
  if (!valid_) throw invalid_state("steam95");
}

void steam95::check_t(double T) {
  if (T < C::T_min || T > C::T_max) throw std::domain_error("steam95::t");
}

void steam95::check_p(double p) {
  if (p < C::p_min || p > C::p_max) throw std::domain_error("steam95::p");
}

bool steam95::is_critical() const {
  return std::abs(1.0 / helm_.tau() - 1.0) < critical_tolerance &&
         std::abs(helm_.p() / C::pc - 1.0) < critical_tolerance;
}

void steam95::require_single_phase(const char* context) const {
  check_valid();
  if (two_phase() || is_critical()) throw not_applicable(context);
}

double steam95::t() const {
  check_valid();
  return helm_.t();
}

double steam95::p() const {
  check_valid();
  return p_line_ > 0.0 ? p_line_ : helm_.p();
}

double steam95::v() const {
  check_valid();
  if (!two_phase()) return helm_.v();
  // Volumes, not densities, add by mass.
  return (1.0 - x_) / (C::rhoc * delta_liq_) + x_ / (C::rhoc * helm_.delta());
}

double steam95::rho() const {
  return 1.0 / v();
}

double steam95::z() const {
  const double r = rho();
  return p() * 1000.0 / (C::R * t() * r);
}

double steam95::a() const {
  check_valid();
  return extensive(helm_, two_phase(), x_, delta_liq_, liquid_, &helmholtz_state::a);
}

double steam95::u() const {
  check_valid();
  return extensive(helm_, two_phase(), x_, delta_liq_, liquid_, &helmholtz_state::u);
}

double steam95::h() const {
  check_valid();
  return extensive(helm_, two_phase(), x_, delta_liq_, liquid_, &helmholtz_state::h);
}

double steam95::g() const {
  check_valid();
  return extensive(helm_, two_phase(), x_, delta_liq_, liquid_, &helmholtz_state::g);
}

double steam95::s() const {
  check_valid();
  return extensive(helm_, two_phase(), x_, delta_liq_, liquid_, &helmholtz_state::s);
}

double steam95::x() const {
  check_valid();
  return x_;
}

double steam95::cv() const {
  require_single_phase("steam95::cv");
  return helm_.cv();
}

double steam95::cp() const {
  require_single_phase("steam95::cp");
  return helm_.cp_r() * C::R;
}

double steam95::w() const {
  require_single_phase("steam95::w");
  return helm_.w();
}

double steam95::alpha() const {
  require_single_phase("steam95::alpha");
  return helm_.alpha_t() / helm_.t();
}

double steam95::kappa() const {
  require_single_phase("steam95::kappa");
  return helm_.kappa();
}

double steam95::dpdt() const {
  require_single_phase("steam95::dpdt");
  return helm_.dpdt();
}

double steam95::dvdt() const {
  require_single_phase("steam95::dvdt");
  return helm_.dvdt();
}

double steam95::dvdp() const {
  require_single_phase("steam95::dvdp");
  return helm_.dvdp();
}

double steam95::cjtt() const {
  require_single_phase("steam95::cjtt");
  return helm_.throttle_r() * 1000.0 / helm_.rho();
}

double steam95::cjth() const {
  require_single_phase("steam95::cjth");
  return helm_.cjth();
}

}  // namespace Vantrel
