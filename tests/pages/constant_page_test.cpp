// The Constants page and the list behaviour shared by all pages, driven through the in-memory
// platform with recording entry points.

#include "pages/constant_page.h"

#include <gtest/gtest.h>

#include <utility>

#include "memory_platform.h"
#include "pages/saturated_page.h"
#include "recorded_lookups.h"

namespace Vantrel {
namespace {

using testing_support::memory_platform;
using testing_support::recorder;
using testing_support::recording_lookups;
using testing_support::user;

class ConstantPage : public ::testing::Test {
 protected:
  void SetUp() override { recorder() = {}; }

  memory_platform platform;
  CConstantPage page{platform, recording_lookups()};
  user me{platform, page};
};

TEST_F(ConstantPage, FillsItsValuesAtOnce) {
  page.Initialise();
  ASSERT_EQ(platform.items.size(), 8u);
  ASSERT_EQ(recorder().calls.size(), 8u);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(recorder().calls[i].code, i);
  EXPECT_EQ(platform.value("Molecular weight"), "100");  // 100 + code 0 in Metric/SI
  EXPECT_EQ(platform.value("Triple point pressure"), "107");
  EXPECT_EQ(platform.unit("Critical temperature"),
            "\xC2\xB0"
            "C");
  EXPECT_TRUE(platform.is_checked(control::metric));
  EXPECT_TRUE(platform.full_row);
  EXPECT_EQ(platform.columns[1].width, 7 * 3 + 16);
}

TEST_F(ConstantPage, FollowsOnlyItsOwnRadioButtons) {
  platform.store_units(1);
  page.Initialise();
  EXPECT_TRUE(platform.is_checked(control::english));
  EXPECT_EQ(platform.value("Critical temperature"), "201");
  EXPECT_EQ(platform.unit("Critical pressure"), "psia");

  // A switch to Metric/SI made on another page is not shown here on return.
  platform.store_units(0);
  page.Activate();
  EXPECT_TRUE(platform.is_checked(control::english));
  EXPECT_EQ(platform.value("Critical temperature"), "201");

  me.click(control::metric);
  EXPECT_EQ(platform.units(), 0);
  EXPECT_EQ(platform.value("Critical temperature"), "101");
  EXPECT_EQ(platform.unit("Critical pressure"), "bar");
  me.click(control::english);
  EXPECT_EQ(platform.units(), 1);
  EXPECT_EQ(platform.value("Critical temperature"), "201");
}

TEST_F(ConstantPage, CloseClosesTheWindow) {
  page.Initialise();
  me.click(control::close);
  EXPECT_TRUE(platform.closed);
}

// The list behaviour shared by the pages, shown on the Saturated page.
class ResultList : public ::testing::Test {
 protected:
  void SetUp() override {
    recorder() = {};
    page.Initialise();
    page.Activate();
  }
  void calculate(std::string_view value) {
    me.type(control::value_edit, value);
    me.click(control::calculate);
  }

  memory_platform platform;
  CSaturatedPage page{platform, recording_lookups()};
  user me{platform, page};
};

TEST_F(ResultList, NotApplicableRowSitsBetweenNumbers) {
  calculate("100");
  EXPECT_EQ(platform.value("Surface tension"), "N/A");
  EXPECT_EQ(platform.value("Thermal conductivity"), "119");
  EXPECT_EQ(platform.value("Prandtl number"), "121");
}

TEST_F(ResultList, UnbuildableStateShowsErrorInEveryRow) {
  recorder().forced_status = 1;
  calculate("100");
  for (const auto& item : platform.items) EXPECT_EQ(item.cells[1], "Error") << item.cells[0];
  EXPECT_EQ(platform.columns[1].width, 7 * 5 + 16);
}

TEST_F(ResultList, UnitColumnIsSizedOnceValueColumnFollowsTheTexts) {
  const int unit_width = platform.columns[2].width;
  calculate("100000.5");  // values up to "100026", six characters
  EXPECT_EQ(platform.columns[1].width, 7 * 6 + 16);
  calculate("1");  // values up to "27": the column shrinks
  EXPECT_EQ(platform.columns[1].width, 7 * 3 + 16);

  me.click(control::english);
  EXPECT_EQ(platform.unit("Thermal conductivity"),
            "Btu/(hr.ft.\xC2\xB0"
            "F)");
  EXPECT_EQ(platform.columns[2].width, unit_width);
  EXPECT_LT(unit_width, platform.list_text_width(control::result_list, "Btu/(hr.ft.°F)") + 16);
}

TEST_F(ResultList, RowsAreFoundByItemDataNotPosition) {
  // A list that shows its items in another order (a sorted view, say) still gets each row's
  // own texts.
  std::swap(platform.items[0], platform.items[1]);
  calculate("100");
  EXPECT_EQ(platform.items[0].cells[0], "Pressure");
  EXPECT_EQ(platform.items[0].cells[2], "bar");
  EXPECT_EQ(platform.value("Pressure"), "101");
  EXPECT_EQ(platform.value("Temperature"), "100");
}

}  // namespace
}  // namespace Vantrel
