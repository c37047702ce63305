#include "pages/calculated_state.h"

#include "lookup/units.h"

namespace Vantrel {

double to_display(state_quantity quantity, double internal, int unit_system) {
  switch (quantity) {
    case state_quantity::T:
      return display_temperature(unit_system, internal);
    case state_quantity::p:
      return internal * unit_factor(fP, unit_system);
    case state_quantity::h:
      return internal * unit_factor(fE, unit_system);
    case state_quantity::s:
      return internal * unit_factor(fE, unit_system) / unit_factor(fT, unit_system);
    case state_quantity::v:
      return internal * unit_factor(fV, unit_system);
  }
  return internal;
}

double from_display(state_quantity quantity, double shown, int unit_system) {
  switch (quantity) {
    case state_quantity::T:
      return input_temperature(unit_system, shown);
    case state_quantity::p:
      return input_pressure(unit_system, shown);
    case state_quantity::h:
      return input_energy(unit_system, shown);
    case state_quantity::s:
      return input_entropy(unit_system, shown);
    case state_quantity::v:
      return input_volume(unit_system, shown);
  }
  return shown;
}

display_quantities in_display_units(const calculated_state& state, int unit_system) {
  using q = state_quantity;
  return {to_display(q::T, state.T, unit_system), to_display(q::p, state.p, unit_system),
          to_display(q::h, state.h, unit_system), to_display(q::s, state.s, unit_system),
          to_display(q::v, state.v, unit_system)};
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
