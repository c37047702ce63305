#pragma once
// Correlations in temperature and density behind the steam95 members st and de. Both take
// the reduced variables of the state's Helmholtz part, τ = Tc/T and δ = ρ/ρc.

namespace Vantrel {

// Surface tension in N/m against saturated vapour (IAPWS Release on Surface Tension of
// Ordinary Water Substance, 1994); 0 at and above the critical temperature.
double surface_tension(double tau);

// Static dielectric constant (IAPWS Release on the Static Dielectric Constant of Ordinary
// Water Substance, 1997), evaluated wherever a state exists; 0 at and below 228 K, where
// the g-factor's last term diverges.
double dielectric_constant(double delta, double tau);

}  // namespace Vantrel
