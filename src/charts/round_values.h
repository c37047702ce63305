#pragma once
// Round iso-line values for a visible range: evenly stepped (1, 2, 2.5 or 5 times a power of ten)
// or spread over decades (1, 2, 5 or 1, 3 or 1 per decade), the finest choice that keeps at
// most `most` of them.
#include <vector>

namespace Vantrel::charts {

inline constexpr int most_iso_lines = 15;

std::vector<double> stepped_values(double lo, double hi, int most = most_iso_lines);
std::vector<double> decade_values(double lo, double hi, int most = most_iso_lines);

// Values of a quantity drawn on a logarithmic scale (pressure, volume): spread over decades,
// or evenly stepped within a range narrower than a decade.
std::vector<double> round_values(double lo, double hi, int most = most_iso_lines);

}  // namespace Vantrel::charts
