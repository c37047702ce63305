// Region 3 v(p,T) against the check values of its release, sub-region by sub-region.
#include <gtest/gtest.h>

#include "backward_check.h"
#include "if97/backward.h"

namespace Vantrel::if97 {
namespace {

struct vpt_check {
  char sub;
  double T, p, v;
};

// Two points in each sub-region (IAPWS SR5-05(2016), check tables of v3a-v3t and, for the
// auxiliary equations, of v3u-v3z).
constexpr vpt_check checks[] = {
    {'a', 630, 50, 0.1470853100e-2},      {'a', 670, 80, 0.1503831359e-2},
    {'b', 710, 50, 0.2204728587e-2},      {'b', 750, 80, 0.1973692940e-2},
    {'c', 630, 20, 0.1761696406e-2},      {'c', 650, 30, 0.1819560617e-2},
    {'d', 656, 26, 0.2245587720e-2},      {'d', 670, 30, 0.2506897702e-2},
    {'e', 661, 26, 0.2970225962e-2},      {'e', 675, 30, 0.3004627086e-2},
    {'f', 671, 26, 0.5019029401e-2},      {'f', 690, 30, 0.4656470142e-2},
    {'g', 649, 23.6, 0.2163198378e-2},    {'g', 650, 24, 0.2166044161e-2},
    {'h', 652, 23.6, 0.2651081407e-2},    {'h', 654, 24, 0.2967802335e-2},
    {'i', 653, 23.6, 0.3273916816e-2},    {'i', 655, 24, 0.3550329864e-2},
    {'j', 655, 23.5, 0.4545001142e-2},    {'j', 660, 24, 0.5100267704e-2},
    {'k', 660, 23, 0.6109525997e-2},      {'k', 670, 24, 0.6427325645e-2},
    {'l', 646, 22.6, 0.2117860851e-2},    {'l', 646, 23, 0.2062374674e-2},
    {'m', 648.6, 22.6, 0.2533063780e-2},  {'m', 649.3, 22.8, 0.2572971781e-2},
    {'n', 649, 22.6, 0.2923432711e-2},    {'n', 649.7, 22.8, 0.2913311494e-2},
    {'o', 649.1, 22.6, 0.3131208996e-2},  {'o', 649.9, 22.8, 0.3221160278e-2},
    {'p', 649.4, 22.6, 0.3715596186e-2},  {'p', 650.2, 22.8, 0.3664754790e-2},
    {'q', 640, 21.1, 0.1970999272e-2},    {'q', 643, 21.8, 0.2043919161e-2},
    {'r', 644, 21.1, 0.5251009921e-2},    {'r', 648, 21.8, 0.5256844741e-2},
    {'s', 635, 19.1, 0.1932829079e-2},    {'s', 638, 20, 0.1985387227e-2},
    {'t', 626, 17, 0.8483262001e-2},      {'t', 640, 20, 0.6227528101e-2},
    {'u', 644.6, 21.5, 0.2268366647e-2},  {'u', 646.1, 22, 0.2296350553e-2},
    {'v', 648.6, 22.5, 0.2832373260e-2},  {'v', 647.9, 22.3, 0.2811424405e-2},
    {'w', 647.5, 22.15, 0.3694032281e-2}, {'w', 648.1, 22.3, 0.3622226305e-2},
    {'x', 648, 22.11, 0.4528072649e-2},   {'x', 649, 22.3, 0.4556905799e-2},
    {'y', 646.84, 22, 0.2698354719e-2},   {'y', 647.05, 22.064, 0.2717655648e-2},
    {'z', 646.89, 22, 0.3798732962e-2},   {'z', 647.15, 22.064, 0.3701940009e-2},
};

TEST(If97BackwardVpt, EverySubRegionMatchesItsCheckValues) {
  for (const auto& c : checks) {
    SCOPED_TRACE(::testing::Message() << "3" << c.sub << " T=" << c.T << " p=" << c.p);
    EXPECT_PRINTED(v3_pt(c.sub, c.p, c.T), c.v, 10);
  }
}

TEST(If97BackwardVpt, CheckPointsLieInTheirOwnSubRegion) {
  // The release places each check point inside the sub-region it tests, so the layout
  // must name that sub-region and v3_pt(p, T) must give the same value.
  for (const auto& c : checks) {
    SCOPED_TRACE(::testing::Message() << "3" << c.sub << " T=" << c.T << " p=" << c.p);
    EXPECT_EQ(region3_pt(c.p, c.T), c.sub);
    EXPECT_PRINTED(v3_pt(c.p, c.T), c.v, 10);
  }
}

TEST(If97BackwardVpt, BoundaryEquationsMatchTheirCheckValues) {
  // Sub-region boundaries T3xy(p) (IAPWS SR5-05(2016), check values of Eqs. 1-3 and of the
  // auxiliary boundaries 3uv and 3wx).
  using boundary = double (*)(double);
  struct boundary_check {
    const char* name;
    boundary f;
    double p, T;
  };
  constexpr boundary_check boundaries[] = {
      {"ab", t3ab_p, 40, 0.6930341408e3},   {"cd", t3cd_p, 25, 0.6493659208e3},
      {"ef", t3ef_p, 40, 0.7139593992e3},   {"gh", t3gh_p, 23, 0.6498873759e3},
      {"ij", t3ij_p, 23, 0.6515778091e3},   {"jk", t3jk_p, 23, 0.6558338344e3},
      {"mn", t3mn_p, 22.8, 0.6496054133e3}, {"op", t3op_p, 22.8, 0.6500106943e3},
      {"qu", t3qu_p, 22, 0.6456355027e3},   {"rx", t3rx_p, 22, 0.6482622754e3},
      {"uv", t3uv_p, 22.3, 0.6477996121e3}, {"wx", t3wx_p, 22.3, 0.6482049480e3}};
  for (const auto& c : boundaries) {
    SCOPED_TRACE(c.name);
    EXPECT_PRINTED(c.f(c.p), c.T, 10);
  }
}

TEST(If97BackwardVpt, VolumeBarelyJumpsAcrossEachSubRegionBoundary) {
  // Neighbouring equations were fitted to agree on their common boundary; a boundary in the
  // wrong place, or the wrong neighbour on one side, shows as a jump. The auxiliary
  // boundaries next to the critical point are held only to the few per cent that the
  // release grants the auxiliary equations there.
  using boundary = double (*)(double);
  struct seam {
    const char* name;
    boundary f;
    double p0, p1, tolerance;
  };
  constexpr seam seams[] = {{"ab", t3ab_p, 25, 100, 2e-5},     {"cd", t3cd_p, 19.01, 40, 2e-5},
                            {"ef", t3ef_p, 22.5, 40, 1e-3},    {"gh", t3gh_p, 22.5, 25, 2e-5},
                            {"ij", t3ij_p, 22.5, 25, 2e-5},    {"jk", t3jk_p, 20.6, 25, 2e-5},
                            {"mn", t3mn_p, 22.5, 23, 2e-5},    {"op", t3op_p, 22.5, 23, 2e-5},
                            {"qu", t3qu_p, 21.05, 22.5, 2e-3}, {"rx", t3rx_p, 21.05, 22.5, 2e-3},
                            {"uv", t3uv_p, 21.95, 22.5, 3e-2}, {"wx", t3wx_p, 21.95, 22.5, 3e-2}};
  for (const auto& b : seams) {
    for (int i = 0; i <= 50; ++i) {
      const double p = b.p0 + (b.p1 - b.p0) * i / 50.0;
      const double T = b.f(p);
      SCOPED_TRACE(::testing::Message() << b.name << " p=" << p);
      EXPECT_NEAR(v3_pt(p, T - 1e-7) / v3_pt(p, T + 1e-7), 1.0, b.tolerance);
    }
  }
}

TEST(If97BackwardVpt, SaturationVolumesUseTheSubRegionsOnTheLine) {
  // Liquid is denser than vapour all the way up, and both reach the critical volume.
  for (double p = 16.6; p < 22.06; p += 0.25) {
    SCOPED_TRACE(p);
    EXPECT_LT(v3_sat_liquid(p), v3_sat_vapour(p));
  }
  EXPECT_NEAR(v3_sat_liquid(22.064), 1.0 / 322.0, 1e-4);
  EXPECT_NEAR(v3_sat_vapour(22.064), 1.0 / 322.0, 1e-4);
}

}  // namespace
}  // namespace Vantrel::if97
