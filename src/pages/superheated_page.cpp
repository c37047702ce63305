#include "pages/superheated_page.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "lookup/catalogue.h"
#include "lookup/lookup.h"
#include "lookup/pairs.h"
#include "lookup/units.h"
#include "pages/result_list.h"
#include "pages/value_text.h"

namespace Vantrel {

namespace {

constexpr std::array<std::string_view, 2> first_variables{"Temperature", "Pressure"};
// With Temperature first, the second variable may also be Pressure, which comes first.
constexpr std::array<std::string_view, 4> second_variables{"Volume", "Enthalpy", "Entropy",
                                                           "Internal energy"};
constexpr std::string_view second_pressure = "Pressure";

// Input-pair codes: temperature with pressure, volume, enthalpy, entropy, internal energy are
// 0 to 4; pressure with volume, enthalpy, entropy, internal energy are 5 to 8.
constexpr int first_pressure_pairs = 5;

}  // namespace

void CSuperheatedPage::Initialise() {
  platform_.set_text(control::first_edit, "");
  platform_.set_text(control::second_edit, "");
  platform_.enable(control::calculate, false);

  platform_.combo_clear(control::first_variable);
  for (const auto name : first_variables) platform_.combo_add(control::first_variable, name);
  platform_.combo_select(control::first_variable, 0);

  platform_.combo_clear(control::second_variable);
  platform_.combo_add(control::second_variable, second_pressure);
  for (const auto name : second_variables) platform_.combo_add(control::second_variable, name);
  platform_.combo_select(control::second_variable, 0);

  pair_code_ = 0;
  InitialiseList();
}

void CSuperheatedPage::Activate() {
  FollowStoredUnits();
}

void CSuperheatedPage::Clicked(int id) {
  if (id == control::calculate) {
    Calculate();
  } else {
    CResultPage::Clicked(id);
  }
}

void CSuperheatedPage::TextChanged(int id) {
  if (id != control::first_edit && id != control::second_edit) return;
  platform_.enable(control::calculate, !platform_.text(control::first_edit).empty() &&
                                           !platform_.text(control::second_edit).empty());
}

void CSuperheatedPage::SelectionChanged(int id) {
  if (id == control::first_variable) {
    RebuildSecondVariables();
  } else {
    CResultPage::SelectionChanged(id);
  }
}

// The index carries over, not the variable; the stored pair code and the results stay.
void CSuperheatedPage::RebuildSecondVariables() {
  const int kept = platform_.combo_selection(control::second_variable);
  platform_.combo_clear(control::second_variable);
  if (platform_.combo_selection(control::first_variable) <= 0) {
    platform_.combo_add(control::second_variable, second_pressure);
  }
  for (const auto name : second_variables) platform_.combo_add(control::second_variable, name);
  const int last = platform_.combo_count(control::second_variable) - 1;
  platform_.combo_select(control::second_variable, std::clamp(kept, 0, last));
}

// A rejected Calculate stores nothing: the page keeps the inputs and the pair code of the last
// successful one, so a later unit switch or activation recomputes what the user last saw.
void CSuperheatedPage::Calculate() {
  const auto first = ReadEdit(control::first_edit);
  if (!first) return;
  const auto second = ReadEdit(control::second_edit);
  if (!second) return;
  const int first_variable = platform_.combo_selection(control::first_variable);
  const int second_variable = std::max(0, platform_.combo_selection(control::second_variable));
  first_ = *first;
  second_ = *second;
  pair_code_ = first_variable <= 0 ? std::min(second_variable, first_pressure_pairs - 1)
                                   : first_pressure_pairs + std::min(second_variable, 3);
  has_results_ = true;
  Refresh();
  const int unit_system = read_unit_system(platform_);
  const pair_info& pair = pair_table[static_cast<std::size_t>(pair_code_)];
  const auto input_text = [&](int code, double value) {
    return InputText(property_with_code(code)->short_name, code, value, unit_system);
  };
  AnnounceState("Superheated/Subcooled",
                input_text(pair.first, first_) + ", " + input_text(pair.second, second_));
}

int CSuperheatedPage::Evaluate(int code, int unit_system, double* out) const {
  if (ByMethod()) return MethodValue(pair_code_, first_, second_, code, unit_system, out);
  return lookups_.property(first_, second_, pair_code_, code, unit_system, out);
}

std::string CSuperheatedPage::ValueText(const row_entry& row, int unit_system) const {
  double value = 0.0;
  const int status = Evaluate(row.code, unit_system, &value);
  if (row.code == steam_quality_code && status == status_ok) {
    if (const auto word = quality_marker_text(value)) return std::string(*word);
  }
  if (row.code == steam_quality_code) value *= 100.0;
  return value_text(status, value);
}

}  // namespace Vantrel
