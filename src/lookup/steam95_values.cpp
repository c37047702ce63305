#include "lookup/steam95_values.h"

#include <cmath>
#include <stdexcept>

#include "lookup/catalogue.h"
#include "lookup/pairs.h"
#include "properties/transport2011.h"

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

// An input of a pair in internal units.
double input_of(int code, double value, int units) {
  return finite_input(to_internal(property_table[row_of_code(code)].dimension, value, units));
}

// The property of a built state in internal units.
double raw_value(int code, const steam95& state, transport_set transport) {
  if (transport == transport_set::iapws2011) {
    if (code == code_mu) return viscosity2008(state);
    if (code == code_kt) return conductivity2011(state);
    if (code == code_pr) return prandtl2011(state);
  }
  switch (code) {
    case code_t:
      return state.t();
    case code_p:
      return state.p();
    case code_v:
      return state.v();
    case code_rho:
      return state.rho();
    case code_z:
      return state.z();
    case code_a:
      return state.a();
    case code_s:
      return state.s();
    case code_u:
      return state.u();
    case code_h:
      return state.h();
    case code_g:
      return state.g();
    case code_cv:
      return state.cv();
    case code_cp:
      return state.cp();
    case code_w:
      return state.w();
    case code_alpha:
      return state.alpha();
    case code_kappa:
      return state.kappa();
    case code_dpdt:
      return state.dpdt();
    case code_dvdt:
      return state.dvdt();
    case code_dvdp:
      return state.dvdp();
    case code_mu:
      return state.mu();
    case code_kt:
      return state.kt();
    case code_st:
      return state.st();
    case code_pr:
      return state.pr();
    case code_de:
      return state.de();
    case code_cjtt:
      return state.cjtt();
    case code_cjth:
      return state.cjth();
    case code_x:
      return state.x();
    case code_isentropic_k:
      return state.isentropic_k();
    case code_dhv:
      return state.dhv();
    default:
      throw std::domain_error(lookup_context);
  }
}

}  // namespace

void state_from_pair(double a, double b, steam95& state, int pair_code, int units) {
  const pair_info* pair = pair_with_code(pair_code);
  if (pair == nullptr) throw std::domain_error(lookup_context);
  if (!std::isfinite(a) || !std::isfinite(b)) throw std::domain_error(lookup_context);

  const double first = input_of(pair->first, a, units);
  // The vapour fraction of T-x and p-x is the same number in every unit system.
  const double second = pair->second == code_x ? b : input_of(pair->second, b, units);
  switch (static_cast<input_pair>(pair_code)) {
    case pair_tp:
      return state.at_tp(first, second);
    case pair_tv:
      return state.at_tv(first, second);
    case pair_th:
      return state.at_th(first, second);
    case pair_ts:
      return state.at_ts(first, second);
    case pair_tu:
      return state.at_tu(first, second);
    case pair_pv:
      return state.at_pv(first, second);
    case pair_ph:
      return state.at_ph(first, second);
    case pair_ps:
      return state.at_ps(first, second);
    case pair_pu:
      return state.at_pu(first, second);
    case pair_hs:
      return state.at_hs(first, second);
    case pair_tx:
      return state.at_tsat(first, second);
    case pair_px:
      return state.at_psat(first, second);
  }
}

bool applies(int code, const steam95& state) {
  switch (code) {
    case code_cv:
    case code_cp:
    case code_w:
    case code_alpha:
    case code_kappa:
    case code_dpdt:
    case code_dvdt:
    case code_dvdp:
    case code_mu:
    case code_kt:
    case code_pr:
    case code_cjtt:
    case code_cjth:
      return !state.valid() || !(state.two_phase() || state.is_critical());
    case code_st:
    case code_de:
      return !state.valid() || !state.two_phase();
    default:
      return true;
  }
}

double property_value(int code, const steam95& state, int units, transport_set transport) {
  const double raw = raw_value(code, state, transport);
  // The enthalpy of vaporization has no catalogue row: it converts as an energy.
  const unit_dimension d =
      code == code_dhv ? unit_dimension::energy : property_table[row_of_code(code)].dimension;
  return to_display(d, raw, units);
}

}  // namespace Vantrel
