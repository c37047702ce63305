#pragma once
// The short names by which the command line names input pairs, properties and constants: those
// of the face's pair table and catalogue.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Vantrel::cli {

// Input-pair code of "T-p", "T-v", ... "h-s", "T-x", "p-x"; nothing for any other text.
std::optional<int> pair_code(std::string_view name);
// The pair names in code order, separated by spaces, for messages and help.
std::string pair_names();

// Property code of a short name such as "T", "rho" or "cjth"; nothing otherwise.
std::optional<int> property_code(std::string_view name);
// Short name of a property code.
std::string_view property_name(int code);
// Every short name in state-row order, separated by spaces.
std::string property_names();

// Short name of a constant code (0-7): M, Tc, pc, vc, rhoc, zc, Tt, pt.
std::string_view constant_name(int code);

// Property codes of a comma-separated list of short names; throws std::invalid_argument
// naming the first unknown or missing name.
std::vector<int> property_list(std::string_view list);

}  // namespace Vantrel::cli
