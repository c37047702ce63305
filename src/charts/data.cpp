// The lines of a chart as data rows `quantity,value,x,y`.
#include <charconv>
#include <string>

#include "charts/diagram.h"

namespace Vantrel::charts {

namespace {

// The shortest text that reads back to exactly v.
std::string number_text(double v) {
  char text[32];
  const auto r = std::to_chars(text, text + sizeof text, v);
  return std::string(text, r.ptr);
}

// Quantity names are short ASCII words; JSON needs no escapes for them, but a name is quoted
// safely all the same.
std::string json_string(const std::string& s) {
  std::string out = "\"";
  for (const char ch : s) {
    if (ch == '"' || ch == '\\') out += '\\';
    if (static_cast<unsigned char>(ch) < 0x20) continue;
    out += ch;
  }
  return out + '"';
}

}  // namespace

std::string write_lines(const chart& c, data_format format) {
  std::string out;
  const bool json = format == data_format::json;
  const char sep = format == data_format::tsv ? '\t' : ',';
  if (json) {
    out += "[";
  } else {
    out += std::string("quantity") + sep + "value" + sep + "x" + sep + "y\n";
  }
  bool first = true;
  for (const auto& l : c.lines) {
    const std::string value = l.value ? number_text(*l.value) : "";
    for (const auto& seg : l.segments) {
      if (!first) out += json ? ",\nnull" : "\n";  // a break between runs
      for (const point p : seg) {
        if (json) {
          out += first ? "\n" : ",\n";
          out += "{\"quantity\":" + json_string(l.quantity) +
                 ",\"value\":" + (l.value ? value : "null") + ",\"x\":" + number_text(p.x) +
                 ",\"y\":" + number_text(p.y) + "}";
        } else {
          out += l.quantity + sep + value + sep + number_text(p.x) + sep + number_text(p.y) + "\n";
        }
        first = false;
      }
    }
  }
  if (json) out += "\n]\n";
  return out;
}

}  // namespace Vantrel::charts
