#pragma once
// The IAPWS-95 Helmholtz state: a point (δ, τ) with the memoised ideal-gas and residual
// parts of the dimensionless Helmholtz free energy and the property formulas at that point.
//
// A memo cell holding exactly 0.0 means "not yet computed"; the cells are cleared only when
// the point changes. Reading a quantity fills its cell, so the readers are const and the
// cells mutable.
#include <algorithm>
#include <cmath>

#include "model/constant95.h"
#include "model/integer_power.h"

namespace Vantrel {

// Ideal-gas part φ° with its memo (φ°, φ°_τ, φ°_ττ).
class ideal95 {
 public:
  ideal95() = default;
  ideal95(double delta, double tau) : delta_(delta), tau_(tau) {}

  double phi0() const { return phi0_ != 0.0 ? phi0_ : (phi0_ = eval_phi0()); }
  double phi0_t() const { return phi0_t_ != 0.0 ? phi0_t_ : (phi0_t_ = eval_phi0_t()); }
  double phi0_tt() const { return phi0_tt_ != 0.0 ? phi0_tt_ : (phi0_tt_ = eval_phi0_tt()); }

  // Fills every cell in one pass that shares the exponentials of the Planck-Einstein terms.
  void fill_all() const;

 private:
  friend struct memo_test_access;  // lets the tests read the memo cells

  double eval_phi0() const;
  double eval_phi0_t() const;
  double eval_phi0_tt() const;

  double delta_ = 0.0;
  double tau_ = 0.0;
  mutable double phi0_ = 0.0;
  mutable double phi0_t_ = 0.0;
  mutable double phi0_tt_ = 0.0;
};

// Residual part φʳ with its memo (φʳ, φʳ_δ, φʳ_δδ, φʳ_τ, φʳ_ττ, φʳ_δτ).
// Reading a quantity is one pass over the 56 terms; the fills compute several in one pass that
// shares the powers and exponentials between them, each to the same last bit as its own pass.
class residual95 {
 public:
  residual95() = default;
  residual95(double delta, double tau) : delta_(delta), tau_(tau) {}

  double phir() const { return phir_ != 0.0 ? phir_ : (phir_ = eval_phir()); }
  double phir_d() const { return phir_d_ != 0.0 ? phir_d_ : (phir_d_ = eval_phir_d()); }
  double phir_dd() const { return phir_dd_ != 0.0 ? phir_dd_ : (phir_dd_ = eval_phir_dd()); }
  double phir_t() const { return phir_t_ != 0.0 ? phir_t_ : (phir_t_ = eval_phir_t()); }
  double phir_tt() const { return phir_tt_ != 0.0 ? phir_tt_ : (phir_tt_ = eval_phir_tt()); }
  double phir_dt() const { return phir_dt_ != 0.0 ? phir_dt_ : (phir_dt_ = eval_phir_dt()); }

  // Fills φʳ_δ and φʳ_δδ, the slope of the pressure along an isotherm.
  void fill_density_slopes() const {
    if (phir_d_ == 0.0 || phir_dd_ == 0.0) sweep_density_slopes();
  }
  // Fills every cell: what a Newton step in (δ, τ) and a full set of properties read.
  void fill_all() const;

 private:
  friend struct memo_test_access;  // lets the tests read the memo cells

  void sweep_density_slopes() const;
  double eval_phir() const;
  double eval_phir_d() const;
  double eval_phir_dd() const;
  double eval_phir_t() const;
  double eval_phir_tt() const;
  double eval_phir_dt() const;

  double delta_ = 0.0;
  double tau_ = 0.0;
  mutable double phir_ = 0.0;
  mutable double phir_d_ = 0.0;
  mutable double phir_dd_ = 0.0;
  mutable double phir_t_ = 0.0;
  mutable double phir_tt_ = 0.0;
  mutable double phir_dt_ = 0.0;
};

// The sum φ = φ° + φʳ at one point. The third parameter selects a variant of the
// formulation; the library uses only 0.
template <class Ideal, class Residual, int Variant>
class helmholtz {
 public:
  helmholtz() = default;
  helmholtz(double delta, double tau)
      : delta_(delta), tau_(tau), ideal_(delta, tau), residual_(delta, tau) {}

  // Moves to (δ, τ). The same point (exact comparison) keeps every memo cell.
  void update(double delta, double tau) {
    if (delta == delta_ && tau == tau_) return;
    delta_ = delta;
    tau_ = tau;
    ideal_ = Ideal(delta, tau);
    residual_ = Residual(delta, tau);
  }

  double delta() const { return delta_; }
  double tau() const { return tau_; }

  double phi0() const { return ideal_.phi0(); }
  double phi0_t() const { return ideal_.phi0_t(); }
  double phi0_tt() const { return ideal_.phi0_tt(); }
  double phir() const { return residual_.phir(); }
  double phir_d() const { return residual_.phir_d(); }
  double phir_dd() const { return residual_.phir_dd(); }
  double phir_t() const { return residual_.phir_t(); }
  double phir_tt() const { return residual_.phir_tt(); }
  double phir_dt() const { return residual_.phir_dt(); }

