#include "charts/labels.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>
#include <span>
#include <string>

#include "charts/display.h"
#include "charts/geometry.h"

namespace Vantrel::charts {

namespace {

// Where along the visible part of a line a label is tried, as fractions of its length.
constexpr double label_positions[] = {0.5,  0.35, 0.65, 0.2,  0.8,  0.1,  0.9, 0.27,
                                      0.43, 0.57, 0.73, 0.15, 0.85, 0.05, 0.95};
// Room left between a label and the plot's edge or another label, in pixels.
constexpr double label_gap = 2.0;
// Half the side of the square that a named point's marker takes, in pixels.
constexpr double marker_room = 5.0;

// Plot-area pixels with y up.
struct pixels {
  const chart& c;
  double width, height;

  double fy(double y) const { return c.log_y ? std::log10(y) : y; }
  point to(point p) const {
    const auto& r = c.range;
    return {(p.x - r.x_min) / (r.x_max - r.x_min) * width,
            (fy(p.y) - fy(r.y_min)) / (fy(r.y_max) - fy(r.y_min)) * height};
  }
  point from(point q) const {
    const auto& r = c.range;
    const double y = fy(r.y_min) + q.y / height * (fy(r.y_max) - fy(r.y_min));
    return {r.x_min + q.x / width * (r.x_max - r.x_min), c.log_y ? std::pow(10.0, y) : y};
  }
};

// Iso-line values are round decimals: written out in full, without an exponent.
std::string number(double v) {
  char text[64];
  const auto r = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed);
  return r.ec == std::errc() ? std::string(text, r.ptr) : std::string();
}

std::string label_text(const line& l, int unit_system) {
  if (!l.value) {
    const std::string& q = l.quantity;
    if (q.rfind("melting-", 0) == 0) return "ice " + q.substr(8);
    return q;
  }
  if (l.quantity == "x") return "x = " + number(*l.value);
  return number(*l.value) + " " + unit_of(l.quantity, unit_system);
}

std::size_t characters(const std::string& text) {
  std::size_t n = 0;
  for (const unsigned char ch : text) n += (ch & 0xC0) != 0x80;
  return n;
}

std::array<point, 4> corners(point centre, double angle_deg, double w, double h) {
  const double a = angle_deg * std::numbers::pi / 180.0;
  const point along{std::cos(a) * w / 2, std::sin(a) * w / 2};
  const point across{-std::sin(a) * h / 2, std::cos(a) * h / 2};
  return {point{centre.x - along.x - across.x, centre.y - along.y - across.y},
          point{centre.x + along.x - across.x, centre.y + along.y - across.y},
          point{centre.x + along.x + across.x, centre.y + along.y + across.y},
          point{centre.x - along.x + across.x, centre.y - along.y + across.y}};
}

bool separated_along(std::span<const point> a, std::span<const point> b, point axis) {
  double a0 = HUGE_VAL, a1 = -HUGE_VAL, b0 = HUGE_VAL, b1 = -HUGE_VAL;
  for (const point p : a) {
    const double d = p.x * axis.x + p.y * axis.y;
    a0 = std::min(a0, d);
    a1 = std::max(a1, d);
  }
  for (const point p : b) {
    const double d = p.x * axis.x + p.y * axis.y;
    b0 = std::min(b0, d);
    b1 = std::max(b1, d);
  }
  return a1 < b0 || b1 < a0;
}

// Separated along any edge normal of `poly` (one normal for a segment)?
bool separated_by_edges(std::span<const point> poly, std::span<const point> a,
                        std::span<const point> b) {
  const std::size_t n = poly.size() == 2 ? 1 : poly.size();
  for (std::size_t i = 0; i < n; ++i) {
    const point p = poly[i], q = poly[(i + 1) % poly.size()];
    if (separated_along(a, b, {-(q.y - p.y), q.x - p.x})) return true;
  }
  return false;
}

// Whether two convex outlines (corners in order; a segment as two) overlap.
bool outlines_overlap(std::span<const point> a, std::span<const point> b) {
  // Most pairs are far apart: their bounding boxes already tell.
  const auto bounds = [](std::span<const point> poly) {
    std::array<double, 4> r{HUGE_VAL, -HUGE_VAL, HUGE_VAL, -HUGE_VAL};
    for (const point p : poly) {
      r[0] = std::min(r[0], p.x);
      r[1] = std::max(r[1], p.x);
      r[2] = std::min(r[2], p.y);
      r[3] = std::max(r[3], p.y);
    }
    return r;
  };
  const auto ra = bounds(a), rb = bounds(b);
  if (ra[1] < rb[0] || rb[1] < ra[0] || ra[3] < rb[2] || rb[3] < ra[2]) return false;
  return !separated_by_edges(a, a, b) && !separated_by_edges(b, a, b);
}

constexpr name_side name_sides[] = {
    name_side::upper_right, name_side::upper_left, name_side::lower_right, name_side::lower_left,
    name_side::above,       name_side::below,      name_side::right,       name_side::left};

// The upright box (x0, x1, y0, y1 in pixels, y up) of a name w × h pixels on `side` of a point.
std::array<double, 4> name_box(point at, name_side side, double w, double h, double offset_x,
                               double offset_y) {
  const side_direction d = direction_of(side);
  const double x0 = d.x > 0 ? at.x + offset_x : d.x < 0 ? at.x - offset_x - w : at.x - w / 2;
  const double y0 = d.y > 0 ? at.y + offset_y : d.y < 0 ? at.y - offset_y - h : at.y - h / 2;
  return {x0, x0 + w, y0, y0 + h};
}

}  // namespace

