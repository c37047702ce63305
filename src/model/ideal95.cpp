// Ideal-gas part φ°(δ, τ) of the IAPWS-95 free energy and its τ-derivatives
// (IAPWS R6-95(2018), Table 4).
#include <array>
#include <cmath>
#include <cstddef>

#include "model/coefficients95.h"
#include "model/helmholtz.h"

namespace Vantrel {
namespace {

using namespace iapws95;

// Which of φ°, φ°_τ and φ°_ττ a pass computes. The Planck-Einstein terms all rest on
// e^(−γτ), taken once per term for the whole pass; each quantity's sum is the same, to the
// last bit, whichever others the pass computes alongside.
struct ideal_set {
  bool phi0, phi0_t, phi0_tt;
};

template <ideal_set Set>
std::array<double, 3> ideal_pass(double delta, double tau) {
  std::array<double, 3> sum{};
  if constexpr (Set.phi0)
    sum[0] = std::log(delta) + ideal_n1 + ideal_n2 * tau + ideal_n3 * std::log(tau);
  if constexpr (Set.phi0_t) sum[1] = ideal_n2 + ideal_n3 / tau;
  if constexpr (Set.phi0_tt) sum[2] = -ideal_n3 / (tau * tau);
  for (std::size_t i = 0; i < ideal_n.size(); ++i) {
    const double e = std::exp(-ideal_gamma[i] * tau);
    const double one_minus = 1.0 - e;
    if constexpr (Set.phi0) sum[0] += ideal_n[i] * std::log(one_minus);
    if constexpr (Set.phi0_t) sum[1] += ideal_n[i] * ideal_gamma[i] * (1.0 / one_minus - 1.0);
    if constexpr (Set.phi0_tt) {
      sum[2] -= ideal_n[i] * ideal_gamma[i] * ideal_gamma[i] * e / (one_minus * one_minus);
    }
  }
  return sum;
}

}  // namespace

double ideal95::eval_phi0() const {
  return ideal_pass<ideal_set{true, false, false}>(delta_, tau_)[0];
}

double ideal95::eval_phi0_t() const {
  return ideal_pass<ideal_set{false, true, false}>(delta_, tau_)[1];
}

double ideal95::eval_phi0_tt() const {
  return ideal_pass<ideal_set{false, false, true}>(delta_, tau_)[2];
}

void ideal95::fill_all() const {
  if (phi0_ != 0.0 && phi0_t_ != 0.0 && phi0_tt_ != 0.0) return;
  const std::array<double, 3> sum = ideal_pass<ideal_set{true, true, true}>(delta_, tau_);
  if (phi0_ == 0.0) phi0_ = sum[0];
  if (phi0_t_ == 0.0) phi0_t_ = sum[1];
  if (phi0_tt_ == 0.0) phi0_tt_ = sum[2];
}

}  // namespace Vantrel
