#pragma once
// What the three result pages share: the unit-system setting, filling a result list once, and
// the common steps of a refresh.

#include <functional>
#include <span>
#include <string>

#include "lookup/method.h"
#include "pages/platform.h"
#include "pages/rows.h"

namespace Vantrel {

// The unit system stored in the settings store ("Settings", "Units"): 0 Metric/SI, any other
// value English. Absent or unreadable reads as 0. The pages keep no copy of it.
int read_unit_system(const page_platform& platform);
void write_unit_system(page_platform& platform, int unit_system);

// The Formulation choice that the Saturated, Superheated/Subcooled and Chart pages share: the
// index of an entry of method_choices(), stored under ("Settings", "Formulation"). Absent,
// unreadable or unknown reads as 0, today's IAPWS-95 with the 1985 transport equations.
int read_formulation(const page_platform& platform);
void write_formulation(page_platform& platform, int choice);
method stored_method(const page_platform& platform);
// Fills the drop-down `id` with the choices' titles and selects the stored one.
void fill_formulation(page_platform& platform, int id);

// The maker's notice under a result list, naming the method its values come from.
std::string footer_notice(const method& m);

// Pixels added to the widest text of a column.
inline constexpr int column_margin = 16;

// Inserts the Property, Value and Unit columns and one item per row (item data = row index),
// with the unit texts of the unit system in force, and sizes the Property and Unit columns.
// The Unit column is sized only here.
void fill_list(page_platform& platform, std::span<const row_entry> rows);

// The value text of one row, given the row and the unit system read for the whole refresh.
using row_value = std::function<std::string(const row_entry& row, int unit_system)>;

// Reads the unit system once; for every item, looks up its row by item data, writes its value
// text when `value` is given (the page has inputs) and its unit text in every case; then, with
// values, sizes the Value column to the widest value text.
void refresh_list(page_platform& platform, std::span<const row_entry> rows, const row_value& value);

}  // namespace Vantrel
