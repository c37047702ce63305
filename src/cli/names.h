#pragma once
// The short names by which the command line names input pairs, properties and constants.
// They map onto the codes of the lookup entry points; the long names and units shown with
// them come from the pages' text catalogue.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Vantrel::cli {

// Input-pair code (0-9) of "T-p", "T-v", ... "h-s"; nothing for any other text.
std::optional<int> pair_code(std::string_view name);
// The ten pair names in code order, separated by spaces, for messages and help.
std::string pair_names();

// Property code (0-26) of a short name such as "T", "rho" or "cjth"; nothing otherwise.
std::optional<int> property_code(std::string_view name);
// Short name of a property code (0-26).
std::string_view property_name(int code);
// The 27 short names in state-row order, separated by spaces.
std::string property_names();

// Short name of a constant code (0-7): M, Tc, pc, vc, rhoc, zc, Tt, pt.
std::string_view constant_name(int code);

// Property codes of a comma-separated list of short names; throws std::invalid_argument
// naming the first unknown or missing name.
std::vector<int> property_list(std::string_view list);

}  // namespace Vantrel::cli
