#include "cli/output.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "pages/value_text.h"

namespace Vantrel::cli {

namespace {

// Wide enough for every value text of the window ("-1.23457E-005", "Indeterminate").
constexpr std::size_t min_value_width = 13;
constexpr std::string_view gap = "  ";

void pad(std::ostream& out, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) out.put(' ');
}

void right(std::ostream& out, std::string_view text, std::size_t width) {
  const std::size_t w = display_width(text);
  if (w < width) pad(out, width - w);
  out << text;
}

void left(std::ostream& out, std::string_view text, std::size_t width) {
  out << text;
  const std::size_t w = display_width(text);
  if (w < width) pad(out, width - w);
}

// The window's text of a cell.
std::string shown(const cell& c) {
  return c.has_value ? value_text(0, c.value) : c.word;
}

std::string csv_field(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char ch : text) {
    if (ch == '"') quoted += '"';
    quoted += ch;
  }
  quoted += '"';
  return quoted;
}

// A text field of a csv or tsv line: csv quotes where it must, tsv takes the text as it is.
std::string text_field(output_format format, std::string_view text) {
  return format == output_format::csv ? csv_field(text) : std::string(text);
}

// Two hexadecimal digits of a byte, for escapes.
std::string hex_byte(unsigned char byte) {
  constexpr char hex[] = "0123456789abcdef";
  return {hex[byte >> 4], hex[byte & 0xF]};
}

// Length of the well-formed UTF-8 sequence that starts `text` (1 for ASCII), or 0 when its
// first byte starts none: a stray continuation byte, an overlong form, a surrogate, a code
// point beyond U+10FFFF or a sequence cut short.
std::size_t utf8_length(std::string_view text) {
  const auto byte = [text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  std::size_t n = 0;
  unsigned char low = 0x80;  // the range of the second byte
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    n = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    n = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    n = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < n || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < n; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
  }
  return n;
}

// A C0 or C1 control character, or DEL, as the single code point `sequence` encodes.
bool is_control(std::string_view sequence) {
  const auto lead = static_cast<unsigned char>(sequence[0]);
  if (sequence.size() == 1) return lead < 0x20 || lead == 0x7F;
  return sequence.size() == 2 && lead == 0xC2 && static_cast<unsigned char>(sequence[1]) < 0xA0;
}

std::string json_string(std::string_view text) {
  std::string s = "\"";
  for (const char ch : text) {
    switch (ch) {
      case '"':
        s += "\\\"";
        break;
      case '\\':
        s += "\\\\";
        break;
      case '\n':
        s += "\\n";
        break;
      case '\t':
        s += "\\t";
        break;
      case '\r':
        s += "\\r";
        break;
      default:
        if (static_cast<unsigned char>(ch) < 0x20) {
          s += "\\u00" + hex_byte(static_cast<unsigned char>(ch));
        } else {
          s += ch;
        }
    }
  }
  s += '"';
  return s;
}

// JSON has no infinity or not-a-number; such a value is written as null.
std::string json_number(double v) {
  return std::isfinite(v) ? number_text(v) : "null";
}

// A cell of a machine-readable column: the number in full, or the word in its place.
std::string csv_cell(const cell& c, output_format format) {
  if (c.has_value) return number_text(c.value);
  return text_field(format, c.word);
}

std::string json_cell(const cell& c) {
  return c.has_value ? json_number(c.value) : json_string(c.word);
}

char separator(output_format format) {
  return format == output_format::tsv ? '\t' : ',';
}

std::string heading(const column& c) {
  return c.unit.empty() ? c.name : c.name + " [" + c.unit + "]";
}

}  // namespace

std::string quoted_field(std::string_view text) {
  constexpr std::size_t max_characters = 40;
  std::string q = "\"";
  std::size_t i = 0;
  for (std::size_t characters = 0; i < text.size() && characters < max_characters; ++characters) {
    const std::size_t n = utf8_length(text.substr(i));
    const std::string_view sequence = text.substr(i, n == 0 ? 1 : n);
    if (n == 0 || is_control(sequence)) {
      for (const char byte : sequence) q += "\\x" + hex_byte(static_cast<unsigned char>(byte));
    } else {
      if (sequence == "\"" || sequence == "\\") q += '\\';
      q += sequence;
    }
    i += sequence.size();
  }
  if (i < text.size()) q += "...";
  q += '"';
  return q;
}

std::optional<output_format> format_from_name(std::string_view name) {
  if (name == "table") return output_format::table;
  if (name == "csv") return output_format::csv;
  if (name == "tsv") return output_format::tsv;
  if (name == "json") return output_format::json;
  return std::nullopt;
}

std::string number_text(double v) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
  return std::string(buffer, result.ptr);
}

std::size_t display_width(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char ch) {
    return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
  }));
}

