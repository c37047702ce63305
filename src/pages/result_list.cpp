#include "pages/result_list.h"

#include <algorithm>

namespace Vantrel {

namespace {

constexpr int list = control::result_list;
constexpr int property_column = 0;
constexpr int value_column = 1;
constexpr int unit_column = 2;
constexpr int initial_width = 50;

std::string_view settings_section() {
  return catalogue_text(text_key::settings_section);
}
std::string_view units_entry() {
  return catalogue_text(text_key::units_entry);
}
constexpr std::string_view formulation_entry = "Formulation";

}  // namespace

int read_unit_system(const page_platform& platform) {
  return platform.read_setting(settings_section(), units_entry()).value_or(0);
}

void write_unit_system(page_platform& platform, int unit_system) {
  platform.write_setting(settings_section(), units_entry(), unit_system);
}

int read_formulation(const page_platform& platform) {
  const int choice = platform.read_setting(settings_section(), formulation_entry).value_or(0);
  return choice >= 0 && choice < static_cast<int>(method_choices().size()) ? choice : 0;
}

void write_formulation(page_platform& platform, int choice) {
  platform.write_setting(settings_section(), formulation_entry, choice);
}

method stored_method(const page_platform& platform) {
  return method_choices()[static_cast<std::size_t>(read_formulation(platform))].m;
}

void fill_formulation(page_platform& platform, int id) {
  platform.combo_clear(id);
  for (const auto& choice : method_choices()) platform.combo_add(id, choice.title);
  platform.combo_select(id, read_formulation(platform));
}

std::string footer_notice(const method& m) {
  const std::string maker = "Vantrel Kelvora 2.0 computes the properties of water and steam from ";
  if (m == method{}) return maker + "the IAPWS-95 formulation.";
  return maker + method_title(m) + ".";
}

void fill_list(page_platform& platform, std::span<const row_entry> rows) {
  // The header texts are fixed, not catalogue texts.
  platform.list_insert_column(list, property_column, "Property", column_align::left, initial_width);
  platform.list_insert_column(list, value_column, "Value", column_align::right, initial_width);
  platform.list_insert_column(list, unit_column, "Unit", column_align::left, initial_width);

  const int unit_system = read_unit_system(platform);
  int widest_name = 0;
  int widest_unit = 0;
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    const row_entry& row = rows[i];
    platform.list_insert_item(list, i, name_text(row), i);
    widest_name = std::max(widest_name, platform.list_text_width(list, name_text(row)));
    platform.list_set_subitem(list, i, value_column, "");
    platform.list_set_subitem(list, i, unit_column, unit_text(row, unit_system));
    widest_unit =
        std::max(widest_unit, platform.list_text_width(list, unit_text(row, unit_system)));
  }
  platform.list_set_column_width(list, property_column, widest_name + column_margin);
  platform.list_set_column_width(list, unit_column, widest_unit + column_margin);
}

void refresh_list(page_platform& platform, std::span<const row_entry> rows,
                  const row_value& value) {
  const int unit_system = read_unit_system(platform);
  int widest_value = 0;
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    // Items carry the index of their row; never assume item i shows row i.
    const int r = platform.list_item_data(list, i);
    if (r < 0 || r >= static_cast<int>(rows.size())) continue;
    const row_entry& row = rows[r];
    if (value) {
      const std::string text = value(row, unit_system);
      platform.list_set_subitem(list, i, value_column, text);
      widest_value = std::max(widest_value, platform.list_text_width(list, text));
    }
    platform.list_set_subitem(list, i, unit_column, unit_text(row, unit_system));
  }
  if (value) platform.list_set_column_width(list, value_column, widest_value + column_margin);
}

}  // namespace Vantrel