  // One evaluation for several cells; a cell already filled keeps its value.
  void fill_density_slopes() const { residual_.fill_density_slopes(); }
  void fill_all() const {
    ideal_.fill_all();
    residual_.fill_all();
  }

 private:
  friend struct memo_test_access;

  double delta_ = 0.0;
  double tau_ = 0.0;
  Ideal ideal_;
  Residual residual_;
};

// Selects the update overload that takes a reduced temperature θ = T/Tc instead of τ.
struct theta_tag {};

// The Helmholtz state: constants, the free energy and the property formulas at (δ, τ).
// Internal units: K, MPa, kg/m³, kJ/kg, kJ/(kg·K), m/s.
template <class Constants, class Helmholtz>
class thermo_helmholtz : public Helmholtz {
 public:
  using Helmholtz::Helmholtz;
  using Helmholtz::update;

  // Guard bound shared by every derivative property that divides.
  static constexpr double guard = 1e-8;

  void update_theta(double delta, double theta, theta_tag) { this->update(delta, 1.0 / theta); }

  double t() const { return Constants::Tc / this->tau(); }
  double rho() const { return Constants::rhoc * this->delta(); }
  double v() const { return 1.0 / (Constants::rhoc * this->delta()); }

  double phi_d() const { return this->phir_d() + 1.0 / this->delta(); }
  double phi_t() const { return this->phi0_t() + this->phir_t(); }
  double phi_tt() const { return this->phi0_tt() + this->phir_tt(); }

  // (∂p/∂ρ)_T / (R·T) = 1 + 2δφʳ_δ + δ²φʳ_δδ. The two cells are filled together.
  double dpdrho_r() const {
    this->fill_density_slopes();
    const double d = this->delta();
    return d * (2.0 * (this->phir_d() + 1.0 / d) + d * (this->phir_dd() - 1.0 / (d * d)));
  }
  double y_r() const {
    return this->delta() * phi_d() - this->delta() * this->tau() * this->phir_dt();
  }

  double p() const { return rho() * Constants::R * t() * this->delta() * phi_d() * 0.001; }
  double a() const { return (this->phi0() + this->phir()) * Constants::R * t(); }
  double u() const { return this->tau() * phi_t() * Constants::R * t(); }
  double h() const {
    return (this->tau() * phi_t() + this->delta() * phi_d()) * Constants::R * t();
  }
  double g() const {
    return (this->phi0() + this->phir() + this->delta() * phi_d()) * Constants::R * t();
  }
  double s() const { return (this->tau() * phi_t() - this->phi0() - this->phir()) * Constants::R; }
  double cv() const { return -this->tau() * this->tau() * phi_tt() * Constants::R; }
  double dpdt() const { return rho() * Constants::R * y_r() * 0.001; }

  double cp_r() const {
    const double x = dpdrho_r();
    const double y = y_r();
    return std::abs(x) > guard ? y * y / x - this->tau() * this->tau() * phi_tt() : 0.0;
  }
  double w2_r() const {
    const double y = y_r();
    return dpdrho_r() + y * y / (-this->tau() * this->tau() * phi_tt());
  }
  double alpha_t() const {
    const double x = dpdrho_r();
    return std::abs(x) > guard ? y_r() / x : 0.0;
  }
  double throttle_r() const {
    const double x = dpdrho_r();
    return std::abs(x) > guard ? 1.0 - y_r() / x : 0.0;
  }
  double w() const { return std::sqrt(std::max(w2_r(), 0.0) * Constants::R * t() * 1000.0); }
  double kappa() const {
    const double x = dpdrho_r();
    return (std::abs(x) > guard ? 1.0 / x : 0.0) * 1000.0 / (rho() * Constants::R * t());
  }
  double cjth() const {
    const double c = cp_r();
    return (std::abs(c) > guard ? -throttle_r() / c : 0.0) * 1000.0 / (Constants::R * rho());
  }
  // (∂p/∂ρ)_T in MPa·m³/kg.
  double dpdrho() const { return dpdrho_r() * Constants::R * t() * 0.001; }
  double dvdt() const {
    const double c = dpdrho();
    const double vv = v();
    return std::abs(c) > guard ? vv * vv * dpdt() / c : 0.0;
  }
  double dvdp() const {
    const double c = dpdrho();
    const double r = rho();
    return std::abs(c) > guard ? -1.0 / (c * r * r) : 0.0;
  }
};

using helmholtz_state = thermo_helmholtz<constant95, helmholtz<ideal95, residual95, 0>>;

// Names one property of the Helmholtz state (v, h, s or u) for the solvers that match it.
using property_selector = double (helmholtz_state::*)() const;

}  // namespace Vantrel
