#include "cli/names.h"

#include <stdexcept>

#include "cli/output.h"
#include "lookup/catalogue.h"
#include "lookup/pairs.h"

namespace Vantrel::cli {

namespace {

template <class Table, class Name>
std::string joined(const Table& table, Name name) {
  std::string text;
  for (const auto& entry : table) {
    if (!text.empty()) text += ' ';
    text += name(entry);
  }
  return text;
}

}  // namespace

std::optional<int> pair_code(std::string_view name) {
  if (const auto* p = pair_named(name)) return p->code;
  return std::nullopt;
}

std::string pair_names() {
  return joined(pair_table, [](const pair_info& p) { return p.name; });
}

std::optional<int> property_code(std::string_view name) {
  if (const auto* p = property_named(name)) return p->code;
  return std::nullopt;
}

std::string_view property_name(int code) {
  if (const auto* p = property_with_code(code)) return p->short_name;
  return "?";
}

std::string property_names() {
  return joined(property_table, [](const property_info& p) { return p.short_name; });
}

std::string_view constant_name(int code) {
  if (code < 0 || code >= static_cast<int>(constant_table.size())) return "?";
  return constant_table[static_cast<std::size_t>(code)].short_name;
}

std::vector<int> property_list(std::string_view list) {
  std::vector<int> codes;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = list.find(',', start);
    const std::string_view name = list.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    const auto code = property_code(name);
    if (!code) {
      throw std::invalid_argument(name.empty() ? std::string("empty property name")
                                               : "unknown property " + quoted_field(name));
    }
    codes.push_back(*code);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return codes;
}

}  // namespace Vantrel::cli
