#include "pages/rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "pages/catalogue.h"

namespace Vantrel {
namespace {

TEST(Catalogue, HoldsEveryKeyOfItsRanges) {
  const std::pair<int, int> ranges[] = {
      {1000, 1007}, {2000, 2026}, {10000, 10055}, {20001, 20002}, {30000, 30001}};
  for (const auto& [first, last] : ranges) {
    for (int key = first; key <= last; ++key) {
      SCOPED_TRACE(key);
      EXPECT_FALSE(catalogue_text(key).empty());
    }
  }
  EXPECT_EQ(catalogue_text(57344), "Vantrel Kelvora");
  EXPECT_EQ(catalogue_text(57348), "Vantrel");
  EXPECT_TRUE(catalogue_text(999).empty());
  EXPECT_TRUE(catalogue_text(10056).empty());
}

TEST(Catalogue, KeepsItsTextsInUtf8) {
  EXPECT_EQ(catalogue_text(10000),
            "\xC2\xB0"
            "C");
  EXPECT_EQ(catalogue_text(10002), "m\xC2\xB3/kg");
  EXPECT_EQ(catalogue_text(10018), "\xC2\xB5Pa.s");
  EXPECT_EQ(catalogue_text(10045),
            "Btu/(hr.ft.\xC2\xB0"
            "F)");
  EXPECT_EQ(catalogue_text(30001),
            "Invalid two-phase quality specified. Please specify as a faction between 0 and 1.");
}

TEST(StateRows, ShowEachLookupCodeOnceInDisplayOrder) {
  std::set<int> codes;
  for (const auto& row : state_rows) codes.insert(row.code);
  EXPECT_EQ(codes.size(), 27u);
  EXPECT_EQ(*codes.begin(), 0);
  EXPECT_EQ(*codes.rbegin(), 26);
  // Quality third, the isentropic coefficient after the isothermal compressibility.
  EXPECT_EQ(state_rows[2].code, steam_quality_code);
  EXPECT_EQ(state_rows[16].code, 26);
  EXPECT_EQ(name_text(state_rows[6]), "Enthalpy");
  // Name keys leave the code order from thermal conductivity on.
  EXPECT_EQ(name_text(state_rows[21]), "Thermal conductivity");
  EXPECT_EQ(name_text(state_rows[22]), "Surface tension");
}

TEST(StateRows, HaveDistinctUnitEntriesInEitherSystem) {
  std::set<int> keys;
  for (const auto& row : state_rows) {
    keys.insert(row.metric_unit_key);
    keys.insert(row.english_unit_key);
  }
  EXPECT_EQ(keys.size(), 54u);
  EXPECT_EQ(unit_text(state_rows[21], 0),
            "W/(m.\xC2\xB0"
            "C)");
  EXPECT_EQ(unit_text(state_rows[21], 1),
            "Btu/(hr.ft.\xC2\xB0"
            "F)");
  // Any unit system other than 0 is English.
  EXPECT_EQ(unit_text(state_rows[0], 5),
            "\xC2\xB0"
            "F");
  EXPECT_EQ(unit_text(state_rows[16], 0), "dimensionless");
}

TEST(ConstantRows, ListTheEightConstantsInCodeOrder) {
  for (int i = 0; i < constant_row_count; ++i) {
    EXPECT_EQ(constant_rows[i].code, i);
    EXPECT_EQ(constant_rows[i].name_key, 1000 + i);
  }
  EXPECT_EQ(unit_text(constant_rows[0], 0), "kg/kmol");
  EXPECT_EQ(unit_text(constant_rows[0], 1), "lb/lbmol");
  EXPECT_EQ(unit_text(constant_rows[7], 1), "psia");
}

}  // namespace
}  // namespace Vantrel
