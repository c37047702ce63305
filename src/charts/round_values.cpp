#include "charts/round_values.h"

#include <cmath>

namespace Vantrel::charts {

namespace {

// m·10^k as the double nearest the decimal number, so that 0.3 is 0.3 and not 0.30000000000000004.
double scaled(double m, int k) {
  return k >= 0 ? m * std::pow(10.0, k) : m / std::pow(10.0, -k);
}

// Iso-line values are searched only over a sensible span of powers of ten.
constexpr int lowest_power = -12;
constexpr int highest_power = 12;

}  // namespace

std::vector<double> stepped_values(double lo, double hi, int most) {
  if (!(std::isfinite(lo) && std::isfinite(hi) && hi > lo) || most < 1) return {};
  const int k0 = static_cast<int>(std::floor(std::log10((hi - lo) / most)));
  for (int k = std::max(k0, lowest_power); k <= highest_power; ++k) {
    for (const double m : {1.0, 2.0, 2.5, 5.0}) {
      const double step = scaled(m, k);
      const double first = std::ceil(lo / step), last = std::floor(hi / step);
      if (last - first + 1 > most) continue;
      std::vector<double> values;
      for (double i = first; i <= last; ++i) {
        values.push_back((k >= 0 ? i * step : i * m / std::pow(10.0, -k)) + 0.0);  // no -0
      }
      return values;
    }
  }
  return {};
}

std::vector<double> decade_values(double lo, double hi, int most) {
  if (!(lo > 0.0 && std::isfinite(hi) && hi > lo) || most < 1) return {};
  const int k_lo = std::max(static_cast<int>(std::floor(std::log10(lo))), lowest_power);
  const int k_hi = std::min(static_cast<int>(std::ceil(std::log10(hi))), highest_power);
  static const std::vector<std::vector<double>> mantissas = {{1, 2, 5}, {1, 3}, {1}};
  for (int every = 1; every <= highest_power - lowest_power; ++every) {
    for (const auto& set : mantissas) {
      if (every > 1 && set.size() > 1) continue;
      std::vector<double> values;
      for (int k = k_lo; k <= k_hi; ++k) {
        if (every > 1 && k % every != 0) continue;
        for (const double m : set) {
          const double v = scaled(m, k);
          if (v >= lo && v <= hi) values.push_back(v);
        }
      }
      if (static_cast<int>(values.size()) <= most) return values;
    }
  }
  return {};
}

std::vector<double> round_values(double lo, double hi, int most) {
  if (hi < 10.0 * lo) return stepped_values(lo, hi, most);
  return decade_values(lo, hi, most);
}

}  // namespace Vantrel::charts
