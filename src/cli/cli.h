#pragma once
// kelvora-cli: the lookups of the desktop window from a terminal, for steam tables, scripts and
// spreadsheets.
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace Vantrel::cli {

// Runs the command line `args` (without the program name), reading a batch from `in` when
// asked to, and returns the exit status: 0 success, 1 a state could not be built, 2 a usage or
// input error (then nothing has been written to `out`).
int run(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
        std::ostream& err);

}  // namespace Vantrel::cli
