#pragma once
// Phase decision and temperature search: which side of the saturation line a state lies on,
// or which vapour fraction it has, for a temperature or a pressure and one more variable.
//
// All variables are reduced: θ = T/Tc, π = p/pc, δ = ρ/ρc. A phase decision answers either a
// vapour mass fraction 0 < x < 1 or one of the single-phase codes of model/steam95.h:
// −1 (no saturation state at this T or p), −2 (vapour side), −3 (liquid side).
#include "model/helmholtz.h"
#include "model/steam95.h"
#include "solve/density.h"
#include "solve/solver.h"

namespace Vantrel {

// Below the ice boundary the pressure-first searches still look for metastable subcooled
// liquid down to this many kelvin; the volume search does not, because p-v has two answers
// around the density maximum of cold liquid.
inline constexpr double metastable_margin = 20.0;

// The density at (θ, π), starting on the side that the saturation estimates pick; within 5 %
// of the estimated saturation pressure the full saturation solve decides instead. Leaves the
// state at (δ, 1/θ). *settled, if given, tells whether Newton's method from IF97's start found
// it, on a positive slope and to its last step: a density that needs no further check.
double density_tp(double theta, double pi, helmholtz_state* state, bool* settled = nullptr);

// The pressure (MPa) and (∂p/∂ρ)_T/(RT) at the last point a Newton iteration evaluated, one
// step shorter than its tolerance from where it stopped.
struct newton_end {
  double p = 0.0, dpdrho_r = 0.0;
};

// Moves the state to the point (δ, τ) at which its property `first` equals y1 and `second`
// equals y2, a null selector standing for the pressure in MPa: Newton's method over (ln δ, τ)
// from (δ0, τ0), each step limited to a factor e in δ and a fifth of τ, at most 40 steps, until
// both steps are below `tolerance` relative; the last step is taken, and what the last point
// evaluated gave goes to *end if asked for. False when it does not settle; the state is scratch.
// The point found may be metastable or unstable: the caller checks it.
bool newton_point(property_selector first, double y1, property_selector second, double y2,
                  double delta0, double tau0, helmholtz_state* state, double tolerance = 1e-11,
                  newton_end* end = nullptr);

// (∂y/∂δ)_τ of a property at the state's point, the property as newton_point names it. Fills
// the residual cells it reads in one sweep.
double property_by_delta(const helmholtz_state& state, property_selector property);

// As density_tp, but the search starts on the side that a phase code names: −3 the liquid,
// −2 the vapour; any other code lets density_tp choose. A temperature search that has
// already placed its state on one side of the saturation line keeps every trial there.
double density_tp_on_side(double theta, double pi, double code, helmholtz_state* state);

// The phase at θ for a value y of the property (v, h, s or u, which all grow from saturated
// liquid to saturated vapour). Writes the saturation pressure and densities when θ lies
// between the triple point and the critical point; answers −1 outside that range.
double quality_at_t(double theta, double y, property_selector property, double& pi,
                    double& delta_liq, double& delta_vap, helmholtz_state* state);

// The residual of a temperature search at fixed pressure: the property at (θ, π) against
// its target, relative to the target, or absolute where the target is exactly zero (a
// relative residual would divide by zero there).
template <class State>
class helmholtz_pfunction : public univariate_function<double, double> {
 public:
  using selector = double (State::*)() const;

  helmholtz_pfunction(double pressure_, double target_, selector property_, State* state_,
                      double side_ = quality_indeterminate)
      : pressure(pressure_), target(target_), property(property_), state(state_), side(side_) {}

  double value(const double& theta) override {
    density = guess > 0.0 ? dfind_near(guess, theta, pressure, state)
                          : density_tp_on_side(theta, pressure, side, state);
    return residual((state->*property)());
  }

  // The residual of a property value already known (the ends of the search range).
  double residual(double y) const { return target != 0.0 ? (y - target) / target : y - target; }

  double pressure;
  double target;
  double density = 0.0;
  selector property;
  State* state;
  // The phase code whose side every density search keeps (−2, −3), or −1 for free choice.
  double side;
  // A density within a few parts in 1e9 of every answer the search will ask for, or 0. When
  // set, each density search starts there through dfind_near.
  double guess = 0.0;
};

// The phase and temperature at π for a value y of the property, searching θ in [θ_lo, θ_hi].
// Two-phase: answers the quality, θ the saturation temperature, δ1 = δ′ and δ2 = δ″.
// Single phase: answers −1, −2 or −3, θ the temperature found and δ1 = δ2 = its density.
// Throws std::domain_error("helmholtz_tfind") when y lies outside the values at the two ends.
double helmholtz_tfind(double theta_lo, double theta_hi, double pi, double y,
                       property_selector property, double& theta, double& delta1, double& delta2,
                       helmholtz_state* state);

// As helmholtz_tfind for the energies and the entropy, without searching: a state in the
// two-phase dome is read off the saturation line at π; a single-phase state is Newton's method in
// (δ, τ) on IAPWS-95 from IF97's start, inside the temperature range of its pressure (the ice
// boundary less the metastable margin, to 5000 K). Answers false, with the state as scratch,
// where that decides nothing: a property other than h, s or u, no start, an iteration that does
// not settle, or a point outside the range or on the other side of the line; helmholtz_tfind then
// decides. On success the outputs are those of helmholtz_tfind, the phase code in `code`.
bool started_tfind(double pi, double y, property_selector property, double& code, double& theta,
                   double& delta1, double& delta2, helmholtz_state* state);

// As helmholtz_tfind for the volume over the range of p-v (the ice boundary at π, without
// margin, to 5000 K), without searching: δ is the input itself, a state between the saturated
// volumes at π is wet, and a single-phase state is θ from p(δ, θ) = p by Newton's method in θ.
// Answers false, with the state as scratch, wherever the answer could differ from the search's:
// an iteration that does not settle, a point outside the range, on the other side of the line or
// where (∂p/∂T)_ρ is not positive, and cold liquid below 290 K, where an isochore can cross an
// isobar twice around the density maximum.
bool started_pv(double pi, double v, double& code, double& theta, double& delta1, double& delta2,
                helmholtz_state* state);

// The single-phase state of (h, s) by Newton's method in (δ, τ) from IF97's start, if it lies at
// a pressure from the triple point's to the top of the range, inside the temperature range of its
// pressure, on the stable side of the line named by `code` (as helmholtz_tfind names it). False,
// with the state as scratch, otherwise.
bool started_hs(double h, double s, double& code, helmholtz_state* state);

// The wet state of (h, s) off the fitted line: the θ at which the lever rule gives one vapour
// fraction by h and by s, by Brent's method over θ on the fit, and that fraction. False where no
// θ of the proven line holds one inside (0, 1).
bool started_wet_hs(double h, double s, double& theta, double& x);

}  // namespace Vantrel
