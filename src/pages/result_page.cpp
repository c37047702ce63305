#include "pages/result_page.h"

#include "lookup/lookup.h"
#include "lookup/state.h"
#include "lookup/units.h"
#include "pages/number_input.h"
#include "pages/result_list.h"
#include "pages/value_text.h"

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
  fill_formulation(platform_, control::formulation);
  FollowStoredMethod();
}

void CResultPage::FollowStoredMethod() {
  method_ = stored_method(platform_);
  platform_.combo_select(control::formulation, read_formulation(platform_));
  platform_.set_text(control::footer_notice, footer_notice(method_));
}

void CResultPage::SelectionChanged(int id) {
  if (id != control::formulation) return;
  write_formulation(platform_, platform_.combo_selection(control::formulation));
  FollowStoredMethod();
  Refresh();
}

int CResultPage::MethodValue(int pair, double a, double b, int code, int unit_system,
                             double* out) const {
  int status = status_failed;
  state_values(pair, a, b, method_, unit_system, std::span<const int>(&code, 1),
               std::span<double>(out, 1), std::span<int>(&status, 1));
  return status;
}

void CResultPage::FollowStoredUnits() {
  FollowStoredMethod();
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

int CResultPage::Evaluate(int /*code*/, int /*unit_system*/, double* /*out*/) const {
  return status_invalid;
}

void CResultPage::AnnounceState(std::string_view page, std::string inputs) const {
  if (!state_listener_) return;
  const int unit_system = read_unit_system(platform_);
  double T = 0.0, p = 0.0, h = 0.0, s = 0.0, v = 0.0, x = 0.0;
  const bool whole = Evaluate(code_t, unit_system, &T) == status_ok &&
                     Evaluate(code_p, unit_system, &p) == status_ok &&
                     Evaluate(code_h, unit_system, &h) == status_ok &&
                     Evaluate(code_s, unit_system, &s) == status_ok &&
                     Evaluate(code_v, unit_system, &v) == status_ok;
  if (!whole) return;
  using q = state_quantity;
  calculated_state state{std::string(page),
                         std::move(inputs),
                         from_display(q::T, T, unit_system),
                         from_display(q::p, p, unit_system),
                         from_display(q::h, h, unit_system),
                         from_display(q::s, s, unit_system),
                         from_display(q::v, v, unit_system),
                         std::nullopt};
  // Single-phase states carry a negative quality marker instead of a fraction.
  if (Evaluate(code_x, unit_system, &x) == status_ok && x >= 0.0 && x <= 1.0) state.x = x;
  state_listener_(state);
}

std::string CResultPage::InputText(std::string_view name, int code, double value, int unit_system) {
  return std::string(name) + " = " + value_text(status_ok, value) + " " +
         std::string(property_unit_text(code, unit_system));
}

}  // namespace Vantrel
