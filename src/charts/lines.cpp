#include "charts/lines.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "charts/geometry.h"
#include "charts/round_values.h"
#include "lookup/state.h"

namespace Vantrel::charts {

namespace {

// Lines are kept a little beyond the visible range so that they run to its edges, and the
// range of held values is searched a little wider than the probe found it.
constexpr double box_margin = 0.05;
constexpr double probe_margin = 0.15;

// Points per line: evenly spread over the visible range, more near the critical point.
constexpr int march_points = 100;
constexpr int energy_march_points = 60;  // isentropes and isenthalps, which bend gently
constexpr int dome_points = 70;
constexpr int refine_points = 30;
constexpr int pressures_per_decade = 25;
constexpr int isenthalp_pressures_per_decade = 8;
constexpr int max_pressure_points = 240;
constexpr int ice_curve_points = 60;

// Iso-pressures above 1000 bar are drawn only where the whole view lies above it.
constexpr double engineering_p_max = 100.0;  // MPa
// Just above the lowest pressure at which a state is searched from its enthalpy and entropy
// (the triple-point pressure): a state on the end of the search range is not always found.
constexpr double hs_p_min_factor = 1.0 + 1e-6;
// The h-s probe looks for states up to this temperature (K).
constexpr double probe_T_max = 2500.0;
// A few round volumes, one per decade at most.
constexpr int most_isochores = 6;

// The visible range widened by box_margin, on a logarithmic axis in its logarithm.
struct box {
  double x0, x1, y0, y1;
  bool log_y;

  static box around(const view& r, bool log_y, double margin = box_margin) {
    const double dx = (r.x_max - r.x_min) * margin;
    if (log_y) {
      const double l0 = std::log10(r.y_min), l1 = std::log10(r.y_max);
      const double dy = (l1 - l0) * margin;
      return {r.x_min - dx, r.x_max + dx, std::pow(10.0, l0 - dy), std::pow(10.0, l1 + dy), true};
    }
    const double dy = (r.y_max - r.y_min) * margin;
    return {r.x_min - dx, r.x_max + dx, r.y_min - dy, r.y_max + dy, false};
  }
  bool inside(point p) const { return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1; }
  // Whether the straight piece from a to b, as drawn (y in its logarithm on a logarithmic
  // axis), passes through the box (Liang-Barsky clipping).
  bool crosses(point a, point b) const {
    const auto f = [this](double y) { return log_y ? std::log10(y) : y; };
    a.y = f(a.y);
    b.y = f(b.y);
    return clip(a, b, x0, x1, f(y0), f(y1));
  }
  bool above(point p) const { return p.y > y1; }
};

// Collects the points of one line in order, splitting it where a point is missing. Points
// outside the box are dropped, except the one on either side of a visible run.
class line_builder {
 public:
  line_builder(const box& b, std::string quantity, std::optional<double> value, bool dome = false)
      : box_(b) {
    line_.quantity = std::move(quantity);
    line_.value = value;
    line_.dome = dome;
  }

  void add(point p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return gap();
    if (box_.inside(p)) {
      if (run_.empty() && outside_) run_.push_back(*outside_);
      run_.push_back(p);
      outside_.reset();
      return;
    }
    if (!run_.empty()) {
      run_.push_back(p);
      close();
    } else if (outside_ && box_.crosses(*outside_, p)) {
      // A straight piece across the view with both ends outside it (an isobar across the
      // dome in a close view).
      run_ = {*outside_, p};
      close();
    }
    outside_ = p;
  }
  void gap() {
    close();
    outside_.reset();
  }
  line take() {
    close();
    return std::move(line_);
  }

 private:
  void close() {
    if (run_.size() >= 2) line_.segments.push_back(std::move(run_));
    run_.clear();
  }

