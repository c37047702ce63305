#pragma once
// Labels of the lines of a chart, each where it covers no other label and not the dome.
#include <vector>

#include "charts/diagram.h"

namespace Vantrel::charts {

std::vector<label> place_labels(const chart& c, double width, double height);

}  // namespace Vantrel::charts
