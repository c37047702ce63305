#pragma once
// The states the user calculated on the Saturated and Superheated/Subcooled pages, as other views
// of them (the Chart page) need them: which page, the inputs as the page read them, and the
// state's temperature, pressure, enthalpy, entropy, volume and quality. The quantities are kept
// in the library's internal units, so a state keeps its place when the unit system changes.

#include <deque>
#include <optional>
#include <string>

namespace Vantrel {

struct calculated_state {
  std::string page;         // the page's tab title
  std::string inputs;       // the inputs with their units: "T = 200 °C, p = 1 bar"
  double T = 0.0;           // K
  double p = 0.0;           // MPa
  double h = 0.0;           // kJ/kg
  double s = 0.0;           // kJ/(kg·K)
  double v = 0.0;           // m³/kg
  std::optional<double> x;  // vapour fraction on the saturation line and in the dome
};

// T, p, h, s and v of a calculated state in the display units of `unit_system`.
struct display_quantities {
  double T, p, h, s, v;
};
display_quantities in_display_units(const calculated_state& state, int unit_system);

// One of those quantities between internal units and the display units of `unit_system`.
enum class state_quantity { T, p, h, s, v };
double to_display(state_quantity quantity, double internal, int unit_system);
double from_display(state_quantity quantity, double shown, int unit_system);

// The calculated states in the order calculated, each numbered from 1 until the trail is cleared.
// It holds at most `capacity` states; the oldest goes first, and the others keep their numbers.
class state_trail {
 public:
  static constexpr std::size_t capacity = 50;

  struct entry {
    int number;
    calculated_state state;
  };

  void add(calculated_state state);
  void clear();
  const std::deque<entry>& entries() const { return entries_; }

 private:
  std::deque<entry> entries_;
  int next_number_ = 1;
};

}  // namespace Vantrel