  box box_;
  line line_;
  std::vector<point> run_;
  std::optional<point> outside_;
};

// The range of each quantity (library units) over the states in view.
struct extent {
  double lo = HUGE_VAL, hi = -HUGE_VAL;
  void take(double v) {
    if (!std::isfinite(v)) return;
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  bool empty() const { return lo > hi; }
};
struct extents {
  extent T, p, h, s, v;
  void take(const water& st) {
    T.take(st.T);
    p.take(st.p);
    h.take(st.h);
    s.take(st.s);
    v.take(st.v);
  }
};

std::vector<double> evenly(double lo, double hi, int n) {
  std::vector<double> out;
  if (!(hi > lo)) return out;
  for (int i = 0; i <= n; ++i) out.push_back(lo + (hi - lo) * i / n);
  return out;
}

std::vector<double> logarithmic(double lo, double hi, int per_decade, int most) {
  std::vector<double> out;
  if (!(lo > 0.0 && hi > lo)) return out;
  const double decades = std::log10(hi / lo);
  const int n = std::clamp(static_cast<int>(std::ceil(decades * per_decade)), 2, most);
  for (int i = 0; i <= n; ++i) out.push_back(lo * std::pow(10.0, decades * i / n));
  return out;
}

void sort_unique(std::vector<double>& v) {
  std::sort(v.begin(), v.end());
  v.erase(std::unique(v.begin(), v.end(),
                      [](double a, double b) { return std::abs(a - b) <= 1e-9 * std::abs(b); }),
          v.end());
}

// The saturated liquid and vapour at one temperature or pressure.
struct saturation {
  water liquid, vapour;
  double middle_density() const { return 0.5 * (liquid.rho + vapour.rho); }
};

class diagram_builder {
 public:
  diagram_builder(diagram_kind kind, const display_units& u, const view& range, const method& m)
      : kind_(kind),
        u_(u),
        range_(range),
        m_(m),
        r_(range_of(m)),
        Tc(r_.Tc),
        pc(r_.pc),
        Tt(r_.Tt),
        pt(r_.pt),
        box_(box::around(range, log_y())) {}

  bool log_y() const { return diagram_of(kind_).log_y; }

  // A state with every value the lines use, or only those of `wanted`: most states are asked
  // only where they lie and whether they are water.
  std::optional<water> build(int pair, double a, double b,
                             property_set wanted = water_properties) const {
    return water_state(pair, a, b, m_, wanted);
  }
  property_set placing() const {
    const diagram_info& d = diagram_of(kind_);
    property_set wanted{code_t, code_p, code_rho};
    wanted.add(d.x);
    wanted.add(d.y);
    return wanted;
  }

  // Saturation temperatures from the triple point to the critical point: closer together
  // towards the top, where the dome turns, down to a microkelvin below Tc, and evenly over
  // [lo, hi].
  std::vector<double> saturation_temperatures(double lo, double hi) const {
    std::vector<double> Ts;
    for (int i = 0; i <= dome_points; ++i) {
      const double f = 1.0 - static_cast<double>(i) / dome_points;
      Ts.push_back(Tc - (Tc - Tt) * f * f);
    }
    for (int k = 3; k <= 18; ++k) Ts.push_back(Tc - std::pow(10.0, -k / 3.0));
    const double a = std::max(lo, Tt), b = std::min(hi, Tc);
    for (const double T : evenly(a, b, refine_points)) Ts.push_back(T);
    sort_unique(Ts);
    return Ts;
  }

  // Temperatures for marching along a line over [lo, hi], with the saturation temperatures near
  // the critical point where lines bend sharply.
  std::vector<double> march_temperatures(double lo, double hi, int points = march_points) const {
    auto Ts = evenly(lo, hi, points);
    for (const double T : saturation_temperatures(lo, hi)) {
      if (T >= lo && T <= hi && T > Tc - 30.0) Ts.push_back(T);
    }
    // Lines that cross the triple line start on it: a tenth of a millikelvin above the
    // saturation temperature of the triple-point pressure, the lowest at which a mixture can be
    // built from its pressure, so that no rounding of the solvers puts the point below it.
    if (const auto triple = build(pair_px, pt, 0.0, {code_t})) {
      const double T = triple->T + 1e-4;
      if (T >= lo && T <= hi) Ts.push_back(T);
    }
    sort_unique(Ts);
    return Ts;
  }

  bool water_at(double T, double p) const {
    const auto T_ice = lowest_water_temperature(p, m_);
    return T_ice && T >= *T_ice - 1e-6;
  }

