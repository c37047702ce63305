#pragma once
// Labels of the lines of a chart, each where it covers no other label and not the dome, and the
// names of its named points where they cover no label.
#include <functional>
#include <string>
#include <vector>

#include "charts/diagram.h"

namespace Vantrel::charts {

std::vector<label> place_labels(const chart& c, double width, double height);

// Where a named point's name sits beside it: the first place that has room, in the order
// listed, by a corner of the point, then centred above, below, right or left of it.
enum class name_side {
  upper_right,
  upper_left,
  lower_right,
  lower_left,
  above,
  below,
  right,
  left
};

// The direction of a side from the point: x -1 (left), 0 (centred) or 1 (right); y -1 (below),
// 0 (centred) or 1 (above).
struct side_direction {
  int x, y;
};
constexpr side_direction direction_of(name_side side) {
  switch (side) {
    case name_side::upper_right:
      return {1, 1};
    case name_side::upper_left:
      return {-1, 1};
    case name_side::lower_right:
      return {1, -1};
    case name_side::lower_left:
      return {-1, -1};
    case name_side::above:
      return {0, 1};
    case name_side::below:
      return {0, -1};
    case name_side::right:
      return {1, 0};
    case name_side::left:
      break;
  }
  return {-1, 0};
}

struct marker_name {
  std::size_t marker;  // index into chart::markers
  name_side side;
};

// The names of the chart's markers that can be written beside their points in a plot area of
// width × height pixels without covering a line's label, another name or the plot's edge; the
// others are left to the point's tooltip. `text_width` measures a name in pixels, as drawn, and
// `text_height` is the height of its line; the name keeps `offset` pixels from its point
// either way.
// How far a name keeps from its point, in pixels.
inline constexpr double name_offset_x = 4.0;
inline constexpr double name_offset_y = 3.0;

std::vector<marker_name> place_marker_names(
    const chart& c, double width, double height,
    const std::function<double(const std::string&)>& text_width, double text_height,
    double offset_x = name_offset_x, double offset_y = name_offset_y);

}  // namespace Vantrel::charts