std::vector<label> place_labels(const chart& c, double width, double height) {
  std::vector<label> placed;
  if (!(width > 0.0 && height > 0.0)) return placed;
  const pixels px{c, width, height};
  std::vector<std::vector<point>> obstacles;  // outlines of placed labels and dome segments
  for (const auto& l : c.lines) {
    if (!l.dome || !l.value) continue;  // the dome of T-s, h-s, p-h, not the p-T curve
    for (const auto& seg : l.segments) {
      for (std::size_t i = 1; i < seg.size(); ++i) {
        obstacles.push_back({px.to(seg[i - 1]), px.to(seg[i])});
      }
    }
  }
  const auto inside = [&](const std::array<point, 4>& box) {
    for (const point p : box) {
      if (p.x < label_gap || p.x > width - label_gap || p.y < label_gap ||
          p.y > height - label_gap) {
        return false;
      }
    }
    return true;
  };
  // The names of the critical and triple points are placed first, with a generous width, and
  // the labels keep clear of them: the window then finds room for each name where it was kept.
  for (const marker& m : c.markers) {
    if (!m.named_first) continue;
    const point at = px.to(m.at);
    if (!(at.x >= 0.0 && at.x <= width && at.y >= 0.0 && at.y <= height)) continue;
    const double w = static_cast<double>(characters(m.name)) * label_char_width;
    for (const name_side side : name_sides) {
      const auto [x0, x1, y0, y1] =
          name_box(at, side, w, label_height, name_offset_x, name_offset_y);
      const std::array<point, 4> box{point{x0, y0}, point{x1, y0}, point{x1, y1}, point{x0, y1}};
      if (!inside(box)) continue;
      if (std::any_of(obstacles.begin(), obstacles.end(),
                      [&box](const std::vector<point>& o) { return outlines_overlap(box, o); }))
        continue;
      obstacles.emplace_back(box.begin(), box.end());
      break;
    }
  }
  // The named points, which a label covers only where it has no other room.
  std::vector<std::vector<point>> points;
  for (const marker& m : c.markers) {
    const point at = px.to(m.at);
    points.push_back({{at.x - marker_room, at.y - marker_room},
                      {at.x + marker_room, at.y - marker_room},
                      {at.x + marker_room, at.y + marker_room},
                      {at.x - marker_room, at.y + marker_room}});
  }
  const auto clear_of_others = [&](const std::array<point, 4>& box, bool of_points) {
    if (!inside(box)) return false;
    for (const auto& o : obstacles)
      if (outlines_overlap(box, o)) return false;
    if (of_points)
      for (const auto& o : points)
        if (outlines_overlap(box, o)) return false;
    return true;
  };
  for (std::size_t index = 0; index < c.lines.size(); ++index) {
    const line& l = c.lines[index];
    if (l.dome && l.value) continue;  // the dome itself needs no label
    label candidate;
    candidate.text = label_text(l, c.unit_system);
    candidate.width = characters(candidate.text) * label_char_width + 2 * label_gap;
    candidate.height = label_height + 2 * label_gap;
    candidate.line_index = static_cast<int>(index);
    // The visible pieces of the line in pixels, and their length.
    std::vector<std::pair<point, point>> pieces;
    double length = 0.0;
    for (const auto& seg : l.segments) {
      for (std::size_t i = 1; i < seg.size(); ++i) {
        point a = px.to(seg[i - 1]), b = px.to(seg[i]);
        if (!clip(a, b, 0.0, width, 0.0, height) || !(a.x != b.x || a.y != b.y)) continue;
        pieces.emplace_back(a, b);
        length += std::hypot(b.x - a.x, b.y - a.y);
      }
    }
    if (!(length > 0.0)) continue;
    // The point at a distance along the visible pieces.
    const auto point_at = [&pieces](double along) {
      for (const auto& [a, b] : pieces) {
        const double d = std::hypot(b.x - a.x, b.y - a.y);
        if (along <= d) {
          const double t = d > 0.0 ? along / d : 0.0;
          return point{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
        }
        along -= d;
      }
      return pieces.back().second;
    };
    // A named curve shorter than its name has it beside it, not along it.
    const bool fits_along = l.value || length >= candidate.width;
    const auto place = [&](const std::array<point, 4>& box, point centre, double angle) {
      candidate.at = px.from(centre);
      candidate.angle = angle;
      placed.push_back(candidate);
      obstacles.emplace_back(box.begin(), box.end());
    };
    bool labelled = false;
    for (const bool of_points : {true, false}) {
      for (const double f :
           fits_along ? std::span<const double>(label_positions) : std::span<const double>()) {
        // The label follows the line's direction over its own width, not one piece's.
        const double along = f * length, half = candidate.width / 2;
        const point centre = point_at(along);
        const point a = point_at(std::max(along - half, 0.0)),
                    b = point_at(std::min(along + half, length));
        double angle = std::atan2(b.y - a.y, b.x - a.x) * 180.0 / std::numbers::pi;
        if (angle > 90.0) angle -= 180.0;
        if (angle <= -90.0) angle += 180.0;
        const auto box = corners(centre, angle, candidate.width, candidate.height);
        if (!clear_of_others(box, of_points)) continue;
        place(box, centre, angle);
        labelled = true;
        break;
      }
      if (labelled) break;
    }
    // A named curve too short or too crowded to carry its name along it (the melting curves of
    // ice III and ice V span a few kelvin on p-T) has it level beside its middle: left, right,
    // above, below or at a corner, whichever has room.
    if (labelled || l.value) continue;
    const point middle = point_at(0.5 * length);
    const double w = candidate.width, h = candidate.height;
    const double dx = w / 2 + label_gap, dy = h / 2 + label_gap;
    const point beside[] = {{middle.x - dx, middle.y},      {middle.x + dx, middle.y},
                            {middle.x, middle.y + dy},      {middle.x, middle.y - dy},
                            {middle.x - dx, middle.y + dy}, {middle.x + dx, middle.y + dy},
                            {middle.x - dx, middle.y - dy}, {middle.x + dx, middle.y - dy}};
    for (const bool of_points : {true, false}) {
      for (const point centre : beside) {
        const auto box = corners(centre, 0.0, w, h);
        if (!clear_of_others(box, of_points)) continue;
        place(box, centre, 0.0);
        labelled = true;
        break;
      }
      if (labelled) break;
    }
  }
  return placed;
}

std::vector<marker_name> place_marker_names(
    const chart& c, double width, double height,
    const std::function<double(const std::string&)>& text_width, double text_height,
    double offset_x, double offset_y) {
  std::vector<marker_name> out;
  if (!(width > 0.0 && height > 0.0)) return out;
  const pixels px{c, width, height};
  // Upright boxes in plot-area pixels (y up): the line labels' outer boxes, then the names.
  struct upright {
    double x0, x1, y0, y1;
    bool meets(const upright& o) const {
      return x0 <= o.x1 && o.x0 <= x1 && y0 <= o.y1 && o.y0 <= y1;
    }
  };
  std::vector<upright> taken;
  for (const label& l : c.labels) {
    const double turn = l.angle * std::numbers::pi / 180.0;
    const double w = std::abs(l.width * std::cos(turn)) + std::abs(l.height * std::sin(turn));
    const double h = std::abs(l.width * std::sin(turn)) + std::abs(l.height * std::cos(turn));
    const point m = px.to(l.at);
    taken.push_back({m.x - w / 2, m.x + w / 2, m.y - h / 2, m.y + h / 2});
  }
  for (std::size_t i = 0; i < c.markers.size(); ++i) {
    const point at = px.to(c.markers[i].at);
    if (!(at.x >= 0.0 && at.x <= width && at.y >= 0.0 && at.y <= height)) continue;
    const double w = text_width(c.markers[i].name);
    // Another named point is covered only where there is no other room.
    const auto covers_a_point = [&](const upright& box) {
      for (std::size_t j = 0; j < c.markers.size(); ++j) {
        const point other = px.to(c.markers[j].at);
        const upright square{other.x - marker_room, other.x + marker_room, other.y - marker_room,
                             other.y + marker_room};
        if (j != i && square.meets(box)) return true;
      }
      return false;
    };
    bool named = false;
    for (const bool of_points : {true, false}) {
      for (const name_side side : name_sides) {
        const auto [x0, x1, y0, y1] = name_box(at, side, w, text_height, offset_x, offset_y);
        const upright box{x0, x1, y0, y1};
        if (box.x0 < 0.0 || box.x1 > width || box.y0 < 0.0 || box.y1 > height) continue;
        if (std::any_of(taken.begin(), taken.end(), [&](const upright& o) { return o.meets(box); }))
          continue;
        if (of_points && covers_a_point(box)) continue;
        taken.push_back(box);
        out.push_back({i, side});
        named = true;
        break;
      }
      if (named) break;
    }
  }
  return out;
}

}  // namespace Vantrel::charts
