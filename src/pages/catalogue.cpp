#include "pages/catalogue.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <span>

#include "lookup/catalogue.h"

namespace Vantrel {

namespace {

struct catalogue_entry {
  int key;
  std::string_view text;
};

// The texts of the pages themselves, sorted by key. The names and unit texts of the properties
// and constants (keys 1000-1007, 2000-2026, 10000-10055) are the face's catalogue's.
constexpr catalogue_entry catalogue[] = {
    // The unit-system setting.
    {20001, "Settings"},
    {20002, "Units"},
    // Messages.
    {30000, "Invalid number specified."},
    {30001, "Invalid two-phase quality specified. Please specify as a faction between 0 and 1."},
    // The application's names.
    {57344, "Vantrel Kelvora"},
    {57348, "Vantrel"},
};

static_assert(std::is_sorted(std::begin(catalogue), std::end(catalogue),
                             [](const catalogue_entry& a, const catalogue_entry& b) {
                               return a.key < b.key;
                             }),
              "the catalogue is searched by key");

// The name or unit text that a row of the face's catalogue keeps under `key`, or nothing.
std::string_view quantity_text(std::span<const property_info> rows, int key) {
  for (const property_info& row : rows) {
    if (row.name_key == key) return row.name;
    if (row.unit.metric == key) return row.unit_text(metric_units);
    if (row.unit.english == key) return row.unit_text(english_units);
  }
  return {};
}

}  // namespace

std::string_view catalogue_text(int key) {
  const auto* found =
      std::lower_bound(std::begin(catalogue), std::end(catalogue), key,
                       [](const catalogue_entry& entry, int wanted) { return entry.key < wanted; });
  if (found == std::end(catalogue) || found->key != key) {
    const auto text = quantity_text(property_table, key);
    return text.empty() ? quantity_text(constant_table, key) : text;
  }
  return found->text;
}

}  // namespace Vantrel
