#include "method/MethodLimits.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace coilsmith {
namespace {

const std::string kAreaProduct = "core AP below the minimum AP";
const std::string kFluxDensity = "Bmax above the specified flux density";
const std::string kRise = "temperature rise above 100 deg. C";
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A limit reached is kept; a figure that is not known (or not a number) exceeds nothing.
TEST(MethodLimits, ExceededLimitsInWords) {
    const std::vector<std::pair<MethodLimitFigures, std::vector<std::string>>> rows = {
        {{2.363, 2.363, 0.5, 0.5, 100.0}, {}},
        {{2.363, 2.362, 0.501, 0.5, 100.1}, {kAreaProduct, kFluxDensity, kRise}},
        {{2.363, 4.876, 0.6, 0.5, 20.0}, {kFluxDensity}},
        {{3.0, 1.0, 9.0, std::nullopt, std::nullopt}, {kAreaProduct}},
        {{std::nullopt, 1.0, std::nullopt, 0.5, std::nullopt}, {}},
        {{kNaN, 1.0, kNaN, 0.5, kNaN}, {}},
    };
    for (const auto& [figures, exceeded] : rows) {
        EXPECT_EQ(exceededMethodLimits(figures), exceeded);
    }
}

TEST(MethodLimits, AreaProductStandsAboveAtOrBelowTheMinimum) {
    using enum AreaProductStanding;
    EXPECT_EQ(areaProductStanding(2.363, 4.876), AboveMinimum);
    EXPECT_EQ(areaProductStanding(2.363, 2.363), AtMinimum);
    EXPECT_EQ(areaProductStanding(126253.125, 4.876), BelowMinimum);
    EXPECT_EQ(areaProductStanding(2.363, kNaN), std::nullopt);
}

TEST(MethodLimits, OneWarningLine) {
    EXPECT_EQ(methodLimitWarning({}), "");
    EXPECT_EQ(methodLimitWarning({kRise}), "Warning: temperature rise above 100 deg. C.");
    EXPECT_EQ(methodLimitWarning({kAreaProduct, kFluxDensity, kRise}),
              "Warning: core AP below the minimum AP; Bmax above the specified flux density; "
              "temperature rise above 100 deg. C.");
}

}  // namespace
}  // namespace coilsmith
