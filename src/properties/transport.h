#pragma once
// Viscosity and thermal conductivity of water after the IAPS Formulation 1985 (general and
// scientific use, ITS-90 reference temperature 647.226 K), with their critical enhancements.
// The thermodynamic inputs come from the IAPWS-95 state; the steam95 members mu, kt and pr
// are built on `transport`.

namespace Vantrel {

// μ (Pa·s) and λ (W/(m·K)) at T (K) and ρ (kg/m³), given the isothermal compressibility
// κT (1/MPa) and (∂p/∂T) at constant ρ (MPa/K) of the same state. The conductivity's
// critical enhancement is left out at ρ̄ ≥ 3.
void transport(double T, double rho, double kappaT, double dpdt, double& mu, double& lambda);

// Reduced viscosity at T̄, ρ̄ and χ̄ = ρ̄²·κT·p*: mu01 = μ̄0·μ̄1 (without the critical
// enhancement), mu = μ̄ (with it, inside the near-critical box).
void reduced_viscosity(double Tbar, double rhobar, double chibar, double& mu01, double& mu);

// λ̄0·λ̄1, the reduced conductivity without its critical enhancement.
double conductivity_background(double Tbar, double rhobar);

// λ̄2, the reduced critical enhancement of the conductivity; dpdt_bar is (∂p̄/∂T̄) at constant
// ρ̄ and mu01 the reduced viscosity μ̄0·μ̄1 of the same state.
double conductivity_critical(double Tbar, double rhobar, double chibar, double dpdt_bar,
                             double mu01);

}  // namespace Vantrel
