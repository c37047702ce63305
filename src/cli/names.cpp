#include "cli/names.h"

#include <array>
#include <stdexcept>

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

// In the order of the state rows, so that listings read like the window.
constexpr std::array<named_code, 27> properties{
    {{"T", 0},     {"p", 1},     {"x", 25},     {"v", 2},       {"rho", 3},    {"z", 4},
     {"h", 8},     {"s", 6},     {"a", 5},      {"u", 7},       {"g", 9},      {"cv", 10},
     {"cp", 11},   {"w", 12},    {"alpha", 13}, {"kappa", 14},  {"k", 26},     {"dpdt", 15},
     {"dvdt", 16}, {"dvdp", 17}, {"mu", 18},    {"lambda", 19}, {"sigma", 20}, {"pr", 21},
     {"eps", 22},  {"cjtt", 23}, {"cjth", 24}}};

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

template <std::size_t N>
std::string joined(const std::array<named_code, N>& table) {
  std::string text;
  for (const auto& entry : table) {
    if (!text.empty()) text += ' ';
    text += entry.name;
  }
  return text;
}

}  // namespace

std::optional<int> pair_code(std::string_view name) {
  return find(pairs, name);
}

std::string pair_names() {
  return joined(pairs);
}

std::optional<int> property_code(std::string_view name) {
  return find(properties, name);
}

std::string_view property_name(int code) {
  for (const auto& entry : properties) {
    if (entry.code == code) return entry.name;
  }
  return "?";
}

std::string property_names() {
  return joined(properties);
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
                                               : "unknown property '" + std::string(name) + "'");
    }
    codes.push_back(*code);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return codes;
}

}  // namespace Vantrel::cli
