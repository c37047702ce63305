#pragma once
// Viscosity after the IAPWS Formulation 2008 and thermal conductivity after the IAPWS
// Formulation 2011, both in the form for general and scientific use with their critical
// enhancements. They share the reference constants of IAPWS-95 (647.096 K, 322 kg/m³,
// 22.064 MPa), and every thermodynamic input (∂ρ/∂p at T and at 1.5 Tc, cp, cv) comes from
// the IAPWS-95 Helmholtz state at the same point, so the functions below never iterate.

namespace Vantrel {

class steam95;

// Reduced background viscosity μ̄0·μ̄1 (in µPa·s) at T̄ = T/Tc and ρ̄ = ρ/ρc.
double viscosity2008_background(double Tbar, double rhobar);

// Critical enhancement factor μ̄2 for a correlation length ξ in nm (1 at ξ = 0).
double viscosity2008_critical(double xi);

// Reduced background conductivity λ̄0·λ̄1 (in mW/(m·K)).
double conductivity2011_background(double Tbar, double rhobar);

// Critical enhancement λ̄2 (mW/(m·K)) from cp/R, the ratio cp/cv, the full reduced
// viscosity μ̄ (µPa·s) and the correlation length ξ (nm).
double conductivity2011_critical(double Tbar, double rhobar, double cp_bar, double cp_over_cv,
                                 double mubar, double xi);

// Correlation length ξ (nm) from ρ̄ and the reduced derivatives ζ̄ = (∂ρ̄/∂p̄)_T at T̄ and at
// the reference temperature 1.5; 0 where the difference Δχ̄ is negative.
double correlation_length(double Tbar, double rhobar, double zeta, double zeta_reference);

// μ (Pa·s) and λ (W/(m·K)) at T (K) and ρ (kg/m³), critical enhancements included.
void transport2011(double T, double rho, double& mu, double& lambda);

// Whether (T K, p MPa) lies in the range of validity of the 2008 viscosity, and of the 2011
// conductivity: the stable fluid from the ice boundary up to a temperature that falls in
// steps with pressure.
bool viscosity2008_valid(double T, double p);
bool conductivity2011_valid(double T, double p);

// μ, λ and Pr of a built state: not_applicable for a mixture or the critical point, as for
// the 1985 equations; std::domain_error outside the release's range of validity (both
// ranges for Pr).
double viscosity2008(const steam95& state);
double conductivity2011(const steam95& state);
double prandtl2011(const steam95& state);

}  // namespace Vantrel
