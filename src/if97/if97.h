#pragma once
// IAPWS-IF97, the industrial formulation: the basic equations of regions 1, 2, 3 and 5, the
// region 2–3 boundary, the saturation line of region 4, and states built from (T, p), (ρ, T)
// and saturation with a vapour fraction. Standard library only.
//
// Internal units: K, MPa, kg/m³, m³/kg, kJ/kg, kJ/(kg·K), m/s; every quantity per unit
// pressure is per MPa. Inputs outside the range of validity raise
// std::domain_error("if97::<function>"); an iteration that does not settle raises
// std::runtime_error with the same kind of context.

namespace Vantrel::if97 {

// The constants of the formulation.
inline constexpr double R = 0.461526;  // kJ/(kg·K)
inline constexpr double Tc = 647.096;  // K
inline constexpr double pc = 22.064;   // MPa
inline constexpr double rhoc = 322.0;  // kg/m³

// The range of validity: T_min to T_mid up to p_max, T_mid to T_max up to p_max5.
inline constexpr double T_min = 273.15;
inline constexpr double T_13 = 623.15;  // upper end of region 1, lower end of region 3
inline constexpr double T_23 = 863.15;  // where the region 2–3 boundary reaches p_max
inline constexpr double T_mid = 1073.15;
inline constexpr double T_max = 2273.15;
inline constexpr double p_max = 100.0;
inline constexpr double p_max5 = 50.0;

// Quality codes held in state::x for a single-phase state, as the rest of the library uses.
inline constexpr double quality_indeterminate = -1.0;
inline constexpr double quality_superheated = -2.0;
inline constexpr double quality_subcooled = -3.0;

// The region whose basic equation gives a state; none lies outside the range of validity.
// A state on the saturation line or inside it is region four.
enum class region { none = 0, one = 1, two = 2, three = 3, four = 4, five = 5 };

// One thermodynamic state with every property the equations give. A mixture (0 < x < 1)
// weights v, u, h, s, g and a of its saturated phases by mass; its derivative properties do
// not exist and read NaN. A derivative whose divisor vanishes (the critical point of the
// region 3 equation) reads 0.
struct state {
  region where = region::none;
  double T = 0.0;                    // K
  double p = 0.0;                    // MPa
  double v = 0.0;                    // m³/kg
  double rho = 0.0;                  // kg/m³
  double z = 0.0;                    // compressibility factor pv/(RT)
  double a = 0.0;                    // Helmholtz free energy, kJ/kg
  double u = 0.0;                    // kJ/kg
  double h = 0.0;                    // kJ/kg
  double g = 0.0;                    // Gibbs free energy, kJ/kg
  double s = 0.0;                    // kJ/(kg·K)
  double x = quality_indeterminate;  // vapour mass fraction, or a quality code
  double cv = 0.0;                   // kJ/(kg·K)
  double cp = 0.0;                   // kJ/(kg·K)
  double w = 0.0;                    // speed of sound, m/s
  double alpha = 0.0;                // isobaric expansion (∂v/∂T)_p / v, 1/K
  double kappa = 0.0;                // isothermal compressibility −(∂v/∂p)_T / v, 1/MPa
  double dpdt = 0.0;                 // (∂p/∂T)_v, MPa/K
  double dvdt = 0.0;                 // (∂v/∂T)_p, m³/(kg·K)
  double dvdp = 0.0;                 // (∂v/∂p)_T, m³/(kg·MPa)
  double cjtt = 0.0;  // isothermal throttling coefficient (∂h/∂p)_T, kJ/(kg·MPa)
  double cjth = 0.0;  // Joule-Thomson coefficient (∂T/∂p)_h, K/MPa

  bool two_phase() const { return 0.0 < x && x < 1.0; }
};

// --- Boundaries.
region region_of(double T, double p);  // region::none outside the range; never region::four
double psat(double T);                 // saturation pressure, 273.15 K ≤ T ≤ Tc
double tsat(double p);                 // saturation temperature, psat(273.15 K) ≤ p ≤ pc
double b23_p(double T);  // region 2–3 boundary pressure, 623.15 K ≤ T ≤ 863.15 K
double b23_t(double p);  // its inverse, psat(623.15 K) ≤ p ≤ 100 MPa

// --- States.
state at_tp(double T, double p);            // the region that region_of names
state at_rho_t(double rho, double T);       // single phase or a mixture, whichever (ρ, T) lies in
state saturation_at_t(double T, double x);  // 0 ≤ x ≤ 1
state saturation_at_p(double p, double x);  // 0 ≤ x ≤ 1

// --- The basic equations themselves, at any point where they are wanted (starting values,
// metastable states, the last Newton step of a backward solve). They check only that the
// arguments are positive.
state region1_tp(double T, double p);
state region2_tp(double T, double p);
state metastable_vapour_tp(double T, double p);  // supersaturated vapour up to 10 MPa
state region3_rho_t(double rho, double T);
state region5_tp(double T, double p);

// The region 3 density at (T, p) by Newton's method on the basic equation, from the density
// start: the liquid-like root above the saturation pressure below Tc, the vapour-like root
// below it, the only root above Tc. start ≤ 0 lets the solver choose its own start.
double region3_density(double T, double p, double start = 0.0);

}  // namespace Vantrel::if97
