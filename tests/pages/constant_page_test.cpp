// The Constants page, and the Close button of every page, driven through the in-memory
// platform.

#include "pages/constant_page.h"

#include <gtest/gtest.h>

#include "memory_platform.h"
#include "pages/saturated_page.h"
#include "pages/superheated_page.h"

namespace Vantrel {
namespace {

using testing_support::memory_platform;
using testing_support::user;

TEST(ConstantPage, ShowsTheConstantsInEitherSystem) {
  memory_platform platform;
  CConstantPage page{platform};
  user me{platform, page};
  page.Initialise();
  EXPECT_TRUE(platform.is_checked(control::metric));
  EXPECT_TRUE(platform.full_row);
  ASSERT_EQ(platform.items.size(), 8u);
  EXPECT_EQ(platform.value("Molecular weight"), "18.0153");
  EXPECT_EQ(platform.unit("Molecular weight"), "kg/kmol");
  EXPECT_EQ(platform.value("Critical temperature"), "373.946");
  EXPECT_EQ(platform.value("Critical pressure"), "220.64");
  EXPECT_EQ(platform.value("Critical density"), "322");
  EXPECT_EQ(platform.value("Critical volume"), "0.00310559");
  EXPECT_EQ(platform.value("Critical compressibility factor"), "0.229441");
  EXPECT_EQ(platform.value("Triple point temperature"), "0.01");
  EXPECT_EQ(platform.value("Triple point pressure"), "0.00611657");
  EXPECT_EQ(platform.columns[1].width, 7 * 10 + 16);

  me.click(control::english);
  EXPECT_EQ(platform.units(), 1);
  EXPECT_EQ(platform.value("Molecular weight"), "18.0153");
  EXPECT_EQ(platform.unit("Molecular weight"), "lb/lbmol");
  EXPECT_EQ(platform.value("Critical temperature"), "705.103");
  EXPECT_EQ(platform.value("Critical pressure"), "3200.12");
  EXPECT_EQ(platform.value("Triple point temperature"), "32.018");
}

TEST(ConstantPage, FollowsOnlyItsOwnRadioButtons) {
  memory_platform platform;
  platform.store_units(1);
  CConstantPage page{platform};
  user me{platform, page};
  page.Initialise();
  EXPECT_TRUE(platform.is_checked(control::english));
  EXPECT_EQ(platform.value("Critical temperature"), "705.103");

  // A switch to Metric/SI made on another page is not shown here on return.
  platform.store_units(0);
  page.Activate();
  EXPECT_TRUE(platform.is_checked(control::english));
  EXPECT_EQ(platform.value("Critical temperature"), "705.103");
  me.click(control::metric);
  EXPECT_EQ(platform.value("Critical temperature"), "373.946");
  EXPECT_EQ(platform.unit("Critical pressure"), "bar");
}

TEST(ResultPages, CloseButtonClosesTheWindow) {
  memory_platform platform;
  CSaturatedPage saturated{platform};
  CSuperheatedPage superheated{platform};
  CConstantPage constants{platform};
  for (CResultPage* page :
       {static_cast<CResultPage*>(&saturated), static_cast<CResultPage*>(&superheated),
        static_cast<CResultPage*>(&constants)}) {
    platform.closed = false;
    page->Initialise();
    user{platform, *page}.click(control::close);
    EXPECT_TRUE(platform.closed);
  }
}

}  // namespace
}  // namespace Vantrel
