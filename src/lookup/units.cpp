#include "lookup/units.h"

#include <cmath>
#include <stdexcept>

#include "model/steam95.h"

namespace Vantrel {

namespace {

// The context of the lookup service's own errors.
constexpr const char* lookup_context = "kelvora";

// A conversion can overflow (a huge English entropy times 1.8/fE), so the converted value is
// checked as well as the raw one: no constructor is ever handed an infinity or a NaN.
double finite_input(double converted) {
  if (!std::isfinite(converted)) throw std::domain_error(lookup_context);
  return converted;
}

}  // namespace

void state_from_pair(double a, double b, steam95& state, int pair_code, int units) {
  if (pair_code < 0 || pair_code >= input_pair_count) throw std::domain_error(lookup_context);
  if (!std::isfinite(a) || !std::isfinite(b)) throw std::domain_error(lookup_context);

  const auto first_t = [&] { return finite_input(input_temperature(units, a)); };
  const auto first_p = [&] { return finite_input(input_pressure(units, a)); };
  switch (static_cast<input_pair>(pair_code)) {
    case pair_tp:
      state.at_tp(first_t(), finite_input(input_pressure(units, b)));
      return;
    case pair_tv:
      state.at_tv(first_t(), finite_input(input_volume(units, b)));
      return;
    case pair_th:
      state.at_th(first_t(), finite_input(input_energy(units, b)));
      return;
    case pair_ts:
      state.at_ts(first_t(), finite_input(input_entropy(units, b)));
      return;
    case pair_tu:
      state.at_tu(first_t(), finite_input(input_energy(units, b)));
      return;
    case pair_pv:
      state.at_pv(first_p(), finite_input(input_volume(units, b)));
      return;
    case pair_ph:
      state.at_ph(first_p(), finite_input(input_energy(units, b)));
      return;
    case pair_ps:
      state.at_ps(first_p(), finite_input(input_entropy(units, b)));
      return;
    case pair_pu:
      state.at_pu(first_p(), finite_input(input_energy(units, b)));
      return;
    case pair_hs:
      state.at_hs(finite_input(input_energy(units, a)), finite_input(input_entropy(units, b)));
      return;
  }
}

double property_value(int code, const steam95& state, int units) {
  const auto f = [units](unit_row row) { return unit_factor(row, units); };
  // The parenthesised quotients are formed first, then applied to the value.
  switch (code) {
    case code_t:
      return display_temperature(units, state.t());
    case code_p:
      return state.p() * f(fP);
    case code_v:
      return state.v() * f(fV);
    case code_rho:
      return state.rho() / f(fV);
    case code_z:
      return state.z();
    case code_a:
      return state.a() * f(fE);
    case code_s:
      return state.s() * (f(fE) / f(fT));
    case code_u:
      return state.u() * f(fE);
    case code_h:
      return state.h() * f(fE);
    case code_g:
      return state.g() * f(fE);
    case code_cv:
      return state.cv() * (f(fE) / f(fT));
    case code_cp:
      return state.cp() * (f(fE) / f(fT));
    case code_w:
      return state.w() * f(fW);
    case code_alpha:
      return state.alpha() / f(fT);
    case code_kappa:
      return state.kappa() / f(fP);
    case code_dpdt:
      return state.dpdt() * (f(fP) / f(fT));
    case code_dvdt:
      return state.dvdt() * (f(fV) / f(fT));
    case code_dvdp:
      return state.dvdp() * (f(fV) / f(fP));
    case code_mu:
      return state.mu() * f(fMU);
    case code_kt:
      return state.kt() * f(fK);
    case code_st:
      return state.st();
    case code_pr:
      return state.pr();
    case code_de:
      return state.de();
    case code_cjtt:
      return state.cjtt() * (f(fE) / f(fP));
    case code_cjth:
      return state.cjth() * (f(fT) / f(fP));
    case code_x:
      return state.x();
    case code_isentropic_k:
      return state.isentropic_k();
    case code_dhv:
      return state.dhv() * f(fE);
    default:
      throw std::domain_error(lookup_context);
  }
}

}  // namespace Vantrel
