#pragma once
// steam95: one thermodynamic state of water — single phase, saturated liquid or vapour, or a
// liquid–vapour mixture. Internal units: K, MPa, kg/m³, m³/kg, kJ/kg, kJ/(kg·K), m/s, Pa·s,
// W/(m·K), N/m; every quantity per unit pressure is per MPa.
//
// The members are defined in the subsystem that owns them:
//   model/steam95.cpp          checks and thermodynamic properties
//   solve/constructors.cpp     the twelve state constructors
//   properties/transport.cpp   mu, kt, pr
//   properties/further.cpp     st, de, dhv, isentropic_k
#include "model/helmholtz.h"

namespace Vantrel {

// Quality codes stored in x for a single-phase state.
inline constexpr double quality_indeterminate = -1.0;
inline constexpr double quality_superheated = -2.0;
inline constexpr double quality_subcooled = -3.0;

// The constructor and the two inputs that built a state: the key of its state_cache entry.
// kind is −1 for a state that no constructor has built.
struct state_source {
  int kind = -1;
  double first = 0.0;
  double second = 0.0;
};

class steam95 {
 public:
  steam95() = default;

  // --- State constructors, one per input pair (T K, p MPa, v m³/kg, h u kJ/kg, s kJ/(kg·K)).
  void at_tsat(double T, double x);
  void at_psat(double p, double x);
  void at_tp(double T, double p);
  void at_tv(double T, double v);
  void at_th(double T, double h);
  void at_ts(double T, double s);
  void at_tu(double T, double u);
  void at_pv(double p, double v);
  void at_ph(double p, double h);
  void at_ps(double p, double s);
  void at_pu(double p, double u);
  void at_hs(double h, double s);

  // --- Checks.
  void check_valid() const;       // invalid_state("steam95") unless built
  static void check_t(double T);  // domain_error("steam95::t") outside [190, 5000] K
  static void check_p(double p);  // domain_error("steam95::p") outside [0, 10000] MPa
  bool is_critical() const;

  // --- Thermodynamic properties (extensive ones mix the two phases of a mixture).
  double t() const;
  double p() const;
  double v() const;
  double rho() const;
  double z() const;
  double a() const;
  double u() const;
  double h() const;
  double g() const;
  double s() const;
  double x() const;
  // Derivative properties: not_applicable for a mixture or at the critical point.
  double cv() const;
  double cp() const;
  double w() const;
  double alpha() const;
  double kappa() const;
  double dpdt() const;
  double dvdt() const;
  double dvdp() const;
  double cjtt() const;
  double cjth() const;

  // --- Transport properties (IAPS 1985).
  double mu() const;
  double kt() const;
  double pr() const;

  // --- Further properties.
  double st() const;
  double de() const;
  double dhv() const;
  double isentropic_k() const;

  // --- Raw access for the solvers, the correlations and the tests.
  bool valid() const { return valid_; }
  double delta_liq() const { return delta_liq_; }
  const helmholtz_state& helm() const { return helm_; }
  bool two_phase() const { return 0.0 < x_ && x_ < 1.0; }
  const state_source& source() const { return source_; }

 private:
  friend struct steam95_test_access;  // lets the tests set a state without a constructor

  // Viscosity and thermal conductivity at the point of helm_, evaluated once per point.
  void transport(double& mu, double& lambda) const;

  // Runs check_valid, then raises not_applicable(context) for a mixture or a critical state.
  void require_single_phase(const char* context) const;

  // Shared steps of the state constructors (solve/constructors.cpp).
  void store(int kind, double a, double b);
  void set_saturated(double x, double tau, double delta_liq, double delta_vap, double p_line);
  void at_t_energy(int kind, double T, double y, property_selector property);
  void retry_unless_settled(bool& converged, double& delta, double theta, double c,
                            double delta_liq, double delta_vap, property_selector property,
                            double y, double tolerance);
  void settle(bool converged, double delta, double tau);
  void at_p_property(int kind, double p, double y, property_selector property);
  void at_wet_hs(double theta, double x);

  bool valid_ = false;
  double x_ = -1.0;
  double delta_liq_ = 0.0;
  // The pressure of the saturation line (MPa) for a saturated phase or a mixture, 0 for a single
  // phase: the line's own pressure, not the equation of state's at one of its densities, where
  // a liquid's pressure is a small difference of large terms.
  double p_line_ = 0.0;
  state_source source_;
  helmholtz_state helm_;
  // The saturated liquid of a mixture at (δ′, τ), moved there on first use, with its own memo.
  mutable helmholtz_state liquid_;
  // The transport properties and the point (δ, τ) they belong to; a read at another point
  // evaluates them afresh.
  mutable double transport_delta_ = 0.0;
  mutable double transport_tau_ = 0.0;
  mutable double transport_mu_ = 0.0;
  mutable double transport_lambda_ = 0.0;
};

}  // namespace Vantrel