void write_property_rows(std::ostream& out, output_format format,
                         const std::vector<property_row>& rows) {
  switch (format) {
    case output_format::table: {
      std::size_t name_width = display_width("Property");
      std::size_t value_width = display_width("Value");
      std::vector<std::string> texts;
      texts.reserve(rows.size());
      for (const auto& row : rows) {
        texts.push_back(shown(row.value));
        name_width = std::max(name_width, display_width(row.property));
        value_width = std::max(value_width, display_width(texts.back()));
      }
      left(out, "Property", name_width);
      out << gap;
      right(out, "Value", value_width);
      out << gap << "Unit\n";
      for (std::size_t i = 0; i < rows.size(); ++i) {
        left(out, rows[i].property, name_width);
        out << gap;
        right(out, texts[i], value_width);
        out << gap << rows[i].unit << '\n';
      }
      break;
    }
    case output_format::csv:
    case output_format::tsv: {
      const char sep = separator(format);
      const auto field = [format](std::string_view text) { return text_field(format, text); };
      out << "name" << sep << "property" << sep << "value" << sep << "unit" << sep << "status\n";
      for (const auto& row : rows) {
        out << field(row.name) << sep << field(row.property) << sep
            << (row.value.has_value ? number_text(row.value.value) : std::string()) << sep
            << field(row.unit) << sep << field(row.value.word) << '\n';
      }
      break;
    }
    case output_format::json: {
      out << "[\n";
      for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        out << "  {\"name\": " << json_string(row.name)
            << ", \"property\": " << json_string(row.property)
            << ", \"value\": " << (row.value.has_value ? json_number(row.value.value) : "null")
            << ", \"unit\": " << json_string(row.unit)
            << ", \"status\": " << (row.value.has_value ? "null" : json_string(row.value.word))
            << '}' << (i + 1 < rows.size() ? ",\n" : "\n");
      }
      out << "]\n";
      break;
    }
  }
}

void write_name_rows(std::ostream& out, output_format format, const std::vector<name_row>& rows) {
  switch (format) {
    case output_format::table: {
      std::size_t name_width = display_width("Name");
      std::size_t property_width = display_width("Property");
      for (const auto& row : rows) {
        name_width = std::max(name_width, display_width(row.name));
        property_width = std::max(property_width, display_width(row.property));
      }
      const auto line = [&](std::string_view name, std::string_view property,
                            std::string_view unit) {
        left(out, name, name_width);
        out << gap;
        left(out, property, property_width);
        out << gap << unit << '\n';
      };
      line("Name", "Property", "Unit");
      for (const auto& row : rows) line(row.name, row.property, row.unit);
      break;
    }
    case output_format::csv:
    case output_format::tsv: {
      const char sep = separator(format);
      const auto field = [format](std::string_view text) { return text_field(format, text); };
      out << "name" << sep << "property" << sep << "unit\n";
      for (const auto& row : rows) {
        out << field(row.name) << sep << field(row.property) << sep << field(row.unit) << '\n';
      }
      break;
    }
    case output_format::json: {
      out << "[\n";
      for (std::size_t i = 0; i < rows.size(); ++i) {
        out << "  {\"name\": " << json_string(rows[i].name)
            << ", \"property\": " << json_string(rows[i].property)
            << ", \"unit\": " << json_string(rows[i].unit) << '}'
            << (i + 1 < rows.size() ? ",\n" : "\n");
      }
      out << "]\n";
      break;
    }
  }
}

column_writer::column_writer(std::ostream& out, output_format format, std::vector<column> columns)
    : out_(out), format_(format), columns_(std::move(columns)) {
  switch (format_) {
    case output_format::table: {
      for (const auto& c : columns_) {
        widths_.push_back(
            std::max({min_value_width, display_width(c.name), display_width(c.unit)}));
      }
      for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (i > 0) out_ << gap;
        right(out_, columns_[i].name, widths_[i]);
      }
      out_ << '\n';
      for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (i > 0) out_ << gap;
        right(out_, columns_[i].unit, widths_[i]);
      }
      out_ << '\n';
      break;
    }
    case output_format::csv:
    case output_format::tsv: {
      for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (i > 0) out_ << separator(format_);
        const std::string h = heading(columns_[i]);
        out_ << text_field(format_, h);
      }
      out_ << '\n';
      break;
    }
    case output_format::json: {
      out_ << "{\"columns\": [";
      for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (i > 0) out_ << ", ";
        out_ << "{\"name\": " << json_string(columns_[i].name)
             << ", \"unit\": " << json_string(columns_[i].unit) << '}';
      }
      out_ << "],\n \"rows\": [";
      break;
    }
  }
}

void column_writer::write(const std::vector<cell>& row) {
  switch (format_) {
    case output_format::table:
      for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0) out_ << gap;
        right(out_, shown(row[i]), i < widths_.size() ? widths_[i] : min_value_width);
      }
      out_ << '\n';
      break;
    case output_format::csv:
    case output_format::tsv:
      for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0) out_ << separator(format_);
        out_ << csv_cell(row[i], format_);
      }
      out_ << '\n';
      break;
    case output_format::json:
      out_ << (first_row_ ? "\n  [" : ",\n  [");
      for (std::size_t i = 0; i < row.size(); ++i) {
        if (i > 0) out_ << ", ";
        out_ << json_cell(row[i]);
      }
      out_ << ']';
      break;
  }
  first_row_ = false;
}

void column_writer::finish() {
  if (format_ == output_format::json) out_ << (first_row_ ? "]}\n" : "\n ]}\n");
  out_.flush();
}

}  // namespace Vantrel::cli
