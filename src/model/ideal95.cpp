// Ideal-gas part φ°(δ, τ) of the IAPWS-95 free energy and its τ-derivatives
// (IAPWS R6-95(2018), Table 4).
#include <cmath>
#include <cstddef>

#include "model/coefficients95.h"
#include "model/helmholtz.h"

namespace Vantrel {

using namespace iapws95;

double ideal95::eval_phi0() const {
  double sum = std::log(delta_) + ideal_n1 + ideal_n2 * tau_ + ideal_n3 * std::log(tau_);
  for (std::size_t i = 0; i < ideal_n.size(); ++i) {
    sum += ideal_n[i] * std::log(1.0 - std::exp(-ideal_gamma[i] * tau_));
  }
  return sum;
}

double ideal95::eval_phi0_t() const {
  double sum = ideal_n2 + ideal_n3 / tau_;
  for (std::size_t i = 0; i < ideal_n.size(); ++i) {
    sum += ideal_n[i] * ideal_gamma[i] * (1.0 / (1.0 - std::exp(-ideal_gamma[i] * tau_)) - 1.0);
  }
  return sum;
}

double ideal95::eval_phi0_tt() const {
  double sum = -ideal_n3 / (tau_ * tau_);
  for (std::size_t i = 0; i < ideal_n.size(); ++i) {
    const double e = std::exp(-ideal_gamma[i] * tau_);
    const double one_minus = 1.0 - e;
    sum -= ideal_n[i] * ideal_gamma[i] * ideal_gamma[i] * e / (one_minus * one_minus);
  }
  return sum;
}

}  // namespace Vantrel
