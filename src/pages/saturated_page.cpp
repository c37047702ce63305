#include "pages/saturated_page.h"

#include <string>

#include "pages/number_input.h"
#include "pages/result_list.h"
#include "pages/value_text.h"

namespace Vantrel {

namespace {

// Catalogue keys of the independent variable's units, for the value label.
constexpr int celsius_key = 10000;
constexpr int bar_key = 10001;
constexpr int fahrenheit_key = 10026;
constexpr int psia_key = 10027;

}  // namespace

void CSaturatedPage::Initialise() {
  const int unit_system = read_unit_system(platform_);
  platform_.set_checked(control::metric, unit_system == 0);
  platform_.set_checked(control::english, unit_system != 0);

  platform_.set_checked(control::temperature, true);
  platform_.set_checked(control::pressure, false);
  SetValueLabel(unit_system);
  platform_.focus(control::value_edit);

  platform_.set_checked(control::vapor, true);
  platform_.set_checked(control::liquid, false);
  platform_.set_checked(control::two_phase, false);

  platform_.set_text(control::value_edit, "");
  platform_.set_text(control::quality_edit, "");
  platform_.enable(control::quality_edit, false);
  platform_.enable(control::calculate, false);

  platform_.list_full_row_selection(control::result_list, true);
  fill_list(platform_, state_rows);
}

void CSaturatedPage::Activate() {
  const bool english = read_unit_system(platform_) != 0;
  platform_.set_checked(control::metric, !english);
  platform_.set_checked(control::english, english);
  SwitchUnits(english ? 1 : 0);
}

void CSaturatedPage::Clicked(int id) {
  switch (id) {
    case control::calculate:
      Calculate();
      break;
    case control::metric:
      SwitchUnits(0);
      break;
    case control::english:
      SwitchUnits(1);
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
  const int key = unit_system == 0 ? (temperature ? celsius_key : bar_key)
                                   : (temperature ? fahrenheit_key : psia_key);
  platform_.set_text(control::value_label, "Value, " + std::string(catalogue_text(key)));
}

void CSaturatedPage::SwitchUnits(int unit_system) {
  write_unit_system(platform_, unit_system);
  Refresh();
  SetValueLabel(unit_system);
}

// A rejected Calculate stores nothing: the page keeps the input and quality of the last
// successful one, so a later unit switch or activation recomputes what the user last saw.
void CSaturatedPage::Calculate() {
  const auto input = parse_number(platform_.text(control::value_edit));
  if (!input) {
    platform_.warning(catalogue_text(text_key::invalid_number));
    platform_.focus(control::value_edit);
    return;
  }
  double quality = 1.0;
  if (platform_.is_checked(control::two_phase)) {
    const auto typed = parse_number(platform_.text(control::quality_edit));
    if (!typed) {
      platform_.warning(catalogue_text(text_key::invalid_number));
      platform_.focus(control::quality_edit);
      return;
    }
    if (*typed < 0.0 || *typed > 1.0) {
      platform_.warning(catalogue_text(text_key::invalid_quality));
      platform_.focus(control::quality_edit);
      return;
    }
    quality = *typed;
  } else if (platform_.is_checked(control::liquid)) {
    quality = 0.0;
  }
  input_ = *input;
  quality_ = quality;
  calculated_ = true;
  Refresh();
}

void CSaturatedPage::Refresh() {
  if (!calculated_) {
    refresh_list(platform_, state_rows, nullptr);
    return;
  }
  // Whether the stored number is a temperature is read once, at the moment of the refresh.
  const auto lookup = platform_.is_checked(control::temperature) ? lookups_.tsat : lookups_.psat;
  refresh_list(platform_, state_rows, [&](const row_entry& row, int unit_system) {
    double value = 0.0;
    const int status = lookup(input_, quality_, row.code, unit_system, &value);
    // The quality row shows a percentage.
    if (row.code == steam_quality_code) value *= 100.0;
    return value_text(status, value);
  });
}

}  // namespace Vantrel
