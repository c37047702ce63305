#pragma once
// Reading numbers back from the value cells of a page's result list.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "memory_platform.h"

namespace Vantrel::testing_support {

// The number a value cell shows.
inline double shown(const memory_platform& platform, std::string_view row) {
  const std::string text = platform.value(row);
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  EXPECT_TRUE(!text.empty() && *end == '\0') << row << " shows \"" << text << '"';
  return value;
}

// The six significant digits of a cell agree with a value given to more.
inline void expect_shown(const memory_platform& platform, std::string_view row, double expected) {
  EXPECT_NEAR(shown(platform, row), expected, 6e-6 * std::abs(expected)) << row;
}

}  // namespace Vantrel::testing_support
