#include "pages/rows.h"

#include <gtest/gtest.h>

#include <set>

#include "pages/catalogue.h"

namespace Vantrel {
namespace {

TEST(Catalogue, HoldsEveryKeyOfItsRangesInUtf8) {
  const std::pair<int, int> ranges[] = {
      {1000, 1007}, {2000, 2026}, {10000, 10055}, {20001, 20002}, {30000, 30001}};
  for (const auto& [first, last] : ranges) {
    for (int key = first; key <= last; ++key) EXPECT_FALSE(catalogue_text(key).empty()) << key;
  }
  EXPECT_TRUE(catalogue_text(10056).empty());
  EXPECT_EQ(catalogue_text(10002), "m\xC2\xB3/kg");
  EXPECT_EQ(catalogue_text(10018), "\xC2\xB5Pa.s");
  EXPECT_EQ(catalogue_text(10045),
            "Btu/(hr.ft.\xC2\xB0"
            "F)");
}

TEST(StateRows, ShowEveryPropertyOnceWithItsOwnUnitEntries) {
  std::set<int> codes;
  std::set<int> unit_keys;
  for (const auto& row : state_rows) {
    codes.insert(row.code);
    unit_keys.insert({row.metric_unit_key, row.english_unit_key});
  }
  EXPECT_EQ(codes.size(), 27u);
  EXPECT_EQ(*codes.rbegin(), 26);
  EXPECT_EQ(unit_keys.size(), 54u);
  // Name keys leave the code order from thermal conductivity on.
  EXPECT_EQ(name_text(state_rows[21]), "Thermal conductivity");
  EXPECT_EQ(unit_text(state_rows[21], 5),
            "Btu/(hr.ft.\xC2\xB0"
            "F)");  // any non-zero system is English
}

}  // namespace
}  // namespace Vantrel
