#pragma once
// Runs kelvora-cli in memory and takes its output apart.
#include <cstddef>
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

// Splits text at every separator that match_length finds (it returns the separator's length
// at a position, or 0); a trailing empty part is dropped.
template <class Match>
std::vector<std::string> split_where(const std::string& text, Match match_length) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = match_length(text, i);
    if (n == 0) {
      ++i;
      continue;
    }
    parts.push_back(text.substr(start, i - start));
    i += n;
    start = i;
  }
  if (start < text.size()) parts.push_back(text.substr(start));
  return parts;
}
inline std::vector<std::string> split(const std::string& text, char separator) {
  auto parts = split_where(text, [separator](const std::string& t, std::size_t i) {
    return std::size_t{t[i] == separator};
  });
  if (!text.empty() && text.back() == separator) parts.emplace_back();
  return parts;
}

inline std::vector<std::string> lines(const std::string& text) {
  return split_where(text,
                     [](const std::string& t, std::size_t i) { return std::size_t{t[i] == '\n'}; });
}

// The cells of an aligned table line: texts separated by two or more spaces.
inline std::vector<std::string> table_cells(const std::string& line) {
  return split_where(line, [](const std::string& t, std::size_t i) {
    const std::size_t run = t.find_first_not_of(' ', i);
    const std::size_t n = (run == std::string::npos ? t.size() : run) - i;
    return n >= 2 ? n : std::size_t{0};
  });
}

// The numbers of a csv line (the full-precision texts read back).
inline std::vector<double> csv_numbers(const std::string& line) {
  std::vector<double> values;
  for (const auto& field : split(line, ',')) values.push_back(std::stod(field));
  return values;
}

}  // namespace Vantrel::cli::testing_support
