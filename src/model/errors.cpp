#include "model/errors.h"

namespace Vantrel {

convergence_error::convergence_error(const std::string& context) : std::runtime_error(context) {}
not_applicable::not_applicable(const std::string& context) : std::runtime_error(context) {}
invalid_state::invalid_state(const std::string& context) : std::logic_error(context) {}

}  // namespace Vantrel