  // The saturated liquid and vapour at a temperature (T-x) or pressure (p-x) below the
  // critical point, or nothing.
  std::optional<saturation> saturated(int pair, double at) const {
    const auto liquid = build(pair, at, 0.0);
    const auto vapour = liquid ? build(pair, at, 1.0) : std::nullopt;
    if (!vapour) return std::nullopt;
    return saturation{*liquid, *vapour};
  }
  std::optional<saturation> saturation_at_p(double p) const {
    if (!(p >= pt && p < pc)) return std::nullopt;
    return saturated(pair_px, p);
  }
  std::optional<saturation> saturation_at_T(double T) const {
    if (!(T >= Tt && T < Tc)) return std::nullopt;
    return saturated(pair_tx, T);
  }

  std::vector<line> build() {
    if (kind_ == diagram_kind::pt) {
      phase_diagram();
    } else {
      probe();
      dome_and_qualities();
      if (kind_ == diagram_kind::ts || kind_ == diagram_kind::hs) isobars();
      if (kind_ == diagram_kind::hs || kind_ == diagram_kind::ph) isotherms();
      if (kind_ == diagram_kind::ph) isentropes();
      if (kind_ == diagram_kind::ts) isenthalps();
      if (kind_ == diagram_kind::ts || kind_ == diagram_kind::ph) isochores();
    }
    return std::move(lines_);
  }

 private:
  point at(const water& st) const { return place_state(kind_, st, u_); }

  void keep(line l) {
    // Only lines with something in view are drawn.
    const box visible = box::around(range_, log_y(), 0.0);
    for (const auto& seg : l.segments) {
      for (std::size_t i = 1; i < seg.size(); ++i) {
        if (visible.crosses(seg[i - 1], seg[i])) {
          lines_.push_back(std::move(l));
          return;
        }
      }
    }
  }

  // Finds the range of temperature, pressure, enthalpy, entropy and volume over the view from
  // a coarse grid of states, with the cheapest constructor for each diagram.
  void probe() {
    constexpr int n = 8;
    const auto take = [&](const std::optional<water>& st) {
      if (st && water_at(st->T, st->p)) take_seen(*st);
    };
    for (const double x : evenly(range_.x_min, range_.x_max, n)) {
      if (kind_ == diagram_kind::ts) {
        for (const double y : evenly(range_.y_min, range_.y_max, n)) {
          take(build(pair_ts, u_.T_in(y), u_.s_in(x)));
        }
      } else if (kind_ == diagram_kind::ph) {
        for (const double y : logarithmic(range_.y_min, range_.y_max, 1, n)) {
          take(build(pair_ph, u_.p_in(y), u_.h_in(x)));
        }
      } else {
        probe_entropy(u_.s_in(x));
      }
    }
    if (seen_.T.empty()) seen_ = seen_beyond_;
    // The dome itself, where it is in view.
    for (const double T : evenly(Tt, Tc, 2 * n)) {
      if (const auto sat = saturation_at_T(T)) {
        for (const auto* st2 : {&sat->liquid, &sat->vapour}) {
          if (box_.inside(at(*st2))) seen_.take(*st2);
        }
      }
    }
    if (kind_ == diagram_kind::ts) {
      seen_.T.take(u_.T_in(range_.y_min));
      seen_.T.take(u_.T_in(range_.y_max));
    }
    if (kind_ == diagram_kind::ph) {
      seen_.p.take(u_.p_in(range_.y_min));
      seen_.p.take(u_.p_in(range_.y_max));
    }
  }

