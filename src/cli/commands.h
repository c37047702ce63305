#pragma once
// What each subcommand does once its arguments have been read and checked. Each writes its
// result to `out`, its complaints to `err`, and returns the exit status: 0 success, 1 a state
// could not be built, 2 an input could not be read. A sweep or batch stops early once `out`
// has failed; the caller reports that with status 3.
#include <istream>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/output.h"
#include "cli/states.h"

namespace Vantrel::cli {

inline constexpr int exit_ok = 0;
inline constexpr int exit_no_state = 1;
inline constexpr int exit_usage = 2;
inline constexpr int exit_output = 3;  // could not write the output

// A usage or input error found before anything is written: its message goes to standard
// error and the command exits with status 2.
class usage_error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The number of a command-line argument by the window's number-input rule; a usage_error that
// names the argument otherwise.
double read_number(const std::string& argument, const std::string& text);

// Property rows of one state: all of them, or those of `props` in the order given.
int show_state(const lookup_context& c, const state_query& q, const std::vector<int>& props,
               output_format format, std::ostream& out, std::ostream& err);

int show_constants(const lookup_context& c, output_format format, std::ostream& out);

// Every property of the catalogue: short name, property name and unit in the context's units.
int show_properties(const lookup_context& c, output_format format, std::ostream& out);

// A sweep of one variable from `from` to `to` in steps of `step`; the last value is the last
// step that does not pass `to`.
struct sweep {
  enum class kind { saturation_temperature, saturation_pressure, isobar, isotherm };
  kind what;
  double from;
  double to;
  double step;
  double at;  // the pressure of an isobar, the temperature of an isotherm
  std::vector<int> props;
};

// Largest number of lines a sweep may have, so that a mistyped step cannot run for hours.
inline constexpr double max_sweep_lines = 1e6;

// The swept values; a usage_error for a step of zero, a step away from `to`, or too many lines.
std::vector<double> sweep_values(double from, double to, double step);

int show_sweep(const lookup_context& c, const sweep& s, output_format format, std::ostream& out,
               std::ostream& err);

// Longest batch line, in bytes: far beyond any real line "PAIR,A,B".
inline constexpr std::size_t max_batch_line = 65536;

// Reads lines "PAIR,A,B" and writes one line of `props` per line read, in order. Blank lines,
// lines whose first non-blank character is '#' and a UTF-8 byte-order mark at the start are
// passed over; line numbers count every line. A line that cannot be read or whose state cannot
// be built gives a line of "Error" cells and a message with its line number on `err`, and the
// batch goes on; so does a line longer than max_batch_line, which is never held whole. Input that
// cannot be read at all is a usage_error before any output. Exit status: 2 if a line could not be
// read, else 1 if a state could not be built, else 0.
int run_batch(const lookup_context& c, std::istream& in, const std::vector<int>& props,
              output_format format, std::ostream& out, std::ostream& err);

}  // namespace Vantrel::cli
