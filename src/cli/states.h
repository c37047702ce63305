#pragma once
// The states the command line asks about, and their properties as cells: a number, or the
// word the window shows in its place.
#include <string>
#include <vector>

#include "cli/output.h"
#include "lookup/method.h"
#include "pages/page_lookups.h"

namespace Vantrel::cli {

// A state given the way one of the lookup entry points takes it, in display units.
struct state_query {
  enum class kind { pair, saturated_temperature, saturated_pressure };

  static state_query from_pair(int pair, double first, double second) {
    return {kind::pair, pair, first, second};
  }
  static state_query saturated_at_temperature(double t, double quality) {
    return {kind::saturated_temperature, 0, t, quality};
  }
  static state_query saturated_at_pressure(double p, double quality) {
    return {kind::saturated_pressure, 0, p, quality};
  }

  kind how;
  int pair;       // input-pair code, for kind::pair
  double first;   // first input, or the saturation temperature or pressure
  double second;  // second input, or the quality (0-1)
};

// The entry points and the unit system that every lookup of one command uses.
// Under the default method the entry points answer; under another, the face does.
struct lookup_context {
  const page_lookups& lookups;
  int unit_system;
  method how{};
};

// Status and value of one property code through the entry point that fits the query.
int lookup(const lookup_context& c, const state_query& q, int code, double* out);

// Whether the state could be built: 0, or the status of the failure (1 an input invalid or out
// of range, 2 the computation failed). A built state always has a temperature.
int build_status(const lookup_context& c, const state_query& q);

// Why a state could not be built, for messages.
std::string build_failure(int status);

// A property of the state as a cell. The steam-quality row (a percentage) reads as the window
// shows it: for a state from two inputs a single phase is named ("Superheated", "Subcooled",
// "Indeterminate"); a saturated state always shows the percentage.
cell property_cell(const lookup_context& c, const state_query& q, int code);

// The rows of the window's result list for one state: every property of the catalogue.
std::vector<property_row> state_rows_of(const lookup_context& c, const state_query& q);

// The 8 rows of the Constants page.
std::vector<property_row> constant_rows_of(const lookup_context& c);

// Short name and unit text of a catalogued property code, for a column heading.
column property_column(int code, int unit_system);

}  // namespace Vantrel::cli
