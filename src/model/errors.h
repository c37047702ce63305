#pragma once
// The library's own errors. Each carries the failing operation's name as its context,
// and what() returns exactly that context.
#include <stdexcept>
#include <string>

namespace Vantrel {

// An iteration used up its budget, or a search found no bracket.
class convergence_error : public std::runtime_error {
 public:
  explicit convergence_error(const std::string& context);
};

// The property does not exist for this state (two-phase or critical state).
class not_applicable : public std::runtime_error {
 public:
  explicit not_applicable(const std::string& context);
};

// A property was asked of a state that was never set.
class invalid_state : public std::logic_error {
 public:
  explicit invalid_state(const std::string& context);
};

}  // namespace Vantrel
