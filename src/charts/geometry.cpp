#include "charts/geometry.h"

#include <cmath>

namespace Vantrel::charts {

std::vector<std::vector<point>> clip_to_view(const std::vector<point>& line, const view& range,
                                             bool log_y) {
  const auto up = [log_y](double y) { return log_y ? std::log10(y) : y; };
  const auto down = [log_y](double y) { return log_y ? std::pow(10.0, y) : y; };
  const double bottom = up(range.y_min), top = up(range.y_max);
  std::vector<std::vector<point>> runs;
  bool open = false;  // the last run ends at the previous point, which lies inside
  for (std::size_t i = 1; i < line.size(); ++i) {
    const point a{line[i - 1].x, up(line[i - 1].y)}, b{line[i].x, up(line[i].y)};
    const auto span = clip_span(a, b, range.x_min, range.x_max, bottom, top);
    if (!span || !std::isfinite(span->first) || !std::isfinite(span->second)) {
      open = false;
      continue;
    }
    const auto [t0, t1] = *span;
    const double dx = b.x - a.x, dy = b.y - a.y;
    if (!open || t0 > 0.0) runs.push_back({{a.x + t0 * dx, down(a.y + t0 * dy)}});
    runs.back().push_back({a.x + t1 * dx, down(a.y + t1 * dy)});
    open = t1 == 1.0;
  }
  return runs;
}

}  // namespace Vantrel::charts