  // h-s: the states of entropy s whose enthalpy is in view (at_hs is too slow to probe with).
  // Along an isentrope the enthalpy rises with temperature, so the view's enthalpy bounds are
  // found between two states of a coarse temperature grid, by interpolation in temperature.
  void probe_entropy(double s) {
    bool have_previous = false;
    double T_previous = 0.0, h_previous = 0.0;
    const auto state_at_T = [&](double T) -> std::optional<water> {
      const auto st = build(pair_ts, T, s);
      if (st && water_at(st->T, st->p)) return st;
      return std::nullopt;
    };
    for (const double T : logarithmic(r_.T_min, probe_T_max, 12, 14)) {
      const auto st = state_at_T(T);
      if (!st) {
        have_previous = false;
        continue;
      }
      const double h = u_.h(st->h);
      if (h >= range_.y_min && h <= range_.y_max) take_seen(*st);
      if (have_previous) {
        for (const double edge : {range_.y_min, range_.y_max}) {
          if ((edge - h_previous) * (edge - h) >= 0.0) continue;
          const double T_edge =
              T_previous + (edge - h_previous) / (h - h_previous) * (T - T_previous);
          if (const auto at_edge = state_at_T(T_edge)) take_seen(*at_edge);
        }
      }
      have_previous = true;
      T_previous = T;
      h_previous = h;
    }
  }

  // States beyond the engineering pressures widen the ranges only where the view holds no
  // others: a corner of a view at 1000 bar must not stretch the isenthalps to 10 000 bar.
  void take_seen(const water& st) { (st.p <= engineering_p_max ? seen_ : seen_beyond_).take(st); }

  // Temperature range for marching lines, library units.
  std::pair<double, double> temperature_span() const {
    if (kind_ == diagram_kind::ts) {
      return {std::max(u_.T_in(range_.y_min), r_.T_min), std::min(u_.T_in(range_.y_max), r_.T_max)};
    }
    if (seen_.T.empty()) return {0.0, 0.0};
    const double w = (seen_.T.hi - seen_.T.lo) * probe_margin;
    return {std::max(seen_.T.lo - w, r_.T_min), std::min(seen_.T.hi + w, r_.T_max)};
  }
  std::pair<double, double> pressure_span() const {
    if (seen_.p.empty()) return {0.0, 0.0};
    // On h-s, lines stop where the state under the cursor can no longer be found.
    const double floor = kind_ == diagram_kind::hs ? pt * hs_p_min_factor : ice_lowest_pressure();
    const double widen = std::clamp(std::pow(seen_.p.hi / seen_.p.lo, probe_margin), 1.0, 3.0);
    const double lo = std::max(seen_.p.lo / widen, floor);
    const double hi = std::min(seen_.p.hi * widen, r_.p_max);
    return {lo, lo < engineering_p_max ? std::min(hi, engineering_p_max) : hi};
  }
  std::pair<double, double> widened(const extent& e) const {
    const double w = (e.hi - e.lo) * probe_margin;
    return {e.lo - w, e.hi + w};
  }

  void dome_and_qualities() {
    const auto [lo, hi] = temperature_span();
    const auto Ts = saturation_temperatures(lo, hi);
    std::vector<std::optional<saturation>> sats;
    for (const double T : Ts) sats.push_back(T < Tc ? saturation_at_T(T) : std::nullopt);
    for (const double x : {0.0, 1.0}) {
      line_builder b(box_, "x", x, true);
      for (std::size_t i = 0; i < Ts.size(); ++i) {
        if (Ts[i] >= Tc) {
          add_tsat(b, Ts[i], x);
        } else if (sats[i]) {
          b.add(at(x == 0.0 ? sats[i]->liquid : sats[i]->vapour));
        } else {
          b.gap();
        }
      }
      keep(b.take());
    }
    for (int k = 1; k <= 9; ++k) {
      const double x = k / 10.0;
      line_builder b(box_, "x", x);
      for (const double T : Ts) add_tsat(b, T, x);
      keep(b.take());
    }
  }

  void add_tsat(line_builder& b, double T, double x) {
    if (const auto st = build(pair_tx, T, x, placing())) return b.add(at(*st));
    b.gap();
  }

  // Adds the single-phase state of `pair` with inputs a and b (internal units), or a break where
  // it cannot be built or is ice. `side` is +1 for a state that must be less dense than `middle`
  // (vapour), -1 for a denser one (liquid), 0 for no check. False once the state lies above a
  // logarithmic pressure axis, which ends a line whose pressure rises along it.
  bool add_state(line_builder& b, int pair, double a, double c, int side = 0, double middle = 0.0) {
    const auto st = build(pair, a, c, placing());
    if (!st || !water_at(st->T, st->p) || st->critical || (side > 0 && !(st->rho < middle)) ||
        (side < 0 && !(st->rho > middle))) {
      b.gap();
      return true;
    }
    const point p = at(*st);
    b.add(p);
    return !(log_y() && box_.above(p));
  }

