#include "physics/Geometry.h"

#include <gtest/gtest.h>

#include "physics/Winding.h"

namespace coilsmith::physics {
namespace {

constexpr double kInch = 0.0254;

// T106: OD 1.06", ID 0.57", HT 0.437".
const ToroidOutline kT106{1.06 * kInch, 0.57 * kInch, 0.437 * kInch};
// E450: a 4.5", b 3.636", c 1.031", d 3.13", f 1.031", g 2.252".
const ECoreOutline kE450{4.5 * kInch,  3.636 * kInch, 1.031 * kInch,
                         3.13 * kInch, 1.031 * kInch, 2.252 * kInch};

TEST(Geometry, ToroidByHand) {
    // Surface π((1.06² − 0.57²)/2 + (1.06 + 0.57)·0.437) = π(0.39935 + 0.71231) in²
    // = 3.4923747 in² = 2.2531457e-3 m².
    EXPECT_NEAR(outerSurfaceM2(kT106), 2.2531457e-3, 1e-10);
    // Window π·0.57²/4 = 0.2551758 in² = 1.6462926e-4 m².
    EXPECT_NEAR(windowAreaM2(kT106), 1.6462926e-4, 1e-11);
    // A turn at the core: 2((1.06 − 0.57)/2 + 0.437) = 1.364" = 0.0346456 m.
    EXPECT_NEAR(innermostTurnM(kT106), 0.0346456, 1e-12);
}

TEST(Geometry, ECoreByHand) {
    // Box 2(4.5·3.636 + 4.5·1.031 + 3.636·1.031) = 49.500432 in² = 0.0319356987 m².
    EXPECT_NEAR(outerSurfaceM2(kE450), 0.0319356987, 1e-10);
    // Window (3.13 − 1.031)/2 = 1.0495" wide, 2.252" high: 2.363474 in².
    EXPECT_NEAR(windowWidthM(kE450), 1.0495 * kInch, 1e-12);
    EXPECT_NEAR(windowAreaM2(kE450), 1.52481889e-3, 1e-11);
    // Around the centre leg 2(1.031 + 1.031) = 4.124" = 0.1047496 m.
    EXPECT_NEAR(innermostTurnM(kE450), 0.1047496, 1e-12);
}

TEST(Geometry, StackingGrowsHeightOrDepthOnly) {
    // Two T106: a turn at the core 2(0.245 + 2·0.437) = 2.238" = 0.0568452 m.
    EXPECT_NEAR(innermostTurnM(*stacked(kT106, 2)), 0.0568452, 1e-12);
    // Two E450: c 2.062", box 2(4.5·3.636 + 4.5·2.062 + 3.636·2.062) = 66.276864 in².
    EXPECT_NEAR(outerSurfaceM2(*stacked(CoreOutline(kE450), 2)), 0.0427591816, 1e-10);
}

TEST(Geometry, UnusableOutlinesCoresAndStacksAreNamed) {
    EXPECT_EQ(stacked(kT106, 0).reason(), "a stack needs at least one core, not 0");
    EXPECT_FALSE(stacked(kE450, -1));
    EXPECT_FALSE(stacked(MagneticCore{}, 0));
    const struct {
        CoreOutline outline;
        const char* reason;
    } rows[] = {
        {ToroidOutline{0.02, 0.03, 0.01}, "the inner diameter is not below the outer diameter"},
        {ECoreOutline{0.1, 0.1, 0.02, 0.08, 0.09, 0.05},
         "the centre leg is not narrower than the inner span"},
        {ECoreOutline{0.1, 0.04, 0.02, 0.08, 0.02, 0.05},
         "the window height is not below the overall height"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(problemOf(row.outline)->reason, row.reason);
    EXPECT_FALSE(problemOf(CoreOutline(kT106)));
    EXPECT_FALSE(problemOf(CoreOutline(kE450)));
    EXPECT_EQ(problemOf(MagneticCore{1e-4, 0.1, 1e-5, 1e-4, -1})->reason,
              "the gap is negative or not a number");
}

}  // namespace
}  // namespace coilsmith::physics
