// One state, the same double wherever it is shown: the face, the four entry points, the
// command line's csv and the chart's hover agree to the last bit, for random states of every
// pair in every unit system. (The Python module is held to the command line by its own suite.)
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "charts/diagram.h"
#include "cli/cli.h"
#include "lookup/catalogue.h"
#include "lookup/lookup.h"
#include "lookup/pairs.h"
#include "lookup/state.h"

namespace Vantrel {
namespace {

struct sample {
  int pair;
  double a, b;
};

bool same_bits(double x, double y) {
  return std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(y);
}

// States of every pair, in the display units of `units`: single-phase and two-phase states
// from random temperatures and pressures, their pair inputs read from the face, and saturated
// states at random temperatures and pressures with random vapour fractions.
std::vector<sample> samples(int units, std::mt19937_64& rng) {
  const auto uniform = [&rng](double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
  };
  const auto log_uniform = [&](double lo, double hi) {
    return std::exp(uniform(std::log(lo), std::log(hi)));
  };
  std::vector<sample> out;
  const method m;
  for (int i = 0; i < 12; ++i) {
    const double T = uniform(274.0, 1073.0), p = log_uniform(0.001, 100.0);
    const auto base = state(pair_tp, to_display(unit_dimension::temperature, T, units),
                            to_display(unit_dimension::pressure, p, units), m, units);
    if (base.status != status_ok) continue;
    for (const auto& pair : pair_table) {
      if (pair.code == pair_tx || pair.code == pair_px) continue;
      out.push_back({pair.code, base[pair.first], base[pair.second]});
    }
  }
  for (int i = 0; i < 6; ++i) {
    const double x = i == 0 ? 0.0 : i == 1 ? 1.0 : uniform(0.0, 1.0);
    out.push_back(
        {pair_tx, to_display(unit_dimension::temperature, uniform(273.16, 647.0), units), x});
    out.push_back(
        {pair_px, to_display(unit_dimension::pressure, log_uniform(0.001, 22.0), units), x});
  }
  return out;
}

// What the entry points give for one code: the single-value ones in Metric/SI and English, the
// property sets in internal units.
std::pair<int, double> entry_point_value(const sample& s, int code, int units) {
  double value = std::nan("");
  if (units == internal_units) {
    const std::array<int, 1> codes{code};
    std::array<double, 1> values{value};
    std::array<int, 1> statuses{};
    if (s.pair == pair_tx) {
      lookup_tsat_set(s.a, s.b, units, codes, values, statuses);
    } else if (s.pair == pair_px) {
      lookup_psat_set(s.a, s.b, units, codes, values, statuses);
    } else {
      lookup_property_set(s.a, s.b, s.pair, units, codes, values, statuses);
    }
    return {statuses[0], values[0]};
  }
  const int status = s.pair == pair_tx   ? lookup_tsat(s.a, s.b, code, units, &value)
                     : s.pair == pair_px ? lookup_psat(s.a, s.b, code, units, &value)
                                         : lookup_property(s.a, s.b, s.pair, code, units, &value);
  return {status, value};
}

TEST(Agreement, FaceAndEntryPointsGiveTheSameBits) {
  std::mt19937_64 rng(20261207);
  for (const int units : {metric_units, english_units, internal_units}) {
    for (const auto& s : samples(units, rng)) {
      SCOPED_TRACE(testing::Message()
                   << pair_table[s.pair].name << " " << s.a << " " << s.b << " units " << units);
      const auto face = state(s.pair, s.a, s.b, method{}, units);
      ASSERT_EQ(face.status, status_ok);
      EXPECT_EQ(face[pair_table[s.pair].first], s.a);
      EXPECT_EQ(face[pair_table[s.pair].second], s.b);
      for (const auto& p : property_table) {
        const auto [status, value] = entry_point_value(s, p.code, units);
        ASSERT_EQ(status, face.status_of[p.code]) << p.short_name;
        if (status == status_ok) {
          EXPECT_TRUE(same_bits(value, face[p.code])) << p.short_name;
        }
      }
    }
  }
}

// The command line's csv, in full precision, reads back the face's doubles; its quality is
// the vapour fraction as a percentage, and a single phase's quality is a word.
TEST(Agreement, CommandLineCsvGivesTheFacesBits) {
  std::mt19937_64 rng(7);
  for (const int units : {metric_units, english_units}) {
    const auto states = samples(units, rng);
    std::string batch, names;
    for (const auto& s : states) {
      char line[96];
      std::snprintf(line, sizeof line, "%s,%.17g,%.17g\n", pair_table[s.pair].name.data(), s.a,
                    s.b);
      batch += line;
    }
    for (const auto& p : property_table) {
      names += (names.empty() ? "" : ",") + std::string(p.short_name);
    }
    std::istringstream in(batch);
    std::ostringstream out, err;
    const std::vector<std::string> args{"batch",
                                        "--format",
                                        "csv",
                                        "--props",
                                        names,
                                        "--units",
                                        units == metric_units ? "si" : "english"};
    ASSERT_EQ(cli::run(args, in, out, err), 0) << err.str();
    std::istringstream rows(out.str());
    std::string row;
    std::getline(rows, row);  // the header
    for (const auto& s : states) {
      SCOPED_TRACE(testing::Message() << pair_table[s.pair].name << " " << s.a << " " << s.b);
      ASSERT_TRUE(std::getline(rows, row));
      const auto face = state(s.pair, s.a, s.b, method{}, units);
      std::istringstream cells(row);
      for (const auto& p : property_table) {
        std::string cell;
        std::getline(cells, cell, ',');
        if (!face.has(p.code) || (p.code == code_x && face[code_x] < 0.0)) continue;
        const double expected = p.code == code_x ? face[code_x] * 100.0 : face[p.code];
        EXPECT_TRUE(same_bits(std::stod(cell), expected))
            << p.short_name << ": " << cell << " against " << expected;
      }
    }
  }
}

// The hover readout of each diagram: the state of the diagram's own pair at the point, as the
// face gives it.
TEST(Agreement, ChartHoverGivesTheFacesBits) {
  std::mt19937_64 rng(11);
  const struct {
    charts::diagram_kind kind;
    int pair;
  } diagrams[] = {{charts::diagram_kind::ts, pair_ts},
                  {charts::diagram_kind::hs, pair_hs},
                  {charts::diagram_kind::ph, pair_ph},
                  {charts::diagram_kind::pt, pair_tp}};
  for (const int units : {metric_units, english_units}) {
    for (const auto& s : samples(units, rng)) {
      for (const auto& d : diagrams) {
        if (s.pair != d.pair) continue;
        SCOPED_TRACE(testing::Message() << pair_table[s.pair].name << " " << s.a << " " << s.b);
        const auto face = state(s.pair, s.a, s.b, method{}, units);
        // The plot's axes: T-s and p-T put the temperature on y and x, p-h the pressure on y.
        const charts::point at = d.kind == charts::diagram_kind::ts   ? charts::point{s.b, s.a}
                                 : d.kind == charts::diagram_kind::hs ? charts::point{s.b, s.a}
                                 : d.kind == charts::diagram_kind::ph ? charts::point{s.b, s.a}
                                                                      : charts::point{s.a, s.b};
        const auto hover = charts::state_at(d.kind, units, at);
        if (!hover) continue;  // ice, or outside what the diagram shows
        EXPECT_TRUE(same_bits(hover->T, face[code_t]));
        EXPECT_TRUE(same_bits(hover->p, face[code_p]));
        EXPECT_TRUE(same_bits(hover->h, face[code_h]));
        EXPECT_TRUE(same_bits(hover->s, face[code_s]));
        EXPECT_TRUE(same_bits(hover->v, face[code_v]));
      }
    }
  }
}

}  // namespace
}  // namespace Vantrel
