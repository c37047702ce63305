#pragma once
// Cutting straight pieces of a line, and whole lines, to a rectangle (Liang-Barsky clipping).
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "charts/diagram.h"

namespace Vantrel::charts {

// The part t0..t1 (0 ≤ t0 ≤ t1 ≤ 1) of the piece from a to b that lies in x0 ≤ x ≤ x1,
// y0 ≤ y ≤ y1, or nothing when none of it does.
inline std::optional<std::pair<double, double>> clip_span(point a, point b, double x0, double x1,
                                                          double y0, double y1) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double edges[4][2] = {{-dx, a.x - x0}, {dx, x1 - a.x}, {-dy, a.y - y0}, {dy, y1 - a.y}};
  double t0 = 0.0, t1 = 1.0;
  for (const auto& [p, q] : edges) {
    if (p == 0.0) {
      if (q < 0.0) return std::nullopt;
      continue;
    }
    const double r = q / p;
    if (p < 0.0) {
      if (r > t1) return std::nullopt;
      t0 = std::max(t0, r);
    } else {
      if (r < t0) return std::nullopt;
      t1 = std::min(t1, r);
    }
  }
  if (!(t1 >= t0)) return std::nullopt;
  return std::pair{t0, t1};
}

// Cuts the piece from a to b to x0 ≤ x ≤ x1, y0 ≤ y ≤ y1; false when none of it is inside.
inline bool clip(point& a, point& b, double x0, double x1, double y0, double y1) {
  const auto span = clip_span(a, b, x0, x1, y0, y1);
  if (!span) return false;
  const point start = a;
  const double dx = b.x - a.x, dy = b.y - a.y;
  a = {start.x + span->first * dx, start.y + span->first * dy};
  b = {start.x + span->second * dx, start.y + span->second * dy};
  return true;
}

// The runs of a polyline that lie inside `range`, each ending where the line crosses an edge;
// on a logarithmic y axis the crossings are found along log y, as the line is drawn. A picture
// format that does not clip (SVG) is given these.
std::vector<std::vector<point>> clip_to_view(const std::vector<point>& line, const view& range,
                                             bool log_y);

}  // namespace Vantrel::charts
