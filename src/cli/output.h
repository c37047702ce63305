#pragma once
// Output of the command line in four formats. The table format is for people and shows the
// window's value texts in aligned columns; csv, tsv and json are for programs and carry every
// number at full precision (the shortest text that reads back to the same double).
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace Vantrel::cli {

enum class output_format { table, csv, tsv, json };

std::optional<output_format> format_from_name(std::string_view name);

// One value: a number, or the word the window shows in its place ("Error", "N/A", or a
// phase word of the steam-quality row such as "Superheated").
struct cell {
  static cell number(double v) { return {true, v, {}}; }
  static cell word_of(std::string w) { return {false, 0.0, std::move(w)}; }

  bool has_value = false;
  double value = 0.0;
  std::string word;
};

// The shortest decimal text that reads back to exactly v.
std::string number_text(double v);

// Display width of a UTF-8 text: one column per code point (the texts hold no wide
// characters, only a few such as °, ³ and µ beyond ASCII).
std::size_t display_width(std::string_view text);

// `text` quoted for a message about it: at most 40 characters, followed by "..." when there are
// more; control characters, the quote, the backslash and bytes that are not UTF-8 escaped, so
// that a stray field never reaches a terminal raw.
std::string quoted_field(std::string_view text);

// A list of properties of one state, one per line: short name, property name, value, unit.
struct property_row {
  std::string name;
  std::string property;
  cell value;
  std::string unit;
};

void write_property_rows(std::ostream& out, output_format format,
                         const std::vector<property_row>& rows);

// The catalogue's properties, one per line: short name, property name, unit.
struct name_row {
  std::string name;
  std::string property;
  std::string unit;
};

void write_name_rows(std::ostream& out, output_format format, const std::vector<name_row>& rows);

// A column of a sweep or batch: short name and unit.
struct column {
  std::string name;
  std::string unit;
};

// Writes one state per line under a header of columns. Lines are written as they come, so a
// long sweep or batch streams through a pipe; the table format therefore uses fixed column
// widths wide enough for any value text.
class column_writer {
 public:
  column_writer(std::ostream& out, output_format format, std::vector<column> columns);
  void write(const std::vector<cell>& row);
  // Closes the json document; the other formats need nothing more.
  void finish();

 private:
  std::ostream& out_;
  output_format format_;
  std::vector<column> columns_;
  std::vector<std::size_t> widths_;
  bool first_row_ = true;
};

}  // namespace Vantrel::cli
