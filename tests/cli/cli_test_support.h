#pragma once
// Runs kelvora-cli in memory and takes its output apart.
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace Vantrel::cli::testing_support {

struct outcome {
  int status;
  std::string out;
  std::string err;
};

inline outcome run_cli(const std::vector<std::string>& args, const std::string& input = {}) {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = run(args, in, out, err);
  return {status, out.str(), err.str()};
}

inline std::vector<std::string> split(const std::string& text, const std::regex& separator) {
  return {std::sregex_token_iterator(text.begin(), text.end(), separator, -1), {}};
}
inline std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts = split(text, std::regex(std::string(1, separator)));
  if (!text.empty() && text.back() == separator) parts.emplace_back();
  return parts;
}

inline std::vector<std::string> lines(const std::string& text) {
  return split(text, std::regex("\n"));
}

// The cells of an aligned table line: texts separated by two or more spaces.
inline std::vector<std::string> table_cells(const std::string& line) {
  return split(line, std::regex("  +"));
}

// The numbers of a csv line (the full-precision texts read back).
inline std::vector<double> csv_numbers(const std::string& line) {
  std::vector<double> values;
  for (const auto& field : split(line, ',')) values.push_back(std::stod(field));
  return values;
}

}  // namespace Vantrel::cli::testing_support
