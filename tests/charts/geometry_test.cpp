// Cutting lines to the view for pictures that do not clip, and the names of the named points
// beside them: where they have room, and nowhere else.
#include "charts/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "charts/labels.h"

namespace Vantrel::charts {
namespace {

// A line that enters the view, runs inside, leaves it, then crosses it from outside to outside:
// two runs, each cut exactly where the line meets an edge.
TEST(ChartClip, RunsEndWhereTheLineMeetsTheEdges) {
  const view v{0.0, 10.0, 0.0, 10.0};
  const std::vector<point> line{{-5, 5}, {5, 5}, {5, 8}, {15, 8}, {15, -5}, {-5, 15}};
  const auto runs = clip_to_view(line, v, false);
  ASSERT_EQ(runs.size(), 2u);
  const std::vector<point> first{{0, 5}, {5, 5}, {5, 8}, {10, 8}};
  ASSERT_EQ(runs[0].size(), first.size());
  for (std::size_t i = 0; i < first.size(); ++i) {
    EXPECT_DOUBLE_EQ(runs[0][i].x, first[i].x);
    EXPECT_DOUBLE_EQ(runs[0][i].y, first[i].y);
  }
  // The diagonal from (15, -5) to (-5, 15) passes through (10, 0) and (0, 10).
  ASSERT_EQ(runs[1].size(), 2u);
  EXPECT_NEAR(runs[1][0].x, 10.0, 1e-12);
  EXPECT_NEAR(runs[1][0].y, 0.0, 1e-12);
  EXPECT_NEAR(runs[1][1].x, 0.0, 1e-12);
  EXPECT_NEAR(runs[1][1].y, 10.0, 1e-12);

  // Entirely outside, or a single point: nothing.
  EXPECT_TRUE(clip_to_view({{-5, -5}, {-1, 20}}, v, false).empty());
  EXPECT_TRUE(clip_to_view({{5, 5}}, v, false).empty());
}

// On a logarithmic axis the line is straight in log y: from 0.1 to 1000 across x = 0 to 4, it
// meets the top of a view up to 100 at x = 3.
TEST(ChartClip, LogarithmicAxisCutsAlongLogY) {
  const view v{0.0, 4.0, 1.0, 100.0};
  const auto runs = clip_to_view({{0.0, 0.1}, {4.0, 1000.0}}, v, true);
  ASSERT_EQ(runs.size(), 1u);
  ASSERT_EQ(runs[0].size(), 2u);
  EXPECT_NEAR(runs[0][0].x, 1.0, 1e-12);
  EXPECT_NEAR(runs[0][0].y, 1.0, 1e-12);
  EXPECT_NEAR(runs[0][1].x, 3.0, 1e-12);
  EXPECT_NEAR(runs[0][1].y, 100.0, 1e-9);
}

// Names sit at the upper right of their point; a label, another name or the plot's edge there
// sends them round the point; with no room on any side, the point keeps only its tooltip.
TEST(ChartMarkerNames, NamesGoWhereTheyHaveRoom) {
  chart c;
  c.range = {0.0, 100.0, 0.0, 100.0};  // one unit a pixel in a 100 × 100 plot
  c.markers = {{"free", {20, 20}}, {"by the edge", {95, 50}}, {"boxed", {50, 80}}};
  // Wide labels just above and just below "boxed".
  label above;
  above.at = {50, 87};
  above.width = 40;
  above.height = 10;
  label below = above;
  below.at = {50, 73};
  c.labels = {above, below};
  const auto width = [](const std::string& text) { return 2.0 * static_cast<double>(text.size()); };
  auto names = place_marker_names(c, 100, 100, width, 6);
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0].marker, 0u);
  EXPECT_EQ(names[0].side, name_side::upper_right);
  EXPECT_EQ(names[1].marker, 1u);
  EXPECT_EQ(names[1].side, name_side::upper_left);

  // Without the label above it, "boxed" has its first choice.
  c.labels = {below};
  names = place_marker_names(c, 100, 100, width, 6);
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[2].side, name_side::upper_right);
}

}  // namespace
}  // namespace Vantrel::charts
