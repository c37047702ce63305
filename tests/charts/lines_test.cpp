// Physics of the diagram lines: every point of an iso-line is the state it claims to be, the
// dome runs from the triple point to the critical point, the p-T curves meet where the IAPWS
// release puts the triple points, and the state under a point exists or is refused.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <string>

#include "charts/diagram.h"
#include "lookup/pairs.h"
#include "lookup/state.h"

namespace Vantrel::charts {
namespace {

constexpr diagram_kind property_diagrams[] = {diagram_kind::ts, diagram_kind::hs, diagram_kind::ph};
constexpr const char* names[] = {"T-s", "h-s", "p-h", "p-T"};

const chart& default_chart(diagram_kind kind, int units) {
  static std::map<std::pair<int, int>, chart> charts;
  const auto key = std::make_pair(static_cast<int>(kind), units);
  auto found = charts.find(key);
  if (found == charts.end()) {
    found = charts.emplace(key, build_chart(kind, units, default_view(kind, units))).first;
  }
  return found->second;
}

std::optional<double> held(const state_values& s, const std::string& quantity) {
  if (quantity == "T") return s.T;
  if (quantity == "p") return s.p;
  if (quantity == "h") return s.h;
  if (quantity == "s") return s.s;
  if (quantity == "v") return s.v;
  if (quantity == "x") return s.x;
  return std::nullopt;
}

const line* find_line(const chart& c, const std::string& quantity, std::optional<double> value) {
  for (const auto& l : c.lines) {
    if (l.quantity == quantity && l.value == value) return &l;
  }
  return nullptr;
}

// How far a rebuilt value may stray because the pair hardly fixes it: in the compressed
// liquid an isobar's entropy or enthalpy barely depends on pressure, and below 4 °C the liquid
// even lies within the dome's entropy range. The allowance is the value's change, either side,
// over a change of each coordinate by 1e-8 of the view (the constructors' own tolerance).
double allowance(const chart& c, point at, const std::string& quantity, double got) {
  const diagram_kind kind = c.kind;
  const int units = c.unit_system;
  const view& r = c.range;
  const bool log_y = kind == diagram_kind::ph || kind == diagram_kind::pt;
  const double step = 1e-5;  // of the view, for the derivative
  double change = 0.0;
  for (const double side : {-1.0, 1.0}) {
    const point moved[] = {
        {at.x + side * step * (r.x_max - r.x_min), at.y},
        {at.x, log_y ? at.y * (1 + side * step) : at.y + side * step * (r.y_max - r.y_min)}};
    for (const point m : moved) {
      const auto s = state_at(kind, units, m);
      const auto v = s ? held(*s, quantity) : std::nullopt;
      if (v) change = std::max(change, std::abs(*v - got));
    }
  }
  return change * (1e-8 / step);
}

// Rebuilds every `every`-th point of each iso-line of `c` from the diagram's own pair and
// checks that it gives back the line's value; returns how many lines of each kind there are.
std::map<std::string, int> check_points(const chart& c, int every) {
  const diagram_kind kind = c.kind;
  const int units = c.unit_system;
  std::map<std::string, int> kinds_seen;
  for (const auto& l : c.lines) {
    if (l.dome || !l.value) continue;
    ++kinds_seen[l.quantity];
    if (l.quantity == "x") continue;
    for (const auto& seg : l.segments) {
      EXPECT_GE(seg.size(), 2u);
      for (std::size_t i = 0; i < seg.size(); i += every) {
        const point p = seg[i];
        SCOPED_TRACE(testing::Message()
                     << names[static_cast<int>(kind)] << " units " << units << " " << l.quantity
                     << " = " << *l.value << " at (" << p.x << ", " << p.y << ")");
        const auto state = state_at(kind, units, p);
        if (!state) {
          ADD_FAILURE() << "no state";
          continue;
        }
        // Below the density maximum the compressed liquid's entropy rises with pressure and
        // falls within the dome's range at the same temperature: there the T-s pair has more
        // than one answer (a mixture, or liquid at another pressure).
        if (kind == diagram_kind::ts && state->T < (units == 0 ? 3.98 : 39.16)) {
          continue;
        }
        const auto got = held(*state, l.quantity);
        const double scale = l.quantity == "T" ? std::abs(*l.value) + 273.15 : *l.value;
        const double tolerance = 1e-7 * std::abs(scale);
        if (std::abs(*got - *l.value) <= tolerance) continue;
        EXPECT_NEAR(*got, *l.value, tolerance + allowance(c, p, l.quantity, *l.value));
      }
    }
  }
  return kinds_seen;
}

// Each diagram draws its kinds of line, each about 8 to 15 times (volumes: a few), `fewest`
// at the least.
void expect_line_counts(const chart& c, std::map<std::string, int> kinds_seen, int fewest) {
  const std::map<diagram_kind, std::string> expected = {
      {diagram_kind::ts, "hpvx"}, {diagram_kind::hs, "Tpx"}, {diagram_kind::ph, "Tsvx"}};
  for (const char q : expected.at(c.kind)) {
    if (q == 'x' && fewest < 6) continue;  // a close view may show few quality lines
    const int n = kinds_seen[std::string(1, q)];
    SCOPED_TRACE(testing::Message() << names[static_cast<int>(c.kind)] << " units " << c.unit_system
                                    << " lines of " << q << ": " << n);
    EXPECT_LE(n, 15);
    EXPECT_GE(n, q == 'v' ? 2 : fewest);
  }
}

// Rebuilt from the diagram's own pair, each point of an isobar, isotherm, isentrope, isenthalp
// or isochore gives back the value its line holds. The h-s pair is slow to invert, so there
// every eighth point is checked. (Quality lines meet at the critical point, where a rebuilt
// quality is ill-conditioned; they are checked against the dome below.)
TEST(ChartLines, EveryPointIsTheStateOfItsLine) {
  for (const auto kind : property_diagrams) {
    for (const int units : {0, 1}) {
      const chart& c = default_chart(kind, units);
      expect_line_counts(c, check_points(c, kind == diagram_kind::hs ? 8 : 1), 6);
    }
  }
}

// Close views choose their own round values, finer than the default view's, and their lines
// hold them as well: around the critical point on T-s, over the expansion of a turbine on h-s
// and over a superheater on p-h.
TEST(ChartLines, CloseViewsChooseTheirOwnValues) {
  struct close_view {
    diagram_kind kind;
    view range;
  };
  const close_view views[] = {{diagram_kind::ts, {3.5, 5.5, 300.0, 400.0}},
                              {diagram_kind::hs, {6.5, 7.5, 2500.0, 2900.0}},
                              {diagram_kind::ph, {2800.0, 3400.0, 10.0, 100.0}}};
  for (const auto& v : views) {
    const chart c = build_chart(v.kind, 0, v.range);
    expect_line_counts(c, check_points(c, v.kind == diagram_kind::hs ? 4 : 1), 3);
  }
}

// The dome's two branches and every quality line start at the triple point and end together
// at the critical point (IAPWS-95 at 273.16 K: p_sat = 611.654771 Pa, s'' = 9.15549 kJ/(kg·K),
// h'' = 2500.92 kJ/kg, s' = 0, h' = p v' = 0.000611783 kJ/kg; a mixture of quality x lies at x of
// the way from the liquid to the vapour).
TEST(ChartLines, DomeAndQualityLinesRunFromTheTriplePointToTheCriticalPoint) {
  const formulation_range range = range_of(method{});
  const auto T_triple = range.Tt - 273.15;
  const auto T_critical = range.Tc - 273.15;
  const auto p_triple = 0.00611654771;  // bar
  const auto p_critical = range.pc * 10.0;
  const auto s_vapour = 9.15549, h_vapour = 2500.92, h_liquid = 0.000611783;
  struct end_check {
    diagram_kind kind;
    point liquid, vapour, critical;
    double tol_x, tol_y;
  };
  const chart& ts = default_chart(diagram_kind::ts, 0);
  const point critical_ts = ts.markers.at(0).at;
  EXPECT_NEAR(critical_ts.y, T_critical, 1e-9);
  EXPECT_NEAR(critical_ts.x, 4.407, 1e-3);
  const chart& ph = default_chart(diagram_kind::ph, 0);
  const point critical_ph = ph.markers.at(0).at;
  EXPECT_NEAR(critical_ph.y, p_critical, 1e-6);
  const point critical_hs = default_chart(diagram_kind::hs, 0).markers.at(0).at;
  EXPECT_EQ(critical_hs.x, critical_ts.x);
  EXPECT_EQ(critical_hs.y, critical_ph.x);
  const end_check checks[] = {
      {diagram_kind::ts, {0.0, T_triple}, {s_vapour, T_triple}, critical_ts, 1e-5, 1e-9},
      {diagram_kind::ph, {h_liquid, p_triple}, {h_vapour, p_triple}, critical_ph, 1e-2, 1e-7},
      {diagram_kind::hs, {0.0, h_liquid}, {s_vapour, h_vapour}, critical_hs, 1e-5, 1e-5},
  };
  for (const auto& check : checks) {
    const chart& c = default_chart(check.kind, 0);
    for (int k = 0; k <= 10; ++k) {
      const double x = k / 10.0;
      SCOPED_TRACE(testing::Message() << names[static_cast<int>(check.kind)] << " x = " << x);
      const line* branch = find_line(c, "x", x);
      ASSERT_TRUE(branch);
      EXPECT_EQ(branch->dome, k == 0 || k == 10);
      ASSERT_EQ(branch->segments.size(), 1u);  // unbroken
      const point first = branch->segments.front().front();
      const point last = branch->segments.back().back();
      const point start{check.liquid.x + x * (check.vapour.x - check.liquid.x),
                        check.liquid.y + x * (check.vapour.y - check.liquid.y)};
      EXPECT_NEAR(first.x, start.x, check.tol_x * std::max(start.x, 1.0));
      EXPECT_NEAR(first.y, start.y, check.tol_y * std::max(start.y, 1.0));
      EXPECT_NEAR(last.x, check.critical.x, 1e-9 * std::abs(check.critical.x));
      EXPECT_NEAR(last.y, check.critical.y, 1e-9 * std::abs(check.critical.y));
    }
  }
}

// Where a line crosses the dome: the index of the first of two consecutive points at one
// height (the saturation pressure on p-h, temperature on T-s) that lie apart across the view.
std::optional<std::size_t> dome_crossing(const chart& c, const std::vector<point>& seg) {
  const double apart = 0.02 * (c.range.x_max - c.range.x_min);
  for (std::size_t i = 1; i < seg.size(); ++i) {
    const point a = seg[i - 1], b = seg[i];
    if (std::abs(b.y - a.y) <= 1e-9 * std::abs(a.y) && std::abs(b.x - a.x) > apart) return i - 1;
  }
  return std::nullopt;
}

// Between the triple point and the critical point a line of constant temperature (p-h) or
// pressure (T-s) is whole: one run, rising in height through the compressed liquid on one side
// of the dome and the steam on the other, level only across the dome, and from one edge of the
// view to another. On p-h each isotherm rises from the lowest pressure in view to the highest
// (at most 1000 bar, where the lines of a wide view stop); on T-s each isobar rises from the
// triple line (below it, from the ice line) until it leaves the view at the top or the side.
TEST(ChartLines, LinesBelowTheCriticalPointRunThroughLiquidDomeAndSteam) {
  struct family {
    diagram_kind kind;
    const char* quantity;
    double lowest[2], highest[2];  // the range of values that cross the dome, per unit system
  };
  const family families[] = {
      {diagram_kind::ph, "T", {0.01, 32.018}, {373.946, 705.1028}},
      {diagram_kind::ts, "p", {0.00611657, 0.0887133}, {220.64, 3200.1}},
  };
  const double p_top[] = {1000.0, 14503.77};  // bar, psi
  for (const auto& f : families) {
    for (const int units : {0, 1}) {
      const chart& c = default_chart(f.kind, units);
      const view& r = c.range;
      int crossing = 0;
      for (const auto& l : c.lines) {
        if (l.quantity != f.quantity || !l.value) continue;
        if (!(*l.value > f.lowest[units] && *l.value < f.highest[units])) continue;
        ++crossing;
        SCOPED_TRACE(testing::Message() << names[static_cast<int>(f.kind)] << " units " << units
                                        << " " << l.quantity << " = " << *l.value);
        ASSERT_EQ(l.segments.size(), 1u);
        const auto& seg = l.segments.front();
        const auto across = dome_crossing(c, seg);
        ASSERT_TRUE(across);
        for (std::size_t i = 1; i < seg.size(); ++i) {
          if (i - 1 != *across) {
            EXPECT_GT(seg[i].y, seg[i - 1].y) << "at point " << i;
          }
        }
        EXPECT_GT(*across, 0u) << "no steam";
        EXPECT_LT(*across + 2, seg.size()) << "no liquid";
        const point first = seg.front(), last = seg.back();
        EXPECT_LE(first.y, r.y_min + 1e-6 * (r.y_max - r.y_min));
        if (f.kind == diagram_kind::ph) {
          EXPECT_GE(last.y, std::min(r.y_max, p_top[units]) * (1.0 - 1e-6));
        } else {
          EXPECT_TRUE(last.y >= r.y_max || last.x >= r.x_max) << last.x << ", " << last.y;
        }
      }
      EXPECT_GE(crossing, 3);
    }
  }
}

// On T-s the quality lines share the dome's temperatures: at each one the quality line lies
// between the liquid and the vapour branch, in order of quality.
TEST(ChartLines, QualityLinesLieBetweenTheBranches) {
  for (const int units : {0, 1}) {
    const chart& c = default_chart(diagram_kind::ts, units);
    std::map<double, std::map<double, double>> s_at_T;  // T → x → s
    for (const auto& l : c.lines) {
      if (l.quantity != "x") continue;
      for (const auto& seg : l.segments) {
        for (const point p : seg) s_at_T[p.y][*l.value] = p.x;
      }
    }
    int rows = 0;
    for (const auto& [T, by_x] : s_at_T) {
      // Rows with every line, where the branches are apart (not the critical point).
      if (by_x.size() != 11 || !(by_x.at(0.0) < by_x.at(1.0))) continue;
      ++rows;
      double previous = -std::numeric_limits<double>::infinity();
      for (const auto& [x, s] : by_x) {
        EXPECT_GT(s, previous) << "T " << T << " x " << x;
        previous = s;
      }
    }
    EXPECT_GT(rows, 50);
  }
}

// The curves of the phase diagram meet at the triple points of the IAPWS release on the
// melting and sublimation curves: vapour-liquid-Ih 273.16 K, 611.657 Pa; Ih-III-liquid
// 251.165 K, 209.9 MPa; III-V-liquid 256.164 K, 350.1 MPa; V-VI-liquid 273.31 K, 632.4 MPa;
// VI-VII-liquid 355 K, 2216 MPa. The curves' equations agree there to the release's digits.
TEST(ChartLines, PhaseDiagramCurvesMeetAtTheTriplePoints) {
  struct meeting {
    const char* first;
    bool first_end;  // the point is the first curve's last point (else its first)
    const char* second;
    bool second_end;
    double T, p;  // °C, bar
  };
  const meeting meetings[] = {
      {"sublimation", true, "vaporization", false, 0.01, 0.00611657},
      {"sublimation", true, "melting-Ih", true, 0.01, 0.00611657},
      {"melting-Ih", false, "melting-III", false, 251.165 - 273.15, 2099.0},
      {"melting-III", true, "melting-V", false, 256.164 - 273.15, 3501.0},
      {"melting-V", true, "melting-VI", false, 273.31 - 273.15, 6324.0},
      {"melting-VI", true, "melting-VII", false, 355.0 - 273.15, 22160.0},
  };
  const chart& c = default_chart(diagram_kind::pt, 0);
  const auto end_of = [&c](const char* name, bool last) -> std::optional<point> {
    const line* l = find_line(c, name, std::nullopt);
    if (!l || l->segments.empty()) return std::nullopt;
    return last ? l->segments.back().back() : l->segments.front().front();
  };
  for (const auto& m : meetings) {
    SCOPED_TRACE(testing::Message() << m.first << " / " << m.second);
    const auto a = end_of(m.first, m.first_end);
    const auto b = end_of(m.second, m.second_end);
    ASSERT_TRUE(a && b);
    for (const point p : {*a, *b}) {
      EXPECT_NEAR(p.x, m.T, 1e-9);
      EXPECT_NEAR(p.y, m.p, 2e-4 * m.p);
    }
    EXPECT_NEAR(a->y, b->y, 2e-4 * m.p);
  }
  // The vaporization curve ends at the critical point; ice VII melts up to 715 K.
  EXPECT_NEAR(end_of("vaporization", true)->y, 220.64, 1e-9 * 220.64);
  EXPECT_NEAR(end_of("melting-VII", true)->x, 715.0 - 273.15, 1e-9);
}

// The state under a point: a steam table's values where water exists, nothing in the ice,
// at the critical point, outside the library's range or at a point that is not a number.
TEST(ChartStateAt, GivesTheStateWhereOneExistsAndNothingElsewhere) {
  // 10 bar and 200 °C (IAPWS-95): h = 2828.26 kJ/kg, s = 6.69554 kJ/(kg·K), v = 0.20600 m³/kg.
  struct known {
    diagram_kind kind;
    point at;
  };
  const known superheated[] = {{diagram_kind::pt, {200.0, 10.0}},
                               {diagram_kind::ts, {6.69554, 200.0}},
                               {diagram_kind::hs, {6.69554, 2828.26}},
                               {diagram_kind::ph, {2828.26, 10.0}}};
  for (const auto& k : superheated) {
    SCOPED_TRACE(names[static_cast<int>(k.kind)]);
    const auto s = state_at(k.kind, 0, k.at);
    ASSERT_TRUE(s);
    EXPECT_NEAR(s->T, 200.0, 5e-3);
    EXPECT_NEAR(s->p, 10.0, 2e-4);
    EXPECT_NEAR(s->h, 2828.26, 5e-3);
    EXPECT_NEAR(s->s, 6.69554, 5e-5);
    EXPECT_NEAR(s->v, 0.20600, 5e-5);
    EXPECT_FALSE(s->x);
  }
  // A mixture at 100 °C: s' = 1.3069, s'' = 7.3549 kJ/(kg·K).
  const auto mixture = state_at(diagram_kind::ts, 0, {4.0, 100.0});
  ASSERT_TRUE(mixture && mixture->x);
  EXPECT_NEAR(*mixture->x, (4.0 - 1.3069) / (7.3549 - 1.3069), 1e-4);
  EXPECT_NEAR(mixture->p, 1.01418, 1e-4);
  EXPECT_FALSE(mixture->near_critical);
  // Half a kelvin below the critical temperature the hover says the state is near-critical.
  const auto near = state_at(diagram_kind::ts, 0, {4.4, 373.5});
  ASSERT_TRUE(near && near->x);
  EXPECT_TRUE(near->near_critical);

  const double nan = std::numeric_limits<double>::quiet_NaN();
  const known nothing[] = {
      {diagram_kind::pt, {-10.0, 1.0}},       // ice Ih
      {diagram_kind::pt, {-30.0, 0.001}},     // ice Ih, below the sublimation curve
      {diagram_kind::pt, {20.0, 15000.0}},    // ice VI
      {diagram_kind::pt, {373.946, 220.64}},  // the critical point
      {diagram_kind::pt, {6000.0, 1.0}},      // above 5000 K
      {diagram_kind::pt, {100.0, 200000.0}},  // above 10000 MPa
      {diagram_kind::pt, {100.0, -1.0}},      // negative pressure
      {diagram_kind::ts, {0.0, -30.0}},       // no liquid at -30 °C at any pressure
      {diagram_kind::ts, {6.0, 6000.0}},      // above 5000 K
      {diagram_kind::ph, {-500.0, 10.0}},     // no water has this enthalpy at 10 bar
      {diagram_kind::ph, {2000.0, 0.0}},      // zero pressure
      {diagram_kind::hs, {20.0, 100.0}},      // no such pair
      {diagram_kind::ts, {nan, 100.0}},       // not a number
      {diagram_kind::hs, {6.0, std::numeric_limits<double>::infinity()}},
  };
  for (const auto& k : nothing) {
    SCOPED_TRACE(testing::Message()
                 << names[static_cast<int>(k.kind)] << " (" << k.at.x << ", " << k.at.y << ")");
    EXPECT_FALSE(state_at(k.kind, 0, k.at));
  }
}

// On h-s the hover reaches down to the triple-point pressure: steam and a mixture at 0.007 bar
// (saturation at 1.89 °C), put on the diagram from their temperature and pressure or quality,
// are found again from their enthalpy and entropy.
TEST(ChartStateAt, HsReachesTheTriplePointPressure) {
  const method m;
  const state_result steam = state(pair_tp, 20.0, 0.007, m, metric_units);
  const state_result wet = state(pair_px, 0.007, 0.5, m, metric_units);
  for (const state_result* r : {&steam, &wet}) {
    ASSERT_EQ(r->status, status_ok);
    const auto s = state_at(diagram_kind::hs, metric_units, {(*r)[code_s], (*r)[code_h]});
    ASSERT_TRUE(s);
    EXPECT_NEAR(s->p, 0.007, 1e-8);
    EXPECT_NEAR(s->T, (*r)[code_t], 1e-5);
  }
  EXPECT_TRUE(state_at(diagram_kind::hs, metric_units, {wet[code_s], wet[code_h]})->x);
}

// Over the whole of each default view, wherever the hover gives a state, that state lies at the
// point (its own pair puts it back there) and is water, not ice: above the sublimation or
// melting temperature of its pressure.
TEST(ChartStateAt, HoverSweepGivesOnlyStatesAtThePoint) {
  constexpr int n = 9;
  for (const auto kind : {diagram_kind::ts, diagram_kind::hs, diagram_kind::ph, diagram_kind::pt}) {
    for (const int units : {0, 1}) {
      const view r = default_view(kind, units);
      const bool log_y = kind == diagram_kind::ph || kind == diagram_kind::pt;
      int states = 0;
      for (int i = 0; i <= n; ++i) {
        for (int j = 0; j <= n; ++j) {
          const point at{r.x_min + (r.x_max - r.x_min) * i / n,
                         log_y ? r.y_min * std::pow(r.y_max / r.y_min, double(j) / n)
                               : r.y_min + (r.y_max - r.y_min) * j / n};
          const auto s = state_at(kind, units, at);
          if (!s) continue;
          ++states;
          SCOPED_TRACE(testing::Message() << names[static_cast<int>(kind)] << " units " << units
                                          << " (" << at.x << ", " << at.y << ")");
          const point back = place(kind, *s);
          // Close to the critical point the pressure-first constructors settle to about 1e-5.
          EXPECT_NEAR(back.x, at.x, 1e-4 * std::max(std::abs(at.x), 1.0));
          EXPECT_NEAR(back.y, at.y, 1e-4 * std::max(std::abs(at.y), 1.0));
          const auto ice = state_at(diagram_kind::pt, units, {s->T, s->p});
          EXPECT_TRUE(ice || s->x) << "T " << s->T << " p " << s->p << " is ice";
        }
      }
      EXPECT_GT(states, (n + 1) * (n + 1) / 3);
    }
  }
}

// The hover shows the face's own numbers: for the diagram's pair and the point's inputs, the
// same doubles as state() in the same units, to the last bit.
TEST(ChartStateAt, GivesTheFacesOwnValues) {
  struct probe {
    diagram_kind kind;
    int units;
    point at;
  };
  const probe probes[] = {
      {diagram_kind::ts, 0, {6.5, 300.0}},   {diagram_kind::ts, 1, {1.1, 250.0}},
      {diagram_kind::hs, 0, {7.0, 2900.0}},  {diagram_kind::hs, 1, {1.7, 1250.0}},
      {diagram_kind::ph, 0, {3100.0, 50.0}}, {diagram_kind::ph, 1, {400.0, 30.0}},
      {diagram_kind::pt, 0, {150.0, 2.0}},   {diagram_kind::pt, 1, {500.0, 100.0}}};
  for (const auto& p : probes) {
    SCOPED_TRACE(testing::Message() << names[static_cast<int>(p.kind)] << " units " << p.units);
    const auto shown = state_at(p.kind, p.units, p.at);
    ASSERT_TRUE(shown);
    const diagram_info& d = diagram_of(p.kind);
    const bool y_first = pair_with_code(d.pair)->first == d.y;
    const state_result r = y_first ? state(d.pair, p.at.y, p.at.x, method{}, p.units)
                                   : state(d.pair, p.at.x, p.at.y, method{}, p.units);
    EXPECT_EQ(shown->T, r[code_t]);
    EXPECT_EQ(shown->p, r[code_p]);
    EXPECT_EQ(shown->h, r[code_h]);
    EXPECT_EQ(shown->s, r[code_s]);
    EXPECT_EQ(shown->v, r[code_v]);
    EXPECT_EQ(shown->x.has_value(), r.phase == state_phase::two_phase);
    if (shown->x) {
      EXPECT_EQ(*shown->x, r[code_x]);
    }
  }
}

// A click gives the Superheated/Subcooled page the diagram's own pair with both inputs in
// display units, in the page's order.
TEST(ChartStateAt, ClickGivesThePagesPairAndInputs) {
  const auto ts = page_inputs_at(diagram_kind::ts, 1, {1.6, 500.0});
  ASSERT_TRUE(ts);
  EXPECT_EQ(ts->pair_code, 3);  // T, s
  EXPECT_EQ(ts->first, 500.0);
  EXPECT_EQ(ts->second, 1.6);
  const auto pt = page_inputs_at(diagram_kind::pt, 0, {25.0, 2.0});
  ASSERT_TRUE(pt);
  EXPECT_EQ(pt->pair_code, 0);  // T, p
  EXPECT_EQ(pt->first, 25.0);
  EXPECT_EQ(pt->second, 2.0);
  EXPECT_EQ(page_inputs_at(diagram_kind::ph, 0, {2000.0, 10.0})->pair_code, 6);  // p, h
  EXPECT_EQ(page_inputs_at(diagram_kind::hs, 0, {6.0, 2800.0})->pair_code, 9);   // h, s
  EXPECT_FALSE(page_inputs_at(diagram_kind::ts, 0, {std::nan(""), 1.0}));
}

}  // namespace
}  // namespace Vantrel::charts
