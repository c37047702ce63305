#include "cli/names.h"

#include <array>
#include <stdexcept>

#include "cli/output.h"
#include "lookup/catalogue.h"

namespace Vantrel::cli {

namespace {

struct named_code {
  std::string_view name;
  int code;
};

// In input-pair code order.
constexpr std::array<named_code, 10> pairs{{{"T-p", 0},
                                            {"T-v", 1},
                                            {"T-h", 2},
                                            {"T-s", 3},
                                            {"T-u", 4},
                                            {"p-v", 5},
                                            {"p-h", 6},
                                            {"p-s", 7},
                                            {"p-u", 8},
                                            {"h-s", 9}}};

// In constant code order.
constexpr std::array<std::string_view, 8> constants{"M",    "Tc", "pc", "vc",
                                                    "rhoc", "zc", "Tt", "pt"};

template <std::size_t N>
std::optional<int> find(const std::array<named_code, N>& table, std::string_view name) {
  for (const auto& entry : table) {
    if (entry.name == name) return entry.code;
  }
  return std::nullopt;
}

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
  return find(pairs, name);
}

std::string pair_names() {
  return joined(pairs, [](const named_code& entry) { return entry.name; });
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
  if (code < 0 || code >= static_cast<int>(constants.size())) return "?";
  return constants[static_cast<std::size_t>(code)];
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
