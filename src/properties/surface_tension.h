#pragma once

namespace Vantrel {

// Surface tension in N/m of water against its saturated vapour (IAPWS Release on Surface
// Tension of Ordinary Water Substance, 1994) at τ = Tc/T; 0 at and above the critical
// temperature.
double surface_tension(double tau);

}  // namespace Vantrel