  std::vector<double> iso_pressures() const {
    const auto [lo, hi] = pressure_span();
    return round_values(u_.p(lo), u_.p(hi));
  }

  void isobars() {
    const auto [lo, hi] = temperature_span();
    const auto grid = march_temperatures(lo, hi);
    for (const double value : iso_pressures()) {
      const double p = u_.p_in(value);
      line_builder b(box_, "p", value);
      const auto sat = saturation_at_p(p);
      const double T_sat = sat ? sat->liquid.T : HUGE_VAL;
      const auto T_ice = lowest_water_temperature(p, m_);
      if (!T_ice) continue;
      auto Ts = grid;
      if (*T_ice > lo && *T_ice < hi) Ts.push_back(*T_ice);
      sort_unique(Ts);
      bool spliced = false;
      for (const double T : Ts) {
        if (T < *T_ice) continue;
        if (sat && !spliced && T >= T_sat) {
          b.add(at(sat->liquid));
          b.add(at(sat->vapour));
          spliced = true;
        }
        if (sat && std::abs(T - T_sat) <= 1e-7 * T_sat) continue;
        const int side = sat ? (T < T_sat ? -1 : 1) : 0;
        add_state(b, pair_tp, T, p, side, sat ? sat->middle_density() : 0.0);
      }
      keep(b.take());
    }
  }

  void isotherms() {
    const auto [p_lo, p_hi] = pressure_span();
    const auto ps = logarithmic(p_lo, p_hi, pressures_per_decade, max_pressure_points);
    const auto [lo, hi] = temperature_span();
    for (const double value : stepped_values(u_.T(lo), u_.T(hi))) {
      const double T = u_.T_in(value);
      if (T < r_.T_min || T > r_.T_max) continue;
      line_builder b(box_, "T", value);
      const auto sat = saturation_at_T(T);
      const double p_sat = sat ? sat->vapour.p : HUGE_VAL;
      bool spliced = false;
      for (const double p : ps) {
        if (sat && !spliced && p >= p_sat) {
          b.add(at(sat->vapour));
          b.add(at(sat->liquid));
          spliced = true;
        }
        if (sat && std::abs(p - p_sat) <= 1e-7 * p_sat) continue;
        const int side = sat ? (p < p_sat ? 1 : -1) : 0;
        if (!add_state(b, pair_tp, T, p, side, sat ? sat->middle_density() : 0.0)) break;
      }
      keep(b.take());
    }
  }

  // The span of a property (h or s) that states at each temperature of `Ts` cover between the
  // lowest and highest pressure of the lines, saturated mixtures included; nothing where no
  // state exists. A line of constant h or s is built only where its value is in that span, so
  // that no constructor is asked for a state that does not exist (its search would run to the
  // end of its budget).
  std::vector<std::optional<extent>> spans(const std::vector<double>& Ts, int code) const {
    const auto [p_lo, p_hi] = pressure_span();
    std::vector<std::optional<extent>> out;
    for (const double T : Ts) {
      extent e;
      for (const double p : {p_lo, p_hi}) {
        const auto st = build(pair_tp, T, p, {code});
        if (st && water_at(T, p)) e.take(st->of(code));
      }
      if (const auto sat = T < Tc ? saturation_at_T(T) : std::nullopt) {
        e.take(sat->liquid.of(code));
        e.take(sat->vapour.of(code));
      }
      out.push_back(e.empty() ? std::nullopt : std::optional<extent>(e));
    }
    return out;
  }

