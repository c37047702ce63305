#include "cli/commands.h"

#include <cmath>
#include <limits>
#include <string_view>

#include "cli/names.h"
#include "lookup/catalogue.h"
#include "lookup/codes.h"
#include "pages/catalogue.h"
#include "pages/number_input.h"
#include "pages/value_text.h"

namespace Vantrel::cli {

namespace {

std::string message(int key) {
  return std::string(catalogue_text(key));
}

// Saturated liquid and saturated vapour, the two sides of a saturation table.
constexpr double liquid = 0.0;
constexpr double vapor = 1.0;

bool shared_by_both_phases(int code) {
  return code == code_t || code == code_p;
}

std::string_view trimmed(std::string_view text) {
  constexpr std::string_view blanks = " \t";
  const auto first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// One line of a batch: a state, or the reason it could not be read.
struct batch_line {
  std::optional<state_query> query;
  std::string problem;
};

batch_line read_batch_line(std::string_view line) {
  std::string_view fields[3];
  std::size_t count = 0;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = line.find(',', start);
    if (count == 3) return {std::nullopt, "expected three fields PAIR,A,B"};
    fields[count++] = trimmed(line.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (count != 3) return {std::nullopt, "expected three fields PAIR,A,B"};
  const auto pair = pair_code(fields[0]);
  if (!pair) {
    return {std::nullopt,
            "unknown input pair " + quoted_field(fields[0]) + " (one of " + pair_names() + ")"};
  }
  try {
    const double a = read_number("A", std::string(fields[1]));
    const double b = read_number("B", std::string(fields[2]));
    return {state_query::from_pair(*pair, a, b), {}};
  } catch (const usage_error& e) {
    return {std::nullopt, e.what()};
  }
}

// Blank lines and comments carry no state.
bool carries_no_state(std::string_view line) {
  const std::string_view text = trimmed(line);
  return text.empty() || text.front() == '#';
}

// Spreadsheets start their text files with one.
constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

property_set wanted_set(const std::vector<int>& codes) {
  property_set wanted;
  for (const int code : codes) wanted.add(code);
  return wanted;
}

std::vector<cell> error_cells(std::size_t n) {
  return std::vector<cell>(n, cell::word_of(value_text(status_failed, 0.0)));
}

// Whether a digit of a number's mantissa, before any exponent, is not zero.
bool has_nonzero_digit(std::string_view number) {
  for (const char ch : number) {
    if (ch == 'e' || ch == 'E' || ch == 'd' || ch == 'D') break;
    if (ch >= '1' && ch <= '9') return true;
  }
  return false;
}

enum class line_read { line, too_long, end };

// The next line of `in` without its newline, through `buffer` (max_batch_line + 1 bytes, made
// once). A longer line is passed over up to its newline and only its start is kept, so an
// endless line (a device of zeros, a file without newlines) is read in bounded memory.
line_read next_line(std::istream& in, std::vector<char>& buffer, std::string& line) {
  in.getline(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  const auto extracted = static_cast<std::size_t>(in.gcount());
  if (in.bad()) return line_read::end;
  if (!in.fail()) {
    // The newline counts as extracted unless the input ended first.
    line.assign(buffer.data(), in.eof() ? extracted : extracted - 1);
    return line_read::line;
  }
  if (extracted == 0) return line_read::end;
  line.assign(buffer.data(), extracted);
  in.clear();
  in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
  return line_read::too_long;
}

}  // namespace

double read_number(const std::string& argument, const std::string& text) {
  // Blanks after a number are as harmless as the blanks before it, which the window's rule
  // allows.
  const std::string_view number =
      std::string_view(text).substr(0, text.find_last_not_of(" \t\n\v\f\r") + 1);
  auto value = parse_number(number);
  // A number too small for a double is refused like one too large, rather than read as zero.
  if (value == 0.0 && has_nonzero_digit(number)) value.reset();
  if (!value) {
    throw usage_error(argument + " " + quoted_field(text) + ": " +
                      message(text_key::invalid_number));
  }
  return *value;
}

int show_state(const lookup_context& c, const state_query& q, const std::vector<int>& props,
               output_format format, std::ostream& out, std::ostream& err) {
  const state_result r = evaluate(c, q, props.empty() ? all_properties : wanted_set(props));
  if (r.status != status_ok) {
    err << "kelvora-cli: no state: " << build_failure(r.status) << '\n';
    return exit_no_state;
  }
  auto rows = state_rows_of(c, r);
  if (!props.empty()) {
    std::vector<property_row> chosen;
    for (const int code : props) {
      for (const auto& row : rows) {
        if (row.name == property_name(code)) chosen.push_back(row);
      }
    }
    rows = std::move(chosen);
  }
  write_property_rows(out, format, rows);
  return exit_ok;
}

int show_constants(const lookup_context& c, output_format format, std::ostream& out) {
  write_property_rows(out, format, constant_rows_of(c));
  return exit_ok;
}

int show_properties(const lookup_context& c, output_format format, std::ostream& out) {
  std::vector<name_row> rows;
  for (const auto& p : property_table) {
    rows.push_back(
        {std::string(p.short_name), std::string(p.name), std::string(p.unit_text(c.unit_system))});
  }
  write_name_rows(out, format, rows);
  return exit_ok;
}

std::vector<double> sweep_values(double from, double to, double step) {
  if (step == 0.0) throw usage_error("STEP must not be zero");
  const double span = (to - from) / step;
  // A small tolerance keeps a last value such as 1 in "0 1 0.1" that rounding would lose.
  constexpr double tolerance = 1e-9;
  if (span < -tolerance) throw usage_error("STEP must lead from FROM towards TO");
  if (!(span < max_sweep_lines)) {
    throw usage_error("the sweep would have more than " + number_text(max_sweep_lines) +
                      " lines; use a larger STEP");
  }
  const auto count = static_cast<std::size_t>(std::floor(span + tolerance)) + 1;
  std::vector<double> values(count);
  for (std::size_t i = 0; i < count; ++i) values[i] = from + static_cast<double>(i) * step;
  // Land exactly on TO when the steps reach it, rather than a rounding error away.
  if (std::abs(values.back() - to) <= tolerance * std::abs(step)) values.back() = to;
  return values;
}

int show_sweep(const lookup_context& c, const sweep& s, output_format format, std::ostream& out,
               std::ostream& err) {
  const auto values = sweep_values(s.from, s.to, s.step);
  const bool saturation =
      s.what == sweep::kind::saturation_temperature || s.what == sweep::kind::saturation_pressure;

  std::vector<column> columns;
  for (const int code : s.props) {
    column col = property_column(code, c.unit_system);
    if (saturation && !shared_by_both_phases(code)) {
      columns.push_back({col.name + "_liq", col.unit});
      columns.push_back({col.name + "_vap", col.unit});
    } else {
      columns.push_back(std::move(col));
    }
  }

  const std::size_t width = columns.size();
  const property_set wanted = wanted_set(s.props);
  column_writer writer(out, format, std::move(columns));
  std::size_t failed = 0;
  std::vector<cell> row;
  for (const double value : values) {
    row.clear();
    state_query side[2] = {state_query::from_pair(pair_tp, value, s.at),
                           state_query::from_pair(pair_tp, value, s.at)};
    switch (s.what) {
      case sweep::kind::saturation_temperature:
        side[0] = state_query::saturated_at_temperature(value, liquid);
        side[1] = state_query::saturated_at_temperature(value, vapor);
        break;
      case sweep::kind::saturation_pressure:
        side[0] = state_query::saturated_at_pressure(value, liquid);
        side[1] = state_query::saturated_at_pressure(value, vapor);
        break;
      case sweep::kind::isobar:
        break;
      case sweep::kind::isotherm:
        side[0] = side[1] = state_query::from_pair(pair_tp, s.at, value);
        break;
    }
    const state_result first = evaluate(c, side[0], wanted);
    if (first.status != status_ok) {
      ++failed;
      writer.write(error_cells(width));
      continue;
    }
    const state_result second = saturation ? evaluate(c, side[1], wanted) : first;
    for (const int code : s.props) {
      row.push_back(property_cell(first, code));
      if (saturation && !shared_by_both_phases(code)) row.push_back(property_cell(second, code));
    }
    writer.write(row);
    if (!out) break;
  }
  writer.finish();
  if (failed > 0) {
    err << "kelvora-cli: " << failed << " of " << values.size()
        << " states could not be built; their lines show Error\n";
    return exit_no_state;
  }
  return exit_ok;
}

int run_batch(const lookup_context& c, std::istream& in, const std::vector<int>& props,
              output_format format, std::ostream& out, std::ostream& err) {
  // A directory, for one, opens but cannot be read.
  in.peek();
  if (in.bad()) throw usage_error("the input cannot be read");
  std::vector<column> columns;
  for (const int code : props) columns.push_back(property_column(code, c.unit_system));
  const property_set wanted = wanted_set(props);
  column_writer writer(out, format, std::move(columns));

  bool unreadable = false;
  bool unbuilt = false;
  std::vector<char> buffer(max_batch_line + 1);
  std::string line;
  std::vector<cell> row;
  std::size_t number = 0;
  line_read read = line_read::line;
  while (out && (read = next_line(in, buffer, line)) != line_read::end) {
    ++number;
    if (read == line_read::too_long) {
      unreadable = true;
      err << "kelvora-cli: line " << number << ": " << quoted_field(line) << ": longer than "
          << max_batch_line << " bytes\n";
      writer.write(error_cells(props.size()));
      line.clear();
    }
    // Lines from spreadsheets may end in a carriage return.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (number == 1 && line.starts_with(byte_order_mark)) line.erase(0, byte_order_mark.size());
    if (!carries_no_state(line)) {
      const batch_line parsed = read_batch_line(line);
      if (!parsed.query) {
        unreadable = true;
        err << "kelvora-cli: line " << number << ": " << parsed.problem << '\n';
        writer.write(error_cells(props.size()));
      } else if (const state_result r = evaluate(c, *parsed.query, wanted); r.status != status_ok) {
        unbuilt = true;
        err << "kelvora-cli: line " << number << ": no state: " << build_failure(r.status) << '\n';
        writer.write(error_cells(props.size()));
      } else {
        row.clear();
        for (const int code : props) row.push_back(property_cell(r, code));
        writer.write(row);
      }
    }
    // Answer at once when the next line is not yet there, so that a program can hold a
    // conversation through a pipe; a file or a full pipe is written in large blocks.
    if (in.rdbuf()->in_avail() <= 0) out.flush();
  }
  writer.finish();
  if (in.bad()) {
    err << "kelvora-cli: line " << number + 1 << ": the input cannot be read\n";
    return exit_usage;
  }
  if (unreadable) return exit_usage;
  return unbuilt ? exit_no_state : exit_ok;
}

}  // namespace Vantrel::cli
