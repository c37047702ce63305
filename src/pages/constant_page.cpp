#include "pages/constant_page.h"

#include "pages/value_text.h"

namespace Vantrel {

// The page follows only its own radio buttons: a switch made on another page shows here once
// one of these is clicked.
void CConstantPage::Initialise() {
  InitialiseList();
  Refresh();
}

std::string CConstantPage::ValueText(const row_entry& row, int unit_system) const {
  double value = 0.0;
  const int status = lookups_.constant(row.code, unit_system, &value);
  return value_text(status, value);
}

}  // namespace Vantrel
