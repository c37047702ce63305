// Labels of the default view of each diagram, in both unit systems: as wide as their text, inside
// the plot, clear of each other and of the dome, and on most lines. The test finds overlaps by edge
// crossings and contained corners, independently of how the labels were placed.
#include "charts/labels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "charts/diagram.h"

namespace Vantrel::charts {
namespace {

constexpr double width = 800, height = 600;

using quad = std::array<point, 4>;

point to_pixels(const chart& c, point p) {
  const auto f = [&c](double y) { return c.log_y ? std::log10(y) : y; };
  const auto& r = c.range;
  return {(p.x - r.x_min) / (r.x_max - r.x_min) * width,
          (f(p.y) - f(r.y_min)) / (f(r.y_max) - f(r.y_min)) * height};
}

quad box_of(const chart& c, const label& l) {
  const point m = to_pixels(c, l.at);
  const double a = l.angle * std::numbers::pi / 180.0;
  const point u{std::cos(a) * l.width / 2, std::sin(a) * l.width / 2};
  const point v{-std::sin(a) * l.height / 2, std::cos(a) * l.height / 2};
  return {point{m.x - u.x - v.x, m.y - u.y - v.y}, point{m.x + u.x - v.x, m.y + u.y - v.y},
          point{m.x + u.x + v.x, m.y + u.y + v.y}, point{m.x - u.x + v.x, m.y - u.y + v.y}};
}

double cross(point o, point a, point b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

bool segments_cross(point a, point b, point c, point d) {
  const double d1 = cross(c, d, a), d2 = cross(c, d, b), d3 = cross(a, b, c), d4 = cross(a, b, d);
  return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0));
}

bool contains(const quad& q, point p) {
  bool pos = false, neg = false;
  for (int i = 0; i < 4; ++i) {
    const double c = cross(q[i], q[(i + 1) % 4], p);
    pos |= c > 0;
    neg |= c < 0;
  }
  return !(pos && neg);
}

bool touches(const quad& q, point a, point b) {
  if (contains(q, a) || contains(q, b)) return true;
  for (int i = 0; i < 4; ++i) {
    if (segments_cross(q[i], q[(i + 1) % 4], a, b)) return true;
  }
  return false;
}

// Characters as drawn: a UTF-8 sequence ("°", "³", "·" take two bytes each) is one.
int characters(const std::string& text) {
  int n = 0;
  for (const unsigned char ch : text) n += ch < 0x80 || ch >= 0xC0;
  return n;
}

bool overlap(const quad& p, const quad& q) {
  for (int i = 0; i < 4; ++i) {
    if (touches(q, p[i], p[(i + 1) % 4])) return true;
  }
  return contains(p, q[0]);
}

TEST(ChartLabels, DefaultViewsHaveLabelsClearOfEachOtherAndOfTheDome) {
  constexpr const char* names[] = {"T-s", "h-s", "p-h", "p-T"};
  for (const auto kind : {diagram_kind::ts, diagram_kind::hs, diagram_kind::ph, diagram_kind::pt}) {
    for (const int units : {0, 1}) {
      SCOPED_TRACE(testing::Message() << names[static_cast<int>(kind)] << " units " << units);
      const chart c = build_chart(kind, units, default_view(kind, units), width, height);
      std::vector<quad> boxes;
      int wide_characters = 0;  // labels with a character of more than one byte
      for (const auto& l : c.labels) {
        ASSERT_GE(l.line_index, 0);
        ASSERT_LT(l.line_index, static_cast<int>(c.lines.size()));
        EXPECT_FALSE(l.text.empty());
        // The box the label was placed with holds its text, with at most a few pixels to spare.
        const double text_width = characters(l.text) * label_char_width;
        EXPECT_GE(l.width, text_width) << l.text;
        EXPECT_LE(l.width, text_width + 5.0) << l.text;
        EXPECT_GE(l.height, label_height) << l.text;
        EXPECT_LE(l.height, label_height + 5.0) << l.text;
        wide_characters += characters(l.text) < static_cast<int>(l.text.size());
        const quad q = box_of(c, l);
        for (const point p : q) {
          EXPECT_TRUE(p.x >= 0 && p.x <= width && p.y >= 0 && p.y <= height) << l.text;
        }
        for (std::size_t i = 0; i < boxes.size(); ++i) {
          EXPECT_FALSE(overlap(q, boxes[i]))
              << "\"" << l.text << "\" covers \"" << c.labels[i].text << "\"";
        }
        boxes.push_back(q);
        for (const auto& line : c.lines) {
          if (!line.dome || !line.value) continue;
          for (const auto& seg : line.segments) {
            for (std::size_t i = 1; i < seg.size(); ++i) {
              EXPECT_FALSE(touches(q, to_pixels(c, seg[i - 1]), to_pixels(c, seg[i])))
                  << "\"" << l.text << "\" covers the dome";
            }
          }
        }
      }
      // Most lines carry a label; the dome needs none.
      int labelled_lines = 0;
      for (const auto& line : c.lines) labelled_lines += !(line.dome && line.value);
      EXPECT_GE(static_cast<double>(c.labels.size()), 0.7 * labelled_lines);
      if (kind != diagram_kind::pt) {
        EXPECT_GT(wide_characters, 0);
      }
      // The short melting curves of ice III and ice V between their triple points are named too.
      if (kind == diagram_kind::pt) {
        for (const char* ice : {"ice III", "ice V"}) {
          EXPECT_TRUE(std::any_of(c.labels.begin(), c.labels.end(), [ice](const label& l) {
            return l.text == ice;
          })) << ice;
        }
      }
    }
  }
}

// The critical point is named on every diagram of the default view in both unit systems: its
// name finds a side with room among the line labels.
TEST(ChartLabels, CriticalPointIsNamedInBothUnitSystems) {
  const auto text_width = [](const std::string& text) { return label_char_width * text.size(); };
  for (const auto kind : {diagram_kind::ts, diagram_kind::hs, diagram_kind::ph, diagram_kind::pt}) {
    for (const int units : {0, 1}) {
      SCOPED_TRACE(testing::Message() << static_cast<int>(kind) << " units " << units);
      const chart c = build_chart(kind, units, default_view(kind, units), width, height);
      const auto names = place_marker_names(c, width, height, text_width, label_height);
      EXPECT_TRUE(std::any_of(names.begin(), names.end(), [&c](const marker_name& n) {
        return c.markers[n.marker].name == "critical point";
      }));
    }
  }
}

}  // namespace
}  // namespace Vantrel::charts
