#include "pages/constant_page.h"

#include <cmath>

#include "lookup/codes.h"
#include "lookup/state.h"
#include "lookup/units.h"
#include "pages/result_list.h"
#include "pages/rows.h"
#include "pages/value_text.h"

namespace Vantrel {

// The page follows only its own radio buttons for the units: a switch made on another page shows
// here once one of these is clicked.
void CConstantPage::Initialise() {
  InitialiseList();
  Refresh();
}

void CConstantPage::Activate() {
  FollowStoredMethod();
  // In the units of its own radio buttons, which a switch on another page does not move.
  const int own_units = platform_.is_checked(control::english) ? english_units : metric_units;
  refresh_list(
      platform_, constant_rows,
      [this](const row_entry& row, int unit_system) { return ValueText(row, unit_system); },
      own_units);
}

// Under the default method the page asks its own lookups; under another, the face gives the
// chosen formulation's constants (IAPWS-IF97 has its own gas constant and range).
std::string CConstantPage::ValueText(const row_entry& row, int unit_system) const {
  double value = 0.0;
  int status = status_invalid;
  if (ByMethod()) {
    value = constant(row.code, CurrentMethod(), unit_system);
    if (std::isfinite(value)) status = status_ok;
  } else {
    status = lookups_.constant(row.code, unit_system, &value);
  }
  return value_text(status, value);
}

}  // namespace Vantrel
