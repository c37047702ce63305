#pragma once
// The states the command line asks about, and their properties as cells: a number, or the
// word the window shows in its place.
#include <string>
#include <vector>

#include "cli/output.h"
#include "lookup/codes.h"
#include "lookup/method.h"
#include "lookup/state.h"

namespace Vantrel::cli {

// A state as the face takes it: an input pair and its two inputs, in display units. A
// saturated state is the pair T-x or p-x with the vapour fraction (0-1).
struct state_query {
  static state_query from_pair(int pair, double first, double second) {
    return {pair, first, second};
  }
  static state_query saturated_at_temperature(double t, double quality) {
    return {pair_tx, t, quality};
  }
  static state_query saturated_at_pressure(double p, double quality) {
    return {pair_px, p, quality};
  }

  int pair;
  double first;
  double second;
};

// The method of calculation and the unit system that every state of one command uses.
struct lookup_context {
  method m;
  int unit_system;
};

// The state of a query, with the properties `wanted`.
state_result evaluate(const lookup_context& c, const state_query& q,
                      property_set wanted = all_properties);

// Why a state could not be built, for messages.
std::string build_failure(int status);

// A property of a state as a cell. The steam-quality row (a percentage) reads as the window
// shows it: a single phase is named ("Superheated", "Subcooled", "Indeterminate"), a state in
// or on the saturation dome shows the percentage.
cell property_cell(const state_result& r, int code);

// The rows of the window's result list for one state: every property of the catalogue.
std::vector<property_row> state_rows_of(const lookup_context& c, const state_result& r);

// The 8 rows of the Constants page.
std::vector<property_row> constant_rows_of(const lookup_context& c);

// Short name and unit text of a catalogued property code, for a column heading.
column property_column(int code, int unit_system);

}  // namespace Vantrel::cli
