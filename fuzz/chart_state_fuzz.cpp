// The state under a point of a chart against arbitrary points: the first 16 bytes are the
// point, the next two the diagram and the unit system. Whatever the point, state_at must not
// throw, and a state it gives must be finite and lie at the point: its own pair puts it back
// there. Any exception escaping aborts the run.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "charts/diagram.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace Vantrel::charts;
  if (size < 18) return 0;
  point at;
  std::memcpy(&at.x, data, sizeof at.x);
  std::memcpy(&at.y, data + 8, sizeof at.y);
  const auto kind = static_cast<diagram_kind>(data[16] % 4);
  const int units = data[17] % 2;

  const auto state = state_at(kind, units, at);
  if (!state) return 0;
  for (const double v : {state->T, state->p, state->h, state->s, state->v}) {
    if (!std::isfinite(v)) __builtin_trap();
  }
  if (state->x && !(*state->x > 0.0 && *state->x < 1.0)) __builtin_trap();
  const point back = place(kind, *state);
  const auto near = [](double a, double b) {
    return std::abs(a - b) <= 2e-4 * std::max(std::abs(b), 1.0);
  };
  if (!near(back.x, at.x) || !near(back.y, at.y)) __builtin_trap();
  return 0;
}
