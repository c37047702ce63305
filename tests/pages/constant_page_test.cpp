#include "pages/constant_page.h"

#include <gtest/gtest.h>

#include "memory_platform.h"

namespace Vantrel {
namespace {

// The page shows the constants in either system and follows only its own radio buttons.
TEST(ConstantPage, ShowsTheConstantsInTheSystemOfItsOwnButtons) {
  const struct {
    const char* row;
    const char* metric;
    const char* english;
  } cases[] = {{"Molecular weight", "18.0153", "18.0153"},
               {"Critical temperature", "373.946", "705.103"},
               {"Critical pressure", "220.64", "3200.12"},
               {"Critical density", "322", "20.1018"},
               {"Critical volume", "0.00310559", "0.0497468"},
               {"Critical compressibility factor", "0.229441", "0.229441"},
               {"Triple point temperature", "0.01", "32.018"},
               {"Triple point pressure", "0.00611657", "0.0887135"}};
  testing_support::memory_platform platform;
  CConstantPage page{platform};
  testing_support::user me{platform, page};
  page.Initialise();
  ASSERT_EQ(platform.items.size(), 8u);
  EXPECT_TRUE(platform.is_checked(control::metric));
  EXPECT_EQ(platform.unit("Molecular weight"), "kg/kmol");
  EXPECT_EQ(platform.widths[1], 7 * 10 + 16);
  for (const auto& c : cases) EXPECT_EQ(platform.value(c.row), c.metric) << c.row;

  platform.store_units(1);  // a switch made on another page
  page.Activate();
  EXPECT_TRUE(platform.is_checked(control::metric));
  EXPECT_EQ(platform.value("Critical temperature"), "373.946");
  me.click(control::english);
  EXPECT_EQ(platform.units(), 1);
  EXPECT_EQ(platform.unit("Molecular weight"), "lb/lbmol");
  for (const auto& c : cases) EXPECT_EQ(platform.value(c.row), c.english) << c.row;

  me.click(control::close);
  EXPECT_TRUE(platform.closed);
}

}  // namespace
}  // namespace Vantrel