  // Lines of constant h or s (`code`), marched in temperature with the pair of temperature and
  // that quantity. Where pressure rises along them (isentropes on p-h) the march ends above the
  // view.
  void march_in_temperature(int code, int pair, const std::vector<double>& values) {
    const auto [lo, hi] = temperature_span();
    const auto Ts = march_temperatures(lo, hi, energy_march_points);
    const auto reach = spans(Ts, code);
    const std::string quantity(property_with_code(code)->short_name);
    for (const double value : values) {
      const double y = display_units::in(code, value, u_.system);
      line_builder b(box_, quantity, value);
      for (std::size_t i = 0; i < Ts.size(); ++i) {
        const double T = Ts[i];
        if (!reach[i] || y < reach[i]->lo || y > reach[i]->hi) {
          b.gap();
          continue;
        }
        if (!add_state(b, pair, T, y)) break;
      }
      keep(b.take());
    }
  }

  void isentropes() {
    if (seen_.s.empty()) return;
    const auto [lo, hi] = widened(seen_.s);
    march_in_temperature(code_s, pair_ts, stepped_values(u_.s(lo), u_.s(hi)));
  }

  // Isenthalps are marched in pressure: at low pressure they flatten towards the temperature
  // at which the ideal gas has their enthalpy, which a march in temperature would miss.
  void isenthalps() {
    if (seen_.h.empty()) return;
    const auto [p_lo, p_hi] = pressure_span();
    const auto ps = logarithmic(p_lo, p_hi, isenthalp_pressures_per_decade, max_pressure_points);
    const auto [lo, hi] = widened(seen_.h);
    for (const double value : stepped_values(u_.h(lo), u_.h(hi))) {
      const double h = u_.h_in(value);
      line_builder b(box_, "h", value);
      for (const double p : ps) add_state(b, pair_ph, p, h);
      keep(b.take());
    }
  }

  void isochores() {
    if (seen_.v.empty()) return;
    const auto values = round_values(u_.v(seen_.v.lo), u_.v(seen_.v.hi), most_isochores);
    for (const double value : values) {
      const double v = u_.v_in(value);
      const auto [lo, hi] = temperature_span();
      line_builder b(box_, "v", value);
      for (const double T : march_temperatures(lo, hi)) {
        if (!add_state(b, pair_tv, T, v)) break;
      }
      keep(b.take());
    }
  }

  // --- p-T: the ice curves, the vaporization curve.
  void phase_diagram() {
    for (const ice_curve_info& curve : ice_curves) {
      line_builder b(box_, std::string(curve.name), std::nullopt);
      for (const double T : evenly(curve.T_lo, curve.T_hi, ice_curve_points)) {
        const auto p = ice_curve_pressure(curve.curve, T);
        if (p) {
          b.add({u_.T(T), u_.p(*p)});
        } else {
          b.gap();
        }
      }
      keep(b.take());
    }
    line_builder b(box_, "vaporization", std::nullopt, true);
    for (const double T : saturation_temperatures(u_.T_in(range_.x_min), u_.T_in(range_.x_max))) {
      if (const auto st = build(pair_tx, T, 0.0, {code_p})) {
        b.add({u_.T(T), u_.p(st->p)});
      } else {
        b.gap();
      }
    }
    keep(b.take());
  }

  diagram_kind kind_;
  display_units u_;
  view range_;
  method m_;
  formulation_range r_;
  double Tc, pc, Tt, pt;  // the critical and triple points of the formulation
  box box_;
  extents seen_, seen_beyond_;
  std::vector<line> lines_;
};

}  // namespace

std::vector<line> diagram_lines(diagram_kind kind, const display_units& u, const view& range,
                                const method& m) {
  if (!(range.x_max > range.x_min && range.y_max > range.y_min)) return {};
  if (diagram_of(kind).log_y && !(range.y_min > 0.0)) return {};
  return diagram_builder(kind, u, range, m).build();
}

std::vector<marker> diagram_markers(diagram_kind kind, const display_units& u, const method& m) {
  std::vector<marker> out;
  const formulation_range r = range_of(m);
  if (const auto critical = water_state(pair_tx, r.Tc, 0.0, m)) {
    out.push_back({"critical point", place_state(kind, *critical, u), true});
  }
  if (kind != diagram_kind::pt) return out;
  out.push_back({"triple point", {u.T(r.Tt), u.p(r.pt)}, true});
  for (const ice_triple_point& point : ice_triple_points) {
    out.push_back({std::string(point.name), {u.T(point.T), u.p(point.p)}});
  }
  return out;
}

}  // namespace Vantrel::charts
