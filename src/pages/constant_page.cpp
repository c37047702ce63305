#include "pages/constant_page.h"

#include "pages/result_list.h"
#include "pages/value_text.h"

namespace Vantrel {

void CConstantPage::Initialise() {
  const int unit_system = read_unit_system(platform_);
  platform_.set_checked(control::metric, unit_system == 0);
  platform_.set_checked(control::english, unit_system != 0);
  platform_.list_full_row_selection(control::result_list, true);
  fill_list(platform_, constant_rows);
  Refresh();
}

void CConstantPage::Clicked(int id) {
  switch (id) {
    case control::metric:
      SwitchUnits(0);
      break;
    case control::english:
      SwitchUnits(1);
      break;
    default:
      CResultPage::Clicked(id);
  }
}

// The page follows only its own radio buttons: a switch made on another page shows here once
// one of these is clicked.
void CConstantPage::SwitchUnits(int unit_system) {
  write_unit_system(platform_, unit_system);
  Refresh();
}

void CConstantPage::Refresh() {
  refresh_list(platform_, constant_rows, [&](const row_entry& row, int unit_system) {
    double value = 0.0;
    const int status = lookups_.constant(row.code, unit_system, &value);
    return value_text(status, value);
  });
}

}  // namespace Vantrel
