#pragma once
// Labels of the lines of a chart, each where it covers no other label and not the dome.
#include <array>
#include <span>
#include <vector>

#include "charts/diagram.h"

namespace Vantrel::charts {

std::vector<label> place_labels(const chart& c, double width, double height);

// The corners of a label's box in plot-area pixels (y up) of a chart drawn `width` by
// `height`, for checking that labels stay apart.
std::array<point, 4> label_corners(const chart& c, const label& l, double width, double height);

// Whether two convex outlines (corners in order) overlap.
bool outlines_overlap(std::span<const point> a, std::span<const point> b);

}  // namespace Vantrel::charts
