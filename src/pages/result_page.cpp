#include "pages/result_page.h"

#include "pages/number_input.h"
#include "pages/result_list.h"

namespace Vantrel {

void CResultPage::Clicked(int id) {
  if (id == control::metric) SwitchUnits(0);
  if (id == control::english) SwitchUnits(1);
  if (id == control::close) platform_.close_window();
}

void CResultPage::InitialiseList() {
  const int unit_system = read_unit_system(platform_);
  platform_.set_checked(control::metric, unit_system == 0);
  platform_.set_checked(control::english, unit_system != 0);
  platform_.list_full_row_selection(control::result_list, true);
  fill_list(platform_, rows_);
}

void CResultPage::FollowStoredUnits() {
  const bool english = read_unit_system(platform_) != 0;
  platform_.set_checked(control::metric, !english);
  platform_.set_checked(control::english, english);
  SwitchUnits(english ? 1 : 0);
}

void CResultPage::SwitchUnits(int unit_system) {
  write_unit_system(platform_, unit_system);
  Refresh();
}

void CResultPage::Refuse(int edit, int key) {
  platform_.warning(catalogue_text(key));
  platform_.focus(edit);
}

std::optional<double> CResultPage::ReadEdit(int edit) {
  const auto number = parse_number(platform_.text(edit));
  if (!number) Refuse(edit, text_key::invalid_number);
  return number;
}

void CResultPage::Refresh() {
  if (!has_results_) {
    refresh_list(platform_, rows_, nullptr);
    return;
  }
  refresh_list(platform_, rows_, [this](const row_entry& row, int unit_system) {
    return ValueText(row, unit_system);
  });
}

}  // namespace Vantrel
