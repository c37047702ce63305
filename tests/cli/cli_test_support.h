#pragma once
// Runs kelvora-cli in memory and takes its output apart.
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

inline std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream stream(text);
  while (std::getline(stream, part, separator)) parts.push_back(part);
  if (!text.empty() && text.back() == separator) parts.emplace_back();
  return parts;
}

inline std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result = split(text, '\n');
  if (!result.empty() && result.back().empty()) result.pop_back();
  return result;
}

// The cells of an aligned table line: texts separated by two or more spaces.
inline std::vector<std::string> table_cells(const std::string& line) {
  std::vector<std::string> cells;
  std::size_t i = line.find_first_not_of(' ');
  while (i != std::string::npos) {
    std::size_t end = line.find("  ", i);
    cells.push_back(line.substr(i, end == std::string::npos ? std::string::npos : end - i));
    if (end == std::string::npos) break;
    i = line.find_first_not_of(' ', end);
  }
  return cells;
}

// The numbers of a csv line (the full-precision texts read back).
inline std::vector<double> csv_numbers(const std::string& line) {
  std::vector<double> values;
  for (const auto& field : split(line, ',')) values.push_back(std::stod(field));
  return values;
}

}  // namespace Vantrel::cli::testing_support
