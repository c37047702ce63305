#pragma once
// The lines and named points of each diagram over a visible range, in display units.
#include <vector>

#include "charts/diagram.h"
#include "charts/display.h"

namespace Vantrel::charts {

std::vector<line> diagram_lines(diagram_kind kind, const display_units& u, const view& range,
                                const method& m);

std::vector<marker> diagram_markers(diagram_kind kind, const display_units& u, const method& m);

}  // namespace Vantrel::charts
