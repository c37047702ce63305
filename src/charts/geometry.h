#pragma once
// Cutting a straight piece of a line to a rectangle (Liang-Barsky clipping).
#include <algorithm>

#include "charts/diagram.h"

namespace Vantrel::charts {

// Cuts the piece from a to b to x0 ≤ x ≤ x1, y0 ≤ y ≤ y1; false when none of it is inside.
inline bool clip(point& a, point& b, double x0, double x1, double y0, double y1) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double edges[4][2] = {{-dx, a.x - x0}, {dx, x1 - a.x}, {-dy, a.y - y0}, {dy, y1 - a.y}};
  double t0 = 0.0, t1 = 1.0;
  for (const auto& [p, q] : edges) {
    if (p == 0.0) {
      if (q < 0.0) return false;
      continue;
    }
    const double r = q / p;
    if (p < 0.0) {
      if (r > t1) return false;
      t0 = std::max(t0, r);
    } else {
      if (r < t0) return false;
      t1 = std::min(t1, r);
    }
  }
  const point start = a;
  a = {start.x + t0 * dx, start.y + t0 * dy};
  b = {start.x + t1 * dx, start.y + t1 * dy};
  return t1 >= t0;
}

}  // namespace Vantrel::charts
