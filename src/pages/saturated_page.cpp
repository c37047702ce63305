#include "pages/saturated_page.h"

#include <string>

#include "lookup/lookup.h"
#include "lookup/pairs.h"
#include "lookup/units.h"
#include "pages/result_list.h"
#include "pages/value_text.h"

namespace Vantrel {

void CSaturatedPage::Initialise() {
  platform_.set_checked(control::temperature, true);
  platform_.set_checked(control::pressure, false);
  SetValueLabel(read_unit_system(platform_));
  platform_.focus(control::value_edit);

  platform_.set_checked(control::vapor, true);
  platform_.set_checked(control::liquid, false);
  platform_.set_checked(control::two_phase, false);

  platform_.set_text(control::value_edit, "");
  platform_.set_text(control::quality_edit, "");
  platform_.enable(control::quality_edit, false);
  platform_.enable(control::calculate, false);
  InitialiseList();
}

void CSaturatedPage::Activate() {
  FollowStoredUnits();
}

void CSaturatedPage::Clicked(int id) {
  switch (id) {
    case control::calculate:
      Calculate();
      break;
    case control::temperature:
    case control::pressure:
      SetValueLabel(read_unit_system(platform_));
      platform_.focus(control::value_edit);
      break;
    case control::vapor:
    case control::liquid:
      platform_.enable(control::quality_edit, false);
      EnableCalculateForValue();
      break;
    case control::two_phase:
      platform_.enable(control::quality_edit, true);
      platform_.focus(control::quality_edit);
      EnableCalculateForBoth();
      break;
    default:
      CResultPage::Clicked(id);
  }
}

void CSaturatedPage::TextChanged(int id) {
  if (id == control::value_edit) EnableCalculateForValue();
  if (id == control::quality_edit) EnableCalculateForBoth();
}

// The quality counts only while Two-phase is selected.
void CSaturatedPage::EnableCalculateForValue() {
  const bool value = !platform_.text(control::value_edit).empty();
  const bool quality =
      !platform_.is_checked(control::two_phase) || !platform_.text(control::quality_edit).empty();
  platform_.enable(control::calculate, value && quality);
}

void CSaturatedPage::EnableCalculateForBoth() {
  platform_.enable(control::calculate, !platform_.text(control::value_edit).empty() &&
                                           !platform_.text(control::quality_edit).empty());
}

void CSaturatedPage::SetValueLabel(int unit_system) {
  const bool temperature = platform_.is_checked(control::temperature);
  const property_info& variable = *property_with_code(temperature ? code_t : code_p);
  platform_.set_text(control::value_label,
                     "Value, " + std::string(unit_text(variable, unit_system)));
}

void CSaturatedPage::SwitchUnits(int unit_system) {
  CResultPage::SwitchUnits(unit_system);
  SetValueLabel(unit_system);
}

// A rejected Calculate stores nothing: the page keeps the input and quality of the last
// successful one, so a later unit switch or activation recomputes what the user last saw.
void CSaturatedPage::Calculate() {
  const auto input = ReadEdit(control::value_edit);
  if (!input) return;
  double quality = 1.0;
  if (platform_.is_checked(control::two_phase)) {
    const auto typed = ReadEdit(control::quality_edit);
    if (!typed) return;
    if (*typed < 0.0 || *typed > 1.0) {
      Refuse(control::quality_edit, text_key::invalid_quality);
      return;
    }
    quality = *typed;
  } else if (platform_.is_checked(control::liquid)) {
    quality = 0.0;
  }
  input_ = *input;
  quality_ = quality;
  has_results_ = true;
  Refresh();
  const int unit_system = read_unit_system(platform_);
  const bool temperature = platform_.is_checked(control::temperature);
  std::string inputs =
      InputText(temperature ? "T" : "p", temperature ? code_t : code_p, input_, unit_system);
  if (platform_.is_checked(control::two_phase))
    inputs += ", x = " + value_text(status_ok, quality_);
  else
    inputs += quality_ == 0.0 ? ", saturated liquid" : ", saturated vapor";
  AnnounceState("Saturated", std::move(inputs));
}

int CSaturatedPage::Evaluate(int code, int unit_system, double* out) const {
  if (ByMethod()) {
    const int pair = platform_.is_checked(control::temperature) ? pair_tx : pair_px;
    return MethodValue(pair, input_, quality_, code, unit_system, out);
  }
  const auto lookup = platform_.is_checked(control::temperature) ? lookups_.tsat : lookups_.psat;
  return lookup(input_, quality_, code, unit_system, out);
}

// Whether the stored number is a temperature is read at the moment of the refresh.
std::string CSaturatedPage::ValueText(const row_entry& row, int unit_system) const {
  double value = 0.0;
  const int status = Evaluate(row.code, unit_system, &value);
  // The quality row shows a percentage.
  if (row.code == steam_quality_code) value *= 100.0;
  return value_text(status, value);
}

}  // namespace Vantrel
