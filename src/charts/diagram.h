#pragma once
// Diagram data for the Chart page and `kelvora-cli chart`: the lines of the T-s, h-s (Mollier),
// p-h and p-T diagrams in display units, their labels, and the state under a point of the plot.
// Every point of a line is a state of the library; a point that cannot be built is left out and
// splits its line. Standard library only: the shell draws what this computes.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lookup/codes.h"
#include "lookup/method.h"

namespace Vantrel::charts {

enum class diagram_kind { ts, hs, ph, pt };

// What a kind of diagram is: its name (the word `kelvora-cli chart` takes and the short name of
// exported files), the Chart page's entry for it, the property codes along its axes, whether its
// y axis is logarithmic, and the input pair of the face that a point of it gives.
struct diagram_info {
  diagram_kind kind;
  std::string_view name;
  std::string_view entry;
  int x, y;
  bool log_y;
  int pair;
};

// In the order of diagram_kind, which is the order of the Chart page's drop-down.
inline constexpr std::array<diagram_info, 4> diagram_table{{
    {diagram_kind::ts, "T-s", "T-s", code_s, code_t, false, pair_ts},
    {diagram_kind::hs, "h-s", "h-s (Mollier)", code_s, code_h, false, pair_hs},
    {diagram_kind::ph, "p-h", "p-h", code_h, code_p, true, pair_ph},
    {diagram_kind::pt, "p-T", "p-T", code_t, code_p, true, pair_tp},
}};

constexpr const diagram_info& diagram_of(diagram_kind kind) {
  return diagram_table[static_cast<std::size_t>(kind)];
}

// The row of a diagram's name ("T-s", "h-s", "p-h", "p-T"), or nullptr.
constexpr const diagram_info* diagram_named(std::string_view name) {
  for (const auto& d : diagram_table)
    if (d.name == name) return &d;
  return nullptr;
}

// Every name, for help texts: "T-s, h-s, p-h or p-T".
std::string diagram_names();

// Axis x and y of each diagram, in display units of the chosen unit system:
//   T-s: x = s, y = T      h-s: x = s, y = h      p-h: x = h, y = p (log)   p-T: x = T, y = p (log)
struct point {
  double x = 0.0;
  double y = 0.0;
};

// The visible range in display units. On a logarithmic axis the bounds are still plain values.
struct view {
  double x_min = 0.0, x_max = 1.0;
  double y_min = 0.0, y_max = 1.0;
};

// A line of constant `quantity` (short names "p", "T", "h", "s", "v", "x"; on p-T one of
// "sublimation", "melting-Ih", "melting-III", "melting-V", "melting-VI", "melting-VII",
// "vaporization" with no value). Its points run in order along it; `segments` holds the runs
// between breaks, each with at least two points.
struct line {
  std::string quantity;
  std::optional<double> value;  // in display units of `quantity`; none on the p-T curves
  std::vector<std::vector<point>> segments;
  bool dome = false;  // the saturation dome (x = 0 and x = 1 branches) and the vaporization curve
};

// A label of a line: "10 bar", "200 °C", "x = 0.5", "ice VI" ..., centred at `at`, turned by
// `angle` degrees (counter-clockwise, in plot-area pixels of the size the chart was built for)
// to follow the line. The dome carries none.
struct label {
  std::string text;
  point at;
  double angle = 0.0;
  int line_index = -1;  // index into chart::lines
  // The box the label was placed with, centred on `at` and turned with it, in pixels: text of
  // label_height pixels, label_char_width per character.
  double width = 0.0, height = 0.0;
};
inline constexpr double label_height = 14.0;
inline constexpr double label_char_width = 7.0;

// A named point: "critical point" on every diagram; on p-T also "triple point" (vapour, liquid
// and ice Ih) and the triple points of the ices with the liquid, "Ih-III-liquid",
// "III-V-liquid", "V-VI-liquid", "VI-VII-liquid".
struct marker {
  std::string name;
  point at;
  // The critical and triple points are named before the lines are labelled, so that their names
  // always have room; the triple points of the ices take what room is left.
  bool named_first = false;
};

struct chart {
  diagram_kind kind = diagram_kind::ts;
  int unit_system = 0;
  view range;
  bool log_y = false;
  std::string x_title, y_title;  // "s, kJ/(kg.°C)", "T, °C", ... (the catalogue's unit texts)
  std::vector<line> lines;
  std::vector<label> labels;
  std::vector<marker> markers;
};

// The range engineers use: triple point to 800 °C and to 1000 bar (p-T: the lowest temperature
// of the formulation and 1e-5 bar up through the ice VII melting curve), in the chosen unit
// system.
view default_view(diagram_kind kind, int unit_system, const method& m = method{});

// All lines of one diagram over `range`, with round iso-line values chosen for that range (about
// 8 to 15 of each kind) and labels placed clear of each other and of the dome. `width` and
// `height` are the plot area in pixels, for label sizes and angles.
chart build_chart(diagram_kind kind, int unit_system, const view& range, double width = 800,
                  double height = 600, const method& m = method{});

// The state at a point of the plot, built from the diagram's own pair (T-s from T and s, h-s
// from h and s, p-h from p and h, p-T from T and p), in display units: the very values that the
// face's state() gives for that pair and those inputs. Nothing where no state exists (in the
// ice, at the critical point, where the solver settled on a state with other inputs). Never
// throws.
struct state_values {
  double T, p, h, s, v;
  std::optional<double> x;  // quality of a mixture, none for a single phase
  // Within about a kelvin of the critical point, where the pressure-first solvers rebuild their
  // inputs only to about 1e-5.
  bool near_critical = false;
};
std::optional<state_values> state_at(diagram_kind kind, int unit_system, point at,
                                     const method& m = method{});

// The pair of the Superheated/Subcooled page that a point of the plot gives, with both inputs
// in display units (used by click-to-compute): pair code 0-9 and the two inputs.
struct page_inputs {
  int pair_code;
  double first, second;
};
std::optional<page_inputs> page_inputs_at(diagram_kind kind, int unit_system, point at,
                                          const method& m = method{});

// Where a state of a page lies on a diagram (T, p, h, s in display units), for plotting the
// user's states.
point place(diagram_kind kind, const state_values& state);

// The lines as rows `quantity,value,x,y`, one per point, a break as an empty row (CSV, TSV) or
// `null` (JSON); used by `kelvora-cli chart` and the Chart page's data export.
enum class data_format { csv, tsv, json };
std::string write_lines(const chart& c, data_format format);

}  // namespace Vantrel::charts
