#include "pages/calculated_state.h"

#include "lookup/units.h"

namespace Vantrel {

display_quantities in_display_units(const calculated_state& state, int unit_system) {
  const double energy = unit_factor(fE, unit_system);
  return {display_temperature(unit_system, state.T), state.p * unit_factor(fP, unit_system),
          state.h * energy, state.s * energy / unit_factor(fT, unit_system),
          state.v * unit_factor(fV, unit_system)};
}

void state_trail::add(calculated_state state) {
  if (entries_.size() == capacity) entries_.pop_front();
  entries_.push_back({next_number_++, std::move(state)});
}

void state_trail::clear() {
  entries_.clear();
  next_number_ = 1;
}

}  // namespace Vantrel
