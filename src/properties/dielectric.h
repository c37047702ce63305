#pragma once

namespace Vantrel {

// Static dielectric constant (IAPWS Release on the Static Dielectric Constant of Ordinary
// Water Substance, 1997) at δ = ρ/ρc and τ = Tc/T, evaluated wherever a state exists; 0 at
// and below 228 K, where the g-factor's last term diverges.
double dielectric_constant(double delta, double tau);

}  // namespace Vantrel
